#pragma once

// The desktop's lines in the programming log: one for every radio a write
// was meant for, from the main window's single write and from every radio
// of a fleet write, written or not.

#include "programming_log.h"
#include "programming_log_words.h"
#include "packets.h"

#include <QString>

namespace zav {

/// What a radio was sent, as its log line names it: the data file (marked
/// when the document had unsaved changes) and the hex SHA-256 of the
/// document as its data file would be saved. Taken when the write starts,
/// from the document that radio gets.
struct WrittenDocument {
    std::string fileName;
    std::string sha256;
};
[[nodiscard]] WrittenDocument describeWritten(const Document& doc);

/// A log line for a write to port. identity: what the radio reported
/// during this write, nullptr when it never answered.
[[nodiscard]] ProgrammingLogEntry writeLogEntry(const QString& port, const link::RadioIdentity* identity,
                                                const WrittenDocument& written, const std::string& result);

/// "The programming log %1 cannot be written." (%1 the log file)
inline constexpr int kTextLogFailed = 32853;

/// Text ids of why a write to a radio failed: the programming log's
/// reasons, so that a fleet row, the desktop's message and the log line
/// name the same.
inline constexpr int kTextFleetPortFailed = logword::PortFailed;
inline constexpr int kTextFleetNoAnswer = logword::NoAnswer;
inline constexpr int kTextFleetOtherBand = logword::OtherBand;
inline constexpr int kTextFleetBandRefused = logword::BandRefused;
inline constexpr int kTextFleetWrongModel = logword::WrongModel;     ///< %1 the radio's model
inline constexpr int kTextFleetPassword = logword::PasswordRefused;
inline constexpr int kTextFleetMismatch = logword::BlocksDiffer;     ///< %1 blocks
inline constexpr int kTextFleetOtherVersion = logword::OtherVersion; ///< %1 the radio's version
inline constexpr int kTextFleetStopped = logword::StoppedByUser;

} // namespace zav
