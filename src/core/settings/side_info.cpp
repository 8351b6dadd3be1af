#include "side_info.h"

#include "atomic_file.h"

#include <filesystem>
#include <string_view>
#include <vector>

namespace zav {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kDeviceKey = "device";
constexpr std::string_view kDocumentKey = "document";
/// Far beyond two paths; a larger file is not one of ours.
constexpr std::size_t kMaxSideFileBytes = 64 * 1024;

/// A path may hold any byte but NUL, a line break too: backslash, CR and LF
/// are escaped so that every value stays on its line.
void appendEscaped(std::string& out, std::string_view value)
{
    for (char c : value) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
}

std::string unescaped(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const char next = value[++i];
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return out;
}

void appendLine(std::string& out, std::string_view key, const std::string& value)
{
    if (value.empty())
        return;
    out.append(key);
    out += '=';
    appendEscaped(out, value);
    out += '\n';
}

} // namespace

std::string sideInfoPath(const std::string& dataPath) { return dataPath + ".info"; }

bool writeSideInfo(const std::string& dataPath, const SideInfo& info)
{
    if (info.empty()) {
        std::error_code ec;
        fs::remove(sideInfoPath(dataPath), ec);
        return !ec;
    }
    std::string text;
    appendLine(text, kDeviceKey, info.device);
    appendLine(text, kDocumentKey, info.document);
    return writeFileAtomically(sideInfoPath(dataPath), std::vector<std::uint8_t>(text.begin(), text.end())).ok();
}

SideInfo readSideInfo(const std::string& dataPath)
{
    SideInfo info;
    const auto bytes = readWholeFile(sideInfoPath(dataPath), kMaxSideFileBytes);
    if (!bytes)
        return info;
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view key = line.substr(0, equals);
        const std::string value = unescaped(line.substr(equals + 1));
        if (key == kDeviceKey)
            info.device = value;
        else if (key == kDocumentKey)
            info.document = value;
    }
    return info;
}

bool removeWithSideInfo(const std::string& dataPath)
{
    std::error_code ec;
    fs::remove(sideInfoPath(dataPath), ec);
    fs::remove(dataPath, ec);
    return !ec && !fs::exists(dataPath, ec);
}

} // namespace zav
