#pragma once

// Value rules of the DTMF editor that do not need a window: the timing
// lists, the ID code and the code characters.

#include "radio_image.h"

#include <string>
#include <string_view>
#include <vector>

namespace zav {

/// A timing list of the DTMF editor: entries are millisecond values shown
/// as decimal text; the field holds the value divided by unitMs.
struct DtmfTimingList {
    std::vector<int> entriesMs;
    int unitMs;
};

[[nodiscard]] const DtmfTimingList& digitRateTimings();       ///< 10..500 ms, 10 ms units
[[nodiscard]] const DtmfTimingList& firstDigitTimeTimings();  ///< 0..1000 ms, 50 ms units
[[nodiscard]] const DtmfTimingList& firstDigitDelayTimings(); ///< 100..2500 ms, 50 ms units
[[nodiscard]] const DtmfTimingList& starHashTimings();    ///< 0, 100, 500, 1000 ms, 50 ms units

/// Entry shown for a stored value: the one whose value is stored × unit,
/// else entry 0.
[[nodiscard]] int timingEntry(const DtmfTimingList& list, int stored);
/// Value stored for an entry.
[[nodiscard]] Int16 timingValue(const DtmfTimingList& list, int entry);

/// The ID code a box shows: the first IdCodeLength characters of IdCode,
/// three when the length is outside 3..10.
[[nodiscard]] std::string shownIdCode(const DtmfSettings& dtmf);
/// The ID code to store for a typed text: "000" unless it is 3..10 digits.
[[nodiscard]] std::string acceptedIdCode(std::string_view typed);
/// Stores an accepted ID code and its length.
void storeTypedIdCode(DtmfSettings& dtmf, std::string_view typed);

/// The character a code box takes for a typed one: digits, "*", "#" and
/// A..D as typed, a..d as capitals; 0 for every other printable character.
[[nodiscard]] char codeCharacter(char typed);

} // namespace zav
