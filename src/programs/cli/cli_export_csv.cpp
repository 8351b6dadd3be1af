// export-csv FILE.dat -o CHANNELS.csv: the channels of the document's
// current mode as CSV with English column names, for spreadsheets.

#include "cli_exchange.h"
#include "command.h"

#include "channel_csv.h"

namespace zav::cli {
namespace {

int runExportCsv(const QStringList& args)
{
    return runExport(args, {"export-csv",
                            "Writes the channels of the data file's current mode as CSV with English column names.",
                            "CSV file to write (- for standard output).", exportChannelsCsv});
}

} // namespace

ZAV_CLI_COMMAND("export-csv", "export-csv FILE.dat -o CHANNELS.csv   the current mode's channels as CSV", runExportCsv);

} // namespace zav::cli
