#include "tool_environment.h"

#include "startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>

namespace zav::manual {

ToolEnvironment::ToolEnvironment(const QString& sourceProgramDir, const QString& language)
    : dir_(QDir::temp().filePath(QStringLiteral("zavprog-manual-") + language))
{
    dir_.removeRecursively();
    if (!dir_.mkpath(QStringLiteral(".")))
        return;
    const QString program = programDir();
    QDir().mkpath(program + QStringLiteral("/language"));
    QDir().mkpath(program + QStringLiteral("/Init"));
    const QDir source(sourceProgramDir);
    for (const QString& name : QDir(source.filePath(QStringLiteral("language"))).entryList(QDir::Files))
        if (name != QLatin1String("mysetup.ini"))
            QFile::copy(source.filePath(QStringLiteral("language/") + name), program + QStringLiteral("/language/") + name);
    for (const QString& name : source.entryList({QStringLiteral("*.png"), QStringLiteral("*.jpg")}, QDir::Files))
        QFile::copy(source.filePath(name), program + QLatin1Char('/') + name);
    QFile::copy(source.filePath(QStringLiteral("../Version.ini")), dir_.filePath(QStringLiteral("dist/Version.ini")));
    // The help files stay where they are: the help window finds them
    // beside the program's folder.
    QFile::link(QDir::cleanPath(source.absoluteFilePath(QStringLiteral("../help"))), dir_.filePath(QStringLiteral("dist/help")));

    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.filePath(QStringLiteral("settings")));
    qputenv("XDG_DATA_HOME", dir_.filePath(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CACHE_HOME", dir_.filePath(QStringLiteral("cache")).toUtf8());
    qputenv("XDG_CONFIG_HOME", dir_.filePath(QStringLiteral("config")).toUtf8());

    StartupOptions options;
    options.programDir = program.toStdString();
    options.localeName = language == QLatin1String("zh") ? "zh_CN.UTF-8" : "en_US.UTF-8";
    options.userConfigDir = dir_.filePath(QStringLiteral("user")).toStdString();
    runStartup(session, options);
    ok_ = true;
}

ToolEnvironment::~ToolEnvironment() { dir_.removeRecursively(); }

} // namespace zav::manual
