// The Qt serial-port adapter on a pseudo-terminal held by the test itself:
// receive threshold, emptying the buffers, writing, and a device that
// disappears while open.

#include "qt_link_port.h"

#include <QSignalSpy>
#include <QTest>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cstdlib>

using namespace zav::link;

namespace {

/// The other end of the line: the master side of a pseudo-terminal.
class Line {
public:
    Line()
    {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0)
            device_ = QString::fromLocal8Bit(::ptsname(master_));
    }
    ~Line() { hangUp(); }
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

    [[nodiscard]] QString device() const { return device_; }
    void send(const QByteArray& bytes) const { QVERIFY(::write(master_, bytes.constData(), std::size_t(bytes.size())) == bytes.size()); }
    /// Whatever the port wrote, waiting up to a second for the first byte.
    [[nodiscard]] QByteArray received() const
    {
        QByteArray all;
        pollfd p{master_, POLLIN, 0};
        int wait = 1000;
        while (::poll(&p, 1, wait) > 0) {
            char buffer[256];
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            all.append(buffer, n);
            wait = 50;
        }
        return all;
    }
    void hangUp()
    {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    QString device_;
};

} // namespace

class TestQtLinkPort : public QObject {
    Q_OBJECT
private slots:
    void framesWaitForTheThreshold()
    {
        Line line;
        QtLinkPort port(line.device());
        std::vector<QByteArray> frames;
        port.setReceiver([&](std::span<const std::uint8_t> b) { frames.emplace_back(reinterpret_cast<const char*>(b.data()), qsizetype(b.size())); });
        QVERIFY(port.open());
        QCOMPARE(port.deviceName(), line.device());
        port.setThreshold(5);
        line.send("abc");
        QTest::qWait(100); // nothing may arrive: there is no frame yet
        QVERIFY(frames.empty());
        line.send("defg");
        QTRY_COMPARE(int(frames.size()), 1);
        QCOMPARE(frames[0], QByteArray("abcdefg")); // all waiting bytes; the engine frames them

        // Emptying the buffers drops what has not made a frame yet.
        port.setThreshold(4);
        line.send("xy");
        QTest::qWait(100);
        port.clearBuffers();
        line.send("1234");
        QTRY_COMPARE(int(frames.size()), 2);
        QCOMPARE(frames[1], QByteArray("1234"));
    }

    void writesReachTheLine()
    {
        Line line;
        QtLinkPort port(line.device());
        QVERIFY(port.open());
        const std::uint8_t packet[] = {'P', 'R', 'O', 'G', 'R', 'A', 'M', 0x00, 0xFF, 0x0A, 0x0D};
        port.write(packet);
        // Binary: no byte is translated or dropped.
        QCOMPARE(line.received(), QByteArray(reinterpret_cast<const char*>(packet), sizeof packet));
        port.write(std::span<const std::uint8_t>(packet, 3));
        port.close(); // what was written leaves before the port closes
        QCOMPARE(line.received(), QByteArray("PRO"));
        QVERIFY(!port.isOpen());
        port.write(packet); // closed: nothing leaves, and the port stays closed
        QVERIFY(!port.isOpen());
        QCOMPARE(line.received(), QByteArray());
    }

    void reopenAndFailures()
    {
        QtLinkPort missing(QDir::temp().filePath("zav-no-such-device"));
        QVERIFY(!missing.open());
        QVERIFY(!missing.lastError().isEmpty());

        Line line;
        QtLinkPort port(line.device());
        QByteArrayList frames;
        port.setReceiver([&](std::span<const std::uint8_t> b) { frames << QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(b.size())); });
        QVERIFY(port.open());
        // Half a frame is waiting when the port is opened again: opening
        // starts afresh (closed first, nothing kept, threshold back to 1).
        port.setThreshold(5);
        line.send("abc");
        QTest::qWait(100);
        QVERIFY(frames.isEmpty());
        QVERIFY(port.open());
        QVERIFY(port.isOpen());
        line.send("z");
        QTRY_COMPARE(frames, QByteArrayList({"z"}));
        const std::uint8_t probe[] = {'O', 'K'};
        port.write(probe);
        QCOMPARE(line.received(), QByteArray("OK"));

        // The device vanishes: the port closes itself and says why; later
        // calls neither reopen it nor deliver anything.
        line.hangUp();
        const std::uint8_t end[] = {'E', 'N', 'D'};
        port.write(end);
        QTRY_VERIFY(!port.isOpen());
        QVERIFY(!port.lastError().isEmpty());
        port.clearBuffers();
        port.write(end);
        port.setThreshold(1);
        QTest::qWait(50);
        QVERIFY(!port.isOpen());
        QCOMPARE(frames, QByteArrayList({"z"}));
    }
};

QTEST_GUILESS_MAIN(TestQtLinkPort)
#include "test_qt_link_port.moc"
