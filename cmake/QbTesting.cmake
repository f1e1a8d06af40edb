# qb_add_tests(<name> SOURCES <files...> LIBS <libraries...> [PROGRAM] [STANDINS])
# Builds one GoogleTest executable from unit tests that sit beside their code
# and registers every test case with CTest. A test that starts programs
# names them: PROGRAM, the program itself as QB_PROGRAM; STANDINS, the
# stand-in tools and the icon maker as QB_GORC_STANDIN, QB_FBC_STANDIN and
# QB_MAKE_ICONS; each is built before the test. Does nothing when tests are off.
function(qb_add_tests name)
  if(NOT QB_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "PROGRAM;STANDINS" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(ARG_PROGRAM)
    target_compile_definitions(${name} PRIVATE QB_PROGRAM="$<TARGET_FILE:quillbarrow>")
    add_dependencies(${name} quillbarrow)
  endif()
  if(ARG_STANDINS)
    target_compile_definitions(${name} PRIVATE
      QB_GORC_STANDIN="$<TARGET_FILE:gorc_standin>"
      QB_FBC_STANDIN="$<TARGET_FILE:fbc_standin>"
      QB_MAKE_ICONS="$<TARGET_FILE:make_icons>")
    add_dependencies(${name} gorc_standin fbc_standin make_icons)
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()
