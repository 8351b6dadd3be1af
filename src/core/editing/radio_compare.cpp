#include "radio_compare.h"

#include "address_plan.h"
#include "band.h"
#include "channel_groups.h"
#include "codecs.h"
#include "gbk_text.h"
#include "image_diff.h"
#include "memory_map.h"
#include "optional_feature_rules.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace zav {
namespace {

// Captions of fields no editor list names (language files).
constexpr int kCaptionRxFrequency = 15002;
constexpr int kCaptionOffset = 14100;
constexpr int kCaptionGroupName = 14051;
constexpr int kCaptionCurrentGroup = 14050;      ///< the channel table's group list
constexpr int kCaptionEmergencyChannel = 14052;  ///< + the emergency channel's number (0, 1)
constexpr int kCaptionPowerOnText = 16100;
constexpr int kCaptionIdCode = 18022;
constexpr int kCaptionEmbeddedMessage = 20000;
constexpr int kCaptionRepeatCount = 29002;
constexpr int kCaptionFirstNote = 29100; ///< "Note 1" .. "Note 14"
constexpr int kCaptionCodeMemory = 34208; ///< "Code memory" (where: DTMF, code memory n)
constexpr int kCaptionToneTipInterval = 34209;

/// The bytes of a text value as image_diff writes it (a JSON string whose
/// bytes outside ASCII are \u00XX), shown as the editors show the field:
/// GBK, without the padding.
std::string shownText(std::string_view json)
{
    std::string bytes;
    for (std::size_t i = 1; i + 1 < json.size(); ++i) {
        if (json[i] == '\\' && i + 1 < json.size() - 1) {
            if (json[i + 1] == 'u' && i + 5 < json.size()) {
                bytes += static_cast<char>(std::stoi(std::string(json.substr(i + 2, 4)), nullptr, 16));
                i += 5;
            } else {
                bytes += json[i + 1];
                ++i;
            }
            continue;
        }
        bytes += json[i];
    }
    const auto end = bytes.find_last_not_of(std::string_view(" \0\xFF", 3));
    bytes.erase(end == std::string::npos ? 0 : end + 1);
    // A NUL shows as the editors show it: an empty place.
    std::replace(bytes.begin(), bytes.end(), '\0', ' ');
    return "\"" + gbkToUtf8(bytes) + "\"";
}

bool isText(const std::string& value) { return !value.empty() && value.front() == '"'; }

/// The number inside the first "[...]" after prefix in name, or nullopt.
std::optional<int> indexAfter(std::string_view name, std::string_view prefix)
{
    if (name.substr(0, prefix.size()) != prefix)
        return std::nullopt;
    std::size_t i = prefix.size();
    if (i >= name.size() || name[i] != '[')
        return std::nullopt;
    int n = 0;
    bool digits = false;
    for (++i; i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i) {
        n = n * 10 + (name[i] - '0');
        digits = true;
    }
    return digits ? std::optional<int>(n) : std::nullopt;
}

class Namer {
public:
    explicit Namer(const Document& sent) : sent_(sent), band_{sent.model.bandLow, sent.model.bandHigh} {}

    void add(const FieldDifference& d)
    {
        // A DTMF code's length and its digits are one thing to the user:
        // the length is named only when the digits read the same.
        const bool isLength = d.name.rfind("Settings.DtmfSettings.", 0) == 0 && d.name.size() > 7 &&
                              d.name.compare(d.name.size() - 7, 7, ".Length") == 0;
        if (pendingLength_) {
            const std::string code = pendingLength_->name.substr(0, pendingLength_->name.size() - 6) + "Code";
            if (d.name != code)
                nameField(*pendingLength_);
            pendingLength_.reset();
        }
        if (isLength) {
            pendingLength_ = d;
            return;
        }
        nameField(d);
    }

    std::vector<ConfigFinding> take()
    {
        if (pendingLength_)
            nameField(*pendingLength_);
        pendingLength_.reset();
        return std::move(out_);
    }

private:
    void nameField(const FieldDifference& d)
    {
        const std::string_view name = d.name;
        for (const bool standby : {false, true}) {
            const std::string_view table = standby ? "StandbyChannels[Number=" : "ActiveChannels[Number=";
            if (name.substr(0, table.size()) == table) {
                addChannel(d, standby, name.substr(table.size()));
                return;
            }
        }
        addSetting(d, name.substr(std::string_view("Settings.").size()));
    }

    void addChannel(const FieldDifference& d, bool standby, std::string_view rest)
    {
        const auto close = rest.find(']');
        const int number = std::atoi(std::string(rest.substr(0, close)).c_str());
        const std::string_view member = close + 2 <= rest.size() ? rest.substr(close + 2) : std::string_view();
        const Int16 mode = standby ? otherMode() : sent_.image().ChannelMode;
        ConfigFinding f;
        f.level = FindingLevel::Information;
        f.area = FindingArea::Channel;
        f.standby = standby;
        f.number = number;
        const GroupPosition pos = groupOfChannel(number, mode);
        f.group = pos.group;
        f.numberInGroup = pos.numberInGroup;
        if (member.empty()) {
            f.field = FieldRxFrequency;
            f.messageId = d.a == "(none)" ? kTextChannelOnlyInRadio : kTextChannelOnlyInDocument;
            out_.push_back(std::move(f));
            return;
        }
        std::string a = d.a;
        std::string b = d.b;
        int caption = 0;
        if (member == "RxFrequency") {
            f.field = FieldRxFrequency;
            caption = kCaptionRxFrequency;
            a = frequencyText(a);
            b = frequencyText(b);
        } else if (member == "Offset" || member == "OffsetDirection") {
            f.field = FieldTransmit;
            caption = member == "Offset" ? kCaptionOffset : kCaptionOffsetDirection;
        } else if (member == "RxTone" || member == "TxTone") {
            f.field = member == "RxTone" ? FieldRxTone : FieldTxTone;
            caption = member == "RxTone" ? kCaptionRxTone : kCaptionTxTone;
            a = toneValue(a);
            b = toneValue(b);
        } else if (member.substr(0, 6) == "Option") {
            f.field = std::atoi(std::string(member.substr(6)).c_str());
            if (const auto option = channelOptionOfField(f.field))
                caption = channelOptionCaption(*option);
        }
        push(std::move(f), caption, std::string(member), a, b);
    }

    void addSetting(const FieldDifference& d, std::string_view name)
    {
        // The channels present or missing are named one by one.
        if (name == "ChannelCount" || name == "StandbyChannelCount")
            return;
        ConfigFinding f;
        f.level = FindingLevel::Information;
        f.area = FindingArea::OptionalFeatures;
        int caption = 0;
        // The channel table's own settings, kept among the optional features.
        const std::optional<int> common1 = indexAfter(name, "OptFeat.Common1");
        // Two emergency channels, then two AM/FM choices, per group.
        const auto emergency = [&common1](int base) {
            const int span = common1::EmergencyAmFmBase - common1::EmergencyChannelBase;
            return common1 && *common1 >= base && *common1 < base + span;
        };
        if (common1 && *common1 == common1::CurrentGroup) {
            f.area = FindingArea::ChannelTable;
            caption = kCaptionCurrentGroup;
        } else if (emergency(common1::EmergencyChannelBase)) {
            f.area = FindingArea::Group;
            f.group = (*common1 - common1::EmergencyChannelBase) / 2;
            caption = kCaptionEmergencyChannel + (*common1 - common1::EmergencyChannelBase) % 2;
        } else if (emergency(common1::EmergencyAmFmBase)) {
            f.area = FindingArea::Group;
            f.group = (*common1 - common1::EmergencyAmFmBase) / 2;
            caption = kCaptionEmergencyAmFm;
        } else if (auto group = indexAfter(name, "GroupNames")) {
            f.area = FindingArea::Group;
            f.group = *group;
            caption = kCaptionGroupName;
        } else if (auto standbyGroup = indexAfter(name, "StandbyGroupNames")) {
            f.area = FindingArea::Group;
            f.standby = true;
            f.group = *standbyGroup;
            caption = kCaptionGroupName;
        } else if (name.substr(0, 13) == "StandbySettin") {
            f.standby = true;
        } else if (name == "OptFeat.PowerOnText") {
            caption = kCaptionPowerOnText;
        } else if (auto message = indexAfter(name, "EmbeddedMessage")) {
            f.area = FindingArea::Messages;
            f.field = *message;
            caption = kCaptionEmbeddedMessage;
        } else if (auto tip = indexAfter(name, "ToneTips")) {
            f.area = FindingArea::ToneTips;
            f.group = *tip + 1;
            const auto value = indexAfter(name.substr(name.find('.') + 1), "Values");
            f.field = value.value_or(0);
            if (f.field < 2 * kToneTipNotes)
                caption = kCaptionFirstNote + f.field / 2;
            else
                caption = f.field == 2 * kToneTipNotes ? kCaptionRepeatCount : kCaptionToneTipInterval;
        } else if (name.substr(0, 12) == "DtmfSettings") {
            f.area = FindingArea::Dtmf;
            if (auto memory = indexAfter(name, "DtmfSettings.CodeMemories")) {
                caption = kCaptionCodeMemory;
                f.field = *memory + 1;
            } else if (name.find("IdCode") != std::string_view::npos) {
                caption = kCaptionIdCode;
            }
        } else if (name.substr(0, 7) == "OptFeat") {
            caption = optionCaption(name);
        }
        std::string a = isText(d.a) ? shownText(d.a) : d.a;
        std::string b = isText(d.b) ? shownText(d.b) : d.b;
        push(std::move(f), caption, std::string(name), a, b);
    }

    /// The caption of the optional-features list or box that stores the
    /// OptFeat field named, found by the field's address.
    int optionCaption(std::string_view name) const
    {
        OptFeat probe = sent_.image().OptFeat;
        const Int16* target = nullptr;
        if (auto i = indexAfter(name, "OptFeat.Common1"))
            target = *i < common1::Count ? &probe.Common1[static_cast<std::size_t>(*i)] : nullptr;
        else if (auto j = indexAfter(name, "OptFeat.Common2"))
            target = *j < common2::Count ? &probe.Common2[static_cast<std::size_t>(*j)] : nullptr;
        else if (name.substr(0, 22) == "OptFeat.CommonChannel.") {
            const std::string member(name.substr(22));
            if (member == "RxTone")
                target = &probe.decodeTone();
            else if (member == "TxTone")
                target = &probe.encodeTone();
            else if (member.rfind("Option", 0) == 0) {
                if (const auto option = channelOptionOfField(std::atoi(member.c_str() + 6)))
                    target = &probe.CommonChannel.option(*option);
            }
        }
        if (!target)
            return 0;
        for (const FeatureRule& rule : featureRules())
            if (&probe.feature(rule.feature) == target)
                return rule.captionId;
        return 0;
    }

    /// A field no caption names keeps its member name: better a technical
    /// name than a difference left out.
    void push(ConfigFinding f, int caption, const std::string& member, const std::string& a, const std::string& b)
    {
        f.messageId = kTextDifferentValue;
        const FindingArg what = caption != 0 ? FindingArg{TextId{caption}} : FindingArg{member};
        f.args = {what, a, b};
        out_.push_back(std::move(f));
    }

    std::string frequencyText(const std::string& json) const
    {
        const std::string shown = shownText(json);
        const std::string stored = shown.substr(1, shown.size() - 2);
        const std::string text = storedFrequencyToText(stored, band_).text;
        return text.empty() ? std::string("-") : text;
    }

    static std::string toneValue(const std::string& number)
    {
        const int index = std::atoi(number.c_str());
        const std::string text = toneText(index);
        return text.empty() ? number : text;
    }

    Int16 otherMode() const { return isExtendedMode(sent_.image().ChannelMode) ? Int16{0} : Int16{kExtendedMode}; }

    const Document& sent_;
    BandLimits band_;
    std::vector<ConfigFinding> out_;
    std::optional<FieldDifference> pendingLength_;
};

} // namespace

RadioComparison compareWithRadio(const Document& doc, const link::RadioMemory& radio)
{
    return compareMemories(doc, link::encodeDocument(doc), radio);
}

RadioComparison compareMemories(const Document& doc, const link::RadioMemory& expected, const link::RadioMemory& radio)
{
    RadioComparison result;
    // What a write sends: the radio's own identity bytes in their place.
    link::RadioMemory sent = expected;
    std::copy_n(radio.begin() + link::kHeaderAddress, link::kIdentityHeaderBytes, sent.begin() + link::kHeaderAddress);
    result.differingBlocks = link::differingBlocks(sent, radio);
    if (result.differingBlocks.empty())
        return result;

    // Decoded from both memories into copies of the document, the fields
    // the radio does not store come out the same on both sides.
    const Int16 mode = doc.image().ChannelMode;
    Document fromSent = doc;
    link::decodeDocument(sent, mode, fromSent);
    Document fromRadio = doc;
    link::decodeDocument(radio, mode, fromRadio);
    Namer namer(fromSent);
    for (const FieldDifference& d : diffImages(fromSent.working, fromRadio.working))
        namer.add(d);
    result.differences = namer.take();
    // In the order a user goes through them: the channels of the mode shown,
    // those of the other mode, then the groups and the radio-wide settings.
    const auto rank = [](const ConfigFinding& f) {
        switch (f.area) {
        case FindingArea::Channel: return f.standby ? 1 : 0;
        case FindingArea::Group: return 2;
        case FindingArea::OptionalFeatures: return 3;
        case FindingArea::Dtmf: return 4;
        case FindingArea::ToneTips: return 5;
        case FindingArea::Messages: return 6;
        case FindingArea::ChannelTable:
        case FindingArea::Memory: break;
        }
        return 7;
    };
    std::stable_sort(result.differences.begin(), result.differences.end(),
                     [&](const ConfigFinding& a, const ConfigFinding& b) { return rank(a) < rank(b); });
    if (result.differences.empty()) {
        // Bytes no field reads (padding, reserved places): still not what a
        // write would leave there, so the blocks are named.
        for (long block : result.differingBlocks) {
            ConfigFinding f;
            f.level = FindingLevel::Information;
            f.area = FindingArea::Memory;
            f.field = static_cast<int>(block);
            f.messageId = kTextDifferentBlock;
            char address[8];
            std::snprintf(address, sizeof address, "0x%04lX", static_cast<unsigned long>(block));
            f.args = {std::string(address)};
            result.differences.push_back(std::move(f));
        }
    }
    return result;
}

} // namespace zav
