# The MCU DIRTO benchmark, included from bench/CMakeLists.txt: the candidate
# list rebuilt for a typed identifier over the world navigation database.
# `make bench` runs it.
if(NOT TARGET orvex_module)
  return()
endif()

add_executable(orvex-mcu-bench ${CMAKE_CURRENT_LIST_DIR}/mcu_dirto_bench.cpp)
target_link_libraries(orvex-mcu-bench PRIVATE orvex_module)
target_compile_definitions(orvex-mcu-bench PRIVATE ORVEX_WORLD_DIR="${CMAKE_BINARY_DIR}/world")
add_dependencies(orvex-mcu-bench orvex-world-navdb)
