#pragma once

// Private-profile (INI) files as the program relies on them: section names
// matched without regard to case, values trimmed, the empty text for
// anything missing, and a write that changes one key and disturbs nothing
// else in the file.

#include <string>

namespace zav {

/// Value of key in section of the file at path; "" when the file, the
/// section or the key is missing. Leading/trailing spaces and a trailing NUL
/// are removed; values longer than maxLength characters are cut.
[[nodiscard]] std::string ReadProfileString(const std::string& path, const std::string& section,
                                            const std::string& key, std::size_t maxLength = 511);

/// Writes key=value into section, creating the file or the section when
/// missing and keeping every other line as it is. The file is replaced
/// through a temporary file. Returns false when it cannot be written.
bool WriteProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value);

} // namespace zav
