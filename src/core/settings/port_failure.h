#pragma once

// Why a serial device could not be opened, in words the user can act on:
// the device, the system's reason, and for the usual causes what to do (join
// the group that may use the device, or ask an administrator when only its
// owner may; pick one of the devices that exist; pick a serial device).

#include "text_catalog.h"

#include <string>
#include <vector>

namespace zav {

struct PortFailure {
    enum class Kind { Missing, PermissionDenied, Busy, NotSerial, Other };
    Kind kind = Kind::Other;
    std::string device;
    std::string reason;               ///< the system's words ("Permission denied")
    /// PermissionDenied: the group to join; "" when joining none would help
    /// (the device's group may not read and write it, or it is root).
    std::string group;
    std::string user;                 ///< PermissionDenied: who runs the program
    std::string owner;                ///< PermissionDenied: the user that owns the device
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
inline constexpr int kTextOwnerOnly = 33010;       ///< %1 owner, %2 user
inline constexpr int kTextNotSerial = 33011;

} // namespace zav
