#pragma once

// The conventions every command follows, in one place: -h/--help prints
// the command's options with their meaning on standard output and exits 0;
// an unknown option or a missing value is named on standard error with
// exit 2, as is any other mistake in how the command was called.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

namespace zav::cli {

class CommandLine {
public:
    /// command: its name after zavprog-cli; summary: one sentence on what
    /// it does, the first line of its help.
    CommandLine(const QString& command, const QString& summary);

    /// Options and positional arguments are added here directly.
    QCommandLineParser parser;

    /// Parses args (those after the command name). Empty when the command
    /// goes on; otherwise the exit status (0 after --help, 2 after a
    /// mistake, already reported).
    [[nodiscard]] std::optional<int> parse(const QStringList& args);
    /// A mistake in how the command was called: what (one line) and where
    /// to look; returns 2.
    [[nodiscard]] int usageError(const QString& what) const;
    /// For the commands that turn one input file into the -o file: the
    /// usage error (exit 2) when -o is missing or there is not exactly one
    /// input; empty when the command goes on. what: "data file", ...
    [[nodiscard]] std::optional<int> requireOutputAndOneInput(const QString& what) const;
    /// The command's help, as --help prints it.
    [[nodiscard]] QString helpText() const;

    /// Options several commands share.
    void addPasswordOption();
    /// The radio password from --password, else from $ZAV_PASSWORD (empty
    /// when neither is given). False (reported) when it is longer than the
    /// radio keeps.
    [[nodiscard]] bool password(QString& password) const;
    /// True when neither gave a password and a user at a terminal can be
    /// asked when the radio wants one.
    [[nodiscard]] bool mayAskPassword() const;
    void addTraceOption();

private:
    QString command_;
};

/// A line typed at the terminal without echo (a password), after prompt
/// on standard error.
[[nodiscard]] QString readHiddenLine(const QString& prompt);

/// "-" as an output file: standard output.
[[nodiscard]] bool isStandardOutput(const QString& path);

} // namespace zav::cli
