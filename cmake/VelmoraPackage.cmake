# The Debian package: `cpack -G DEB` in the build directory writes
# velmora_<version>_<arch>.deb, installing under /usr what `cmake --install`
# installs. Its library dependencies come from dpkg-shlibdeps; the dialog that
# asks about full screen (zenity) is recommended, not required: without it the
# program asks on the terminal or starts windowed.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Velmora")
set(CPACK_PACKAGE_CONTACT "Velmora developers <velmora@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "first-person walk through a prehistoric stone circle")
set(CPACK_PACKAGE_DESCRIPTION "A real-time walk through a stone circle on rolling downland, under a sky that
follows the time of day: five viewpoints and camera flights, day, twilight and
night, four coloured spot lights. Fixed-function OpenGL with GLUT.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS zenity)
include(CPack)
