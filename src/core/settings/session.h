#pragma once

// The state of one run of the program, owned in one place: where the
// program's files are, the local settings, the texts, the version records,
// the document and the password held for the run.

#include "document.h"
#include "language_files.h"
#include "text_catalog.h"
#include "versions.h"

#include <string>
#include <vector>

namespace zav {

/// Where the program finds its files (the installed layout).
struct AppPaths {
    std::string programDir;   ///< .../V300: programs, language/, Init/, pictures
    std::string dataDir;      ///< parent of programDir: Version.ini, language/mysetup.ini
    std::string settingsFile; ///< mysetup.ini actually used (may be per-user, see startup)
    std::string userLanguageDir; ///< language files the user added, "" for none

    /// A file of the installed language folder.
    [[nodiscard]] std::string languageFile(const std::string& name) const;
    /// The installed language folder, then the user's.
    [[nodiscard]] std::vector<std::string> languageFolders() const;
    [[nodiscard]] std::string initDir() const;
    [[nodiscard]] std::string versionFile() const;
    /// Paths for the folder of the running program; settingsFile is the one
    /// in the data folder. A program installed in <prefix>/bin, whose folder
    /// has no language files, uses <prefix>/share/zavprog/V300.
    [[nodiscard]] static AppPaths forProgramDir(const std::string& programDir);
};

/// The local settings of the run (mysetup.ini and the values derived at
/// start-up).
struct RunSettings {
    int language = kEnglish;        ///< 1 English, 2 Chinese, 3 the language of languageLocale
    std::string languageLocale = kEnglishLocale;
    std::string languageFile;       ///< the language file in use, full path
    int portNumber = 1;
    std::string portDevice;      ///< device path stored beside comPort, "" if none
    bool isFirstRun = false;
    bool showTxAsOffset = true; ///< channel table column 2 shows the offset
};

struct Session {
    AppPaths paths;
    RunSettings settings;
    TextCatalog texts;
    VersionRecords versions;
    Document doc;
    std::string radioPassword;
    bool passwordAnswered = false;

    [[nodiscard]] std::string text(int id) const { return texts.text(id); }
    /// Points the text lookup at settings.languageFile.
    void applyLanguageFile() { texts.setFile(settings.languageFile); }
};

} // namespace zav
