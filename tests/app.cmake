zav_add_test(NAME test_cli SOURCES app/test_cli.cpp LIBS Qt6::Core QT)
add_dependencies(test_cli zavprog-cli zav_data)
