#include "cli_command_line.h"

#include "fixed_text.h"

#include <QCoreApplication>
#include <QTextStream>

#include <termios.h>
#include <unistd.h>

namespace zav::cli {
namespace {

// The radio keeps four characters; anything longer can never match.
constexpr std::size_t kPasswordLength = 4;

} // namespace

// Echo off: the password must not show on the screen or in the scroll-back.
QString readHiddenLine(const QString& prompt)
{
    QTextStream err(stderr);
    err << prompt;
    err.flush();
    termios saved{};
    const bool terminal = ::tcgetattr(STDIN_FILENO, &saved) == 0;
    if (terminal) {
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    const QString line = QTextStream(stdin).readLine();
    if (terminal)
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    err << "\n";
    err.flush();
    return line;
}

CommandLine::CommandLine(const QString& command, const QString& summary) : command_(command)
{
    parser.setApplicationDescription(summary);
    // Not addHelpOption(): its --help-all would list Qt's own options, which
    // a command does not take.
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")});
}

QString CommandLine::helpText() const
{
    // Qt names the program by the path it was started with; the help names
    // the command as it is typed.
    QString text = parser.helpText();
    const QString started = QCoreApplication::arguments().value(0);
    const QString prefix = QStringLiteral("Usage: ") + started;
    if (text.startsWith(prefix))
        text.replace(0, prefix.size(), QStringLiteral("Usage: zavprog-cli ") + command_);
    return text;
}

std::optional<int> CommandLine::parse(const QStringList& args)
{
    if (!parser.parse(QStringList{command_} + args))
        return usageError(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        QTextStream(stdout) << helpText();
        return 0;
    }
    return std::nullopt;
}

std::optional<int> CommandLine::requireOutputAndOneInput(const QString& what) const
{
    if (!parser.isSet("o"))
        return usageError("-o FILE is required");
    if (parser.positionalArguments().size() != 1)
        return usageError("one " + what + " is expected");
    return std::nullopt;
}

int CommandLine::usageError(const QString& what) const
{
    // The usage line of the help first, then what was wrong with this call.
    const QString usage = helpText().section(QLatin1Char('\n'), 0, 0).mid(QStringLiteral("Usage: ").size());
    QTextStream(stderr) << "usage: " << usage << "\n"
                        << "zavprog-cli " << command_ << ": " << what << "\n"
                        << "Try 'zavprog-cli " << command_ << " --help' for its options.\n";
    return 2;
}

void CommandLine::addPasswordOption()
{
    parser.addOption({QStringLiteral("password"),
                      QStringLiteral("The radio's programming password (shows in the process list: prefer ZAV_PASSWORD, "
                                     "or the prompt on a terminal)."),
                      QStringLiteral("PW")});
}

bool CommandLine::mayAskPassword() const
{
    return !parser.isSet(QStringLiteral("password")) && !qEnvironmentVariableIsSet("ZAV_PASSWORD")
        && ::isatty(STDIN_FILENO) == 1;
}

bool CommandLine::password(QString& password) const
{
    if (parser.isSet(QStringLiteral("password")))
        password = parser.value(QStringLiteral("password"));
    else if (qEnvironmentVariableIsSet("ZAV_PASSWORD"))
        password = qEnvironmentVariable("ZAV_PASSWORD");
    else
        password.clear();
    if (cleanText(password.toStdString()).size() <= kPasswordLength)
        return true;
    QTextStream(stderr) << "zavprog-cli " << command_ << ": --password (or ZAV_PASSWORD) takes at most "
                        << kPasswordLength << " characters\n";
    return false;
}

void CommandLine::addTraceOption()
{
    parser.addOption({QStringLiteral("trace"),
                      QStringLiteral("Write every chunk sent and received to FILE (time, port, direction, hex and text; "
                                     "the radio password masked)."),
                      QStringLiteral("FILE")});
}

bool isStandardOutput(const QString& path) { return path == QStringLiteral("-"); }

} // namespace zav::cli
