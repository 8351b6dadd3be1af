// export-json FILE.dat -o CONFIG.json: the whole document as readable JSON
// that import-json turns back into the same data file.

#include "cli_exchange.h"
#include "command.h"

#include "config_json.h"

namespace zav::cli {
namespace {

int runExportJson(const QStringList& args)
{
    return runExport(args, {"export-json",
                            "Writes the whole document as readable JSON that import-json turns back into the same data "
                            "file.",
                            "JSON file to write (- for standard output).", exportConfigJson});
}

} // namespace

ZAV_CLI_COMMAND("export-json", "export-json FILE.dat -o CONFIG.json   the whole document as readable JSON",
                runExportJson);

} // namespace zav::cli
