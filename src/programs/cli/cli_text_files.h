#pragma once

// Reading and writing the files of the commands: text files (CSV, JSON)
// read whole with a size limit; every output written atomically like a data
// file, or to standard output for "-", and a refusal said with its reason.

#include "atomic_file.h"

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
/// Every file a command writes goes through here or saveDataFile.
bool writeBinaryFile(const QString& path, const std::vector<std::uint8_t>& bytes, QTextStream& err);

/// Tells err why path was not written ("out.dat: is read-only; ...").
void reportWriteProblem(QTextStream& err, const QString& path, const FileWriteResult& result);

} // namespace zav::cli
