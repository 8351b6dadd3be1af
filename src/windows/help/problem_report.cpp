#include "problem_report.h"

#include "programming_log.h"
#include "session.h"

#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QSysInfo>
#include <QDateTime>

namespace zav::help {
namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QByteArray lastLines(const QByteArray& text, int count)
{
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.size() <= count)
        return text;
    // The header row names the columns of the lines kept.
    QByteArray kept = lines.first() + '\n';
    for (qsizetype i = lines.size() - (count - 1); i < lines.size(); ++i)
        kept += lines.at(i) + '\n';
    return kept;
}

QByteArray versionText(const Session& session)
{
    QString text;
    text += QStringLiteral("zavprog %1\n").arg(QStringLiteral(ZAV_PROGRAM_VERSION));
    text += QStringLiteral("Qt %1 (built with %2)\n").arg(QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR));
    text += QStringLiteral("System: %1\n").arg(QSysInfo::prettyProductName());
    text += QStringLiteral("Kernel: %1 %2\n").arg(QSysInfo::kernelType(), QSysInfo::kernelVersion());
    text += QStringLiteral("Processor: %1\n").arg(QSysInfo::currentCpuArchitecture());
    text += QStringLiteral("Locale: %1\n").arg(QLocale::system().name());
    text += QStringLiteral("Language file: %1\n").arg(QString::fromStdString(session.settings.languageFile));
    text += QStringLiteral("Model: %1 [%2]\n")
                .arg(QString::fromStdString(session.doc.model.modelName), QString::fromStdString(session.doc.model.bandLabel));
    text += QStringLiteral("Program folder: %1\n").arg(QString::fromStdString(session.paths.programDir));
    text += QStringLiteral("Report made: %1\n").arg(QDateTime::currentDateTime().toString(Qt::ISODate));
    return text.toUtf8();
}

} // namespace

QStringList knownSecrets(const Session& session)
{
    QStringList secrets;
    if (!session.radioPassword.empty())
        secrets << QString::fromStdString(session.radioPassword);
    const QString fromEnvironment = qEnvironmentVariable("ZAV_PASSWORD");
    if (!fromEnvironment.isEmpty())
        secrets << fromEnvironment;
    return secrets;
}

void scrubSecrets(std::vector<ArchiveFile>& files, const QStringList& secrets)
{
    for (const QString& secret : secrets) {
        const QByteArray bytes = secret.toUtf8();
        if (bytes.isEmpty())
            continue;
        const QByteArray mask(bytes.size(), '*');
        for (ArchiveFile& file : files) {
            file.bytes.replace(bytes, mask);
            file.name.replace(secret, QString(mask));
        }
    }
}

std::vector<ArchiveFile> collectProblemReport(const Session& session, const ProblemReportInput& input)
{
    std::vector<ArchiveFile> files;
    files.push_back({QStringLiteral("what-happened.txt"), input.description.toUtf8()});
    files.push_back({QStringLiteral("version.txt"), versionText(session)});
    const QString setup = QString::fromStdString(session.paths.settingsFile);
    if (QFileInfo::exists(setup))
        files.push_back({QStringLiteral("settings/") + QFileInfo(setup).fileName(), fileBytes(setup)});
    if (QFileInfo::exists(input.settingsStore))
        files.push_back({QStringLiteral("settings/") + QFileInfo(input.settingsStore).fileName(),
                         fileBytes(input.settingsStore)});
    if (QFileInfo::exists(input.programmingLog))
        files.push_back({QStringLiteral("programming-log.csv"), lastLines(fileBytes(input.programmingLog), kReportLogLines)});
    if (!input.tracePath.isEmpty() && QFileInfo(input.tracePath).isFile()) {
        QByteArray trace = fileBytes(input.tracePath);
        if (trace.size() > kReportTraceBytes)
            trace = trace.right(kReportTraceBytes);
        files.push_back({QStringLiteral("wire-trace.txt"), trace});
    }
    if (input.includeDocument) {
        const std::vector<std::uint8_t> bytes = dataFileBytes(session.doc);
        files.push_back({QStringLiteral("document.dat"),
                         QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()))});
    }
    scrubSecrets(files, knownSecrets(session));
    return files;
}

} // namespace zav::help
