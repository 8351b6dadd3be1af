#pragma once

// A look over a whole document before it goes to a radio. Files that come
// by e-mail or from a spreadsheet never passed through the editors, so
// values the editors would never store can reach a write: a frequency the
// radio's kHz field cannot hold is sent as an empty slot, a tone outside
// the list as no tone, and so on. The check says so first.
//
// Findings are plain records (where and what, with a text id and its
// arguments) so that the command line prints them and a window can list
// them and open the editor at the place. No Qt here.

#include "document.h"

#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace zav {

/// Captions of channel fields that both the check and the compare name: the
/// editors' own, and the names of fields no editor list shows.
inline constexpr int kCaptionRxTone = 15005;
inline constexpr int kCaptionTxTone = 15006;
inline constexpr int kCaptionOffsetDirection = 32667;
inline constexpr int kCaptionEmergencyAmFm = 32668;

enum class FindingLevel {
    Error,       ///< the radio would get something other than the document says
    Warning,     ///< probably a mistake
    Information, ///< worth a look
};

enum class FindingArea {
    Channel,          ///< one channel record (number, group, field)
    Group,            ///< a channel group: emergency channels, an empty group
    OptionalFeatures, ///< the radio-wide settings (field = the feature's FeatureRule::number)
    ChannelTable,     ///< the table as a whole: counts and record numbers
    Dtmf,             ///< the DTMF settings (field: code memory 1..16, 0 for the others)
    ToneTips,         ///< a tone tip (group: tip 1..8, field: value index)
    Messages,         ///< the embedded messages (field: message index)
    Memory,           ///< radio memory no field reads (field: block address)
};

/// Field numbers of findings that have no FieldId, option field id or
/// feature list number. (The transmit frequency and the offset direction
/// are FieldTransmit.)
inline constexpr int kFieldCheckBox = 100;         ///< optional features: + the check box's FeatureRule::number
inline constexpr int kFieldEmergencyChannel = 100; ///< groups: + slot (0, 1)
inline constexpr int kFieldEmergencyAmFm = 110;    ///< + slot (0, 1)
inline constexpr int kFieldCurrentGroup = 120;
inline constexpr int kFieldChannelCount = 130;
inline constexpr int kFieldNumber = 131;

/// An argument of a finding's text: literal text, or the id of a text
/// (a field's caption) to be looked up in the language in use.
struct TextId {
    int id = 0;
    bool operator==(const TextId&) const = default;
};
using FindingArg = std::variant<std::string, TextId>;

struct ConfigFinding {
    FindingLevel level = FindingLevel::Information;
    FindingArea area = FindingArea::Channel;
    bool standby = false;  ///< in the channel set of the other channel mode
    int number = 0;        ///< channel number (Channel), 0 otherwise
    int group = -1;        ///< group index (Channel, Group); -1 when none holds the channel
    int numberInGroup = 0; ///< in-group channel number (Channel)
    int field = 0;         ///< FieldId or optionFieldId (channels), FeatureRule::number of a list (optional features) or a kField value
    int messageId = 0;     ///< the text of what was found, with %1.. for args
    std::vector<FindingArg> args;

    bool operator==(const ConfigFinding&) const = default;
};

/// Every finding of the document's working image: the active and standby
/// channel sets, their groups and emergency channels, the optional
/// features. Ordered by area and table order; never throws on bad values.
[[nodiscard]] std::vector<ConfigFinding> checkConfiguration(const Document& doc);

[[nodiscard]] bool hasErrors(const std::vector<ConfigFinding>& findings);

/// Texts of a finding by a lookup of text ids (the language in use).
using TextLookup = std::function<std::string(int id)>;
/// "error", "warning", "information" in that language.
[[nodiscard]] std::string levelText(FindingLevel level, const TextLookup& text);
/// Where: "channel 3 (group 0, number 3)", "group 2", "optional features" ...
[[nodiscard]] std::string whereText(const ConfigFinding& finding, const TextLookup& text);
/// What: the message with its arguments put in.
[[nodiscard]] std::string messageText(const ConfigFinding& finding, const TextLookup& text);

/// The caption (a text id, 0 when none) by which the channel editors show
/// an option; an optional feature's is its featureRule's captionId.
[[nodiscard]] int channelOptionCaption(ChannelOption option);

} // namespace zav
