#include "cli_open.h"

#include "data_file.h"
#include "versions.h"

#include <QCoreApplication>

namespace zav::cli {

AppPaths InstalledPaths() { return AppPaths::ForProgramDir(QCoreApplication::applicationDirPath().toStdString()); }

TextCatalog EnglishTexts(const AppPaths& paths)
{
    TextCatalog texts;
    texts.setFile(paths.languageFile("english.ini"));
    return texts;
}

namespace {
void Report(QTextStream& err, const QString& path, const std::string& text)
{
    err << "zavprog-cli: " << path << ": " << QString::fromStdString(text).replace("\r\n", "\n") << "\n";
    err.flush();
}
} // namespace

void ReportMessage(QTextStream& err, const QString& path, const TextCatalog& texts, int id)
{
    const std::string text = texts.GetText(id);
    Report(err, path, text.empty() ? "message " + std::to_string(id) : text);
}

bool OpenDataFile(const QString& path, Document& doc, QTextStream& err)
{
    const AppPaths paths = InstalledPaths();
    const VersionRecords versions = LoadVersionRecords(paths.versionFile());
    const OpenResult result = OpenDocument(doc, path.toStdString(), versions);
    if (result.outcome == OpenOutcome::Opened)
        return true;
    const TextCatalog texts = EnglishTexts(paths);
    if (result.outcome == OpenOutcome::Incompatible)
        Report(err, path, IncompatibleMessage(texts, kProgramImageVersion, result.fileVersion));
    else
        ReportMessage(err, path, texts, result.messageId());
    return false;
}

} // namespace zav::cli
