# Run by CPack on the staged files before it packs them: the Debian package
# keeps its documentation as Debian does (the licence as `copyright`, the
# manual page compressed, a changelog entry for the version dated by
# SOURCE_DATE_EPOCH, see QbSourceDateEpoch.cmake); the other packages stay as
# installed.
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

file(GLOB pages ${root}/share/man/man1/*.1)
foreach(file ${doc}/changelog ${pages})
  execute_process(COMMAND gzip -9nf ${file} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
