// report FILE.dat -o REPORT.pdf: the printed report of a document as a PDF
// file, in English or Chinese (--language en|zh; by default the locale's,
// as the desktop program starts).

#include "cli_command_line.h"
#include "cli_open.h"
#include "cli_text_files.h"
#include "command.h"

#include "report_builder.h"
#include "report_pdf.h"
#include "session.h"
#include "startup.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QTextDocument>


namespace zav::cli {
namespace {

int RunReport(const QStringList& args)
{
    QTextStream err(stderr);
    CommandLine line("report", "Writes the printed report of a data file (channels group by group, optional features, "
                               "DTMF codes, tone tips, texts) as a PDF file.");
    QCommandLineParser& parser = line.parser;
    parser.addOption({{"o", "output"}, "PDF file to write (- for standard output).", "FILE"});
    parser.addOption({"language", "Language of the report: en or zh (default: the locale's).", "LANG"});
    parser.addPositionalArgument("FILE.dat", "The data file to report on.");
    if (const auto status = line.parse(args))
        return *status;
    if (const auto status = line.requireOutputAndOneInput("data file"))
        return *status;
    int language = languageFromLocale(QLocale::system().name().toStdString());
    if (parser.isSet("language")) {
        const QString wanted = parser.value("language").toLower();
        if (wanted != "en" && wanted != "zh")
            return line.usageError("--language takes en or zh, not " + parser.value("language"));
        language = wanted == "zh" ? kChinese : kEnglish;
    }
    const QString path = parser.positionalArguments().first();
    Document doc;
    if (!openDataFile(path, doc, err))
        return 1;

    const report::TextLookup text = report::languageFileTexts(installedPaths().languageFile(languageFileFor(language)));
    const report::ReportInfo info{QFileInfo(path).fileName(), QDateTime::currentDateTime(), language == kChinese};
    const auto pages = report::reportDocument(doc, text, info);
    const QString output = parser.value("o");
    const QString title = text(32700) + " - " + info.fileName;
    // Printed into memory first, then saved as every other output is
    // (or copied to standard output): a file that cannot take it is left
    // as it was, and the reason is told.
    const QByteArray pdf = report::reportPdfBytes(*pages, title);
    return writeBinaryFile(output, std::vector<std::uint8_t>(pdf.begin(), pdf.end()), err) ? 0 : 1;
}

} // namespace

ZAV_CLI_COMMAND("report", "report FILE.dat -o REPORT.pdf [--language en|zh]   the printed report as PDF", RunReport);

} // namespace zav::cli
