# qb_add_tests(<name> SOURCES <files...> LIBS <libraries...> [PROGRAM] [STANDINS] [EACH_CASE])
# Builds one GoogleTest executable from unit tests that sit beside their code
# and registers it with CTest: as one test that runs all its cases in one
# process, or, with EACH_CASE, every case as a test of its own, labelled
# "e2e". Unit tests keep a processor busy for milliseconds a case, so one
# process is quickest for them (a process of the sanitizer build costs some
# 40 ms to start and end); end-to-end cases mostly wait on the program, so
# they run side by side, each in its own process. A test that starts
# programs names them: PROGRAM, the program itself as QB_PROGRAM; STANDINS,
# the stand-in tools as QB_GORC_STANDIN and QB_FBC_STANDIN and the folder
# of the demo icons, drawn once by the build, as QB_DEMO_ICONS; each is
# built before the test. Does nothing when tests are off.
function(qb_add_tests name)
  if(NOT QB_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "PROGRAM;STANDINS;EACH_CASE" "" "SOURCES;LIBS" ${ARGN})
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
      QB_DEMO_ICONS="${PROJECT_BINARY_DIR}/tools/demo-icons")
    add_dependencies(${name} gorc_standin fbc_standin)
    if(NOT WIN32)  # the Windows build's tests draw no icons
      add_dependencies(${name} demo_icons)
    endif()
  endif()
  if(ARG_EACH_CASE)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS e2e)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
endfunction()
