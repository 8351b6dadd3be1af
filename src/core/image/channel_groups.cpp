#include "channel_groups.h"

#include <algorithm>

namespace zav {

int GroupCount(Int16 mode) { return IsExtendedMode(mode) ? kExtendedGroups : kCountryGroups; }

int GroupBase(int group, Int16 mode)
{
    if (IsExtendedMode(mode))
        return group == kVfoGroup ? 520 : 40 * group;
    if (group <= 2)
        return 40 * group;
    if (group <= 5)
        return 40 * (group + 1);
    return 40 * (group + 2);
}

int GroupSize(int group, Int16 mode)
{
    if (IsExtendedMode(mode))
        return group == kVfoGroup ? 1 : 40;
    return (group == 2 || group == 5) ? 80 : 40;
}

GroupPosition GroupOfChannel(int number, Int16 mode)
{
    for (int g = 0; g < GroupCount(mode); ++g) {
        int base = GroupBase(g, mode);
        if (number > base && number <= base + GroupSize(g, mode))
            return {g, number - base};
    }
    return {};
}

std::vector<std::string> GroupListNames(Int16 mode)
{
    if (IsExtendedMode(mode))
        return {"AE", "BE", "CE", "DE", "EE", "FE", "GE", "HE", "IE", "LE", "VFO"};
    return {"EU", "CE", "UK", "PL", "I2", "DE", "IN"};
}

std::string GroupLabel(int group, const RadioImage& image)
{
    if (group > 12 || group < 0)
        group = 0;
    std::string label = std::to_string(group) + " -- ";
    if (group > 11)
        return label + "VFO";
    return label + image.GroupNames[static_cast<std::size_t>(group)].clean();
}

std::vector<std::string> GroupLabelList(const RadioImage& image)
{
    std::vector<std::string> labels;
    for (int g = 0; g < GroupCount(image.ChannelMode); ++g)
        labels.push_back(GroupLabel(g, image));
    return labels;
}

int FindChannelInGroup(const ImageSet& set, int group, int numberInGroup)
{
    const Int16 mode = set.Settings.ChannelMode;
    const int number = GroupBase(group, mode) + numberInGroup;
    const int count = std::clamp<int>(set.Settings.ChannelCount, 0, kChannelSlots);
    for (int i = 0; i < count; ++i)
        if (set.ActiveChannels[i].Number == number)
            return i;
    return -1;
}

std::vector<int> ChannelNumbersInGroup(const ImageSet& set, int group)
{
    const Int16 mode = set.Settings.ChannelMode;
    const int base = GroupBase(group, mode);
    const int size = GroupSize(group, mode);
    const int count = std::clamp<int>(set.Settings.ChannelCount, 0, kChannelSlots);
    std::vector<int> numbers;
    for (int i = 0; i < count; ++i) {
        int n = set.ActiveChannels[i].Number - base;
        if (n >= 1 && n <= size)
            numbers.push_back(n);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::string ModelDisplayName(const std::string& model, int variant)
{
    std::string clean = CleanText(model);
    if (clean == "KD1415" && variant == 2)
        return "ZAV415E";
    if (clean == "ZAV415" && variant == 1)
        return "ZAV415FM";
    return clean;
}

} // namespace zav
