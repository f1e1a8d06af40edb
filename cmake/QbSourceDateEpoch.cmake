# The time that the packages carry in their file dates, changelog and zip
# entries, so that the same commit always packs to the same bytes: the
# SOURCE_DATE_EPOCH of the environment when it is set, otherwise the time of
# the last commit of this source tree. Included by CPack for each of its
# generators (CPACK_PROJECT_CONFIG_FILE) and by the Windows zip's script;
# it leaves SOURCE_DATE_EPOCH in the environment, where CPack and
# string(TIMESTAMP) read it, and in QB_SOURCE_DATE_EPOCH. Outside a git
# checkout, with no SOURCE_DATE_EPOCH, both stay unset and dates are today's.
if(NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
  set(QB_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
  return()
endif()
set(QB_SOURCE_DATE_EPOCH "")
get_filename_component(qb_source_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
find_program(QB_GIT git)
if(QB_GIT AND EXISTS "${qb_source_root}/.git")
  execute_process(COMMAND "${QB_GIT}" -C "${qb_source_root}" log -1 --format=%ct
                  OUTPUT_VARIABLE qb_commit_time OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE qb_git_status ERROR_QUIET)
  if(qb_git_status EQUAL 0 AND qb_commit_time MATCHES "^[0-9]+$")
    set(QB_SOURCE_DATE_EPOCH "${qb_commit_time}")
    set(ENV{SOURCE_DATE_EPOCH} "${qb_commit_time}")
  endif()
endif()
