# The event import of a large file, read from the page cache.
add_executable(bench_files ${CMAKE_CURRENT_LIST_DIR}/FilesBench.cpp)
target_link_libraries(bench_files PRIVATE korvalinx_files benchmark::benchmark)
