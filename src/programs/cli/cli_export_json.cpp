// export-json FILE.dat -o CONFIG.json: the whole document as readable JSON
// that import-json turns back into the same data file.

#include "cli_command_line.h"
#include "cli_open.h"
#include "cli_text_files.h"
#include "command.h"

#include "config_json.h"


namespace zav::cli {
namespace {

int RunExportJson(const QStringList& args)
{
    QTextStream err(stderr);
    CommandLine line("export-json", "Writes the whole document as readable JSON that import-json turns back into the "
                                    "same data file.");
    QCommandLineParser& parser = line.parser;
    parser.addOption({{"o", "output"}, "JSON file to write (- for standard output).", "FILE"});
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
    return writeTextFile(parser.value("o"), exportConfigJson(doc), err) ? 0 : 1;
}

} // namespace

ZAV_CLI_COMMAND("export-json", "export-json FILE.dat -o CONFIG.json   the whole document as readable JSON",
                RunExportJson);

} // namespace zav::cli
