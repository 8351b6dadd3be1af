# Channel editing: the write path (built from source so the sanitizer build
# without Qt Widgets runs it too) and both channel windows through their
# real widgets, headless.
zav_add_test(NAME test_channel_writes
    SOURCES channels/test_channel_writes.cpp ${CMAKE_SOURCE_DIR}/src/channels/channel_writes.cpp
    LIBS zav_shellcore zav_image Qt6::Core QT)
target_include_directories(test_channel_writes PRIVATE ${CMAKE_SOURCE_DIR}/src/channels)

if(TARGET zav_channels)
    zav_add_test(NAME test_channel_table
        SOURCES channels/test_channel_table.cpp
        LIBS zav_channels Qt6::Widgets QT)
    zav_add_test(NAME test_channel_detail
        SOURCES channels/test_channel_detail.cpp
        LIBS zav_channels Qt6::Widgets QT)
endif()
