#include "command.h"

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
std::vector<Command>& Registry()
{
    static std::vector<Command> commands;
    return commands;
}
} // namespace

bool registerCommand(Command command)
{
    auto& all = Registry();
    all.push_back(std::move(command));
    std::sort(all.begin(), all.end(), [](const Command& a, const Command& b) { return std::string_view(a.name) < b.name; });
    return true;
}

const std::vector<Command>& commands() { return Registry(); }

} // namespace zav::cli

int main(int argc, char* argv[])
{
#ifdef ZAV_CLI_REPORT
    // The report lays out text and draws pictures, which takes Qt Gui (on
    // the offscreen platform: no display needed); every other command stays
    // a plain core application.
    const bool drawing = argc > 1 && std::string_view(argv[1]) == "report";
    if (drawing)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app = drawing ? std::make_unique<QGuiApplication>(argc, argv)
                                                          : std::make_unique<QCoreApplication>(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    QCoreApplication::setApplicationName("zavprog-cli");
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    QTextStream err(stderr);
    auto usage = [&] {
        err << "usage: zavprog-cli COMMAND [options]\n\ncommands:\n";
        for (const auto& c : zav::cli::commands())
            err << "  " << c.synopsis << "\n";
        err.flush();
    };
    if (args.isEmpty() || args.first() == "--help" || args.first() == "-h") {
        usage();
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.takeFirst();
    for (const auto& c : zav::cli::commands())
        if (name == c.name)
            return c.run(args);
    err << "zavprog-cli: unknown command \"" << name << "\"\n";
    usage();
    return 2;
}
