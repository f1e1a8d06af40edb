# Run by CPack after each of its generators, on the packages it made: the
# .tar.gz is packed again with its entries in name order (CPack adds them in
# the order the file system lists them, which differs from one file system
# to another), and SHA256SUMS beside the packages gets a line for each, in
# sha256sum's format. The Debian package's entries are in name order already.
include(${CMAKE_CURRENT_LIST_DIR}/QbSourceDateEpoch.cmake)

foreach(package ${CPACK_PACKAGE_FILES})
  if(CPACK_GENERATOR STREQUAL "TGZ")
    set(unpacked ${CPACK_TOPLEVEL_DIRECTORY}/qb-sorted)
    file(REMOVE_RECURSE ${unpacked})
    file(MAKE_DIRECTORY ${unpacked})
    execute_process(COMMAND tar -xzpf ${package} -C ${unpacked} COMMAND_ERROR_IS_FATAL ANY)
    # The entries of the top folder, not the folder itself, as CPack has them.
    file(GLOB top RELATIVE ${unpacked} ${unpacked}/*/*)
    list(SORT top)
    set(dates "")
    if(QB_SOURCE_DATE_EPOCH)
      set(dates --mtime=@${QB_SOURCE_DATE_EPOCH})
    endif()
    execute_process(
      COMMAND tar -cf - -C ${unpacked} --format=ustar --sort=name
              --owner=root:0 --group=root:0 ${dates} ${top}
      COMMAND gzip -9n
      OUTPUT_FILE ${package}
      COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE ${unpacked})
  endif()

  # SHA256SUMS keeps the lines of the other packages that are still there,
  # in the order of their names. The package is still in CPack's own folder;
  # CPack copies it to the package folder next.
  set(folder ${CPACK_PACKAGE_DIRECTORY})
  get_filename_component(name ${package} NAME)
  set(sums ${folder}/SHA256SUMS)
  set(entries "")
  if(EXISTS ${sums})
    file(STRINGS ${sums} old)
    foreach(line ${old})
      if(line MATCHES "^([0-9a-f]+)  (.+)$" AND NOT CMAKE_MATCH_2 STREQUAL name
         AND EXISTS ${folder}/${CMAKE_MATCH_2})
        list(APPEND entries "${CMAKE_MATCH_2}/${CMAKE_MATCH_1}")
      endif()
    endforeach()
  endif()
  file(SHA256 ${package} hash)
  list(APPEND entries "${name}/${hash}")
  list(SORT entries)
  set(text "")
  foreach(entry ${entries})
    string(REGEX REPLACE "^(.+)/([0-9a-f]+)$" "\\2  \\1\n" line "${entry}")
    string(APPEND text "${line}")
  endforeach()
  file(WRITE ${sums} "${text}")
endforeach()
