#pragma once

// The check of a document before it goes to a radio, as the command line
// prints it: shared by check and by write, which refuses a file with errors.

#include "config_check.h"

#include <QTextStream>

namespace zav::cli {

/// One line per finding: "level: where: what", in English.
void printFindings(QTextStream& out, const std::vector<ConfigFinding>& findings);

} // namespace zav::cli
