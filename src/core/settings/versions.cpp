// Version.ini: which installed software version handles which image
// version, read once at start-up; and the identity checks of a transfer.

#include "versions.h"

#include "fixed_text.h"
#include "ini_file.h"
#include "numbers.h"
#include "text_catalog.h"

#include <algorithm>
#include <filesystem>

namespace zav {
namespace {

/// More records than any installation has; bounds the work a damaged file
/// can cause.
constexpr long long kMaxRecords = 999;

std::string ReadClean(const std::string& path, const std::string& section, const std::string& key)
{
    return CleanText(ReadProfileString(path, section, key));
}

int ReadCount(const std::string& path, const std::string& key)
{
    const auto value = ParseNumber(ReadClean(path, "Version", key));
    if (!value)
        return 0;
    return static_cast<int>(std::clamp(RoundHalfEven(*value), 0LL, kMaxRecords));
}

} // namespace

VersionRecords LoadVersionRecords(const std::string& path)
{
    VersionRecords records;
    records.CurrentVersion = ReadClean(path, "Version", "CurrentVersion");
    const int soft = ReadCount(path, "SoftVersionCount");
    const int firm = ReadCount(path, "FirmVersionCount");
    for (int k = 0; k < soft; ++k)
        records.SoftVersions.push_back(ReadClean(path, "Soft", std::to_string(k) + "Version"));
    for (int k = 0; k < firm; ++k) {
        // Software version (first four characters), image version (last four).
        const std::string pair = ReadClean(path, "Firm", std::to_string(k) + "Firm");
        records.Pairs.push_back(pair.substr(0, 4));
        records.Pairs.push_back(pair.size() > 4 ? pair.substr(pair.size() - 4) : pair);
    }
    return records;
}

std::string DottedVersion(std::string_view version)
{
    const std::string v = CleanText(version);
    if (v.size() < 4)
        return v;
    return v.substr(0, 2) + "." + v.substr(v.size() - 2);
}

std::string IncompatibleMessage(const TextCatalog& texts, std::string_view software, std::string_view image)
{
    return texts.GetText(9062) + "\r\n" + texts.GetText(9064) + " " + DottedVersion(image) + "\r\n" +
           texts.GetText(9061) + " " + DottedVersion(software);
}


std::string OtherVersionProgram(const VersionRecords& records, const std::string& dataDir,
                                const std::string& programFile, std::string_view image)
{
    const std::string software = records.SoftwareFor(image);
    // Only a version folder beside this one: a damaged record must not name
    // a program anywhere else.
    if (!IsVersionText(software))
        return {};
    return (std::filesystem::path(dataDir) / software / programFile).string();
}

} // namespace zav
