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
};

/// Runs the start-up steps into session. Never fails: missing files and
/// keys give the defaults (first run, port 1, the locale's language).
void runStartup(Session& session, const StartupOptions& options);

/// Language from a locale name: 2 (Chinese) for zh_CN, otherwise 1.
[[nodiscard]] int languageFromLocale(const std::string& localeName);
/// "english.ini" or "chinese.ini" for a language number.
[[nodiscard]] std::string languageFileFor(int language);

/// Writes CurrentLanguage (language dialog) / comPort and its device path
/// (port dialog) to the settings file in use.
void storeLanguage(const Session& session);
void storeComPort(const Session& session);

} // namespace zav
