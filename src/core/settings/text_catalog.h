#pragma once

// Every user-visible text by numeric id, from the language file in use.

#include <string>

namespace zav {

/// The language-file section that holds text id (by id range).
[[nodiscard]] std::string sectionForTextId(int id);

class TextCatalog {
public:
    /// The language file to read (a full path); "" reads nothing.
    void setFile(std::string path) { file_ = std::move(path); }
    [[nodiscard]] const std::string& file() const { return file_; }

    /// The text of id: trimmed, at most 254 characters, "" when the file,
    /// the section or the key is missing. The file is read on every lookup
    /// so an edited file takes effect at once.
    [[nodiscard]] std::string text(int id) const;

private:
    std::string file_;
};

} // namespace zav
