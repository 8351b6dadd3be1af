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
        if (record.Number <= kHighestPlainChannel)
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
    if (fieldId == FieldName || fieldId == 6 || fieldId == 20 || (fieldId >= 31 && fieldId <= 36))
        return false; // no member behind these ids

    Int16 v = 0;
    if (!integerOf(value, v))
        return false;
    const ChannelRecord before = record;
    switch (fieldId) {
    case FieldRxTone: {
        const Int16 old = record.RxTone;
        record.RxTone = v;
        if (v == 0 && record.Option11 == 2)
            record.Option11 = 1; // busy lockout by tone needs a tone
        if (old == 0 && record.TxTone == 0)
            record.TxTone = v;
        break;
    }
    case FieldTxTone: {
        const Int16 old = record.TxTone;
        record.TxTone = v;
        if (old == 0 && record.RxTone == 0)
            record.RxTone = v;
        break;
    }
    case 8:
        record.Option8 = v;
        if (record.RxTone == 0 && record.Option11 > 1)
            record.Option11 = 1;
        break;
    default:
        if (Int16* member = record.option(fieldId))
            storeInteger(*member, v);
        break;
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

bool recheckEmergencyChannels(Document& doc, int editGroup)
{
    RadioImage& image = doc.image();
    if (editGroup < 0 || editGroup >= kGroupNames)
        return false;
    const int base = groupBase(editGroup, image.ChannelMode);
    const int used = doc.activeCount();
    bool changed = false;
    for (int s = 0; s < 2; ++s) {
        Int16* emergency = emergencyChannel(image, editGroup, s);
        bool present = false;
        for (int i = 0; i < used && !present; ++i)
            present = doc.active()[static_cast<std::size_t>(i)].Number - base == *emergency;
        if (!present && *emergency != 0) {
            *emergency = 0;
            changed = true;
        }
    }
    return changed;
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
    if (frequencyField && !isExtendedMode(mode))
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
