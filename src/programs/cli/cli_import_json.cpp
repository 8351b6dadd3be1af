// import-json CONFIG.json -o FILE.dat: a data file from a configuration
// written by export-json (and perhaps edited). Every refused value is listed
// with its place in the file; then nothing is written.

#include "cli_open.h"
#include "cli_text_files.h"
#include "command.h"

#include "config_json.h"
#include "data_file.h"

#include <QCommandLineParser>

namespace zav::cli {
namespace {

int RunImportJson(const QStringList& args)
{
    QTextStream err(stderr);
    QCommandLineParser parser;
    parser.addOption({{"o", "output"}, "Data file to write.", "FILE"});
    if (!parser.parse(QStringList{"import-json"} + args) || !parser.isSet("o")
        || parser.positionalArguments().size() != 1) {
        err << "usage: zavprog-cli import-json CONFIG.json -o FILE.dat\n";
        return 2;
    }
    const QString jsonPath = parser.positionalArguments().first();
    const QString output = parser.value("o");
    const auto text = readTextFile(jsonPath, err);
    if (!text)
        return 1;
    Document doc;
    const ConfigImportResult result = importConfigJson(doc, *text);
    if (!result.ok()) {
        for (const JsonProblem& problem : result.problems)
            err << jsonPath << ": " << QString::fromStdString(problem.message()) << "\n";
        err << "zavprog-cli: " << jsonPath << ": refused; nothing written\n";
        return 1;
    }
    if (!saveDocument(doc, output.toStdString())) {
        reportMessage(err, output, englishTexts(installedPaths()), 9002);
        return 1;
    }
    return 0;
}

} // namespace

ZAV_CLI_COMMAND("import-json", "import-json CONFIG.json -o FILE.dat   a data file from readable JSON", RunImportJson);

} // namespace zav::cli
