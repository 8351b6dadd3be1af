// encode FILE.dat -o MEM.bin: the 25664-byte radio memory a write sends
// (before the radio's own identity bytes are put into 0x21F0..0x21FD).

#include "cli_command_line.h"
#include "cli_open.h"
#include "cli_text_files.h"
#include "command.h"

#include "memory_map.h"

#include "atomic_file.h"


namespace zav::cli {
namespace {

int runEncode(const QStringList& args)
{
    QTextStream err(stderr);
    CommandLine line("encode", "Writes the 25664-byte radio memory that a write of the data file sends.");
    QCommandLineParser& parser = line.parser;
    parser.addOption({{"o", "output"}, "Memory image to write (- for standard output).", "FILE"});
    parser.addPositionalArgument("FILE.dat", "The data file to encode.");
    if (const auto status = line.parse(args))
        return *status;
    if (const auto status = line.requireOutputAndOneInput("data file"))
        return *status;
    Document doc;
    if (!openDataFile(parser.positionalArguments().first(), doc, err))
        return 1;
    const link::RadioMemory memory = link::encodeDocument(doc);
    const QString output = parser.value("o");
    return writeBinaryFile(output, {memory.begin(), memory.end()}, err) ? 0 : 1;
}

} // namespace

ZAV_CLI_COMMAND("encode", "encode FILE.dat -o MEM.bin   the radio memory a write sends", runEncode);

} // namespace zav::cli
