#pragma once

// The one write path of every channel edit. The channel table and the
// channel detail editor change channel records only through setChannelCell,
// which finds the record of a slot by channel number, creates it when a
// receive frequency is typed into an empty slot, removes it when the receive
// frequency is cleared, or stores one value by field id. Imports and pastes
// write whole rows through writeChannelRow and replaceChannelTable, which
// apply the same rules (frequenciesTypable, receiveTypable, an empty slot
// becomes a channel only by a receive frequency, the last channel stays).
// Plain C++: the windows show the warning and redraw what the result tells
// them.

#include "band.h"
#include "document.h"
#include "radio_image.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zav {

/// A cell value: text for the frequency and name fields (ids 1..3), an
/// integer (list index, check state) for every other field.
using CellValue = std::variant<std::string, int>;

/// Run state a write needs beyond the document.
struct ChannelWriteEnv {
    bool showTxAsOffset = true; ///< the transmit column holds a signed offset
    int editGroup = 0;          ///< group whose emergency channels are rechecked
};

/// What a write did, so that the windows can warn and redraw.
struct CellWriteResult {
    int number = 0;                  ///< channel number of the slot (0: no such slot)
    bool warned = false;             ///< the typed frequency was replaced by a band limit (text 9021)
    bool stored = false;             ///< a record was created, removed or changed
    bool created = false;
    bool removed = false;
    bool emergencyRechecked = false; ///< emergency channels were rechecked: tables refill their lists
};

/// Stores value into field id of the channel in slot (group, row) of the
/// active table, with every rule of the channel editors.
CellWriteResult setChannelCell(Document& doc, const ChannelWriteEnv& env, int group, int row, int fieldId,
                               const CellValue& value);

/// Stores one value into one record member by field id. Returns true when
/// the record changed.
bool setChannelField(ChannelRecord& record, int fieldId, const CellValue& value, const BandLimits& band,
                     bool showTxAsOffset);

/// Adds a record at the end of the active (or standby) table: Number,
/// the receive frequency, no offset, 0 everywhere else. False when the table
/// is full.
bool appendChannel(Document& doc, int number, std::string_view receiveText, bool standby, const BandLimits& band);

/// Removes the used active record at index; later records move down.
void removeChannelAt(Document& doc, int index);

/// Emergency channels of editGroup whose slot holds no channel become 0.
/// Returns true when one changed.
bool recheckEmergencyChannels(Document& doc, int editGroup);

/// An emergency channel that was cleared because its slot held no channel.
struct EmergencyReset {
    int group = 0;
    int slot = 0; ///< 0 or 1
    int row = 0;  ///< the in-group row it pointed at
    bool operator==(const EmergencyReset&) const = default;
};

/// recheckEmergencyChannels for every group of the mode; what was cleared.
std::vector<EmergencyReset> recheckAllEmergencyChannels(Document& doc);

/// Whether typing can change frequencies at all: country channels keep the
/// frequencies of their national plan.
[[nodiscard]] bool frequenciesTypable(Int16 mode);
/// Whether an existing channel takes a new receive frequency when one is
/// typed over it (only the channels above 400; the others keep theirs).
[[nodiscard]] bool receiveTypable(int number);

/// Why the table refuses a whole channel written into its slot (a pasted
/// row, a row of a country-mode import).
enum class RowRefusal {
    None,
    CountryReceiveFixed, ///< country mode: another receive frequency
    CountryOffsetFixed,  ///< country mode: another offset
    CountryNoNewChannel, ///< country mode: the slot is empty
    ReceiveFixed,        ///< another receive frequency for a channel that keeps its own
    TableFull,           ///< a new channel, and every slot is taken
    NotAChannel,         ///< the number is outside 1..521
};

/// Checks wanted against the slot of its number by the rules of typing:
/// in country mode only the columns other than the frequencies and the
/// offset of an existing channel may change; in extended mode a channel
/// that keeps its receive frequency (receiveTypable) keeps it, and an empty
/// slot takes a new channel as typing its receive frequency does.
/// Frequencies count as the same when the table would show the same text.
[[nodiscard]] RowRefusal checkChannelRow(const Document& doc, const ChannelRecord& wanted);

/// Stores wanted into the slot of its number when checkChannelRow allows
/// it: over the channel there, keeping that channel's stored frequency
/// bytes when the shown frequencies are the same, or as a new channel at
/// the table's end (the emergency channels of its group are rechecked then,
/// what they lose added to resets).
RowRefusal writeChannelRow(Document& doc, const ChannelRecord& wanted, std::vector<EmergencyReset>& resets);

/// Replaces the whole active table by rows, as clearing it and typing each
/// row would: extended mode only (country channels are fixed), at least one
/// row (the table's last channel stays), numbers 1..521 and distinct. A
/// channel whose shown frequencies stay keeps its stored bytes. Every
/// group's emergency channels are rechecked, what they lose added to
/// resets. False, and nothing changed, when a rule refuses it.
bool replaceChannelTable(Document& doc, std::vector<ChannelRecord> rows, std::vector<EmergencyReset>& resets);

/// Recomputes RxStepClass and TxStepClass from the receive frequency and
/// offset, putting the receive frequency on the class's raster.
void recomputeStepClasses(ChannelRecord& record, const BandLimits& band);

/// Raster class of a frequency d counts of 10 Hz above the band's lower
/// limit: 0 = 5 kHz, 1 = 6.25 kHz, 2 = 8.33 kHz. adjustment (10 Hz counts)
/// is what moves the frequency onto that raster.
struct StepClass {
    int stepClass = 0;
    long long adjustment = 0;
};
[[nodiscard]] StepClass stepClassOf(long long d);

/// Band limits of the document's band.
[[nodiscard]] BandLimits documentBand(const Document& doc);

/// Emergency channel s (0..1) of group g (0..11): the in-group row, 0 = none.
/// nullptr outside those ranges.
[[nodiscard]] Int16* emergencyChannel(RadioImage& image, int g, int s);
/// Modulation of that emergency channel: 0 = AM, 1 = FM.
[[nodiscard]] Int16* emergencyAmFm(RadioImage& image, int g, int s);

/// A typed frequency as the editors commit it: "" stays "", a numeric text
/// is formatted "#0.00000", anything else is passed on unchanged (the write
/// path then warns and uses the band limit).
[[nodiscard]] std::string formatEntry(std::string_view text);

/// Column texts of a record: the receive frequency and the transmit column
/// (signed offset while showTxAsOffset, else the transmit frequency).
struct ChannelFrequencyTexts {
    std::string receive;
    std::string transmit;
    bool notNumeric = false; ///< the stored receive frequency is not a number ("Not IsNumeric")
};
[[nodiscard]] ChannelFrequencyTexts frequencyTexts(const ChannelRecord& record, const BandLimits& band,
                                                   bool showTxAsOffset);

/// A group name as typed into the name box, as stored: cut at NUL, trailing
/// spaces dropped, one NUL added when shorter than 3, then space-padded.
void storeGroupName(FixedText<3>& name, std::string_view typed);

} // namespace zav
