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

constexpr int kTextProgramVersion = 9061;   // "Program version:"
constexpr int kTextOtherVersionData = 9062;
constexpr int kTextDataVersion = 9064;      // "Data version:"

/// More records than any installation has; bounds the work a damaged file
/// can cause.
constexpr long long kMaxRecords = 999;

std::string readClean(const std::string& path, const std::string& section, const std::string& key)
{
    return cleanText(readProfileString(path, section, key));
}

int readCount(const std::string& path, const std::string& key)
{
    const auto value = parseNumber(readClean(path, "Version", key));
    if (!value)
        return 0;
    return static_cast<int>(std::clamp(roundHalfEven(*value), 0LL, kMaxRecords));
}

} // namespace

VersionRecords loadVersionRecords(const std::string& path)
{
    VersionRecords records;
    records.currentVersion = readClean(path, "Version", "CurrentVersion");
    const int soft = readCount(path, "SoftVersionCount");
    const int firm = readCount(path, "FirmVersionCount");
    for (int k = 0; k < soft; ++k)
        records.softwareVersions.push_back(readClean(path, "Soft", std::to_string(k) + "Version"));
    for (int k = 0; k < firm; ++k) {
        // Software version (first four characters), image version (last four).
        const std::string pair = readClean(path, "Firm", std::to_string(k) + "Firm");
        records.pairs.push_back(pair.substr(0, 4));
        records.pairs.push_back(pair.size() > 4 ? pair.substr(pair.size() - 4) : pair);
    }
    return records;
}

std::string dottedVersion(std::string_view version)
{
    const std::string v = cleanText(version);
    if (v.size() < 4)
        return v;
    return v.substr(0, 2) + "." + v.substr(v.size() - 2);
}

std::string incompatibleMessage(const TextCatalog& texts, std::string_view software, std::string_view image)
{
    return texts.text(kTextOtherVersionData) + "\r\n" + texts.text(kTextDataVersion) + " " + dottedVersion(image) +
           "\r\n" + texts.text(kTextProgramVersion) + " " + dottedVersion(software);
}


std::string otherVersionProgram(const VersionRecords& records, const std::string& dataDir,
                                const std::string& programFile, std::string_view image)
{
    const std::string software = records.softwareFor(image);
    // Only a version folder beside this one: a damaged record must not name
    // a program anywhere else.
    if (!isVersionText(software))
        return {};
    return (std::filesystem::path(dataDir) / software / programFile).string();
}

} // namespace zav
