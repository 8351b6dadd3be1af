// ports [--json]: the serial devices the system reports, to find the one
// the programming cable is on.

#include "cli_command_line.h"
#include "command.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSerialPortInfo>

namespace zav::cli {
namespace {

/// "1a86:7523" as lsusb writes it, or "" for a device that is not on USB.
QString UsbId(const QSerialPortInfo& info)
{
    if (!info.hasVendorIdentifier() || !info.hasProductIdentifier())
        return {};
    return QStringLiteral("%1:%2")
        .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
        .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'));
}

int RunPorts(const QStringList& args)
{
    CommandLine line("ports", "Lists the serial devices: path, description, manufacturer, USB serial number and "
                              "vendor:product id.");
    QCommandLineParser& parser = line.parser;
    parser.addOption({"json", "Print the devices as a JSON array."});
    if (const auto status = line.parse(args))
        return *status;
    if (!parser.positionalArguments().isEmpty())
        return line.usageError("unexpected argument " + parser.positionalArguments().first());

    QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    std::sort(ports.begin(), ports.end(),
              [](const QSerialPortInfo& a, const QSerialPortInfo& b) { return a.systemLocation() < b.systemLocation(); });
    QTextStream out(stdout);
    if (parser.isSet("json")) {
        QJsonArray all;
        for (const QSerialPortInfo& info : ports) {
            QJsonObject o;
            o["path"] = info.systemLocation();
            o["description"] = info.description();
            o["manufacturer"] = info.manufacturer();
            o["serialNumber"] = info.serialNumber();
            o["usbId"] = UsbId(info);
            all.append(o);
        }
        out << QJsonDocument(all).toJson();
        return 0;
    }
    if (ports.isEmpty()) {
        QTextStream(stderr) << "zavprog-cli ports: no serial devices (is the cable plugged in?)\n";
        return 0;
    }
    for (const QSerialPortInfo& info : ports) {
        auto shown = [](const QString& text) { return text.isEmpty() ? QStringLiteral("-") : text; };
        out << info.systemLocation() << "\t" << shown(UsbId(info)) << "\t" << shown(info.description()) << "\t"
            << shown(info.manufacturer()) << "\t" << shown(info.serialNumber()) << "\n";
    }
    return 0;
}

} // namespace

ZAV_CLI_COMMAND("ports", "ports [--json]          the serial devices, with their USB names and ids", RunPorts);

} // namespace zav::cli
