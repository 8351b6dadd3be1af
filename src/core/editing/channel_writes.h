#pragma once

// The one write path of the channel editors. The channel table and the
// channel detail editor change channel records only through setChannelCell,
// which finds the record of a slot by channel number, creates it when a
// receive frequency is typed into an empty slot, removes it when the receive
// frequency is cleared, or stores one value by field id. Plain C++: the
// windows show the warning and redraw what the result tells them.

#include "band.h"
#include "document.h"
#include "radio_image.h"

#include <string>
#include <string_view>
#include <variant>

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
