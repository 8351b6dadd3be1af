// The memory map: addresses and conversions of every region, both channel
// modes, round trips, and the rule that encoding never changes the document.

#include "memory_map.h"
#include "sample_document.h"

#include "codecs.h"
#include "defaults.h"
#include "image_fields.h"

#include <QTest>

#include <random>

using namespace zav;
using namespace zav::link;

namespace {

Document NewDocument(Int16 mode = 0)
{
    Document doc;
    doc.image().ChannelMode = mode;
    buildNewDocument(doc, "/nonexistent/zav-test-init", TemplateVariant::NewDocument);
    return doc;
}

ChannelRecord& AddChannel(Document& doc, int number, const char* rx)
{
    ChannelRecord& r = doc.active()[static_cast<std::size_t>(doc.image().ChannelCount++)];
    r = ChannelRecord{};
    r.Number = static_cast<Int16>(number);
    r.RxFrequency.assign(rx);
    return r;
}

/// Each field of a channel record as "name=value".
struct FieldValues {
    QStringList values;
    void operator()(const char* name, Int16 v) { values << QString("%1=%2").arg(name).arg(v); }
    void operator()(const char* name, std::uint8_t v) { values << QString("%1=%2").arg(name).arg(v); }
    template <std::size_t N>
    void operator()(const char* name, const FixedText<N>& v)
    {
        values << QString("%1=%2").arg(name, QString::fromLatin1(QByteArray(v.bytes.data(), N).toHex()));
    }
};

QStringList ValuesOf(const ChannelRecord& r)
{
    FieldValues v;
    visitChannelFields(v, r);
    return v.values;
}

/// The fields (name=value of a) that differ, leaving out those that have
/// no place in memory.
QStringList DifferingPlacedFields(const ChannelRecord& a, const ChannelRecord& b)
{
    static const QStringList unplaced{"OffsetDirection", "Offset",   "RxStepClass", "TxStepClass", "Option15",
                                      "Option12",        "Option14", "Option16",    "Option21",    "Option18",
                                      "Option10",        "Option9",  "Option8",     "Option19",    "Option17"};
    const QStringList va = ValuesOf(a);
    const QStringList vb = ValuesOf(b);
    QStringList differing;
    for (qsizetype i = 0; i < va.size(); ++i)
        if (va[i] != vb[i] && !unplaced.contains(va[i].section('=', 0, 0)))
            differing << va[i] + " / " + vb[i];
    return differing;
}

int Byte(const RadioMemory& m, int address) { return m[static_cast<std::size_t>(address)]; }

bool AllBytes(const RadioMemory& m, int from, int to, int value)
{
    for (int a = from; a <= to; ++a)
        if (Byte(m, a) != value)
            return false;
    return true;
}

const ChannelRecord* Find(const Document& doc, int number, bool standby = false)
{
    const int index = doc.findChannelByNumber(static_cast<Int16>(number), standby);
    return index < 0 ? nullptr : &(standby ? doc.standby() : doc.active())[static_cast<std::size_t>(index)];
}

/// Every field with a place in memory gets a random value of its range.
Document RandomDocument(unsigned seed, Int16 mode)
{
    std::mt19937 rng(seed);
    auto pick = [&](int lo, int hi) { return static_cast<Int16>(std::uniform_int_distribution<int>(lo, hi)(rng)); };
    Document doc = NewDocument(0);
    for (int pass = 0; pass < 2; ++pass) {
        RadioImage& im = doc.image();
        im.ChannelCount = 0;
        for (int n = 1; n <= kChannelSlots; ++n) {
            if (pick(0, 3) != 0)
                continue;
            // 5 kHz raster, the 12.5 kHz raster ("…125") and 10 kHz steps.
            const int kind = pick(0, 2);
            const std::string rx = kind == 0 ? "0" + std::to_string(25615 + 5 * pick(0, 898)) + "00"
                                 : kind == 1 ? "0" + std::to_string(pick(2561, 3010)) + "125"
                                             : "0" + std::to_string(pick(2561, 3010)) + "000";
            ChannelRecord& r = AddChannel(doc, n, rx.c_str());
            r.option(ChannelOption::ScanSkip) = pick(0, 1);
            r.RxTone = pick(0, kToneCount - 1);
            r.TxTone = pick(0, kToneCount - 1);
            using enum ChannelOption;
            for (ChannelOption bit : {FmPower, FmPowerLock, AmPower, AmPowerLock, Modulation, ModulationLock, RxExpander,
                                      TxCompressor, NoiseBlanker, Attenuator, HighCut, TsqMode})
                r.option(bit) = pick(0, 1);
            r.option(ChannelOption::BusyLockout) = pick(0, 3);
            r.option(ChannelOption::RogerBeep) = pick(0, 15);
            r.option(ChannelOption::SquelchMode) = pick(0, 15);
            r.option(ChannelOption::BotCode) = pick(0, 63);
            r.option(ChannelOption::RepeaterShift) = pick(0, 3);
            r.option(ChannelOption::EotCode) = pick(0, 255);
            r.option(ChannelOption::CallCode) = pick(0, 255);
        }
        auto& c1 = im.OptFeat.Common1;
        c1[common1::TotTime] = static_cast<Int16>(15 * pick(0, 40));
        for (int k = 1; k <= 8; ++k)
            c1[static_cast<std::size_t>(k)] = pick(0, 255);
        for (int i = 0; i < 24; ++i) {
            c1[static_cast<std::size_t>(common1::EmergencyChannelBase + i)] = pick(0, 80);
            c1[static_cast<std::size_t>(common1::EmergencyAmFmBase + i)] = pick(0, 1);
        }
        for (int k = 0; k <= 5; ++k)
            im.DtmfSettings.integer(k) = pick(0, 255);
        im.OptFeat.Common2[common2::FreqChangeable] = pick(0, 1);
        ChannelRecord& cc = im.OptFeat.CommonChannel;
        cc.RxTone = pick(0, static_cast<int>(commonToneTexts().size()));
        cc.TxTone = pick(0, static_cast<int>(commonToneTexts().size()));
        for (ChannelOption bit : {ChannelOption::RxExpander, ChannelOption::TxCompressor, ChannelOption::NoiseBlanker,
                                  ChannelOption::Attenuator, ChannelOption::HighCut, ChannelOption::TsqMode})
            cc.option(bit) = pick(0, 1);
        cc.option(ChannelOption::BusyLockout) = pick(0, 3);
        cc.option(ChannelOption::RogerBeep) = pick(0, 15);
        cc.option(ChannelOption::SquelchMode) = pick(0, 15);
        cc.option(ChannelOption::BotCode) = pick(0, 63);
        cc.option(ChannelOption::RepeaterShift) = pick(0, 3);
        cc.option(ChannelOption::EotCode) = pick(0, 255);
        cc.option(ChannelOption::CallCode) = pick(0, 255);
        for (auto& name : im.GroupNames)
            name.assign(std::string(static_cast<std::size_t>(pick(0, 3)), static_cast<char>(pick('A', 'Z'))));
        doc.swapChannelMode(pass == 0 ? kExtendedMode : 0);
    }
    RadioImage& im = doc.image();
    for (int o = 0; o < 6; ++o)
        im.OptFeat.Common1[static_cast<std::size_t>(common1::ResetModeBase + o)] = pick(0, 40);
    const char keys[] = "0123456789ABCD*#";
    for (auto& code : im.DtmfSettings.CodeMemories) {
        std::string text;
        for (int i = pick(0, 16); i > 0; --i)
            text.push_back(keys[pick(0, 15)]);
        code.Code.assign(text);
        code.Length = static_cast<Int16>(text.size());
    }
    for (auto& tip : im.ToneTips)
        for (auto& v : tip.Values)
            v = pick(0, 255);
    im.OptFeat.PowerOnText.assign("PWR " + std::to_string(seed));
    for (auto& line : im.EmbeddedMessage)
        line.assign("line " + std::to_string(pick(0, 9999)));
    doc.swapChannelMode(mode);
    return doc;
}

} // namespace

class TestMemoryMap : public QObject {
    Q_OBJECT
private slots:
    void frequencyConversion_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("kiloHertz");
        QTest::addColumn<QString>("decoded");
        QTest::newRow("27.185 MHz") << "02718500" << 27185 << "02718500";
        QTest::newRow("12.5 kHz raster") << "02718125" << 27182 << "02718125";
        QTest::newRow("band low") << "02561500" << 25615 << "02561500";
        QTest::newRow("band high") << "03010500" << 30105 << "03010500";
        QTest::newRow("outside the band still round trips") << "01000000" << 10000 << "01000000";
        QTest::newRow("small count padded to five digits") << "00012000" << 120 << "00012000";
        QTest::newRow("largest that fits") << "06553500" << 65535 << "06553500";
    }
    void frequencyConversion()
    {
        QFETCH(QString, stored);
        QFETCH(int, kiloHertz);
        QFETCH(QString, decoded);
        std::uint16_t k = 0;
        QVERIFY(encodeRxFrequency(stored.toStdString(), k));
        QCOMPARE(int(k), kiloHertz);
        QCOMPARE(QString::fromStdString(decodeRxFrequency(k)), decoded);
    }

    // What the radio holds is read directly, not only what this program
    // wrote: a count ending in 1 never comes from the encoder (it adds 1),
    // yet a radio may hold one.
    void storedKiloHertzToText_data()
    {
        QTest::addColumn<int>("kiloHertz");
        QTest::addColumn<QString>("text");
        QTest::newRow("27179") << 27179 << "02717900";
        QTest::newRow("27180") << 27180 << "02718000";
        QTest::newRow("27181: the 12.5 kHz raster") << 27181 << "02718125";
        QTest::newRow("27182: the 12.5 kHz raster") << 27182 << "02718125";
        QTest::newRow("27183") << 27183 << "02718300";
        QTest::newRow("27185") << 27185 << "02718500";
        QTest::newRow("27189") << 27189 << "02718900";
        QTest::newRow("27190") << 27190 << "02719000";
        QTest::newRow("27191") << 27191 << "02719125";
        QTest::newRow("27192") << 27192 << "02719125";
        QTest::newRow("27211") << 27211 << "02721125";
        QTest::newRow("25611") << 25611 << "02561125";
        QTest::newRow("30101") << 30101 << "03010125";
        QTest::newRow("30102") << 30102 << "03010125";
        QTest::newRow("10001") << 10001 << "01000125";
        QTest::newRow("four digits, ending in 1") << 9991 << "00999125";
        QTest::newRow("three digits, ending in 2") << 122 << "00012125";
        QTest::newRow("one") << 1 << "00000125";
        QTest::newRow("two") << 2 << "00000125";
        QTest::newRow("zero") << 0 << "00000000";
        QTest::newRow("65531") << 65531 << "06553125";
        QTest::newRow("65532") << 65532 << "06553125";
        QTest::newRow("65535") << 65535 << "06553500";
    }
    void storedKiloHertzToText()
    {
        QFETCH(int, kiloHertz);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(decodeRxFrequency(std::uint16_t(kiloHertz))), text);

        // The same through a whole read: channel 7's bytes 0 and 1, low byte
        // first, with its bit set in bitmap A.
        RadioMemory m;
        m.fill(0xFF);
        std::fill_n(m.begin() + mem::BitmapB, mem::BitmapBytes, 0x00);
        std::fill_n(m.begin() + mem::BitmapA, mem::BitmapBytes, 0x00);
        std::fill_n(m.begin() + mem::StandbyOffset + mem::BitmapB, mem::BitmapBytes, 0x00);
        std::fill_n(m.begin() + mem::StandbyOffset + mem::BitmapA, mem::BitmapBytes, 0x00);
        m[0x20F0] = 0x40;
        m[0x0070] = std::uint8_t(kiloHertz & 0xFF);
        m[0x0071] = std::uint8_t(kiloHertz >> 8);
        Document doc = NewDocument();
        decodeDocument(m, 0, doc);
        const ChannelRecord* channel = Find(doc, 7);
        QVERIFY(channel);
        QCOMPARE(QString::fromStdString(channel->RxFrequency.raw()), text);
    }

    void rxFrequencyToKiloHertz_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("kiloHertz");
        QTest::newRow("ends in 0") << "02718000" << 27180;
        QTest::newRow("ends in 1: stored + 1") << "02718100" << 27182;
        QTest::newRow("12.5 kHz raster") << "02718125" << 27182;
        QTest::newRow("ends in 2") << "02718200" << 27182;
        QTest::newRow("ends in 3") << "02718300" << 27183;
        QTest::newRow("10 Hz digits are dropped") << "02718999" << 27189;
        QTest::newRow("27.19125") << "02719125" << 27192;
        QTest::newRow("band low") << "02561500" << 25615;
        QTest::newRow("25.61125") << "02561125" << 25612;
        QTest::newRow("1 kHz") << "00000100" << 2;
        QTest::newRow("65.531 MHz") << "06553100" << 65532;
    }
    void rxFrequencyToKiloHertz()
    {
        QFETCH(QString, stored);
        QFETCH(int, kiloHertz);
        std::uint16_t k = 0;
        QVERIFY(encodeRxFrequency(stored.toStdString(), k));
        QCOMPARE(int(k), kiloHertz);

        // In channel 7's record, low byte first.
        Document doc = NewDocument();
        doc.image().ChannelCount = 0;
        AddChannel(doc, 7, stored.toLatin1().constData());
        const RadioMemory m = encodeDocument(doc);
        QCOMPARE(Byte(m, 0x0070), kiloHertz & 0xFF);
        QCOMPARE(Byte(m, 0x0071), kiloHertz >> 8);
    }

    void frequenciesWithoutAPlace_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("too large for 16 bits") << "14500000";
        QTest::newRow("not digits") << "02x18500";
        QTest::newRow("too short") << "0271";
    }
    void frequenciesWithoutAPlace()
    {
        QFETCH(QString, stored);
        std::uint16_t k = 0;
        QVERIFY(!encodeRxFrequency(stored.toStdString(), k));
        // Such a channel is sent as empty rather than as a wrong frequency.
        Document doc = NewDocument();
        doc.image().ChannelCount = 0;
        AddChannel(doc, 5, stored.toLatin1().constData());
        const RadioMemory m = encodeDocument(doc);
        QCOMPARE(Byte(m, mem::BitmapA), 0);
        QVERIFY(AllBytes(m, 0x50, 0x5F, 0xFF));
    }

    void channelRecordLayout()
    {
        Document doc = NewDocument();
        doc.image().ChannelCount = 0;
        ChannelRecord& r1 = AddChannel(doc, 1, "02718500");
        r1.RxTone = 1;    // 67.0 Hz
        r1.TxTone = 52;   // D023N
        r1.option(ChannelOption::ScanSkip) = 1;
        r1.option(ChannelOption::FmPower) = 1;
        r1.option(ChannelOption::ModulationLock) = 1;
        r1.option(ChannelOption::RxExpander) = 1;
        r1.option(ChannelOption::TsqMode) = 1;
        r1.option(ChannelOption::BusyLockout) = 2;
        r1.option(ChannelOption::RogerBeep) = 5;
        r1.option(ChannelOption::SquelchMode) = 3;
        r1.option(ChannelOption::BotCode) = 9;
        r1.option(ChannelOption::RepeaterShift) = 2;
        r1.option(ChannelOption::EotCode) = 7;
        r1.option(ChannelOption::CallCode) = 200;
        ChannelRecord& r9 = AddChannel(doc, 9, "02718125");
        r9.RxTone = 159;  // D023I
        r9.option(ChannelOption::ScanSkip) = 0;
        const RadioMemory m = encodeDocument(doc);

        QVERIFY(AllBytes(m, 0x0000, 0x000F, 0xFF));
        const std::uint8_t expected1[16] = {0x31, 0x6A, 0xFF, 0xFF, 0xFF, 0x41, 0x02, 0x9E,
                                            0xD0, 0x13, 0xA1, 0x35, 0x89, 0x07, 0xC8, 0xFF};
        for (int i = 0; i < 16; ++i)
            QCOMPARE(Byte(m, 0x0010 + i), int(expected1[i]));
        QCOMPARE(Byte(m, 0x0090), 0x2E); // 27182 = 0x6A2E
        QCOMPARE(Byte(m, 0x0091), 0x6A);
        QCOMPARE(Byte(m, 0x0096), 0x80);
        QCOMPARE(Byte(m, 0x0097), 0x13);
        // Bitmap A: channels 1 and 9; bitmap B: channel 9 only (Option7 0).
        QCOMPARE(Byte(m, 0x20F0), 0x01);
        QCOMPARE(Byte(m, 0x20F1), 0x01);
        QCOMPARE(Byte(m, 0x20A0), 0x00);
        QCOMPARE(Byte(m, 0x20A1), 0x01);
        QVERIFY(AllBytes(m, 0x20F2, 0x2131, 0x00));
        QVERIFY(AllBytes(m, 0x20E2, 0x20EF, 0xFF));
    }

    void packedFieldsNeverSpill()
    {
        Document doc = NewDocument();
        doc.image().ChannelCount = 0;
        ChannelRecord& r = AddChannel(doc, 2, "02700000");
        r.option(ChannelOption::FmPower) = 3;   // one bit wide: only bit 0 may be set
        r.option(ChannelOption::FmPowerLock) = 2;   // bit 1 of its value is not bit 2 of the byte
        r.option(ChannelOption::BusyLockout) = 7;   // two bits
        r.option(ChannelOption::TsqMode) = 0;
        r.option(ChannelOption::RogerBeep) = 0x1F; // nibble
        r.option(ChannelOption::SquelchMode) = 0;
        r.option(ChannelOption::BotCode) = 0x7F; // six bits
        r.option(ChannelOption::RepeaterShift) = 0;
        const RadioMemory m = encodeDocument(doc);
        QCOMPARE(Byte(m, 0x0025), 0x01);
        QCOMPARE(Byte(m, 0x002A), 0xC0);
        QCOMPARE(Byte(m, 0x002B), 0x0F);
        QCOMPARE(Byte(m, 0x002C), 0x3F);
    }

    void recordsBeyondTheCountOrWithoutANumber()
    {
        Document doc = NewDocument();
        doc.image().ChannelCount = 0;
        AddChannel(doc, 3, "02700000");
        AddChannel(doc, 0, "02700000");     // no place
        AddChannel(doc, 600, "02700000");   // no place
        AddChannel(doc, 4, "FFFFFFFF");     // empty
        AddChannel(doc, 6, "        ");     // empty
        doc.active()[5] = doc.active()[0];  // beyond the count
        doc.active()[5].Number = 7;
        const RadioMemory m = encodeDocument(doc);
        QCOMPARE(Byte(m, 0x20F0), 0x04);
        QVERIFY(AllBytes(m, 0x0040, 0x007F, 0xFF));
        QVERIFY(AllBytes(m, 0x0000, 0x000F, 0xFF));
    }

    void settingsTextsAndTables()
    {
        Document doc = NewDocument();
        RadioImage& im = doc.image();
        auto& c1 = im.OptFeat.Common1;
        c1[common1::TotTime] = 600;
        c1[common1::CurrentGroup] = 5;
        c1[common1::PttIdPause] = 3;
        c1[common1::EmergencyChannelBase + 0] = 0;  // none
        c1[common1::EmergencyChannelBase + 1] = 12;
        c1[common1::EmergencyChannelBase + 2] = 40;
        c1[common1::EmergencyAmFmBase + 1] = 1;
        c1[common1::EmergencyAmFmBase + 2] = 1;
        for (int o = 0; o < 6; ++o)
            c1[static_cast<std::size_t>(common1::ResetModeBase + o)] = static_cast<Int16>(o);
        im.OptFeat.Common2[common2::FreqChangeable] = 1;
        im.DtmfSettings.Sidetone = 1;
        im.DtmfSettings.DigitRate = 10;
        im.DtmfSettings.FirstDigitTime = 4;
        im.DtmfSettings.FirstDigitDelay = 6;
        im.DtmfSettings.StarHashTime = 2;
        im.DtmfSettings.DKeySetting = 16;
        im.OptFeat.CommonChannel.RxTone = 64;  // optional-features entry 64: DCS 055 normal
        im.OptFeat.CommonChannel.TxTone = 1;   // 67.0 Hz
        im.OptFeat.CommonChannel.option(ChannelOption::TxCompressor) = 1;
        im.OptFeat.CommonChannel.option(ChannelOption::RogerBeep) = 4;
        im.GroupNames[0].assign("EU");
        im.GroupNames[1].assign("X");
        im.EmbeddedMessage[0].assign("Hello   ");
        im.OptFeat.PowerOnText.assign("ON");
        im.DtmfSettings.CodeMemories[0].Code.assign("12*#");
        im.DtmfSettings.CodeMemories[0].Length = 4;
        im.DtmfSettings.CodeMemories[1].Code.assign("9");
        im.DtmfSettings.CodeMemories[1].Length = 3;   // missing characters count as "0"
        im.DtmfSettings.CodeMemories[2].Code.assign("55");
        im.DtmfSettings.CodeMemories[2].Length = 17;  // above 16 counts as 0
        for (int i = 0; i < 30; ++i)
            im.ToneTips[1].Values[static_cast<std::size_t>(i)] = static_cast<Int16>(100 + i);
        const RadioMemory m = encodeDocument(doc);

        const int settings[16] = {40, 1, 5, 1, 1, 0, 0, 1, 0, 10, 6, 4, 2, 16, 3, 1};
        for (int i = 0; i < 16; ++i)
            QCOMPARE(Byte(m, 0x2170 + i), settings[i]);
        QCOMPARE(Byte(m, 0x2190), 0xD0);
        QCOMPARE(Byte(m, 0x2191), 0x2D);
        QCOMPARE(Byte(m, 0x2192), 0x02);
        QCOMPARE(Byte(m, 0x2193), 0x9E);
        QCOMPARE(Byte(m, 0x2194), 0x02);
        QCOMPARE(Byte(m, 0x2195), 0x04);
        QCOMPARE(Byte(m, 0x2408), 0xFF);  // entry 0: none
        QCOMPARE(Byte(m, 0x2408 + 12), 11);
        QCOMPARE(Byte(m, 0x2409), 39);
        QCOMPARE(Byte(m, 0x2420 + 12), 1);
        QCOMPARE(Byte(m, 0x2421), 1);
        const int reset[6] = {0, 0x00, 2, 0x02, 4, 0x04};
        for (int o = 0; o < 6; ++o)
            QCOMPARE(Byte(m, 0x2400 + o), reset[o]);
        QCOMPARE(Byte(m, 0x2401), 0x00);  // odd position 1: channel 1 is stored as 0
        QVERIFY(AllBytes(m, 0x2406, 0x2407, 0xFF));
        QVERIFY(AllBytes(m, 0x6400, 0x6407, 0xFF));
        QCOMPARE(Byte(m, 0x2140), 'E');
        QCOMPARE(Byte(m, 0x2142), 0x20);
        QCOMPARE(Byte(m, 0x2143), 'X');
        QCOMPARE(Byte(m, 0x2144), 0x20);
        QCOMPARE(Byte(m, 0x21A0), 'H');
        QVERIFY(AllBytes(m, 0x21A5, 0x21AF, 0x00));
        QCOMPARE(Byte(m, 0x21E1), 'N');
        QVERIFY(AllBytes(m, 0x21E2, 0x21EF, 0x00));
        const int dtmf0[5] = {1, 2, 14, 15, 0xFF};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(Byte(m, 0x2200 + i), dtmf0[i]);
        QCOMPARE(Byte(m, 0x2210), 9);
        QCOMPARE(Byte(m, 0x2211), 0);
        QCOMPARE(Byte(m, 0x2212), 0);
        QCOMPARE(Byte(m, 0x2213), 0xFF);
        QVERIFY(AllBytes(m, 0x2220, 0x222F, 0xFF));
        // Tone tip 2 at 0x231E: even Integers, odd Integers, then 28 and 29.
        QCOMPARE(Byte(m, 0x231E + 0), 100);
        QCOMPARE(Byte(m, 0x231E + 13), 126);
        QCOMPARE(Byte(m, 0x231E + 14), 101);
        QCOMPARE(Byte(m, 0x231E + 27), 127);
        QCOMPARE(Byte(m, 0x231E + 28), 128);
        QCOMPARE(Byte(m, 0x231E + 29), 129);
        // Header: model, band code, "V300"; 0x21F7 and 0x21FC.. not written.
        QCOMPARE(Byte(m, 0x21F0), 'Z');
        QCOMPARE(Byte(m, 0x21F5), '5');
        QCOMPARE(Byte(m, 0x21F6), 0);
        QCOMPARE(Byte(m, 0x21F7), 0xFF);
        QCOMPARE(Byte(m, 0x21F8), 'V');
        QCOMPARE(Byte(m, 0x21FB), '0');
        QVERIFY(AllBytes(m, 0x21FC, 0x21FF, 0xFF));

        Document back = NewDocument();
        decodeDocument(m, 0, back);
        const RadioImage& b = back.image();
        QCOMPARE(int(b.OptFeat.Common1[common1::TotTime]), 600);
        QCOMPARE(int(b.OptFeat.Common1[common1::EmergencyChannelBase + 0]), 0);
        QCOMPARE(int(b.OptFeat.Common1[common1::EmergencyChannelBase + 1]), 12);
        QCOMPARE(int(b.OptFeat.CommonChannel.RxTone), 64);
        QCOMPARE(int(b.OptFeat.CommonChannel.TxTone), 1);
        QCOMPARE(b.GroupNames[1].raw(), std::string("X  "));
        QCOMPARE(b.EmbeddedMessage[0].clean(), std::string("Hello"));
        QCOMPARE(b.DtmfSettings.CodeMemories[0].Code.clean(), std::string("12*#"));
        QCOMPARE(int(b.DtmfSettings.CodeMemories[0].Length), 4);
        QCOMPARE(b.DtmfSettings.CodeMemories[1].Code.clean(), std::string("900"));
        QCOMPARE(int(b.DtmfSettings.CodeMemories[2].Length), 0);
        QCOMPARE(b.ToneTips[1], im.ToneTips[1]);
        for (int o = 0; o < 6; ++o)
            QCOMPARE(b.OptFeat.Common1[static_cast<std::size_t>(common1::ResetModeBase + o)], Int16(o));
    }

    void textsFromTheRadioEndAtNulOrErased()
    {
        RadioMemory m = encodeDocument(NewDocument());
        const char text[] = "AB\0CD";
        std::copy(text, text + 5, m.begin() + 0x21A0);
        m[0x21E0] = 'Q';
        m[0x21E1] = 0xFF;
        m[0x21E2] = 'R';
        m[0x2140] = 'Z';
        m[0x2141] = 0xFF;
        m[0x2200] = 3;
        m[0x2201] = 16;   // not a key: the memory has length 1
        m[0x2202] = 4;
        Document doc = NewDocument();
        decodeDocument(m, 0, doc);
        QCOMPARE(doc.image().EmbeddedMessage[0].raw(), std::string("AB              "));
        QCOMPARE(doc.image().OptFeat.PowerOnText.clean(), std::string("Q"));
        QCOMPARE(doc.image().GroupNames[0].raw(), std::string("Z  "));
        QCOMPARE(int(doc.image().DtmfSettings.CodeMemories[0].Length), 1);
        QCOMPARE(doc.image().DtmfSettings.CodeMemories[0].Code.clean(), std::string("3"));
    }

    void decodedChannels()
    {
        Document doc = NewDocument();
        doc.image().ChannelCount = 0;
        ChannelRecord& r5 = AddChannel(doc, 5, "02700000");
        r5.option(ChannelOption::ScanSkip) = 0;
        AddChannel(doc, 521, "FFFFFFFF");
        const RadioMemory m = encodeDocument(doc);

        // The document read into: its channel 5 at another index carries
        // values memory does not hold; its index 0 is unrelated channel 2.
        Document target = NewDocument();
        target.image().ChannelCount = 0;
        ChannelRecord& unrelated = AddChannel(target, 2, "02600000");
        unrelated.option(ChannelOption::TxInhibit) = 11;
        unrelated.OffsetDirection = 2;
        ChannelRecord& before5 = AddChannel(target, 5, "02900000");
        before5.option(ChannelOption::TxInhibit) = 7;
        before5.OffsetDirection = 1;
        before5.Offset.assign("0060000");
        before5.RxStepClass = 3;
        decodeDocument(m, 0, target);

        QCOMPARE(int(target.image().ChannelCount), 2);
        const ChannelRecord& c5 = target.active()[0];
        QCOMPARE(int(c5.Number), 5);
        QCOMPARE(c5.RxFrequency.raw(), std::string("02700000"));
        QCOMPARE(int(c5.option(ChannelOption::ScanSkip)), 0);
        QCOMPARE(int(c5.EmptyFlag), 0);
        QCOMPARE(int(c5.option(ChannelOption::TxInhibit)), 7);
        QCOMPARE(int(c5.OffsetDirection), 1);
        QCOMPARE(c5.Offset.raw(), std::string("0060000"));
        QCOMPARE(int(c5.RxStepClass), 3);
        // Channel 521 is always there, empty when its bit is clear, and
        // takes the defaults of a new channel where nothing was before.
        const ChannelRecord& c521 = target.active()[1];
        QCOMPARE(int(c521.Number), 521);
        QCOMPARE(c521.RxFrequency.raw(), std::string("FFFFFFFF"));
        QCOMPARE(int(c521.option(ChannelOption::ScanSkip)), 1);
        QCOMPARE(int(c521.option(ChannelOption::TxInhibit)), 0);
        QCOMPARE(c521.Offset.raw(), std::string(7, '\0'));
    }

    void extendedModeDocument()
    {
        const Document doc = sim::sampleDocument(kExtendedMode);
        const RadioMemory m = encodeDocument(doc);
        // Country channel 1 (26.965 MHz) at 0x0010, extended channel 1
        // (25.615 MHz) at 0x4010.
        QCOMPARE(Byte(m, 0x0010) | Byte(m, 0x0011) << 8, 26965);
        QCOMPARE(Byte(m, 0x4010) | Byte(m, 0x4011) << 8, 25615);
        QCOMPARE(Byte(m, 0x2140), 'E');
        QCOMPARE(Byte(m, 0x6140), 'A');
        QCOMPARE(Byte(m, 0x6141), '1');
        // Country TOT 180 s, extended 60 s.
        QCOMPARE(Byte(m, 0x2170), 12);
        QCOMPARE(Byte(m, 0x6170), 4);

        Document back = NewDocument(0);
        decodeDocument(m, kExtendedMode, back);
        QCOMPARE(int(back.image().ChannelMode), kExtendedMode);
        QCOMPARE(back.image().ChannelCount, doc.image().ChannelCount);
        QCOMPARE(back.image().StandbyChannelCount, doc.image().StandbyChannelCount);
        for (int i = 0; i < doc.activeCount(); ++i) {
            const ChannelRecord& want = doc.active()[static_cast<std::size_t>(i)];
            const ChannelRecord* got = Find(back, want.Number);
            QVERIFY(got);
            QCOMPARE(got->RxFrequency, want.RxFrequency);
            QCOMPARE(got->RxTone, want.RxTone);
            QCOMPARE(got->TxTone, want.TxTone);
        }
        QCOMPARE(back.image().GroupNames[0].clean(), std::string("A1"));
        QCOMPARE(back.image().StandbyGroupNames[3].clean(), std::string("POL"));
        QCOMPARE(int(back.image().OptFeat.Common1[common1::TotTime]), 60);
        QCOMPARE(back.image().OptFeat.CommonChannel.RxTone, Int16(64));
    }

    void encodingNeverChangesTheDocument()
    {
        for (Int16 mode : {Int16(0), Int16(kExtendedMode)}) {
            Document doc = sim::sampleDocument(mode);
            doc.image().ChannelCount++;
            doc.active()[static_cast<std::size_t>(doc.image().ChannelCount - 1)].Number = 300;
            doc.active()[static_cast<std::size_t>(doc.image().ChannelCount - 1)].RxFrequency.assign("FFFFFFFF");
            const ImageSet before = doc.working;
            doc.copyWorkingToSaved();
            (void)encodeDocument(doc);
            QVERIFY(doc.working.Settings == before.Settings);
            QVERIFY(doc.working.ActiveChannels == before.ActiveChannels);
            QVERIFY(doc.working.StandbyChannels == before.StandbyChannels);
            QVERIFY(!doc.isModified());
        }
    }

    void roundTripKeepsEveryFieldWithAPlace_data()
    {
        QTest::addColumn<unsigned>("seed");
        QTest::addColumn<int>("mode");
        for (unsigned seed = 1; seed <= 6; ++seed)
            QTest::addRow("seed %u mode %d", seed, seed % 2 ? 0 : 4) << seed << int(seed % 2 ? 0 : kExtendedMode);
    }
    void roundTripKeepsEveryFieldWithAPlace()
    {
        // Encoding what was decoded gives the same memory back: nothing that
        // has a place was lost or moved on the way.
        QFETCH(unsigned, seed);
        QFETCH(int, mode);
        const Document doc = RandomDocument(seed, static_cast<Int16>(mode));
        const RadioMemory first = encodeDocument(doc);
        Document back = NewDocument(static_cast<Int16>(kExtendedMode - mode));
        decodeDocument(first, static_cast<Int16>(mode), back);
        const RadioMemory second = encodeDocument(back);
        for (int a = 0; a < kMemoryBytes; ++a)
            if (first[static_cast<std::size_t>(a)] != second[static_cast<std::size_t>(a)])
                QFAIL(qPrintable(QString("memory differs at 0x%1").arg(a, 4, 16, QChar('0'))));

        // And field by field for the channels of both modes.
        for (bool standby : {false, true}) {
            const int count = standby ? doc.standbyCount() : doc.activeCount();
            for (int i = 0; i < count; ++i) {
                const ChannelRecord& want = (standby ? doc.standby() : doc.active())[static_cast<std::size_t>(i)];
                const ChannelRecord* got = Find(back, want.Number, standby);
                QVERIFY(got);
                const QStringList differing = DifferingPlacedFields(*got, want);
                QVERIFY2(differing.isEmpty(), qPrintable(QString("channel %1: %2").arg(want.Number).arg(differing.join(", "))));
            }
        }
        QCOMPARE(back.image().ToneTips, doc.image().ToneTips);
        QCOMPARE(back.image().StandbySettings, doc.image().StandbySettings);
        QCOMPARE(back.image().OptFeat.CommonChannel.RxTone, doc.image().OptFeat.CommonChannel.RxTone);
    }

    void sampleMemoryCarriesTheRadioHeader()
    {
        const RadioMemory m = sim::sampleMemory();
        const char header[] = "ZAV415";
        for (int i = 0; i < 6; ++i)
            QCOMPARE(Byte(m, 0x21F0 + i), int(header[i]));
        QCOMPARE(Byte(m, 0x21F6), 0);
        QCOMPARE(Byte(m, 0x21FC), 0);
    }
};

QTEST_APPLESS_MAIN(TestMemoryMap)
#include "test_memory_map.moc"
