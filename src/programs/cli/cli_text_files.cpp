#include "cli_text_files.h"

#include "atomic_file.h"
#include "cli_command_line.h"

#include <cstdio>

#include <cstdint>
#include <vector>

namespace zav::cli {
namespace {

// Far above any channel table or configuration; a bigger file is not one.
constexpr std::size_t kLargestTextFile = 16 * 1024 * 1024;

} // namespace

std::optional<std::string> readTextFile(const QString& path, QTextStream& err)
{
    const auto bytes = readWholeFile(path.toStdString(), kLargestTextFile);
    if (!bytes) {
        err << "zavprog-cli: " << path << ": cannot be read\n";
        return std::nullopt;
    }
    return std::string(bytes->begin(), bytes->end());
}

bool writeTextFile(const QString& path, const std::string& text, QTextStream& err)
{
    return writeBinaryFile(path, std::vector<std::uint8_t>(text.begin(), text.end()), err);
}

bool writeBinaryFile(const QString& path, const std::vector<std::uint8_t>& bytes, QTextStream& err)
{
    if (isStandardOutput(path)) {
        // Byte for byte, as the file would hold them (no text conversion).
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0;
        if (!written)
            err << "zavprog-cli: standard output cannot be written\n";
        return written;
    }
    const FileWriteResult written = writeFileAtomically(path.toStdString(), bytes);
    if (!written)
        reportWriteProblem(err, path, written);
    return written.ok();
}

void reportWriteProblem(QTextStream& err, const QString& path, const FileWriteResult& result)
{
    err << "zavprog-cli: " << path << ": " << QString::fromStdString(fileWriteProblemText(result))
        << "; nothing was written\n";
    err.flush();
}

} // namespace zav::cli
