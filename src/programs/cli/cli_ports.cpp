// ports [--json]: the serial devices the system reports, to find the one
// the programming cable is on (the same list as the desktop's port dialog).

#include "cli_command_line.h"
#include "command.h"
#include "serial_devices.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zav::cli {
namespace {

int runPorts(const QStringList& args)
{
    CommandLine line("ports", "Lists the serial devices: path, description, manufacturer, USB serial number and "
                              "vendor:product id.");
    QCommandLineParser& parser = line.parser;
    parser.addOption({"json", "Print the devices as a JSON array."});
    if (const auto status = line.parse(args))
        return *status;
    if (!parser.positionalArguments().isEmpty())
        return line.usageError("unexpected argument " + parser.positionalArguments().first());

    const std::vector<SerialDevice> devices = systemSerialDevices();
    QTextStream out(stdout);
    if (parser.isSet("json")) {
        QJsonArray all;
        for (const SerialDevice& device : devices) {
            QJsonObject o;
            o["path"] = QString::fromStdString(device.path);
            o["description"] = QString::fromStdString(device.description);
            o["manufacturer"] = QString::fromStdString(device.manufacturer);
            o["serialNumber"] = QString::fromStdString(device.serialNumber);
            o["usbId"] = QString::fromStdString(device.usbId);
            all.append(o);
        }
        out << QJsonDocument(all).toJson();
        return 0;
    }
    if (devices.empty()) {
        QTextStream(stderr) << "zavprog-cli ports: no serial devices (is the cable plugged in?)\n";
        return 0;
    }
    for (const SerialDevice& device : devices) {
        auto shown = [](const std::string& text) { return text.empty() ? QStringLiteral("-") : QString::fromStdString(text); };
        out << QString::fromStdString(device.path) << "\t" << shown(device.usbId) << "\t" << shown(device.description)
            << "\t" << shown(device.manufacturer) << "\t" << shown(device.serialNumber) << "\n";
    }
    return 0;
}

} // namespace

ZAV_CLI_COMMAND("ports", "ports [--json]          the serial devices, with their USB names and ids", runPorts);

} // namespace zav::cli
