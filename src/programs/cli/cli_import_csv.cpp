// import-csv CHANNELS.csv --into FILE.dat -o OUT.dat: the document with its
// current mode's channel table replaced by the rows of the CSV file. Every
// refused row is listed; then nothing is written.

#include "cli_command_line.h"
#include "cli_open.h"
#include "cli_text_files.h"
#include "command.h"

#include "channel_csv.h"
#include "data_file.h"


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
    return saveDataFile(doc, output, err) ? 0 : 1;
}

} // namespace

ZAV_CLI_COMMAND("import-csv", "import-csv CHANNELS.csv --into FILE.dat -o OUT.dat   replace the channels from CSV",
                RunImportCsv);

} // namespace zav::cli
