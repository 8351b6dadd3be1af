# zavprog: the desktop program.
add_executable(zavprog main.cpp)
target_link_libraries(zavprog PRIVATE zav_shell_windows Qt6::Widgets)
