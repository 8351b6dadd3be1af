#include "text_cache.h"

#include "text_catalog.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <string_view>

namespace zav::ui {
namespace {

constexpr std::size_t kMaxTextLength = 254;

// The reading rules of the program's INI files: spaces, tabs and line ends
// trimmed on both sides, NULs at the end dropped.
std::string_view Trim(std::string_view s)
{
    auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && (isSpace(s.back()) || s.back() == '\0'))
        s.remove_suffix(1);
    return s;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// A key that names a text id: its decimal form exactly ("9006", not "09006").
bool TextId(std::string_view key, int& id)
{
    if (key.empty() || key.size() > 9 || (key.size() > 1 && key.front() == '0'))
        return false;
    int value = 0;
    for (char c : key) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    id = value;
    return true;
}

} // namespace

void TextCache::Load(const std::string& path)
{
    texts_.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return;
    std::string section;
    bool inSection = false;
    bool first = true;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (first && line.rfind("\xEF\xBB\xBF", 0) == 0)
            line.erase(0, 3);
        first = false;

        const std::string_view trimmed = Trim(line);
        if (trimmed.size() >= 2 && trimmed.front() == '[') {
            const auto close = trimmed.find(']');
            if (close != std::string_view::npos) {
                section = std::string(Trim(trimmed.substr(1, close - 1)));
                inSection = true;
                continue;
            }
        }
        if (!inSection)
            continue;
        const std::string_view whole(line);
        const auto eq = whole.find('=');
        if (eq == std::string_view::npos)
            continue;
        const std::string_view key = Trim(whole.substr(0, eq));
        int id = 0;
        if (!TextId(key, id) || !EqualNoCase(section, SectionForTextId(id)))
            continue;
        const std::string_view value = Trim(whole.substr(eq + 1));
        // The first entry of a key counts, as for a single lookup.
        texts_.try_emplace(id, value.substr(0, std::min(value.size(), kMaxTextLength)));
    }
}

std::string TextCache::lookup(const std::string& path, int id)
{
    if (path.empty())
        return {};
    Stamp stamp;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        stamp.size = static_cast<long long>(st.st_size);
        stamp.mtimeNs = static_cast<long long>(st.st_mtim.tv_sec) * 1'000'000'000LL + st.st_mtim.tv_nsec;
        stamp.inode = static_cast<unsigned long long>(st.st_ino);
    }
    if (!valid_ || path != path_ || !(stamp == stamp_)) {
        path_ = path;
        stamp_ = stamp;
        valid_ = true;
        Load(path);
    }
    const auto it = texts_.find(id);
    return it == texts_.end() ? std::string() : it->second;
}

} // namespace zav::ui
