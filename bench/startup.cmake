# Start-up time and peak memory of zavprog against a minimal Qt Widgets
# program (one line of text), and a bare window for reference.
if(ZAV_GUI)
    add_executable(startup_minimal startup/startup_minimal.cpp)
    target_link_libraries(startup_minimal PRIVATE Qt6::Widgets)
    set_target_properties(startup_minimal PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench/tools)

    add_executable(bench_startup startup/bench_startup.cpp)
    target_compile_definitions(bench_startup PRIVATE
        ZAV_DEFAULT_PROGRAM_DIR="${ZAV_PROGRAM_DIR}"
        ZAV_MINIMAL_PROGRAM="${CMAKE_BINARY_DIR}/bench/tools/startup_minimal")
    set_target_properties(bench_startup PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench AUTOMOC OFF)
    add_dependencies(bench_startup startup_minimal zavprog zav_data)
endif()
