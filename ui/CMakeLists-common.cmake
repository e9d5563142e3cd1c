# Shared rules of the window libraries: every .cpp of a folder except the
# *_test.cpp files forms the library, the *_test.cpp files form one test
# program run under the offscreen platform.
function(dawn_ui_library name)
  cmake_parse_arguments(ARG "" "" "LIBS;EXCLUDE" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
                                    ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  list(FILTER _src EXCLUDE REGEX "_test\\.cpp$")
  foreach(_skip ${ARG_EXCLUDE})
    list(REMOVE_ITEM _src ${CMAKE_CURRENT_SOURCE_DIR}/${_skip})
  endforeach()
  add_library(${name} STATIC ${_src})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  file(GLOB _tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  if(_tests)
    dawn_ui_test_program(${name}_tests SOURCES ${_tests} LIBS ${name})
  endif()
endfunction()

# One test program of windows, run under the offscreen platform, and again on
# two small screens for its *SmallScreen* tests: 1920 x 1080 at double scale
# (960 x 540 of the windows' pixels) and 1366 x 768 at normal scale.
function(dawn_ui_test_program name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} dawn_qt_test_main GTest::gtest GTest::gmock Qt6::Test)
  target_compile_definitions(${name} PRIVATE DAWN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60
    DISCOVERY_MODE PRE_TEST)
  string(REGEX REPLACE "_tests$" "" _base ${name})
  foreach(_screen fullhd_double_scale small_laptop)
    add_test(NAME ${_base}_${_screen} COMMAND ${name} --gtest_filter=*SmallScreen*)
    set_tests_properties(${_base}_${_screen} PROPERTIES ENVIRONMENT
      "QT_QPA_PLATFORM=offscreen:configfile=${PROJECT_SOURCE_DIR}/ui/main/testsupport/${_screen}.json")
  endforeach()
endfunction()
