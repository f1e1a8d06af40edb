# Cross build for 64-bit Windows with MinGW-w64. The runtime is linked
# statically, so the executables run on a bare Windows and under wine
# without any DLL beside them. When wine is at hand, test executables run
# through scripts/wine-run.sh, which gives them a console of their own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QB_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QB_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QB_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QB_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QB_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")

get_filename_component(QB_SOURCE_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
execute_process(COMMAND "${QB_SOURCE_ROOT}/scripts/find-wine.sh"
  RESULT_VARIABLE qb_wine_status OUTPUT_QUIET ERROR_QUIET)
if(qb_wine_status EQUAL 0)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${QB_SOURCE_ROOT}/scripts/wine-run.sh")
endif()
