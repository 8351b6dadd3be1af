#pragma once

// Why a serial device could not be opened, in words the user can act on:
// the device, the system's reason, and for the usual causes what to do (join
// the group that owns the device; pick one of the devices that exist).

#include "text_catalog.h"

#include <string>
#include <vector>

namespace zav {

struct PortFailure {
    enum class Kind { Missing, PermissionDenied, Busy, Other };
    Kind kind = Kind::Other;
    std::string device;
    std::string reason;               ///< the system's words ("Permission denied")
    std::string group;                ///< PermissionDenied: the group that owns the device
    std::string user;                 ///< PermissionDenied: who runs the program
    std::vector<std::string> present; ///< Missing: the serial devices that exist
};

/// Looks at device as this process sees it. present lists the serial
/// devices the system reports (shown when device does not exist).
[[nodiscard]] PortFailure diagnosePortFailure(const std::string& device, const std::vector<std::string>& present);

/// The lines added to text 9003: device and reason, then the advice, in
/// the language of texts.
[[nodiscard]] std::string portFailureDetails(const PortFailure& failure, const TextCatalog& texts);

inline constexpr int kTextJoinGroup = 32500;       ///< %1 group, %2 user
inline constexpr int kTextDevicesPresent = 32501;  ///< followed by the list
inline constexpr int kTextNoDevices = 32502;
inline constexpr int kTextDeviceBusy = 32503;

} // namespace zav
