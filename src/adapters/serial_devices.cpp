#include "serial_devices.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSerialPortInfo>

#include <algorithm>

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

/// "1a86:7523" as lsusb writes it, or "" for a device that is not on USB.
QString usbIdOf(const QSerialPortInfo& info)
{
    if (!info.hasVendorIdentifier() || !info.hasProductIdentifier())
        return {};
    return QStringLiteral("%1:%2")
        .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
        .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'));
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
        d.manufacturer = info.manufacturer().toStdString();
        d.usbId = usbIdOf(info).toStdString();
        out.push_back(std::move(d));
    }
    std::sort(out.begin(), out.end(), [](const SerialDevice& a, const SerialDevice& b) { return a.path < b.path; });
    return out;
}

} // namespace zav
