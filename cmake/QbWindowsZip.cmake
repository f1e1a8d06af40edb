# The Windows package: quillbarrow.exe with README.md and LICENSE in one zip
# file, quillbarrow-windows.zip in the build directory (make package).
set(QB_ZIP_DIR ${PROJECT_BINARY_DIR}/zip)
set(QB_ZIP ${PROJECT_BINARY_DIR}/quillbarrow-windows.zip)
add_custom_target(windows_zip
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${QB_ZIP_DIR} ${QB_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QB_ZIP_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:quillbarrow> ${PROJECT_SOURCE_DIR}/README.md
          ${PROJECT_SOURCE_DIR}/LICENSE ${QB_ZIP_DIR}
  COMMAND ${CMAKE_COMMAND} -E chdir ${QB_ZIP_DIR}
          ${CMAKE_COMMAND} -E tar cf ${QB_ZIP} --format=zip quillbarrow.exe README.md LICENSE
  DEPENDS quillbarrow
  COMMENT "Packing ${QB_ZIP}"
  VERBATIM)
