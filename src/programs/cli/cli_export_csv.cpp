// export-csv FILE.dat -o CHANNELS.csv: the channels of the document's
// current mode as CSV with English column names, for spreadsheets.

#include "cli_command_line.h"
#include "cli_open.h"
#include "cli_text_files.h"
#include "command.h"

#include "channel_csv.h"


namespace zav::cli {
namespace {

int RunExportCsv(const QStringList& args)
{
    QTextStream err(stderr);
    CommandLine line("export-csv", "Writes the channels of the data file's current mode as CSV with English column names.");
    QCommandLineParser& parser = line.parser;
    parser.addOption({{"o", "output"}, "CSV file to write (- for standard output).", "FILE"});
    parser.addPositionalArgument("FILE.dat", "The data file to export.");
    if (const auto status = line.parse(args))
        return *status;
    if (!parser.isSet("o"))
        return line.usageError("-o FILE is required");
    if (parser.positionalArguments().size() != 1)
        return line.usageError("one data file is expected");
    Document doc;
    if (!openDataFile(parser.positionalArguments().first(), doc, err))
        return 1;
    return writeTextFile(parser.value("o"), exportChannelsCsv(doc), err) ? 0 : 1;
}

} // namespace

ZAV_CLI_COMMAND("export-csv", "export-csv FILE.dat -o CHANNELS.csv   the current mode's channels as CSV", RunExportCsv);

} // namespace zav::cli
