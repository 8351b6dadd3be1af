#pragma once

// Private-profile (INI) files as the program relies on them: section names
// matched without regard to case, values trimmed, the empty text for
// anything missing, and a write that changes one key and disturbs nothing
// else in the file.

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

/// Value of key in section of the file at path; "" when the file, the
/// section or the key is missing. Leading/trailing spaces and a trailing NUL
/// are removed; values longer than maxLength characters are cut.
[[nodiscard]] std::string readProfileString(const std::string& path, const std::string& section,
                                            const std::string& key, std::size_t maxLength = 511);

/// Calls visit(section, key, value) for every key=value line of the file in
/// file order (section and key as written, values trimmed as above, not
/// cut); nothing when the file is missing. Lines before any section are
/// passed with an empty section.
void forEachProfileEntry(const std::string& path,
                         const std::function<void(std::string_view section, std::string_view key,
                                                  std::string_view value)>& visit);

/// readProfileString of several keys of one section, over INI text already
/// read (a file read once for more than one purpose): the first value of
/// each key, "" for a missing one. Stops reading once every key is found.
[[nodiscard]] std::vector<std::string> profileStringsIn(std::string_view text, std::string_view section,
                                                        std::initializer_list<std::string_view> keys,
                                                        std::size_t maxLength = 511);

/// Section names compare without regard to case.
[[nodiscard]] bool sameSectionName(std::string_view a, std::string_view b);

/// Writes key=value into section, creating the file or the section when
/// missing and keeping every other line as it is. The file is replaced
/// through a temporary file. Returns false when it cannot be written.
bool writeProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value);

} // namespace zav
