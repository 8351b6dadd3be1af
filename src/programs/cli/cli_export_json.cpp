// export-json FILE.dat -o CONFIG.json: the whole document as readable JSON
// that import-json turns back into the same data file.

#include "cli_open.h"
#include "cli_text_files.h"
#include "command.h"

#include "config_json.h"

#include <QCommandLineParser>

namespace zav::cli {
namespace {

int RunExportJson(const QStringList& args)
{
    QTextStream err(stderr);
    QCommandLineParser parser;
    parser.addOption({{"o", "output"}, "JSON file to write.", "FILE"});
    if (!parser.parse(QStringList{"export-json"} + args) || !parser.isSet("o")
        || parser.positionalArguments().size() != 1) {
        err << "usage: zavprog-cli export-json FILE.dat -o CONFIG.json\n";
        return 2;
    }
    Document doc;
    if (!openDataFile(parser.positionalArguments().first(), doc, err))
        return 1;
    return writeTextFile(parser.value("o"), exportConfigJson(doc), err) ? 0 : 1;
}

} // namespace

ZAV_CLI_COMMAND("export-json", "export-json FILE.dat -o CONFIG.json   the whole document as readable JSON",
                RunExportJson);

} // namespace zav::cli
