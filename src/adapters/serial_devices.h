#pragma once

// The serial devices the system reports right now, with the stable names
// (/dev/serial/by-id) that find the same USB adapter again. The port
// dialog and `zavprog-cli ports` list the same devices from here.

#include "port_mapping.h"

#include <functional>
#include <vector>

namespace zav {

using DeviceSource = std::function<std::vector<SerialDevice>()>;

/// QSerialPortInfo::availablePorts() with by-id names, serial numbers,
/// makers and USB ids, ordered by path.
[[nodiscard]] std::vector<SerialDevice> systemSerialDevices();

} // namespace zav
