#pragma once

// Channel groups of the two channel modes: which channel numbers a group
// covers, how groups are labelled, and the model names shown to the user.

#include "radio_image.h"

#include <string>
#include <vector>

namespace zav {

inline constexpr int kCountryGroups = 7;
inline constexpr int kExtendedGroups = 11;
inline constexpr int kVfoGroup = 10;

/// Number of groups offered in the mode (7 country, 11 extended).
[[nodiscard]] int groupCount(Int16 mode);
/// Channel number just before the group's first channel.
[[nodiscard]] int groupBase(int group, Int16 mode);
/// Channels in the group.
[[nodiscard]] int groupSize(int group, Int16 mode);
/// Group index and in-group number (1-based) of a channel number, or
/// group -1 when no offered group holds it.
struct GroupPosition {
    int group = -1;
    int numberInGroup = 0;
};
[[nodiscard]] GroupPosition groupOfChannel(int number, Int16 mode);

/// The fixed group names of the mode's group list ("EU".."IN" or "AE".."VFO").
[[nodiscard]] std::vector<std::string> groupListNames(Int16 mode);
/// "3 -- PL": number, " -- " and the clean group name; 12 gives "12 -- VFO";
/// an index above 12 counts as 0.
[[nodiscard]] std::string groupLabel(int group, const RadioImage& image);
/// Labels of groups 0..6 or 0..10.
[[nodiscard]] std::vector<std::string> groupLabelList(const RadioImage& image);

/// Index of the used active record numbered groupBase + numberInGroup, or -1.
[[nodiscard]] int findChannelInGroup(const ImageSet& set, int group, int numberInGroup);
/// In-group numbers (1..size) of the used active channels of the group,
/// ascending.
[[nodiscard]] std::vector<int> channelNumbersInGroup(const ImageSet& set, int group);

/// Model name as shown for a radio's model text and variant number.
[[nodiscard]] std::string modelDisplayName(const std::string& model, int variant);

} // namespace zav
