// Start-up before any window shows.
//
// Numbers: every number is formatted and parsed with "." by the helpers of
// numbers.h, which never consult the C++ or C locale settings; so unlike a
// program that switches the user's decimal separator for the run, nothing
// of the user's settings is touched here and nothing needs restoring at
// exit.

#include "startup.h"

#include "defaults.h"
#include "ini_file.h"
#include "numbers.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <limits>
#include <optional>

#include <fcntl.h>
#include <unistd.h>

namespace zav {
namespace {

constexpr const char* kSection = "language";

namespace fs = std::filesystem;

/// Whether files can be created and replaced in the folder of path (the
/// settings file is replaced through a temporary file beside it).
bool canReplaceFileIn(const fs::path& file)
{
    std::error_code ec;
    const fs::path dir = file.parent_path();
    fs::create_directories(dir, ec);
    if (!fs::is_directory(dir, ec))
        return false;
    const std::string probe = (dir / (".mysetup.probe." + std::to_string(::getpid()))).string();
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

/// A 16-bit integer as the settings hold it; nothing for missing, non-numeric
/// or out-of-range text.
std::optional<int> readInt16(const std::string& text)
{
    const auto value = parseNumber(text);
    if (!value)
        return std::nullopt;
    const long long n = roundHalfEven(*value);
    if (n < std::numeric_limits<std::int16_t>::min() || n > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<int>(n);
}

/// A boolean as the settings hold it: a number (non-zero is true) or
/// "True"/"False"; nothing for anything else.
std::optional<bool> readBoolean(const std::string& text)
{
    if (const auto value = parseNumber(text))
        return *value != 0;
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "true")
        return true;
    if (lower == "false")
        return false;
    return std::nullopt;
}

/// The settings file to use: the one in the data folder, or the per-user one
/// when the data folder cannot be written. Also the file to read from: a
/// per-user file that does not exist yet starts from the data folder's.
struct SettingsFiles {
    std::string use;
    std::string readFrom;
};

SettingsFiles chooseSettingsFile(const AppPaths& paths, const std::string& userConfigDir)
{
    if (canReplaceFileIn(paths.settingsFile) || userConfigDir.empty())
        return {paths.settingsFile, paths.settingsFile};
    const fs::path user = fs::path(userConfigDir) / "mysetup.ini";
    std::error_code ec;
    fs::create_directories(userConfigDir, ec);
    return {user.string(), fs::exists(user, ec) ? user.string() : paths.settingsFile};
}

} // namespace

int languageFromLocale(const std::string& localeName)
{
    // Only the locale of the People's Republic of China selects Chinese;
    // Taiwan, Hong Kong and the rest start in English.
    std::string name = localeName.substr(0, 5);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) {
        return c == '-' ? '_' : static_cast<char>(std::tolower(c));
    });
    return name == "zh_cn" ? kChinese : kEnglish;
}

std::string languageFileFor(int language) { return language == kChinese ? "chinese.ini" : "english.ini"; }

void useLanguage(Session& session, const LanguageFile& language)
{
    session.settings.language = language.number;
    session.settings.languageLocale = language.locale;
    session.settings.languageFile = language.path;
    session.applyLanguageFile();
}

namespace {

constexpr const char* kLocaleKey = "LanguageLocale";

/// English as found, or the installed english.ini when no file names it
/// (texts then read from wherever it is, or show empty).
LanguageFile englishOf(const LanguageFolders& found, const AppPaths& paths)
{
    if (const LanguageFile* english = found.find(kEnglishLocale))
        return *english;
    return LanguageFile{paths.languageFile(languageFileFor(kEnglish)), "English", kEnglishLocale, kEnglish};
}

/// The language a settings file names: the number, and the locale beside
/// it for a language other than English and Chinese. Nothing (and what was
/// asked for in why) when no file has it.
std::optional<LanguageFile> storedLanguage(const LanguageFolders& found, const AppPaths& paths, int number,
                                           const std::string& locale, std::string& why)
{
    if (number == kEnglish)
        return englishOf(found, paths);
    const LanguageFile* language = nullptr;
    if (number == kChinese)
        language = found.find(kChineseLocale);
    else if (number == kLanguageByLocale && !locale.empty())
        language = found.find(locale);
    // A locale of English or Chinese stored with number 3 is not that
    // language's number: the file's own number is used from now on.
    if (language)
        return *language;
    why = std::to_string(number) + (number == kLanguageByLocale && !locale.empty() ? " (" + locale + ")" : "");
    return std::nullopt;
}

} // namespace

StartupReport runStartup(Session& session, const StartupOptions& options)
{
    StartupReport report;
    session.paths = AppPaths::forProgramDir(options.programDir);
    AppPaths& paths = session.paths;
    RunSettings& settings = session.settings;
    Document& doc = session.doc;

    session.versions = loadVersionRecords(paths.versionFile());
    doc.image().Header.Version.assign(kProgramImageVersion);
    doc.initPending = false;

    paths.userLanguageDir = options.userLanguageDir;
    const LanguageFolders languages = findLanguages(paths.languageFolders());
    const LanguageFile* fromLocale = languages.forSystemLocale(options.localeName);
    LanguageFile language = fromLocale ? *fromLocale : englishOf(languages, paths);
    report.localeLanguageFile = language.path;

    doc.model = ModelBand{};
    doc.model.parseBandLimits();
    doc.image().ChannelMode = 0;
    session.radioPassword.clear();
    session.passwordAnswered = false;

    const SettingsFiles files = chooseSettingsFile(paths, options.userConfigDir);
    paths.settingsFile = files.use;
    const std::string& in = files.readFrom;
    settings.portNumber = readInt16(readProfileString(in, kSection, "comPort")).value_or(1);
    settings.portDevice = readProfileString(in, kSection, "comDevice");
    // A missing or unreadable flag counts as a first run.
    settings.isFirstRun = readBoolean(readProfileString(in, kSection, "IsFirstRun")).value_or(true);
    if (settings.isFirstRun) {
        writeProfileString(paths.settingsFile, kSection, "IsFirstRun", "0");
    } else if (const auto number = readInt16(readProfileString(in, kSection, "CurrentLanguage"))) {
        // A language whose file is gone shows English, never empty captions.
        const std::string locale = readProfileString(in, kSection, kLocaleKey);
        language = storedLanguage(languages, paths, *number, locale, report.missingLanguage)
                       .value_or(englishOf(languages, paths));
    }
    settings.language = language.number;
    settings.languageLocale = language.locale;
    settings.languageFile = language.path;
    if (files.use != files.readFrom && !settings.isFirstRun)
        writeProfileString(paths.settingsFile, kSection, "IsFirstRun", "0");
    writeProfileString(paths.settingsFile, kSection, "comPort", std::to_string(settings.portNumber));
    writeProfileString(paths.settingsFile, kSection, "CurrentLanguage", std::to_string(settings.language));
    writeProfileString(paths.settingsFile, kSection, kLocaleKey, settings.languageLocale);
    if (!settings.portDevice.empty())
        writeProfileString(paths.settingsFile, kSection, "comDevice", settings.portDevice);
    session.applyLanguageFile();

    buildNewDocument(doc, paths.initDir(), TemplateVariant::NewDocument);
    return report;
}

void storeLanguage(const Session& session)
{
    writeProfileString(session.paths.settingsFile, kSection, "CurrentLanguage",
                       std::to_string(session.settings.language));
    writeProfileString(session.paths.settingsFile, kSection, kLocaleKey, session.settings.languageLocale);
}

void storeComPort(const Session& session)
{
    writeProfileString(session.paths.settingsFile, kSection, "comPort", std::to_string(session.settings.portNumber));
    writeProfileString(session.paths.settingsFile, kSection, "comDevice", session.settings.portDevice);
}

} // namespace zav
