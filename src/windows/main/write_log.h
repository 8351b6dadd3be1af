#pragma once

// The desktop's lines in the programming log: one for every write, from
// the main window's single write and from every radio of a fleet write.

#include "programming_log.h"
#include "packets.h"

#include <QString>

namespace zav {

/// Hex SHA-256 of the document as its data file would be saved.
[[nodiscard]] std::string configurationHash(const Document& doc);

/// A log line for a write of doc to port. identity: what the radio
/// reported during this write, nullptr when it never answered.
[[nodiscard]] ProgrammingLogEntry writeLogEntry(const QString& port, const link::RadioIdentity* identity,
                                                const Document& doc, const std::string& hash,
                                                const std::string& result);

} // namespace zav
