#include "config_check.h"

#include "band.h"
#include "channel_groups.h"
#include "codecs.h"
#include "feature_rules.h"
#include "memory_map.h"
#include "optional_feature_rules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <utility>

namespace zav {
namespace {

// Text ids of the check (language files, [Others]).
namespace msg {
constexpr int LevelError = 32600;
constexpr int LevelWarning = 32601;
constexpr int LevelInformation = 32602;
constexpr int WhereChannel = 32603;
constexpr int WhereStandbyChannel = 32604;
constexpr int WhereChannelNoGroup = 32605;
constexpr int WhereStandbyChannelNoGroup = 32606;
constexpr int WhereGroup = 32607;
constexpr int WhereStandbyGroup = 32608;
constexpr int WhereOptionalFeatures = 32609;
constexpr int WhereTable = 32610;
constexpr int WhereStandbyTable = 32611;
constexpr int WhereDtmf = 34204;
constexpr int WhereCodeMemory = 34205;   ///< %1 memory number
constexpr int WhereToneTip = 34206;      ///< %1 tip number
constexpr int WhereMessages = 34207;
constexpr int WhereMemory = 34210;

constexpr int RxNotNumber = 32620;
constexpr int RxTooLarge = 32621;
constexpr int RxOutsideBand = 32622;
constexpr int RxStoredAs = 32623;
constexpr int TxOutsideBand = 32624;
constexpr int ValueOutsideList = 32625;
constexpr int UndefinedCodeMemory = 32626;
constexpr int UndefinedToneTip = 32627;
constexpr int EmergencyOnEmptySlot = 32628;
constexpr int EmergencyOutsideGroup = 32629;
constexpr int DuplicateNumber = 32630;
constexpr int NumberOutsideRange = 32631;
constexpr int CountOutsideRange = 32632;

constexpr int RxOffRaster = 32640;
constexpr int TxOffRaster = 32641;
constexpr int SameFrequencyInGroup = 32642;
constexpr int EmptyGroup = 32643;
constexpr int CurrentGroupEmpty = 32644;

constexpr int ChannelInNoGroup = 32650;
constexpr int BusyLockoutWithoutTone = 32651;
constexpr int RecordWithoutFrequency = 32652;

constexpr int NameChannelSpacing = 32660;
constexpr int NamePttId = 32661;
constexpr int NameReverseTalkAround = 32662;
constexpr int NameSignallingRelation = 32663;
constexpr int NameAmFm = 32664;
constexpr int NameAmPower = 32665;
constexpr int NameFmPower = 32666;
} // namespace msg

// Captions the editors already show for these fields.
constexpr int kCaptionBusyLockout = 15011;
constexpr int kCaptionCallCode = 15013;
constexpr int kCaptionGroup = 15029;
constexpr int kCaptionBotCode = 15037;
constexpr int kCaptionEotCode = 15038;
constexpr int kCaptionRogerBeep = 15200;

// StandbySettings positions of the other mode's emergency tables and group.
constexpr int kStandbyCurrentGroup = 7;
constexpr int kStandbyEmergencyChannels = 16;
constexpr int kStandbyEmergencyAmFm = 40;

constexpr long long kCountsPerMhz = 100000; // stored frequencies count 10 Hz
constexpr int kBusyLockoutTone = 2;         // "CTCSS/DCS": needs a tone

/// One per-channel list: the option, its entry count and the caption it
/// is known by.
struct ChannelList {
    ChannelOption option;
    int entries;
    int nameId;
};

// The channel detail editor's lists and check boxes, and the options it
// has no control for, with the entries the program carries for them.
constexpr std::array kChannelLists{
    ChannelList{ChannelOption::ScanSkip, 2, 15014},
    ChannelList{ChannelOption::OptionalSignalling, 2, 15033},
    ChannelList{ChannelOption::Spacing, 3, msg::NameChannelSpacing},
    ChannelList{ChannelOption::PttId, 4, msg::NamePttId},
    ChannelList{ChannelOption::BusyLockout, 4, kCaptionBusyLockout},
    ChannelList{ChannelOption::ReverseOrTalkAround, 2, msg::NameReverseTalkAround},
    ChannelList{ChannelOption::Scrambler, 2, 15015},
    ChannelList{ChannelOption::TxInhibit, 2, 15016},
    ChannelList{ChannelOption::TalkAround, 2, 15017},
    ChannelList{ChannelOption::Reverse, 2, 15018},
    ChannelList{ChannelOption::Whisper, 2, 15019},
    ChannelList{ChannelOption::Compander, 2, 15020},
    ChannelList{ChannelOption::SignallingRelation, 2, msg::NameSignallingRelation},
    ChannelList{ChannelOption::SquelchMode, 2, 15201},
    ChannelList{ChannelOption::Modulation, 2, msg::NameAmFm},
    ChannelList{ChannelOption::AmPower, 2, msg::NameAmPower},
    ChannelList{ChannelOption::FmPower, 2, msg::NameFmPower},
    ChannelList{ChannelOption::RepeaterShift, 3, 15205},
    ChannelList{ChannelOption::TsqMode, 2, 15023},
    ChannelList{ChannelOption::RxExpander, 2, 15300},
    ChannelList{ChannelOption::TxCompressor, 2, 15301},
    ChannelList{ChannelOption::NoiseBlanker, 2, 15302},
    ChannelList{ChannelOption::Attenuator, 2, 15303},
    ChannelList{ChannelOption::HighCut, 2, 15304},
    ChannelList{ChannelOption::ModulationLock, 2, 15400},
    ChannelList{ChannelOption::AmPowerLock, 2, 15401},
    ChannelList{ChannelOption::FmPowerLock, 2, 15402},
};

std::string number(long long n) { return std::to_string(n); }

/// "#0.00000" of a 10 Hz count, exactly (no floating point on the way).
std::string mhzText(long long count)
{
    const bool negative = count < 0;
    const long long a = negative ? -count : count;
    std::string fraction = std::to_string(a % kCountsPerMhz);
    fraction.insert(0, 5 - fraction.size(), '0');
    std::string text(negative ? "-" : "");
    return text.append(std::to_string(a / kCountsPerMhz)).append(".").append(fraction);
}

long long countOf(double mhz) { return static_cast<long long>(std::nearbyint(mhz * kCountsPerMhz)); }

bool isEmptyFrequency(const std::string& clean) { return clean.empty() || clean == "FFFFFFFF"; }

/// The count of a stored frequency of exactly eight digits, the form
/// nearly every record has, read without the general parser's copies;
/// nullopt for anything else, which takes the general way.
std::optional<long long> plainFrequencyCount(const std::string& raw)
{
    if (raw.size() != 8)
        return std::nullopt;
    long long count = 0;
    for (const char c : raw) {
        if (c < '0' || c > '9')
            return std::nullopt;
        count = count * 10 + (c - '0');
    }
    return count;
}

/// The count of link::decodeRxFrequency(kiloHertz), what the radio gives
/// back for the kHz it keeps: a last kHz digit of 1 or 2 marks the 12.5 kHz
/// raster (…125), anything else is whole kHz.
long long sentFrequencyCount(std::uint16_t kiloHertz)
{
    const int last = kiloHertz % 10;
    if (last == 1 || last == 2)
        return static_cast<long long>(kiloHertz / 10) * 1000 + 125;
    return static_cast<long long>(kiloHertz) * 100;
}

struct TableView {
    const ChannelTable* records;
    int count; ///< clamped to 0..521
    Int16 mode;
    bool standby;
};

class Checker {
public:
    explicit Checker(const Document& doc)
        : doc_(doc),
          band_{doc.model.bandLow, doc.model.bandHigh},
          lowCount_(countOf(band_.low)),
          highCount_(countOf(band_.high))
    {
    }

    std::vector<ConfigFinding> run()
    {
        const RadioImage& im = doc_.image();
        const Int16 mode = im.ChannelMode;
        const Int16 otherMode = isExtendedMode(mode) ? Int16{0} : Int16{kExtendedMode};
        checkTable({&doc_.active(), 0, mode, false}, im.ChannelCount);
        checkTable({&doc_.standby(), 0, otherMode, true}, im.StandbyChannelCount);
        checkOptionalFeatures();
        return std::move(findings_);
    }

private:
    const Document& doc_;
    BandLimits band_;
    long long lowCount_;  ///< the band limits as 10 Hz counts
    long long highCount_;
    std::vector<ConfigFinding> findings_;
    const ChannelRecord* posRecord_ = nullptr; ///< the record checkChannel is at
    GroupPosition pos_{};                      ///< and its group position

    // --- per table -----------------------------------------------------------

    struct TableState {
        std::array<bool, kChannelSlots + 1> present{};
        std::array<int, kGroupNames> channelsInGroup{};
        /// (group, count) -> in-group number; the key is group * 2^40 + count
        /// (counts are below 10^8 < 2^40).
        std::unordered_map<long long, int> frequencyInGroup;
    };

    ConfigFinding tableFinding(FindingLevel level, const TableView& t, int field, int messageId,
                               std::vector<FindingArg> args)
    {
        ConfigFinding f;
        f.level = level;
        f.area = FindingArea::ChannelTable;
        f.standby = t.standby;
        f.field = field;
        f.messageId = messageId;
        f.args = std::move(args);
        return f;
    }

    void checkTable(TableView t, Int16 storedCount)
    {
        if (storedCount < 0 || storedCount > kChannelSlots) {
            // Which records are meant is unknown: one finding, not one per slot.
            findings_.push_back(tableFinding(FindingLevel::Error, t, kFieldChannelCount, msg::CountOutsideRange,
                                             {number(storedCount)}));
            return;
        }
        t.count = storedCount;

        TableState state;
        state.frequencyInGroup.reserve(static_cast<std::size_t>(t.count));
        for (int i = 0; i < t.count; ++i) {
            const ChannelRecord& r = (*t.records)[static_cast<std::size_t>(i)];
            if (r.Number < 1 || r.Number > kChannelSlots) {
                findings_.push_back(tableFinding(FindingLevel::Error, t, kFieldNumber, msg::NumberOutsideRange,
                                                 {number(i + 1), number(r.Number)}));
                continue;
            }
            if (state.present[static_cast<std::size_t>(r.Number)]) {
                // The radio has one place per number: only one record reaches it.
                push(channelFinding(FindingLevel::Error, t, r, kFieldNumber, msg::DuplicateNumber, {number(r.Number)}));
                continue;
            }
            state.present[static_cast<std::size_t>(r.Number)] = true;
            checkChannel(t, r, state);
        }
        checkGroups(t, state);
    }

    // --- per channel -----------------------------------------------------------

    ConfigFinding channelFinding(FindingLevel level, const TableView& t, const ChannelRecord& r, int field,
                                 int messageId, std::vector<FindingArg> args) const
    {
        ConfigFinding f;
        f.level = level;
        f.area = FindingArea::Channel;
        f.standby = t.standby;
        f.number = r.Number;
        const GroupPosition pos = &r == posRecord_ ? pos_ : groupOfChannel(r.Number, t.mode);
        f.group = pos.group;
        f.numberInGroup = pos.numberInGroup;
        f.field = field;
        f.messageId = messageId;
        f.args = std::move(args);
        return f;
    }

    void push(ConfigFinding f) { findings_.push_back(std::move(f)); }

    void checkChannel(const TableView& t, const ChannelRecord& r, TableState& state)
    {
        // Every finding of this record needs its group: worked out once.
        pos_ = groupOfChannel(r.Number, t.mode);
        posRecord_ = &r;
        const GroupPosition pos = pos_;
        if (pos.group >= 0)
            ++state.channelsInGroup[static_cast<std::size_t>(pos.group)];
        else if (r.Number != kChannelSlots) // 521 is the VFO slot, kept in either mode
            push(channelFinding(FindingLevel::Information, t, r, 0, msg::ChannelInNoGroup, {}));

        checkFrequencies(t, r, pos, state);
        checkTones(t, r);
        checkOptions(t, r);
    }

    void outsideList(const TableView& t, const ChannelRecord& r, int field, int nameId, int value, int last)
    {
        push(channelFinding(FindingLevel::Error, t, r, field, msg::ValueOutsideList,
                            {TextId{nameId}, number(value), number(0), number(last)}));
    }

    bool insideBand(long long count) const { return count >= lowCount_ && count <= highCount_; }

    bool onRaster(long long count, int group) const
    {
        return countOf(snapToRaster(static_cast<double>(count) / kCountsPerMhz, group, band_)) == count;
    }

    void bandFinding(const TableView& t, const ChannelRecord& r, int field, int messageId, long long count)
    {
        push(channelFinding(FindingLevel::Error, t, r, field, messageId,
                            {mhzText(count), mhzText(countOf(band_.low)), mhzText(countOf(band_.high))}));
    }

    void checkFrequencies(const TableView& t, const ChannelRecord& r, const GroupPosition& pos, TableState& state)
    {
        const std::string raw = r.RxFrequency.raw();
        std::optional<long long> count = plainFrequencyCount(raw);
        if (!count) {
            const std::string clean = r.RxFrequency.clean();
            if (isEmptyFrequency(clean)) {
                push(channelFinding(FindingLevel::Information, t, r, FieldRxFrequency, msg::RecordWithoutFrequency,
                                    {}));
                return;
            }
            count = storedFrequencyCount(raw);
            if (!count) {
                push(channelFinding(FindingLevel::Error, t, r, FieldRxFrequency, msg::RxNotNumber, {clean}));
                return;
            }
        }
        // The radio keeps whole kHz in 16 bits (see the memory map): what it
        // would read back is what it really gets.
        std::uint16_t kiloHertz = 0;
        if (!link::encodeRxFrequency(raw, kiloHertz)) {
            push(channelFinding(FindingLevel::Error, t, r, FieldRxFrequency, msg::RxTooLarge, {mhzText(*count)}));
            return;
        }
        if (!insideBand(*count))
            bandFinding(t, r, FieldRxFrequency, msg::RxOutsideBand, *count);
        const std::optional<long long> sent = sentFrequencyCount(kiloHertz);
        if (sent && *sent != *count)
            push(channelFinding(FindingLevel::Error, t, r, FieldRxFrequency, msg::RxStoredAs,
                                {mhzText(*count), mhzText(*sent)}));
        else if (pos.group >= 0 && insideBand(*count) && !onRaster(*count, pos.group))
            push(channelFinding(FindingLevel::Warning, t, r, FieldRxFrequency, msg::RxOffRaster, {mhzText(*count)}));

        if (pos.group >= 0) {
            const long long key = (static_cast<long long>(pos.group) << 40) + *count;
            const auto [it, added] = state.frequencyInGroup.try_emplace(key, pos.numberInGroup);
            if (!added)
                push(channelFinding(FindingLevel::Warning, t, r, FieldRxFrequency, msg::SameFrequencyInGroup,
                                    {mhzText(*count), number(it->second)}));
        }

        if (r.OffsetDirection > 2)
            return; // reported with the options
        if (r.OffsetDirection == 0)
            return;
        const std::optional<long long> offset = storedOffsetCount(r.Offset.raw());
        if (!offset || *offset == 0)
            return;
        const long long tx = r.OffsetDirection == 1 ? *count - *offset : *count + *offset;
        if (!insideBand(tx))
            bandFinding(t, r, FieldTransmit, msg::TxOutsideBand, tx);
        else if (pos.group >= 0 && !onRaster(tx, pos.group))
            push(channelFinding(FindingLevel::Warning, t, r, FieldTransmit, msg::TxOffRaster, {mhzText(tx)}));
    }

    void checkTones(const TableView& t, const ChannelRecord& r)
    {
        if (r.RxTone < 0 || r.RxTone >= kToneCount)
            outsideList(t, r, FieldRxTone, kCaptionRxTone, r.RxTone, kToneCount - 1);
        if (r.TxTone < 0 || r.TxTone >= kToneCount)
            outsideList(t, r, FieldTxTone, kCaptionTxTone, r.TxTone, kToneCount - 1);
    }

    void checkOptions(const TableView& t, const ChannelRecord& r)
    {
        if (r.OffsetDirection > 2)
            outsideList(t, r, FieldTransmit, kCaptionOffsetDirection, r.OffsetDirection, 2);
        for (const ChannelList& list : kChannelLists) {
            const Int16 value = r.option(list.option);
            if (value < 0 || value >= list.entries)
                outsideList(t, r, optionFieldId(list.option), list.nameId, value, list.entries - 1);
        }
        const RadioImage& im = doc_.image();
        using enum ChannelOption;
        for (const auto& [code, nameId] : {std::pair{BotCode, kCaptionBotCode}, std::pair{EotCode, kCaptionEotCode},
                                           std::pair{CallCode, kCaptionCallCode}}) {
            const int value = r.option(code);
            if (value < 0 || value > kCodeMemories)
                outsideList(t, r, optionFieldId(code), nameId, value, kCodeMemories);
            else if (value != 0 && !isCodeMemoryDefined(im, value))
                push(channelFinding(FindingLevel::Error, t, r, optionFieldId(code), msg::UndefinedCodeMemory,
                                    {TextId{nameId}, number(value)}));
        }
        const int roger = r.option(RogerBeep);
        if (roger < 0 || roger > kToneTips)
            outsideList(t, r, optionFieldId(RogerBeep), kCaptionRogerBeep, roger, kToneTips);
        else if (roger != 0 && !isToneTipDefined(im, roger))
            push(channelFinding(FindingLevel::Error, t, r, optionFieldId(RogerBeep), msg::UndefinedToneTip,
                                {TextId{kCaptionRogerBeep}, number(roger)}));

        // The detail editor turns this into "Carrier" as soon as the channel
        // is shown; the radio would get it as it is.
        const int governingTone = r.option(Reverse) != 0 ? r.TxTone : r.RxTone;
        if (governingTone == 0 && r.option(BusyLockout) == kBusyLockoutTone)
            push(channelFinding(FindingLevel::Information, t, r, optionFieldId(BusyLockout),
                                msg::BusyLockoutWithoutTone, {}));
    }

    // --- per group -------------------------------------------------------------

    ConfigFinding groupFinding(FindingLevel level, const TableView& t, int group, int field, int messageId,
                               std::vector<FindingArg> args) const
    {
        ConfigFinding f;
        f.level = level;
        f.area = FindingArea::Group;
        f.standby = t.standby;
        f.group = group;
        f.field = field;
        f.messageId = messageId;
        f.args = std::move(args);
        return f;
    }

    Int16 emergencyValue(const TableView& t, int base, int standbyBase, int g, int s) const
    {
        const RadioImage& im = doc_.image();
        const std::size_t i = static_cast<std::size_t>(2 * g + s);
        return t.standby ? im.StandbySettings[static_cast<std::size_t>(standbyBase) + i]
                         : im.OptFeat.Common1[static_cast<std::size_t>(base) + i];
    }

    void checkGroups(const TableView& t, const TableState& state)
    {
        const RadioImage& im = doc_.image();
        const int groups = groupCount(t.mode);
        for (int g = 0; g < groups; ++g) {
            if (isExtendedMode(t.mode) && g == kVfoGroup)
                continue; // the VFO slot has no emergency channels
            const int size = groupSize(g, t.mode);
            for (int s = 0; s < 2; ++s) {
                const int channel =
                    emergencyValue(t, common1::EmergencyChannelBase, kStandbyEmergencyChannels, g, s);
                if (channel < 0 || channel > size)
                    push(groupFinding(FindingLevel::Error, t, g, kFieldEmergencyChannel + s,
                                      msg::EmergencyOutsideGroup, {number(s), number(channel), number(size)}));
                else if (channel != 0 && !state.present[static_cast<std::size_t>(groupBase(g, t.mode) + channel)])
                    push(groupFinding(FindingLevel::Error, t, g, kFieldEmergencyChannel + s,
                                      msg::EmergencyOnEmptySlot, {number(s), number(channel)}));
                const int amFm = emergencyValue(t, common1::EmergencyAmFmBase, kStandbyEmergencyAmFm, g, s);
                if (amFm < 0 || amFm > 1)
                    push(groupFinding(FindingLevel::Error, t, g, kFieldEmergencyAmFm + s, msg::ValueOutsideList,
                                      {TextId{kCaptionEmergencyAmFm}, number(amFm), number(0), number(1)}));
            }
        }

        const int current = t.standby ? im.StandbySettings[kStandbyCurrentGroup] : im.OptFeat.Common1[common1::CurrentGroup];
        if (current < 0 || current >= groups)
            push(groupFinding(FindingLevel::Error, t, -1, kFieldCurrentGroup, msg::ValueOutsideList,
                              {TextId{kCaptionGroup}, number(current), number(0), number(groups - 1)}));
        // Every group but the VFO slot is on the radio's group list, empty or not.
        for (int g = 0; g < groups; ++g) {
            if ((isExtendedMode(t.mode) && g == kVfoGroup) || state.channelsInGroup[static_cast<std::size_t>(g)] > 0)
                continue;
            if (g == current)
                push(groupFinding(FindingLevel::Warning, t, g, kFieldCurrentGroup, msg::CurrentGroupEmpty, {}));
            else
                push(groupFinding(FindingLevel::Warning, t, g, 0, msg::EmptyGroup, {}));
        }
    }

    // --- optional features -------------------------------------------------------

    void optionFinding(FindingLevel level, int field, int messageId, std::vector<FindingArg> args)
    {
        ConfigFinding f;
        f.level = level;
        f.area = FindingArea::OptionalFeatures;
        f.field = field;
        f.messageId = messageId;
        f.args = std::move(args);
        push(std::move(f));
    }

    /// Of Common2 only FreqChangeable has a place in radio memory; the rest
    /// stays in the file, so a bad value there changes nothing in the radio
    /// (and the optional-features window puts it back on its list).
    static bool sentToRadio(const OptFeat& opt, const Int16& field)
    {
        const Int16* first = opt.Common2.data();
        const bool inCommon2 = &field >= first && &field < first + opt.Common2.size();
        return !inCommon2 || &field == &opt.Common2[common2::FreqChangeable];
    }

    void checkOptionalFeatures()
    {
        const RadioImage& im = doc_.image();
        const OptFeat& opt = im.OptFeat;
        for (const FeatureRule& rule : featureRules()) {
            const Int16& field = opt.feature(rule.feature);
            switch (rule.control) {
            case FeatureControl::List:
            case FeatureControl::CheckBox: {
                const int entry = entryForValue(rule, field);
                if (entry < 0 || entry >= rule.entries)
                    optionFinding(sentToRadio(opt, field) ? FindingLevel::Error : FindingLevel::Information,
                                  findingField(rule), msg::ValueOutsideList,
                                  {TextId{rule.captionId}, number(field), number(valueForEntry(rule, 0)),
                                   number(valueForEntry(rule, rule.entries - 1))});
                break;
            }
            case FeatureControl::NumberedList: {
                const bool toneTip = rule.feature == OptionalFeature::RogerBeep;
                const int highest = rule.entries - 1;
                if (field < 0 || field > highest)
                    optionFinding(FindingLevel::Error, rule.number, msg::ValueOutsideList,
                                  {TextId{rule.captionId}, number(field), number(0), number(highest)});
                else if (field != 0 && toneTip && !isToneTipDefined(im, field))
                    optionFinding(FindingLevel::Error, rule.number, msg::UndefinedToneTip,
                                  {TextId{rule.captionId}, number(field)});
                else if (field != 0 && !toneTip && !isCodeMemoryDefined(im, field))
                    optionFinding(FindingLevel::Error, rule.number, msg::UndefinedCodeMemory,
                                  {TextId{rule.captionId}, number(field)});
                break;
            }
            }
        }
    }

    /// Where a finding of a feature points: a list's number, or a check
    /// box's number after kFieldCheckBox.
    static int findingField(const FeatureRule& rule)
    {
        return rule.control == FeatureControl::CheckBox ? kFieldCheckBox + rule.number : rule.number;
    }
};

std::string substitute(std::string text, const std::vector<std::string>& args)
{
    // %1..%9, each replaced once from left to right so that an argument
    // holding "%2" is never replaced again.
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const std::size_t k = static_cast<std::size_t>(text[i + 1] - '1');
            if (k < args.size()) {
                out += args[k];
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string lookup(const TextLookup& text, int id)
{
    const std::string s = text ? text(id) : std::string();
    return s.empty() ? "text " + std::to_string(id) : s;
}

} // namespace

std::vector<ConfigFinding> checkConfiguration(const Document& doc) { return Checker(doc).run(); }

bool hasErrors(const std::vector<ConfigFinding>& findings)
{
    return std::any_of(findings.begin(), findings.end(),
                       [](const ConfigFinding& f) { return f.level == FindingLevel::Error; });
}

std::string levelText(FindingLevel level, const TextLookup& text)
{
    switch (level) {
    case FindingLevel::Error: return lookup(text, msg::LevelError);
    case FindingLevel::Warning: return lookup(text, msg::LevelWarning);
    case FindingLevel::Information: break;
    }
    return lookup(text, msg::LevelInformation);
}

std::string whereText(const ConfigFinding& f, const TextLookup& text)
{
    switch (f.area) {
    case FindingArea::Channel:
        if (f.group < 0)
            return substitute(lookup(text, f.standby ? msg::WhereStandbyChannelNoGroup : msg::WhereChannelNoGroup),
                              {number(f.number)});
        return substitute(lookup(text, f.standby ? msg::WhereStandbyChannel : msg::WhereChannel),
                          {number(f.number), number(f.group), number(f.numberInGroup)});
    case FindingArea::Group:
        if (f.group < 0)
            return lookup(text, f.standby ? msg::WhereStandbyTable : msg::WhereTable);
        return substitute(lookup(text, f.standby ? msg::WhereStandbyGroup : msg::WhereGroup), {number(f.group)});
    case FindingArea::OptionalFeatures:
        return lookup(text, msg::WhereOptionalFeatures);
    case FindingArea::Dtmf:
        return f.field > 0 ? substitute(lookup(text, msg::WhereCodeMemory), {number(f.field)})
                           : lookup(text, msg::WhereDtmf);
    case FindingArea::ToneTips:
        return substitute(lookup(text, msg::WhereToneTip), {number(f.group)});
    case FindingArea::Messages:
        return lookup(text, msg::WhereMessages);
    case FindingArea::Memory:
        return lookup(text, msg::WhereMemory);
    case FindingArea::ChannelTable:
        break;
    }
    return lookup(text, f.standby ? msg::WhereStandbyTable : msg::WhereTable);
}

std::string messageText(const ConfigFinding& f, const TextLookup& text)
{
    std::vector<std::string> args;
    for (const FindingArg& a : f.args) {
        if (const auto* id = std::get_if<TextId>(&a))
            args.push_back(lookup(text, id->id));
        else
            args.push_back(std::get<std::string>(a));
    }
    return substitute(lookup(text, f.messageId), args);
}

int channelOptionCaption(ChannelOption option)
{
    for (const ChannelList& list : kChannelLists)
        if (list.option == option)
            return list.nameId;
    // The options whose lists are the code memories and the tone tips.
    switch (option) {
    case ChannelOption::BotCode:
        return kCaptionBotCode;
    case ChannelOption::EotCode:
        return kCaptionEotCode;
    case ChannelOption::CallCode:
        return kCaptionCallCode;
    case ChannelOption::RogerBeep:
        return kCaptionRogerBeep;
    default:
        return 0;
    }
}

} // namespace zav
