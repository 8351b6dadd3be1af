#pragma once

// The main window's fixture with the built manual beside its program
// folder, and the help's cache inside the fixture's folder.

#include "main_window_fixture.h"

#include <QDir>
#include <QFile>

namespace zav::test {

class HelpFixture : public ShellFixture {
public:
    explicit HelpFixture(int language = kEnglish) : ShellFixture(language)
    {
        const QString builtHelp = QDir::cleanPath(qEnvironmentVariable("ZAV_PROGRAM_DIR") + QStringLiteral("/../help"));
        QFile::link(builtHelp, dir.filePath(QStringLiteral("dist/help")));
        qputenv("XDG_CACHE_HOME", dir.filePath(QStringLiteral("cache")).toUtf8());
    }
};

} // namespace zav::test
