#pragma once

// The serial devices the system reports right now, with the stable names
// (/dev/serial/by-id) that find the same USB adapter again.

#include "port_mapping.h"

#include <functional>
#include <vector>

namespace zav {

using DeviceSource = std::function<std::vector<SerialDevice>()>;

/// QSerialPortInfo::availablePorts() with by-id names and serial numbers.
[[nodiscard]] std::vector<SerialDevice> systemSerialDevices();

} // namespace zav
