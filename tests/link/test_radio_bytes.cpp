// The radio's bytes written out by hand, checksums included: a channel
// block, the header block and both settings blocks, as the write sends them
// and as a read receives them. The virtual radio shares the encoder and the
// checksum with the program, so a round trip through it cannot see a byte
// that both get wrong; these vectors can.

#include "engine_harness.h"

#include "memory_map.h"
#include "sample_document.h"

#include "defaults.h"

#include <QTest>

using namespace zav;
using namespace zav::link;
using namespace zav::testing;

Q_DECLARE_METATYPE(zav::link::Bytes)

namespace {

Bytes Hex(const char* text)
{
    const QByteArray raw = QByteArray::fromHex(QByteArray(text).replace(' ', ""));
    return Bytes(raw.begin(), raw.end());
}

QString Show(const Bytes& b)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(b.size())).toHex(' '));
}

// Channel 3 at 0x0030: 26.965 MHz as 26965 = 0x6955, low byte first;
// bytes 2-4 unused; byte 5 = Option27 + 8 Option26 + 32 Option25 = 0x29;
// receive tone 100.0 Hz = 1000 = 0x03E8; transmit tone D265I = 0x8000 +
// 0o265 = 0x80B5; byte 10 = Option37 + 4 Option39 + 16 Option41 +
// 32 Option30 + 64 Option11 = 0x75; byte 11 = 3 + 16 x 1; byte 12 =
// 5 + 64 x 1; byte 13 = 12; byte 14 = 16; byte 15 unused.
// Checksum 0x00 + 0x30 + 0x10 + data = 0x82C.
const char* const kChannelPacket = "57 0030 10 5569FFFFFF2903E880B57513450C10FF 2C 06";

// Header block as the radio's identity gave it: "ZAV415", band byte 0,
// byte 0x77 (not interpreted), "V300", mode 0, byte 0x99 (not
// interpreted); 0x21FE and 0x21FF are never written. Checksum 0x6A3.
const char* const kHeaderPacket = "57 21F0 10 5A41563431350077563330300099FFFF A3 06";

// Country-mode settings at 0x2170: TOT 45 s / 15, sidetone, Common1[1..7],
// digit rate, first-digit delay, first-digit time, star/hash time, D key,
// PTT-ID pause, frequency changeable. Checksum 0xDA.
const char* const kSettingsPacket = "57 2170 10 03010201050107010103 0A 06 04 02 09 01 DA 06";

// The same settings of the standby (extended) mode at 0x6170, taken from
// the standby copies: TOT 30 s / 15, sidetone (position 5), positions
// 7..13, digit rate (0), first-digit delay (1), first-digit time (2),
// star/hash (3), D key (4), PTT-ID pause (14), frequency changeable (15).
// Checksum 0x117.
const char* const kStandbySettingsPacket = "57 6170 10 0201030204000500010208060A030700 17 06";

/// The document whose blocks the packets above describe.
void FillDocument(Document& doc)
{
    doc.image().ChannelMode = 0;
    buildNewDocument(doc, "/nonexistent/zav-test-init", TemplateVariant::NewDocument);
    RadioImage& im = doc.image();
    im.ChannelCount = 1;
    ChannelRecord& r = doc.active()[0];
    r = ChannelRecord{};
    r.Number = 3;
    r.RxFrequency.assign("02696500");
    r.option(ChannelOption::ScanSkip) = 1;
    r.option(ChannelOption::FmPower) = 1;
    r.option(ChannelOption::AmPower) = 1;
    r.option(ChannelOption::Modulation) = 1;
    r.RxTone = 13;   // 100.0 Hz
    r.TxTone = 207;  // D265I
    r.option(ChannelOption::RxExpander) = 1;
    r.option(ChannelOption::NoiseBlanker) = 1;
    r.option(ChannelOption::HighCut) = 1;
    r.option(ChannelOption::TsqMode) = 1;
    r.option(ChannelOption::BusyLockout) = 1;
    r.option(ChannelOption::RogerBeep) = 3;
    r.option(ChannelOption::SquelchMode) = 1;
    r.option(ChannelOption::BotCode) = 5;
    r.option(ChannelOption::RepeaterShift) = 1;
    r.option(ChannelOption::EotCode) = 12;
    r.option(ChannelOption::CallCode) = 16;

    auto& c1 = im.OptFeat.Common1;
    c1[common1::TotTime] = 45;
    const int common1to7[] = {2, 1, 5, 1, 7, 1, 1};
    for (int k = 1; k <= 7; ++k)
        c1[std::size_t(k)] = Int16(common1to7[k - 1]);
    c1[common1::PttIdPause] = 9;
    im.OptFeat.Common2[common2::FreqChangeable] = 1;
    im.DtmfSettings.DigitRate = 3;
    im.DtmfSettings.FirstDigitTime = 6;
    im.DtmfSettings.FirstDigitDelay = 10;
    im.DtmfSettings.StarHashTime = 4;
    im.DtmfSettings.DKeySetting = 2;
    im.DtmfSettings.Sidetone = 1;

    const int standby[16] = {2, 8, 6, 10, 3, 1, 30, 3, 2, 4, 0, 5, 0, 1, 7, 0};
    for (int k = 0; k < 16; ++k)
        im.StandbySettings[std::size_t(k)] = Int16(standby[k]);
}

/// The radio: its header block holds the identity it reports.
RadioMemory RadioWithHeader()
{
    RadioMemory m;
    m.fill(0x00);
    const Bytes header = Hex("5A41563431350077563330300099");
    std::copy(header.begin(), header.end(), m.begin() + 0x21F0);
    return m;
}

const Bytes* SentWrite(const FakePort& port, int address)
{
    for (const Bytes& b : port.sent)
        if (b.size() == 22 && b[0] == 'W' && b[1] * 256 + b[2] == address)
            return &b;
    return nullptr;
}

} // namespace

class TestRadioBytes : public QObject {
    Q_OBJECT
private slots:
    void writePackets_data()
    {
        QTest::addColumn<int>("address");
        QTest::addColumn<Bytes>("packet");
        QTest::newRow("channel 3") << 0x0030 << Hex(kChannelPacket);
        QTest::newRow("header") << 0x21F0 << Hex(kHeaderPacket);
        QTest::newRow("settings") << 0x2170 << Hex(kSettingsPacket);
        QTest::newRow("standby settings") << 0x6170 << Hex(kStandbySettingsPacket);
    }
    void writePackets()
    {
        QFETCH(int, address);
        QFETCH(Bytes, packet);
        QCOMPARE(int(packet.size()), 22);
        Harness h;
        FillDocument(h.session.doc);
        h.connectRadio(RadioWithHeader(), sim::sampleInfoBlock(), {.echo = true});
        QVERIFY(h.engine->startWrite());
        QVERIFY(h.run());
        QVERIFY(h.observer.finished.back().success);
        const Bytes* sent = SentWrite(h.port, address);
        QVERIFY(sent);
        QCOMPARE(Show(*sent), Show(packet));
    }

    void readBlocks()
    {
        // What a read receives: each reply as the radio sends it. Bitmap B
        // is clear and bitmap A marks channel 3 only.
        const Bytes replies[] = {
            Hex("57 20A0 10 00000000000000000000000000000000 D0 06"),
            Hex("57 20F0 10 04000000000000000000000000000000 24 06"),
            Hex(kChannelPacket),
            // Band byte 8 this time (checksum 0x6AB).
            Hex("57 21F0 10 5A41563431350877563330300099FFFF AB 06"),
            Hex(kSettingsPacket),
            Hex(kStandbySettingsPacket),
        };
        RadioMemory memory;
        memory.fill(0x00);
        InfoBlock info;
        info.fill(0xFF);
        for (const Bytes& reply : replies) {
            const int address = reply[1] * 256 + reply[2];
            QCOMPARE(recognise(reply, address, false), Reply::DataBlock);
            storeDataBlock(reply, memory, info);
        }
        Document doc;
        FillDocument(doc);
        doc.image().ChannelCount = 0;
        decodeDocument(memory, 0, doc);

        const int index = doc.findChannelByNumber(3);
        QVERIFY(index >= 0);
        const ChannelRecord& r = doc.active()[std::size_t(index)];
        QCOMPARE(r.RxFrequency.raw(), std::string("02696500"));
        QCOMPARE(int(r.option(ChannelOption::ScanSkip)), 1);
        using enum ChannelOption;
        const QList<int> got{r.option(FmPower),      r.option(FmPowerLock),   r.option(AmPower),
                             r.option(AmPowerLock),  r.option(Modulation),    r.option(ModulationLock),
                             r.RxTone,               r.TxTone,                r.option(RxExpander),
                             r.option(TxCompressor), r.option(NoiseBlanker),  r.option(Attenuator),
                             r.option(HighCut),      r.option(TsqMode),       r.option(BusyLockout),
                             r.option(RogerBeep),    r.option(SquelchMode),   r.option(BotCode),
                             r.option(RepeaterShift), r.option(EotCode),      r.option(CallCode)};
        const QList<int> expected{1, 0, 1, 0, 1, 0, 13, 207, 1, 0, 1, 0, 1, 1, 1, 3, 1, 5, 1, 12, 16};
        QCOMPARE(got, expected);
        QCOMPARE(doc.findChannelByNumber(1), -1);

        const RadioImage& im = doc.image();
        QCOMPARE(im.Header.Model.clean(), std::string("ZAV415"));
        QCOMPARE(int(im.Header.BandCode), 8);
        const auto& c1 = im.OptFeat.Common1;
        QCOMPARE(QList<int>({c1[0], c1[1], c1[2], c1[3], c1[4], c1[5], c1[6], c1[7], c1[8]}),
                 QList<int>({45, 2, 1, 5, 1, 7, 1, 1, 9}));
        const DtmfSettings& d = im.DtmfSettings;
        QCOMPARE(QList<int>({d.DigitRate, d.FirstDigitTime, d.FirstDigitDelay, d.StarHashTime, d.DKeySetting, d.Sidetone}),
                 QList<int>({3, 6, 10, 4, 2, 1}));
        QCOMPARE(int(im.OptFeat.Common2[common2::FreqChangeable]), 1);
        QList<int> standby;
        for (int k = 0; k < 16; ++k)
            standby << im.StandbySettings[std::size_t(k)];
        QCOMPARE(standby, QList<int>({2, 8, 6, 10, 3, 1, 30, 3, 2, 4, 0, 5, 0, 1, 7, 0}));
    }
};

QTEST_GUILESS_MAIN(TestRadioBytes)
#include "test_radio_bytes.moc"
