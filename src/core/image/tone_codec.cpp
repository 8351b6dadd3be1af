// CTCSS/DCS tones: the 265-entry tone index of the channels, the 283-entry
// list of the optional features, their display texts and 16-bit radio
// values (CTCSS in tenths of a hertz, DCS as 0xD000 normal / 0x8000
// inverted plus the code read as octal; 0xFFFF for none).

#include "codecs.h"

#include "numbers.h"

#include <algorithm>
#include <cstdio>

namespace zav {
namespace {

constexpr std::uint16_t kNoTone = 0xFFFF;
constexpr std::uint16_t kDcsNormal = 0xD000;
constexpr std::uint16_t kDcsInverted = 0x8000;
constexpr int kCtcssCount = 50;

/// Octal digits written in decimal (23) -> their octal value (19).
int octalValue(int digits) { return (digits / 100) * 64 + (digits / 10 % 10) * 8 + digits % 10; }

/// Position of an octal value in a DCS list, or -1.
int findDcs(const std::vector<int>& codes, int value)
{
    for (std::size_t i = 0; i < codes.size(); ++i)
        if (octalValue(codes[i]) == value)
            return static_cast<int>(i);
    return -1;
}

std::string ctcssText(int tenths) { return formatFixed(tenths / 10.0, 1); }

/// A DCS entry of the tone lists: "D" before the code and its polarity.
std::string dcsEntryText(int digits, char polarity)
{
    char buffer[9];
    std::snprintf(buffer, sizeof buffer, "D%03d%c", digits % 1000, polarity);
    return buffer;
}

/// Wire value of a tone list laid out as none, 50 CTCSS, the DCS codes
/// normal, the same codes inverted.
std::uint16_t listToWire(int entry, const std::vector<int>& dcs)
{
    const int dcsCount = static_cast<int>(dcs.size());
    if (entry >= 1 && entry <= kCtcssCount)
        return static_cast<std::uint16_t>(ctcssTenths()[static_cast<std::size_t>(entry - 1)]);
    const int d = entry - kCtcssCount - 1;
    if (d >= 0 && d < dcsCount)
        return static_cast<std::uint16_t>(kDcsNormal + octalValue(dcs[static_cast<std::size_t>(d)]));
    if (d >= dcsCount && d < 2 * dcsCount)
        return static_cast<std::uint16_t>(kDcsInverted + octalValue(dcs[static_cast<std::size_t>(d - dcsCount)]));
    return kNoTone;
}

int wireToList(std::uint16_t value, const std::vector<int>& dcs)
{
    const int dcsCount = static_cast<int>(dcs.size());
    switch (value >> 12) {
    case 0x0: {
        const auto& ctcss = ctcssTenths();
        auto it = std::find(ctcss.begin(), ctcss.end(), int(value));
        return it == ctcss.end() ? 0 : 1 + static_cast<int>(it - ctcss.begin());
    }
    case 0xD: {
        int pos = findDcs(dcs, value - kDcsNormal);
        return pos < 0 ? 0 : 1 + kCtcssCount + pos;
    }
    case 0x8: {
        int pos = findDcs(dcs, value - kDcsInverted);
        return pos < 0 ? 0 : 1 + kCtcssCount + dcsCount + pos;
    }
    default:
        return 0;
    }
}

} // namespace

const std::vector<int>& ctcssTenths()
{
    static const std::vector<int> tones{
        670,  693,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000, 1035, 1072, 1109, 1148,
        1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567, 1598, 1622, 1655, 1679, 1713, 1738, 1773, 1799,
        1835, 1862, 1899, 1928, 1966, 1995, 2035, 2065, 2107, 2181, 2257, 2291, 2336, 2418, 2503, 2541,
    };
    return tones;
}

const std::vector<int>& dcsCodes()
{
    static const std::vector<int> codes{
        17,  23,  25,  26,  31,  32,  36,  43,  47,  50,  51,  53,  54,  65,  71,  72,  73,  74,  114, 115, 116, 122,
        125, 131, 132, 134, 143, 145, 152, 155, 156, 162, 165, 172, 174, 205, 212, 223, 225, 226, 243, 244, 245, 246,
        251, 252, 255, 261, 263, 265, 266, 271, 274, 306, 311, 315, 325, 331, 332, 343, 346, 351, 356, 364, 365, 371,
        411, 412, 413, 423, 431, 432, 445, 446, 452, 454, 455, 462, 464, 465, 466, 503, 506, 516, 523, 526, 532, 546,
        565, 606, 612, 624, 627, 631, 632, 645, 654, 662, 664, 703, 712, 723, 731, 732, 734, 743, 754,
    };
    return codes;
}

std::string toneText(int index)
{
    const auto& dcs = dcsCodes();
    const int dcsCount = static_cast<int>(dcs.size());
    if (index == 0)
        return "OFF";
    if (index >= 1 && index <= kCtcssCount)
        return ctcssText(ctcssTenths()[static_cast<std::size_t>(index - 1)]);
    const int d = index - kCtcssCount - 1;
    if (d >= 0 && d < dcsCount)
        return dcsEntryText(dcs[static_cast<std::size_t>(d)], 'N');
    if (d >= dcsCount && d < 2 * dcsCount)
        return dcsEntryText(dcs[static_cast<std::size_t>(d - dcsCount)], 'I');
    return {};
}

const std::vector<std::string>& toneTexts()
{
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> all;
        for (int i = 0; i < kToneCount; ++i)
            all.push_back(toneText(i));
        return all;
    }();
    return texts;
}

std::uint16_t toneToWire(int index) { return listToWire(index, dcsCodes()); }

int wireToTone(std::uint16_t value) { return wireToList(value, dcsCodes()); }

const std::vector<int>& commonDcsCodes()
{
    static const std::vector<int> codes{
        17,  23,  25,  26,  31,  32,  36,  43,  47,  50,  51,  53,  54,  55,  65,  71,  72,  73,  74,  114, 115, 116,
        122, 125, 131, 132, 134, 135, 143, 145, 152, 155, 156, 162, 165, 172, 174, 205, 212, 217, 223, 225, 226, 243,
        244, 245, 246, 251, 252, 254, 255, 261, 263, 265, 266, 271, 274, 305, 306, 311, 315, 325, 331, 332, 343, 345,
        346, 351, 356, 364, 365, 371, 411, 412, 413, 423, 425, 431, 432, 445, 446, 452, 454, 455, 462, 464, 465, 466,
        503, 506, 516, 523, 526, 532, 534, 546, 565, 606, 612, 624, 627, 631, 632, 645, 654, 662, 664, 703, 712, 723,
        731, 732, 734, 743, 754, 765,
    };
    return codes;
}

std::string commonToneText(int entry)
{
    const auto& dcs = commonDcsCodes();
    const int dcsCount = static_cast<int>(dcs.size());
    if (entry >= 1 && entry <= kCtcssCount)
        return ctcssText(ctcssTenths()[static_cast<std::size_t>(entry - 1)]);
    const int d = entry - kCtcssCount - 1;
    // Written as the channel list writes a code, so that one code reads the
    // same in every window.
    if (d >= 0 && d < dcsCount)
        return dcsEntryText(dcs[static_cast<std::size_t>(d)], 'N');
    if (d >= dcsCount && d < 2 * dcsCount)
        return dcsEntryText(dcs[static_cast<std::size_t>(d - dcsCount)], 'I');
    return {};
}

const std::vector<std::string>& commonToneTexts()
{
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> all;
        for (int entry = 1; entry < kCommonToneCount; ++entry)
            all.push_back(commonToneText(entry));
        return all;
    }();
    return texts;
}

std::uint16_t commonToneToWire(int entry) { return listToWire(entry, commonDcsCodes()); }

int wireToCommonTone(std::uint16_t value) { return wireToList(value, commonDcsCodes()); }

} // namespace zav
