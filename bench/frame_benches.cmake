# The display benchmarks timed by the shared frame harness (frame_timing.cpp,
# which writes its route with the tests' plan helper), included from
# bench/CMakeLists.txt. `make bench` runs them.
if(NOT TARGET orvex_module)
  return()
endif()

# target: the benchmark's program; source: its .cpp here; WORLD when it reads
# the world navigation database (navdb_bench.cmake generates it).
function(orvex_frame_bench target source)
  cmake_parse_arguments(PARSE_ARGV 2 BENCH "WORLD" "" "")
  add_executable(${target} ${CMAKE_CURRENT_LIST_DIR}/${source} ${CMAKE_CURRENT_LIST_DIR}/frame_timing.cpp)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${target} PRIVATE orvex_host orvex_module)
  if(BENCH_WORLD)
    target_compile_definitions(${target} PRIVATE ORVEX_WORLD_DIR="${ORVEX_WORLD_DIR}")
    add_dependencies(${target} orvex-world-navdb)
  endif()
endfunction()

# fms_update plus the HW_B737_ND render pass in MAP mode over the world
# database, on the recording and the Cairo backends.
orvex_frame_bench(orvex-nd-bench nd_frame_bench.cpp WORLD)
# The C17_MFD render pass in the PFD, configuration and engine formats and
# the PROLINE_EICAS strip on both backends, and the navigation formats over
# the world database.
orvex_frame_bench(orvex-c17-bench c17_mfd_bench.cpp WORLD)
# The B777_PFD_NB, EFS50_EADI and A320_EADI_NB render passes on both backends.
orvex_frame_bench(orvex-attitude-bench attitude_bench.cpp)

# The vertical profile of a full plan, beside one walk of its legs.
add_executable(orvex-profile-bench ${CMAKE_CURRENT_LIST_DIR}/profile_bench.cpp)
target_include_directories(orvex-profile-bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(orvex-profile-bench PRIVATE orvex_module)
