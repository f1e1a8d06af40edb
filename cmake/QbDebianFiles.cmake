# Run by CPack on the staged files before it packs them: the Debian package
# keeps its documentation as Debian does (the licence as `copyright`, the
# manual page compressed, a changelog entry for the version dated by
# SOURCE_DATE_EPOCH, see QbSourceDateEpoch.cmake) and carries its answer to
# lintian's one false alarm; the other packages stay as installed.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
set(root ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
set(doc ${root}/share/doc/${CPACK_PACKAGE_NAME})

file(RENAME ${doc}/LICENSE ${doc}/copyright)

string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE ${doc}/changelog
     "${CPACK_PACKAGE_NAME} (${CPACK_PACKAGE_VERSION}) stable; urgency=low\n\n"
     "  * Release ${CPACK_PACKAGE_VERSION}.\n\n"
     " -- ${CPACK_PACKAGE_CONTACT}  ${date}\n")

# Lintian finds no fortified C library call (__read_chk and the like) in the
# program, which is built with _FORTIFY_SOURCE=3 all the same: each of its
# calls that has a checked form either has a length that the compiler proves
# fits (reads into fixed arrays, poll on a fixed set) or fills a heap buffer
# whose size it cannot know (fread into a std::string), so none is left for
# a check at run time.
if(CPACK_QB_HARDEN)
  file(WRITE ${root}/share/lintian/overrides/${CPACK_PACKAGE_NAME}
       "${CPACK_PACKAGE_NAME}: hardening-no-fortify-functions [usr/bin/${CPACK_PACKAGE_NAME}]\n")
endif()

file(GLOB pages ${root}/share/man/man1/*.1)
foreach(file ${doc}/changelog ${pages})
  execute_process(COMMAND gzip -9nf ${file} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
