# Run by CPack on the staged files of each package, after QbDebianFiles.cmake:
# gives every folder and file the same mode whatever the umask of the build,
# so that the packages' bytes do not depend on it: folders and programs
# rwxr-xr-x, other files rw-r--r--. The programs, stripped by CPack already,
# also lose the compilers' version notes (.comment) and the .note section,
# as Debian's own packages do.
set(root ${CPACK_TEMPORARY_INSTALL_DIRECTORY})
file(GLOB_RECURSE entries LIST_DIRECTORIES true ${root}/*)
foreach(entry ${entries})
  if(IS_SYMLINK ${entry})
    continue()
  endif()
  if(IS_DIRECTORY ${entry})
    file(CHMOD ${entry} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
         GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    continue()
  endif()
  # A program is a file that its owner may run.
  execute_process(COMMAND test -x ${entry} RESULT_VARIABLE not_executable)
  if(not_executable EQUAL 0)
    if(CPACK_QB_STRIP)
      execute_process(COMMAND ${CPACK_QB_STRIP} --remove-section=.comment
                              --remove-section=.note ${entry} COMMAND_ERROR_IS_FATAL ANY)
    endif()
    file(CHMOD ${entry} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
         GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  else()
    file(CHMOD ${entry} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  endif()
endforeach()
