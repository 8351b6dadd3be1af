# The virtual radio: its protocol side as a library (tests use it in
# process) and zavprog-radio-sim, which serves it on a pseudo-terminal.
add_library(zav_sim STATIC
    sample_document.cpp
    virtual_radio.cpp
)
target_include_directories(zav_sim PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(zav_sim PUBLIC zav_link zav_image)

add_executable(zavprog-radio-sim main.cpp)
target_link_libraries(zavprog-radio-sim PRIVATE zav_sim)
