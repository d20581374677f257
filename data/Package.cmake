# The Debian package, made by CPack from what the install rules put in place (every
# component, the companion programs too): scripts/package builds it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${QUARVEL_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Quarvel developers")
set(CPACK_PACKAGE_CONTACT "${QUARVEL_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "level editor for the Quarvel tile puzzle game")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop editor for Quarvel level sets (.dag files): 256 levels of 11 by 13\n"
    "tiles and five numbers each. Paint tiles on the grid from a palette, type the\n"
    "numbers, check whether a level can be played, and open, save and copy sets.\n"
    "\n"
    "It comes with quarvel-levels, a command-line companion for level sets kept in\n"
    "folders and version control: it checks whether their levels can be played,\n"
    "renders them as PNG pictures, copies levels from one set to another, exports a\n"
    "set as text to review and imports it back, compares two sets level by level,\n"
    "and draws the thumbnails file managers show, all without a display.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The binaries go in stripped, and their debug information in a package of its own beside
# this one, quarvel-levels-editor-dbgsym (a .ddeb), under /usr/lib/debug/.build-id. CPack
# strips each binary as it takes that information out, so it must get them unstripped.
set(CPACK_STRIP_FILES OFF)
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebugSymbolsPackage.cmake)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# editors, not games: Debian keeps games' programs in /usr/games, and the editor's program
# stays /usr/bin/QuarvelEdit.
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QUARVEL_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's Wayland platform plugin: without it the editor runs through XWayland on a Wayland
# desktop. Recommended, not required, so that an X11-only system need not take it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
