#pragma once

// The languages the program can show are the language files it finds: every
// "*.ini" in the installed language folder and in the per-user one that
// names itself in a [Language] header (Name in its own language, Locale).
// English and Chinese keep their numbers 1 and 2, which settings files and
// stored documents rely on; every other language is number 3 and is known
// by its locale.

#include <string>
#include <vector>

namespace zav {

inline constexpr int kEnglish = 1;
inline constexpr int kChinese = 2;
/// Any language but English and Chinese; its locale says which.
inline constexpr int kLanguageByLocale = 3;

inline constexpr const char* kEnglishLocale = "en";
inline constexpr const char* kChineseLocale = "zh_CN";

/// A language file that names itself.
struct LanguageFile {
    std::string path;   ///< the file, full path
    std::string name;   ///< the language's name in itself ("Deutsch")
    std::string locale; ///< "en", "zh_CN", "de", ...
    int number = kLanguageByLocale;
};

enum class LanguageFileProblem {
    Unreadable, ///< the file cannot be opened
    NotUtf8,    ///< its bytes are not UTF-8 text
    NoHeader,   ///< no [Language] section with Name and Locale
};

/// A file of a language folder that is not offered, and why.
struct SkippedLanguageFile {
    std::string path;
    LanguageFileProblem problem = LanguageFileProblem::NoHeader;
};

struct LanguageFolders {
    std::vector<LanguageFile> languages; ///< English, Chinese, then the others by name
    std::vector<SkippedLanguageFile> skipped;

    /// The language of locale (as a file names it, compared without regard
    /// to case and "-"/"_"); nullptr when no file has it.
    [[nodiscard]] const LanguageFile* find(const std::string& locale) const;
    /// The language a system locale ("de_DE.UTF-8") asks for: a file for the
    /// exact locale, else one for its language alone ("de"); nullptr when
    /// none fits. Chinese files name zh_CN, so zh_TW and zh_HK find none.
    [[nodiscard]] const LanguageFile* forSystemLocale(const std::string& systemLocale) const;
};

/// Reads the [Language] header of a language file into language (path,
/// name, locale, number); the problem when the file cannot be offered.
[[nodiscard]] bool readLanguageHeader(const std::string& path, LanguageFile& language,
                                      LanguageFileProblem& problem);

/// The languages of the folders, earlier folders first: a file of a later
/// folder (the user's) replaces one of the same locale in an earlier folder
/// (the installed one). Missing folders hold nothing; the settings file
/// that shares the installed folder (mysetup.ini) is no language.
[[nodiscard]] LanguageFolders findLanguages(const std::vector<std::string>& folders);

/// 1 for English, 2 for Chinese, 3 for any other locale.
[[nodiscard]] int languageNumberForLocale(const std::string& locale);

/// "de_DE.UTF-8", "de-DE", "DE_de@euro" -> "de_DE": language lower case,
/// territory upper case, encoding and modifier dropped.
[[nodiscard]] std::string normalizedLocale(const std::string& locale);

} // namespace zav
