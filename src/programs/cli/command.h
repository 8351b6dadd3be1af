#pragma once

// zavprog-cli is a thin front end: one file per command, each registering
// itself here with ZAV_CLI_COMMAND.

#include <QStringList>

#include <functional>

namespace zav::cli {

struct Command {
    const char* name;
    const char* synopsis; ///< one line for the usage text
    std::function<int(const QStringList& args)> run; ///< args after the command name
};

/// Adds a command (used by ZAV_CLI_COMMAND at static initialisation).
bool registerCommand(Command command);
/// All commands, in name order.
const std::vector<Command>& commands();

} // namespace zav::cli

#define ZAV_CLI_CONCAT2(a, b) a##b
#define ZAV_CLI_CONCAT(a, b) ZAV_CLI_CONCAT2(a, b)
#define ZAV_CLI_COMMAND(name, synopsis, fn)                                                                     \
    static const bool ZAV_CLI_CONCAT(zavCliRegistered_, __LINE__) = ::zav::cli::registerCommand({name, synopsis, fn})
