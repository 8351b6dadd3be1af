// The version pair table and the version-text form, used when a data file
// is opened.

#include "version_records.h"

#include "document.h"
#include "fixed_text.h"
#include "numbers.h"

#include <algorithm>

namespace zav {

bool isVersionText(std::string_view text)
{
    const std::string clean = cleanText(text);
    // "Numeric" as everywhere else: "V1.5" is another program's version,
    // not a broken one.
    return clean.size() == 4 && clean[0] == 'V' && isNumeric(std::string_view(clean).substr(1));
}

bool VersionRecords::isCompatible(std::string_view software, std::string_view image) const
{
    const std::string s = cleanText(software);
    const std::string i = cleanText(image);
    // The program always handles its own images, whatever Version.ini says.
    if (s == kProgramImageVersion && i == kProgramImageVersion)
        return true;
    for (std::size_t k = 0; k + 1 < pairs.size(); k += 2)
        if (pairs[k] == s && pairs[k + 1] == i)
            return true;
    return false;
}

std::string VersionRecords::softwareFor(std::string_view image) const
{
    const std::string i = cleanText(image);
    for (std::size_t k = 0; k + 1 < pairs.size(); k += 2)
        if (pairs[k + 1] == i)
            return pairs[k];
    return {};
}

bool sameText(std::string_view a, std::string_view b) { return a == b; }

bool sameBand(int a, int b, int transferKind) { return transferKind != 2 || a == b; }

bool sameFamily(int a, int b)
{
    const int x = (a & 0xF8) / 8;
    const int y = (b & 0xF8) / 8;
    return x <= 3 && x == y;
}

} // namespace zav
