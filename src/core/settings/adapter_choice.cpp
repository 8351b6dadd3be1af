#include "adapter_choice.h"

#include <algorithm>

namespace zav {

std::optional<SerialDevice> soleAdapterInstead(const std::vector<SerialDevice>& present, const std::string& chosenDevice)
{
    const bool chosenPresent = !chosenDevice.empty() && std::ranges::any_of(present, [&](const SerialDevice& d) {
        return d.path == chosenDevice || (!d.stableName.empty() && d.stableName == chosenDevice);
    });
    if (chosenPresent)
        return std::nullopt;
    std::optional<SerialDevice> adapter;
    for (const SerialDevice& d : present) {
        if (!d.usb)
            continue;
        if (adapter)
            return std::nullopt; // two cables: only the user knows which
        adapter = d;
    }
    return adapter;
}

} // namespace zav
