#pragma once

// How the optional-features editor shows each feature: its control, the
// caption it is known by, and how a list's entry codes the stored value
// (sometimes shifted or scaled). The features the window does not show are
// kept in range with the same rules.

#include "radio_image.h"

#include <vector>

namespace zav {

enum class ListCoding {
    Index,        ///< field = index
    IndexPlusOne, ///< field = index + 1
    Fifteens,     ///< field = index × 15 (seconds of the time-out timer)
};

enum class FeatureControl {
    List,         ///< a list whose entry stands for the value (ListCoding)
    NumberedList, ///< a list of the defined code memories or tone tips: stores the number its entry shows
    CheckBox,     ///< 0 or 1
};

/// One feature of the optional-features editor.
struct FeatureRule {
    OptionalFeature feature;
    FeatureControl control;
    int number;     ///< the control's number: "Combo<n>" or "Check<n>", and where the check report puts it
    int captionId;  ///< the text the window and the check report name it by
    int entries;    ///< entry count of a list (the busy-lockout list: its full count); 2 for a check box
    ListCoding coding;
    bool shown;     ///< false: the window has no control; kept in range in code
};

/// Every feature: the lists in the order of their numbers, the numbered
/// lists, then the check boxes (the order the check reports them in).
[[nodiscard]] const std::vector<FeatureRule>& featureRules();
/// The rule of a feature.
[[nodiscard]] const FeatureRule& featureRule(OptionalFeature feature);

/// The entry a stored value selects before the range check (may be outside
/// the list; the caller then shows entry 0).
[[nodiscard]] int entryForValue(const FeatureRule& rule, int stored);
/// The value stored for an entry.
[[nodiscard]] Int16 valueForEntry(const FeatureRule& rule, int entry);

/// Shows and stores back every list the window does not show, as opening
/// the window does: a value outside its list becomes entry 0's value.
void normaliseHiddenOptions(OptFeat& opt);

} // namespace zav
