#pragma once

// The version pair table: which software version handles which image
// version. Filled from Version.ini at start-up; consulted when a data file
// is opened and when a radio answers with its identity.

#include <string>
#include <string_view>
#include <vector>

namespace zav {

struct VersionRecords {
    std::string CurrentVersion;
    std::vector<std::string> SoftVersions;
    /// Entries 2k and 2k + 1: software and image version of pair k.
    std::vector<std::string> Pairs;

    /// True when a pair (software, image) exists; V300/V300 always counts.
    [[nodiscard]] bool IsCompatible(std::string_view software, std::string_view image) const;
    /// Software version of the first pair for the image version, or "".
    [[nodiscard]] std::string SoftwareFor(std::string_view image) const;
};

/// After CleanText: exactly 4 characters, "V" then three digits.
[[nodiscard]] bool IsVersionText(std::string_view text);

/// Identity checks of a transfer against the document.
[[nodiscard]] bool SameText(std::string_view a, std::string_view b);
/// Equal bands are needed only for a write (transferKind 2).
[[nodiscard]] bool SameBand(int a, int b, int transferKind);
/// Same upper five bits, and that group at most 3.
[[nodiscard]] bool SameFamily(int a, int b);

} // namespace zav
