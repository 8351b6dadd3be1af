# The radio link from arbitrary bytes (libFuzzer, clang only). The link
# sources are compiled into the fuzzers so that libFuzzer sees their
# coverage; the libraries the tests use stay uninstrumented.
get_target_property(ZAV_FUZZ_LINK_SOURCES zav_link SOURCES)
get_target_property(ZAV_FUZZ_LINK_DIR zav_link SOURCE_DIR)
list(TRANSFORM ZAV_FUZZ_LINK_SOURCES PREPEND ${ZAV_FUZZ_LINK_DIR}/)

foreach(target fuzz_framer fuzz_memory_decode)
    add_executable(${target} ${CMAKE_CURRENT_SOURCE_DIR}/${target}.cpp ${ZAV_FUZZ_LINK_SOURCES})
    target_include_directories(${target} PRIVATE ${ZAV_FUZZ_LINK_DIR})
    target_link_libraries(${target} PRIVATE zav_shellcore zav_image)
    # Optimised: a read walks 1122 blocks per input.
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer -O1)
    target_link_options(${target} PRIVATE -fsanitize=fuzzer)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
endforeach()
# The framer drives the engine against the virtual radio.
get_target_property(ZAV_FUZZ_SIM_DIR zav_sim SOURCE_DIR)
target_sources(fuzz_framer PRIVATE ${ZAV_FUZZ_SIM_DIR}/virtual_radio.cpp ${ZAV_FUZZ_SIM_DIR}/sample_document.cpp)
target_include_directories(fuzz_framer PRIVATE ${ZAV_FUZZ_SIM_DIR})
