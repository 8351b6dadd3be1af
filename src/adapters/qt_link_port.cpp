#include "qt_link_port.h"

#include <QSerialPortInfo>

namespace zav::link {

QtLinkPort::QtLinkPort(const QString& deviceName, QObject* parent) : QObject(parent), device_(deviceName)
{
    port_.setPortName(deviceName);
    connect(&port_, &QSerialPort::readyRead, this, &QtLinkPort::onReadyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, &QtLinkPort::onError);
}

QtLinkPort::~QtLinkPort()
{
    if (port_.isOpen())
        port_.close();
}

void QtLinkPort::setDeviceName(const QString& deviceName)
{
    if (port_.isOpen())
        port_.close();
    device_ = deviceName;
    port_.setPortName(deviceName);
}

QString QtLinkPort::deviceName() const { return device_; }

void QtLinkPort::setReceiver(Receiver receiver) { receiver_ = std::move(receiver); }

void QtLinkPort::setReceiveTap(Receiver tap) { tap_ = std::move(tap); }

QString QtLinkPort::lastError() const { return lastError_; }

bool QtLinkPort::open()
{
    close();
    pending_.clear();
    threshold_ = 1;
    // Settings in the order port, flow control, line settings; then open.
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    if (port_.portName().isEmpty() || !port_.open(QIODevice::ReadWrite)) {
        lastError_ = port_.errorString();
        return false;
    }
    // Some drivers only take the line settings once the port is open.
    const bool configured = port_.setBaudRate(QSerialPort::Baud9600) && port_.setDataBits(QSerialPort::Data8)
        && port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop)
        && port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        lastError_ = port_.errorString();
        port_.close();
        return false;
    }
    lastError_.clear();
    return true;
}

void QtLinkPort::close()
{
    if (!port_.isOpen())
        return;
    // The END request written just before must leave the port: hand what
    // Qt still buffers to the driver, which drains it on close.
    port_.flush();
    port_.close();
    pending_.clear();
}

bool QtLinkPort::isOpen() const { return port_.isOpen(); }

void QtLinkPort::setThreshold(int bytes)
{
    threshold_ = bytes < 1 ? 1 : bytes;
    deliverIfComplete();
}

void QtLinkPort::clearBuffers()
{
    pending_.clear();
    if (port_.isOpen()) {
        port_.clear(QSerialPort::AllDirections);
        // Bytes Qt already took from the driver are not covered by clear().
        const QByteArray dropped = port_.readAll();
        if (tap_ && !dropped.isEmpty())
            tap_(std::span(reinterpret_cast<const std::uint8_t*>(dropped.constData()),
                           static_cast<std::size_t>(dropped.size())));
    }
}

void QtLinkPort::write(std::span<const std::uint8_t> bytes)
{
    if (!port_.isOpen() || bytes.empty())
        return;
    port_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    // Hand the packet to the driver now rather than on the next pass of the
    // event loop: the reply time-out is already running.
    port_.flush();
}

void QtLinkPort::onReadyRead()
{
    const QByteArray chunk = port_.readAll();
    if (tap_ && !chunk.isEmpty())
        tap_(std::span(reinterpret_cast<const std::uint8_t*>(chunk.constData()), static_cast<std::size_t>(chunk.size())));
    pending_.append(chunk);
    deliverIfComplete();
}

void QtLinkPort::deliverIfComplete()
{
    if (pending_.size() < threshold_)
        return;
    const QByteArray frame = std::exchange(pending_, {});
    if (receiver_)
        receiver_(std::span(reinterpret_cast<const std::uint8_t*>(frame.constData()),
                            static_cast<std::size_t>(frame.size())));
}

void QtLinkPort::onError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError)
        return;
    lastError_ = port_.errorString();
    // A device that vanished or broke cannot be used any further; closing
    // it turns every later reply into a time-out, which the engine handles.
    if (error == QSerialPort::ResourceError || error == QSerialPort::PermissionError
        || error == QSerialPort::DeviceNotFoundError) {
        pending_.clear();
        // Closed once QSerialPort has finished reporting, not from inside it.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (port_.isOpen())
                    port_.close();
            },
            Qt::QueuedConnection);
    }
}

} // namespace zav::link
