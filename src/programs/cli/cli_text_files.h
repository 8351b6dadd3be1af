#pragma once

// Reading and writing the text files of the exchange commands (CSV, JSON):
// read whole with a size limit, written atomically like data files.

#include <QString>
#include <QTextStream>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zav::cli {

/// The bytes of a text file, or nothing after telling err why.
[[nodiscard]] std::optional<std::string> readTextFile(const QString& path, QTextStream& err);

/// Replaces path with text ("-": standard output); false after telling err.
bool writeTextFile(const QString& path, const std::string& text, QTextStream& err);

/// Replaces path with bytes ("-": standard output); false after telling err.
bool writeBinaryFile(const QString& path, const std::vector<std::uint8_t>& bytes, QTextStream& err);

} // namespace zav::cli
