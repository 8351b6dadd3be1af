# Radio link: packets, memory map, transfer engine (fake port and timers),
# and end to end against the virtual radio on a pseudo-terminal.
zav_add_test(NAME test_link_packets SOURCES link/test_packets.cpp LIBS zav_link Qt6::Core QT)
zav_add_test(NAME test_link_memory_map SOURCES link/test_memory_map.cpp LIBS zav_link zav_sim Qt6::Core QT)
zav_add_test(NAME test_link_engine SOURCES link/test_transfer_engine.cpp link/engine_harness.h LIBS zav_link zav_sim Qt6::Core QT)
zav_add_test(NAME test_link_e2e SOURCES link/test_link_e2e.cpp link/engine_harness.h link/sim_process.h
             LIBS zav_link_qt zav_sim Qt6::Core Qt6::SerialPort QT)
add_dependencies(test_link_e2e zavprog-radio-sim)
if(TARGET zavprog-cli)
    zav_add_test(NAME test_link_cli SOURCES link/test_cli_radio.cpp link/sim_process.h
                 LIBS zav_sim Qt6::Core QT)
    add_dependencies(test_link_cli zavprog-radio-sim zavprog-cli)
endif()
zav_add_test(NAME test_link_qt_port SOURCES link/test_qt_link_port.cpp LIBS zav_link_qt Qt6::Core Qt6::SerialPort QT)
