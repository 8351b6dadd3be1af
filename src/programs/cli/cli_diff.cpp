// diff A.dat B.dat: the fields in which two data files differ. Exit status
// 0 when equal, 1 when different, 2 when a file cannot be opened.

#include "cli_command_line.h"
#include "cli_open.h"
#include "command.h"

#include "image_diff.h"

namespace zav::cli {
namespace {

int runDiff(const QStringList& args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandLine line("diff", "Lists the fields in which two data files differ. Exit status 0 when they are equal, 1 "
                             "when they differ, 2 when a file cannot be opened.");
    QCommandLineParser& parser = line.parser;
    parser.addPositionalArgument("A.dat", "The first data file.");
    parser.addPositionalArgument("B.dat", "The second data file.");
    if (const auto status = line.parse(args))
        return *status;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2)
        return line.usageError("two data files are expected");
    Document a;
    Document b;
    if (!openDataFile(files[0], a, err) || !openDataFile(files[1], b, err))
        return 2;
    const auto differences = diffImages(a.working, b.working);
    for (const FieldDifference& d : differences)
        out << QString::fromStdString(d.name) << ": " << QString::fromStdString(d.a) << " -> "
            << QString::fromStdString(d.b) << "\n";
    return differences.empty() ? 0 : 1;
}

} // namespace

ZAV_CLI_COMMAND("diff", "diff A.dat B.dat        fields in which two data files differ", runDiff);

} // namespace zav::cli
