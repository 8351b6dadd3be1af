#pragma once

// What the commands share: the installed layout of this executable, and
// opening a data file through exactly the checks of the Open command.

#include "document.h"
#include "session.h"

#include <QString>
#include <QTextStream>

namespace zav::cli {

/// Paths of the installed layout around this executable's own folder, so
/// the commands work from any working directory.
[[nodiscard]] AppPaths installedPaths();

/// The English texts of the installed layout.
[[nodiscard]] TextCatalog englishTexts(const AppPaths& paths);

/// Opens path into doc with the Open command's checks. When the file is
/// refused, writes the message text to err and returns false.
bool openDataFile(const QString& path, Document& doc, QTextStream& err);

/// Saves doc to path as the Save command does ("-": the file's bytes on
/// standard output). False after message 9002 on err.
bool saveDataFile(Document& doc, const QString& path, QTextStream& err);

/// Writes "zavprog-cli: <path>: <text of id>" to err.
void reportMessage(QTextStream& err, const QString& path, const TextCatalog& texts, int id);

} // namespace zav::cli
