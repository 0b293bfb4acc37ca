# What `cmake --install` lays out under the prefix, and the Debian package
# `cpack -G DEB` makes of it (tools/check-package.sh builds and checks it):
#
#   bin/quarn, bin/quarn-scene, bin/quarn-sim
#   share/quarn/                     the game's data: Levels/, Textures/, Menu/,
#                                    Music/, Sounds/, effects/, settings.ini
#   share/applications/, share/metainfo/, share/icons/hicolor/SIZE/apps/
#   share/man/man6/quarn.6, share/man/man1/quarn-scene.1, quarn-sim.1
#
# The game finds its data in ../share/quarn beside its own folder, so the
# layout works under any prefix, and an unpacked package runs where it lies.
include(GNUInstallDirs)
set(QUARN_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/data/packaging)
set(QUARN_APP_ID io.github.quarn.Quarn)

install(TARGETS quarn quarn-scene quarn-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${QUARN_GAME_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/quarn
    PATTERN quarn EXCLUDE)
install(FILES ${QUARN_PACKAGING_DIR}/${QUARN_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QUARN_PACKAGING_DIR}/${QUARN_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 24 32 48 64 128 256)
    install(FILES ${CMAKE_BINARY_DIR}/generated/Icons/${size}x${size}/quarn.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${QUARN_PACKAGING_DIR}/man/quarn.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${QUARN_PACKAGING_DIR}/man/quarn-scene.1 ${QUARN_PACKAGING_DIR}/man/quarn-sim.1
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quarn)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "rope-swinging action game")
set(CPACK_PACKAGE_DESCRIPTION "A ball fires a hook on a rope at the mouse cursor; the hook catches\n\
on the level's walls, and the ball swings, reels and wraps its rope round\n\
corners through timed levels, drawn in 3D with OpenGL.")
set(CPACK_PACKAGE_CONTACT "Quarn developers <maintainers@users.noreply.c-seed-f43a1a64.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The libraries come from what the programs link (dpkg-shlibdeps). The font is
# read by path, SDL opens libGL itself and libGL loads the driver, so those
# do not show there.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, libgl1")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri, libglx-mesa0")
include(CPack)
