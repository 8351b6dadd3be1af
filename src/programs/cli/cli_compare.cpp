// compare --port DEV FILE.dat [--json] [--password PW] [--retries N]
// [--no-backup] [--trace FILE]: does the radio hold what a write of the
// file would send? Reads the radio as read does (a backup of it is kept)
// and names every field that differs, one line each. Nothing is written
// to the radio. Exit status 0 when it holds the file, 1 when it differs,
// 2 when the radio could not be read (or the command was called wrongly).

#include "cli_backup.h"
#include "cli_check.h"
#include "cli_command_line.h"
#include "cli_open.h"
#include "cli_radio.h"
#include "cli_signals.h"
#include "command.h"

#include "radio_compare.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace zav::cli {
namespace {

int runCompare(const QStringList& args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandLine line("compare", "Reads a radio and lists where it differs from what a write of the data file would "
                                "send; nothing is written. Exit status 0 when the radio holds the file, 1 when it "
                                "differs, 2 when the radio cannot be read.");
    QCommandLineParser& parser = line.parser;
    parser.addOption({"port", "Serial device of the radio.", "DEV"});
    parser.addOption({"json", "Print the result as a JSON object."});
    line.addPasswordOption();
    addRetriesOption(parser);
    addBackupOption(parser);
    line.addTraceOption();
    parser.addPositionalArgument("FILE.dat", "The data file to compare the radio with.");
    if (const auto status = line.parse(args))
        return *status;
    if (!parser.isSet("port"))
        return line.usageError("--port DEV is required");
    if (parser.positionalArguments().size() != 1)
        return line.usageError("one data file is expected");
    PromptPolicy policy;
    policy.askPassword = line.mayAskPassword();
    QString password;
    if (!readRetries(parser, err, policy.retries) || !line.password(password))
        return 2;
    Session session;
    prepareSession(session, password);
    Document file;
    if (!openDataFile(parser.positionalArguments().first(), file, err))
        return 2;
    // The read checks the radio against the file's model and band, and
    // decodes into this copy; the file's document stays as opened.
    session.doc = file;
    std::unique_ptr<link::WireTrace> trace;
    if (!openTrace(parser, trace, err))
        return 2;
    ProgressBoard board(err);
    RadioJob job(parser.value("port"), session, board, policy);
    job.setTrace(trace.get());
    const int signal = runJobs({&job}, &link::TransferEngine::startRead);
    board.close();
    if (signal != 0) {
        err << job.device() << ": compare stopped\n";
        return signalExitCode(signal);
    }
    if (!job.outcome().success) {
        const QString reason = job.failureReason();
        err << job.device() << ": the radio could not be read" << (reason.isEmpty() ? QString() : ": " + reason)
            << "\n";
        return 2;
    }
    Backups(parser, err).keep(session.doc, BackupKind::Read, job.device());
    const RadioComparison result = compareWithRadio(file, job.engine().radioMemory());
    if (parser.isSet("json")) {
        QJsonObject o;
        o["port"] = job.device();
        o["same"] = result.same();
        o["differences"] = findingsToJson(result.differences);
        out << QJsonDocument(o).toJson();
    } else {
        const TextLookup text = englishLookup();
        for (const ConfigFinding& f : result.differences)
            out << QString::fromStdString(whereText(f, text)) << ": " << QString::fromStdString(messageText(f, text))
                << "\n";
        if (result.same())
            out << job.device() << ": the radio holds " << parser.positionalArguments().first() << "\n";
    }
    return result.same() ? 0 : 1;
}

} // namespace

ZAV_CLI_COMMAND("compare", "compare --port DEV FILE.dat [--json] [--password PW] [--retries N] [--no-backup] [--trace FILE]   does a radio hold a data file", runCompare);

} // namespace zav::cli
