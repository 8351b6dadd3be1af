// read --port DEV -o FILE.dat [--password PW]: the radio's memory into a
// data file.

#include "cli_open.h"
#include "cli_radio.h"
#include "command.h"

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
    if (!parser.parse(QStringList{"read"} + args) || !parser.isSet("port") || !parser.isSet("o")
        || !parser.positionalArguments().isEmpty()) {
        err << "usage: zavprog-cli read --port DEV -o FILE.dat [--password PW]\n";
        return 2;
    }
    Session session;
    prepareSession(session, parser.value("password"));
    ProgressBoard board(err);
    RadioJob job(parser.value("port"), session, board, {});
    runJobs({&job}, &link::TransferEngine::startRead);
    board.close();
    if (!job.outcome().success) {
        err << job.device() << ": read failed\n";
        return 1;
    }
    const QString output = parser.value("o");
    if (!saveDocument(session.doc, output.toStdString())) {
        reportMessage(err, output, session.texts, 9002);
        return 1;
    }
    QTextStream(stdout) << job.device() << ": read into " << output << "\n";
    return 0;
}

} // namespace

ZAV_CLI_COMMAND("read", "read --port DEV -o FILE.dat [--password PW]   read a radio into a data file", RunRead);

} // namespace zav::cli
