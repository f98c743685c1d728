# The navigation display frame benchmark, included from bench/CMakeLists.txt:
# fms_update plus the HW_B737_ND render pass in MAP mode over the world
# database, on the recording and the Cairo backends. `make bench` runs it.
if(NOT TARGET orvex_module)
  return()
endif()

add_executable(orvex-nd-bench ${CMAKE_CURRENT_LIST_DIR}/nd_frame_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/frame_timing.cpp)
# frame_timing.cpp writes its route with the tests' plan helper.
target_include_directories(orvex-nd-bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(orvex-nd-bench PRIVATE orvex_host orvex_module)
target_compile_definitions(orvex-nd-bench PRIVATE ORVEX_WORLD_DIR="${CMAKE_BINARY_DIR}/world")
add_dependencies(orvex-nd-bench orvex-world-navdb)
