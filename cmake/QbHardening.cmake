# Hardening of the executables, on by default (QB_HARDEN): the stack
# protector, the fortified C library calls in optimised builds, and on Linux
# stack-clash protection, control-flow protection (x86-64), a position
# independent executable and full RELRO with immediate binding; on Windows a
# relocatable image with high-entropy ASLR and a non-executable stack and
# heap (libssp comes in statically, so the .exe still needs no DLL of ours).
#
# A distribution's own flags (CXXFLAGS and LDFLAGS, as dpkg-buildflags
# gives them) come first and win: a family of flags that they already set,
# either way, is left to them, so nothing here redefines _FORTIFY_SOURCE or
# turns a -fno-stack-protector back on. The sanitizer and fuzz builds leave
# out the stack protector and the fortified calls, which get in the way of
# the sanitizers' own checks and interceptors.
option(QB_HARDEN "Build with the stack protector, fortified calls, RELRO and ASLR" ON)
if(NOT QB_HARDEN)
  return()
endif()

include(CheckCXXCompilerFlag)
include(CheckCXXSourceCompiles)

string(TOUPPER "${CMAKE_BUILD_TYPE}" qb_config)
set(qb_user_compile "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${qb_config}}")
set(qb_user_link "${CMAKE_EXE_LINKER_FLAGS} ${CMAKE_EXE_LINKER_FLAGS_${qb_config}}")
set(qb_instrumented OFF)
if(QB_SANITIZE OR QB_FUZZ)
  set(qb_instrumented ON)
endif()

# qb_harden_compile(<pattern> <flag>): compiles with <flag> unless the
# user's flags match <pattern>, or the compiler does not take it.
function(qb_harden_compile pattern flag)
  if(qb_user_compile MATCHES "${pattern}")
    return()
  endif()
  string(MAKE_C_IDENTIFIER "QB_HAS${flag}" result)
  check_cxx_compiler_flag(${flag} ${result})
  if(${result})
    add_compile_options(${flag})
  endif()
endfunction()

# The stack protector; MinGW's compiler also needs it on the link line, where
# it brings in libssp (statically, as the link is).
if(NOT qb_instrumented)
  qb_harden_compile("-f(no-)?stack-protector" -fstack-protector-strong)
  if(WIN32 AND QB_HAS_fstack_protector_strong)
    add_link_options(-fstack-protector-strong)
  endif()
endif()

# The fortified calls need the optimiser, so only the optimised builds get
# them; level 3 where the C library knows it (it falls back to 2 where not).
# Nothing is added when the user's flags or the compiler itself already
# define _FORTIFY_SOURCE (some distributions' compilers do).
check_cxx_source_compiles("
#ifdef _FORTIFY_SOURCE
#error defined
#endif
int main() { return 0; }" QB_FORTIFY_UNSET)
if(NOT qb_instrumented AND QB_FORTIFY_UNSET AND NOT qb_user_compile MATCHES "_FORTIFY_SOURCE")
  set(qb_optimised "$<OR:$<CONFIG:Release>,$<CONFIG:RelWithDebInfo>,$<CONFIG:MinSizeRel>>")
  if(qb_user_compile MATCHES "(^| )-O[1-3sz]?( |$)")
    set(qb_optimised 1)
  endif()
  add_compile_definitions($<${qb_optimised}:_FORTIFY_SOURCE=3>)
  # MinGW's fortified calls live in libssp too.
  if(WIN32 AND NOT QB_HAS_fstack_protector_strong)
    link_libraries(ssp)
  endif()
endif()

if(WIN32)
  # Relocatable at a random base anywhere in the 64-bit space, and data
  # pages not executable. The user's flags may turn any of them off.
  foreach(feature dynamicbase high-entropy-va nxcompat)
    if(NOT qb_user_link MATCHES "${feature}")
      add_link_options(-Wl,--${feature})
    endif()
  endforeach()
  return()
endif()

qb_harden_compile("-f(no-)?stack-clash-protection" -fstack-clash-protection)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64)$")
  qb_harden_compile("-f(no-)?cf-protection" -fcf-protection)
endif()

# A position-independent executable, so that its base is random too.
if(NOT qb_user_link MATCHES "-no-pie")
  include(CheckPIESupported)
  check_pie_supported(LANGUAGES CXX)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
endif()

# Full RELRO: the relocated data and the whole GOT read-only once the
# program starts, every symbol bound at load.
if(NOT qb_user_link MATCHES "relro")
  add_link_options(-Wl,-z,relro)
endif()
if(NOT qb_user_link MATCHES "-z[, ]*(now|lazy)")
  add_link_options(-Wl,-z,now)
endif()
