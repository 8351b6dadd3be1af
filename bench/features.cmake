# Tone-tip playback keeps the melody's own timing.
if(TARGET zav_features)
    add_executable(bench_tone_tip features/bench_tone_tip.cpp)
    target_link_libraries(bench_tone_tip PRIVATE zav_features)
    set_target_properties(bench_tone_tip PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endif()
