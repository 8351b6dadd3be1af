#pragma once

// Files are replaced, never overwritten in place: a failed write leaves the
// previous file as it was.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zav {

/// Writes data to a temporary file beside path, flushes it, then renames it
/// over path. Returns false (and removes the temporary file) on any error.
bool writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& data);

/// Reads a whole regular file of at most maxBytes; nothing when it is
/// missing, not a regular file, unreadable or larger.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string& path,
                                                                     std::size_t maxBytes);

} // namespace zav
