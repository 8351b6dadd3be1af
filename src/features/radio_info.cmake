# The radio-information window joins the feature editors' library; it needs
# the link's information record.
set(ZAV_RADIO_INFO_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/frm_radio_info.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frm_radio_info.h)
if(TARGET zav_features)
    target_sources(zav_features PRIVATE ${ZAV_RADIO_INFO_SOURCES})
    target_include_directories(zav_features PUBLIC ${CMAKE_CURRENT_LIST_DIR})
    target_link_libraries(zav_features PUBLIC zav_link zav_ui)
else()
    add_library(zav_radio_info STATIC ${ZAV_RADIO_INFO_SOURCES})
    target_include_directories(zav_radio_info PUBLIC ${CMAKE_CURRENT_LIST_DIR})
    target_link_libraries(zav_radio_info PUBLIC zav_link zav_ui)
endif()
