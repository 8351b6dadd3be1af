// Which device a transfer uses when the chosen port is gone: the only USB
// serial adapter, and nothing when the choice is not clear.

#include "adapter_choice.h"

#include <QTest>

using namespace zav;

Q_DECLARE_METATYPE(std::vector<zav::SerialDevice>)

namespace {

SerialDevice Builtin(const char* path) { return {path, "", "", "", false}; }
SerialDevice Usb(const char* path, const char* byId = "") { return {path, byId, "A1", "USB Serial", true}; }

} // namespace

class TestAdapterChoice : public QObject {
    Q_OBJECT

private slots:
    void choice_data()
    {
        QTest::addColumn<std::vector<SerialDevice>>("present");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("used"); ///< "" = keep the chosen one
        const SerialDevice s0 = Builtin("/dev/ttyS0");
        const SerialDevice u0 = Usb("/dev/ttyUSB0", "/dev/serial/by-id/usb-A");
        const SerialDevice u1 = Usb("/dev/ttyUSB1");
        QTest::newRow("chosen adapter gone, another one there")
            << std::vector{s0, u1} << "/dev/serial/by-id/usb-B" << "/dev/ttyUSB1";
        QTest::newRow("nothing chosen yet") << std::vector{u0} << "" << "/dev/ttyUSB0";
        QTest::newRow("chosen device there by path") << std::vector{s0, u1} << "/dev/ttyS0" << "";
        QTest::newRow("chosen adapter there by its stable name")
            << std::vector{u0, u1} << "/dev/serial/by-id/usb-A" << "";
        QTest::newRow("two adapters: only the user knows") << std::vector{u0, u1} << "/dev/ttyUSB7" << "";
        QTest::newRow("no adapter, only built-in ports") << std::vector{s0} << "/dev/ttyUSB0" << "";
        QTest::newRow("nothing at all") << std::vector<SerialDevice>{} << "/dev/ttyUSB0" << "";
    }
    void choice()
    {
        QFETCH(std::vector<SerialDevice>, present);
        QFETCH(QString, chosen);
        QFETCH(QString, used);
        const auto adapter = soleAdapterInstead(present, chosen.toStdString());
        QCOMPARE(adapter.has_value(), !used.isEmpty());
        if (adapter)
            QCOMPARE(QString::fromStdString(adapter->path), used);
    }
};

QTEST_APPLESS_MAIN(TestAdapterChoice)
#include "test_adapter_choice.moc"
