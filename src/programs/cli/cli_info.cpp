// info --port DEV [--retries N]: the radio's information area.

#include "cli_radio.h"
#include "cli_signals.h"
#include "command.h"

#include "band.h"
#include "gbk_text.h"

#include <QCommandLineParser>

namespace zav::cli {
namespace {

/// The radio's texts are GBK bytes like those of a data file.
QString Shown(const std::string& text) { return QString::fromStdString(gbkToUtf8(cleanText(text))); }

int RunInfo(const QStringList& args)
{
    QTextStream err(stderr);
    QCommandLineParser parser;
    parser.addOption({"port", "Serial device of the radio.", "DEV"});
    addRetriesOption(parser);
    if (!parser.parse(QStringList{"info"} + args) || !parser.isSet("port") || !parser.positionalArguments().isEmpty()) {
        err << "usage: zavprog-cli info --port DEV [--retries N]\n";
        return 2;
    }
    PromptPolicy policy;
    if (!readRetries(parser, err, policy.retries))
        return 2;
    Session session;
    prepareSession(session, {});
    ProgressBoard board(err);
    RadioJob job(parser.value("port"), session, board, policy);
    const int signal = runJobs({&job}, &link::TransferEngine::startInfoRead);
    board.close();
    if (signal != 0)
        return signalExitCode(signal);
    if (!job.outcome().success) {
        err << job.device() << ": reading the radio information failed\n";
        return 1;
    }
    const link::RadioInfo& info = job.engine().radioInfo();
    QTextStream out(stdout);
    out << "InfoModel: " << Shown(info.InfoModel) << "\n"
        << "BandCode: " << info.BandCode << " (" << QString::fromStdString(bandLabelOf(info.BandCode)) << ")\n"
        << "SerialNumber: " << Shown(info.SerialNumber.raw()) << "\n"
        << "FactoryDate: " << Shown(info.FactoryDate.raw()) << "\n"
        << "RepairDate: " << Shown(info.RepairDate.raw()) << "\n"
        << "RepairReason: " << Shown(info.RepairReason.raw()) << "\n"
        << "InfoVersion: " << QString::fromStdString(gbkToUtf8(info.InfoVersion)) << "\n"
        << "SalesArea: " << QString::fromStdString(gbkToUtf8(info.SalesArea)) << "\n"
        << "ProductionBatch: " << Shown(info.ProductionBatch.raw()) << "\n"
        << "CustomerCode: " << Shown(info.CustomerCode.raw()) << "\n"
        << "DealerCode: " << Shown(info.DealerCode.raw()) << "\n"
        << "StockInTime: " << Shown(info.StockInTime.raw()) << "\n"
        << "SaleTime: " << Shown(info.SaleTime.raw()) << "\n"
        << "Handler: " << Shown(info.Handler.raw()) << "\n";
    return 0;
}

} // namespace

ZAV_CLI_COMMAND("info", "info --port DEV         show the radio's information", RunInfo);

} // namespace zav::cli
