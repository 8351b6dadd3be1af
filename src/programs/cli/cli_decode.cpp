// decode MEM.bin --mode N -o FILE.dat: a 25664-byte radio memory into a
// data file, as a read from a radio in channel mode N would give it.

#include "cli_open.h"
#include "command.h"

#include "memory_map.h"

#include "atomic_file.h"
#include "data_file.h"
#include "defaults.h"

#include <QCommandLineParser>

namespace zav::cli {
namespace {

int RunDecode(const QStringList& args)
{
    QTextStream err(stderr);
    QCommandLineParser parser;
    parser.addOption({"mode", "Channel mode of the radio: 0 country, 4 extended.", "N"});
    parser.addOption({{"o", "output"}, "Data file to write.", "FILE"});
    bool modeOk = false;
    if (!parser.parse(QStringList{"decode"} + args) || !parser.isSet("o") || !parser.isSet("mode")
        || parser.positionalArguments().size() != 1) {
        err << "usage: zavprog-cli decode MEM.bin --mode N -o FILE.dat\n";
        return 2;
    }
    const int mode = parser.value("mode").toInt(&modeOk);
    if (!modeOk || mode < -32768 || mode > 32767) {
        err << "zavprog-cli: --mode takes a number (0 country mode, 4 extended mode)\n";
        return 2;
    }
    const QString input = parser.positionalArguments().first();
    const AppPaths paths = installedPaths();
    // One byte more than a memory image tells a long file from a whole one.
    const auto data = readFilePrefix(input.toStdString(), link::kMemoryBytes + 1);
    if (!data) {
        reportMessage(err, input, englishTexts(paths), 9002);
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
    const QString output = parser.value("o");
    if (!saveDocument(doc, output.toStdString())) {
        reportMessage(err, output, englishTexts(paths), 9002);
        return 1;
    }
    return 0;
}

} // namespace

ZAV_CLI_COMMAND("decode", "decode MEM.bin --mode N -o FILE.dat   a radio memory into a data file", RunDecode);

} // namespace zav::cli
