// report FILE.dat -o REPORT.pdf: the printed report of a document as a PDF
// file in any language the program has a file for (--language en, zh, de,
// pl, it or a user's own; by default the locale's, as the desktop program
// starts).

#include "cli_command_line.h"
#include "cli_open.h"
#include "cli_text_files.h"
#include "command.h"

#include "report_builder.h"
#include "report_pdf.h"
#include "session.h"
#include "startup.h"
#include "user_folders.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QTextDocument>


namespace zav::cli {
namespace {


int runReport(const QStringList& args)
{
    QTextStream err(stderr);
    CommandLine line("report", "Writes the printed report of a data file (channels group by group, optional features, "
                               "DTMF codes, tone tips, texts) as a PDF file.");
    QCommandLineParser& parser = line.parser;
    parser.addOption({{"o", "output"}, "PDF file to write (- for standard output).", "FILE"});
    parser.addOption({"language", "Language of the report: en, zh, de, pl, it or the locale of a language file "
                                  "added by the user (default: the locale's).", "LANG"});
    parser.addPositionalArgument("FILE.dat", "The data file to report on.");
    if (const auto status = line.parse(args))
        return *status;
    if (const auto status = line.requireOutputAndOneInput("data file"))
        return *status;
    AppPaths paths = installedPaths();
    if (const std::string data = userDataFolder(); !data.empty())
        paths.userLanguageDir = data + "/language";
    const LanguageFolders languages = findLanguages(paths.languageFolders());
    const LanguageFile* language = languages.forSystemLocale(QLocale::system().name().toStdString());
    if (parser.isSet("language")) {
        // "zh" has always meant the simplified Chinese of the Chinese file.
        const std::string wanted = parser.value("language").toLower() == "zh" ? std::string(kChineseLocale)
                                                                                : parser.value("language").toStdString();
        language = languages.find(wanted);
        if (!language) {
            QStringList known;
            for (const LanguageFile& l : languages.languages)
                known << QString::fromStdString(l.locale);
            return line.usageError("--language takes one of " + known.join(", ") + ", not " + parser.value("language"));
        }
    }
    if (!language)
        language = languages.find(kEnglishLocale);
    const QString path = parser.positionalArguments().first();
    Document doc;
    if (!openDataFile(path, doc, err))
        return 1;

    const std::string languageFile = language ? language->path : paths.languageFile(languageFileFor(kEnglish));
    const report::TextLookup text = report::languageFileTexts(languageFile);
    const report::ReportInfo info{QFileInfo(path).fileName(), QDateTime::currentDateTime(),
                                  language && language->number == kChinese};
    const auto pages = report::reportDocument(doc, text, info);
    const QString output = parser.value("o");
    const QString title = text(report::kTextReportTitle) + " - " + info.fileName;
    // Printed into memory first, then saved as every other output is
    // (or copied to standard output): a file that cannot take it is left
    // as it was, and the reason is told.
    const QByteArray pdf = report::reportPdfBytes(*pages, title);
    return writeBinaryFile(output, std::vector<std::uint8_t>(pdf.begin(), pdf.end()), err) ? 0 : 1;
}

} // namespace

ZAV_CLI_COMMAND("report", "report FILE.dat -o REPORT.pdf [--language en|zh]   the printed report as PDF", runReport);

} // namespace zav::cli
