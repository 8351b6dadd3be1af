#pragma once

// The channel table of a document as a CSV file: one row per channel of the
// current mode's table, in channel order, with stable English column names.
// Reading replaces that table as a whole, after every row has passed the
// checks the channel editors apply to typed values; one bad row and nothing
// changes.

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
/// column and why.
struct CsvProblem {
    int row = 0;
    std::string column;
    std::string reason;

    /// "row 3, column "receive MHz": <reason>"
    [[nodiscard]] std::string message() const;
};

struct CsvImportResult {
    std::vector<CsvProblem> problems; ///< at most one per row; empty when imported
    int channels = 0;                 ///< channels in the table after the import

    [[nodiscard]] bool ok() const { return problems.empty(); }
};

/// Replaces doc's active channel table with the rows of text. Columns are
/// found by name (letter case aside) in any order; unknown columns are
/// ignored. A column that is absent keeps the value the channel of that
/// number had, or a new channel's value. Nothing of doc changes unless every
/// row passed.
CsvImportResult importChannelsCsv(Document& doc, std::string_view text);

} // namespace zav
