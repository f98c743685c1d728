# Cross build of the 32-bit Windows module with Debian's mingw-w64 i686
# toolchain (g++-mingw-w64-i686, mingw-w64-i686-dev).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(ORVEX_MINGW_PREFIX i686-w64-mingw32)
# The posix thread model: std::mutex and std::thread need it.
find_program(CMAKE_C_COMPILER NAMES ${ORVEX_MINGW_PREFIX}-gcc-posix ${ORVEX_MINGW_PREFIX}-gcc)
find_program(CMAKE_CXX_COMPILER NAMES ${ORVEX_MINGW_PREFIX}-g++-posix ${ORVEX_MINGW_PREFIX}-g++)
find_program(CMAKE_RC_COMPILER NAMES ${ORVEX_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ORVEX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs run under wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
