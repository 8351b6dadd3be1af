#pragma once

// Edits of many channels at once: the bulk dialog, Fill Down, Clear and the
// command line's `set`. Every value goes into every channel through the
// channel write path (setChannelCell), one channel after the other, so each
// channel obeys exactly the rules a typed cell obeys there. A value that a
// channel refuses is not stored in that channel and is listed with the
// channel, the field and why; the other channels take it.

#include "channel_columns.h"
#include "channel_writes.h"
#include "csv_reasons.h"
#include "document.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

namespace bulkreason {
inline constexpr int NotInGroup = 34000;      ///< %1 number
inline constexpr int EmptySlot = 34001;       ///< %1 number
inline constexpr int LastChannel = 34002;     ///< %1 number
inline constexpr int CodeNotDefined = 34003;  ///< %1 memory
inline constexpr int ToneTipNotDefined = 34004; ///< %1 tone tip
inline constexpr int CountryNoClear = 34005;  ///< %1 number
} // namespace bulkreason

enum class ChannelFieldKind {
    Receive,  ///< receive frequency in MHz; "" empties the slot
    Offset,   ///< signed offset in MHz ("+0.6", "-0.6", "0")
    Tone,     ///< a tone list index
    Choice,   ///< an option list index
};

/// A channel field as the channel exchange names its column.
struct ChannelField {
    const char* name;   ///< the column header ("receive tone")
    int fieldId;        ///< the write path's field id
    ChannelFieldKind kind;
    int labelId;        ///< text id of its label in the windows
    const OptionColumn* column = nullptr; ///< Choice: the list
};

/// Every channel field a bulk edit can set, in the exchange's column order.
[[nodiscard]] const std::vector<ChannelField>& channelFields();
/// The field of a name: the column header, or its option form
/// ("receive-mhz"); letter case does not matter. nullptr when none.
[[nodiscard]] const ChannelField* findChannelField(std::string_view name);
/// The field of a write-path field id, or nullptr.
[[nodiscard]] const ChannelField* channelFieldById(int fieldId);
/// A name as an option names it: lower case, spaces and "/" as hyphens
/// ("receive MHz" -> "receive-mhz", "AM/FM" -> "am-fm").
[[nodiscard]] std::string optionName(std::string_view name);

/// A value for a field, as the write path takes it.
struct FieldValue {
    const ChannelField* field = nullptr;
    CellValue value;
};

/// Reads a typed value of a field (numbers with "."): a tone by name or
/// value, a choice by its list text (or a number where the list is
/// numbered), a frequency or offset as the text typed. The reason when it is
/// none of these.
struct ParsedValue {
    std::optional<FieldValue> value;
    CsvReason why;
};
[[nodiscard]] ParsedValue parseFieldValue(const ChannelField& field, std::string_view text);

/// The value a field has in a record, as parseFieldValue would give it.
[[nodiscard]] CellValue fieldValueOf(const ChannelRecord& record, const ChannelField& field, const BandLimits& band);

/// A value a channel did not take.
struct BulkRefusal {
    int number = 0;
    std::string field; ///< the field's column name
    CsvReason why;

    [[nodiscard]] std::string reason() const { return englishReason(why); }
    /// "channel 12, receive tone: <reason>"
    [[nodiscard]] std::string message() const;
};

/// What one change of a field in one channel did (for a dry run's list).
struct BulkChange {
    int number = 0;
    std::string field;
    std::string before; ///< as the exchange writes it; "" for an empty slot
    std::string after;
};

struct BulkEditResult {
    std::vector<BulkRefusal> refusals;
    std::vector<BulkChange> changes;
    std::vector<int> changedChannels; ///< numbers, ascending, each once
    bool tableChanged = false;        ///< a channel was made or removed
    bool warned = false;              ///< a frequency was put on a band limit

    [[nodiscard]] bool ok() const { return refusals.empty(); }
};

/// Stores every value into every channel of numbers (the current mode's
/// table), as typing each value into each channel's cell would. A receive
/// frequency goes first, so that an empty slot given one (extended mode)
/// takes the other values too. A value a channel refuses is left out for
/// that channel and listed.
BulkEditResult setChannelValues(Document& doc, const ChannelWriteEnv& env, const std::vector<int>& numbers,
                                const std::vector<FieldValue>& values);

/// The value of field in the first channel of numbers stored into the
/// others (Fill Down). Nothing when the first holds no channel.
BulkEditResult fillDown(Document& doc, const ChannelWriteEnv& env, const std::vector<int>& numbers,
                        const ChannelField& field);

/// Empties the slots of numbers as clearing each receive frequency would:
/// the table's last channel stays, country mode empties none.
BulkEditResult clearChannels(Document& doc, const ChannelWriteEnv& env, const std::vector<int>& numbers);

/// A list of channels such as "1-40,81,521", "group:3" or "group:PL" in
/// doc's current mode; a group name that names no group or several is
/// refused. Numbers ascending, each once.
struct ChannelList {
    std::vector<int> numbers;
    std::string error; ///< in English; empty when read
};
[[nodiscard]] ChannelList parseChannelList(const Document& doc, std::string_view text);

} // namespace zav
