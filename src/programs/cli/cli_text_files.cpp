#include "cli_text_files.h"

#include "atomic_file.h"

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
    if (!writeFileAtomically(path.toStdString(), std::vector<std::uint8_t>(text.begin(), text.end()))) {
        err << "zavprog-cli: " << path << ": cannot be written\n";
        return false;
    }
    return true;
}

} // namespace zav::cli
