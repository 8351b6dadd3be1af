#include "help_files.h"

#include "session.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHelpEngineCore>
#include <QStandardPaths>

namespace zav::help {
namespace {

// Tells the collection which help file (and which build of it) it indexed.
constexpr const char* kStampKey = "zavprogHelpStamp";

QString stampOf(const QFileInfo& qch)
{
    return qch.absoluteFilePath() + QLatin1Char('|') + QString::number(qch.size()) + QLatin1Char('|') +
           QString::number(qch.lastModified().toMSecsSinceEpoch());
}

} // namespace

QString manualLanguage(int programLanguage)
{
    return programLanguage == kChinese ? QStringLiteral("zh") : QStringLiteral("en");
}

HelpFiles findHelpFiles(const std::string& programDir, int programLanguage)
{
    HelpFiles files;
    files.language = manualLanguage(programLanguage);
    const QDir help(QString::fromStdString(programDir) + QStringLiteral("/../help"));
    const QString base = QStringLiteral("zavprog-") + files.language;
    if (QFileInfo::exists(help.filePath(base + QStringLiteral(".qch"))))
        files.qch = QDir::cleanPath(help.absoluteFilePath(base + QStringLiteral(".qch")));
    if (QFileInfo::exists(help.filePath(base + QStringLiteral(".qhc"))))
        files.collection = QDir::cleanPath(help.absoluteFilePath(base + QStringLiteral(".qhc")));
    return files;
}

QString helpCacheFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/zavprog/help");
}

QString prepareCollection(const HelpFiles& files, const QString& cacheDir, QString* error)
{
    if (files.qch.isEmpty()) {
        *error = QStringLiteral("zavprog-%1.qch").arg(files.language);
        return {};
    }
    if (!QDir().mkpath(cacheDir)) {
        *error = cacheDir;
        return {};
    }
    const QString path = QDir(cacheDir).filePath(QStringLiteral("zavprog-%1.qhc").arg(files.language));
    if (!QFileInfo::exists(path) && !files.collection.isEmpty())
        QFile::copy(files.collection, path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);

    QHelpEngineCore engine(path);
    engine.setReadOnly(false);
    if (!engine.setupData()) {
        *error = path + QStringLiteral(": ") + engine.error();
        return {};
    }
    const QFileInfo qch(files.qch);
    const QString stamp = stampOf(qch);
    if (engine.customValue(QString::fromLatin1(kStampKey)).toString() != stamp) {
        // A new build of the manual (or the copy of the shipped collection,
        // which names the help file relative to its own folder).
        for (const QString& name : engine.registeredDocumentations())
            engine.unregisterDocumentation(name);
        if (!engine.registerDocumentation(qch.absoluteFilePath())) {
            *error = files.qch + QStringLiteral(": ") + engine.error();
            return {};
        }
        engine.setCustomValue(QString::fromLatin1(kStampKey), stamp);
        // Qt Help keeps the full-text index beside the collection, in
        // ".<name>/"; it would not look at a namespace it indexed before.
        QDir(QFileInfo(path).absolutePath() + QStringLiteral("/.") + QFileInfo(path).completeBaseName()).removeRecursively();
    }
    return path;
}

} // namespace zav::help
