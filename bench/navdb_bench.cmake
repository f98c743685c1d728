# The navigation database benchmark, included from bench/CMakeLists.txt.
# `make bench` runs it; the world database it reads is generated into the
# build folder by orvex-gen-world on the first build (and again whenever the
# generator changes).
# Configured on its own (generator only), this folder has no module to time.
if(NOT TARGET orvex_module)
  return()
endif()

set(ORVEX_WORLD_DIR ${CMAKE_BINARY_DIR}/world)

add_custom_command(
  OUTPUT ${ORVEX_WORLD_DIR}/orvex/navdata/ints.txt
  COMMAND orvex-gen-world ${ORVEX_WORLD_DIR}
  DEPENDS orvex-gen-world
  COMMENT "Generating the world navigation database in ${ORVEX_WORLD_DIR}"
  VERBATIM)
add_custom_target(orvex-world-navdb DEPENDS ${ORVEX_WORLD_DIR}/orvex/navdata/ints.txt)

add_executable(orvex-bench ${CMAKE_CURRENT_LIST_DIR}/navdb_bench.cpp)
target_link_libraries(orvex-bench PRIVATE orvex_module)
target_compile_definitions(orvex-bench PRIVATE ORVEX_WORLD_DIR="${ORVEX_WORLD_DIR}")
add_dependencies(orvex-bench orvex-world-navdb)
