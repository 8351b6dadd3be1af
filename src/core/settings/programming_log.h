#pragma once

// The programming log: one CSV line for every write to a radio, from the
// desktop program and the command line alike, so a dealer can tell later
// which radio got which configuration. Lines are only ever appended; a
// header row is written when the file is created.

#include "atomic_file.h"
#include "document.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace zav {

/// One write to one radio.
struct ProgrammingLogEntry {
    std::time_t when = 0;  ///< local time of the end of the write
    std::string port;      ///< device as the user named it
    std::string model;     ///< the radio's identity ("" when it never answered)
    std::string band;      ///< band byte as a number ("" when unknown)
    std::string version;
    std::string fileName;  ///< logFileName(): the data file written ("" for an untitled document)
    std::string sha256;    ///< hex SHA-256 of what the radio was sent, as a data file
    std::string result;    ///< logResult...()
    std::string job = "write"; ///< logJob...(): write, compare or clone
    std::string powerOnText;   ///< the power-on text this radio got, UTF-8 ("" when the document's own)
};

inline constexpr const char* kLogJobWrite = "write";
inline constexpr const char* kLogJobCompare = "compare";
inline constexpr const char* kLogJobClone = "clone";

inline constexpr const char* kProgrammingLogName = "programming-log.csv";

/// $XDG_DATA_HOME/zavprog/programming-log.csv ("" when there is no data folder).
[[nodiscard]] std::string programmingLogPath();

/// The column names of the header row. Columns added later come last, so a
/// log begun by an older program keeps its header and takes the new lines
/// with their extra columns at the end (readProgrammingLog reads both).
[[nodiscard]] const std::vector<std::string>& programmingLogHeader();

/// "written", "verified", "failed: <reason>" (the write ran and did not
/// take), "not written: <reason>" (nothing was sent: declined, or refused
/// by the check).
[[nodiscard]] std::string logResultWritten(bool verified);
[[nodiscard]] std::string logResultFailed(const std::string& reason);
[[nodiscard]] std::string logResultNotWritten(const std::string& reason);
/// The result of a compare: "same", or "different: N differences".
[[nodiscard]] std::string logResultCompared(std::size_t differences);

/// The file column: the data file's name, and when the document written
/// had changes not saved to it, " (unsaved changes)" after the name (or
/// alone for a document never saved), since the SHA-256 is then of what
/// the radio got and not of that file.
[[nodiscard]] std::string logFileName(const std::string& name, bool unsavedChanges);

/// "2026-12-10 13:26:05" in local time.
[[nodiscard]] std::string logTimeText(std::time_t when);

/// Appends one line (and the header first when the file is new or empty),
/// making the folder when missing, through the one append routine: a
/// folder, device, pipe or read-only file is refused, and a line that does
/// not fit is taken back whole. Lines already in the file are never touched.
FileWriteResult appendProgrammingLog(const std::string& path, const ProgrammingLogEntry& entry);

/// The lines of a log without its header row; a file that is missing or
/// unreadable gives none. The first line is the header when it is this
/// program's header or an older one (a leading part of it); short lines are
/// padded to the header's columns.
[[nodiscard]] std::vector<std::vector<std::string>> readProgrammingLog(const std::string& path);

/// The bytes a save of the document would write (what the log's SHA-256
/// is taken of); the document is not changed.
[[nodiscard]] std::vector<std::uint8_t> dataFileBytes(const Document& doc);

} // namespace zav
