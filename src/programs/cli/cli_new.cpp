// new -o FILE.dat: a new document (with the installed Init templates), saved.

#include "cli_command_line.h"
#include "cli_open.h"
#include "command.h"

#include "data_file.h"
#include "defaults.h"


namespace zav::cli {
namespace {

int runNew(const QStringList& args)
{
    QTextStream err(stderr);
    CommandLine line("new", "Writes a new document (with the installed templates) to a data file.");
    QCommandLineParser& parser = line.parser;
    parser.addOption({{"o", "output"}, "Data file to write (- for standard output).", "FILE"});
    if (const auto status = line.parse(args))
        return *status;
    if (!parser.isSet("o"))
        return line.usageError("-o FILE is required");
    if (!parser.positionalArguments().isEmpty())
        return line.usageError("unexpected argument " + parser.positionalArguments().first());
    const QString output = parser.value("o");
    const AppPaths paths = installedPaths();
    Document doc;
    const NewDocumentResult built = buildNewDocument(doc, paths.initDir(), TemplateVariant::NewDocument);
    // A broken template is reported; the new file has the defaults, as a
    // new document in the desktop program has after the same message.
    if (built.messageId != 0)
        reportMessage(err, QString::fromStdString(built.templatePath), englishTexts(paths), built.messageId);
    return saveDataFile(doc, output, err) ? 0 : 1;
}

} // namespace

ZAV_CLI_COMMAND("new", "new -o FILE.dat        write a new document", runNew);

} // namespace zav::cli
