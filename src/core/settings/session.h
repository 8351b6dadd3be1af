#pragma once

// The state of one run of the program, owned in one place: where the
// program's files are, the local settings, the texts, the version records,
// the document and the password held for the run.

#include "document.h"
#include "text_catalog.h"
#include "versions.h"

#include <string>

namespace zav {

inline constexpr int kEnglish = 1;
inline constexpr int kChinese = 2;

/// Where the program finds its files (the installed layout).
struct AppPaths {
    std::string programDir;   ///< .../V300: programs, language/, Init/, pictures
    std::string dataDir;      ///< parent of programDir: Version.ini, language/mysetup.ini
    std::string settingsFile; ///< mysetup.ini actually used (may be per-user, see startup)

    [[nodiscard]] std::string languageFile(const std::string& name) const;
    [[nodiscard]] std::string initDir() const;
    [[nodiscard]] std::string versionFile() const;
    /// Paths for a program folder; settingsFile is the one in the data folder.
    [[nodiscard]] static AppPaths ForProgramDir(const std::string& programDir);
};

/// The local settings of the run (mysetup.ini and the values derived at
/// start-up).
struct RunSettings {
    int CurrentLanguage = kEnglish;
    std::string LanguageFile = "english.ini";
    int ComPort = 1;
    std::string ComDevice;      ///< device path stored beside comPort, "" if none
    bool IsFirstRun = false;
    bool IsNt60 = false;        ///< never true here: ports come from the system list
    bool ShowTxAsOffset = true; ///< channel table column 2 shows the offset
};

/// Where the channel editors are: the cell being edited, the group they
/// address, which of the two channel windows is open.
struct ChannelEditState {
    int EditColumn = 1;          ///< EditCell column
    int EditRow = 1;             ///< EditCell row
    int EditGroup = 0;
    int CaptionRow = 1;
    bool SkipRxCheck = false;
    bool SkipNextEnterCell = false;
    bool DetailEditorOpen = false;
    bool ChannelTableOpen = false;
};

struct Session {
    AppPaths paths;
    RunSettings settings;
    TextCatalog texts;
    VersionRecords versions;
    Document doc;
    ChannelEditState channelEdit;
    std::string RadioPassword;
    bool PasswordAnswered = false;

    [[nodiscard]] std::string text(int id) const { return texts.GetText(id); }
    /// Points the text lookup at the language file of settings.LanguageFile.
    void applyLanguageFile() { texts.setFile(paths.languageFile(settings.LanguageFile)); }
};

} // namespace zav
