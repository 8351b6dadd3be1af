# Feature editors: their rules (no windows; built from source so the
# sanitizer build without Qt Widgets runs them too) and each editor through
# its real widgets, headless.
set(ZAV_FEATURE_RULE_SOURCES
    ${CMAKE_SOURCE_DIR}/src/features/dtmf_rules.cpp
    ${CMAKE_SOURCE_DIR}/src/features/feature_rules.cpp
    ${CMAKE_SOURCE_DIR}/src/features/opt_feat_rules.cpp
    ${CMAKE_SOURCE_DIR}/src/features/tone_tip_rules.cpp)
zav_add_test(NAME test_feature_rules
    SOURCES features/test_feature_rules.cpp ${ZAV_FEATURE_RULE_SOURCES}
    LIBS zav_image Qt6::Core Qt6::Test)
target_include_directories(test_feature_rules PRIVATE ${CMAKE_SOURCE_DIR}/src/features)

if(TARGET zav_features)
    foreach(window opt_features dtmf tone_tips emb_msg)
        zav_add_test(NAME test_frm_${window}
            SOURCES features/test_frm_${window}.cpp features/feature_fixture.h
            LIBS zav_features QT)
    endforeach()
    # The tone-tip player with and without its run-time audio module.
    zav_add_test(NAME test_audio_module
        SOURCES features/test_audio_module.cpp
        LIBS zav_features QT)
    # The feature editors refresh the channel detail editor's lists.
    if(TARGET zav_channels)
        zav_add_test(NAME test_feature_refresh
            SOURCES features/test_feature_refresh.cpp features/feature_fixture.h
            LIBS zav_features zav_channels QT)
    endif()
endif()
