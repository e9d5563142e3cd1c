# Rules of the libraries without widgets: every .cpp of the folder except the
# *_test.cpp files forms the library, the *_test.cpp files one GoogleTest
# program registered with ctest.
function(dawn_plain_library name)
  cmake_parse_arguments(ARG "" "" "LIBS;TEST_LIBS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER _src EXCLUDE REGEX "_test\\.cpp$")
  add_library(${name} STATIC ${_src})
  # These libraries know no Qt: keep moc and rcc away from them.
  set_target_properties(${name} PROPERTIES AUTOMOC OFF AUTORCC OFF)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  file(GLOB _tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  if(_tests)
    add_executable(${name}_tests ${_tests})
    set_target_properties(${name}_tests PROPERTIES AUTOMOC OFF AUTORCC OFF)
    target_link_libraries(${name}_tests PRIVATE ${name} GTest::gtest_main GTest::gmock ${ARG_TEST_LIBS})
    target_compile_definitions(${name}_tests PRIVATE DAWN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    gtest_discover_tests(${name}_tests DISCOVERY_TIMEOUT 60 DISCOVERY_MODE PRE_TEST)
  endif()
endfunction()
