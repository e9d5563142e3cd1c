# The Debian package: `cpack --config <build>/CPackConfig.cmake` (or
# `./dev.sh package`) writes dawnhelm_<version>_amd64.deb from the same
# installation rules, into /usr. Its Depends are read from the binaries by
# dpkg-shlibdeps, and from the files they open at run time (below); the
# binaries are stripped on the way in.
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

# What the programs open at run time, where dpkg-shlibdeps cannot see it. The
# package that holds each such file on the build machine is named, so that
# the names follow the distribution (and its renames) rather than a list.
function(dawn_packages_of_files out)
  find_program(_dpkg_query dpkg-query)
  set(_packages "")
  foreach(_file IN LISTS ARGN)
    if(NOT _dpkg_query OR NOT EXISTS "${_file}")
      message(WARNING "the package will not name what holds ${_file}")
      continue()
    endif()
    file(REAL_PATH "${_file}" _real)
    execute_process(COMMAND ${_dpkg_query} -S ${_real} OUTPUT_VARIABLE _owner ERROR_QUIET)
    if(_owner MATCHES "^([a-z0-9.+-]+)[:,]")
      list(APPEND _packages ${CMAKE_MATCH_1})
    else()
      message(WARNING "no package holds ${_real}")
    endif()
  endforeach()
  list(REMOVE_DUPLICATES _packages)
  list(JOIN _packages ", " _joined)
  set(${out} "${_joined}" PARENT_SCOPE)
endfunction()

# Needed: the tz database of the zone names, the city list (libgeonames,
# opened when a search starts) and GLib (opened to fold the names searched),
# and the SVG plugins that draw the program's icon and the manual's pictures.
find_library(DAWN_GEONAMES_RUNTIME NAMES libgeonames.so.0)
find_library(DAWN_GLIB_RUNTIME NAMES libglib-2.0.so.0)
set(_needed /usr/share/zoneinfo/Etc/UTC ${DAWN_GEONAMES_RUNTIME} ${DAWN_GLIB_RUNTIME})
if(DAWN_BUILD_GUI)
  set(_plugins ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS})
  list(APPEND _needed ${_plugins}/iconengines/libqsvgicon.so ${_plugins}/imageformats/libqsvg.so)
endif()
dawn_packages_of_files(CPACK_DEBIAN_PACKAGE_DEPENDS ${_needed})
# Recommended: GStreamer's WAV reader and sound output for the alarm sounds;
# without them everything but the sound works.
dawn_packages_of_files(CPACK_DEBIAN_PACKAGE_RECOMMENDS
                       /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/gstreamer-1.0/libgstwavparse.so)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)
