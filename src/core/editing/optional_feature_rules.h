#pragma once

// How the optional-features editor maps its lists to OptFeat fields: each
// list stores the index of its entry, sometimes shifted or scaled. The lists
// the window does not show are kept in range with the same rules.

#include "radio_image.h"

#include <vector>

namespace zav {

enum class ListCoding {
    Index,        ///< field = index
    IndexPlusOne, ///< field = index + 1
    Fifteens,     ///< field = index × 15 (seconds of the time-out timer)
};

/// One list of the optional-features editor, by its control id.
struct OptionList {
    int id;
    Int16& (*field)(OptFeat&);
    int entries;   ///< entry count of the list (the busy-lockout list: its full count)
    ListCoding coding;
    bool shown;    ///< false: the window has no widget; kept in range in code
};

/// Every index-coded list (not the code and roger-beep lists, whose entries
/// depend on other records).
[[nodiscard]] const std::vector<OptionList>& optionLists();
/// The list with that control id, or nullptr.
[[nodiscard]] const OptionList* findOptionList(int id);

/// The entry a stored value selects before the range check (may be outside
/// the list; the caller then shows entry 0).
[[nodiscard]] int entryForValue(const OptionList& list, int stored);
/// The value stored for an entry.
[[nodiscard]] Int16 valueForEntry(const OptionList& list, int entry);

/// Shows and stores back every list the window does not show, as opening
/// the window does: a value outside its list becomes entry 0's value.
void normaliseHiddenOptions(OptFeat& opt);

} // namespace zav

namespace zav {

/// The field of a list that stores the number its entry shows: 32..34 the
/// BOT, EOT and call code numbers, 35 the roger-beep tone; else nullptr.
[[nodiscard]] Int16* numberedListField(OptFeat& opt, int id);
/// The field of check box n (0..5, 7..12); nullptr for other numbers.
[[nodiscard]] Int16* checkBoxField(OptFeat& opt, int n);

} // namespace zav
