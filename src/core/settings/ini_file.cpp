#include "ini_file.h"

#include "atomic_file.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <string_view>
#include <vector>

namespace zav {
namespace {

std::string_view trim(std::string_view s)
{
    auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && (isSpace(s.back()) || s.back() == '\0'))
        s.remove_suffix(1);
    return s;
}

bool equalNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

/// "[name]" -> name, otherwise nothing.
bool sectionName(std::string_view line, std::string_view& name)
{
    line = trim(line);
    if (line.size() < 2 || line.front() != '[')
        return false;
    auto close = line.find(']');
    if (close == std::string_view::npos)
        return false;
    name = trim(line.substr(1, close - 1));
    return true;
}

bool keyOf(std::string_view line, std::string_view& key, std::string_view& value)
{
    auto eq = line.find('=');
    if (eq == std::string_view::npos)
        return false;
    std::string_view k = trim(line.substr(0, eq));
    if (k.empty() || k.front() == ';' || k.front() == '#')
        return false;
    key = k;
    value = trim(line.substr(eq + 1));
    return true;
}

/// Calls line(text) for every line of INI text: a UTF-8 byte-order mark is
/// not part of the first line, lines end with LF or CR LF, and a last line
/// without its end counts. Stops when line says so.
template <typename Line>
void forEachLine(std::string_view text, Line line)
{
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.remove_prefix(3);
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view one = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!one.empty() && one.back() == '\r')
            one.remove_suffix(1);
        if (!line(one))
            return;
    }
}

/// The whole file as it is; "" (and exists false) when it cannot be opened.
std::string fileText(const std::string& path, bool& exists)
{
    std::ifstream in(path, std::ios::binary);
    exists = static_cast<bool>(in);
    std::ostringstream text;
    if (exists)
        text << in.rdbuf();
    return std::move(text).str();
}

std::vector<std::string> readLines(const std::string& path, bool& exists)
{
    std::vector<std::string> lines;
    forEachLine(fileText(path, exists), [&](std::string_view line) {
        lines.emplace_back(line);
        return true;
    });
    return lines;
}

/// Visits the key=value lines of INI text in file order, with the section
/// each is in; stops when visit says so.
template <typename Visit>
void visitEntriesIn(std::string_view text, Visit visit)
{
    std::string_view section;
    forEachLine(text, [&](std::string_view line) {
        std::string_view name;
        if (sectionName(line, name)) {
            section = name;
            return true;
        }
        std::string_view k, v;
        return !keyOf(line, k, v) || visit(section, k, v);
    });
}

} // namespace

void forEachProfileEntry(const std::string& path,
                         const std::function<void(std::string_view, std::string_view, std::string_view)>& visit)
{
    bool exists = false;
    visitEntriesIn(fileText(path, exists), [&](std::string_view section, std::string_view key, std::string_view value) {
        visit(section, key, value);
        return true;
    });
}

bool sameSectionName(std::string_view a, std::string_view b) { return equalNoCase(a, b); }

std::vector<std::string> profileStringsIn(std::string_view text, std::string_view section,
                                          std::initializer_list<std::string_view> keys, std::size_t maxLength)
{
    std::vector<std::string> found(keys.size());
    std::vector<bool> done(keys.size(), false);
    std::size_t left = keys.size();
    visitEntriesIn(text, [&](std::string_view s, std::string_view k, std::string_view v) {
        if (!equalNoCase(s, section))
            return true;
        std::size_t i = 0;
        for (const std::string_view key : keys) {
            if (!done[i] && equalNoCase(k, key)) {
                found[i] = std::string(v.substr(0, std::min(v.size(), maxLength)));
                done[i] = true;
                --left;
            }
            ++i;
        }
        return left > 0;
    });
    return found;
}

std::string readProfileString(const std::string& path, const std::string& section, const std::string& key,
                              std::size_t maxLength)
{
    std::string found;
    bool done = false;
    forEachProfileEntry(path, [&](std::string_view s, std::string_view k, std::string_view v) {
        if (!done && equalNoCase(s, section) && equalNoCase(k, key)) {
            found = std::string(v.substr(0, std::min(v.size(), maxLength)));
            done = true;
        }
    });
    return found;
}

bool writeProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value)
{
    bool exists = false;
    auto lines = readLines(path, exists);
    const std::string entry = key + "=" + value;
    bool inSection = false;
    bool done = false;
    std::size_t sectionEnd = std::string::npos; // where to insert a missing key
    for (std::size_t i = 0; i < lines.size() && !done; ++i) {
        std::string_view name;
        if (sectionName(lines[i], name)) {
            if (inSection)
                break;
            inSection = equalNoCase(name, section);
            if (inSection)
                sectionEnd = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        std::string_view k, v;
        if (keyOf(lines[i], k, v) && equalNoCase(k, key)) {
            lines[i] = entry;
            done = true;
        } else if (!trim(lines[i]).empty()) {
            sectionEnd = i + 1;
        }
    }
    if (!done) {
        if (sectionEnd == std::string::npos) {
            if (!lines.empty() && !trim(lines.back()).empty())
                lines.emplace_back();
            lines.push_back("[" + section + "]");
            lines.push_back(entry);
        } else {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(sectionEnd), entry);
        }
    }
    std::ostringstream out;
    for (const auto& line : lines)
        out << line << "\r\n";
    const std::string text = out.str();
    // A file that already holds exactly this is left alone: every start
    // stores the port and language the file already has, and rewriting it
    // (with the flush to disk that makes the write safe) cost start-up time
    // for nothing.
    if (exists) {
        const auto current = readWholeFile(path, text.size());
        if (current && std::equal(current->begin(), current->end(), text.begin(), text.end()))
            return true;
    }
    return writeFileAtomically(path, std::vector<std::uint8_t>(text.begin(), text.end())).ok();
}

} // namespace zav
