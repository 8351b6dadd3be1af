// diff A.dat B.dat: the fields in which two data files differ. Exit status
// 0 when equal, 1 when different, 2 when a file cannot be opened.

#include "cli_open.h"
#include "command.h"

#include "image_diff.h"

namespace zav::cli {
namespace {

int RunDiff(const QStringList& args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.size() != 2) {
        err << "usage: zavprog-cli diff A.dat B.dat\n";
        return 2;
    }
    Document a;
    Document b;
    if (!openDataFile(args[0], a, err) || !openDataFile(args[1], b, err))
        return 2;
    const auto differences = diffImages(a.working, b.working);
    for (const FieldDifference& d : differences)
        out << QString::fromStdString(d.name) << ": " << QString::fromStdString(d.a) << " -> "
            << QString::fromStdString(d.b) << "\n";
    return differences.empty() ? 0 : 1;
}

} // namespace

ZAV_CLI_COMMAND("diff", "diff A.dat B.dat        fields in which two data files differ", RunDiff);

} // namespace zav::cli
