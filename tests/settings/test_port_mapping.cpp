// Numbered port choices for the serial devices of a Linux system.

#include "port_mapping.h"

#include <QtTest>

using namespace zav;

namespace {

// "path|stable|serial;path..." -> devices
std::vector<SerialDevice> Devices(const QString& listing)
{
    std::vector<SerialDevice> out;
    for (const QString& item : listing.split(';', Qt::SkipEmptyParts)) {
        const QStringList f = item.split('|');
        out.push_back({f.value(0).toStdString(), f.value(1).toStdString(), f.value(2).toStdString()});
    }
    return out;
}

// "1=/dev/ttyS0 5=/dev/ttyUSB0" (absent devices marked with a trailing "!")
QString Describe(const PortTable& table)
{
    QStringList parts;
    for (int n = 1; n <= kPortChoices; ++n) {
        const PortSlot& s = table[static_cast<std::size_t>(n - 1)];
        if (s.device.empty())
            continue;
        parts << QString("%1=%2%3").arg(n).arg(QString::fromStdString(s.device)).arg(s.present ? "" : "!");
    }
    return parts.join(' ');
}

} // namespace

class TestPortMapping : public QObject {
    Q_OBJECT
private slots:
    void mapping_data();
    void mapping();
    void numbersDoNotDependOnEnumerationOrder();
    void storedDeviceAndResolution();
};

void TestPortMapping::mapping_data()
{
    QTest::addColumn<QString>("devices");
    QTest::addColumn<QString>("pinned");
    QTest::addColumn<int>("pinnedNumber");
    QTest::addColumn<QString>("expected");

    QTest::newRow("nothing") << "" << "" << 1 << "";
    QTest::newRow("built-in ports keep 1..4")
        << "/dev/ttyS0;/dev/ttyS3" << "" << 1 << "1=/dev/ttyS0 4=/dev/ttyS3";
    QTest::newRow("ttyS4 and up are not built-in numbers")
        << "/dev/ttyS4;/dev/ttyS10" << "" << 1 << "5=/dev/ttyS4 6=/dev/ttyS10";
    QTest::newRow("adapters from 5 up, by stable name not by tty number")
        << "/dev/ttyUSB0|/dev/serial/by-id/usb-B||;/dev/ttyUSB1|/dev/serial/by-id/usb-A|" << "" << 1
        << "5=/dev/ttyUSB1 6=/dev/ttyUSB0";
    QTest::newRow("serial number orders adapters without a stable name")
        << "/dev/ttyACM0||Z9;/dev/ttyACM1||A1" << "" << 1 << "5=/dev/ttyACM1 6=/dev/ttyACM0";
    QTest::newRow("adapters never take 1..4 even when free")
        << "/dev/ttyUSB0" << "" << 1 << "5=/dev/ttyUSB0";
    QTest::newRow("chosen adapter keeps its number")
        << "/dev/ttyUSB0|/dev/serial/by-id/usb-A|;/dev/ttyUSB1|/dev/serial/by-id/usb-B|"
        << "/dev/serial/by-id/usb-B" << 9 << "5=/dev/ttyUSB0 9=/dev/ttyUSB1";
    QTest::newRow("chosen adapter found by its stable name under a new tty")
        << "/dev/ttyUSB3|/dev/serial/by-id/usb-B|" << "/dev/serial/by-id/usb-B" << 5 << "5=/dev/ttyUSB3";
    QTest::newRow("unplugged chosen adapter keeps its number reserved")
        << "/dev/ttyUSB0|/dev/serial/by-id/usb-A|" << "/dev/serial/by-id/usb-B" << 5
        << "5=/dev/serial/by-id/usb-B! 6=/dev/ttyUSB0";
    QTest::newRow("chosen device on a built-in number moves the built-in port")
        << "/dev/ttyS0;/dev/ttyUSB0" << "/dev/ttyUSB0" << 1 << "1=/dev/ttyUSB0 5=/dev/ttyS0";
    QTest::newRow("stored number out of range pins nothing")
        << "/dev/ttyUSB0" << "/dev/ttyUSB0" << 17 << "5=/dev/ttyUSB0";
    QTest::newRow("more than twelve adapters: the rest have no choice")
        << "/dev/ttyUSB22;/dev/ttyUSB10;/dev/ttyUSB11;/dev/ttyUSB12;/dev/ttyUSB13;/dev/ttyUSB14;/dev/ttyUSB15;/dev/ttyUSB16;"
           "/dev/ttyUSB17;/dev/ttyUSB18;/dev/ttyUSB19;/dev/ttyUSB20;/dev/ttyUSB21;/dev/ttyUSB9"
        << "" << 1
        << "5=/dev/ttyUSB9 6=/dev/ttyUSB10 7=/dev/ttyUSB11 8=/dev/ttyUSB12 9=/dev/ttyUSB13 10=/dev/ttyUSB14 "
           "11=/dev/ttyUSB15 12=/dev/ttyUSB16 13=/dev/ttyUSB17 14=/dev/ttyUSB18 15=/dev/ttyUSB19 16=/dev/ttyUSB20";
}

void TestPortMapping::mapping()
{
    QFETCH(QString, devices);
    QFETCH(QString, pinned);
    QFETCH(int, pinnedNumber);
    QFETCH(QString, expected);
    QCOMPARE(Describe(mapPorts(Devices(devices), pinned.toStdString(), pinnedNumber)), expected);
}

void TestPortMapping::numbersDoNotDependOnEnumerationOrder()
{
    const auto a = Devices("/dev/ttyUSB0|/dev/serial/by-id/usb-X|;/dev/ttyS1;/dev/ttyACM0||77;/dev/ttyUSB1");
    auto b = a;
    std::reverse(b.begin(), b.end());
    QCOMPARE(Describe(mapPorts(b, "", 1)), Describe(mapPorts(a, "", 1)));
}

void TestPortMapping::storedDeviceAndResolution()
{
    const PortTable table =
        mapPorts(Devices("/dev/ttyS0;/dev/ttyUSB0|/dev/serial/by-id/usb-A|"), "/dev/serial/by-id/usb-Gone", 7);

    QCOMPARE(storedDeviceFor(table, 1), std::string("/dev/ttyS0"));
    QCOMPARE(storedDeviceFor(table, 5), std::string("/dev/serial/by-id/usb-A"));
    QCOMPARE(storedDeviceFor(table, 2), std::string());
    QCOMPARE(storedDeviceFor(table, 0), std::string());
    QCOMPARE(storedDeviceFor(table, 17), std::string());

    QCOMPARE(resolveLinkDevice("/dev/pts/4", table, 5, ""), std::string("/dev/pts/4"));
    QCOMPARE(resolveLinkDevice("", table, 5, ""), std::string("/dev/ttyUSB0"));
    // The chosen adapter is unplugged: open its name and fail there, never
    // another adapter that happens to be present.
    QCOMPARE(resolveLinkDevice("", table, 7, "/dev/serial/by-id/usb-Gone"), std::string("/dev/serial/by-id/usb-Gone"));
    QCOMPARE(resolveLinkDevice("", table, 3, ""), std::string("/dev/ttyS2"));
    QCOMPARE(resolveLinkDevice("", table, 12, ""), std::string());
}

QTEST_APPLESS_MAIN(TestPortMapping)
#include "test_port_mapping.moc"
