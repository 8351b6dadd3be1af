// import-csv CHANNELS.csv --into FILE.dat -o OUT.dat: the document with its
// current mode's channel table replaced by the rows of the CSV file. Every
// refused row is listed; then nothing is written.

#include "cli_command_line.h"
#include "cli_exchange.h"
#include "cli_open.h"
#include "command.h"

#include "channel_csv.h"


namespace zav::cli {
namespace {

int RunImportCsv(const QStringList& args)
{
    QTextStream err(stderr);
    CommandLine line("import-csv", "Replaces the current mode's channel table of a data file with the rows of a CSV "
                                   "file; lists every refused row and then writes nothing.");
    QCommandLineParser& parser = line.parser;
    parser.addOption({"into", "Data file whose channels are replaced.", "FILE"});
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
    return importAndSave(csvPath, doc, parser.value("o"), err, [&doc](const std::string& text) {
        const CsvImportResult result = importChannelsCsv(doc, text);
        Refusals refused;
        for (const CsvProblem& problem : result.problems)
            refused.messages.push_back(problem.message());
        const std::size_t rows = result.problems.size();
        refused.summary = QString::number(rows) + (rows == 1 ? " row" : " rows") + " refused";
        return refused;
    });
}

} // namespace

ZAV_CLI_COMMAND("import-csv", "import-csv CHANNELS.csv --into FILE.dat -o OUT.dat   replace the channels from CSV",
                RunImportCsv);

} // namespace zav::cli
