# Cross build of the 64-bit twin of the Windows module, the stand-in and the
# platform tests, for wine where the kernel runs no 32-bit programs, with
# Debian's mingw-w64 x86_64 toolchain (g++-mingw-w64-x86-64,
# mingw-w64-x86-64-dev).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ORVEX_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
