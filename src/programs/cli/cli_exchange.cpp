#include "cli_exchange.h"

#include "cli_command_line.h"
#include "cli_open.h"
#include "cli_text_files.h"

namespace zav::cli {

int runExport(const QStringList& args, const ExportCommand& command)
{
    QTextStream err(stderr);
    CommandLine line(QString::fromLatin1(command.name), QString::fromUtf8(command.summary));
    QCommandLineParser& parser = line.parser;
    parser.addOption({{"o", "output"}, QString::fromUtf8(command.outputHelp), "FILE"});
    parser.addPositionalArgument("FILE.dat", "The data file to export.");
    if (const auto status = line.parse(args))
        return *status;
    if (const auto status = line.requireOutputAndOneInput("data file"))
        return *status;
    Document doc;
    if (!openDataFile(parser.positionalArguments().first(), doc, err))
        return 1;
    return writeTextFile(parser.value("o"), command.convert(doc), err) ? 0 : 1;
}

int importAndSave(const QString& source, Document& doc, const QString& output, QTextStream& err,
                  const std::function<Refusals(const std::string& text)>& import)
{
    const auto text = readTextFile(source, err);
    if (!text)
        return 1;
    const Refusals refused = import(*text);
    if (!refused.messages.empty()) {
        for (const std::string& message : refused.messages)
            err << source << ": " << QString::fromStdString(message) << "\n";
        err << "zavprog-cli: " << source << ": " << refused.summary << "; nothing written\n";
        return 1;
    }
    return saveDataFile(doc, output, err) ? 0 : 1;
}

} // namespace zav::cli
