# The radio-information window joins the feature editors' library; it needs
# the link's information record.
target_sources(zav_features PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/frm_radio_info.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frm_radio_info.h)
target_link_libraries(zav_features PUBLIC zav_link)
