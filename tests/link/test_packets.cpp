// Packets, checksums, recognisers, framing and the address plans, checked
// against hand-computed byte vectors.

#include "address_plan.h"
#include "packets.h"

#include <QTest>

#include <algorithm>

using namespace zav::link;

Q_DECLARE_METATYPE(zav::link::Bytes)
Q_DECLARE_METATYPE(zav::link::Reply)
Q_DECLARE_METATYPE(zav::link::Packet)

namespace {

Bytes Hex(const char* text)
{
    Bytes out;
    const QByteArray raw = QByteArray::fromHex(QByteArray(text).replace(' ', ""));
    out.assign(raw.begin(), raw.end());
    return out;
}

/// A well-formed DataBlock reply for address with data bytes, checksum set.
Bytes DataBlock(int address, const Bytes& data)
{
    Bytes b(data.size() + 6, 0);
    b[0] = 'W';
    b[1] = static_cast<std::uint8_t>(address >> 8);
    b[2] = static_cast<std::uint8_t>(address & 0xFF);
    b[3] = static_cast<std::uint8_t>(data.size());
    std::copy(data.begin(), data.end(), b.begin() + 4);
    b.pop_back();
    b.push_back(0x06);
    b[b.size() - 2] = checksum(b);
    return b;
}

Bytes Identity(const char* model6, std::uint8_t band, const char* version4, std::uint8_t mode)
{
    Bytes b(16, 0x00);
    b[0] = 'P';
    for (int i = 0; i < 6 && model6[i]; ++i)
        b[1 + i] = static_cast<std::uint8_t>(model6[i]);
    b[7] = band;
    b[8] = 0x33;
    for (int i = 0; i < 4 && version4[i]; ++i)
        b[9 + i] = static_cast<std::uint8_t>(version4[i]);
    b[13] = mode;
    b[14] = 0x44;
    b[15] = 0x06;
    return b;
}

} // namespace

class TestPackets : public QObject {
    Q_OBJECT
private slots:
    void packetBytes_data()
    {
        QTest::addColumn<Packet>("packet");
        QTest::addColumn<int>("address");
        QTest::addColumn<Bytes>("bytes");
        QTest::addColumn<int>("echoThreshold");
        QTest::addColumn<int>("plainThreshold");
        QTest::newRow("handshake") << Packet::Handshake << 0 << Hex("50524F4752414D") << 10 << 3;
        QTest::newRow("identify") << Packet::IdentifyRequest << 0 << Hex("02") << 17 << 16;
        QTest::newRow("read 0x2430") << Packet::ReadRequest << 0x2430 << Hex("52 24 30 10") << 26 << 22;
        QTest::newRow("password read") << Packet::PasswordRead << 0x1234 << Hex("52 3F 20 10") << 26 << 22;
        QTest::newRow("end") << Packet::EndRequest << 0 << Hex("454E44") << 4 << 1;
    }
    void packetBytes()
    {
        QFETCH(Packet, packet);
        QFETCH(int, address);
        QFETCH(Bytes, bytes);
        QFETCH(int, echoThreshold);
        QFETCH(int, plainThreshold);
        QCOMPARE(buildPacket(packet, address), bytes);
        QCOMPARE(receiveThreshold(packet, false), echoThreshold);
        QCOMPARE(receiveThreshold(packet, true), plainThreshold);
        QCOMPARE(echoLength(packet, true), 0);
        QCOMPARE(echoLength(packet, false), int(bytes.size()));
    }

    void writeBlockCarriesMemoryAndChecksum()
    {
        RadioMemory memory;
        memory.fill(0xFF);
        // The worked example: 0x00 + 0x10 + 0x10 + 16 x 0xFF = 0x10 (mod 256).
        const Bytes block = buildPacket(Packet::WriteBlock, 0x0010, &memory);
        QCOMPARE(block, Hex("57 00 10 10 FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF 10 06"));
        QCOMPARE(receiveThreshold(Packet::WriteBlock, false), 23);
        QCOMPARE(receiveThreshold(Packet::WriteBlock, true), 1);

        for (int i = 0; i < 16; ++i)
            memory[0x6430 + i] = static_cast<std::uint8_t>(i);
        // 0x64 + 0x30 + 0x10 + (0 + 1 + ... + 15) = 0x11C.
        const Bytes last = buildPacket(Packet::WriteBlock, 0x6430, &memory);
        QCOMPARE(last, Hex("57 64 30 10 000102030405060708090A0B0C0D0E0F 1C 06"));
    }

    void recognisers_data()
    {
        QTest::addColumn<Bytes>("reply");
        QTest::addColumn<int>("blockAddress");
        QTest::addColumn<bool>("passwordStep");
        QTest::addColumn<Reply>("expected");
        const Bytes data(16, 0x5A);
        const Bytes good = DataBlock(0x0120, data);
        Bytes badChecksum = good;
        badChecksum[20] ^= 1;
        Bytes badEnd = good;
        badEnd[21] = 0x07;
        Bytes shortLength = DataBlock(0x0120, Bytes(16, 0x5A));
        shortLength[3] = 0x0F; // length byte no longer matches the total
        const Bytes password = DataBlock(0x3F20, data);

        QTest::newRow("ack") << Hex("06") << 0 << false << Reply::Ack;
        QTest::newRow("repeat") << Hex("0A") << 0 << false << Reply::RepeatRequest;
        QTest::newRow("other single byte") << Hex("15") << 0 << false << Reply::Unknown;
        QTest::newRow("handshake ack") << Hex("4A4C06") << 0 << false << Reply::HandshakeAck;
        QTest::newRow("handshake ack wrong end") << Hex("4A4C07") << 0 << false << Reply::Unknown;
        QTest::newRow("identity") << Identity("ZAV415", 0, "V300", 0) << 0 << false << Reply::Identity;
        QTest::newRow("data block") << good << 0x0120 << false << Reply::DataBlock;
        QTest::newRow("data block other address") << good << 0x0130 << false << Reply::Unknown;
        QTest::newRow("data block wrong checksum") << badChecksum << 0x0120 << false << Reply::Unknown;
        QTest::newRow("data block wrong last byte") << badEnd << 0x0120 << false << Reply::Unknown;
        QTest::newRow("data block wrong length byte") << shortLength << 0x0120 << false << Reply::Unknown;
        QTest::newRow("data block 8 bytes") << DataBlock(0x0120, Bytes(8, 1)) << 0x0120 << false << Reply::Unknown;
        QTest::newRow("password at password step") << password << -16 << true << Reply::PasswordBlock;
        QTest::newRow("password outside password step") << password << -16 << false << Reply::Unknown;
        QTest::newRow("info block 0x3F20 while walking") << password << 0x3F20 << false << Reply::DataBlock;
        QTest::newRow("empty") << Bytes{} << 0 << false << Reply::Unknown;
    }
    void recognisers()
    {
        QFETCH(Bytes, reply);
        QFETCH(int, blockAddress);
        QFETCH(bool, passwordStep);
        QFETCH(Reply, expected);
        QCOMPARE(recognise(reply, blockAddress, passwordStep), expected);
    }

    void identityDecoding_data()
    {
        QTest::addColumn<Bytes>("reply");
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("band");
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("mode");
        QTest::newRow("ZAV415 band 0") << Identity("ZAV415", 0, "V300", 0) << "ZAV415" << 0 << "V300" << 0;
        QTest::newRow("ZAV415 band 1 is the FM variant") << Identity("ZAV415", 1, "V300", 4) << "ZAV415FM" << 0 << "V300" << 4;
        QTest::newRow("other model band 1") << Identity("KD1415", 1, "V210", 0) << "KD1415" << 1 << "V210" << 0;
        QTest::newRow("short fields end at NUL") << Identity("ZA", 9, "V3", 0) << "ZA" << 9 << "V3" << 0;
        QTest::newRow("trailing spaces removed") << Identity("ZAV   ", 0, "V300", 0) << "ZAV" << 0 << "V300" << 0;
    }
    void identityDecoding()
    {
        QFETCH(Bytes, reply);
        QFETCH(QString, model);
        QFETCH(int, band);
        QFETCH(QString, version);
        QFETCH(int, mode);
        const RadioIdentity id = decodeIdentity(reply);
        QCOMPARE(QString::fromStdString(id.modelName), model);
        QCOMPARE(int(id.bandByte), band);
        QCOMPARE(QString::fromStdString(id.version), version);
        QCOMPARE(int(id.channelMode), mode);
        QVERIFY(std::equal(id.header.begin(), id.header.end(), reply.begin() + 1));
    }

    void passwordOfBlock_data()
    {
        QTest::addColumn<Bytes>("tail"); // bytes 12..15
        QTest::addColumn<QString>("password");
        QTest::newRow("four characters") << Bytes{'a', 'B', '1', '#'} << "aB1#";
        QTest::newRow("two then NUL") << Bytes{'A', 'B', 0x00, 'C'} << "AB";
        QTest::newRow("0xFF ends it") << Bytes{'x', 0xFF, 'y', 'z'} << "x";
        QTest::newRow("starts with NUL: none") << Bytes{0x00, 'A', 'B', 'C'} << "";
        QTest::newRow("erased: none") << Bytes{0xFF, 0xFF, 0xFF, 0xFF} << "";
        QTest::newRow("trailing space dropped") << Bytes{'A', ' ', ' ', ' '} << "A";
    }
    void passwordOfBlock()
    {
        QFETCH(Bytes, tail);
        QFETCH(QString, password);
        Bytes block(12, 0x41);
        block.insert(block.end(), tail.begin(), tail.end());
        QCOMPARE(QString::fromStdString(zav::link::passwordOfBlock(block)), password);
    }

    void dataBlockStorage()
    {
        RadioMemory memory;
        InfoBlock info;
        memory.fill(0xEE);
        info.fill(0xEE);
        storeDataBlock(DataBlock(0x0010, Bytes(16, 1)), memory, info);
        storeDataBlock(DataBlock(0x3FF0, Bytes(16, 2)), memory, info);
        storeDataBlock(DataBlock(0x6430, Bytes(16, 3)), memory, info);
        storeDataBlock(DataBlock(0x643F, Bytes(16, 4)), memory, info); // above 0x643E: nowhere
        storeDataBlock(DataBlock(0xFFF0, Bytes(16, 5)), memory, info);
        QCOMPARE(int(memory[0x000F]), 0xEE);
        QCOMPARE(int(memory[0x0010]), 1);
        QCOMPARE(int(memory[0x001F]), 1);
        QCOMPARE(int(info[0xF0]), 2);
        QCOMPARE(int(info[0xFF]), 2);
        QCOMPARE(int(memory[0x3FF0]), 0xEE);
        QCOMPARE(int(memory[0x643F]), 3);
        QVERIFY(std::count(memory.begin(), memory.end(), 4) == 0);
        QVERIFY(std::count(memory.begin(), memory.end(), 5) == 0);
        // A long block at the very end of memory is cut, never overruns.
        storeDataBlock(DataBlock(0x643E, Bytes(40, 6)), memory, info);
        QCOMPARE(int(memory[0x643E]), 6);
        QCOMPARE(int(memory[0x643F]), 6);
    }

    void framerTakesOneFramePerSend()
    {
        ReplyFramer framer;
        framer.arm(23, 22);
        Bytes echo(22, 0xAA); // skipped whatever it contains
        QVERIFY(!framer.push(std::span(echo).first(10)));
        Bytes rest(echo.begin() + 10, echo.end());
        rest.push_back(0x06);
        rest.push_back(0x0A); // surplus in the same chunk
        auto reply = framer.push(rest);
        QVERIFY(reply);
        QCOMPARE(*reply, Bytes{0x06});
        // Everything after the frame is dropped until the next send.
        const Bytes more{0x06, 0x06, 0x06};
        QVERIFY(!framer.push(more));
        framer.arm(1, 0);
        QVERIFY(!framer.push({}));
        auto next = framer.push(Bytes{0x0A, 0x06});
        QVERIFY(next);
        QCOMPARE(*next, Bytes{0x0A});
        framer.disarm();
        QVERIFY(!framer.push(Bytes{0x06}));
    }

    void fullPlan()
    {
        const std::vector<long> blocks = planBlocks(kFullPlan);
        QCOMPARE(int(blocks.size()), 1122);
        QCOMPARE(blocks.front(), 0x0000L);
        QCOMPARE(blocks.back(), 0x6430L);
        QCOMPARE(int(std::count_if(blocks.begin(), blocks.end(), [](long a) { return a <= 0x2430; })), 580);
        QCOMPARE(int(std::count_if(blocks.begin(), blocks.end(), [](long a) { return a >= 0x4000 && a <= 0x6190; })), 538);
        QCOMPARE(int(std::count_if(blocks.begin(), blocks.end(), [](long a) { return a >= 0x6400; })), 4);
        QVERIFY(std::is_sorted(blocks.begin(), blocks.end()));
        QVERIFY(!inPlan(kFullPlan, 0x2440));
        QVERIFY(!inPlan(kFullPlan, 0x3F20));
        QVERIFY(inPlan(kFullPlan, 0x4000));
    }

    void walkSteps_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("end");
        QTest::addColumn<int>("candidate");
        QTest::addColumn<bool>("ended");
        QTest::newRow("start of full plan") << -16 << 0x643F << 0x0000 << false;
        QTest::newRow("last of first range") << 0x2430 << 0x643F << 0x4000 << false;
        QTest::newRow("last of second range") << 0x6190 << 0x643F << 0x6400 << false;
        QTest::newRow("after the last block") << 0x6430 << 0x643F << 0x6440 << true;
        QTest::newRow("info start") << 0x3EF0 << 0x3FFF << 0x3F00 << false;
        QTest::newRow("info: 0x2430 is not skipped") << 0x2430 << 0x3FFF << 0x2440 << false;
        QTest::newRow("info end") << 0x3FF0 << 0x3FFF << 0x4000 << true;
    }
    void walkSteps()
    {
        QFETCH(int, from);
        QFETCH(int, end);
        QFETCH(int, candidate);
        QFETCH(bool, ended);
        const long next = nextBlockCandidate(from, end);
        QCOMPARE(next, long(candidate));
        QCOMPARE(walkEnded(next, end), ended);
    }

    void infoPlan()
    {
        const std::vector<long> blocks = planBlocks(kInfoPlan);
        QCOMPARE(int(blocks.size()), 16);
        QCOMPARE(blocks.front(), 0x3F00L);
        QCOMPARE(blocks.back(), 0x3FF0L);
    }
};

QTEST_APPLESS_MAIN(TestPackets)
#include "test_packets.moc"
