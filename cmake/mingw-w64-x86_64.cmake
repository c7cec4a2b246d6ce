# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (POSIX threads, for std::thread).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(NAX_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${NAX_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NAX_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${NAX_MINGW_TRIPLET}-windres)

# Libraries and headers come from the MinGW sysroot and the prefixes given (Qt for Windows),
# programs from the host: the host's Qt tools run the build.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${NAX_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# Tests built for Windows run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
