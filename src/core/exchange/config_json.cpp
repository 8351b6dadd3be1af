#include "config_json.h"

#include "band.h"
#include "channel_columns.h"
#include "codecs.h"
#include "data_file.h"
#include "gbk_text.h"
#include "image_fields.h"
#include "image_layout.h"
#include "json_value.h"

#include <algorithm>
#include <limits>
#include <type_traits>

namespace zav {
namespace {

using Kind = JsonValue::Kind;

constexpr const char* kFileKind = "zavprog configuration";
constexpr std::size_t kMostProblems = 50; // enough to fix a file by; the rest would be noise

// --- field kinds by member name ---------------------------------------------

bool allDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isFrequencyField(std::string_view name)
{
    return name == "RxFrequency" || name == "Frequency" || name == "First" || name == "Second";
}
bool isDtmfField(std::string_view name) { return name == "Code" || name == "IdCode"; }
/// The table counts follow from the channel lists and are not written.
bool isTableCount(std::string_view name) { return name == "ChannelCount" || name == "StandbyChannelCount"; }

} // namespace

/// The name a member goes by in the file: what it is, in words; an option of
/// the shared channel settings by its channel column's name.
std::string jsonKey(std::string_view member)
{
    static const std::vector<std::pair<std::string_view, std::string_view>> kKeys{
        {"Header", "identity"},
        {"Model", "model"},
        {"BandCode", "band code"},
        {"Version", "version"},
        {"ChannelMode", "channel mode"},
        {"RadioList", "radio frequency list"},
        {"Flag", "unused flag"},
        {"Frequency", "MHz"},
        {"TestFrequencies", "test frequencies"},
        {"First", "first MHz"},
        {"Second", "second MHz"},
        {"OptFeat", "optional features"},
        {"Common1", "common settings 1"},
        {"Common2", "common settings 2"},
        {"PowerOnText", "power-on text"},
        {"CommonChannel", "shared channel settings"},
        {"DtmfSettings", "DTMF"},
        {"DigitRate", "digit rate"},
        {"FirstDigitTime", "first digit time"},
        {"FirstDigitDelay", "first digit delay"},
        {"StarHashTime", "* and # time"},
        {"DKeySetting", "D key"},
        {"Sidetone", "sidetone"},
        {"CallAlert", "call alert"},
        {"GroupCode", "group code"},
        {"AutoResetTime", "auto reset time"},
        {"IdCode", "ID code"},
        {"IdCodeLength", "ID code length"},
        {"CodeMemories", "code memories"},
        {"Length", "length"},
        {"Code", "digits"},
        {"PttIdBot", "PTT ID BOT memory"},
        {"PttIdEot", "PTT ID EOT memory"},
        {"KillCode", "kill code memory"},
        {"StunCode", "stun code memory"},
        {"EmbeddedMessage", "embedded message"},
        {"KeySettings", "key settings"},
        {"AlertSettings", "alert settings"},
        {"ScanSettings", "scan settings"},
        {"ToneTips", "tone tips"},
        {"Values", "notes (frequency, duration) then repeat count and interval"},
        {"GroupNames", "group names"},
        {"StandbyGroupNames", "other mode's group names"},
        {"StandbySettings", "other mode's settings"},
        {"Number", "channel number"},
        {"EmptyFlag", "empty flag"},
        {"RxFrequency", "receive MHz"},
        {"RxTone", "receive tone"},
        {"TxTone", "transmit tone"},
        {"Offset", "offset MHz"},
        {"OffsetDirection", "offset direction"},
        {"RxStepClass", "receive step class"},
        {"TxStepClass", "transmit step class"},
    };
    for (const auto& [from, to] : kKeys)
        if (from == member)
            return std::string(to);
    if (member.starts_with("Option")) {
        const std::string_view digits = member.substr(6);
        const int id = allDigits(digits) && !digits.empty() ? std::stoi(std::string(digits)) : -1;
        const std::optional<ChannelOption> option = channelOptionOfField(id);
        if (option == busyLockoutColumn().option)
            return busyLockoutColumn().name;
        for (const OptionColumn& column : optionColumns())
            if (option == column.option)
                return column.name;
        return "option " + std::string(digits);
    }
    return std::string(member);
}

const std::vector<NamedPositions>& common1Positions()
{
    static const std::vector<NamedPositions> common1Names{
        {"TOT time", common1::TotTime},
        {"current group", common1::CurrentGroup},
        {"display mode", common1::DisplayMode},
        {"backlight colour", common1::BacklightColour},
        {"scan mode", common1::ScanMode},
        {"scan resume time", common1::ScanResumeTime},
        {"key beep", common1::KeyBeep},
        {"common data", common1::CommonData},
        {"PTT ID pause", common1::PttIdPause},
        {"emergency channels (group 0 first, two per group)", common1::EmergencyChannelBase, 2 * kGroupNames},
        {"emergency channels AM/FM (group 0 first, two per group)", common1::EmergencyAmFmBase, 2 * kGroupNames},
        {"reset modes", common1::ResetModeBase, common1::Count - common1::ResetModeBase},
    };
    return common1Names;
}

const std::vector<NamedPositions>& common2Positions()
{
    static const std::vector<NamedPositions> common2Names{
        {"squelch level", common2::SquelchLevel},
        {"voice prompt", common2::VoicePrompt},
        {"voice volume", common2::VoiceVolume},
        {"tail elimination", common2::TailElimination},
        {"battery save", common2::BatterySave},
        {"VOX", common2::Vox},
        {"VOX tone", common2::VoxTone},
        {"channel lock", common2::ChannelLock},
        {"group select", common2::GroupSelect},
        {"TOT pre-alert", common2::TotPreAlert},
        {"wired clone", common2::WiredClone},
        {"tail elimination without signal", common2::TailElimNoSignal},
        {"frequency changeable", common2::FreqChangeable},
        {"TOT rekey", common2::TotRekey},
        {"TOT reset", common2::TotReset},
        {"VOX level", common2::VoxLevel},
        {"VOX delay", common2::VoxDelay},
    };
    return common2Names;
}

namespace {

const std::vector<NamedPositions>* namedPositions(std::string_view arrayName)
{
    if (arrayName == "Common1")
        return &common1Positions();
    if (arrayName == "Common2")
        return &common2Positions();
    return nullptr;
}

std::string hexBytes(std::string_view bytes)
{
    static const char* const kHex = "0123456789ABCDEF";
    std::string out;
    for (char c : bytes) {
        if (!out.empty())
            out.push_back(' ');
        const auto u = static_cast<unsigned char>(c);
        out.push_back(kHex[u >> 4]);
        out.push_back(kHex[u & 15]);
    }
    return out;
}

/// A count of 10 Hz (or whole digits) as MHz with five decimals.
std::string countText(long long count)
{
    std::string decimals = std::to_string(count % 100000);
    decimals.insert(0, 5 - decimals.size(), '0');
    return std::to_string(count / 100000) + "." + decimals;
}

// --- writing -------------------------------------------------------------------

/// A text field: its characters, trailing padding left out when it is the
/// plain space padding; bytes that GBK cannot read as {"bytes": "41 FF .."}.
template <std::size_t N>
JsonValue textValue(const FixedText<N>& field)
{
    const std::string raw = field.raw();
    const auto back = utf8ToGbk(gbkToUtf8(raw));
    if (!back || *back != raw) {
        JsonValue bytes = JsonValue::object();
        bytes.add("bytes", JsonValue::string(hexBytes(raw)));
        return bytes;
    }
    FixedText<N> padded;
    padded.assign(field.clean());
    return JsonValue::string(gbkToUtf8(padded == field ? field.clean() : raw));
}

/// A field written in its readable form when it holds one, else as stored.
template <std::size_t N>
JsonValue storedValue(const FixedText<N>& field)
{
    JsonValue value = textValue(field);
    if (value.kind == Kind::String) {
        JsonValue text = JsonValue::object();
        text.add("text", std::move(value));
        return text;
    }
    return value;
}

template <std::size_t N>
JsonValue fieldValue(std::string_view name, const FixedText<N>& field)
{
    const std::string raw = field.raw();
    if ((isFrequencyField(name) || name == "Offset") && allDigits(raw))
        return JsonValue::string(countText(std::stoll(raw)));
    if (isFrequencyField(name) || name == "Offset")
        return storedValue(field);
    if (isDtmfField(name)) {
        const std::string clean = field.clean();
        FixedText<N> padded;
        padded.assign(clean);
        const bool digits = std::all_of(clean.begin(), clean.end(), [](char c) {
            return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
        });
        return digits && padded == field ? JsonValue::string(dtmfToDisplay(clean)) : storedValue(field);
    }
    return textValue(field);
}

template <class T>
    requires std::is_integral_v<T>
JsonValue fieldValue(std::string_view, const T& field)
{
    return JsonValue::number(field);
}

struct JsonWriter {
    JsonValue* target;

    template <class T>
    void operator()(const char* name, const T& field)
    {
        if (!isTableCount(name))
            target->add(jsonKey(name), fieldValue(name, field));
    }

    template <class T, std::size_t N>
    void operator()(const char* name, const std::array<T, N>& fields)
    {
        if (const auto* positions = namedPositions(name)) {
            JsonValue object = JsonValue::object();
            for (const NamedPositions& p : *positions) {
                JsonValue list = JsonValue::array();
                for (int k = p.first; k < p.first + p.count; ++k)
                    list.items.push_back(fieldValue(name, fields[static_cast<std::size_t>(k)]));
                object.add(p.key, p.count == 1 ? std::move(list.items.front()) : std::move(list));
            }
            target->add(jsonKey(name), std::move(object));
            return;
        }
        JsonValue list = JsonValue::array();
        for (const T& field : fields)
            list.items.push_back(fieldValue(name, field));
        target->add(jsonKey(name), std::move(list));
    }

    template <class R, class F>
    void record(const char* name, const R& sub, F fn)
    {
        JsonValue object = JsonValue::object();
        JsonWriter inner{&object};
        fn(inner, sub);
        target->add(jsonKey(name), std::move(object));
    }

    template <class R, std::size_t N, class F>
    void records(const char* name, const std::array<R, N>& subs, F fn)
    {
        JsonValue list = JsonValue::array();
        for (const R& sub : subs) {
            JsonValue object = JsonValue::object();
            JsonWriter inner{&object};
            fn(inner, sub);
            list.items.push_back(std::move(object));
        }
        target->add(jsonKey(name), std::move(list));
    }
};

JsonValue listedValue(const OptionColumn& column, Int16 value)
{
    const std::string text = optionText(column, value);
    return text == std::to_string(value) ? JsonValue::number(value) : JsonValue::string(text);
}

const char* const kDirections[] = {"none", "minus", "plus"};

/// A channel of a table under the names of the channel exchange.
JsonValue channelValue(const ChannelRecord& r)
{
    JsonValue out = JsonValue::object();
    out.add("channel number", JsonValue::number(r.Number));
    out.add("receive MHz", fieldValue("RxFrequency", r.RxFrequency));
    out.add("offset MHz", fieldValue("Offset", r.Offset));
    out.add("offset direction", r.OffsetDirection <= 2 ? JsonValue::string(kDirections[r.OffsetDirection])
                                                        : JsonValue::number(r.OffsetDirection));
    const std::string rx = toneText(r.RxTone);
    const std::string tx = toneText(r.TxTone);
    out.add("receive tone", rx.empty() ? JsonValue::number(r.RxTone) : JsonValue::string(rx));
    out.add("transmit tone", tx.empty() ? JsonValue::number(r.TxTone) : JsonValue::string(tx));
    out.add(busyLockoutColumn().name, listedValue(busyLockoutColumn(), r.option(ChannelOption::BusyLockout)));
    for (const OptionColumn& column : optionColumns())
        out.add(column.name, listedValue(column, r.option(column.option)));
    out.add("empty flag", JsonValue::number(r.EmptyFlag));
    out.add("receive step class", JsonValue::number(r.RxStepClass));
    out.add("transmit step class", JsonValue::number(r.TxStepClass));
    return out;
}

void addTable(JsonValue& out, const char* usedName, const char* unusedName, const ChannelTable& table, int count)
{
    JsonValue used = JsonValue::array();
    JsonValue unused = JsonValue::array();
    for (int i = 0; i < kChannelSlots; ++i) {
        const ChannelRecord& r = table[static_cast<std::size_t>(i)];
        if (i < count) {
            used.items.push_back(channelValue(r));
        } else if (!(r == ChannelRecord{})) {
            // What a file keeps behind its last channel, so it comes back too.
            JsonValue slot = JsonValue::object();
            slot.add("slot", JsonValue::number(i + 1));
            JsonValue record = JsonValue::object();
            JsonWriter writer{&record};
            visitChannelFields(writer, r);
            slot.add("record", std::move(record));
            unused.items.push_back(std::move(slot));
        }
    }
    out.add(usedName, std::move(used));
    out.add(unusedName, std::move(unused));
}

int clampedCount(Int16 count) { return std::clamp<int>(count, 0, kChannelSlots); }

// --- reading -------------------------------------------------------------------

class Problems {
public:
    explicit Problems(std::vector<JsonProblem>& list) : list_(list) {}
    void add(std::string path, std::string reason)
    {
        if (list_.size() < kMostProblems)
            list_.push_back({std::move(path), std::move(reason)});
    }

private:
    std::vector<JsonProblem>& list_;
};

std::string describe(const JsonValue& value)
{
    switch (value.kind) {
    case Kind::Null: return "null";
    case Kind::Bool: return value.boolean ? "true" : "false";
    case Kind::Number: return value.text;
    case Kind::String: return "\"" + value.text + "\"";
    case Kind::Array: return "a list";
    case Kind::Object: return "an object";
    }
    return {};
}

template <class T>
bool readInteger(const JsonValue& value, T& out, const std::string& path, Problems& problems)
{
    const std::string_view text = value.text;
    const std::string_view digits = text.starts_with('-') ? text.substr(1) : text;
    constexpr long long kLow = std::numeric_limits<T>::min();
    constexpr long long kHigh = std::numeric_limits<T>::max();
    if (value.kind != Kind::Number || digits.empty() || digits.size() > 6 || !allDigits(digits)) {
        problems.add(path, describe(value) + " is not a whole number");
        return false;
    }
    const long long n = std::stoll(std::string(text));
    if (n < kLow || n > kHigh) {
        problems.add(path, describe(value) + " is outside " + std::to_string(kLow) + ".." + std::to_string(kHigh));
        return false;
    }
    out = static_cast<T>(n);
    return true;
}

std::optional<std::string> parseHexBytes(std::string_view text)
{
    std::string out;
    std::size_t i = 0;
    const auto nibble = [](char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        if (i + 1 >= text.size() || nibble(text[i]) < 0 || nibble(text[i + 1]) < 0)
            return std::nullopt;
        out.push_back(static_cast<char>(nibble(text[i]) * 16 + nibble(text[i + 1])));
        i += 2;
    }
    return out;
}

template <std::size_t N>
bool readText(const JsonValue& value, FixedText<N>& out, const std::string& path, Problems& problems)
{
    if (value.kind == Kind::Object && value.members.size() == 1 && value.find("bytes")
        && value.find("bytes")->kind == Kind::String) {
        const auto bytes = parseHexBytes(value.find("bytes")->text);
        if (!bytes || bytes->size() != N) {
            problems.add(path + ".bytes", "needs exactly " + std::to_string(N) + " bytes in hexadecimal (\"41 42 ..\")");
            return false;
        }
        out.assign(*bytes);
        return true;
    }
    if (value.kind != Kind::String) {
        problems.add(path, describe(value) + " is not a text");
        return false;
    }
    const auto bytes = utf8ToGbk(value.text);
    if (!bytes) {
        problems.add(path, "\"" + value.text + "\" has a character that GBK lacks");
        return false;
    }
    if (bytes->size() > N) {
        problems.add(path, "\"" + value.text + "\" takes " + std::to_string(bytes->size()) + " bytes; the field holds "
                               + std::to_string(N));
        return false;
    }
    out.assign(*bytes);
    return true;
}

/// The stored form of a field that also has a readable one.
template <std::size_t N>
bool readStored(const JsonValue& value, FixedText<N>& out, const std::string& path, Problems& problems)
{
    if (value.kind == Kind::Object && value.members.size() == 1 && value.find("text"))
        return readText(*value.find("text"), out, path + ".text", problems);
    return readText(value, out, path, problems);
}

/// "27.40000" (at most five decimals) as the digits of width N.
template <std::size_t N>
bool readMHz(const JsonValue& value, FixedText<N>& out, const std::string& path, Problems& problems)
{
    const std::string& text = value.text;
    const std::size_t dot = text.find('.');
    const std::string whole = text.substr(0, dot);
    std::string decimals = dot == std::string::npos ? std::string() : text.substr(dot + 1);
    if (whole.empty() || whole.size() > 4 || !allDigits(whole) || !allDigits(decimals)) {
        problems.add(path, "\"" + text + "\" is not a frequency in MHz (such as \"27.40000\")");
        return false;
    }
    if (decimals.size() > 5) {
        problems.add(path, "\"" + text + "\" is finer than 10 Hz");
        return false;
    }
    decimals.append(5 - decimals.size(), '0');
    std::string digits = std::to_string(std::stoll(whole) * 100000 + std::stoll(decimals));
    if (digits.size() > N) {
        problems.add(path, "\"" + text + "\" does not fit the field's " + std::to_string(N) + " digits");
        return false;
    }
    digits.insert(0, N - digits.size(), '0');
    out.assign(digits);
    return true;
}

template <std::size_t N>
bool readField(std::string_view name, const JsonValue& value, FixedText<N>& out, const std::string& path,
               Problems& problems)
{
    if (isFrequencyField(name) || name == "Offset") {
        if (value.kind == Kind::String)
            return readMHz(value, out, path, problems);
        return readStored(value, out, path, problems);
    }
    if (isDtmfField(name)) {
        if (value.kind != Kind::String)
            return readStored(value, out, path, problems);
        const bool digits = std::all_of(value.text.begin(), value.text.end(), [](char c) {
            return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'D') || c == '*' || c == '#';
        });
        if (!digits) {
            problems.add(path, "\"" + value.text + "\" is not DTMF digits (0-9, A-D, *, #)");
            return false;
        }
        if (value.text.size() > N) {
            problems.add(path, "\"" + value.text + "\" is longer than the " + std::to_string(N) + " digits the field holds");
            return false;
        }
        out.assign(dtmfToStored(value.text));
        return true;
    }
    return readText(value, out, path, problems);
}

template <class T>
    requires std::is_integral_v<T>
bool readField(std::string_view, const JsonValue& value, T& out, const std::string& path, Problems& problems)
{
    return readInteger(value, out, path, problems);
}

struct JsonReader {
    const JsonValue* source;
    std::string path;
    Problems* problems;

    const JsonValue* member(const char* name)
    {
        const JsonValue* value = source->find(jsonKey(name));
        if (!value)
            problems->add(path + "." + jsonKey(name), "missing");
        return value;
    }

    template <class T>
    void operator()(const char* name, T& field)
    {
        if (isTableCount(name))
            return;
        if (const JsonValue* value = member(name))
            readField(name, *value, field, path + "." + jsonKey(name), *problems);
    }

    template <class T, std::size_t N>
    void operator()(const char* name, std::array<T, N>& fields)
    {
        const JsonValue* list = member(name);
        if (!list)
            return;
        if (const auto* positions = namedPositions(name)) {
            readNamed(name, *list, *positions, fields);
            return;
        }
        if (list->kind != Kind::Array || list->items.size() != N) {
            problems->add(path + "." + jsonKey(name), "needs a list of " + std::to_string(N) + " values");
            return;
        }
        for (std::size_t k = 0; k < N; ++k)
            readField(name, list->items[k], fields[k], path + "." + jsonKey(name) + "[" + std::to_string(k) + "]", *problems);
    }

    template <class T, std::size_t N>
    void readNamed(const char* name, const JsonValue& object, const std::vector<NamedPositions>& positions,
                   std::array<T, N>& fields)
    {
        const std::string where = path + "." + jsonKey(name);
        if (object.kind != Kind::Object) {
            problems->add(where, "needs an object");
            return;
        }
        for (const NamedPositions& p : positions) {
            const JsonValue* value = object.find(p.key);
            const std::string at = where + "." + p.key;
            if (!value) {
                problems->add(at, "missing");
            } else if (p.count == 1) {
                readField(name, *value, fields[static_cast<std::size_t>(p.first)], at, *problems);
            } else if (value->kind != Kind::Array || value->items.size() != static_cast<std::size_t>(p.count)) {
                problems->add(at, "needs a list of " + std::to_string(p.count) + " values");
            } else {
                for (int k = 0; k < p.count; ++k)
                    readField(name, value->items[static_cast<std::size_t>(k)], fields[static_cast<std::size_t>(p.first + k)],
                              at + "[" + std::to_string(k) + "]", *problems);
            }
        }
    }

    template <class R, class F>
    void record(const char* name, R& sub, F fn)
    {
        const JsonValue* object = member(name);
        if (!object)
            return;
        if (object->kind != Kind::Object) {
            problems->add(path + "." + jsonKey(name), "needs an object");
            return;
        }
        JsonReader inner{object, path + "." + jsonKey(name), problems};
        fn(inner, sub);
    }

    template <class R, std::size_t N, class F>
    void records(const char* name, std::array<R, N>& subs, F fn)
    {
        const JsonValue* list = member(name);
        if (!list)
            return;
        if (list->kind != Kind::Array || list->items.size() != N) {
            problems->add(path + "." + jsonKey(name), "needs a list of " + std::to_string(N) + " objects");
            return;
        }
        for (std::size_t k = 0; k < N; ++k) {
            const std::string where = path + "." + jsonKey(name) + "[" + std::to_string(k) + "]";
            if (list->items[k].kind != Kind::Object) {
                problems->add(where, "needs an object");
                continue;
            }
            JsonReader inner{&list->items[k], where, problems};
            fn(inner, subs[k]);
        }
    }
};

void readListed(const JsonValue& channel, const OptionColumn& column, Int16& out, const std::string& path,
                Problems& problems)
{
    const JsonValue* value = channel.find(column.name);
    const std::string where = path + "." + column.name;
    if (!value) {
        problems.add(where, "missing");
    } else if (value->kind == Kind::String) {
        const int index = optionValue(column, value->text);
        if (index < 0)
            problems.add(where, describe(*value) + " is not one of " + optionChoices(column));
        else
            out = static_cast<Int16>(index);
    } else {
        readInteger(*value, out, where, problems);
    }
}

void readChannel(const JsonValue& channel, ChannelRecord& r, const std::string& path, Problems& problems)
{
    if (channel.kind != Kind::Object) {
        problems.add(path, "needs an object");
        return;
    }
    const auto field = [&](const char* name) {
        const JsonValue* value = channel.find(name);
        if (!value)
            problems.add(path + "." + name, "missing");
        return value;
    };
    if (const JsonValue* v = field("channel number"))
        readInteger(*v, r.Number, path + ".channel number", problems);
    if (const JsonValue* v = field("receive MHz"))
        readField("RxFrequency", *v, r.RxFrequency, path + ".receive MHz", problems);
    if (const JsonValue* v = field("offset MHz"))
        readField("Offset", *v, r.Offset, path + ".offset MHz", problems);
    if (const JsonValue* v = field("offset direction")) {
        const auto named = std::find(std::begin(kDirections), std::end(kDirections), v->text);
        if (v->kind == Kind::String && named != std::end(kDirections))
            r.OffsetDirection = static_cast<std::uint8_t>(named - std::begin(kDirections));
        else if (v->kind == Kind::String)
            problems.add(path + ".offset direction", describe(*v) + " is not one of none, minus, plus");
        else
            readInteger(*v, r.OffsetDirection, path + ".offset direction", problems);
    }
    const auto tone = [&](const char* name, Int16& out) {
        const JsonValue* v = field(name);
        if (!v)
            return;
        if (v->kind != Kind::String) {
            readInteger(*v, out, path + "." + name, problems);
            return;
        }
        const int index = toneIndexOf(v->text);
        if (index < 0)
            problems.add(path + "." + name, describe(*v) + " is not a tone (OFF, 67.0 .. 254.1, D017N .. D754I)");
        else
            out = static_cast<Int16>(index);
    };
    tone("receive tone", r.RxTone);
    tone("transmit tone", r.TxTone);
    readListed(channel, busyLockoutColumn(), r.option(ChannelOption::BusyLockout), path, problems);
    for (const OptionColumn& column : optionColumns())
        readListed(channel, column, r.option(column.option), path, problems);
    if (const JsonValue* v = field("empty flag"))
        readInteger(*v, r.EmptyFlag, path + ".empty flag", problems);
    if (const JsonValue* v = field("receive step class"))
        readInteger(*v, r.RxStepClass, path + ".receive step class", problems);
    if (const JsonValue* v = field("transmit step class"))
        readInteger(*v, r.TxStepClass, path + ".transmit step class", problems);
}

void readTable(const JsonValue& root, const char* usedName, const char* unusedName, ChannelTable& table, Int16& count,
               Problems& problems)
{
    const JsonValue* used = root.find(usedName);
    const std::string usedPath = std::string("$.") + usedName;
    if (!used || used->kind != Kind::Array || used->items.size() > static_cast<std::size_t>(kChannelSlots)) {
        problems.add(usedPath, used ? "needs a list of at most 521 channels" : "missing");
        return;
    }
    count = static_cast<Int16>(used->items.size());
    for (std::size_t k = 0; k < used->items.size(); ++k)
        readChannel(used->items[k], table[k], usedPath + "[" + std::to_string(k) + "]", problems);

    const JsonValue* unused = root.find(unusedName);
    const std::string unusedPath = std::string("$.") + unusedName;
    if (!unused || unused->kind != Kind::Array) {
        problems.add(unusedPath, unused ? "needs a list" : "missing");
        return;
    }
    for (std::size_t k = 0; k < unused->items.size(); ++k) {
        const JsonValue& slot = unused->items[k];
        const std::string where = unusedPath + "[" + std::to_string(k) + "]";
        const JsonValue* number = slot.kind == Kind::Object ? slot.find("slot") : nullptr;
        const JsonValue* record = slot.kind == Kind::Object ? slot.find("record") : nullptr;
        Int16 n = 0;
        if (!number || !record || record->kind != Kind::Object) {
            problems.add(where, "needs \"slot\" and \"record\"");
            continue;
        }
        if (!readInteger(*number, n, where + ".slot", problems))
            continue;
        if (n <= count || n > kChannelSlots) {
            problems.add(where + ".slot", std::to_string(n) + " is not a slot behind the table's channels ("
                                              + std::to_string(count + 1) + ".." + std::to_string(kChannelSlots) + ")");
            continue;
        }
        JsonReader reader{record, where + ".record", &problems};
        visitChannelFields(reader, table[static_cast<std::size_t>(n - 1)]);
    }
}

} // namespace

std::string exportConfigJson(const Document& doc)
{
    Document next = doc;
    next.copyWorkingToSaved();
    const ImageSet& set = next.saved;
    JsonValue root = JsonValue::object();
    root.add("file", JsonValue::string(kFileKind));
    JsonValue settings = JsonValue::object();
    JsonWriter writer{&settings};
    visitRadioImageFields(writer, set.Settings);
    root.add("settings", std::move(settings));
    addTable(root, "active channels", "unused active slots", set.ActiveChannels, clampedCount(set.Settings.ChannelCount));
    addTable(root, "standby channels", "unused standby slots", set.StandbyChannels,
             clampedCount(set.Settings.StandbyChannelCount));
    return writeJson(root);
}

ConfigImportResult importConfigJson(Document& doc, std::string_view text, const VersionRecords& versions)
{
    ConfigImportResult result;
    Problems problems(result.problems);
    const JsonParseResult parsed = parseJson(text);
    if (!parsed.ok) {
        problems.add("$", parsed.error);
        return result;
    }
    const JsonValue& root = parsed.value;
    const JsonValue* kind = root.kind == Kind::Object ? root.find("file") : nullptr;
    if (!kind || kind->kind != Kind::String || kind->text != kFileKind) {
        problems.add("$.file", std::string("needs \"") + kFileKind + "\": this is not a configuration file");
        return result;
    }
    ImageSet set;
    const JsonValue* settings = root.find("settings");
    if (!settings || settings->kind != Kind::Object) {
        problems.add("$.settings", settings ? "needs an object" : "missing");
    } else {
        JsonReader reader{settings, "$.settings", &problems};
        visitRadioImageFields(reader, set.Settings);
    }
    readTable(root, "active channels", "unused active slots", set.ActiveChannels, set.Settings.ChannelCount, problems);
    readTable(root, "standby channels", "unused standby slots", set.StandbyChannels, set.Settings.StandbyChannelCount,
              problems);
    if (!result.ok())
        return result;

    // The image becomes the document as its data file would: through the
    // checks and the code of opening one, so that what is accepted here is
    // a file the program opens.
    const Bytes bytes = writeFullImage(set);
    const ImageHeader& header = set.Settings.Header;
    const std::string identity = "$.settings." + jsonKey("Header") + ".";
    const OpenResult checked = checkDataFile(bytes, doc.model.modelName, versions);
    const std::string version = header.Version.clean();
    switch (checked.outcome) {
    case OpenOutcome::WrongModel:
        problems.add(identity + jsonKey("Model"), "\"" + gbkToUtf8(header.Model.clean()) + "\" is not the model of this program ("
                                                      + doc.model.modelName + ")");
        return result;
    case OpenOutcome::BadVersionText:
        problems.add(identity + jsonKey("Version"),
                     "\"" + gbkToUtf8(version) + "\" is not a version (\"V\" and three digits, such as \"V300\")");
        return result;
    case OpenOutcome::Incompatible:
        problems.add(identity + jsonKey("Version"), "\"" + version + "\" is a version this program cannot open ("
                                                        + kProgramImageVersion + ")");
        return result;
    case OpenOutcome::FileError:
    case OpenOutcome::Opened:
        break;
    }
    // A band the program does not know would be saved as band 0 without a
    // word: refused instead.
    if (bandLabelOf(header.BandCode).empty()) {
        problems.add(identity + jsonKey("BandCode"), std::to_string(header.BandCode) + " is not a band of "
                                                         + doc.model.modelName + " (" + std::to_string(bandCodeOf(kDefaultBandLabel)) + ")");
        return result;
    }
    Document opened = doc;
    if (openDocumentBytes(opened, bytes, doc.documentPath, versions).outcome != OpenOutcome::Opened) {
        problems.add("$", "channel numbers must lie in 1..521 and differ within each table");
        return result;
    }
    doc.saved = opened.saved;
    doc.working = opened.working;
    doc.model = opened.model;
    return result;
}

} // namespace zav
