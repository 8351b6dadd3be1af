#pragma once

// The texts of a language file read in one pass and kept while the file
// stays the same. Windows look up hundreds of texts as they open; reading
// the whole file for each one made start-up and every language switch
// noticeably slow. The file is still checked on every lookup (one stat), so
// an edited file takes effect at the next lookup as before. Gives exactly
// what TextCatalog::text gives for the same file.

#include <string>
#include <unordered_map>

namespace zav::ui {

class TextCache {
public:
    /// The text of id in the language file at path ("" when the file, the
    /// section or the key is missing); trimmed, at most 254 characters.
    [[nodiscard]] std::string lookup(const std::string& path, int id);

private:
    struct Stamp {
        long long size = -1;
        long long mtimeNs = -1;
        unsigned long long inode = 0;
        bool operator==(const Stamp&) const = default;
    };

    void loadFile(const std::string& path);

    std::string path_;
    Stamp stamp_;
    bool valid_ = false;
    std::unordered_map<int, std::string> texts_;
};

} // namespace zav::ui
