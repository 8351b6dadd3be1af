#pragma once

// The check of a document before it goes to a radio, as the command line
// prints it: shared by check and by write, which refuses a file with errors.

#include "config_check.h"

#include <QJsonArray>
#include <QTextStream>

namespace zav::cli {

/// One line per finding: "level: where: what", in English.
void printFindings(QTextStream& out, const std::vector<ConfigFinding>& findings);
/// The findings as JSON objects (level, area, table, place, texts), in English.
[[nodiscard]] QJsonArray findingsToJson(const std::vector<ConfigFinding>& findings);
/// Looks up texts in the installed English language file.
[[nodiscard]] TextLookup englishLookup();

} // namespace zav::cli
