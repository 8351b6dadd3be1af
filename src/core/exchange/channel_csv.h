#pragma once

// The channel table of a document as a CSV file: one row per channel of the
// current mode's table, in channel order, with stable English column names.
// Every row is checked as the channel editors check a typed value and then
// goes through the table's one write path, so an import or a paste obeys
// the table's rules: in extended mode an import replaces the table (as
// clearing it and typing each row would) or, when asked, types each row
// over the channel of its number; in country mode, where channels and their
// frequencies are fixed, it changes only the other columns of the channels
// the table holds. One bad row and nothing changes, unless the
// caller asks to keep the valid rows.

#include "channel_writes.h"
#include "csv_reasons.h"
#include "document.h"

#include <string>
#include <string_view>
#include <vector>

namespace zav {

/// Column headers of the main columns; the option columns follow them.
namespace csvcolumn {
inline constexpr const char* Group = "group";
inline constexpr const char* GroupName = "group name";
inline constexpr const char* Position = "position in group";
inline constexpr const char* Number = "channel number";
inline constexpr const char* Receive = "receive MHz";
inline constexpr const char* Offset = "offset MHz";
inline constexpr const char* RxTone = "receive tone";
inline constexpr const char* TxTone = "transmit tone";
} // namespace csvcolumn

/// Every column header in the order they are written.
[[nodiscard]] std::vector<std::string> channelCsvHeader();

/// The channels of doc's active table (the current mode's) as CSV: UTF-8,
/// a header row, CRLF line ends.
[[nodiscard]] std::string exportChannelsCsv(const Document& doc);

/// A refused row: its record number in the file (the header is row 1), the
/// column and why: in English (reason), and as a text id with arguments for
/// a caller that speaks another language.
struct CsvProblem {
    int row = 0;
    std::string column;
    std::string reason;
    CsvReason why;

    /// "row 3, column "receive MHz": <reason>"
    [[nodiscard]] std::string message() const;
};

struct CsvImportResult {
    std::vector<CsvProblem> problems; ///< every problem of every refused row, in row order; empty when imported
    int channels = 0;                 ///< channels in the table after the import
    int stored = 0;                   ///< rows stored (0 when nothing changed)
    /// Emergency channels cleared because their slot now holds no channel
    /// (also those that pointed at an empty slot before): a caller says so.
    std::vector<EmergencyReset> emergencyResets;

    [[nodiscard]] bool ok() const { return problems.empty(); }
    /// How many rows were refused (a row may have several problems).
    [[nodiscard]] int refusedRows() const;
};

/// What becomes of the rows that passed when others were refused.
enum class RefusedRows {
    ChangeNothing, ///< one refused row and nothing changes
    SkipThem,      ///< the rows that passed are stored, the refused ones left out
};

/// What an import does to the channels the file does not name.
enum class ImportScope {
    ReplaceTable,   ///< extended mode: the file is the whole table, as clearing it and typing each row
    ChannelsInFile, ///< each row goes over the channel of its number; the others stay
};

/// Reads the rows of text into doc's active channel table: in extended
/// mode they replace the table (or, with ChannelsInFile, go over the
/// channels of their numbers as typing would), in country mode each row
/// goes over the channel of its number whatever scope says, since a
/// country table is never replaced. Columns are found by name (letter case aside) in
/// any order; unknown columns are ignored. A column that is absent keeps the
/// value the channel of that number had, or a new channel's value. With ";"
/// as the separator a decimal comma counts as a decimal point. Channels no
/// group of the mode reaches are placed by their number (empty group
/// columns). By default nothing of doc changes unless every row passed.
CsvImportResult importChannelsCsv(Document& doc, std::string_view text,
                                  RefusedRows refused = RefusedRows::ChangeNothing,
                                  ImportScope scope = ImportScope::ReplaceTable);

/// The channels of the given numbers (those doc's active table holds) as
/// the clipboard carries them to a spreadsheet: the CSV's columns separated
/// by tabs, a header row first, CRLF line ends.
[[nodiscard]] std::string copyChannelsText(const Document& doc, const std::vector<int>& numbers);

/// Writes clipboard rows (copyChannelsText's, or a spreadsheet's cells with
/// or without the header row; tabs, commas or semicolons) into group of the
/// active table: the first row into position firstPosition, each next row
/// into the next position, whatever group, position or number the rows
/// name. Every row is checked as importChannelsCsv checks it and written
/// as typing into that slot would be; a row past the group's end is
/// refused. Channels in other positions stay.
CsvImportResult pasteChannelsText(Document& doc, std::string_view text, int group, int firstPosition,
                                  RefusedRows refused = RefusedRows::ChangeNothing);

/// What an emergency reset means, in English (or, with lookup, in the
/// language in use).
[[nodiscard]] CsvReason emergencyResetReason(const EmergencyReset& reset);

} // namespace zav
