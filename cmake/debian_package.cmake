# The Debian package, built by `make deb` (cpack -G DEB in the release build).
# CPack installs the same files as `make install` under /usr; the staging
# script then adds what a Debian package needs beyond them (the copyright
# file, which carries the licence in Debian's format, a compressed
# changelog, the manual page compressed).

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zeb)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "ZEB team")
set(CPACK_PACKAGE_CONTACT "ZEB team <zeb@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "text-mode game launcher for the MAME arcade emulator")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS mame)
# CPack puts the summary above this long description and indents it as the
# control file wants; an empty line separates paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "ZEB is a full-screen front end for the MAME arcade emulator that runs in a
terminal of 80 x 25 cells. Started in the directory that holds the emulator,
it imports the emulator's list of games once, checks which ROM archives are
present, and shows all, available or missing games in a scrolling list with
each game's parent, cheat count and category.

A game is started with Enter or a mouse click. Forty emulator options and
the paths are set on an options screen and kept in zeb.ini; a small viewer
shows the emulator's and ZEB's text files.")

set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/debian_staging.cmake)
# Read by the staging script.
set(CPACK_ZEB_SOURCE_DIR ${CMAKE_SOURCE_DIR})

include(CPack)
