// import-json CONFIG.json -o FILE.dat: a data file from a configuration
// written by export-json (and perhaps edited). Every refused value is listed
// with its place in the file; then nothing is written.

#include "cli_command_line.h"
#include "cli_exchange.h"
#include "cli_open.h"
#include "command.h"

#include "config_json.h"
#include "versions.h"


namespace zav::cli {
namespace {

int runImportJson(const QStringList& args)
{
    QTextStream err(stderr);
    CommandLine line("import-json", "Makes a data file from a configuration written by export-json (and perhaps "
                                    "edited); lists every refused value with its place and then writes nothing.");
    QCommandLineParser& parser = line.parser;
    parser.addOption({{"o", "output"}, "Data file to write (- for standard output).", "FILE"});
    parser.addPositionalArgument("CONFIG.json", "The configuration to import.");
    if (const auto status = line.parse(args))
        return *status;
    if (const auto status = line.requireOutputAndOneInput("JSON file"))
        return *status;
    Document doc;
    // The versions this program opens: the same ones opening a data file takes.
    const VersionRecords versions = loadVersionRecords(installedPaths().versionFile());
    return importAndSave(parser.positionalArguments().first(), doc, parser.value("o"), err,
                         [&doc, &versions](const std::string& text) {
                             const ConfigImportResult result = importConfigJson(doc, text, versions);
                             Refusals refused;
                             for (const JsonProblem& problem : result.problems)
                                 refused.messages.push_back(problem.message());
                             refused.summary = "refused";
                             return refused;
                         });
}

} // namespace

ZAV_CLI_COMMAND("import-json", "import-json CONFIG.json -o FILE.dat   a data file from readable JSON", runImportJson);

} // namespace zav::cli
