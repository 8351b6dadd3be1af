# Data files from arbitrary bytes (libFuzzer, clang only). The image sources
# are compiled into the fuzzer itself so that libFuzzer sees their coverage;
# the libraries used by the tests stay uninstrumented.
get_target_property(ZAV_FUZZ_IMAGE_SOURCES zav_image SOURCES)
get_target_property(ZAV_FUZZ_IMAGE_DIR zav_image SOURCE_DIR)
list(TRANSFORM ZAV_FUZZ_IMAGE_SOURCES PREPEND ${ZAV_FUZZ_IMAGE_DIR}/)
add_executable(fuzz_datafile ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_datafile.cpp ${ZAV_FUZZ_IMAGE_SOURCES})
target_link_libraries(fuzz_datafile PRIVATE zav_shellcore)
target_compile_options(fuzz_datafile PRIVATE -fsanitize=fuzzer)
target_link_options(fuzz_datafile PRIVATE -fsanitize=fuzzer)
set_target_properties(fuzz_datafile PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
