# Installs the build into a fresh prefix and runs the installed copy from
# there: every file the desktop and the programs need is in its place, and
# the installed programs find their bundled data beside themselves, not in
# the build folder.
#   cmake -DBUILD_DIR=<build> -DPREFIX=<empty folder to be> -DAPP_ID=<id> -P CheckInstall.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${err}")
endif()

set(expected
    bin/Cantorel bin/Cantorel_Screen_Saver bin/cantorel-lyrics
    share/cantorel/help/Welcome.htm share/cantorel/demo/Lanterns.ogg
    share/cantorel/demo/Lanterns.ogg-lyric.txt share/cantorel/icons/cantorel.png
    share/applications/${APP_ID}.desktop share/metainfo/${APP_ID}.metainfo.xml
    share/mime/packages/${APP_ID}.xml
    share/icons/hicolor/scalable/apps/${APP_ID}.svg share/icons/hicolor/64x64/apps/${APP_ID}.png)
foreach(f ${expected})
  if(NOT EXISTS ${PREFIX}/${f})
    message(SEND_ERROR "not installed: ${f}")
  endif()
endforeach()

# The user's folders, inside the prefix, so the run touches nothing else.
set(home ${PREFIX}/home)
file(MAKE_DIRECTORY ${home}/config ${home}/data ${home}/runtime)
file(CHMOD ${home}/runtime PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(run ${CMAKE_COMMAND} -E env XDG_CONFIG_HOME=${home}/config XDG_DATA_HOME=${home}/data
        XDG_RUNTIME_DIR=${home}/runtime)

execute_process(COMMAND ${run} ${PREFIX}/bin/cantorel-lyrics paths
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(FIND "${out}" "help=${PREFIX}/share/cantorel/help/Welcome.htm\n" at)
if(NOT result EQUAL 0 OR at EQUAL -1)
  message(SEND_ERROR "the installed copy does not find its help page (exit ${result}):\n${out}${err}")
endif()
string(FIND "${out}" "${BUILD_DIR}/bin" at)
if(NOT at EQUAL -1)
  message(SEND_ERROR "the installed copy reaches into the build folder:\n${out}")
endif()

execute_process(COMMAND ${run} ${PREFIX}/bin/cantorel-lyrics probe ${PREFIX}/share/cantorel/demo/Lanterns.ogg
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0 OR NOT out MATCHES "^length_ms=[0-9]+\n$")
  message(SEND_ERROR "the installed cantorel-lyrics cannot probe the installed demo song:\n${out}${err}")
endif()
message(STATUS "installed into ${PREFIX} and ran from there")
