# Builds the Debian package from this build tree with its CPack settings and
# checks what a user would install: the programs and everything the desktop
# reads in their Debian places, dependencies computed from the shared
# libraries, no maintainer scripts (the desktop's caches are refreshed by
# the triggers of the packages that own them), a changelog of the package's
# version, and an unpacked copy that finds its own data.
#   cmake -DBUILD_DIR=<build> -DOUT=<folder to be> -DAPP_ID=<id> -DVERSION=<version>
#         -DCHANGELOG=<source>/packaging/changelog -P CheckPackage.cmake
find_program(DPKG dpkg)
find_program(DPKG_DEB dpkg-deb)
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NOT DPKG OR NOT DPKG_DEB OR NOT DPKG_SHLIBDEPS)
  message("SKIPPED: dpkg-deb or dpkg-shlibdeps is missing (scripts/deps test installs them)")
  return()
endif()

function(run out)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr)
  if(NOT result EQUAL 0)
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "${command} failed (${result}):\n${stdout}${stderr}")
  endif()
  set(${out} "${stdout}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${OUT})
# gzip rather than xz: the same contents, made faster.
run(ignored ${CMAKE_CPACK_COMMAND} --config ${BUILD_DIR}/CPackConfig.cmake -B ${OUT}
    -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip)
run(arch ${DPKG} --print-architecture)
string(STRIP "${arch}" arch)
set(deb ${OUT}/cantorel_${VERSION}_${arch}.deb)
if(NOT EXISTS ${deb})
  file(GLOB made ${OUT}/*.deb)
  message(FATAL_ERROR "no ${deb}; cpack made: ${made}")
endif()

# The files, in their Debian places, owned by root.
run(listing ${DPKG_DEB} --contents ${deb})
set(expected
    usr/bin/Cantorel usr/bin/Cantorel_Screen_Saver usr/bin/cantorel-lyrics
    usr/share/applications/${APP_ID}.desktop usr/share/metainfo/${APP_ID}.metainfo.xml
    usr/share/mime/packages/${APP_ID}.xml
    usr/share/icons/hicolor/scalable/apps/${APP_ID}.svg usr/share/icons/hicolor/64x64/apps/${APP_ID}.png
    usr/share/cantorel/help/Welcome.htm usr/share/cantorel/demo/Lanterns.ogg
    usr/share/doc/cantorel/copyright usr/share/doc/cantorel/changelog.gz
    usr/share/man/man1/Cantorel.1.gz usr/share/man/man1/Cantorel_Screen_Saver.1.gz
    usr/share/man/man1/cantorel-lyrics.1.gz)
foreach(f ${expected})
  string(FIND "${listing}" " ./${f}\n" at)
  if(at EQUAL -1)
    message(SEND_ERROR "not in the package: /${f}")
  endif()
endforeach()
string(REGEX MATCHALL "[^\n]+" entries "${listing}")
foreach(entry ${entries})
  if(NOT entry MATCHES "^[-dl][rwxs-]+ root/root " OR NOT entry MATCHES " \\./(usr/.*)?$")
    message(SEND_ERROR "not a root-owned entry under /usr: ${entry}")
  endif()
endforeach()

# The control fields: dependencies found from the shared libraries, plus the
# platform plugin no link shows.
run(control ${DPKG_DEB} --field ${deb} Package Version Depends)
foreach(field "Package: cantorel\n" "Version: ${VERSION}\n" "qt6-qpa-plugins" "libqt6widgets6 (>= "
              "libsdl2-2.0-0 (>= " "libavcodec" "libtag")
  string(FIND "${control}" "${field}" at)
  if(at EQUAL -1)
    message(SEND_ERROR "the control fields lack \"${field}\":\n${control}")
  endif()
endforeach()
run(info ${DPKG_DEB} --info ${deb})
# Its control members are listed as "<n> bytes, <n> lines [*] <name>".
if(info MATCHES "lines +\\*? *(preinst|postinst|prerm|postrm|triggers)")
  message(SEND_ERROR "the package has maintainer scripts or triggers of its own:\n${info}")
endif()

# The changelog speaks of this version.
file(STRINGS ${CHANGELOG} first LIMIT_COUNT 1)
if(NOT first MATCHES "^cantorel \\(${VERSION}\\) ")
  message(SEND_ERROR "the changelog's latest entry is not ${VERSION}: ${first}")
endif()

# Unpacked anywhere, the programs find their data beside themselves.
set(root ${OUT}/root)
run(ignored ${DPKG_DEB} --extract ${deb} ${root})
file(MAKE_DIRECTORY ${OUT}/home/config ${OUT}/home/data ${OUT}/home/runtime)
file(CHMOD ${OUT}/home/runtime PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
run(paths ${CMAKE_COMMAND} -E env XDG_CONFIG_HOME=${OUT}/home/config XDG_DATA_HOME=${OUT}/home/data
    XDG_RUNTIME_DIR=${OUT}/home/runtime ${root}/usr/bin/cantorel-lyrics paths)
string(FIND "${paths}" "help=${root}/usr/share/cantorel/help/Welcome.htm\n" at)
if(at EQUAL -1)
  message(SEND_ERROR "the packaged cantorel-lyrics does not find its help page:\n${paths}")
endif()
message(STATUS "${deb} holds what it should")
