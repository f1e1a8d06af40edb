# What `cmake --install` puts in place (under CMAKE_INSTALL_PREFIX, honouring
# DESTDIR), and the Linux packages of `make dist` made from it by CPack: a
# Debian package and a .tar.gz. The program, its manual page, README and
# LICENSE; the stand-in tools and the icon maker are demo and test tools and
# stay out.
include(GNUInstallDirs)

configure_file(${PROJECT_SOURCE_DIR}/doc/quillbarrow.1.in ${PROJECT_BINARY_DIR}/quillbarrow.1 @ONLY)
install(TARGETS quillbarrow RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_BINARY_DIR}/quillbarrow.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB TGZ)
set(CPACK_PACKAGE_VENDOR "The Quillbarrow Authors")
set(CPACK_PACKAGE_CONTACT "The Quillbarrow Authors <authors@quillbarrow.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "build FreeBASIC programs with icons and version information")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillbarrowmintstamperwright asks on an 80 x 25 text screen for a program's
version information (description, copyright, versions, product name and so
on) and one to three icon files, writes the resource script RESFILE.RC, runs
the GoRC resource compiler GORC.EXE and the FreeBASIC compiler FBC.EXE with
their logs, and shows in a framed box whether the executable was made.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The same commit packs to the same bytes: the dates of the last commit
# (or SOURCE_DATE_EPOCH), the same modes whatever the umask, the entries in
# name order; and SHA256SUMS beside the packages.
set(CPACK_QB_STRIP ${CMAKE_STRIP})
set(CPACK_QB_HARDEN ${QB_HARDEN})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/QbSourceDateEpoch.cmake)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/QbDebianFiles.cmake
                            ${CMAKE_CURRENT_LIST_DIR}/QbStagedFiles.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/QbPackageOutput.cmake)
include(CPack)
