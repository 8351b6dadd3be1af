#pragma once

// Start-up of a run before any window shows: version records, language,
// local settings file (mysetup.ini, created when missing and rewritten on
// every start), and the initial document.

#include "session.h"

#include <string>

namespace zav {

struct StartupOptions {
    std::string programDir;   ///< folder of the running program (…/V300)
    std::string localeName;   ///< system locale, e.g. "zh_CN.UTF-8"; "zh_CN*" selects Chinese
    std::string userConfigDir;///< per-user fallback folder for mysetup.ini when the data folder is read-only
    std::string userLanguageDir; ///< per-user language files ($XDG_DATA_HOME/zavprog/language), "" for none
};

/// What start-up could not do as the settings file asked.
struct StartupReport {
    /// The language the settings file names when no file for it was found
    /// ("3 (de)", "7"): the run shows English instead. "" when all is well.
    std::string missingLanguage;
    /// The language file the system locale asks for (English when there is
    /// none for it): what a first run shows.
    std::string localeLanguageFile;
};

/// Runs the start-up steps into session. Never fails: missing files and
/// keys give the defaults (first run, port 1, the locale's language); a
/// stored language without a file gives English and says so in the report.
StartupReport runStartup(Session& session, const StartupOptions& options);

/// Language number from a locale name alone: 2 (Chinese) for zh_CN,
/// otherwise 1. What a run shows first is chosen from the files found
/// (`LanguageFolders::forSystemLocale`).
[[nodiscard]] int languageFromLocale(const std::string& localeName);
/// "english.ini" or "chinese.ini" for a language number.
[[nodiscard]] std::string languageFileFor(int language);

/// Makes language the one of the run (number, locale, file) and points the
/// texts at its file.
void useLanguage(Session& session, const LanguageFile& language);

/// Writes CurrentLanguage and its locale (language dialog) / comPort and its
/// device path (port dialog) to the settings file in use.
void storeLanguage(const Session& session);
void storeComPort(const Session& session);

} // namespace zav
