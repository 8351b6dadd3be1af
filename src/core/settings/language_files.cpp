#include "language_files.h"

#include "ini_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace zav {
namespace {

namespace fs = std::filesystem;

constexpr const char* kHeaderSection = "Language";
constexpr const char* kSettingsFileName = "mysetup.ini";

bool isUtf8(const std::string& bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t extra = 0;
        if (lead < 0x80)
            extra = 0;
        else if (lead >= 0xC2 && lead <= 0xDF)
            extra = 1;
        else if (lead >= 0xE0 && lead <= 0xEF)
            extra = 2;
        else if (lead >= 0xF0 && lead <= 0xF4)
            extra = 3;
        else
            return false;
        if (i + extra >= bytes.size() && extra > 0)
            return false;
        for (std::size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80)
                return false;
        // Overlong three- and four-byte forms, surrogates, beyond U+10FFFF.
        if (extra == 2) {
            const auto next = static_cast<unsigned char>(bytes[i + 1]);
            if ((lead == 0xE0 && next < 0xA0) || (lead == 0xED && next >= 0xA0))
                return false;
        } else if (extra == 3) {
            const auto next = static_cast<unsigned char>(bytes[i + 1]);
            if ((lead == 0xF0 && next < 0x90) || (lead == 0xF4 && next >= 0x90))
                return false;
        }
        i += extra + 1;
    }
    return true;
}

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

/// Language part of a normalised locale ("de" of "de_DE").
std::string languagePart(const std::string& locale) { return locale.substr(0, locale.find('_')); }

bool sameLocale(const std::string& a, const std::string& b)
{
    return lower(normalizedLocale(a)) == lower(normalizedLocale(b));
}

/// English first, Chinese second, then the others by their names.
bool comesBefore(const LanguageFile& a, const LanguageFile& b)
{
    if (a.number != b.number)
        return a.number < b.number;
    return a.name < b.name;
}

} // namespace

std::string normalizedLocale(const std::string& locale)
{
    std::string name = locale.substr(0, locale.find_first_of(".@"));
    std::replace(name.begin(), name.end(), '-', '_');
    const std::size_t split = name.find('_');
    std::string result = lower(name.substr(0, split));
    if (split != std::string::npos) {
        std::string territory = name.substr(split + 1);
        std::transform(territory.begin(), territory.end(), territory.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        if (!territory.empty())
            result += "_" + territory;
    }
    return result;
}

int languageNumberForLocale(const std::string& locale)
{
    if (sameLocale(locale, kEnglishLocale))
        return kEnglish;
    if (sameLocale(locale, kChineseLocale))
        return kChinese;
    return kLanguageByLocale;
}

bool readLanguageHeader(const std::string& path, LanguageFile& language, LanguageFileProblem& problem)
{
    std::ifstream in(path, std::ios::binary);
    std::error_code ec;
    if (!in || fs::is_directory(path, ec)) {
        problem = LanguageFileProblem::Unreadable;
        return false;
    }
    // Read in one piece: a character-by-character copy of every language
    // file found would be felt at start-up.
    std::ostringstream whole;
    whole << in.rdbuf();
    const std::string bytes = std::move(whole).str();
    if (in.bad()) {
        problem = LanguageFileProblem::Unreadable;
        return false;
    }
    if (!isUtf8(bytes)) {
        problem = LanguageFileProblem::NotUtf8;
        return false;
    }
    // The file is read once; the header is near its top, so the search
    // stops there instead of going through every text.
    const std::vector<std::string> header = profileStringsIn(bytes, kHeaderSection, {"Name", "Locale"});
    const std::string& name = header[0];
    const std::string locale = normalizedLocale(header[1]);
    if (name.empty() || locale.empty()) {
        problem = LanguageFileProblem::NoHeader;
        return false;
    }
    language = LanguageFile{path, name, locale, languageNumberForLocale(locale)};
    return true;
}

LanguageFolders findLanguages(const std::vector<std::string>& folders)
{
    LanguageFolders found;
    for (const std::string& folder : folders) {
        std::error_code ec;
        if (folder.empty() || !fs::is_directory(folder, ec))
            continue;
        std::vector<fs::path> files;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const fs::path& path = it->path();
            if (lower(path.extension().string()) == ".ini" && lower(path.filename().string()) != kSettingsFileName)
                files.push_back(path);
        }
        std::sort(files.begin(), files.end());
        for (const fs::path& path : files) {
            LanguageFile language;
            LanguageFileProblem problem{};
            if (!readLanguageHeader(path.string(), language, problem)) {
                found.skipped.push_back({path.string(), problem});
                continue;
            }
            auto same = std::find_if(found.languages.begin(), found.languages.end(),
                                     [&](const LanguageFile& l) { return sameLocale(l.locale, language.locale); });
            if (same != found.languages.end())
                *same = language;
            else
                found.languages.push_back(language);
        }
    }
    std::stable_sort(found.languages.begin(), found.languages.end(), comesBefore);
    return found;
}

const LanguageFile* LanguageFolders::find(const std::string& locale) const
{
    for (const LanguageFile& language : languages)
        if (sameLocale(language.locale, locale))
            return &language;
    return nullptr;
}

const LanguageFile* LanguageFolders::forSystemLocale(const std::string& systemLocale) const
{
    const std::string wanted = normalizedLocale(systemLocale);
    if (wanted.empty())
        return nullptr;
    if (const LanguageFile* exact = find(wanted))
        return exact;
    // A file for the language alone serves every territory of it; one for
    // another territory does not (zh_CN serves neither zh_TW nor zh_HK).
    const std::string part = languagePart(wanted);
    for (const LanguageFile& language : languages)
        if (language.locale.find('_') == std::string::npos && sameLocale(language.locale, part))
            return &language;
    return nullptr;
}

} // namespace zav
