# Transfers against paced virtual radios: wire-time and parallel ratios.
add_executable(bench_link_transfer link/bench_link_transfer.cpp)
target_include_directories(bench_link_transfer PRIVATE ${CMAKE_SOURCE_DIR}/tests/link)
target_link_libraries(bench_link_transfer PRIVATE zav_link_qt zav_sim Qt6::Core)
set_target_properties(bench_link_transfer PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
add_dependencies(bench_link_transfer zavprog-radio-sim)
