# A port read through the kernel's parport device: the ioctl round trip and
# the backend's hot path around it (no parallel port needed):
#   build/default/bench/bench_parport --benchmark_repetitions=5
if(TARGET korvalinx_parport)
  add_executable(bench_parport ParportBench.cpp)
  target_link_libraries(bench_parport PRIVATE korvalinx_parport benchmark::benchmark)
endif()
