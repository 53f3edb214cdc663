# The display's full repaint and incremental redraw at the worst case (every
# channel changing on every sample of a 819,200-sample view) and at 100
# samples, in a 1920 x 1080 window:
#   build/default/bench/bench_view --benchmark_repetitions=10
add_executable(bench_view ViewBench.cpp)
target_link_libraries(bench_view PRIVATE korvalinx_view korvalinx_port_memory benchmark::benchmark)
