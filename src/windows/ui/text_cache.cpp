#include "text_cache.h"

#include "ini_file.h"
#include "text_catalog.h"

#include <sys/stat.h>

#include <algorithm>
#include <string_view>

namespace zav::ui {
namespace {

constexpr std::size_t kMaxTextLength = 254;

// A key that names a text id: its decimal form exactly ("9006", not "09006").
bool parseTextId(std::string_view key, int& id)
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

void TextCache::loadFile(const std::string& path)
{
    texts_.clear();
    forEachProfileEntry(path, [this](std::string_view section, std::string_view key, std::string_view value) {
        int id = 0;
        if (!parseTextId(key, id) || !sameSectionName(section, sectionForTextId(id)))
            return;
        // The first entry of a key counts, as for a single lookup.
        texts_.try_emplace(id, value.substr(0, std::min(value.size(), kMaxTextLength)));
    });
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
        loadFile(path);
    }
    const auto it = texts_.find(id);
    return it == texts_.end() ? std::string() : it->second;
}

} // namespace zav::ui
