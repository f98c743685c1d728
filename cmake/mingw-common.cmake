# What the toolchain files cmake/mingw-i686.cmake and cmake/mingw-x86_64.cmake
# share, once each has set ORVEX_MINGW_PREFIX and the processor.
#
# The thread model (ORVEX_MINGW_THREADS): win32 for the module, whose posix
# model would link the winpthreads library, which imports GetTickCount64 and
# so keeps the module from loading on Windows XP (the module has no threads);
# posix for the stand-in and the platform tests, as googletest needs
# std::mutex, which the win32 model of this GCC lacks.
set(CMAKE_SYSTEM_NAME Windows)
set(ORVEX_MINGW_THREADS win32 CACHE STRING "thread model of the mingw-w64 compilers: win32 or posix")
find_program(CMAKE_C_COMPILER NAMES ${ORVEX_MINGW_PREFIX}-gcc-${ORVEX_MINGW_THREADS} REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${ORVEX_MINGW_PREFIX}-g++-${ORVEX_MINGW_THREADS} REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${ORVEX_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ORVEX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs run under wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
