#pragma once

// The per-channel options as the channel exchange names them: one column
// per option member, its values as the English windows list them. The names
// are part of the exchange format and stay the same whatever language the
// program shows, so files move between users of either language.

#include "radio_image.h"

#include <string>
#include <string_view>
#include <vector>

namespace zav {

/// One entry of an option's list: the English text and, where the program
/// carries it as a language text, that text's id (0 for fixed texts).
struct OptionText {
    int textId = 0;
    const char* text = "";
};

struct OptionColumn {
    const char* name;          ///< column header
    ChannelOption option;      ///< the option the column holds
    std::vector<OptionText> entries; ///< stored value k is entries[k]
    int numberedUpTo = 0;      ///< > 0: entry 0, then the numbers 1..numberedUpTo
};

/// Every option member of a channel except the busy lockout (which has a
/// column of its own among the main ones), in the order the columns are
/// written.
[[nodiscard]] const std::vector<OptionColumn>& optionColumns();

/// The busy-lockout list in full: off, carrier, by tone, by signalling.
[[nodiscard]] const OptionColumn& busyLockoutColumn();

/// The text of stored value v, or v as a number when the list has no such
/// entry.
[[nodiscard]] std::string optionText(const OptionColumn& column, int value);

/// The stored value of a text (letter case and surrounding spaces do not
/// matter), or -1 when it names no entry.
[[nodiscard]] int optionValue(const OptionColumn& column, std::string_view text);

/// The entries of a column for a message: "Off, Carrier, CTCSS/DCS".
[[nodiscard]] std::string optionChoices(const OptionColumn& column);

/// The tone index of a text: a tone's name in any letter case; a CTCSS
/// tone also by its value ("100" for "100.0", as spreadsheets shorten it).
/// -1 when it names no tone.
[[nodiscard]] int toneIndexOf(std::string_view text);

} // namespace zav
