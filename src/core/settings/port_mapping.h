#pragma once

// Which serial device each of the 16 port numbers stands for. The port
// dialog stores the device the user chose (comDevice); the number (comPort)
// is what older settings files hold, and it still names a device when no
// device is stored. The numbers must not move when USB adapters come and go
// in another order, so:
//   - built-in ports ttyS0..ttyS3 keep the numbers 1..4;
//   - every other device (ttyUSB*, ttyACM*, further ttyS*) takes the free
//     numbers from 5 up, ordered by its stable name (/dev/serial/by-id/...),
//     else by its serial number, else by its path;
//   - the device the user chose last keeps the number it was chosen under,
//     even while it is unplugged (the number stays reserved for it).
// Devices beyond number 16 have no choice and are left out.

#include <array>
#include <string>
#include <vector>

namespace zav {

inline constexpr int kPortChoices = 16;

/// A serial device the system reports.
struct SerialDevice {
    std::string path;         ///< "/dev/ttyUSB0"
    std::string stableName;   ///< "/dev/serial/by-id/usb-..." or "" when the system has none
    std::string serialNumber; ///< USB serial number or ""
    std::string description = {}; ///< what the system calls it ("CP2102 USB to UART Bridge Controller") or ""
    bool usb = false;         ///< a USB serial adapter (it has a USB vendor id)
    std::string manufacturer = {}; ///< the maker the system reports ("Silicon Labs") or ""
    std::string usbId = {};        ///< "10c4:ea60" (vendor:product, as lsusb writes it) or ""
};

/// One numbered choice of the dialog.
struct PortSlot {
    std::string device;     ///< path to open ("" = nothing mapped here)
    std::string stableName; ///< what to store so the same adapter is found again
    bool present = false;   ///< the device exists right now
};

/// Index = port number - 1.
using PortTable = std::array<PortSlot, kPortChoices>;

/// 1..4 for /dev/ttyS0../dev/ttyS3, otherwise 0.
[[nodiscard]] int builtInPortNumber(const std::string& path);

/// The choices for the devices present. pinnedDevice (a path or stable
/// name, "" for none) is the device stored with pinnedNumber (1..16).
[[nodiscard]] PortTable mapPorts(const std::vector<SerialDevice>& present, const std::string& pinnedDevice,
                                 int pinnedNumber);

/// What to store for choice number (1..16): the stable name when there is
/// one, else the path; "" for an empty choice or a number out of range.
[[nodiscard]] std::string storedDeviceFor(const PortTable& table, int number);

/// The device a transfer opens: override (command line or environment)
/// first, then the device of choice comPort, then the stored device, then
/// the built-in port of that number; "" when none can be named.
[[nodiscard]] std::string resolveLinkDevice(const std::string& override, const PortTable& table, int comPort,
                                            const std::string& storedDevice);

} // namespace zav
