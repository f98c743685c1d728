# The attitude display benchmark, included from bench/CMakeLists.txt: the
# B777_PFD_NB, EFS50_EADI and A320_EADI_NB render passes on the recording and
# the Cairo backends. `make bench` runs it.
if(NOT TARGET orvex_module)
  return()
endif()

add_executable(orvex-attitude-bench ${CMAKE_CURRENT_LIST_DIR}/attitude_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/frame_timing.cpp)
# frame_timing.cpp writes its route with the tests' plan helper.
target_include_directories(orvex-attitude-bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(orvex-attitude-bench PRIVATE orvex_host orvex_module)
