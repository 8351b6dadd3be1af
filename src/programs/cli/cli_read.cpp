// read --port DEV -o FILE.dat [--password PW] [--retries N] [--no-backup]
// [--trace FILE]:
// the radio's memory into a data file, and a backup of it.

#include "cli_backup.h"
#include "cli_command_line.h"
#include "cli_open.h"
#include "cli_text_files.h"
#include "cli_radio.h"
#include "cli_signals.h"
#include "command.h"

#include "atomic_file.h"
#include "data_file.h"


namespace zav::cli {
namespace {

int runRead(const QStringList& args)
{
    QTextStream err(stderr);
    CommandLine line("read", "Reads a radio's whole memory into a data file and keeps a backup of it.");
    QCommandLineParser& parser = line.parser;
    parser.addOption({"port", "Serial device of the radio.", "DEV"});
    parser.addOption({{"o", "output"}, "Data file to write (- for standard output).", "FILE"});
    line.addPasswordOption();
    addRetriesOption(parser);
    addBackupOption(parser);
    line.addTraceOption();
    if (const auto status = line.parse(args))
        return *status;
    if (!parser.isSet("port") || !parser.isSet("o"))
        return line.usageError("--port DEV and -o FILE are required");
    if (!parser.positionalArguments().isEmpty())
        return line.usageError("unexpected argument " + parser.positionalArguments().first());
    PromptPolicy policy;
    policy.askPassword = line.mayAskPassword();
    QString password;
    if (!readRetries(parser, err, policy.retries) || !line.password(password))
        return 2;
    Session session;
    prepareSession(session, password);
    std::unique_ptr<link::WireTrace> trace;
    if (!openTrace(parser, trace, err))
        return 1;
    // A read takes half a minute: find out now, not after it, that its
    // result could not be saved.
    const QString output = parser.value("o");
    if (!isStandardOutput(output)) {
        if (const FileWriteResult writable = checkReplaceFile(output.toStdString()); !writable) {
            reportMessage(err, output, session.texts, kTextFileError);
            reportWriteProblem(err, output, writable);
            return 1;
        }
    }
    ProgressBoard board(err);
    RadioJob job(parser.value("port"), session, board, policy);
    job.setTrace(trace.get());
    const int signal = runJobs({&job}, &link::TransferEngine::startRead);
    board.close();
    if (signal != 0) {
        err << job.device() << ": read stopped\n";
        return signalExitCode(signal);
    }
    if (!job.outcome().success) {
        err << job.device() << ": read failed\n";
        return 1;
    }
    Backups(parser, err).keep(session.doc, BackupKind::Read, job.device());
    if (!saveDataFile(session.doc, output, err))
        return 1;
    // With the file on standard output the report goes to the messages.
    if (isStandardOutput(output))
        err << job.device() << ": read\n";
    else
        QTextStream(stdout) << job.device() << ": read into " << output << "\n";
    return 0;
}

} // namespace

ZAV_CLI_COMMAND("read", "read --port DEV -o FILE.dat [--password PW] [--retries N] [--no-backup] [--trace FILE]   read a radio into a data file", runRead);

} // namespace zav::cli
