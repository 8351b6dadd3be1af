# Channel editing: the write path (plain C++) and the two channel windows.
add_library(zav_channel_core STATIC
    channel_writes.cpp
)
target_include_directories(zav_channel_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(zav_channel_core PUBLIC zav_shellcore zav_image)
set_target_properties(zav_channel_core PROPERTIES AUTOMOC OFF)

add_library(zav_channels STATIC
    channel_grid_model.cpp
    channel_lists.cpp
    channel_windows.cpp
    frm_ch_info_edit.cpp
    frm_comm_ch_info.cpp
)
target_include_directories(zav_channels PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(zav_channels PUBLIC zav_channel_core zav_feature_rules zav_ui Qt6::Widgets)
