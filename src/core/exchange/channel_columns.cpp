#include "channel_columns.h"

#include "codecs.h"
#include "numbers.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace zav {
namespace {

// The texts by id in the English language file; the exchange keeps its own
// copy so that reading and writing never depend on which language is in use.
const std::vector<OptionText> kOffOn{{15052, "Off"}, {15053, "On"}};

std::string lowerCase(std::string_view text)
{
    std::string out(trimSpaces(text));
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace

int toneIndexOf(std::string_view cell)
{
    const std::string wanted = lowerCase(cell);
    const std::vector<std::string>& texts = toneTexts();
    for (std::size_t k = 0; k < texts.size(); ++k) {
        if (lowerCase(texts[k]) == wanted)
            return static_cast<int>(k);
    }
    const auto value = parseNumber(wanted);
    if (value && std::abs(*value) < 1000) { // CTCSS tones lie far below; a huge value is no tone
        const long long tenths = roundHalfEven(*value * 10);
        const std::vector<int>& ctcss = ctcssTenths();
        for (std::size_t k = 0; k < ctcss.size(); ++k) {
            if (ctcss[k] == tenths && std::abs(*value * 10 - static_cast<double>(tenths)) < 1e-6)
                return static_cast<int>(k) + 1;
        }
    }
    return -1;
}

const std::vector<OptionColumn>& optionColumns()
{
    static const std::vector<OptionColumn> columns{
        {"scan skip", ChannelOption::ScanSkip, {{14017, "No"}, {14018, "Yes"}}},
        {"optional signalling", ChannelOption::OptionalSignalling, {{14013, "OFF"}, {14019, "DTMF"}}},
        {"spacing", ChannelOption::Spacing, {{14020, "Wide"}, {14021, "Middle"}, {14022, "Narrow"}}},
        {"PTT ID", ChannelOption::PttId, {{15030, "Off"}, {15037, "BOT Code"}, {15038, "EOT Code"}, {15039, "BOT+EOT"}}},
        {"reverse or talk around", ChannelOption::ReverseOrTalkAround, {{15034, "Reverse"}, {15035, "Talk Around"}}},
        {"BOT code", ChannelOption::BotCode, {{14013, "OFF"}}, 16},
        {"scrambler", ChannelOption::Scrambler, kOffOn},
        {"TX inhibit", ChannelOption::TxInhibit, kOffOn},
        {"talk around", ChannelOption::TalkAround, kOffOn},
        {"reverse", ChannelOption::Reverse, kOffOn},
        {"whisper", ChannelOption::Whisper, kOffOn},
        {"compander", ChannelOption::Compander, kOffOn},
        {"signalling relation", ChannelOption::SignallingRelation, {{15050, "AND"}, {15051, "OR"}}},
        {"EOT code", ChannelOption::EotCode, {{14013, "OFF"}}, 16},
        {"roger beep", ChannelOption::RogerBeep, {{15030, "Off"}}, 8},
        {"squelch mode", ChannelOption::SquelchMode, {{15031, "Carrier"}, {15032, "CTCSS/DCS"}}},
        {"AM/FM", ChannelOption::Modulation, {{15500, "AM"}, {15501, "FM"}}},
        {"AM power", ChannelOption::AmPower, {{15502, "High"}, {15503, "Low"}}},
        {"FM power", ChannelOption::FmPower, {{15504, "High"}, {15505, "Low"}}},
        {"call code", ChannelOption::CallCode, {{14013, "OFF"}}, 16},
        {"repeater shift", ChannelOption::RepeaterShift, {{15030, "Off"}, {0, "+100K"}, {0, "-100K"}}},
        {"TSQ", ChannelOption::TsqMode, kOffOn},
        {"RX expander", ChannelOption::RxExpander, kOffOn},
        {"TX compressor", ChannelOption::TxCompressor, kOffOn},
        {"NB/ANL", ChannelOption::NoiseBlanker, kOffOn},
        {"ATT", ChannelOption::Attenuator, kOffOn},
        {"hi-cut", ChannelOption::HighCut, kOffOn},
        {"AM/FM lock", ChannelOption::ModulationLock, kOffOn},
        {"AM power lock", ChannelOption::AmPowerLock, kOffOn},
        {"FM power lock", ChannelOption::FmPowerLock, kOffOn},
    };
    return columns;
}

const OptionColumn& busyLockoutColumn()
{
    static const OptionColumn column{"busy lockout",
                                     ChannelOption::BusyLockout,
                                     {{15030, "Off"}, {15031, "Carrier"}, {15032, "CTCSS/DCS"}, {15033, "Opt. Signal"}}};
    return column;
}

std::string optionText(const OptionColumn& column, int value)
{
    if (value >= 0 && value < static_cast<int>(column.entries.size()))
        return column.entries[static_cast<std::size_t>(value)].text;
    if (column.numberedUpTo > 0 && value >= 1 && value <= column.numberedUpTo)
        return std::to_string(value);
    return std::to_string(value);
}

int optionValue(const OptionColumn& column, std::string_view text)
{
    const std::string_view wanted = trimSpaces(text);
    const auto sameLetters = [&](std::string_view entry) {
        return std::equal(entry.begin(), entry.end(), wanted.begin(), wanted.end(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
        });
    };
    for (std::size_t k = 0; k < column.entries.size(); ++k) {
        if (sameLetters(column.entries[k].text))
            return static_cast<int>(k);
    }
    if (column.numberedUpTo > 0) {
        const auto number = parseNumber(wanted);
        if (number && *number >= 1 && *number <= column.numberedUpTo && *number == static_cast<int>(*number)
            && wanted.find('.') == std::string_view::npos)
            return static_cast<int>(*number);
    }
    return -1;
}

std::string optionChoices(const OptionColumn& column)
{
    std::string choices;
    for (const OptionText& entry : column.entries) {
        if (!choices.empty())
            choices += ", ";
        choices += entry.text;
    }
    if (column.numberedUpTo > 0)
        choices += ", 1.." + std::to_string(column.numberedUpTo);
    return choices;
}

} // namespace zav
