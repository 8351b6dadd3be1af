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

/// Where the lines of this write go, and what they share: the data
/// file's name and the SHA-256 of what every radio is sent (a data file
/// opened unchanged, so its own bytes).
struct WriteLog {
    QString path;
    std::string fileName;
    std::string sha256;

    WriteLog(const QString& logPath, const Document& doc, const QString& file)
        : path(logPath), fileName(QFileInfo(file).fileName().toStdString())
    {
        const std::vector<std::uint8_t> bytes = dataFileBytes(doc);
        sha256 = QCryptographicHash::hash(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                                          QCryptographicHash::Sha256).toHex().toStdString();
    }

    /// One line; a log that cannot be written is reported and never
    /// changes the exit status.
    void add(const QString& device, const link::RadioIdentity* identity, const std::string& result,
             QTextStream& err) const
    {
        ProgrammingLogEntry entry;
        entry.when = std::time(nullptr);
        entry.port = device.toStdString();
        if (identity && !identity->modelName.empty()) {
            entry.model = identity->modelName;
            entry.band = std::to_string(identity->bandByte);
            entry.version = identity->version;
        }
        entry.fileName = fileName;
        entry.sha256 = sha256;
        entry.result = result;
        if (const FileWriteResult added = appendProgrammingLog(path.toStdString(), entry); !added)
            err << "zavprog-cli: the programming log " << path << " cannot be written: "
                << QString::fromStdString(fileWriteProblemText(added)) << "\n";
    }

    /// The same line for every radio named: none of them was written.
    void notWritten(const QStringList& devices, const std::string& reason, QTextStream& err) const
    {
        for (const QString& device : devices)
            add(device, nullptr, logResultNotWritten(reason), err);
    }
};

/// The log's result for a radio: written, or why not in plain words.
std::string LogResult(RadioJob& job, bool stopped)
{
    const link::TransferOutcome& outcome = job.outcome();
    if (outcome.success)
        return logResultWritten(outcome.verified);
    if (outcome.verified && !outcome.mismatchedBlocks.empty())
        return logResultFailed(resultLine(outcome).toStdString());
    if (stopped)
        return logResultFailed("stopped by the user");
    const QString reason = job.failureReason();
    return logResultFailed(reason.isEmpty() ? std::string("the radio does not answer") : reason.toStdString());
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
    const QString file = parser.positionalArguments().first();
    if (!openDataFile(file, session.doc, err))
        return 1;
    // A log named on the command line that could never take a line is
    // found out before any radio is written, not after.
    const QString logPath = parser.isSet("log") ? parser.value("log") : QString::fromStdString(programmingLogPath());
    if (parser.isSet("log")) {
        if (const FileWriteResult usable = checkOutputTarget(logPath.toStdString()); !usable) {
            err << "zavprog-cli: " << logPath << ": " << QString::fromStdString(fileWriteProblemText(usable))
                << "; nothing was written\n";
            return 1;
        }
    }
    const WriteLog log(logPath, session.doc, file);
    const QStringList devices = parser.values("port");
    // How to run the command (exit 2) is settled before what is in the file;
    // a user who answers no has run it well and said no (exit 1). Either way
    // every radio named gets its line in the log.
    switch (Confirm(session, parser.isSet("yes"), err)) {
    case Confirmation::Given: break;
    case Confirmation::Declined:
        err << "zavprog-cli: nothing was written\n";
        log.notWritten(devices, "declined", err);
        return 1;
    case Confirmation::CannotAsk: return line.usageError("writing changes the radio; confirm with --yes");
    }
    if (!WriteAllowed(session.doc, file, parser.isSet("force"), err)) {
        log.notWritten(devices, "the check found errors", err);
        return 1;
    }

    std::unique_ptr<link::WireTrace> trace;
    if (!openTrace(parser, trace, err))
        return 1;
    ProgressBoard board(err);
    std::vector<std::unique_ptr<RadioJob>> jobs;
    std::vector<RadioJob*> running;
    for (const QString& device : devices) {
        jobs.push_back(std::make_unique<RadioJob>(device, session, board, policy));
        jobs.back()->engine().setVerifyAfterWrite(parser.isSet("verify"));
        jobs.back()->setTrace(trace.get());
        running.push_back(jobs.back().get());
    }
    const int signal = runJobs(running, &link::TransferEngine::startWrite);
    board.close();

    QTextStream out(stdout);
    Backups backups(parser, err);
    int failed = 0;
    for (const auto& job : jobs) {
        log.add(job->device(), job->engine().identity().modelName.empty() ? nullptr : &job->engine().identity(),
                LogResult(*job, signal != 0), err);
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
