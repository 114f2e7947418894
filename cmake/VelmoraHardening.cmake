# The hardening Debian's build flags give (dpkg-buildflags with hardening=+all),
# for every build that sanitizers do not instrument: a stack protector and
# stack clash protection, checked string and memory functions, control-flow
# protection where the processor has it, position-independent executables,
# and relocations read-only and bound at start. A distribution's own
# _FORTIFY_SOURCE level, when it sets one, is kept.
include(CheckPIESupported)
include(CheckCXXCompilerFlag)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

add_compile_options(-fstack-protector-strong)
foreach(flag -fstack-clash-protection -fcf-protection)
  string(MAKE_C_IDENTIFIER "VELMORA_HAS${flag}" known)
  check_cxx_compiler_flag(${flag} ${known})
  if(${known})
    add_compile_options(${flag})
  endif()
endforeach()
if(NOT "$ENV{CPPFLAGS} ${CMAKE_C_FLAGS} ${CMAKE_CXX_FLAGS}" MATCHES "_FORTIFY_SOURCE")
  # glibc checks only optimised code and warns about the rest.
  add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
endif()
add_link_options(LINKER:-z,relro LINKER:-z,now)
