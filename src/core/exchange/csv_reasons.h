#pragma once

// Why a row or a value of the channel exchange was refused, as data: the id
// of a text of the language files and the text's arguments. The desktop
// shows the text in the language in use; the command line and the tests
// read the English words kept here, which the English language file holds
// too (a test compares them).

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zav {

namespace csvreason {
inline constexpr int QuoteNotClosed = 33100;
inline constexpr int TextAfterQuote = 33101;
inline constexpr int StrayQuote = 33102;
inline constexpr int NotAGroup = 33103;              ///< %1 cell, %2 last group
inline constexpr int NotAPosition = 33104;           ///< %1 cell, %2 group, %3 group size
inline constexpr int NumberAgainstPosition = 33105;  ///< %1 cell, %2 position, %3 group, %4 number
inline constexpr int NotAChannelNumber = 33106;      ///< %1 cell
inline constexpr int NoReceiveFrequency = 33107;
inline constexpr int NotAFrequency = 33108;          ///< %1 cell
inline constexpr int OutsideBand = 33109;            ///< %1 cell, %2 low, %3 high
inline constexpr int FinerThan10Hz = 33110;          ///< %1 cell
inline constexpr int OffRaster = 33111;              ///< %1 cell, %2 nearest
inline constexpr int NotAnOffset = 33112;            ///< %1 cell
inline constexpr int OffsetTooLarge = 33113;         ///< %1 cell
inline constexpr int NotATone = 33114;               ///< %1 cell
inline constexpr int NotAChoice = 33115;             ///< %1 cell, %2 the choices
inline constexpr int NotOffered = 33116;             ///< %1 entry
inline constexpr int NeedsReceiveTone = 33117;       ///< %1 entry
inline constexpr int NeedsTransmitTone = 33118;      ///< %1 entry
inline constexpr int NoHeader = 33119;
inline constexpr int NoPlaceColumns = 33120;
inline constexpr int ColumnNeeded = 33121;
inline constexpr int DuplicateChannel = 33122;       ///< %1 number, %2 earlier row
inline constexpr int NoChannel = 33123;
inline constexpr int PastGroupEnd = 33124;           ///< %1 position, %2 group, %3 group size
inline constexpr int PastGroupEndMany = 33125;       ///< as PastGroupEnd, %4 rows after it
inline constexpr int CountryReceiveFixed = 33126;    ///< %1 the channel's receive frequency
inline constexpr int CountryOffsetFixed = 33127;     ///< %1 the channel's offset
inline constexpr int CountryNoNewChannel = 33128;    ///< %1 number
inline constexpr int ReceiveFixed = 33129;           ///< %1 number, %2 its receive frequency
inline constexpr int TableFull = 33130;              ///< %1 number
inline constexpr int EmergencyCleared = 33131;       ///< %1 which (1, 2), %2 group, %3 in-group row
} // namespace csvreason

/// A reason: text id and arguments.
struct CsvReason {
    int textId = 0;
    std::vector<std::string> args;
};

/// Every reason id with its English words ("%1".."%4" for the arguments).
[[nodiscard]] const std::vector<std::pair<int, const char*>>& csvReasonTexts();

/// text with %1..%9 replaced by args, each once from left to right.
[[nodiscard]] std::string fillArguments(std::string_view text, const std::vector<std::string>& args);

/// The reason in English.
[[nodiscard]] std::string englishReason(const CsvReason& reason);

/// The reason in the language of lookup; English when lookup has no text
/// for the id.
[[nodiscard]] std::string reasonIn(const CsvReason& reason, const std::function<std::string(int id)>& lookup);

} // namespace zav
