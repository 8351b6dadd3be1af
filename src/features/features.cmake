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
    editor_parts.cpp
    frm_dtmf.cpp
    frm_emb_msg.cpp
    frm_opt_features.cpp
    frm_tone_tips.cpp
    module_note_output.cpp
    tone_diagram.cpp
    tone_player.cpp
)
target_include_directories(zav_features PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_include_directories(zav_features PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/audio_module)
target_link_libraries(zav_features PUBLIC zav_feature_rules zav_ui Qt6::Widgets)

# Tone-tip sound, loaded at run time when a tone tip is first played: linked
# into the program, Qt Multimedia would load itself, Qt Network and the sound
# server's client library at every start (time and memory) for a feature
# most runs never use. Only a C interface crosses the boundary, so the module
# needs no symbols from the program (checked at link time).
add_library(zavprog-audio MODULE audio_module/audio_note_module.cpp)
target_link_libraries(zavprog-audio PRIVATE Qt6::Multimedia)
set_target_properties(zavprog-audio PROPERTIES
    LIBRARY_OUTPUT_DIRECTORY ${ZAV_PROGRAM_DIR}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    AUTOMOC OFF)
if(NOT ZAV_SANITIZE AND NOT ZAV_FUZZ)
    target_link_options(zavprog-audio PRIVATE LINKER:--no-undefined)
endif()
# Whatever links the feature editors gets the module next to it.
add_dependencies(zav_features zavprog-audio)
