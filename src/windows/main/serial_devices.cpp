#include "serial_devices.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSerialPortInfo>

namespace zav {
namespace {

// Canonical device path -> its /dev/serial/by-id link.
QHash<QString, QString> byIdLinks()
{
    QHash<QString, QString> links;
    const QDir dir(QStringLiteral("/dev/serial/by-id"));
    for (const QFileInfo& link : dir.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot))
        links.insert(QFileInfo(link.canonicalFilePath()).absoluteFilePath(), link.absoluteFilePath());
    return links;
}

} // namespace

std::vector<SerialDevice> systemSerialDevices()
{
    const QHash<QString, QString> links = byIdLinks();
    std::vector<SerialDevice> out;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialDevice d;
        d.path = info.systemLocation().toStdString();
        d.stableName = links.value(info.systemLocation()).toStdString();
        d.serialNumber = info.serialNumber().toStdString();
        d.description = info.description().toStdString();
        d.usb = info.hasVendorIdentifier();
        out.push_back(std::move(d));
    }
    return out;
}

} // namespace zav
