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
bool CanReplaceFileIn(const fs::path& file)
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
std::optional<int> ReadInt16(const std::string& text)
{
    const auto value = ParseNumber(text);
    if (!value)
        return std::nullopt;
    const long long n = RoundHalfEven(*value);
    if (n < std::numeric_limits<std::int16_t>::min() || n > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<int>(n);
}

/// A boolean as the settings hold it: a number (non-zero is true) or
/// "True"/"False"; nothing for anything else.
std::optional<bool> ReadBoolean(const std::string& text)
{
    if (const auto value = ParseNumber(text))
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

SettingsFiles ChooseSettingsFile(const AppPaths& paths, const std::string& userConfigDir)
{
    if (CanReplaceFileIn(paths.settingsFile) || userConfigDir.empty())
        return {paths.settingsFile, paths.settingsFile};
    const fs::path user = fs::path(userConfigDir) / "mysetup.ini";
    std::error_code ec;
    fs::create_directories(userConfigDir, ec);
    return {user.string(), fs::exists(user, ec) ? user.string() : paths.settingsFile};
}

} // namespace

int LanguageFromLocale(const std::string& localeName)
{
    // Only the locale of the People's Republic of China selects Chinese;
    // Taiwan, Hong Kong and the rest start in English.
    std::string name = localeName.substr(0, 5);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) {
        return c == '-' ? '_' : static_cast<char>(std::tolower(c));
    });
    return name == "zh_cn" ? kChinese : kEnglish;
}

std::string LanguageFileFor(int language) { return language == kChinese ? "chinese.ini" : "english.ini"; }

void RunStartup(Session& session, const StartupOptions& options)
{
    session.paths = AppPaths::ForProgramDir(options.programDir);
    AppPaths& paths = session.paths;
    RunSettings& settings = session.settings;
    Document& doc = session.doc;

    session.versions = LoadVersionRecords(paths.versionFile());
    doc.image().Header.Version.assign(kProgramImageVersion);
    doc.InitPending = false;

    settings.CurrentLanguage = LanguageFromLocale(options.localeName);
    settings.LanguageFile = LanguageFileFor(settings.CurrentLanguage);

    doc.model = ModelBand{};
    doc.model.ParseBandLimits();
    doc.image().ChannelMode = 0;
    session.RadioPassword.clear();
    session.PasswordAnswered = false;

    // Serial ports come from the system's device list on every platform.
    settings.IsNt60 = false;

    const SettingsFiles files = ChooseSettingsFile(paths, options.userConfigDir);
    paths.settingsFile = files.use;
    const std::string& in = files.readFrom;
    settings.ComPort = ReadInt16(ReadProfileString(in, kSection, "comPort")).value_or(1);
    settings.ComDevice = ReadProfileString(in, kSection, "comDevice");
    // A missing or unreadable flag counts as a first run.
    settings.IsFirstRun = ReadBoolean(ReadProfileString(in, kSection, "IsFirstRun")).value_or(true);
    if (settings.IsFirstRun) {
        WriteProfileString(paths.settingsFile, kSection, "IsFirstRun", "0");
    } else if (const auto language = ReadInt16(ReadProfileString(in, kSection, "CurrentLanguage"))) {
        settings.CurrentLanguage = *language;
        if (*language == kEnglish || *language == kChinese)
            settings.LanguageFile = LanguageFileFor(*language);
    }
    if (files.use != files.readFrom && !settings.IsFirstRun)
        WriteProfileString(paths.settingsFile, kSection, "IsFirstRun", "0");
    WriteProfileString(paths.settingsFile, kSection, "comPort", std::to_string(settings.ComPort));
    WriteProfileString(paths.settingsFile, kSection, "CurrentLanguage", std::to_string(settings.CurrentLanguage));
    if (!settings.ComDevice.empty())
        WriteProfileString(paths.settingsFile, kSection, "comDevice", settings.ComDevice);
    session.applyLanguageFile();

    BuildNewDocument(doc, paths.initDir(), TemplateVariant::NewDocument);
}

void StoreLanguage(const Session& session)
{
    WriteProfileString(session.paths.settingsFile, kSection, "CurrentLanguage",
                       std::to_string(session.settings.CurrentLanguage));
}

void StoreComPort(const Session& session)
{
    WriteProfileString(session.paths.settingsFile, kSection, "comPort", std::to_string(session.settings.ComPort));
    WriteProfileString(session.paths.settingsFile, kSection, "comDevice", session.settings.ComDevice);
}

} // namespace zav
