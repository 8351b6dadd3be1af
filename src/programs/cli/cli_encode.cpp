// encode FILE.dat -o MEM.bin: the 25664-byte radio memory a write sends
// (before the radio's own identity bytes are put into 0x21F0..0x21FD).

#include "cli_open.h"
#include "command.h"

#include "memory_map.h"

#include "atomic_file.h"

#include <QCommandLineParser>

namespace zav::cli {
namespace {

int RunEncode(const QStringList& args)
{
    QTextStream err(stderr);
    QCommandLineParser parser;
    parser.addOption({{"o", "output"}, "Memory image to write.", "FILE"});
    if (!parser.parse(QStringList{"encode"} + args) || !parser.isSet("o") || parser.positionalArguments().size() != 1) {
        err << "usage: zavprog-cli encode FILE.dat -o MEM.bin\n";
        return 2;
    }
    Document doc;
    if (!openDataFile(parser.positionalArguments().first(), doc, err))
        return 1;
    const link::RadioMemory memory = link::encodeDocument(doc);
    const QString output = parser.value("o");
    if (!writeFileAtomically(output.toStdString(), {memory.begin(), memory.end()})) {
        reportMessage(err, output, englishTexts(installedPaths()), 9002);
        return 1;
    }
    return 0;
}

} // namespace

ZAV_CLI_COMMAND("encode", "encode FILE.dat -o MEM.bin   the radio memory a write sends", RunEncode);

} // namespace zav::cli
