#pragma once

// Finding channels across the groups of the current mode: by channel
// number, by receive frequency (with or without the decimal point), by
// tone, or by group name. The windows step through what this returns.

#include "document.h"

#include <string_view>
#include <vector>

namespace zav {

struct ChannelPlace {
    int group = 0;
    int row = 0;    ///< in-group row, 1..
    int number = 0;
    bool operator==(const ChannelPlace&) const = default;
};

/// The channels of doc's current mode that query names, in group and row
/// order, each once: "12" channel 12 (and the channels with a tone or a
/// frequency that reads so), "27.125" or "27125" the channels receiving
/// 27.12500 MHz, "67.0" or "D023N" those with that receive or transmit
/// tone, a group's name every channel of that group.
[[nodiscard]] std::vector<ChannelPlace> findChannels(const Document& doc, std::string_view query);

} // namespace zav
