# qb_add_tests(<name> SOURCES <files...> LIBS <libraries...>)
# Builds one GoogleTest executable from unit tests that sit beside their code
# and registers every test case with CTest. Does nothing when tests are off.
function(qb_add_tests name)
  if(NOT QB_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()
