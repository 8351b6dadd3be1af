#pragma once

// Files are replaced, never overwritten in place: a failed write leaves the
// previous file as it was. Every file the programs save goes through here.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zav {

/// Writes data to a temporary file beside path, flushes it, then renames it
/// over path. A symbolic link is followed and the file it names is replaced
/// (the link stays); that file keeps its permission bits, and its owner and
/// group as far as this process may set them. A path naming something other
/// than a regular file (a folder, a device, a pipe) is refused untouched.
/// Returns false (and removes the temporary file) on any error.
bool writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& data);

/// True when writeFileAtomically could replace (or create) path now: what
/// it names after its links is a regular file or nothing yet, in a folder
/// this process may write. For refusing early what a save would refuse late.
[[nodiscard]] bool canReplaceFile(const std::string& path);

/// The first maxBytes bytes of a regular file (fewer when it is shorter);
/// nothing when it is missing, not a regular file or unreadable.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> readFilePrefix(const std::string& path,
                                                                      std::size_t maxBytes);

/// Reads a whole regular file of at most maxBytes; nothing when it is
/// missing, not a regular file, unreadable or larger.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string& path,
                                                                     std::size_t maxBytes);

} // namespace zav
