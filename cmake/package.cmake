# The Debian package: `cpack --config <build>/CPackConfig.cmake` (or
# `./dev.sh package`) writes dawnhelm_<version>_amd64.deb from the same
# installation rules, into /usr. Its Depends are read from the binaries by
# dpkg-shlibdeps; the binaries are stripped on the way in.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dawnhelm)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Dawnhelm developers")
set(CPACK_PACKAGE_CONTACT "The Dawnhelm developers <dawnhelm@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sun and moon calendar for one place on Earth")
set(CPACK_PACKAGE_DESCRIPTION
"Dawnhelm shows, for any day picked on a month calendar, when the sun and the
moon rise and set at one place: the length of daylight and of moonlight with
their change since the day before, the compass bearings of sunrise and
sunset, the week numbers and the dates on which summer time starts and ends.
It can sound an alarm with a picture at sunrise and sunset, export a range of
days for a spreadsheet and print a graph of a year of sunrises and sunsets.
The command dawnhelm-cli computes the same values for scripts.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://dawnhelm.example.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Plugins are loaded at run time, where dpkg-shlibdeps cannot see them. The
# program's icon and the manual's pictures are SVG, drawn by the plugins of
# libqt6svg6 (the binaries link no SVG function, so it is named here).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
# The alarm sounds play through GStreamer's plugins for WAV files and for the
# sound output; without them everything but the sound works.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-good")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)
