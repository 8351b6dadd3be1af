#pragma once

// Where the manual of a language is: the help file (.qch) and its
// collection (.qhc) sit in help/ beside the program's folder, in the build
// tree (build/dist/help) as in the installed one (share/zavprog/help).
// Qt Help writes its search index beside the collection it opens, and the
// installed folder is not the user's to write, so the help window opens a
// copy of the collection in the user's cache that names the installed .qch.

#include <QString>

#include <string>

namespace zav::help {

struct HelpFiles {
    QString qch;        ///< the compressed help, "" when not found
    QString collection; ///< the shipped collection, "" when not found
    QString language;   ///< "en" or "zh"
};

/// "zh" for Chinese, "en" for every other language (the manual exists in
/// these two).
[[nodiscard]] QString manualLanguage(int programLanguage);
/// The help files of a language below programDir/../help.
[[nodiscard]] HelpFiles findHelpFiles(const std::string& programDir, int programLanguage);

/// A collection in cacheDir that has files.qch registered, made (or brought
/// up to date) from the shipped one; when the help file changed since the
/// collection last saw it, its search index is dropped, so that the help
/// window builds it anew. "" with *error set when it cannot be made.
[[nodiscard]] QString prepareCollection(const HelpFiles& files, const QString& cacheDir, QString* error);
/// The user's cache folder for help collections ($XDG_CACHE_HOME/zavprog/help).
[[nodiscard]] QString helpCacheFolder();

} // namespace zav::help
