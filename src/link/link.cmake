add_library(zav_link STATIC
    address_plan.cpp
    memory_map.cpp
    packets.cpp
    radio_info.cpp
    transfer_engine.cpp
    transfer_messages.cpp
)
target_include_directories(zav_link PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(zav_link PUBLIC zav_shellcore zav_image)

# The serial port and timers of Qt behind the engine's interfaces.
add_library(zav_link_qt STATIC
    qt_link_port.cpp
    qt_timer_service.cpp
)
target_include_directories(zav_link_qt PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(zav_link_qt PUBLIC zav_link Qt6::Core Qt6::SerialPort)
