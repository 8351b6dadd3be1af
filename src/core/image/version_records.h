#pragma once

// The version pair table: which software version handles which image
// version. Filled from Version.ini at start-up; consulted when a data file
// is opened and when a radio answers with its identity.

#include <string>
#include <string_view>
#include <vector>

namespace zav {

struct VersionRecords {
    std::string currentVersion;
    std::vector<std::string> softwareVersions;
    /// Entries 2k and 2k + 1: software and image version of pair k.
    std::vector<std::string> pairs;

    /// True when a pair (software, image) exists; V300/V300 always counts.
    [[nodiscard]] bool isCompatible(std::string_view software, std::string_view image) const;
    /// Software version of the first pair for the image version, or "".
    [[nodiscard]] std::string softwareFor(std::string_view image) const;
};

/// After cleanText: exactly 4 characters, "V" then three digits.
[[nodiscard]] bool isVersionText(std::string_view text);

/// Identity checks of a transfer against the document.
[[nodiscard]] bool sameText(std::string_view a, std::string_view b);
/// Equal bands are needed only for a write (transferKind 2).
[[nodiscard]] bool sameBand(int a, int b, int transferKind);
/// Same upper five bits, and that group at most 3.
[[nodiscard]] bool sameFamily(int a, int b);

} // namespace zav
