#include "sim_options.h"

#include <charconv>
#include <cstring>
#include <limits>
#include <string_view>
#include <system_error>

namespace zav::sim {

namespace {

// What an option's value must be; a value that is not one is refused with
// the option's name instead of being read as 0 (which would quietly start a
// radio unlike the one the caller asked for).
enum class Kind { Flag, Text, Byte, Count, Seed, Probability, Address };

struct Value {
    std::string text;
    long long integer = 0;
    double real = 0;
};

struct OptionEntry {
    const char* name;
    const char* valueName; // nullptr for a flag
    Kind kind;
    const char* meaning;
    void (*apply)(SimOptions&, const Value&);
};

constexpr OptionEntry kOptions[] = {
    {"--link", "PATH", Kind::Text, "also link PATH to the pseudo-terminal (and print PATH)",
     [](SimOptions& o, const Value& v) { o.link = v.text; }},
    {"--memory", "FILE", Kind::Text, "start from this 25664-byte memory image",
     [](SimOptions& o, const Value& v) { o.memoryFile = v.text; }},
    {"--info", "FILE", Kind::Text, "start from this radio-information block",
     [](SimOptions& o, const Value& v) { o.infoFile = v.text; }},
    {"--dump", "FILE", Kind::Text, "write the memory to FILE at every end request, then print \"end N\"",
     [](SimOptions& o, const Value& v) { o.dumpFile = v.text; }},
    {"--model", "NAME", Kind::Text, "the model the radio reports",
     [](SimOptions& o, const Value& v) {
         o.model = v.text;
         o.modelSet = true;
     }},
    {"--band-byte", "N", Kind::Byte, "the band code the radio reports (0 to 255)",
     [](SimOptions& o, const Value& v) {
         o.bandByte = static_cast<int>(v.integer);
         o.bandSet = true;
     }},
    {"--radio-version", "VNNN", Kind::Text, "the firmware version the radio reports",
     [](SimOptions& o, const Value& v) {
         o.version = v.text;
         o.versionSet = true;
     }},
    {"--channel-mode", "N", Kind::Byte, "the channel mode the radio reports (0 to 255)",
     [](SimOptions& o, const Value& v) { o.channelMode = static_cast<int>(v.integer); }},
    {"--password", "PW", Kind::Text, "the radio's password, sent before a read or write",
     [](SimOptions& o, const Value& v) { o.password = v.text; }},
    {"--echo", nullptr, Kind::Flag, "echo every byte sent, as a single-wire cable does",
     [](SimOptions& o, const Value&) { o.faults.echo = true; }},
    {"--paced", nullptr, Kind::Flag, "keep 9600-baud time on a half-duplex line",
     [](SimOptions& o, const Value&) { o.paced = true; }},
    {"--exact-timing", nullptr, Kind::Flag, "with --paced: answer on the microsecond (polls, costs CPU)",
     [](SimOptions& o, const Value&) { o.exactTiming = true; }},
    {"--lose", "P", Kind::Probability, "lose each reply with probability P (0 to 1)",
     [](SimOptions& o, const Value& v) { o.faults.lose = v.real; }},
    {"--seed", "N", Kind::Seed, "seed of the random faults (default 1)",
     [](SimOptions& o, const Value& v) { o.faults.seed = static_cast<unsigned>(v.integer); }},
    {"--repeat", "N", Kind::Count, "ask for each of the first N write blocks again",
     [](SimOptions& o, const Value& v) { o.faults.repeatFirst = static_cast<int>(v.integer); }},
    {"--repeat-every", "N", Kind::Count, "ask once for every Nth write block again",
     [](SimOptions& o, const Value& v) { o.faults.repeatEvery = static_cast<int>(v.integer); }},
    {"--bad-checksum", "P", Kind::Probability, "bad data-block checksums with probability P (0 to 1)",
     [](SimOptions& o, const Value& v) { o.faults.badChecksum = v.real; }},
    {"--silent-after", "N", Kind::Count, "stop answering after N replies",
     [](SimOptions& o, const Value& v) { o.faults.silentAfter = static_cast<long>(v.integer); }},
    {"--corrupt", "ADDRESS", Kind::Address, "keep the byte written at ADDRESS inverted (0x hex too)",
     [](SimOptions& o, const Value& v) { o.faults.corruptAddress = static_cast<long>(v.integer); }},
};

constexpr const char* kHelpName = "-h, --help";
constexpr const char* kHelpMeaning = "print this help and exit";
constexpr const char* kVersionName = "--version";
constexpr const char* kVersionMeaning = "print the program's version and exit";

/// The whole of text as an integer in [low, high]; base 16 after "0x"
/// when hex is allowed.
bool parseInteger(std::string_view text, long long low, long long high, bool hex, long long& out)
{
    int base = 10;
    if (hex && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    if (text.empty())
        return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out, base);
    return ec == std::errc() && end == text.data() + text.size() && out >= low && out <= high;
}

/// The whole of text as a number from 0 to 1 with "." as the decimal point,
/// whatever the locale.
bool parseProbability(std::string_view text, double& out)
{
    if (text.empty())
        return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size() && out >= 0 && out <= 1; // NaN fails too
}

/// Empty when text suits the kind, else what the value must be.
std::string checkValue(Kind kind, Value& v)
{
    switch (kind) {
    case Kind::Flag:
    case Kind::Text:
        return {};
    case Kind::Byte:
        return parseInteger(v.text, 0, 255, false, v.integer) ? std::string() : "a whole number from 0 to 255";
    case Kind::Count:
        return parseInteger(v.text, 0, std::numeric_limits<int>::max(), false, v.integer)
            ? std::string()
            : "a whole number, 0 or more";
    case Kind::Seed:
        return parseInteger(v.text, 0, std::numeric_limits<unsigned>::max(), false, v.integer)
            ? std::string()
            : "a whole number, 0 or more";
    case Kind::Probability:
        return parseProbability(v.text, v.real) ? std::string() : "a number from 0 to 1";
    case Kind::Address:
        return parseInteger(v.text, 0, 0xFFFF, true, v.integer) ? std::string()
                                                                 : "an address from 0 to 0xFFFF";
    }
    return {};
}

const OptionEntry* findOption(std::string_view name)
{
    for (const OptionEntry& entry : kOptions)
        if (name == entry.name)
            return &entry;
    return nullptr;
}

SimCommandLine fail(std::string message)
{
    SimCommandLine result;
    result.outcome = SimCommandLine::Outcome::Error;
    result.error = std::move(message);
    return result;
}

} // namespace

SimCommandLine parseSimCommandLine(int argc, const char* const* argv)
{
    SimCommandLine result;
    bool help = false;
    bool version = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i] ? argv[i] : "";
        if (arg == "-h" || arg == "--help") {
            help = true;
            continue;
        }
        if (arg == kVersionName) {
            version = true;
            continue;
        }
        // --name=value as well as --name value.
        const std::size_t equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        const OptionEntry* entry = arg.starts_with("--") ? findOption(name) : nullptr;
        if (!entry) {
            if (!arg.starts_with("-"))
                return fail("unexpected argument '" + std::string(arg) + "'" +
                            (i > 1 && std::strcmp(argv[i - 1], kVersionName) == 0
                                 ? " (the radio's own version is --radio-version VNNN)"
                                 : ""));
            return fail("unknown option '" + std::string(name) + "'");
        }
        Value value;
        if (!entry->valueName) {
            if (equals != std::string_view::npos)
                return fail(std::string(entry->name) + " takes no value");
        } else if (equals != std::string_view::npos) {
            value.text = std::string(arg.substr(equals + 1));
        } else if (i + 1 < argc && argv[i + 1]) {
            value.text = argv[++i];
        } else {
            return fail(std::string(entry->name) + " needs a value (" + entry->valueName + ")");
        }
        const std::string expected = checkValue(entry->kind, value);
        if (!expected.empty())
            return fail(std::string(entry->name) + " needs " + expected + ", not '" + value.text + "'");
        entry->apply(result.options, value);
    }
    if (help)
        result.outcome = SimCommandLine::Outcome::Help;
    else if (version)
        result.outcome = SimCommandLine::Outcome::Version;
    return result;
}

std::string simHelpText()
{
    std::string text = "usage: zavprog-radio-sim [options]\n"
                       "\n"
                       "A virtual ZAV415 radio on a pseudo-terminal. Prints the device to open (one\n"
                       "line), then plays the radio's side of the programming protocol until it is\n"
                       "stopped. Numbers are written with '.' as the decimal point.\n"
                       "\n"
                       "Options:\n";
    auto line = [&text](const std::string& left, const char* meaning) {
        constexpr std::size_t kColumn = 26;
        text += "  " + left;
        text += left.size() + 2 < kColumn ? std::string(kColumn - left.size() - 2, ' ') : "\n" + std::string(kColumn, ' ');
        text += meaning;
        text += '\n';
    };
    for (const OptionEntry& entry : kOptions)
        line(entry.valueName ? std::string(entry.name) + " " + entry.valueName : std::string(entry.name), entry.meaning);
    line(kHelpName, kHelpMeaning);
    line(kVersionName, kVersionMeaning);
    text += "\n"
            "Without --memory the radio holds a sample configuration; the identity\n"
            "options default to what its memory's header says (ZAV415, V300).\n";
    return text;
}

} // namespace zav::sim
