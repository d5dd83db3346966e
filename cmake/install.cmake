# Install rules and packages: the game installed like any other on Linux, and
# the Debian package and source tarball CPack makes from them.
#   cmake --install build --prefix /usr      (DESTDIR=... for a staging root)
#   cd build && cpack -G DEB                 kestrin_<version>_<arch>.deb
#   cd build && cpack --config CPackSourceConfig.cmake
include(GNUInstallDirs)
# Installing and packaging take what is built: they never start a build of
# everything, which the package check inside the test run would otherwise do
# while other tests run.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(KESTRIN_APP_ID org.kestrin_game.kestrin)
set(KESTRIN_MAINTAINER "Kestrin developers <dev@kestrin.invalid>")
set(KESTRIN_RELEASE_DATE 2026-12-07)
set(KESTRIN_RELEASE_DATE_RFC2822 "Mon, 07 Dec 2026 00:00:00 +0000")
set(KESTRIN_SCREENSHOT_URL "https://kestrin.invalid/screens" CACHE STRING
    "Where the screenshots of docs/screens are published, for the AppStream metadata")
# Games live apart on Debian: /usr/games and /usr/share/games.
set(KESTRIN_INSTALL_BINDIR games CACHE STRING "Where the executable is installed, under the prefix")
set(KESTRIN_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/games/kestrin CACHE STRING
    "Where the game's data is installed, under the prefix")

# The installed game finds its data from its own folder; only this relative
# path is compiled in, so any prefix works.
file(RELATIVE_PATH data_from_bin /prefix/${KESTRIN_INSTALL_BINDIR} /prefix/${KESTRIN_INSTALL_DATADIR})
set_property(SOURCE src/platform/data_folders.cpp APPEND PROPERTY COMPILE_DEFINITIONS
             KESTRIN_DATA_FROM_BIN="${data_from_bin}")

set(packaging ${CMAKE_BINARY_DIR}/packaging)
configure_file(packaging/kestrin.metainfo.xml.in ${packaging}/${KESTRIN_APP_ID}.metainfo.xml @ONLY)
configure_file(packaging/kestrin.6.in ${packaging}/kestrin.6 @ONLY)
configure_file(packaging/changelog.in ${packaging}/changelog @ONLY)
# Debian wants manual pages and changelogs compressed, without time stamps.
add_custom_command(OUTPUT ${packaging}/kestrin.6.gz ${packaging}/changelog.gz
  COMMAND gzip -9nkf kestrin.6 changelog
  DEPENDS ${packaging}/kestrin.6 ${packaging}/changelog
  WORKING_DIRECTORY ${packaging})
add_custom_target(packaging_files ALL DEPENDS ${packaging}/kestrin.6.gz ${packaging}/changelog.gz)

install(TARGETS kestrin RUNTIME DESTINATION ${KESTRIN_INSTALL_BINDIR})
# The game folder without the executable, and with the settings and profiles
# as shipped rather than as a player of the build folder left them.
install(DIRECTORY ${GAME_DIR}/ DESTINATION ${KESTRIN_INSTALL_DATADIR}
  PATTERN kestrin EXCLUDE
  REGEX "/bin/default\\.cfg$" EXCLUDE
  REGEX "/data/profile[0-9]\\.s$" EXCLUDE
  PATTERN "*.tmp" EXCLUDE)
install(FILES content/bin/default.cfg DESTINATION ${KESTRIN_INSTALL_DATADIR}/bin)
install(FILES content/data/profile0.s content/data/profile1.s content/data/profile2.s
        DESTINATION ${KESTRIN_INSTALL_DATADIR}/data)
install(FILES packaging/kestrin.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        RENAME ${KESTRIN_APP_ID}.desktop)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${packaging}/${KESTRIN_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging}/kestrin.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES packaging/copyright ${packaging}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kestrin)

set(CPACK_PACKAGE_NAME kestrin)
set(CPACK_PACKAGE_VENDOR "Kestrin developers")
set(CPACK_PACKAGE_CONTACT ${KESTRIN_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D puzzle game: a bee over islands of hexagonal cells")
set(CPACK_PACKAGE_DESCRIPTION "Guide a bee over a board of hexagonal cells laid on a sunny island.
Closed cells may hide bombs, and an opened cell shows how many of its six
neighbours hold one. Collect every flower to win. Nine islands sit on a
world map, the first a guided training level. Scores, medals and rewards
are kept in three player profiles.")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# OpenGL is loaded at run time, so the linked libraries do not name it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri")

set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_PACKAGE_FILE_NAME kestrin-${PROJECT_VERSION})
# The sources without git's own files and the build folders.
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/\\\\.git$" "/build[^/]*/" "~$")
include(CPack)
