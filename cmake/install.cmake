# Installation: `cmake --install <build> [--prefix <dir>]` puts
#   bin/dawnhelm                   the launcher (data/desktop/dawnhelm.in)
#   bin/dawnhelm-cli               the command-line companion
#   libexec/dawnhelm/dawnhelm      the window program itself
#   share/dawnhelm/                the label file, the default media, the manual
#   share/applications/, share/metainfo/, share/icons/hicolor/  desktop integration
# The desktop entry is written at install time so that its Exec line names
# the launcher under the prefix actually installed to.
include(GNUInstallDirs)

set(DAWN_APP_ID org.example.dawnhelm)
set(DAWN_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/data/desktop)
set(DAWN_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/dawnhelm)
set(DAWN_INSTALL_PROGRAMDIR ${CMAKE_INSTALL_LIBEXECDIR}/dawnhelm)

if(TARGET dawnhelm-cli)
  install(TARGETS dawnhelm-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
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
