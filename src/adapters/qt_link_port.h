#pragma once

// The serial port of a transfer on Qt: QSerialPort at 9600 baud, 8 data
// bits, no parity, 1 stop bit, no flow control. Received bytes are buffered
// until the receive threshold is reached and then handed on, all of them,
// to the receiver (the engine frames them). A port that fails while open (a
// USB adapter pulled out, a virtual radio that ended) is closed; the engine
// then sees no replies and ends the transfer through its retries.

#include "transfer_engine.h"

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>

#include <cstdint>
#include <functional>
#include <span>

namespace zav::link {

class QtLinkPort : public QObject, public LinkPort {
    Q_OBJECT

public:
    using Receiver = std::function<void(std::span<const std::uint8_t>)>;

    /// deviceName: a system port name ("ttyUSB0", "COM3") or a device path.
    explicit QtLinkPort(const QString& deviceName = {}, QObject* parent = nullptr);
    ~QtLinkPort() override;

    void setDeviceName(const QString& deviceName);
    [[nodiscard]] QString deviceName() const;
    /// Where received bytes go, usually TransferEngine::onBytesReceived.
    void setReceiver(Receiver receiver);
    /// Sees every chunk as it comes off the wire, before any framing (the
    /// wire trace).
    void setReceiveTap(Receiver tap);
    /// The last error of the port, for diagnostics ("" when none).
    [[nodiscard]] QString lastError() const;

    [[nodiscard]] bool open() override;
    void close() override;
    [[nodiscard]] bool isOpen() const override;
    void setThreshold(int bytes) override;
    void clearBuffers() override;
    void write(std::span<const std::uint8_t> bytes) override;

private:
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);
    void deliverIfComplete();

    QString device_; ///< as given (QSerialPort shortens /dev/... paths)
    QSerialPort port_;
    QByteArray pending_;
    Receiver receiver_;
    Receiver tap_;
    QString lastError_;
    int threshold_ = 1;
};

} // namespace zav::link
