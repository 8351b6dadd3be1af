# Rules of the feature editors that other areas reuse (no Qt).
add_library(zav_feature_rules STATIC
    dtmf_rules.cpp
    feature_rules.cpp
    opt_feat_rules.cpp
    tone_tip_rules.cpp
)
target_include_directories(zav_feature_rules PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(zav_feature_rules PUBLIC zav_image)
set_target_properties(zav_feature_rules PROPERTIES AUTOMOC OFF)

# The feature editors: optional features, DTMF, tone tips, embedded message.
add_library(zav_features STATIC
    audio_note_output.cpp
    editor_parts.cpp
    frm_dtmf.cpp
    frm_emb_msg.cpp
    frm_opt_features.cpp
    frm_tone_tips.cpp
    tone_diagram.cpp
    tone_player.cpp
)
target_include_directories(zav_features PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(zav_features PUBLIC zav_feature_rules zav_ui Qt6::Widgets Qt6::Multimedia)
