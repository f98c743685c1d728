# Cross build of the 32-bit Windows module, the one users install, with
# Debian's mingw-w64 i686 toolchain (g++-mingw-w64-i686, mingw-w64-i686-dev).
# Only this build compiles the layout checks of src/sim/gauge_abi.h.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ORVEX_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
