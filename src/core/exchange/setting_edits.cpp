#include "setting_edits.h"

#include "bulk_edits.h"
#include "channel_columns.h"
#include "codecs.h"
#include "config_json.h"
#include "dtmf_rules.h"
#include "feature_rules.h"
#include "gbk_text.h"
#include "numbers.h"
#include "optional_feature_rules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <utility>

namespace zav {
namespace {

constexpr std::size_t kTextBytes = 16;
constexpr const char* kCommonPrefix = "common"; // the shared channel settings, as the radio's menu calls them

using MemberOf = Int16& (*)(Document&);

CsvReason notAValue(std::string_view text, const std::string& accepts)
{
    return CsvReason{settingreason::NotAValue, {std::string(text), accepts}};
}

/// A whole number written plainly, or nothing.
std::optional<int> wholeNumber(std::string_view text)
{
    const auto value = parseNumber(text);
    if (!value || *value != static_cast<double>(static_cast<long long>(*value)) || std::abs(*value) > 32767 ||
        text.find('.') != std::string_view::npos)
        return std::nullopt;
    return static_cast<int>(*value);
}

/// The address of the Int16 an accessor reaches, as an offset into OptFeat,
/// so that the lists of the optional-features editor are found by field.
std::ptrdiff_t offsetOf(Int16& (*field)(OptFeat&))
{
    static OptFeat probe;
    return reinterpret_cast<const char*>(&field(probe)) - reinterpret_cast<const char*>(&probe);
}
std::ptrdiff_t offsetOf(const Int16* member, const OptFeat& probe)
{
    return reinterpret_cast<const char*>(member) - reinterpret_cast<const char*>(&probe);
}

const OptionList* listOfMember(const Int16* member, const OptFeat& probe)
{
    for (const OptionList& list : optionLists())
        if (offsetOf(list.field) == offsetOf(member, probe))
            return &list;
    return nullptr;
}

bool isCheckBox(const Int16* member, OptFeat& probe)
{
    for (int n = 0; n <= 12; ++n)
        if (checkBoxField(probe, n) == member)
            return true;
    return false;
}

std::string listAccepts(const OptionList& list)
{
    const int first = valueForEntry(list, 0);
    const int last = valueForEntry(list, list.entries - 1);
    const int step = list.entries > 1 ? valueForEntry(list, 1) - first : 1;
    std::string text = std::to_string(first) + ".." + std::to_string(last);
    if (step != 1)
        text += " in steps of " + std::to_string(step);
    return text;
}

/// A number stored as a list of the optional-features editor stores it.
SettingField listSetting(std::string prefix, std::string name, Int16& (*member)(Document&), const OptionList& list)
{
    const std::string accepts = listAccepts(list);
    return {std::move(prefix), std::move(name), accepts,
            [member](const Document& doc) { return std::to_string(member(const_cast<Document&>(doc))); },
            [member, &list, accepts](Document& doc, std::string_view text) -> std::optional<CsvReason> {
                const auto value = wholeNumber(text);
                const int entry = value ? entryForValue(list, *value) : -1;
                if (!value || entry < 0 || entry >= list.entries || valueForEntry(list, entry) != *value)
                    return notAValue(text, accepts);
                member(doc) = static_cast<Int16>(*value);
                return std::nullopt;
            }};
}

SettingField rangeSetting(std::string prefix, std::string name, Int16& (*member)(Document&), int low, int high)
{
    const std::string accepts = std::to_string(low) + ".." + std::to_string(high);
    return {std::move(prefix), std::move(name), accepts,
            [member](const Document& doc) { return std::to_string(member(const_cast<Document&>(doc))); },
            [member, low, high, accepts](Document& doc, std::string_view text) -> std::optional<CsvReason> {
                const auto value = wholeNumber(text);
                if (!value || *value < low || *value > high)
                    return notAValue(text, accepts);
                member(doc) = static_cast<Int16>(*value);
                return std::nullopt;
            }};
}

// --- the shared channel settings --------------------------------------------

template <int Id>
Int16& commonOption(Document& doc) { return *doc.image().OptFeat.CommonChannel.option(Id); }
Int16& commonRxTone(Document& doc) { return doc.image().OptFeat.CommonChannel.RxTone; }
Int16& commonTxTone(Document& doc) { return doc.image().OptFeat.CommonChannel.TxTone; }

/// A shared channel setting read as its channel column reads it (tone names,
/// list texts), within the entries its list of the optional features offers.
SettingField commonListSetting(const char* member, Int16& (*field)(Document&))
{
    const ChannelField* column = findChannelField(jsonKey(member));
    Document scratch;
    const Int16* address = &field(scratch);
    const std::ptrdiff_t offset = reinterpret_cast<const char*>(address) - reinterpret_cast<const char*>(&scratch.image().OptFeat);
    const OptionList* list = nullptr;
    for (const OptionList& l : optionLists())
        if (offsetOf(l.field) == offset)
            list = &l;
    const int entries = list ? list->entries : 2;
    const bool tone = column->kind == ChannelFieldKind::Tone;
    const std::string accepts = tone ? "a tone (OFF, 67.0 .. 254.1, D017N .. D754I)" : optionChoices(*column->column);
    return {kCommonPrefix, optionName(column->name), accepts,
            [field, tone, column](const Document& doc) {
                const int value = field(const_cast<Document&>(doc));
                return tone ? toneText(value) : optionText(*column->column, value);
            },
            [field, tone, column, entries, accepts](Document& doc, std::string_view text) -> std::optional<CsvReason> {
                const int value = tone ? toneIndexOf(text) : optionValue(*column->column, text);
                if (value < 0 || value >= entries)
                    return notAValue(text, accepts);
                field(doc) = static_cast<Int16>(value);
                return std::nullopt;
            }};
}

/// The BOT, EOT and call codes and the roger beep: off, or a defined code
/// memory or tone tip.
SettingField commonNumberSetting(const char* member, Int16& (*field)(Document&), bool toneTip)
{
    const ChannelField* column = findChannelField(jsonKey(member));
    const std::string accepts = toneTip ? "Off or a defined tone tip (1..8)" : "OFF or a defined code memory (1..16)";
    return {kCommonPrefix, optionName(column->name), accepts,
            [field](const Document& doc) { return std::to_string(field(const_cast<Document&>(doc))); },
            [field, toneTip, column, accepts](Document& doc, std::string_view text) -> std::optional<CsvReason> {
                const int value = optionValue(*column->column, text);
                if (value < 0)
                    return notAValue(text, accepts);
                const RadioImage& image = doc.image();
                if (value != 0 && !(toneTip ? isToneTipDefined(image, value) : isCodeMemoryDefined(image, value)))
                    return CsvReason{toneTip ? bulkreason::ToneTipNotDefined : bulkreason::CodeNotDefined,
                                     {std::to_string(value)}};
                field(doc) = static_cast<Int16>(value);
                return std::nullopt;
            }};
}

// --- the optional features --------------------------------------------------

template <int Pos>
Int16& common1At(Document& doc) { return doc.image().OptFeat.Common1[Pos]; }
template <int Pos>
Int16& common2At(Document& doc) { return doc.image().OptFeat.Common2[Pos]; }

template <std::size_t... P>
constexpr std::array<MemberOf, sizeof...(P)> common1Members(std::index_sequence<P...>) { return {&common1At<int(P)>...}; }
template <std::size_t... P>
constexpr std::array<MemberOf, sizeof...(P)> common2Members(std::index_sequence<P...>) { return {&common2At<int(P)>...}; }

void addOptionalFeatures(std::vector<SettingField>& fields)
{
    const std::string prefix = optionName(jsonKey("OptFeat"));
    static const auto first = common1Members(std::make_index_sequence<common1::Count>());
    static const auto second = common2Members(std::make_index_sequence<common2::Count>());
    OptFeat probe;
    const auto add = [&](const std::vector<NamedPositions>& positions, const auto& members, auto arrayOf) {
        for (const NamedPositions& named : positions) {
            if (named.count != 1)
                continue;
            const MemberOf member = members[static_cast<std::size_t>(named.first)];
            const Int16* address = &arrayOf(probe)[static_cast<std::size_t>(named.first)];
            if (const OptionList* list = listOfMember(address, probe))
                fields.push_back(listSetting(prefix, optionName(named.key), member, *list));
            else if (isCheckBox(address, probe))
                fields.push_back(rangeSetting(prefix, optionName(named.key), member, 0, 1));
        }
    };
    add(common1Positions(), first, [](OptFeat& o) -> auto& { return o.Common1; });
    add(common2Positions(), second, [](OptFeat& o) -> auto& { return o.Common2; });
}

// --- DTMF ----------------------------------------------------------------------

Int16& dtmfInteger(Document& doc, int k) { return doc.image().DtmfSettings.integer(k); }
template <int K>
Int16& dtmfIntegerAt(Document& doc) { return dtmfInteger(doc, K); }

SettingField timingSetting(const std::string& prefix, const char* member, MemberOf field, const DtmfTimingList& list)
{
    std::string accepts;
    for (const int ms : list.entriesMs)
        accepts += (accepts.empty() ? "" : ", ") + std::to_string(ms);
    accepts += " ms";
    return {prefix, optionName(jsonKey(member)), accepts,
            [field, &list](const Document& doc) {
                return std::to_string(field(const_cast<Document&>(doc)) * list.unitMs);
            },
            [field, &list, accepts](Document& doc, std::string_view text) -> std::optional<CsvReason> {
                const auto ms = wholeNumber(text);
                const auto found = ms ? std::find(list.entriesMs.begin(), list.entriesMs.end(), *ms) : list.entriesMs.end();
                if (found == list.entriesMs.end())
                    return notAValue(text, accepts);
                field(doc) = timingValue(list, static_cast<int>(found - list.entriesMs.begin()));
                return std::nullopt;
            }};
}

/// A DTMF code as its box takes it: at most 16 of 0-9, A-D, * and #.
SettingField codeSetting(std::string prefix, std::string name, DtmfCode& (*code)(Document&), int memory)
{
    const std::string accepts = "up to 16 of 0-9, A-D, * and #";
    return {std::move(prefix), std::move(name), accepts,
            [code](const Document& doc) { return shownCode(code(const_cast<Document&>(doc))); },
            [code, memory, accepts](Document& doc, std::string_view text) -> std::optional<CsvReason> {
                std::string typed;
                for (const char c : text) {
                    const char taken = codeCharacter(c);
                    if (taken == 0)
                        return notAValue(text, accepts);
                    typed += taken;
                }
                if (typed.size() > kTextBytes)
                    return notAValue(text, accepts);
                storeCode(code(doc), typed);
                // A memory emptied is no longer a code any channel can send.
                if (memory > 0 && !isCodeMemoryDefined(doc.image(), memory))
                    clearCodeMemoryReferences(doc, memory);
                return std::nullopt;
            }};
}

template <int N>
DtmfCode& codeMemory(Document& doc) { return doc.image().DtmfSettings.CodeMemories[N]; }
template <std::size_t... N>
constexpr std::array<DtmfCode& (*)(Document&), sizeof...(N)> codeMemories(std::index_sequence<N...>) { return {&codeMemory<int(N)>...}; }

void addDtmf(std::vector<SettingField>& fields)
{
    const std::string prefix = optionName(jsonKey("DtmfSettings"));
    fields.push_back(timingSetting(prefix, "DigitRate", &dtmfIntegerAt<0>, digitRateTimings()));
    fields.push_back(timingSetting(prefix, "FirstDigitTime", &dtmfIntegerAt<1>, firstDigitTimeTimings()));
    fields.push_back(timingSetting(prefix, "FirstDigitDelay", &dtmfIntegerAt<2>, firstDigitDelayTimings()));
    fields.push_back(timingSetting(prefix, "StarHashTime", &dtmfIntegerAt<3>, starHashTimings()));
    // The lists of the DTMF editor: their entries are these indexes.
    fields.push_back(rangeSetting(prefix, optionName(jsonKey("DKeySetting")), &dtmfIntegerAt<4>, 0, 16));
    fields.push_back(rangeSetting(prefix, optionName(jsonKey("Sidetone")), &dtmfIntegerAt<5>, 0, 1));
    fields.push_back(rangeSetting(prefix, optionName(jsonKey("CallAlert")), &dtmfIntegerAt<6>, 0, 2));
    fields.push_back(rangeSetting(prefix, optionName(jsonKey("GroupCode")), &dtmfIntegerAt<7>, 0, 6));
    fields.push_back(rangeSetting(prefix, optionName(jsonKey("AutoResetTime")), &dtmfIntegerAt<8>, 0, 15));
    fields.push_back({prefix, optionName(jsonKey("IdCode")), "3..10 digits",
                      [](const Document& doc) { return shownIdCode(doc.image().DtmfSettings); },
                      [](Document& doc, std::string_view text) -> std::optional<CsvReason> {
                          if (acceptedIdCode(text) != text)
                              return notAValue(text, "3..10 digits");
                          storeTypedIdCode(doc.image().DtmfSettings, text);
                          return std::nullopt;
                      }});
    fields.push_back(codeSetting(prefix, optionName(jsonKey("PttIdBot")), [](Document& d) -> DtmfCode& { return d.image().DtmfSettings.PttIdBot; }, 0));
    fields.push_back(codeSetting(prefix, optionName(jsonKey("PttIdEot")), [](Document& d) -> DtmfCode& { return d.image().DtmfSettings.PttIdEot; }, 0));
    fields.push_back(codeSetting(prefix, optionName(jsonKey("StunCode")), [](Document& d) -> DtmfCode& { return d.image().DtmfSettings.StunCode; }, 0));
    fields.push_back(codeSetting(prefix, optionName(jsonKey("KillCode")), [](Document& d) -> DtmfCode& { return d.image().DtmfSettings.KillCode; }, 0));
    static const auto memories = codeMemories(std::make_index_sequence<kCodeMemories>());
    for (int n = 1; n <= kCodeMemories; ++n)
        fields.push_back(codeSetting(prefix, optionName(jsonKey("CodeMemories")) + "." + std::to_string(n),
                                     memories[static_cast<std::size_t>(n - 1)], n));
}

// --- texts ----------------------------------------------------------------------

/// A text as GBK bytes that fit the field, or why not.
std::optional<CsvReason> gbkText(std::string_view text, std::string& bytes)
{
    const auto gbk = utf8ToGbk(text);
    if (!gbk)
        return CsvReason{settingreason::NotGbk, {std::string(text)}};
    if (gbk->size() > kTextBytes)
        return CsvReason{settingreason::TextTooLong, {std::to_string(gbk->size()), std::to_string(kTextBytes)}};
    bytes = *gbk;
    return std::nullopt;
}

void addTexts(std::vector<SettingField>& fields)
{
    const std::string accepts = "a text of up to 16 GBK bytes";
    fields.push_back({"", optionName(jsonKey("PowerOnText")), accepts,
                      [](const Document& doc) {
                          std::string shown = powerOnCharacters(doc.image().OptFeat.PowerOnText);
                          while (!shown.empty() && shown.back() == ' ')
                              shown.pop_back();
                          return gbkToUtf8(shown);
                      },
                      [](Document& doc, std::string_view text) -> std::optional<CsvReason> {
                          std::string bytes;
                          if (auto why = gbkText(text, bytes))
                              return why;
                          bytes.resize(kTextBytes, ' '); // the display shows sixteen characters
                          doc.image().OptFeat.PowerOnText.assign(bytes);
                          return std::nullopt;
                      }});
    for (int line = 1; line <= 4; ++line) {
        const auto index = static_cast<std::size_t>(line - 1);
        fields.push_back({optionName(jsonKey("EmbeddedMessage")), std::to_string(line), accepts,
                          [index](const Document& doc) { return gbkToUtf8(doc.image().EmbeddedMessage[index].clean()); },
                          [index](Document& doc, std::string_view text) -> std::optional<CsvReason> {
                              std::string bytes;
                              if (auto why = gbkText(text, bytes))
                                  return why;
                              storeMessageLine(doc.image().EmbeddedMessage[index], bytes);
                              return std::nullopt;
                          }});
    }
}

std::vector<SettingField> buildSettings()
{
    std::vector<SettingField> fields;
    fields.push_back(commonListSetting("RxTone", &commonRxTone));
    fields.push_back(commonListSetting("TxTone", &commonTxTone));
    fields.push_back(commonListSetting("Option11", &commonOption<11>));
    fields.push_back(commonListSetting("Option24", &commonOption<24>));
    fields.push_back(commonListSetting("Option29", &commonOption<29>));
    fields.push_back(commonListSetting("Option30", &commonOption<30>));
    fields.push_back(commonNumberSetting("Option13", &commonOption<13>, false));
    fields.push_back(commonNumberSetting("Option22", &commonOption<22>, false));
    fields.push_back(commonNumberSetting("Option28", &commonOption<28>, false));
    fields.push_back(commonNumberSetting("Option23", &commonOption<23>, true));
    const std::array<std::pair<const char*, MemberOf>, 5> switches{{{"Option37", &commonOption<37>},
                                                                    {"Option38", &commonOption<38>},
                                                                    {"Option39", &commonOption<39>},
                                                                    {"Option40", &commonOption<40>},
                                                                    {"Option41", &commonOption<41>}}};
    for (const auto& [member, field] : switches)
        fields.push_back(commonListSetting(member, field));
    addOptionalFeatures(fields);
    addDtmf(fields);
    addTexts(fields);
    return fields;
}

} // namespace

const std::vector<SettingField>& settingFields()
{
    static const std::vector<SettingField> fields = buildSettings();
    return fields;
}

const SettingField* findSettingField(std::string_view name, const std::vector<std::string>& channelFieldNames)
{
    std::string wanted(name);
    std::transform(wanted.begin(), wanted.end(), wanted.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const SettingField* alone = nullptr;
    int sharing = 0;
    for (const SettingField& field : settingFields()) {
        if (field.fullName() == wanted)
            return &field;
        if (field.name == wanted) {
            alone = &field;
            ++sharing;
        }
    }
    if (std::find(channelFieldNames.begin(), channelFieldNames.end(), wanted) != channelFieldNames.end())
        return nullptr;
    return sharing == 1 ? alone : nullptr;
}

} // namespace zav
