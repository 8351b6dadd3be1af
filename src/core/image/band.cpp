#include "band.h"

#include "numbers.h"

#include <array>
#include <utility>

namespace zav {
namespace {
constexpr std::array<std::pair<std::string_view, Int16>, 17> kBands{{
    {"25.615 - 30.105 MHz", 0}, {"430 - 450 MHz", 1}, {"400 - 440 MHz", 2},  {"440 - 480 MHz", 3},
    {"400 - 450 MHz", 4},       {"450 - 480 MHz", 5}, {"430 - 440 MHz", 6},  {"430 - 480 MHz", 7},
    {"136 - 174 MHz", 8},       {"136 - 150 MHz", 9}, {"150 - 174 MHz", 10}, {"136 - 145 MHz", 11},
    {"145 - 174 MHz", 12},      {"144 - 146 MHz", 13}, {"144 - 148 MHz", 14}, {"350 - 390 MHz", 16},
    {"450 - 520 MHz", 32},
}};
} // namespace

Int16 bandCodeOf(std::string_view label)
{
    for (const auto& [text, code] : kBands)
        if (text == label)
            return code;
    return 0;
}

std::string bandLabelOf(int code)
{
    return code == 0 ? std::string(kBands[0].first) : std::string();
}

BandLimits parseBandLimits(std::string_view label)
{
    BandLimits limits;
    auto dash = label.find(" - ");
    if (dash == std::string_view::npos)
        return limits;
    std::string_view lowText = label.substr(0, dash);
    std::string_view rest = label.substr(dash + 3);
    auto mhz = rest.find(" MHz");
    std::string_view highText = mhz == std::string_view::npos ? rest : rest.substr(0, mhz);
    if (auto v = parseNumber(lowText))
        limits.low = *v;
    if (auto v = parseNumber(highText))
        limits.high = *v;
    return limits;
}

} // namespace zav
