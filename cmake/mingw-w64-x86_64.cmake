# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the posix
# variant: the win32 one has no std::thread). Libraries come from
# /usr/x86_64-w64-mingw32 (zlib) and from VELMORA_WINDOWS_DEPS, the prefix
# scripts/build-windows builds freeglut, libpng, libjpeg-turbo, stb and
# GoogleTest into. Programs link statically: nothing but Windows's own DLLs
# needs to stand beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

if(NOT VELMORA_WINDOWS_DEPS AND DEFINED ENV{VELMORA_WINDOWS_DEPS})
  set(VELMORA_WINDOWS_DEPS $ENV{VELMORA_WINDOWS_DEPS})
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VELMORA_WINDOWS_DEPS)

set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${VELMORA_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# The libraries built for Windows are system headers here, as /usr/include's
# are on Linux: their own warnings are not ours.
if(VELMORA_WINDOWS_DEPS)
  set(CMAKE_C_FLAGS_INIT "-isystem ${VELMORA_WINDOWS_DEPS}/include")
  set(CMAKE_CXX_FLAGS_INIT "-isystem ${VELMORA_WINDOWS_DEPS}/include")
endif()
