#pragma once

// Version records (Version.ini in the data folder) and the compatibility
// predicates applied to data files and to a radio's identity.

#include "version_records.h"

#include <string>
#include <string_view>
#include <vector>

namespace zav {

class TextCatalog;



/// Reads Version.ini; a missing file or count gives empty records.
[[nodiscard]] VersionRecords loadVersionRecords(const std::string& path);

/// "V300" -> "V3.00".
[[nodiscard]] std::string dottedVersion(std::string_view version);
/// Text 9062, CRLF, 9064 + " " + dotted image, CRLF, 9061 + " " + dotted software.
[[nodiscard]] std::string incompatibleMessage(const TextCatalog& texts, std::string_view software,
                                              std::string_view image);


/// Path of the program that handles image version f:
/// <dataDir>/<softwareFor(f)>/<programFile>, or "" when none.
[[nodiscard]] std::string otherVersionProgram(const VersionRecords& records, const std::string& dataDir,
                                              const std::string& programFile, std::string_view image);

} // namespace zav
