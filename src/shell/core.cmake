add_library(zav_shellcore STATIC
    channel_groups.cpp
    ini_file.cpp
    port_mapping.cpp
    session.cpp
    startup.cpp
    text_catalog.cpp
    versions.cpp
)
target_include_directories(zav_shellcore PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(zav_shellcore PUBLIC zav_image)
