# Validates the desktop entry and the AppStream metadata with the desktop's
# own tools (scripts/deps test installs them). Any complaint fails the test.
#   cmake -DDESKTOP_DATA=<source>/data/desktop -DAPP_ID=<id> -P CheckDesktopFiles.cmake
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(NOT DESKTOP_FILE_VALIDATE OR NOT APPSTREAMCLI)
  message("SKIPPED: desktop-file-validate or appstreamcli is missing (scripts/deps test installs them)")
  return()
endif()

execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${DESKTOP_DATA}/${APP_ID}.desktop
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 0 OR NOT out STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate ${APP_ID}.desktop:\n${out}")
endif()

execute_process(COMMAND ${APPSTREAMCLI} validate --no-net ${DESKTOP_DATA}/${APP_ID}.metainfo.xml
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "appstreamcli validate ${APP_ID}.metainfo.xml:\n${out}")
endif()
message(STATUS "the desktop entry and the metadata validate")
