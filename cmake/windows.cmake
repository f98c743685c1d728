# The Windows build (configured with cmake/mingw-i686.cmake): orvex1.gau, a
# 32-bit DLL exporting only Linkage and ImportTable, drawing through GDI+;
# orvex-sim.exe, the stand-in; and the platform tests, to run under wine.
# Files ending in _posix.cpp and the Cairo, fontconfig and recording backends
# are the Linux build's; files ending in _win.cpp are this build's.
set(ORVEX_LINUX_ONLY "(_posix|/gfx_cairo|/gfx_cairo_paths|/gfx_cairo_script|/gfx_cairo_draw|/gfx_cairo_cover|/gfx_text|/gfx_fonts|/gfx_graphics|/gfx_recording|/gfx_surface)\\.cpp$")

# Everything of the C and C++ runtimes inside the DLL and the programs, so
# that they need only the system's own DLLs.
add_link_options(-static -static-libgcc -static-libstdc++)
add_compile_definitions(NOMINMAX _USE_MATH_DEFINES _WIN32_WINNT=0x0501)
# GCC 12 reports false overlaps inside std::string at -O2 on this target.
add_compile_options(-Wno-restrict)

file(GLOB_RECURSE ORVEX_MODULE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp)
list(FILTER ORVEX_MODULE_SOURCES EXCLUDE REGEX "${ORVEX_LINUX_ONLY}")
# The DIB-section surfaces are the stand-in's, not the module's.
list(FILTER ORVEX_MODULE_SOURCES EXCLUDE REGEX "/gfx_surface_win\\.cpp$")

# Two builds (the Makefile's `windows`): the module with the win32 thread
# model, and in a build of its own the stand-in and the platform tests with
# the posix model (cmake/mingw-i686.cmake).
if(ORVEX_MINGW_THREADS STREQUAL "win32")
  add_library(orvex1 MODULE ${ORVEX_MODULE_SOURCES} ${CMAKE_SOURCE_DIR}/src/gauges/orvex1.def)
  set_target_properties(orvex1 PROPERTIES PREFIX "" SUFFIX ".gau" OUTPUT_NAME orvex1)
  target_include_directories(orvex1 PRIVATE ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(orvex1 PRIVATE gdiplus gdi32 user32 dinput8 dxguid)
  return()
endif()

# The platform tests need the platform and sim layers only.
set(ORVEX_TESTED_SOURCES ${ORVEX_MODULE_SOURCES})
list(FILTER ORVEX_TESTED_SOURCES INCLUDE REGEX "/src/(platform|sim)/")
add_library(orvex_module STATIC ${ORVEX_TESTED_SOURCES})
target_include_directories(orvex_module PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(orvex_module PUBLIC gdiplus gdi32 user32 dinput8 dxguid)

file(GLOB ORVEX_HOST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/host/*.cpp)
list(FILTER ORVEX_HOST_SOURCES EXCLUDE REGEX "(/main\\.cpp|_posix\\.cpp)$")
add_library(orvex_host STATIC ${ORVEX_HOST_SOURCES} ${CMAKE_SOURCE_DIR}/src/platform/gfx_surface_win.cpp)
target_include_directories(orvex_host PUBLIC ${CMAKE_SOURCE_DIR}/host ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(orvex_host PUBLIC gdiplus gdi32 user32)

# The simulator's runtime starts the x87 unit at double precision, as Visual
# C++'s does; mingw's own start (CRT_fp10.o) leaves it at extended precision,
# under which the module's sums round otherwise than in the Linux build (a
# vertical speed read back on the other side of a whole hundred).
# CRT_fp8.o is mingw's start at double precision. The DLL's own start leaves
# the unit as the program set it.
set(ORVEX_DOUBLE_PRECISION_START ${CMAKE_FIND_ROOT_PATH}/lib/CRT_fp8.o)

add_executable(orvex-sim ${CMAKE_SOURCE_DIR}/host/main.cpp)
target_link_libraries(orvex-sim PRIVATE ${ORVEX_DOUBLE_PRECISION_START} orvex_host)

# The platform tests, with googletest built from its sources by this toolchain.
set(ORVEX_GTEST_SOURCE /usr/src/googletest CACHE PATH "googletest sources (libgtest-dev)")
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${ORVEX_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
add_executable(test_platform_win ${CMAKE_SOURCE_DIR}/tests/platform/os_test.cpp
               ${CMAKE_SOURCE_DIR}/tests/platform/text_file_test.cpp
               ${CMAKE_SOURCE_DIR}/tests/platform/gfx_both_builds_test.cpp
               ${CMAKE_SOURCE_DIR}/tests/platform/data_link_test_win.cpp)
target_include_directories(test_platform_win PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(test_platform_win PRIVATE ${ORVEX_DOUBLE_PRECISION_START} orvex_host orvex_module gtest_main)
