#pragma once

// Reading and writing the text files of the exchange commands (CSV, JSON):
// read whole with a size limit, written atomically like data files.

#include <QString>
#include <QTextStream>

#include <optional>
#include <string>

namespace zav::cli {

/// The bytes of a text file, or nothing after telling err why.
[[nodiscard]] std::optional<std::string> readTextFile(const QString& path, QTextStream& err);

/// Replaces path with text; false after telling err.
bool writeTextFile(const QString& path, const std::string& text, QTextStream& err);

} // namespace zav::cli
