// read --port DEV -o FILE.dat [--password PW] [--retries N] [--no-backup]:
// the radio's memory into a data file, and a backup of it.

#include "cli_backup.h"
#include "cli_open.h"
#include "cli_radio.h"
#include "cli_signals.h"
#include "command.h"

#include "atomic_file.h"
#include "data_file.h"

#include <QCommandLineParser>

namespace zav::cli {
namespace {

int RunRead(const QStringList& args)
{
    QTextStream err(stderr);
    QCommandLineParser parser;
    parser.addOption({"port", "Serial device of the radio.", "DEV"});
    parser.addOption({{"o", "output"}, "Data file to write.", "FILE"});
    parser.addOption({"password", "The radio's programming password.", "PW"});
    addRetriesOption(parser);
    addBackupOption(parser);
    if (!parser.parse(QStringList{"read"} + args) || !parser.isSet("port") || !parser.isSet("o")
        || !parser.positionalArguments().isEmpty()) {
        err << "usage: zavprog-cli read --port DEV -o FILE.dat [--password PW] [--retries N] [--no-backup]\n";
        return 2;
    }
    PromptPolicy policy;
    if (!readRetries(parser, err, policy.retries) || !passwordFits(parser, err))
        return 2;
    Session session;
    prepareSession(session, parser.value("password"));
    // A read takes half a minute: find out now, not after it, that its
    // result could not be saved.
    const QString output = parser.value("o");
    if (!canReplaceFile(output.toStdString())) {
        reportMessage(err, output, session.texts, 9002);
        return 1;
    }
    ProgressBoard board(err);
    RadioJob job(parser.value("port"), session, board, policy);
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
    if (!saveDocument(session.doc, output.toStdString())) {
        reportMessage(err, output, session.texts, 9002);
        return 1;
    }
    QTextStream(stdout) << job.device() << ": read into " << output << "\n";
    return 0;
}

} // namespace

ZAV_CLI_COMMAND("read", "read --port DEV -o FILE.dat [--password PW] [--retries N] [--no-backup]   read a radio into a data file", RunRead);

} // namespace zav::cli
