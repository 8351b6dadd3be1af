// import-csv CHANNELS.csv --into FILE.dat [--merge] -o OUT.dat: the rows of
// the CSV file typed into the current mode's channel table, by the table's
// rules: in extended mode they replace the table (with --merge they go over
// the channels of their numbers and the others stay), in country mode they
// change only the columns other than the frequencies of the channels the
// file holds. Every problem of every refused row is listed; then nothing is
// written.

#include "cli_command_line.h"
#include "cli_exchange.h"
#include "cli_open.h"
#include "command.h"

#include "channel_csv.h"


namespace zav::cli {
namespace {

int runImportCsv(const QStringList& args)
{
    QTextStream err(stderr);
    CommandLine line("import-csv", "Types the rows of a CSV file into the current mode's channel table of a data file: "
                                   "in extended mode they replace the table (or, with --merge, change only the channels "
                                   "the file names), in country mode they change only the columns other than the "
                                   "frequencies and offsets of the channels it holds. Lists every problem of every "
                                   "refused row and then writes nothing.");
    QCommandLineParser& parser = line.parser;
    parser.addOption({"into", "Data file whose channels are replaced.", "FILE"});
    parser.addOption({"merge", "Change only the channels the file names, as typing over them would, and keep every "
                               "other channel (what a country-mode import always does)."});
    parser.addOption({{"o", "output"}, "Data file to write (- for standard output).", "FILE"});
    parser.addPositionalArgument("CHANNELS.csv", "The channel table to import.");
    if (const auto status = line.parse(args))
        return *status;
    if (!parser.isSet("into") || !parser.isSet("o"))
        return line.usageError("--into FILE and -o FILE are required");
    if (parser.positionalArguments().size() != 1)
        return line.usageError("one CSV file is expected");
    const QString csvPath = parser.positionalArguments().first();
    Document doc;
    if (!openDataFile(parser.value("into"), doc, err))
        return 1;
    const ImportScope scope = parser.isSet("merge") ? ImportScope::ChannelsInFile : ImportScope::ReplaceTable;
    return importAndSave(csvPath, doc, parser.value("o"), err, [&doc, &err, &csvPath, scope](const std::string& text) {
        const CsvImportResult result = importChannelsCsv(doc, text, RefusedRows::ChangeNothing, scope);
        Refusals refused;
        for (const CsvProblem& problem : result.problems)
            refused.messages.push_back(problem.message());
        const int rows = result.refusedRows();
        refused.summary = QString::number(rows) + (rows == 1 ? " row" : " rows") + " refused";
        // Emergency channels that pointed at empty slots were cleared: the
        // user did not ask for that, so it is said.
        if (result.ok()) {
            for (const EmergencyReset& reset : result.emergencyResets)
                err << csvPath << ": " << QString::fromStdString(englishReason(emergencyResetReason(reset))) << "\n";
        }
        return refused;
    });
}

} // namespace

ZAV_CLI_COMMAND("import-csv", "import-csv CHANNELS.csv --into FILE.dat [--merge] -o OUT.dat   channels from CSV",
                runImportCsv);

} // namespace zav::cli
