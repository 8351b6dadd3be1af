#include "command.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#ifdef ZAV_CLI_REPORT
#include <QGuiApplication>
#endif
#include <QTextStream>

#include <algorithm>
#include <memory>
#include <string_view>
#include <vector>

namespace zav::cli {
namespace {
std::vector<Command>& registry()
{
    static std::vector<Command> commands;
    return commands;
}
} // namespace

bool registerCommand(Command command)
{
    auto& all = registry();
    all.push_back(std::move(command));
    std::sort(all.begin(), all.end(), [](const Command& a, const Command& b) { return std::string_view(a.name) < b.name; });
    return true;
}

const std::vector<Command>& commands() { return registry(); }

} // namespace zav::cli

int main(int argc, char* argv[])
{
#ifdef ZAV_CLI_REPORT
    // The report lays out text and draws pictures, and the language check
    // measures captions in the windows' font, which takes Qt Gui (on the
    // offscreen platform: no display needed); every other command stays a
    // plain core application.
    const bool drawing =
        argc > 1 && (std::string_view(argv[1]) == "report" || std::string_view(argv[1]) == "check-language");
    if (drawing)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app = drawing ? std::make_unique<QGuiApplication>(argc, argv)
                                                          : std::make_unique<QCoreApplication>(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    QCoreApplication::setApplicationName("zavprog-cli");
    QCoreApplication::setApplicationVersion(QStringLiteral(ZAV_PROGRAM_VERSION));
    QTextStream err(stderr);

    // The program's own options come before the command; everything from
    // the command's name on is the command's.
    QString description = QStringLiteral("Reads, writes and edits the configuration of ZAV415 radios.\n\nCommands "
                                         "(zavprog-cli COMMAND --help for a command's options):");
    for (const auto& c : zav::cli::commands())
        description += QStringLiteral("\n  ") + QString::fromUtf8(c.synopsis);
    QCommandLineParser parser;
    parser.setApplicationDescription(description);
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")});
    parser.addOption({{QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Show the version and exit.")});
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("The command to run, then its arguments."),
                                 QStringLiteral("COMMAND [options]"));
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QStringList arguments = QCoreApplication::arguments();
    const auto helpText = [&] {
        QString text = parser.helpText();
        const QString started = QStringLiteral("Usage: ") + arguments.value(0);
        if (text.startsWith(started))
            text.replace(0, started.size(), QStringLiteral("Usage: zavprog-cli"));
        return text;
    };
    if (!parser.parse(arguments)) {
        err << "zavprog-cli: " << parser.errorText() << "\nTry 'zavprog-cli --help'.\n";
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        QTextStream(stdout) << helpText();
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        QTextStream(stdout) << "zavprog-cli " << QCoreApplication::applicationVersion() << "\n";
        return 0;
    }
    QStringList args = parser.positionalArguments();
    if (args.isEmpty()) {
        err << helpText();
        return 2;
    }
    const QString name = args.takeFirst();
    for (const auto& c : zav::cli::commands())
        if (name == c.name)
            return c.run(args);
    err << "zavprog-cli: unknown command \"" << name << "\"\nTry 'zavprog-cli --help'.\n";
    return 2;
}
