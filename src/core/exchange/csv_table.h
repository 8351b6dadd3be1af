#pragma once

// Comma-separated text as spreadsheets write it: quoted fields with doubled
// quotes inside, line breaks inside quotes, CRLF or LF line ends. Reading is
// forgiving about what spreadsheets vary (a UTF-8 byte-order mark, ";" as
// the separator) and strict about quoting: a field whose quotes are broken
// is reported, with its record and field, instead of guessed at.

#include <string>
#include <string_view>
#include <vector>

namespace zav {

/// A quoted field that does not close, or text after its closing quote.
struct CsvFault {
    int column = 0; ///< 1-based field of the record
    std::string reason;
    int textId = 0; ///< the same reason as a text of the language files
};

struct CsvRecord {
    int number = 0; ///< 1-based record number in the file (the header is record 1)
    std::vector<std::string> fields;
    std::vector<CsvFault> faults; ///< empty when the record read cleanly
};

struct CsvTable {
    char separator = ',';
    std::vector<CsvRecord> records;
};

/// Reads every record of text. The separator is "," unless the first record
/// holds more ";" or more tabs than "," outside quotes. Lines that hold nothing at all
/// are skipped but still counted.
[[nodiscard]] CsvTable readCsv(std::string_view text);

/// One field as written: quoted when it holds the separator, a quote, a
/// line break or leading/trailing spaces.
[[nodiscard]] std::string csvField(std::string_view value, char separator = ',');

/// One record with CRLF at its end, as the format prescribes.
[[nodiscard]] std::string csvRecord(const std::vector<std::string>& fields, char separator = ',');

} // namespace zav
