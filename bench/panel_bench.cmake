# The whole-panel benchmark, included from bench/CMakeLists.txt: the example
# panel's cost per frame on Cairo and on the recording backend, each gauge of
# it alone, and the panel with no coverage kept. `make bench` runs it.
if(NOT TARGET orvex_module)
  return()
endif()

add_executable(orvex-panel-bench ${CMAKE_CURRENT_LIST_DIR}/panel_bench.cpp)
target_link_libraries(orvex-panel-bench PRIVATE orvex_host orvex_module)
target_compile_definitions(orvex-panel-bench PRIVATE ORVEX_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
                                                     ORVEX_BUILD_DIR="${CMAKE_BINARY_DIR}")
add_dependencies(orvex-panel-bench orvex1 orvex-sim)
