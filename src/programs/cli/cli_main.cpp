#include "command.h"

#include <QCoreApplication>
#include <QTextStream>

#include <algorithm>
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
    QCoreApplication app(argc, argv);
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
