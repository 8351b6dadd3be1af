# Showing a channel group in the real channel table, against filling a
# plain table widget of the same size.
if(TARGET zav_channels)
    add_executable(bench_channel_table channels/bench_channel_table.cpp)
    target_link_libraries(bench_channel_table PRIVATE zav_channels Qt6::Widgets)
    target_compile_definitions(bench_channel_table PRIVATE
        ZAV_SOURCE_LANGUAGE_FILE="${CMAKE_SOURCE_DIR}/data/language/english.ini")
    set_target_properties(bench_channel_table PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endif()
