// decode MEM.bin --mode N -o FILE.dat: a 25664-byte radio memory into a
// data file, as a read from a radio in channel mode N would give it.

#include "cli_command_line.h"
#include "cli_open.h"
#include "cli_text_files.h"
#include "command.h"

#include "memory_map.h"

#include "atomic_file.h"
#include "data_file.h"
#include "defaults.h"


namespace zav::cli {
namespace {

int runDecode(const QStringList& args)
{
    QTextStream err(stderr);
    CommandLine line("decode", "Makes a data file from a 25664-byte radio memory, as a read from a radio in the given "
                               "channel mode would.");
    QCommandLineParser& parser = line.parser;
    parser.addOption({"mode", "Channel mode of the radio: 0 (or country), 4 (or extended).", "N"});
    parser.addOption({{"o", "output"}, "Data file to write (- for standard output).", "FILE"});
    parser.addPositionalArgument("MEM.bin", "The radio memory to decode.");
    if (const auto status = line.parse(args))
        return *status;
    if (!parser.isSet("o") || !parser.isSet("mode"))
        return line.usageError("--mode N and -o FILE are required");
    if (parser.positionalArguments().size() != 1)
        return line.usageError("one memory image is expected");
    // Only the modes a radio has: another number would make a document no
    // radio could hold.
    const QString modeText = parser.value("mode").trimmed().toLower();
    int mode = -1;
    if (modeText == "0" || modeText == "country")
        mode = 0;
    else if (modeText == QString::number(kExtendedMode) || modeText == "extended")
        mode = kExtendedMode;
    else
        return line.usageError("--mode takes 0 (country) or 4 (extended), not " + parser.value("mode"));
    const QString input = parser.positionalArguments().first();
    const AppPaths paths = installedPaths();
    // One byte more than a memory image tells a long file from a whole one.
    const auto data = readFilePrefix(input.toStdString(), link::kMemoryBytes + 1);
    if (!data) {
        reportMessage(err, input, englishTexts(paths), kTextFileError);
        return 1;
    }
    if (data->size() != std::size_t(link::kMemoryBytes)) {
        err << "zavprog-cli: " << input << ": a radio memory image is exactly " << link::kMemoryBytes << " bytes\n";
        return 1;
    }
    link::RadioMemory memory;
    std::copy(data->begin(), data->end(), memory.begin());

    Document doc;
    buildNewDocument(doc, paths.initDir(), TemplateVariant::NewDocument);
    link::decodeDocument(memory, static_cast<Int16>(mode), doc);
    return saveDataFile(doc, parser.value("o"), err) ? 0 : 1;
}

} // namespace

ZAV_CLI_COMMAND("decode", "decode MEM.bin --mode N -o FILE.dat   a radio memory into a data file", runDecode);

} // namespace zav::cli
