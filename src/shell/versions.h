#pragma once

// Version records (Version.ini in the data folder) and the compatibility
// predicates applied to data files and to a radio's identity.

#include <string>
#include <string_view>
#include <vector>

namespace zav {

class TextCatalog;

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

/// Reads Version.ini; a missing file or count gives empty records.
[[nodiscard]] VersionRecords LoadVersionRecords(const std::string& path);

/// After CleanText: exactly 4 characters, "V" then three digits.
[[nodiscard]] bool IsVersionText(std::string_view text);
/// "V300" -> "V3.00".
[[nodiscard]] std::string DottedVersion(std::string_view version);
/// Text 9062, CRLF, 9064 + " " + dotted image, CRLF, 9061 + " " + dotted software.
[[nodiscard]] std::string IncompatibleMessage(const TextCatalog& texts, std::string_view software,
                                              std::string_view image);

[[nodiscard]] bool SameText(std::string_view a, std::string_view b);
/// Equal bands are needed only for a write (transferKind 2).
[[nodiscard]] bool SameBand(int a, int b, int transferKind);
/// Same upper five bits, and that group at most 3.
[[nodiscard]] bool SameFamily(int a, int b);

/// Path of the program that handles image version f:
/// <dataDir>/<SoftwareFor(f)>/<programFile>, or "" when none.
[[nodiscard]] std::string OtherVersionProgram(const VersionRecords& records, const std::string& dataDir,
                                              const std::string& programFile, std::string_view image);

} // namespace zav
