// info --port DEV [--retries N] [--json] [--trace FILE]: the radio's
// information area.

#include "cli_command_line.h"
#include "cli_radio.h"
#include "cli_signals.h"
#include "command.h"

#include "band.h"
#include "gbk_text.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace zav::cli {
namespace {

/// The radio's texts are GBK bytes like those of a data file.
QString shown(const std::string& text) { return QString::fromStdString(gbkToUtf8(cleanText(text))); }

/// The fields in the order they are printed, with the names the text and
/// the JSON forms share.
std::vector<std::pair<QString, QString>> infoFields(const link::RadioInfo& info)
{
    return {
        {"InfoModel", shown(info.InfoModel)},
        {"BandCode", QString::number(info.BandCode)},
        {"Band", QString::fromStdString(bandLabelOf(info.BandCode))},
        {"SerialNumber", shown(info.SerialNumber.raw())},
        {"FactoryDate", shown(info.FactoryDate.raw())},
        {"RepairDate", shown(info.RepairDate.raw())},
        {"RepairReason", shown(info.RepairReason.raw())},
        {"InfoVersion", QString::fromStdString(gbkToUtf8(info.InfoVersion))},
        {"SalesArea", QString::fromStdString(gbkToUtf8(info.SalesArea))},
        {"ProductionBatch", shown(info.ProductionBatch.raw())},
        {"CustomerCode", shown(info.CustomerCode.raw())},
        {"DealerCode", shown(info.DealerCode.raw())},
        {"StockInTime", shown(info.StockInTime.raw())},
        {"SaleTime", shown(info.SaleTime.raw())},
        {"Handler", shown(info.Handler.raw())},
    };
}

int runInfo(const QStringList& args)
{
    QTextStream err(stderr);
    CommandLine line("info", "Reads and prints the radio's information area (model, band, serial number, dates, "
                             "dealer and sale records).");
    QCommandLineParser& parser = line.parser;
    parser.addOption({"port", "Serial device of the radio.", "DEV"});
    parser.addOption({"json", "Print the information as a JSON object."});
    addRetriesOption(parser);
    line.addTraceOption();
    if (const auto status = line.parse(args))
        return *status;
    if (!parser.isSet("port"))
        return line.usageError("--port DEV is required");
    if (!parser.positionalArguments().isEmpty())
        return line.usageError("unexpected argument " + parser.positionalArguments().first());
    PromptPolicy policy;
    if (!readRetries(parser, err, policy.retries))
        return 2;
    Session session;
    prepareSession(session, {});
    std::unique_ptr<link::WireTrace> trace;
    if (!openTrace(parser, trace, err))
        return 1;
    ProgressBoard board(err);
    RadioJob job(parser.value("port"), session, board, policy);
    job.setTrace(trace.get());
    const int signal = runJobs({&job}, &link::TransferEngine::startInfoRead);
    board.close();
    if (signal != 0)
        return signalExitCode(signal);
    if (!job.outcome().success) {
        err << job.device() << ": reading the radio information failed\n";
        return 1;
    }
    const auto fields = infoFields(job.engine().radioInfo());
    QTextStream out(stdout);
    if (parser.isSet("json")) {
        QJsonObject object;
        for (const auto& [name, value] : fields)
            object[name] = name == "BandCode" ? QJsonValue(value.toInt()) : QJsonValue(value);
        out << QJsonDocument(object).toJson();
        return 0;
    }
    for (const auto& [name, value] : fields) {
        if (name == "Band")
            continue; // shown beside the code
        out << name << ": " << value;
        if (name == "BandCode")
            out << " (" << fields[2].second << ")";
        out << "\n";
    }
    return 0;
}

} // namespace

ZAV_CLI_COMMAND("info", "info --port DEV [--json] [--trace FILE]   show the radio's information", runInfo);

} // namespace zav::cli
