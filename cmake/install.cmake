# Installation: `cmake --install <build> [--prefix <dir>]` puts
#   bin/dawnhelm                   the launcher (data/desktop/dawnhelm.in)
#   bin/dawnhelm-cli               the command-line companion
#   libexec/dawnhelm/dawnhelm      the window program itself
#   libexec/dawnhelm/dawnhelm-graph  the drawing helper of `dawnhelm-cli graph`
#   libexec/dawnhelm/dawnhelm-ics    the calendar helper of `dawnhelm-cli ics`
#   lib/<arch>/dawnhelm/dawnhelm-sound.so  the window program's sound player,
#                                  loaded when the first sound plays
#   share/dawnhelm/                the label file, the default media, the manual
#   share/applications/, share/metainfo/, share/icons/hicolor/  desktop integration
#   share/man/man1/                the manual pages, made from data/man/*.scd
#   share/bash-completion/completions/dawnhelm-cli
#   share/doc/dawnhelm/            copyright and changelog, as Debian wants them
# The desktop entry is written at install time so that its Exec line names
# the launcher under the prefix actually installed to.
include(GNUInstallDirs)

set(DAWN_APP_ID org.example.dawnhelm)
set(DAWN_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/data/desktop)
set(DAWN_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/dawnhelm)
set(DAWN_INSTALL_PROGRAMDIR ${CMAKE_INSTALL_LIBEXECDIR}/dawnhelm)

# The release this version is: its <release> entry in the AppStream data
# gives the date that the manual pages and the package changelog carry, so
# that they come out the same on every build. A version without its entry
# stops here, before it can be shipped without release notes.
file(READ ${DAWN_DESKTOP_DIR}/${DAWN_APP_ID}.metainfo.xml _metainfo)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${DAWN_DESKTOP_DIR}/${DAWN_APP_ID}.metainfo.xml)
string(FIND "${_metainfo}" "<release version=\"${PROJECT_VERSION}\"" _at)
set(_release "")
if(_at GREATER_EQUAL 0)
  string(SUBSTRING "${_metainfo}" ${_at} -1 _release)
  string(FIND "${_release}" "</release>" _end)
  string(SUBSTRING "${_release}" 0 ${_end} _release)
endif()
string(REGEX MATCH "date=\"([0-9]+-[0-9]+-[0-9]+)\"" _date "${_release}")
set(DAWN_RELEASE_DATE ${CMAKE_MATCH_1})
string(REGEX MATCH "<p>([^<]+)</p>" _note "${_release}")
if(NOT _date OR NOT _note)
  message(FATAL_ERROR "data/desktop/${DAWN_APP_ID}.metainfo.xml has no <release> entry with a "
                      "date and a <p> of notes for version ${PROJECT_VERSION}: add one")
endif()
string(REGEX REPLACE "[ \t\n]+" " " DAWN_RELEASE_NOTE "${CMAKE_MATCH_1}")
string(STRIP "${DAWN_RELEASE_NOTE}" DAWN_RELEASE_NOTE)
execute_process(COMMAND date -u -d ${DAWN_RELEASE_DATE} +%s OUTPUT_VARIABLE DAWN_RELEASE_EPOCH
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND date -u -R -d ${DAWN_RELEASE_DATE} OUTPUT_VARIABLE _release_rfc2822
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)

if(TARGET dawnhelm-cli)
  install(TARGETS dawnhelm-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(TARGETS dawnhelm-ics RUNTIME DESTINATION ${DAWN_INSTALL_PROGRAMDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/data/completion/dawnhelm-cli.bash
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME dawnhelm-cli)
endif()
if(TARGET dawnhelm-graph)
  install(TARGETS dawnhelm-graph RUNTIME DESTINATION ${DAWN_INSTALL_PROGRAMDIR})
endif()

# The manual pages: scdoc turns each data/man/<page>.1.scd (with the version
# filled in) into roff, compressed as Debian installs manual pages.
find_program(DAWN_SCDOC scdoc REQUIRED)
set(DAWN_MAN_PAGES "")
foreach(_page dawnhelm dawnhelm-cli)
  set(_scd ${CMAKE_BINARY_DIR}/man/${_page}.1.scd)
  set(_gz ${CMAKE_BINARY_DIR}/man/${_page}.1.gz)
  configure_file(${PROJECT_SOURCE_DIR}/data/man/${_page}.1.scd ${_scd} @ONLY)
  add_custom_command(
    OUTPUT ${_gz}
    COMMAND ${CMAKE_COMMAND} -DSCDOC=${DAWN_SCDOC} -DSOURCE_DATE_EPOCH=${DAWN_RELEASE_EPOCH}
            -DIN=${_scd} -DOUT=${_gz} -P ${PROJECT_SOURCE_DIR}/cmake/make_man_page.cmake
    DEPENDS ${_scd} ${PROJECT_SOURCE_DIR}/cmake/make_man_page.cmake
    COMMENT "Writing the manual page ${_page}(1)")
  list(APPEND DAWN_MAN_PAGES ${_gz})
endforeach()
add_custom_target(dawn_manual_pages ALL DEPENDS ${DAWN_MAN_PAGES})
install(FILES ${DAWN_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Debian's place for the copyright and the changelog of a package; the
# changelog's one entry is this release.
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/doc/changelog CONTENT
"dawnhelm (${PROJECT_VERSION}) unstable; urgency=medium

  * ${DAWN_RELEASE_NOTE}

 -- The Dawnhelm developers <dawnhelm@example.org>  ${_release_rfc2822}
")
execute_process(COMMAND sh -c "gzip -9n < changelog > changelog.gz"
                WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/doc COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${PROJECT_SOURCE_DIR}/data/package/copyright ${CMAKE_BINARY_DIR}/doc/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

if(TARGET dawn_cli)
  # The manual page of dawnhelm-cli documents every verb and option that
  # its help lists; the check also shows the pages to man for warnings.
  add_test(NAME manual_pages
           COMMAND sh ${PROJECT_SOURCE_DIR}/tests/package/check_manual.sh $<TARGET_FILE:dawnhelm-cli>
                   ${CMAKE_BINARY_DIR}/man/dawnhelm-cli.1.gz ${CMAKE_BINARY_DIR}/man/dawnhelm.1.gz)
  add_test(NAME bash_completion
           COMMAND bash ${PROJECT_SOURCE_DIR}/tests/package/check_completion.sh $<TARGET_FILE:dawnhelm-cli>
                   ${PROJECT_SOURCE_DIR}/data/completion/dawnhelm-cli.bash)
endif()

install(FILES
    ${PROJECT_SOURCE_DIR}/data/Dawnlabel.txt
    ${PROJECT_SOURCE_DIR}/data/sunrise.wav
    ${PROJECT_SOURCE_DIR}/data/sunset.wav
    ${PROJECT_SOURCE_DIR}/data/sunrise.jpg
    ${PROJECT_SOURCE_DIR}/data/sunset.jpg
  DESTINATION ${DAWN_INSTALL_DATADIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/help/ DESTINATION ${DAWN_INSTALL_DATADIR}/help)

if(TARGET dawnhelm)
  install(TARGETS dawnhelm RUNTIME DESTINATION ${DAWN_INSTALL_PROGRAMDIR})
  install(TARGETS dawnhelm-sound LIBRARY DESTINATION ${DAWN_INSTALL_MODULEDIR})

  # The launcher finds the program and the shipped files relative to itself,
  # so the installed tree works from any prefix and can be moved.
  set(_prefix_bin ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR})
  file(RELATIVE_PATH DAWN_PROGRAM_FROM_BIN ${_prefix_bin}
       ${CMAKE_INSTALL_PREFIX}/${DAWN_INSTALL_PROGRAMDIR}/dawnhelm)
  file(RELATIVE_PATH DAWN_DATA_FROM_BIN ${_prefix_bin} ${CMAKE_INSTALL_PREFIX}/${DAWN_INSTALL_DATADIR})
  set(DAWN_PROGRAM_FROM_PREFIX ${DAWN_INSTALL_PROGRAMDIR}/dawnhelm)
  configure_file(${DAWN_DESKTOP_DIR}/dawnhelm.in ${CMAKE_BINARY_DIR}/desktop/dawnhelm @ONLY)
  install(PROGRAMS ${CMAKE_BINARY_DIR}/desktop/dawnhelm DESTINATION ${CMAKE_INSTALL_BINDIR})

  foreach(_size 16 22 24 32 48 64 128 256)
    install(FILES ${DAWN_DESKTOP_DIR}/icons/${_size}x${_size}/dawnhelm.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps)
  endforeach()
  install(FILES ${DAWN_DESKTOP_DIR}/dawnhelm.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${DAWN_DESKTOP_DIR}/${DAWN_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  # The pictures the AppStream screenshots show, as the home page serves them.
  install(FILES ${PROJECT_SOURCE_DIR}/docs/screenshot.png ${PROJECT_SOURCE_DIR}/docs/graph.png
          DESTINATION ${DAWN_INSTALL_DATADIR}/screenshots)

  install(CODE "
    set(DAWN_DESKTOP_IN \"${DAWN_DESKTOP_DIR}/${DAWN_APP_ID}.desktop.in\")
    set(DAWN_DESKTOP_OUT \"${CMAKE_BINARY_DIR}/desktop/${DAWN_APP_ID}.desktop\")
    set(DAWN_LAUNCHER \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/dawnhelm\")
    set(DAWN_APPLICATIONS_DIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")")
  install(SCRIPT ${PROJECT_SOURCE_DIR}/cmake/install_desktop_entry.cmake)

  # Installs into a temporary prefix, validates the desktop entry and the
  # AppStream data, and checks that the launcher prepares the user's folder.
  add_test(NAME install_and_launcher
           COMMAND sh ${PROJECT_SOURCE_DIR}/tests/install/check_install.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(install_and_launcher PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
endif()

include(${PROJECT_SOURCE_DIR}/cmake/package.cmake)
