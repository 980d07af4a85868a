# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (the POSIX-threads compilers,
# which C++ threads and Qt need). Used for Qt itself and for the game.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
# Libraries built for Windows elsewhere (Qt, Google Benchmark) are searched as well.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${VANTIRELLE_WINDOWS_PREFIXES})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
