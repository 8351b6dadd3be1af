// import-csv CHANNELS.csv --into FILE.dat -o OUT.dat: the document with its
// current mode's channel table replaced by the rows of the CSV file. Every
// refused row is listed; then nothing is written.

#include "cli_open.h"
#include "cli_text_files.h"
#include "command.h"

#include "channel_csv.h"
#include "data_file.h"

#include <QCommandLineParser>

namespace zav::cli {
namespace {

int RunImportCsv(const QStringList& args)
{
    QTextStream err(stderr);
    QCommandLineParser parser;
    parser.addOption({"into", "Data file whose channels are replaced.", "FILE"});
    parser.addOption({{"o", "output"}, "Data file to write.", "FILE"});
    if (!parser.parse(QStringList{"import-csv"} + args) || !parser.isSet("into") || !parser.isSet("o")
        || parser.positionalArguments().size() != 1) {
        err << "usage: zavprog-cli import-csv CHANNELS.csv --into FILE.dat -o OUT.dat\n";
        return 2;
    }
    const QString csvPath = parser.positionalArguments().first();
    const QString output = parser.value("o");
    Document doc;
    if (!openDataFile(parser.value("into"), doc, err))
        return 1;
    const auto text = readTextFile(csvPath, err);
    if (!text)
        return 1;
    const CsvImportResult result = importChannelsCsv(doc, *text);
    if (!result.ok()) {
        for (const CsvProblem& problem : result.problems)
            err << csvPath << ": " << QString::fromStdString(problem.message()) << "\n";
        err << "zavprog-cli: " << csvPath << ": " << result.problems.size()
            << (result.problems.size() == 1 ? " row" : " rows") << " refused; nothing written\n";
        return 1;
    }
    if (!saveDocument(doc, output.toStdString())) {
        reportMessage(err, output, englishTexts(installedPaths()), 9002);
        return 1;
    }
    return 0;
}

} // namespace

ZAV_CLI_COMMAND("import-csv", "import-csv CHANNELS.csv --into FILE.dat -o OUT.dat   replace the channels from CSV",
                RunImportCsv);

} // namespace zav::cli
