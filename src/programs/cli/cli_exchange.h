#pragma once

// What the exchange commands (export-csv, export-json, import-csv,
// import-json) have in common: a data file turned into a text file, and a
// text file read into a document that is saved only when nothing in it was
// refused.

#include "document.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <string>
#include <vector>

namespace zav::cli {

/// An export command: its name, help sentence, what its -o file is, and
/// the conversion of the document.
struct ExportCommand {
    const char* name;
    const char* summary;
    const char* outputHelp;
    std::function<std::string(const Document&)> convert;
};

/// FILE.dat -o OUTPUT: opens the data file and writes what convert makes of
/// it. The exit status.
int runExport(const QStringList& args, const ExportCommand& command);

/// What an import refused: one message per problem, and the closing words
/// after "zavprog-cli: SOURCE: " ("2 rows refused").
struct Refusals {
    std::vector<std::string> messages;
    QString summary;
};

/// Reads source and hands its text to import, which fills doc and tells
/// what it refused. Refusals are listed as "SOURCE: message" and then
/// "zavprog-cli: SOURCE: <summary>; nothing written" with exit 1; otherwise
/// doc is saved to output. The exit status.
int importAndSave(const QString& source, Document& doc, const QString& output, QTextStream& err,
                  const std::function<Refusals(const std::string& text)>& import);

} // namespace zav::cli
