#include "port_mapping.h"

#include <algorithm>

namespace zav {
namespace {

constexpr int kFirstFreeNumber = 5; // 1..4 belong to the built-in ports

bool matches(const SerialDevice& d, const std::string& name)
{
    return !name.empty() && (d.path == name || d.stableName == name);
}

std::string sortKey(const SerialDevice& d)
{
    // Prefixes keep the three kinds of key apart, so a stable name never
    // sorts between serial numbers.
    if (!d.stableName.empty())
        return "1" + d.stableName;
    if (!d.serialNumber.empty())
        return "2" + d.serialNumber + "\x01" + d.path;
    return "3" + d.path;
}

PortSlot slotFor(const SerialDevice& d) { return {d.path, d.stableName, true}; }

// "ttyUSB2" before "ttyUSB10": runs of digits compare by value.
bool naturalLess(const std::string& a, const std::string& b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool da = a[i] >= '0' && a[i] <= '9';
        const bool db = b[j] >= '0' && b[j] <= '9';
        if (da && db) {
            std::size_t ei = i, ej = j;
            while (ei < a.size() && a[ei] >= '0' && a[ei] <= '9')
                ++ei;
            while (ej < b.size() && b[ej] >= '0' && b[ej] <= '9')
                ++ej;
            // Compare without leading zeros: longer run = larger value.
            std::size_t si = i, sj = j;
            while (si + 1 < ei && a[si] == '0')
                ++si;
            while (sj + 1 < ej && b[sj] == '0')
                ++sj;
            if (ei - si != ej - sj)
                return ei - si < ej - sj;
            const int c = a.compare(si, ei - si, b, sj, ej - sj);
            if (c != 0)
                return c < 0;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j])
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

} // namespace

int builtInPortNumber(const std::string& path)
{
    static const std::string prefix = "/dev/ttyS";
    if (path.size() != prefix.size() + 1 || path.compare(0, prefix.size(), prefix) != 0)
        return 0;
    const char digit = path.back();
    return digit >= '0' && digit <= '3' ? digit - '0' + 1 : 0;
}

PortTable mapPorts(const std::vector<SerialDevice>& present, const std::string& pinnedDevice, int pinnedNumber)
{
    PortTable table{};
    std::vector<bool> taken(present.size(), false);
    const bool pinning = !pinnedDevice.empty() && pinnedNumber >= 1 && pinnedNumber <= kPortChoices;

    if (pinning) {
        PortSlot& slot = table[static_cast<std::size_t>(pinnedNumber - 1)];
        slot = {pinnedDevice, pinnedDevice, false};
        for (std::size_t i = 0; i < present.size(); ++i) {
            if (matches(present[i], pinnedDevice)) {
                slot = slotFor(present[i]);
                if (slot.stableName.empty())
                    slot.stableName = pinnedDevice;
                taken[i] = true;
                break;
            }
        }
    }

    for (std::size_t i = 0; i < present.size(); ++i) {
        if (taken[i])
            continue;
        const int number = builtInPortNumber(present[i].path);
        if (number == 0)
            continue;
        PortSlot& slot = table[static_cast<std::size_t>(number - 1)];
        if (!slot.device.empty())
            continue; // the pinned device holds it; this one joins the others
        slot = slotFor(present[i]);
        taken[i] = true;
    }

    std::vector<std::size_t> rest;
    for (std::size_t i = 0; i < present.size(); ++i)
        if (!taken[i] && !present[i].path.empty())
            rest.push_back(i);
    std::sort(rest.begin(), rest.end(),
              [&](std::size_t a, std::size_t b) { return naturalLess(sortKey(present[a]), sortKey(present[b])); });

    int number = kFirstFreeNumber;
    for (std::size_t i : rest) {
        while (number <= kPortChoices && !table[static_cast<std::size_t>(number - 1)].device.empty())
            ++number;
        if (number > kPortChoices)
            break;
        table[static_cast<std::size_t>(number - 1)] = slotFor(present[i]);
    }
    return table;
}

std::string storedDeviceFor(const PortTable& table, int number)
{
    if (number < 1 || number > kPortChoices)
        return {};
    const PortSlot& slot = table[static_cast<std::size_t>(number - 1)];
    return slot.stableName.empty() ? slot.device : slot.stableName;
}

std::string resolveLinkDevice(const std::string& override, const PortTable& table, int comPort,
                              const std::string& storedDevice)
{
    if (!override.empty())
        return override;
    if (comPort >= 1 && comPort <= kPortChoices) {
        const PortSlot& slot = table[static_cast<std::size_t>(comPort - 1)];
        if (slot.present)
            return slot.device;
    }
    if (!storedDevice.empty())
        return storedDevice;
    if (comPort >= 1 && comPort <= 4)
        return "/dev/ttyS" + std::to_string(comPort - 1);
    return {};
}

} // namespace zav
