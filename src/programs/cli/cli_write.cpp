// write --port DEV [--port DEV2 ...] FILE.dat [--password PW] [--yes]
// [--retries N] [--force] [--verify] [--no-backup] [--log FILE]:
// one data file to one radio or to several at the same time. A file with
// errors (see check) is refused before any port is opened, unless --force.
// --verify reads each radio back and compares; every radio written keeps a
// backup of what it got. Every radio gets a line in the programming log.

#include "cli_backup.h"
#include "cli_check.h"
#include "cli_command_line.h"
#include "cli_open.h"
#include "cli_radio.h"
#include "cli_signals.h"
#include "command.h"

#include "programming_log.h"
#include "transfer_messages.h"

#include <QCommandLineParser>
#include <QCryptographicHash>
#include <QFileInfo>

#include <ctime>

namespace zav::cli {
namespace {

enum class Confirmation { Given, Declined, CannotAsk };

Confirmation Confirm(const Session& session, bool yes, QTextStream& err)
{
    if (yes)
        return Confirmation::Given;
    if (!interactiveInput())
        return Confirmation::CannotAsk;
    err << QString::fromStdString(session.text(link::kTextConfirmWrite)) << " [y/N] ";
    err.flush();
    const QString answer = QTextStream(stdin).readLine().trimmed().toLower();
    return answer == "y" || answer == "yes" ? Confirmation::Given : Confirmation::Declined;
}

/// A file with errors would put something else into the radio than it
/// says, so it is refused before any port is opened.
bool WriteAllowed(const Document& doc, const QString& path, bool force, QTextStream& err)
{
    const std::vector<ConfigFinding> findings = checkConfiguration(doc);
    if (!hasErrors(findings))
        return true;
    std::vector<ConfigFinding> errors;
    for (const ConfigFinding& f : findings)
        if (f.level == FindingLevel::Error)
            errors.push_back(f);
    printFindings(err, errors);
    if (force) {
        err << "zavprog-cli: " << path << ": writing despite the errors above (--force)\n";
        return true;
    }
    err << "zavprog-cli: " << path << ": the file has errors; nothing was written (see check, or use --force)\n";
    return false;
}

/// "written", "written and verified", or why not; for a failed
/// verification the first blocks that differ.
QString resultLine(const link::TransferOutcome& outcome)
{
    if (outcome.success)
        return outcome.verified ? QStringLiteral("written and verified") : QStringLiteral("written");
    if (!outcome.verified || outcome.mismatchedBlocks.empty())
        return QStringLiteral("write failed");
    constexpr std::size_t kShown = 8;
    QStringList blocks;
    for (std::size_t i = 0; i < outcome.mismatchedBlocks.size() && i < kShown; ++i)
        blocks << QStringLiteral("0x%1").arg(outcome.mismatchedBlocks[i], 4, 16, QLatin1Char('0'));
    if (outcome.mismatchedBlocks.size() > kShown)
        blocks << QStringLiteral("...");
    return QStringLiteral("verification failed: %1 block(s) differ: %2")
        .arg(outcome.mismatchedBlocks.size())
        .arg(blocks.join(QStringLiteral(", ")));
}

/// One line per radio in the programming log; a log that cannot be
/// written is reported and never changes the exit status.
void LogWrite(const QString& logPath, RadioJob& job, const Document& doc, const QString& file, QTextStream& err)
{
    const std::vector<std::uint8_t> bytes = dataFileBytes(doc);
    const link::RadioIdentity& id = job.engine().identity();
    const link::TransferOutcome& outcome = job.outcome();
    ProgrammingLogEntry entry;
    entry.when = std::time(nullptr);
    entry.port = job.device().toStdString();
    entry.model = id.modelName;
    if (!id.modelName.empty()) {
        entry.band = std::to_string(id.bandByte);
        entry.version = id.version;
    }
    entry.fileName = QFileInfo(file).fileName().toStdString();
    entry.sha256 = QCryptographicHash::hash(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                                            QCryptographicHash::Sha256).toHex().toStdString();
    // A failed verification names its blocks; other failures are told best
    // by what was said last about the radio.
    const bool mismatch = outcome.verified && !outcome.mismatchedBlocks.empty();
    const QString reason = mismatch || job.lastMessage().isEmpty() ? resultLine(outcome) : job.lastMessage();
    entry.result = outcome.success ? logResultWritten(outcome.verified) : logResultFailed(reason.toStdString());
    if (!appendProgrammingLog(logPath.toStdString(), entry))
        err << "zavprog-cli: the programming log " << logPath << " cannot be written\n";
}

int RunWrite(const QStringList& args)
{
    QTextStream err(stderr);
    CommandLine line("write", "Writes a data file to one radio, or to several at the same time. A file with errors "
                              "(see check) is refused before any port is opened.");
    QCommandLineParser& parser = line.parser;
    parser.addOption({"port", "Serial device of a radio (repeat for several radios).", "DEV"});
    line.addPasswordOption();
    parser.addOption({"yes", "Write without asking (needed when standard input is not a terminal)."});
    parser.addOption({"allow-other-band", "Write to radios of a related band (answers OK to that question)."});
    parser.addOption({"force", "Write even when the check finds errors in the file."});
    parser.addOption({"verify", "Read each radio back after writing and compare every block."});
    parser.addOption({"log", "Programming log to add a line per radio to (default: the per-user log).", "FILE"});
    addRetriesOption(parser);
    addBackupOption(parser);
    line.addTraceOption();
    parser.addPositionalArgument("FILE.dat", "The data file to write.");
    if (const auto status = line.parse(args))
        return *status;
    if (!parser.isSet("port"))
        return line.usageError("--port DEV is required");
    if (parser.positionalArguments().size() != 1)
        return line.usageError("one data file is expected");
    PromptPolicy policy{parser.isSet("allow-other-band")};
    policy.askPassword = line.mayAskPassword();
    QString password;
    if (!readRetries(parser, err, policy.retries) || !line.password(password))
        return 2;
    Session session;
    prepareSession(session, password);
    if (!openDataFile(parser.positionalArguments().first(), session.doc, err))
        return 1;
    // How to run the command (exit 2) is settled before what is in the file;
    // a user who answers no has run it well and said no (exit 1).
    switch (Confirm(session, parser.isSet("yes"), err)) {
    case Confirmation::Given: break;
    case Confirmation::Declined: err << "zavprog-cli: nothing was written\n"; return 1;
    case Confirmation::CannotAsk: return line.usageError("writing changes the radio; confirm with --yes");
    }
    if (!WriteAllowed(session.doc, parser.positionalArguments().first(), parser.isSet("force"), err))
        return 1;

    std::unique_ptr<link::WireTrace> trace;
    if (!openTrace(parser, trace, err))
        return 1;
    ProgressBoard board(err);
    std::vector<std::unique_ptr<RadioJob>> jobs;
    std::vector<RadioJob*> running;
    for (const QString& device : parser.values("port")) {
        jobs.push_back(std::make_unique<RadioJob>(device, session, board, policy));
        jobs.back()->engine().setVerifyAfterWrite(parser.isSet("verify"));
        jobs.back()->setTrace(trace.get());
        running.push_back(jobs.back().get());
    }
    const int signal = runJobs(running, &link::TransferEngine::startWrite);
    board.close();

    QTextStream out(stdout);
    Backups backups(parser, err);
    const QString logPath = parser.isSet("log") ? parser.value("log") : QString::fromStdString(programmingLogPath());
    int failed = 0;
    for (const auto& job : jobs) {
        LogWrite(logPath, *job, session.doc, parser.positionalArguments().first(), err);
        const link::TransferOutcome& outcome = job->outcome();
        failed += !outcome.success;
        out << job->device() << ": " << resultLine(outcome) << "\n";
        if (outcome.success)
            backups.keep(session.doc, BackupKind::Write, job->device());
    }
    if (signal != 0)
        return signalExitCode(signal);
    return failed == 0 ? 0 : 1;
}

} // namespace

ZAV_CLI_COMMAND("write", "write --port DEV [--port DEV2 ...] FILE.dat [--password PW] [--yes] [--force] [--verify] [--trace FILE]   write radios", RunWrite);

} // namespace zav::cli
