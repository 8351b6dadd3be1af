#include "bulk_edits.h"

#include "channel_csv.h"
#include "channel_groups.h"
#include "codecs.h"
#include "feature_rules.h"
#include "gbk_text.h"
#include "numbers.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <set>

namespace zav {
namespace {

constexpr int kBusyByTone = 2;
constexpr int kBusyBySignalling = 3;
constexpr int kBotCode = 13;
constexpr int kEotCode = 22;
constexpr int kRogerBeep = 23;
constexpr int kCallCode = 28;

std::string lowerCase(std::string_view text)
{
    std::string out(trimSpaces(text));
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

/// Label text ids of the option columns, in the order of optionColumns().
int optionLabelId(int fieldId) { return 34100 + fieldId; }

std::vector<ChannelField> buildFields()
{
    std::vector<ChannelField> fields{
        {csvcolumn::Receive, FieldRxFrequency, ChannelFieldKind::Receive, 34101},
        {csvcolumn::Offset, FieldTransmit, ChannelFieldKind::Offset, 34102},
        {csvcolumn::RxTone, FieldRxTone, ChannelFieldKind::Tone, 34104},
        {csvcolumn::TxTone, FieldTxTone, ChannelFieldKind::Tone, 34105},
        {busyLockoutColumn().name, busyLockoutColumn().fieldId, ChannelFieldKind::Choice,
         optionLabelId(busyLockoutColumn().fieldId), &busyLockoutColumn()},
    };
    for (const OptionColumn& column : optionColumns())
        fields.push_back({column.name, column.fieldId, ChannelFieldKind::Choice, optionLabelId(column.fieldId), &column});
    return fields;
}

std::string cellText(const CellValue& value)
{
    if (const auto* text = std::get_if<std::string>(&value))
        return *text;
    return std::to_string(std::get<int>(value));
}

/// The value as the exchange writes it.
std::string shownValue(const ChannelField& field, const CellValue& value)
{
    if (field.kind == ChannelFieldKind::Tone) {
        const std::string text = toneText(std::get<int>(value));
        return text.empty() ? cellText(value) : text;
    }
    if (field.kind == ChannelFieldKind::Choice)
        return optionText(*field.column, std::get<int>(value));
    return cellText(value);
}

CsvReason reasonOf(int textId, std::vector<std::string> args = {}) { return CsvReason{textId, std::move(args)}; }

/// Why a channel cannot take a checked value, by the rules of the windows'
/// lists that a plain integer field does not know; nothing when it can.
std::optional<CsvReason> listRule(const Document& doc, const ChannelRecord& record, const ChannelField& field, int value)
{
    const RadioImage& image = doc.image();
    switch (field.fieldId) {
    case 11: {
        const std::string entry = optionText(*field.column, value);
        if (value == kBusyBySignalling)
            return reasonOf(csvreason::NotOffered, {entry});
        const Int16 governing = record.Option17 != 0 ? record.TxTone : record.RxTone;
        if (value == kBusyByTone && governing == 0)
            return reasonOf(record.Option17 != 0 ? csvreason::NeedsTransmitTone : csvreason::NeedsReceiveTone, {entry});
        break;
    }
    case kBotCode:
    case kEotCode:
    case kCallCode:
        if (value != 0 && !isCodeMemoryDefined(image, value))
            return reasonOf(bulkreason::CodeNotDefined, {std::to_string(value)});
        break;
    case kRogerBeep:
        if (value != 0 && !isToneTipDefined(image, value))
            return reasonOf(bulkreason::ToneTipNotDefined, {std::to_string(value)});
        break;
    default:
        break;
    }
    return std::nullopt;
}

/// Checks a receive frequency as the exchange checks one: in the band, on
/// 10 Hz, on the raster of the channel's group. The text to type, or why not.
std::optional<CsvReason> checkReceive(const std::string& text, int group, const BandLimits& band, std::string& typed)
{
    const auto mhz = parseNumber(text);
    if (!mhz)
        return reasonOf(csvreason::NotAFrequency, {text});
    const CheckedFrequency checked = validateFrequency(*mhz, group, band);
    if (checked.warned)
        return reasonOf(csvreason::OutsideBand, {text, formatMHz(band.low), formatMHz(band.high)});
    const double counts = *mhz * 100000;
    if (std::abs(counts - static_cast<double>(roundHalfEven(counts))) > 1e-4)
        return reasonOf(csvreason::FinerThan10Hz, {text});
    if (formatMHz(checked.mhz) != formatMHz(*mhz))
        return reasonOf(csvreason::OffRaster, {text, formatMHz(checked.mhz)});
    typed = formatMHz(*mhz);
    return std::nullopt;
}

const ChannelRecord* recordOf(const Document& doc, int number)
{
    const int index = doc.findChannelByNumber(static_cast<Int16>(number));
    return index < 0 ? nullptr : &doc.active()[static_cast<std::size_t>(index)];
}

/// Stores one value into one channel through the write path; a refusal
/// is added to result.
void storeOne(Document& doc, const ChannelWriteEnv& env, int number, const FieldValue& value, BulkEditResult& result)
{
    const ChannelField& field = *value.field;
    const Int16 mode = doc.image().ChannelMode;
    const auto refuse = [&](CsvReason why) { result.refusals.push_back({number, field.name, std::move(why)}); };
    const GroupPosition where = groupOfChannel(number, mode);
    if (where.group < 0)
        return refuse(reasonOf(bulkreason::NotInGroup, {std::to_string(number)}));
    const BandLimits band = documentBand(doc);
    const int index = doc.findChannelByNumber(static_cast<Int16>(number));
    const ChannelRecord* record = index < 0 ? nullptr : &doc.active()[static_cast<std::size_t>(index)];
    // Shown as text only when it changed: a list of 400 channels is set in a
    // blink.
    const std::optional<CellValue> before = record ? std::optional<CellValue>(fieldValueOf(*record, field, band)) : std::nullopt;

    CellValue typed = value.value;
    ChannelWriteEnv writeEnv = env;
    writeEnv.editGroup = where.group; // as typing in the channel's own group: its emergency channels are rechecked
    switch (field.kind) {
    case ChannelFieldKind::Receive: {
        const std::string text = cellText(value.value);
        if (!frequenciesTypable(mode)) {
            if (!record)
                return refuse(reasonOf(csvreason::CountryNoNewChannel, {std::to_string(number)}));
            if (text.empty())
                return refuse(reasonOf(bulkreason::CountryNoClear, {std::to_string(number)}));
            if (formatEntry(text) != frequencyTexts(*record, band, true).receive)
                return refuse(reasonOf(csvreason::CountryReceiveFixed, {frequencyTexts(*record, band, true).receive}));
            return;
        }
        if (text.empty()) {
            if (!record)
                return;
            if (doc.activeCount() <= 1)
                return refuse(reasonOf(bulkreason::LastChannel, {std::to_string(number)}));
            break;
        }
        std::string checked;
        if (auto why = checkReceive(text, where.group, band, checked))
            return refuse(std::move(*why));
        if (record && checked != frequencyTexts(*record, band, true).receive && !receiveTypable(number))
            return refuse(reasonOf(csvreason::ReceiveFixed, {std::to_string(number), frequencyTexts(*record, band, true).receive}));
        if (!record && doc.activeCount() >= kChannelSlots)
            return refuse(reasonOf(csvreason::TableFull, {std::to_string(number)}));
        typed = checked;
        break;
    }
    case ChannelFieldKind::Offset: {
        if (!record)
            return refuse(reasonOf(bulkreason::EmptySlot, {std::to_string(number)}));
        const std::string text = cellText(value.value);
        const std::string shown = frequencyTexts(*record, band, true).transmit;
        if (!frequenciesTypable(mode)) {
            const auto wanted = parseNumber(text);
            const auto had = parseNumber(shown.empty() ? "0" : shown);
            if (!(wanted && had && std::abs(*wanted - *had) < 1e-9))
                return refuse(reasonOf(csvreason::CountryOffsetFixed, {shown}));
            return;
        }
        writeEnv.showTxAsOffset = true; // the field is the signed offset, whatever the table shows
        break;
    }
    case ChannelFieldKind::Tone:
    case ChannelFieldKind::Choice:
        if (!record)
            return refuse(reasonOf(bulkreason::EmptySlot, {std::to_string(number)}));
        if (auto why = listRule(doc, *record, field, std::get<int>(value.value)))
            return refuse(std::move(*why));
        break;
    }

    const CellWriteResult written = setChannelCell(doc, writeEnv, where.group, where.numberInGroup, field.fieldId, typed);
    result.warned = result.warned || written.warned;
    if (written.stored) {
        result.changedChannels.push_back(number);
        result.tableChanged = result.tableChanged || written.created || written.removed;
        const ChannelRecord* now = written.created || written.removed ? recordOf(doc, number)
                                                                         : &doc.active()[static_cast<std::size_t>(index)];
        result.changes.push_back({number, field.name, before ? shownValue(field, *before) : std::string(),
                                  now ? shownValue(field, fieldValueOf(*now, field, band)) : std::string()});
    }
}

void finish(BulkEditResult& result)
{
    std::sort(result.changedChannels.begin(), result.changedChannels.end());
    result.changedChannels.erase(std::unique(result.changedChannels.begin(), result.changedChannels.end()),
                                 result.changedChannels.end());
}

} // namespace

const std::vector<ChannelField>& channelFields()
{
    static const std::vector<ChannelField> fields = buildFields();
    return fields;
}

std::string optionName(std::string_view name)
{
    std::string out = lowerCase(name);
    for (char& c : out)
        if (c == ' ' || c == '/')
            c = '-';
    return out;
}

const ChannelField* findChannelField(std::string_view name)
{
    const std::string wanted = lowerCase(name);
    for (const ChannelField& field : channelFields())
        if (lowerCase(field.name) == wanted || optionName(field.name) == wanted)
            return &field;
    return nullptr;
}

const ChannelField* channelFieldById(int fieldId)
{
    for (const ChannelField& field : channelFields())
        if (field.fieldId == fieldId)
            return &field;
    return nullptr;
}

ParsedValue parseFieldValue(const ChannelField& field, std::string_view text)
{
    ParsedValue parsed;
    const std::string trimmed(trimSpaces(text));
    switch (field.kind) {
    case ChannelFieldKind::Receive:
        if (!trimmed.empty() && !parseNumber(trimmed)) {
            parsed.why = reasonOf(csvreason::NotAFrequency, {trimmed});
            return parsed;
        }
        parsed.value = FieldValue{&field, CellValue(trimmed)};
        return parsed;
    case ChannelFieldKind::Offset: {
        const auto value = trimmed.empty() ? std::optional<double>(0.0) : parseNumber(trimmed);
        if (!value) {
            parsed.why = reasonOf(csvreason::NotAnOffset, {trimmed});
            return parsed;
        }
        if (std::abs(*value) >= 100) {
            parsed.why = reasonOf(csvreason::OffsetTooLarge, {trimmed});
            return parsed;
        }
        parsed.value = FieldValue{&field, CellValue(trimmed.empty() ? std::string("0") : trimmed)};
        return parsed;
    }
    case ChannelFieldKind::Tone: {
        const int index = toneIndexOf(trimmed);
        if (index < 0) {
            parsed.why = reasonOf(csvreason::NotATone, {trimmed});
            return parsed;
        }
        parsed.value = FieldValue{&field, CellValue(index)};
        return parsed;
    }
    case ChannelFieldKind::Choice: {
        const int value = optionValue(*field.column, trimmed);
        if (value < 0) {
            parsed.why = reasonOf(csvreason::NotAChoice, {trimmed, optionChoices(*field.column)});
            return parsed;
        }
        parsed.value = FieldValue{&field, CellValue(value)};
        return parsed;
    }
    }
    return parsed;
}

CellValue fieldValueOf(const ChannelRecord& record, const ChannelField& field, const BandLimits& band)
{
    switch (field.kind) {
    case ChannelFieldKind::Receive:
        return frequencyTexts(record, band, true).receive;
    case ChannelFieldKind::Offset:
        return frequencyTexts(record, band, true).transmit;
    case ChannelFieldKind::Tone:
        return static_cast<int>(field.fieldId == FieldRxTone ? record.RxTone : record.TxTone);
    case ChannelFieldKind::Choice:
        break;
    }
    const Int16* member = record.option(field.fieldId);
    return member ? static_cast<int>(*member) : 0;
}

std::string BulkRefusal::message() const { return "channel " + std::to_string(number) + ", " + field + ": " + reason(); }

BulkEditResult setChannelValues(Document& doc, const ChannelWriteEnv& env, const std::vector<int>& numbers,
                                const std::vector<FieldValue>& values)
{
    BulkEditResult result;
    // The receive frequency first: it is what makes an empty slot a channel.
    std::vector<FieldValue> ordered = values;
    std::stable_partition(ordered.begin(), ordered.end(),
                          [](const FieldValue& v) { return v.field->kind == ChannelFieldKind::Receive; });
    for (const int number : numbers) {
        for (const FieldValue& value : ordered)
            storeOne(doc, env, number, value, result);
    }
    finish(result);
    return result;
}

BulkEditResult fillDown(Document& doc, const ChannelWriteEnv& env, const std::vector<int>& numbers,
                        const ChannelField& field)
{
    if (numbers.size() < 2)
        return {};
    const ChannelRecord* first = recordOf(doc, numbers.front());
    if (!first)
        return {};
    const FieldValue value{&field, fieldValueOf(*first, field, documentBand(doc))};
    return setChannelValues(doc, env, std::vector<int>(numbers.begin() + 1, numbers.end()), {value});
}

BulkEditResult clearChannels(Document& doc, const ChannelWriteEnv& env, const std::vector<int>& numbers)
{
    const ChannelField* receive = channelFieldById(FieldRxFrequency);
    std::vector<int> held;
    for (const int number : numbers)
        if (recordOf(doc, number))
            held.push_back(number);
    return setChannelValues(doc, env, held, {FieldValue{receive, CellValue(std::string())}});
}

ChannelList parseChannelList(const Document& doc, std::string_view text)
{
    ChannelList list;
    const RadioImage& image = doc.image();
    const Int16 mode = image.ChannelMode;
    std::set<int> numbers;
    const auto fail = [&](std::string error) {
        list.error = std::move(error);
        list.numbers.clear();
        return list;
    };
    const auto addGroup = [&](int g) {
        for (int row = 1; row <= groupSize(g, mode); ++row)
            numbers.insert(groupBase(g, mode) + row);
    };
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string item(trimSpaces(text.substr(start, comma - start)));
        start = comma + 1;
        if (item.empty())
            return fail("an empty item in the channel list");
        if (lowerCase(item).starts_with("group:")) {
            const std::string name(trimSpaces(std::string_view(item).substr(6)));
            const auto index = parseNumber(name);
            if (index && name.find_first_not_of("0123456789") == std::string::npos) {
                if (*index >= groupCount(mode))
                    return fail("group " + name + " is not a group of this mode (0.." +
                                std::to_string(groupCount(mode) - 1) + ")");
                addGroup(static_cast<int>(*index));
                continue;
            }
            std::vector<int> matches;
            const std::vector<std::string> fixed = groupListNames(mode);
            for (int g = 0; g < groupCount(mode); ++g) {
                const std::string stored =
                    g < kGroupNames ? lowerCase(gbkToUtf8(image.GroupNames[static_cast<std::size_t>(g)].clean())) : "";
                const std::string listed = g < static_cast<int>(fixed.size()) ? lowerCase(fixed[static_cast<std::size_t>(g)]) : "";
                if (lowerCase(name) == stored || (stored.empty() && lowerCase(name) == listed))
                    matches.push_back(g);
            }
            if (matches.empty())
                return fail("no group of this mode is named \"" + name + "\"");
            if (matches.size() > 1)
                return fail("several groups are named \"" + name + "\"; give the group's number");
            addGroup(matches.front());
            continue;
        }
        const std::size_t dash = item.find('-');
        const auto first = parseNumber(item.substr(0, dash));
        const auto last = dash == std::string::npos ? first : parseNumber(item.substr(dash + 1));
        const auto whole = [](const std::optional<double>& n) { return n && *n == std::floor(*n) && *n >= 1 && *n <= kChannelSlots; };
        if (!whole(first) || !whole(last) || *last < *first || item.find_first_not_of("0123456789- ") != std::string::npos)
            return fail("\"" + item + "\" is not a channel or a range of channels (1..521)");
        for (int n = static_cast<int>(*first); n <= static_cast<int>(*last); ++n)
            numbers.insert(n);
    }
    list.numbers.assign(numbers.begin(), numbers.end());
    return list;
}

} // namespace zav
