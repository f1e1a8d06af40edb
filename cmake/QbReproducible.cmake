# Builds that do not depend on where or when they ran: the source and build
# folders are mapped to "." in whatever the compiler records of them (file
# names of assertions and debug information), except in Debug builds, whose
# debugger wants the real paths; and the Windows executables carry no link
# time in their PE header. The packages take their dates from
# QbSourceDateEpoch.cmake.
include(CheckCXXCompilerFlag)

check_cxx_compiler_flag(-ffile-prefix-map=a=b QB_HAS_FILE_PREFIX_MAP)
if(QB_HAS_FILE_PREFIX_MAP)
  # The build folder may sit inside the source folder: GCC tries the map
  # given last first.
  add_compile_options(
    "$<$<NOT:$<CONFIG:Debug>>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>"
    "$<$<NOT:$<CONFIG:Debug>>:-ffile-prefix-map=${PROJECT_BINARY_DIR}=.>")
endif()

if(WIN32)
  add_link_options(-Wl,--no-insert-timestamp)
endif()
