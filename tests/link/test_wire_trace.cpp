// The wire trace: its lines, and the radio password that must never reach
// them, however the stream is cut into chunks and in either direction.

#include "packets.h"
#include "traced_link_port.h"
#include "wire_trace.h"

#include <QTest>

#include <algorithm>
#include <sstream>

using namespace zav::link;

namespace {

constexpr std::int64_t kNoon = 1'796'774'400'000 + 12 * 3600000LL + 34 * 60000 + 56 * 1000 + 789; // 12:34:56.789 UTC

/// The radio's reply to the password read with password "7Q5z" (data
/// bytes 12..15 of the block at 0x3F20), or the block at another address.
Bytes PasswordBlock(int address = kPasswordAddress)
{
    RadioMemory memory{};
    memory.fill(0x41);
    const char* password = "7Q5z";
    for (int i = 0; i < 4; ++i)
        memory[static_cast<std::size_t>(kPasswordAddress + 12 + i)] = static_cast<std::uint8_t>(password[i]);
    return buildPacket(Packet::WriteBlock, address, &memory);
}

bool HoldsPassword(const std::string& trace)
{
    // In hex (either spacing) or as characters.
    return trace.find("37 51 35 7A") != std::string::npos || trace.find("7Q5z") != std::string::npos
        || trace.find("37 51") != std::string::npos || trace.find("35 7A") != std::string::npos;
}

/// A hidden byte shows as "**" in hex and "*" as text.
std::size_t HiddenBytes(const std::string& trace)
{
    return static_cast<std::size_t>(std::count(trace.begin(), trace.end(), '*')) / 3;
}

class FakePort : public LinkPort {
public:
    bool opens = true;
    bool opened = false;
    Bytes written;
    bool open() override { return opened = opens; }
    void close() override { opened = false; }
    bool isOpen() const override { return opened; }
    void setThreshold(int) override {}
    void clearBuffers() override {}
    void write(std::span<const std::uint8_t> bytes) override { written.insert(written.end(), bytes.begin(), bytes.end()); }
};

} // namespace

class TestWireTrace : public QObject {
    Q_OBJECT

private slots:
    void lineShowsTimePortDirectionHexAndText()
    {
        std::ostringstream out;
        WireTrace trace(out, [] { return kNoon; });
        const Bytes handshake = buildPacket(Packet::Handshake);
        trace.record("/dev/ttyUSB0", WireDirection::Sent, handshake);
        const Bytes ack{'J', 'L', 0x06};
        trace.record("/dev/ttyUSB0", WireDirection::Received, ack);
        QCOMPARE(QString::fromStdString(out.str()),
                 QStringLiteral("12:34:56.789 /dev/ttyUSB0 sent 7  50 52 4F 47 52 41 4D  |PROGRAM|\n"
                                "12:34:56.789 /dev/ttyUSB0 recv 3  4A 4C 06  |JL.|\n"));
    }

    void passwordMaskedWhereverTheChunksAreCut_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("cut");
        // Every cut of a request's echo followed by the reply, so that the
        // block header, the password and the checksum each fall apart.
        const Bytes request = buildPacket(Packet::PasswordRead);
        const int total = static_cast<int>(request.size() + PasswordBlock().size());
        for (int direction : {0, 1})
            for (int cut = 0; cut <= total; ++cut)
                QTest::addRow("%s cut %d", direction ? "recv" : "sent", cut) << direction << cut;
    }
    void passwordMaskedWhereverTheChunksAreCut()
    {
        QFETCH(int, direction);
        QFETCH(int, cut);
        Bytes stream = buildPacket(Packet::PasswordRead);
        const Bytes block = PasswordBlock();
        stream.insert(stream.end(), block.begin(), block.end());
        std::ostringstream out;
        WireTrace trace(out, [] { return kNoon; });
        const auto dir = direction ? WireDirection::Received : WireDirection::Sent;
        trace.record("p", dir, std::span(stream).first(static_cast<std::size_t>(cut)));
        trace.record("p", dir, std::span(stream).subspan(static_cast<std::size_t>(cut)));
        QVERIFY2(!HoldsPassword(out.str()), out.str().c_str());
        // Exactly the four password bytes are hidden; the rest stays readable.
        QCOMPARE(HiddenBytes(out.str()), std::size_t{4});
        QVERIFY(out.str().find("41 41") != std::string::npos);
    }

    void oneByteChunksAndBlocksAroundThePassword_data()
    {
        QTest::addColumn<int>("address");
        QTest::addColumn<int>("hidden");
        QTest::newRow("password block") << kPasswordAddress << 4;
        QTest::newRow("block ending inside the password") << kPasswordAddress - 2 << 2;
        QTest::newRow("block starting inside the password") << kPasswordAddress + 13 << 3;
        QTest::newRow("block before it") << kPasswordAddress - 16 << 0;
        QTest::newRow("channel memory") << 0x1000 << 0;
    }
    void oneByteChunksAndBlocksAroundThePassword()
    {
        QFETCH(int, address);
        QFETCH(int, hidden);
        // The block's data is the same bytes wherever it claims to be; only
        // what falls on the password's addresses is hidden.
        Bytes block = PasswordBlock();
        block[1] = static_cast<std::uint8_t>(address >> 8);
        block[2] = static_cast<std::uint8_t>(address & 0xFF);
        std::ostringstream out;
        WireTrace trace(out, [] { return kNoon; });
        for (std::uint8_t b : block)
            trace.record("p", WireDirection::Received, std::span(&b, 1));
        QCOMPARE(HiddenBytes(out.str()), static_cast<std::size_t>(hidden));
    }

    void directionsAndPortsAreSeparateStreams()
    {
        // A header sent on one port must not hide bytes received on another.
        std::ostringstream out;
        WireTrace trace(out, [] { return kNoon; });
        const Bytes block = PasswordBlock();
        trace.record("a", WireDirection::Sent, std::span(block).first(4));
        const Bytes plain(20, 0x42);
        trace.record("b", WireDirection::Sent, plain);
        trace.record("a", WireDirection::Received, plain);
        QVERIFY(out.str().find("**") == std::string::npos);
        // ...while the first port's stream goes on where it was cut.
        trace.record("a", WireDirection::Sent, std::span(block).subspan(4));
        QVERIFY(!HoldsPassword(out.str()));
        QVERIFY(out.str().find("**") != std::string::npos);
    }

    void tracedPortForwardsAndRecords()
    {
        FakePort inner;
        TracedLinkPort port(inner, [] { return std::string("/dev/ttyS9"); });
        const Bytes end = buildPacket(Packet::EndRequest);
        // Without a trace it is the port itself.
        QVERIFY(port.open());
        port.write(end);
        QCOMPARE(inner.written, end);

        std::ostringstream out;
        WireTrace trace(out, [] { return kNoon; });
        port.setTrace(&trace);
        port.write(end);
        port.noteReceived(Bytes{0x06});
        port.close();
        inner.opens = false;
        port.setFailureReason([] { return std::string("Permission denied"); });
        QVERIFY(!port.open());
        QCOMPARE(QString::fromStdString(out.str()),
                 QStringLiteral("12:34:56.789 /dev/ttyS9 sent 3  45 4E 44  |END|\n"
                                "12:34:56.789 /dev/ttyS9 recv 1  06  |.|\n"
                                "12:34:56.789 /dev/ttyS9 -- closed\n"
                                "12:34:56.789 /dev/ttyS9 -- cannot open: Permission denied\n"));
        QCOMPARE(inner.written.size(), end.size() * 2);
    }

    void fileThatCannotBeCreated()
    {
        QVERIFY(WireTrace::toFile("/nonexistent-folder/trace.txt") == nullptr);
    }
};

QTEST_APPLESS_MAIN(TestWireTrace)
#include "test_wire_trace.moc"
