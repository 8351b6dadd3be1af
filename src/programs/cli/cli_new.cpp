// new -o FILE.dat: a new document (with the installed Init templates), saved.

#include "cli_open.h"
#include "command.h"

#include "data_file.h"
#include "defaults.h"

#include <QCommandLineParser>

namespace zav::cli {
namespace {

int RunNew(const QStringList& args)
{
    QTextStream err(stderr);
    QCommandLineParser parser;
    parser.addOption({{"o", "output"}, "File to write.", "FILE"});
    if (!parser.parse(QStringList{"new"} + args) || !parser.isSet("o") || !parser.positionalArguments().isEmpty()) {
        err << "usage: zavprog-cli new -o FILE.dat\n";
        return 2;
    }
    const QString output = parser.value("o");
    const AppPaths paths = installedPaths();
    Document doc;
    const NewDocumentResult built = buildNewDocument(doc, paths.initDir(), TemplateVariant::NewDocument);
    // A broken template is reported; the new file has the defaults, as a
    // new document in the desktop program has after the same message.
    if (built.messageId != 0)
        reportMessage(err, QString::fromStdString(built.templatePath), englishTexts(paths), built.messageId);
    if (!saveDocument(doc, output.toStdString())) {
        reportMessage(err, output, englishTexts(paths), 9002);
        return 1;
    }
    return 0;
}

} // namespace

ZAV_CLI_COMMAND("new", "new -o FILE.dat        write a new document", RunNew);

} // namespace zav::cli
