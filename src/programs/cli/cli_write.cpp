// write --port DEV [--port DEV2 ...] FILE.dat [--password PW] [--yes]
// [--retries N] [--force] [--verify] [--backup-before] [--no-backup]
// [--log FILE] [--power-on-text PATTERN [--first N] | --power-on-texts FILE]:
// one data file to one radio or to several at the same time. A file with
// errors (see check) is refused before any port is opened, unless --force.
// --verify reads each radio back and compares; every radio written keeps a
// backup of what it got, and with --backup-before one of what it held
// before. Every radio gets a line in the programming log. A power-on text
// pattern or list gives each radio its own text (the file is not changed).

#include "cli_backup.h"
#include "cli_check.h"
#include "cli_command_line.h"
#include "cli_open.h"
#include "cli_radio.h"
#include "cli_signals.h"
#include "command.h"

#include "cli_text_files.h"

#include "memory_map.h"
#include "power_on_texts.h"
#include "programming_log.h"
#include "transfer_messages.h"

#include "defaults.h"

#include <QCommandLineParser>
#include <QCryptographicHash>
#include <QFileInfo>

#include <ctime>

namespace zav::cli {
namespace {

enum class Confirmation { Given, Declined, CannotAsk };

Confirmation confirm(const Session& session, bool yes, QTextStream& err)
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
bool writeAllowed(const Document& doc, const QString& path, bool force, QTextStream& err)
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
             QTextStream& err, const std::string& radioSha256 = {}, const std::string& powerOnText = {}) const
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
        entry.sha256 = radioSha256.empty() ? sha256 : radioSha256;
        entry.result = result;
        entry.powerOnText = powerOnText;
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

std::string documentSha256(const Document& doc)
{
    const std::vector<std::uint8_t> bytes = dataFileBytes(doc);
    return QCryptographicHash::hash(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                                    QCryptographicHash::Sha256).toHex().toStdString();
}

/// --power-on-text PATTERN [--first N] or --power-on-texts FILE, checked
/// for every radio named before any is written. False: reported (exit 2).
bool readPowerOnTexts(const QCommandLineParser& parser, int radios, PowerOnTextPlan& plan, QTextStream& err)
{
    if (parser.isSet("power-on-text") && parser.isSet("power-on-texts")) {
        err << "zavprog-cli: --power-on-text and --power-on-texts cannot be used together\n";
        return false;
    }
    if (parser.isSet("first") && !parser.isSet("power-on-text")) {
        err << "zavprog-cli: --first goes with --power-on-text\n";
        return false;
    }
    if (parser.isSet("power-on-text")) {
        plan.pattern = parser.value("power-on-text").toStdString();
        if (plan.pattern.empty()) {
            err << "zavprog-cli: --power-on-text needs a text\n";
            return false;
        }
        bool ok = true;
        if (parser.isSet("first"))
            plan.first = parser.value("first").toInt(&ok);
        if (!ok || plan.first < 0) {
            err << "zavprog-cli: --first takes a number from 0 on\n";
            return false;
        }
    } else if (parser.isSet("power-on-texts")) {
        const std::optional<std::string> text = readTextFile(parser.value("power-on-texts"), err);
        if (!text)
            return false;
        plan.list = powerOnTextLines(*text);
        if (plan.list.empty()) {
            err << "zavprog-cli: " << parser.value("power-on-texts") << ": no power-on texts in it\n";
            return false;
        }
    } else {
        return true;
    }
    int position = 0;
    if (const PowerOnTextError error = plan.check(radios, position); error != PowerOnTextError::None) {
        err << "zavprog-cli: power-on text of radio " << position + 1 << ": "
            << QString::fromStdString(powerOnTextErrorWords(error)) << "; nothing was written\n";
        return false;
    }
    return true;
}

/// What one radio is sent: the file, or the file with this radio's
/// power-on text.
struct RadioDocument {
    Document doc;
    std::string powerOnText; ///< "" when the file's own
    std::string sha256;      ///< of doc as a data file, for the log
};

/// The log's result for a radio: written, or why not in plain words.
std::string logResult(RadioJob& job, bool stopped)
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

int runWrite(const QStringList& args)
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
    parser.addOption({"backup-before", "Read each radio first and keep what it held as a backup (\"before write\"), "
                                       "so it can be put back as it was. Costs a read."});
    parser.addOption({"power-on-text", "A power-on text of its own for each radio: {n} is the radio's number, "
                                       "{n:0W} the number with W digits (UNIT {n:02}). Radios are numbered in the "
                                       "order of their --port options.", "PATTERN"});
    parser.addOption({"first", "The number of the first radio for --power-on-text (default 1).", "N"});
    parser.addOption({"power-on-texts", "A file with one power-on text a line, one for each radio in the order of "
                                        "their --port options.", "FILE"});
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
    PowerOnTextPlan powerOnTexts;
    if (!readPowerOnTexts(parser, static_cast<int>(devices.size()), powerOnTexts, err))
        return 2;
    // How to run the command (exit 2) is settled before what is in the file;
    // a user who answers no has run it well and said no (exit 1). Either way
    // every radio named gets its line in the log.
    switch (confirm(session, parser.isSet("yes"), err)) {
    case Confirmation::Given: break;
    case Confirmation::Declined:
        err << "zavprog-cli: nothing was written\n";
        log.notWritten(devices, "declined", err);
        return 1;
    case Confirmation::CannotAsk: return line.usageError("writing changes the radio; confirm with --yes");
    }
    if (!writeAllowed(session.doc, file, parser.isSet("force"), err)) {
        log.notWritten(devices, "the check found errors", err);
        return 1;
    }

    std::unique_ptr<link::WireTrace> trace;
    if (!openTrace(parser, trace, err))
        return 1;
    ProgressBoard board(err);
    Backups backups(parser, err);
    std::vector<std::unique_ptr<RadioJob>> jobs;
    std::vector<RadioDocument> sent;
    std::vector<RadioJob*> running;
    for (const QString& device : devices) {
        RadioDocument radio{session.doc, {}, {}};
        if (powerOnTexts.active()) {
            PowerOnTextError error = PowerOnTextError::None;
            radio.powerOnText = powerOnTexts.textFor(static_cast<int>(jobs.size()), error).value_or(std::string());
            radio.doc = withPowerOnText(session.doc, radio.powerOnText);
            radio.sha256 = documentSha256(radio.doc);
        }
        sent.push_back(std::move(radio));
        jobs.push_back(std::make_unique<RadioJob>(device, session, board, policy));
        RadioJob& job = *jobs.back();
        job.engine().setVerifyAfterWrite(parser.isSet("verify"));
        if (powerOnTexts.active())
            job.engine().setMemoryToWrite(std::make_shared<link::RadioMemory>(link::encodeDocument(sent.back().doc)));
        if (parser.isSet("backup-before")) {
            job.engine().setReadBeforeWrite(true);
            // Kept as soon as it is read: a write that then fails has still
            // changed the radio.
            job.setReadBeforeWriteHandler([&session, &backups, &job](const link::RadioMemory& memory) {
                Document held;
                buildNewDocument(held, session.paths.initDir(), TemplateVariant::NewDocument);
                link::decodeDocument(memory, job.engine().identity().channelMode, held);
                backups.keep(held, BackupKind::BeforeWrite, job.device(), Backups::Always);
            });
        }
        job.setTrace(trace.get());
        running.push_back(&job);
    }
    const int signal = runJobs(running, &link::TransferEngine::startWrite);
    board.close();

    QTextStream out(stdout);
    int failed = 0;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        RadioJob& job = *jobs[i];
        const RadioDocument& radio = sent[i];
        log.add(job.device(), job.engine().identity().modelName.empty() ? nullptr : &job.engine().identity(),
                logResult(job, signal != 0), err, radio.sha256, radio.powerOnText);
        const link::TransferOutcome& outcome = job.outcome();
        failed += !outcome.success;
        out << job.device() << ": " << resultLine(outcome)
            << (radio.powerOnText.empty() ? QString() : " (power-on text \"" + QString::fromStdString(radio.powerOnText) + "\")")
            << "\n";
        if (outcome.success)
            backups.keep(radio.doc, BackupKind::Write, job.device());
    }
    if (signal != 0)
        return signalExitCode(signal);
    return failed == 0 ? 0 : 1;
}

} // namespace

ZAV_CLI_COMMAND("write", "write --port DEV [--port DEV2 ...] FILE.dat [--password PW] [--yes] [--force] [--verify] [--backup-before] [--power-on-text PATTERN [--first N] | --power-on-texts FILE] [--trace FILE]   write radios", runWrite);

} // namespace zav::cli
