#pragma once

// Documents for the channel tests: a new document of either channel mode
// whose active table holds exactly the channels a test names.

#include "channel_groups.h"
#include "defaults.h"
#include "document.h"

#include <initializer_list>
#include <string>
#include <utility>

namespace zav::test {

/// A channel number and its stored receive frequency ("02740000").
using ChannelSpec = std::pair<int, const char*>;

/// Replaces the used active records by the given channels (all other
/// members 0, no offset).
inline void SetChannels(Document& doc, std::initializer_list<ChannelSpec> channels)
{
    int i = 0;
    for (const auto& [number, rx] : channels) {
        ChannelRecord record;
        record.Number = static_cast<Int16>(number);
        record.RxFrequency.assign(rx);
        doc.active()[static_cast<std::size_t>(i++)] = record;
    }
    doc.image().ChannelCount = static_cast<Int16>(i);
}

/// Every channel of a group, at 27.00000 + n * 10 kHz.
inline void FillGroup(Document& doc, int group)
{
    const Int16 mode = doc.image().ChannelMode;
    int count = doc.activeCount();
    for (int n = 1; n <= groupSize(group, mode); ++n) {
        ChannelRecord record;
        record.Number = static_cast<Int16>(groupBase(group, mode) + n);
        std::string digits = std::to_string(2700000 + n * 1000);
        digits.insert(0, 8 - digits.size(), '0');
        record.RxFrequency.assign(digits);
        doc.active()[static_cast<std::size_t>(count++)] = record;
    }
    doc.image().ChannelCount = static_cast<Int16>(count);
}

/// A new document in the given mode with the given channels, saved so that
/// it starts unmodified.
inline void NewDocument(Document& doc, Int16 mode, std::initializer_list<ChannelSpec> channels)
{
    doc.image().ChannelMode = mode;
    buildNewDocument(doc, std::string(), TemplateVariant::NewDocument);
    SetChannels(doc, channels);
    doc.copyWorkingToSaved();
}

/// The used active record numbered number, or nullptr.
inline ChannelRecord* Channel(Document& doc, int number)
{
    const int index = doc.findChannelByNumber(static_cast<Int16>(number));
    return index < 0 ? nullptr : &doc.active()[static_cast<std::size_t>(index)];
}

} // namespace zav::test
