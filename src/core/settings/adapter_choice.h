#pragma once

// A user who plugs in the one programming cable they own should not have to
// visit the port dialog first: when the port chosen earlier is not there
// and exactly one USB serial adapter is, that adapter is the cable.

#include "port_mapping.h"

#include <optional>
#include <string>
#include <vector>

namespace zav {

/// The adapter to use instead of chosenDevice (a path or stable name, ""
/// when nothing is chosen): the only USB device of present when
/// chosenDevice is not among present. Nothing when the chosen device is
/// there, or when there is no USB adapter or more than one to choose from.
[[nodiscard]] std::optional<SerialDevice> soleAdapterInstead(const std::vector<SerialDevice>& present,
                                                             const std::string& chosenDevice);

} // namespace zav
