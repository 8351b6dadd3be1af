# A Debian package of the installed layout (make package). Its dependencies
# come from the binaries through dpkg-shlibdeps, so they follow whatever Qt
# the build machine has.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zavprog)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "zavprog developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming software for ZAV415 AM/FM transceivers")
set(CPACK_PACKAGE_DESCRIPTION "Reads a ZAV415 25.615-30.105 MHz AM/FM transceiver's memory over a serial
programming cable, edits its channels, tones, options, DTMF codes, roger-beep
melodies and texts, keeps the configuration as a .dat file and writes it to
one radio or many. English and Chinese. Includes the command line zavprog-cli
and the virtual radio zavprog-radio-sim.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "zavprog developers <zavprog@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds its platform plugin and the CJK font at run time, not by linking.
# The help window keeps its index in SQLite through a Qt plugin that no
# binary links, so dpkg-shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-wqy-microhei, libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
