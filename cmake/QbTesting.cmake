# qb_add_tests(<name> SOURCES <files...> LIBS <libraries...> [PROGRAM] [STANDINS] [LOCALES]
#              [EACH_CASE])
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
# built before the test. LOCALES: the locales of QB_TEST_LOCALES, made by
# localedef in the build tree, with their folder as QB_TEST_LOCPATH for the
# tests to pass on as LOCPATH, so that a machine without them installed
# runs the tests all the same. A program of unit tests still running after
# five minutes has hung, and fails with its name instead of stalling the
# run. Does nothing when tests are off.
function(qb_add_tests name)
  if(NOT QB_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "PROGRAM;STANDINS;LOCALES;EACH_CASE" "" "SOURCES;LIBS" ${ARGN})
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
  if(ARG_LOCALES)
    qb_test_locales()
    target_compile_definitions(${name} PRIVATE QB_TEST_LOCPATH="${PROJECT_BINARY_DIR}/locales")
    add_dependencies(${name} qb_test_locales)
  endif()
  if(ARG_EACH_CASE)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS e2e)
  else()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  endif()
endfunction()

# The locales the tests run in, as language_TERRITORY.CHARSET[@modifier],
# and after a colon the character map where its name is not CHARSET's:
# those that are not UTF-8, which the C library must load (the legacy sets
# of several bytes a character among them), and those wine takes its code
# pages from (and names files in) when the Windows program or tools run in
# them. The tests name them, so the list is no setting: a build tree made
# before a locale joined it makes that one too.
set(QB_TEST_LOCALES ru_RU.KOI8-R ru_RU.UTF-8 pl_PL.UTF-8 el_GR.UTF-8 tr_TR.UTF-8 he_IL.UTF-8
    th_TH.UTF-8 de_DE.UTF-8 ja_JP.UTF-8 zh_CN.UTF-8 zh_TW.UTF-8 ko_KR.UTF-8 ja_JP.SJIS:SHIFT_JIS ja_JP.EUC-JP zh_CN.GB18030 zh_CN.GBK
    zh_TW.BIG5 ko_KR.EUC-KR)

# The target qb_test_locales: each locale of QB_TEST_LOCALES compiled from
# glibc's sources (the Debian package locales) into <build>/locales. Made
# once, by the first test program that asks for it.
function(qb_test_locales)
  if(TARGET qb_test_locales)
    return()
  endif()
  set(made)
  foreach(entry ${QB_TEST_LOCALES})
    string(REGEX REPLACE ":.*$" "" locale ${entry})
    string(REGEX REPLACE "\\..*$" "" language_territory ${locale})
    string(REGEX REPLACE "^[^.]*\\.([^@]*).*$" "\\1" charset ${locale})
    if(entry MATCHES ":(.*)$")
      set(charset ${CMAKE_MATCH_1})
    endif()
    set(source ${language_territory})
    if(locale MATCHES "@(.*)$")
      set(source ${source}@${CMAKE_MATCH_1})
    endif()
    set(output ${PROJECT_BINARY_DIR}/locales/${locale})
    # localedef's status 1 means warnings; the locale is made all the same.
    # localedef makes the locale's own folder but not the one above it,
    # which only Ninja makes for a command's output.
    add_custom_command(OUTPUT ${output}/LC_CTYPE
      COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/locales
      COMMAND sh -c "localedef -i ${source} -f ${charset} ${output}; test -f ${output}/LC_CTYPE"
      COMMENT "Making the locale ${locale} for the tests"
      VERBATIM)
    list(APPEND made ${output}/LC_CTYPE)
  endforeach()
  add_custom_target(qb_test_locales DEPENDS ${made})
endfunction()
