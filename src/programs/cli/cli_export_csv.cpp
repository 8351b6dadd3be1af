// export-csv FILE.dat -o CHANNELS.csv: the channels of the document's
// current mode as CSV with English column names, for spreadsheets.

#include "cli_open.h"
#include "cli_text_files.h"
#include "command.h"

#include "channel_csv.h"

#include <QCommandLineParser>

namespace zav::cli {
namespace {

int RunExportCsv(const QStringList& args)
{
    QTextStream err(stderr);
    QCommandLineParser parser;
    parser.addOption({{"o", "output"}, "CSV file to write.", "FILE"});
    if (!parser.parse(QStringList{"export-csv"} + args) || !parser.isSet("o")
        || parser.positionalArguments().size() != 1) {
        err << "usage: zavprog-cli export-csv FILE.dat -o CHANNELS.csv\n";
        return 2;
    }
    Document doc;
    if (!openDataFile(parser.positionalArguments().first(), doc, err))
        return 1;
    return writeTextFile(parser.value("o"), exportChannelsCsv(doc), err) ? 0 : 1;
}

} // namespace

ZAV_CLI_COMMAND("export-csv", "export-csv FILE.dat -o CHANNELS.csv   the current mode's channels as CSV", RunExportCsv);

} // namespace zav::cli
