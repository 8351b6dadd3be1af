# The desktop program's shell windows: main window, dialogs, splash, the
# radio link of the main window, and the port numbering.
add_library(zav_shell_windows STATIC
    editor_catalog.cpp
    frm_about.cpp
    frm_main.cpp
    frm_main_commands.cpp
    frm_main_document.cpp
    frm_main_layout.cpp
    frm_model_info.cpp
    frm_pass_word.cpp
    frm_progress.cpp
    frm_set_comm.cpp
    frm_set_language.cpp
    frm_splash.cpp
    pictures.cpp
    radio_link.cpp
    serial_devices.cpp
)
target_include_directories(zav_shell_windows PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(zav_shell_windows PUBLIC zav_ui zav_link_qt zav_shellcore Qt6::Widgets Qt6::SerialPort)

target_link_libraries(zav_shell_windows PUBLIC zav_channels zav_features)
