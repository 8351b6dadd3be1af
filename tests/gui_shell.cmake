# The desktop program's shell: port numbering (core, also in the sanitizer
# build) and the main window with its dialogs (headless).
zav_add_test(NAME test_port_mapping
    SOURCES gui_shell/test_port_mapping.cpp
    LIBS zav_shellcore Qt6::Core Qt6::Test)

if(ZAV_GUI)
    zav_add_test(NAME test_main_window SOURCES gui_shell/test_main_window.cpp gui_shell/shell_fixture.h
        LIBS zav_shell_windows QT)
endif()
if(ZAV_GUI)
    zav_add_test(NAME test_shell_dialogs SOURCES gui_shell/test_dialogs.cpp gui_shell/shell_fixture.h
        LIBS zav_shell_windows QT)
endif()
if(ZAV_GUI AND TARGET zav_sim)
    zav_add_test(NAME test_radio_e2e SOURCES gui_shell/test_radio_e2e.cpp gui_shell/shell_fixture.h
        LIBS zav_shell_windows zav_sim QT)
    target_include_directories(test_radio_e2e PRIVATE ${CMAKE_SOURCE_DIR}/tests/link)
    add_dependencies(test_radio_e2e zavprog-radio-sim)
endif()
if(ZAV_GUI)
    zav_add_test(NAME test_text_cache SOURCES gui_shell/test_text_cache.cpp LIBS zav_ui QT)
endif()
