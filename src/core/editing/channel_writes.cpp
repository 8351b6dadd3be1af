#include "channel_writes.h"

#include "channel_groups.h"
#include "codecs.h"
#include "numbers.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace zav {
namespace {

constexpr double kCountsPerMHz = 100000.0; // 10 Hz units
constexpr long long kLargestStoredFrequency = 99999999;
constexpr int kHighestPlainChannel = 400; // channels above this one take a new receive frequency

std::string textOf(const CellValue& value)
{
    if (const auto* text = std::get_if<std::string>(&value))
        return *text;
    return std::to_string(std::get<int>(value));
}

/// The integer of a value; a text counts only when it holds a whole number.
bool integerOf(const CellValue& value, Int16& out)
{
    long long n = 0;
    if (const auto* number = std::get_if<int>(&value)) {
        n = *number;
    } else {
        const auto parsed = parseNumber(std::get<std::string>(value));
        if (!parsed || *parsed != static_cast<double>(static_cast<long long>(*parsed)))
            return false;
        n = static_cast<long long>(*parsed);
    }
    n = std::clamp<long long>(n, std::numeric_limits<Int16>::min(), std::numeric_limits<Int16>::max());
    out = static_cast<Int16>(n);
    return true;
}

bool storeInteger(Int16& member, Int16 value)
{
    const bool changed = member != value;
    member = value;
    return changed;
}

} // namespace

BandLimits documentBand(const Document& doc) { return BandLimits{doc.model.bandLow, doc.model.bandHigh}; }

Int16* emergencyChannel(RadioImage& image, int g, int s)
{
    if (g < 0 || g >= kGroupNames || s < 0 || s > 1)
        return nullptr;
    return &image.OptFeat.Common1[static_cast<std::size_t>(common1::EmergencyChannelBase + 2 * g + s)];
}

Int16* emergencyAmFm(RadioImage& image, int g, int s)
{
    if (g < 0 || g >= kGroupNames || s < 0 || s > 1)
        return nullptr;
    return &image.OptFeat.Common1[static_cast<std::size_t>(common1::EmergencyAmFmBase + 2 * g + s)];
}

std::string formatEntry(std::string_view text)
{
    if (text.empty())
        return {};
    if (const auto value = parseNumber(text))
        return formatMHz(*value);
    return std::string(text);
}

ChannelFrequencyTexts frequencyTexts(const ChannelRecord& record, const BandLimits& band, bool showTxAsOffset)
{
    ChannelFrequencyTexts texts;
    const StoredFrequencyText rx = storedFrequencyToText(record.RxFrequency.raw(), band);
    texts.receive = rx.text;
    texts.notNumeric = rx.notNumeric;
    if (showTxAsOffset) {
        texts.transmit = storedOffsetToText(record.Offset.raw(), record.OffsetDirection);
    } else {
        texts.transmit = transmitText(record.RxFrequency.raw(), record.Offset.raw(), record.OffsetDirection, false, band);
        if (!texts.transmit.empty() && texts.transmit.front() == '-')
            texts.transmit.erase(0, 1); // the column shows the absolute value
    }
    return texts;
}

StepClass stepClassOf(long long d)
{
    // The remainders keep the sign of d, as the radio tool computes them.
    if (d % 500 == 0)
        return {0, 0};
    if (d % 625 == 0)
        return {1, 0};
    const long long inCycle = d % 2500;
    if (inCycle % 833 == 0)
        return {2, inCycle / 833 > 2 ? 1 : 0}; // 8.33 kHz: the third step of 25 kHz is raised by 10 Hz
    return {0, -(d % 500)};                    // off every raster: down to the 5 kHz raster
}

void recomputeStepClasses(ChannelRecord& record, const BandLimits& band)
{
    const auto rx = storedFrequencyCount(record.RxFrequency.raw());
    if (!rx)
        return; // no receive frequency to classify
    const long long low = roundHalfEven(band.low * kCountsPerMHz);
    long long f = *rx;
    const StepClass rxClass = stepClassOf(f - low);
    const long long adjusted = f + rxClass.adjustment;
    if (adjusted >= 0 && adjusted <= kLargestStoredFrequency && adjusted != f) {
        f = adjusted;
        record.RxFrequency.assign(countToStoredFrequency(f));
    }
    record.RxStepClass = static_cast<Int16>(rxClass.stepClass);

    if (record.OffsetDirection != 1 && record.OffsetDirection != 2) {
        record.TxStepClass = record.RxStepClass;
        return;
    }
    const long long magnitude = storedOffsetCount(record.Offset.raw()).value_or(0);
    const long long tx = record.OffsetDirection == 2 ? f + magnitude : f - magnitude;
    record.TxStepClass = static_cast<Int16>(stepClassOf(tx - low).stepClass);
}

bool setChannelField(ChannelRecord& record, int fieldId, const CellValue& value, const BandLimits& band,
                     bool showTxAsOffset)
{
    if (fieldId == FieldRxFrequency) {
        if (!receiveTypable(record.Number))
            return false; // these channels keep their receive frequency
        FixedText<8> stored;
        stored.assign(toStoredFrequency(textOf(value), band));
        const bool changed = !(stored == record.RxFrequency);
        record.RxFrequency = stored;
        return changed;
    }
    if (fieldId == FieldTransmit) {
        const ChannelRecord before = record;
        const OffsetEntry entry = offsetFromEntry(record.RxFrequency.raw(), textOf(value), showTxAsOffset,
                                                  record.Offset, record.OffsetDirection, band);
        if (!entry.stored)
            return false;
        record.Offset = entry.offset;
        record.OffsetDirection = entry.direction;
        recomputeStepClasses(record, band);
        return !(record == before);
    }
    const std::optional<ChannelOption> option = channelOptionOfField(fieldId);
    if (fieldId != FieldRxTone && fieldId != FieldTxTone && !option)
        return false; // no member behind this id

    Int16 v = 0;
    if (!integerOf(value, v))
        return false;
    const ChannelRecord before = record;
    Int16& busyLockout = record.option(ChannelOption::BusyLockout);
    if (fieldId == FieldRxTone) {
        const Int16 old = record.RxTone;
        record.RxTone = v;
        if (v == 0 && busyLockout == 2)
            busyLockout = 1; // busy lockout by tone needs a tone
        if (old == 0 && record.TxTone == 0)
            record.TxTone = v;
    } else if (fieldId == FieldTxTone) {
        const Int16 old = record.TxTone;
        record.TxTone = v;
        if (old == 0 && record.RxTone == 0)
            record.RxTone = v;
    } else if (*option == ChannelOption::OptionalSignalling) {
        record.option(ChannelOption::OptionalSignalling) = v;
        if (record.RxTone == 0 && busyLockout > 1)
            busyLockout = 1;
    } else {
        storeInteger(record.option(*option), v);
    }
    return !(record == before);
}

bool appendChannel(Document& doc, int number, std::string_view receiveText, bool standby, const BandLimits& band)
{
    Int16& count = standby ? doc.image().StandbyChannelCount : doc.image().ChannelCount;
    const int used = standby ? doc.standbyCount() : doc.activeCount();
    if (used >= kChannelSlots)
        return false;
    ChannelRecord record; // every member 0, Offset seven NULs
    record.Number = static_cast<Int16>(number);
    record.RxFrequency.assign(toStoredFrequency(receiveText, band));
    record.OffsetDirection = 0;
    (standby ? doc.standby() : doc.active())[static_cast<std::size_t>(used)] = record;
    count = static_cast<Int16>(used + 1);
    return true;
}

void removeChannelAt(Document& doc, int index)
{
    const int used = doc.activeCount();
    if (index < 0 || index >= used)
        return;
    ChannelTable& table = doc.active();
    std::move(table.begin() + index + 1, table.begin() + used, table.begin() + index);
    doc.image().ChannelCount = static_cast<Int16>(used - 1);
}

namespace {

/// Emergency channels of group g whose slot holds no channel become 0;
/// each one cleared is added to resets.
void recheckGroup(Document& doc, int g, std::vector<EmergencyReset>& resets)
{
    RadioImage& image = doc.image();
    if (g < 0 || g >= kGroupNames)
        return;
    const int base = groupBase(g, image.ChannelMode);
    const int used = doc.activeCount();
    for (int s = 0; s < 2; ++s) {
        Int16* emergency = emergencyChannel(image, g, s);
        bool present = false;
        for (int i = 0; i < used && !present; ++i)
            present = doc.active()[static_cast<std::size_t>(i)].Number - base == *emergency;
        if (!present && *emergency != 0) {
            resets.push_back({g, s, *emergency});
            *emergency = 0;
        }
    }
}

/// A record that takes the place of before keeps before's stored
/// frequency bytes (and the step classes that go with them) when the table
/// shows the same frequencies for both: a row read back from a file never
/// rewrites what it did not change.
void keepSameFrequencies(ChannelRecord& after, const ChannelRecord& before, const BandLimits& band)
{
    const ChannelFrequencyTexts was = frequencyTexts(before, band, true);
    const ChannelFrequencyTexts is = frequencyTexts(after, band, true);
    if (was.receive != is.receive || was.transmit != is.transmit)
        return;
    after.RxFrequency = before.RxFrequency;
    after.Offset = before.Offset;
    after.OffsetDirection = before.OffsetDirection;
    after.RxStepClass = before.RxStepClass;
    after.TxStepClass = before.TxStepClass;
}

} // namespace

bool recheckEmergencyChannels(Document& doc, int editGroup)
{
    std::vector<EmergencyReset> resets;
    recheckGroup(doc, editGroup, resets);
    return !resets.empty();
}

std::vector<EmergencyReset> recheckAllEmergencyChannels(Document& doc)
{
    std::vector<EmergencyReset> resets;
    for (int g = 0; g < groupCount(doc.image().ChannelMode); ++g)
        recheckGroup(doc, g, resets);
    return resets;
}

bool frequenciesTypable(Int16 mode) { return isExtendedMode(mode); }

bool receiveTypable(int number) { return number > kHighestPlainChannel; }

RowRefusal checkChannelRow(const Document& doc, const ChannelRecord& wanted)
{
    if (wanted.Number < 1 || wanted.Number > kChannelSlots)
        return RowRefusal::NotAChannel;
    const BandLimits band = documentBand(doc);
    const int index = doc.findChannelByNumber(wanted.Number);
    if (index < 0) {
        if (!frequenciesTypable(doc.image().ChannelMode))
            return RowRefusal::CountryNoNewChannel;
        return doc.activeCount() >= kChannelSlots ? RowRefusal::TableFull : RowRefusal::None;
    }
    const ChannelFrequencyTexts was = frequencyTexts(doc.active()[static_cast<std::size_t>(index)], band, true);
    const ChannelFrequencyTexts is = frequencyTexts(wanted, band, true);
    if (!frequenciesTypable(doc.image().ChannelMode)) {
        if (was.receive != is.receive)
            return RowRefusal::CountryReceiveFixed;
        if (was.transmit != is.transmit)
            return RowRefusal::CountryOffsetFixed;
    } else if (!receiveTypable(wanted.Number) && was.receive != is.receive) {
        return RowRefusal::ReceiveFixed;
    }
    return RowRefusal::None;
}

RowRefusal writeChannelRow(Document& doc, const ChannelRecord& wanted, std::vector<EmergencyReset>& resets)
{
    const RowRefusal refusal = checkChannelRow(doc, wanted);
    if (refusal != RowRefusal::None)
        return refusal;
    const BandLimits band = documentBand(doc);
    const int index = doc.findChannelByNumber(wanted.Number);
    if (index >= 0) {
        ChannelRecord& record = doc.active()[static_cast<std::size_t>(index)];
        ChannelRecord stored = wanted;
        keepSameFrequencies(stored, record, band);
        record = stored;
        return RowRefusal::None;
    }
    const int used = doc.activeCount();
    doc.active()[static_cast<std::size_t>(used)] = wanted;
    doc.image().ChannelCount = static_cast<Int16>(used + 1);
    // A new channel as typing makes one: its group's emergency channels are
    // looked at again.
    recheckGroup(doc, groupOfChannel(wanted.Number, doc.image().ChannelMode).group, resets);
    return RowRefusal::None;
}

bool replaceChannelTable(Document& doc, std::vector<ChannelRecord> rows, std::vector<EmergencyReset>& resets)
{
    if (!frequenciesTypable(doc.image().ChannelMode) || rows.empty() || rows.size() > static_cast<std::size_t>(kChannelSlots))
        return false;
    std::vector<bool> seen(kChannelSlots + 1, false);
    const BandLimits band = documentBand(doc);
    for (ChannelRecord& row : rows) {
        if (row.Number < 1 || row.Number > kChannelSlots || seen[static_cast<std::size_t>(row.Number)])
            return false;
        seen[static_cast<std::size_t>(row.Number)] = true;
        const int index = doc.findChannelByNumber(row.Number);
        if (index >= 0)
            keepSameFrequencies(row, doc.active()[static_cast<std::size_t>(index)], band);
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const ChannelRecord& a, const ChannelRecord& b) { return a.Number < b.Number; });
    std::copy(rows.begin(), rows.end(), doc.active().begin());
    doc.image().ChannelCount = static_cast<Int16>(rows.size());
    const std::vector<EmergencyReset> cleared = recheckAllEmergencyChannels(doc);
    resets.insert(resets.end(), cleared.begin(), cleared.end());
    return true;
}

CellWriteResult setChannelCell(Document& doc, const ChannelWriteEnv& env, int group, int row, int fieldId,
                               const CellValue& value)
{
    CellWriteResult result;
    RadioImage& image = doc.image();
    const Int16 mode = image.ChannelMode;
    if (group < 0 || group >= groupCount(mode) || row < 1 || row > groupSize(group, mode))
        return result;
    const int number = groupBase(group, mode) + row;
    result.number = number;

    const bool frequencyField = fieldId == FieldRxFrequency || fieldId == FieldTransmit;
    if (frequencyField && !frequenciesTypable(mode))
        return result; // country channels have fixed frequencies

    const BandLimits band = documentBand(doc);
    const int currentGroup = image.OptFeat.Common1[common1::CurrentGroup];
    CellValue checkedValue = value;
    std::string text;
    if (frequencyField) {
        text = textOf(value);
        if (!text.empty() && !(fieldId == FieldTransmit && env.showTxAsOffset)) {
            const CheckedText checked = checkFrequencyEntry(text, currentGroup, band);
            result.warned = checked.warned;
            text = checked.text;
        }
        checkedValue = text;
    }

    const int index = doc.findChannelByNumber(static_cast<Int16>(number));
    if (index < 0) {
        if (fieldId != FieldRxFrequency || text.empty())
            return result; // an empty slot takes nothing but a receive frequency
        text = checkFrequencyEntry(text, currentGroup, band).text;
        result.created = appendChannel(doc, number, text, false, band);
        result.stored = result.created;
        recheckEmergencyChannels(doc, env.editGroup);
        result.emergencyRechecked = true;
        return result;
    }

    ChannelRecord& record = doc.active()[static_cast<std::size_t>(index)];
    if (fieldId == FieldRxFrequency && text.empty()) {
        if (doc.activeCount() > 1) { // the table's last channel stays
            removeChannelAt(doc, index);
            result.removed = true;
            result.stored = true;
        }
    } else {
        bool unchanged = false;
        if (frequencyField) {
            const ChannelFrequencyTexts shown = frequencyTexts(record, band, env.showTxAsOffset);
            unchanged = text == (fieldId == FieldRxFrequency ? shown.receive : shown.transmit);
        }
        if (!unchanged)
            result.stored = setChannelField(record, fieldId, checkedValue, band, env.showTxAsOffset);
    }
    if (fieldId == FieldRxFrequency) {
        recheckEmergencyChannels(doc, env.editGroup);
        result.emergencyRechecked = true;
    }
    return result;
}

void storeGroupName(FixedText<3>& name, std::string_view typed)
{
    std::string text = cleanText(typed);
    if (text.size() < FixedText<3>::size())
        text.push_back('\0');
    name.assign(text);
}

} // namespace zav
