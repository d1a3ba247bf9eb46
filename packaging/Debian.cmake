# The Debian package: `cpack` in a configured and built tree writes
# cantorel_<version>_<arch>.deb (scripts/package does it from a release
# build of its own and checks it with lintian).
#
# Programs go to /usr/bin and their data under /usr/share, as the install
# rules lay them out. The desktop's caches (desktop entries, MIME types,
# hicolor icons) are refreshed by the dpkg triggers of the packages that own
# them, which watch those folders: the package has no maintainer scripts.

# The copyright file, the changelog and the manual pages come from Docs.cmake.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME cantorel)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME cantorel)
set(CPACK_PACKAGE_VENDOR "The Cantorel developers")
set(CPACK_PACKAGE_CONTACT "Cantorel developers <support@cantorel.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "lyric player that shows a song's lyric and translation as it is sung")
# Read here rather than named as CPACK_PACKAGE_DESCRIPTION_FILE, which
# CPack escapes for XML (a "'" would become "&apos;").
file(READ ${CMAKE_CURRENT_LIST_DIR}/description CPACK_PACKAGE_DESCRIPTION)
set(CPACK_STRIP_FILES ON)
# Folders as Debian has them whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://cantorel.org/)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
# The libraries the programs link, with the versions their symbols need
# (dpkg-shlibdeps), and what no link shows: Qt's X11 platform plugin.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Lyrics in Chinese, Japanese and Korean need a font that has them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
