#include "cli_open.h"

#include "cli_command_line.h"
#include "cli_text_files.h"

#include "data_file.h"
#include "image_layout.h"
#include "versions.h"

#include <QCoreApplication>

namespace zav::cli {

AppPaths installedPaths() { return AppPaths::forProgramDir(QCoreApplication::applicationDirPath().toStdString()); }

TextCatalog englishTexts(const AppPaths& paths)
{
    TextCatalog texts;
    texts.setFile(paths.languageFile("english.ini"));
    return texts;
}

namespace {
void report(QTextStream& err, const QString& path, const std::string& text)
{
    err << "zavprog-cli: " << path << ": " << QString::fromStdString(text).replace("\r\n", "\n") << "\n";
    err.flush();
}
} // namespace

void reportMessage(QTextStream& err, const QString& path, const TextCatalog& texts, int id)
{
    const std::string text = texts.text(id);
    report(err, path, text.empty() ? "message " + std::to_string(id) : text);
}

bool openDataFile(const QString& path, Document& doc, QTextStream& err)
{
    const AppPaths paths = installedPaths();
    const VersionRecords versions = loadVersionRecords(paths.versionFile());
    const OpenResult result = openDocument(doc, path.toStdString(), versions);
    if (result.outcome == OpenOutcome::Opened)
        return true;
    const TextCatalog texts = englishTexts(paths);
    if (result.outcome == OpenOutcome::Incompatible)
        report(err, path, incompatibleMessage(texts, kProgramImageVersion, result.fileVersion));
    else
        reportMessage(err, path, texts, result.messageId());
    return false;
}

bool saveDataFile(Document& doc, const QString& path, QTextStream& err)
{
    if (isStandardOutput(path)) {
        Document next = doc;
        next.copyWorkingToSaved();
        return writeBinaryFile(path, writeFullImage(next.saved), err);
    }
    const FileWriteResult saved = saveDocument(doc, path.toStdString());
    if (saved)
        return true;
    reportMessage(err, path, englishTexts(installedPaths()), kTextFileError);
    reportWriteProblem(err, path, saved);
    return false;
}

} // namespace zav::cli
