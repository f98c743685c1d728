# The C17_MFD format benchmark, included from bench/CMakeLists.txt: the
# render pass in the PFD, configuration and engine formats and the
# PROLINE_EICAS strip on the recording and the Cairo backends, and the
# navigation formats over the world database. `make bench` runs it.
if(NOT TARGET orvex_module)
  return()
endif()

add_executable(orvex-c17-bench ${CMAKE_CURRENT_LIST_DIR}/c17_mfd_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/frame_timing.cpp)
# frame_timing.cpp writes its route with the tests' plan helper.
target_include_directories(orvex-c17-bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(orvex-c17-bench PRIVATE orvex_host orvex_module)
target_compile_definitions(orvex-c17-bench PRIVATE ORVEX_WORLD_DIR="${CMAKE_BINARY_DIR}/world")
add_dependencies(orvex-c17-bench orvex-world-navdb)
