#include "channel_groups.h"

#include <algorithm>

namespace zav {

int groupCount(Int16 mode) { return isExtendedMode(mode) ? kExtendedGroups : kCountryGroups; }

int groupBase(int group, Int16 mode)
{
    if (isExtendedMode(mode))
        return group == kVfoGroup ? 520 : 40 * group;
    if (group <= 2)
        return 40 * group;
    if (group <= 5)
        return 40 * (group + 1);
    return 40 * (group + 2);
}

int groupSize(int group, Int16 mode)
{
    if (isExtendedMode(mode))
        return group == kVfoGroup ? 1 : 40;
    return (group == 2 || group == 5) ? 80 : 40;
}

GroupPosition groupOfChannel(int number, Int16 mode)
{
    for (int g = 0; g < groupCount(mode); ++g) {
        int base = groupBase(g, mode);
        if (number > base && number <= base + groupSize(g, mode))
            return {g, number - base};
    }
    return {};
}

std::vector<std::string> groupListNames(Int16 mode)
{
    if (isExtendedMode(mode))
        return {"AE", "BE", "CE", "DE", "EE", "FE", "GE", "HE", "IE", "LE", "VFO"};
    return {"EU", "CE", "UK", "PL", "I2", "DE", "IN"};
}

std::string groupLabel(int group, const RadioImage& image)
{
    if (group > 12 || group < 0)
        group = 0;
    std::string label = std::to_string(group) + " -- ";
    if (group > 11)
        return label + "VFO";
    return label + image.GroupNames[static_cast<std::size_t>(group)].clean();
}

std::vector<std::string> groupLabelList(const RadioImage& image)
{
    std::vector<std::string> labels;
    for (int g = 0; g < groupCount(image.ChannelMode); ++g)
        labels.push_back(groupLabel(g, image));
    return labels;
}

int findChannelInGroup(const ImageSet& set, int group, int numberInGroup)
{
    const Int16 mode = set.Settings.ChannelMode;
    const int number = groupBase(group, mode) + numberInGroup;
    const int count = std::clamp<int>(set.Settings.ChannelCount, 0, kChannelSlots);
    for (int i = 0; i < count; ++i)
        if (set.ActiveChannels[i].Number == number)
            return i;
    return -1;
}

std::vector<int> channelNumbersInGroup(const ImageSet& set, int group)
{
    const Int16 mode = set.Settings.ChannelMode;
    const int base = groupBase(group, mode);
    const int size = groupSize(group, mode);
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

std::string modelDisplayName(const std::string& model, int variant)
{
    std::string clean = cleanText(model);
    if (clean == "KD1415" && variant == 2)
        return "ZAV415E";
    if (clean == "ZAV415" && variant == 1)
        return "ZAV415FM";
    return clean;
}

} // namespace zav
