# The Windows package: quillbarrow.exe with README.md and LICENSE in one zip
# file, quillbarrow-windows.zip in the build directory, with SHA256SUMS
# beside it (make package). Included by the build, this file adds the
# windows_zip target; that target runs it again as a script, which packs.
#
# The same commit packs to the same bytes: each entry has the same mode
# whatever the umask, the date of QbSourceDateEpoch.cmake and no other time
# (Info-ZIP's zip with -X leaves out the access and change times that
# `cmake -E tar` would keep), the entries come in name order, and the zip's
# local times are taken in UTC.
if(NOT CMAKE_SCRIPT_MODE_FILE)
  find_program(QB_ZIP_PROGRAM zip)
  if(NOT QB_ZIP_PROGRAM)
    set(QB_ZIP_PROGRAM zip)
  endif()
  add_custom_target(windows_zip
    COMMAND ${CMAKE_COMMAND} -DQB_EXE=$<TARGET_FILE:quillbarrow>
            -DQB_ZIP=${PROJECT_BINARY_DIR}/quillbarrow-windows.zip
            -DQB_ZIP_PROGRAM=${QB_ZIP_PROGRAM} -P ${CMAKE_CURRENT_LIST_FILE}
    DEPENDS quillbarrow
    COMMENT "Packing ${PROJECT_BINARY_DIR}/quillbarrow-windows.zip"
    VERBATIM)
  return()
endif()

include(${CMAKE_CURRENT_LIST_DIR}/QbSourceDateEpoch.cmake)
get_filename_component(source_root ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
get_filename_component(build_dir ${QB_ZIP} DIRECTORY)
get_filename_component(zip_name ${QB_ZIP} NAME)
set(staging ${build_dir}/zip)

file(REMOVE_RECURSE ${staging} ${QB_ZIP})
file(MAKE_DIRECTORY ${staging})
file(COPY_FILE ${QB_EXE} ${staging}/quillbarrow.exe)
file(COPY_FILE ${source_root}/README.md ${staging}/README.md)
file(COPY_FILE ${source_root}/LICENSE ${staging}/LICENSE)
file(CHMOD ${staging}/quillbarrow.exe PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
     GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
file(CHMOD ${staging}/README.md ${staging}/LICENSE
     PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
set(entries LICENSE README.md quillbarrow.exe)
if(QB_SOURCE_DATE_EPOCH)
  execute_process(COMMAND touch -d @${QB_SOURCE_DATE_EPOCH} ${entries}
                  WORKING_DIRECTORY ${staging} COMMAND_ERROR_IS_FATAL ANY)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC
                        ${QB_ZIP_PROGRAM} -X -9 -q ${QB_ZIP} ${entries}
                WORKING_DIRECTORY ${staging} COMMAND_ERROR_IS_FATAL ANY)

file(SHA256 ${QB_ZIP} hash)
file(WRITE ${build_dir}/SHA256SUMS "${hash}  ${zip_name}\n")
