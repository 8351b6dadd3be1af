// Frequency, offset, raster and tone codecs, checked against worked values
// and, for the tone tables, exhaustively over every entry and wire value.

#include "band.h"
#include "codecs.h"
#include "numbers.h"

#include <QTest>

#include <set>

using namespace zav;

namespace {
const BandLimits kBand = parseBandLimits("25.615 - 30.105 MHz");

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }
} // namespace

class TestCodecs : public QObject {
    Q_OBJECT
private slots:
    void toStoredFrequency_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("two decimals") << "27.86" << "02786000";
        QTest::newRow("cut, not rounded") << "145.12345678" << "14512345";
        QTest::newRow("whole MHz") << "27" << "02700000";
        QTest::newRow("leading dot") << ".5" << "00050000";
        QTest::newRow("trailing dot") << "27." << "02700000";
        QTest::newRow("formatted") << "27.86000" << "02786000";
        QTest::newRow("empty stays empty") << "" << "";
        QTest::newRow("not numeric -> band low") << "abc" << "02561500";
        QTest::newRow("comma is not numeric") << "27,86" << "02561500";
        QTest::newRow("negative -> band low") << "-27.86" << "02561500";
        QTest::newRow("plus sign dropped") << "+27.86" << "02786000";
        QTest::newRow("spaces around") << " 27.86 " << "02786000";
    }
    void toStoredFrequency()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QCOMPARE(Q(zav::toStoredFrequency(S(typed), kBand)), stored);
    }

    void storedFrequencyToText_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("notNumeric");
        QTest::newRow("27.86") << QByteArray("02786000") << "27.86000" << false;
        QTest::newRow("band low") << QByteArray("02561500") << "25.61500" << false;
        QTest::newRow("three whole digits") << QByteArray("14512345") << "145.12345" << false;
        QTest::newRow("none") << QByteArray("FFFFFFFF") << "" << false;
        QTest::newRow("empty") << QByteArray("") << "" << false;
        QTest::newRow("blank") << QByteArray("        ") << "" << false;
        QTest::newRow("zero bytes") << QByteArray(8, '\0') << "" << false;
        QTest::newRow("letters") << QByteArray("0278600X") << "25.615" << true;
        QTest::newRow("two dots") << QByteArray("02.8.000") << "25.615" << true;
    }
    void storedFrequencyToText()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, text);
        QFETCH(bool, notNumeric);
        auto result = zav::storedFrequencyToText(std::string_view(stored.constData(), size_t(stored.size())), kBand);
        QCOMPARE(Q(result.text), text);
        QCOMPARE(result.notNumeric, notNumeric);
    }

    void storedOffsetToText_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("text");
        QTest::newRow("plus") << QByteArray("0060000") << 2 << "+0.60000";
        QTest::newRow("minus") << QByteArray("0060000") << 1 << "-0.60000";
        QTest::newRow("no direction") << QByteArray("0060000") << 0 << "0.60000";
        QTest::newRow("other direction unsigned") << QByteArray("0060000") << 7 << "0.60000";
        QTest::newRow("largest") << QByteArray("9999999") << 2 << "+99.99999";
        QTest::newRow("none") << QByteArray("FFFFFFF") << 2 << "+0.00000";
        QTest::newRow("empty") << QByteArray("") << 1 << "-0.00000";
        QTest::newRow("zero bytes") << QByteArray(7, '\0') << 0 << "0.00000";
        QTest::newRow("six digits") << QByteArray("006000") << 2 << "+0.00000";
        QTest::newRow("sign inside") << QByteArray("-060000") << 2 << "+0.00000";
    }
    void storedOffsetToText()
    {
        QFETCH(QByteArray, stored);
        QFETCH(int, direction);
        QFETCH(QString, text);
        QCOMPARE(Q(zav::storedOffsetToText(std::string_view(stored.constData(), size_t(stored.size())), direction)), text);
    }

    void offsetFromEntry_data()
    {
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("typedIsOffset");
        QTest::addColumn<QString>("oldOffset");
        QTest::addColumn<int>("oldDirection");
        QTest::addColumn<QString>("offset");
        QTest::addColumn<int>("direction");
        QTest::addColumn<bool>("stored");
        QTest::newRow("tx below rx") << "02786000" << "27.26" << false << "0000000" << 0 << "0060000" << 1 << true;
        QTest::newRow("tx above rx") << "02786000" << "28.46" << false << "0000000" << 0 << "0060000" << 2 << true;
        QTest::newRow("tx equal keeps magnitude")
            << "02786000" << "27.86" << false << "0010000" << 2 << "0010000" << 0 << true;
        QTest::newRow("tx to 10 Hz") << "02786000" << "27.86001" << false << "FFFFFFF" << 0 << "0000001" << 2 << true;
        QTest::newRow("empty entry") << "02786000" << "" << false << "0010000" << 2 << "0010000" << 0 << true;
        QTest::newRow("no rx") << "FFFFFFFF" << "27.26" << false << "0010000" << 1 << "0010000" << 0 << true;
        QTest::newRow("entry not numeric") << "02786000" << "abc" << false << "0010000" << 1 << "0010000" << 0 << true;
        QTest::newRow("offset minus") << "02786000" << "-0.6" << true << "0000000" << 0 << "0060000" << 1 << true;
        QTest::newRow("offset plus") << "02786000" << "+1.2" << true << "0000000" << 0 << "0120000" << 2 << true;
        QTest::newRow("offset unsigned") << "02786000" << "0.5" << true << "0010000" << 2 << "0050000" << 0 << true;
        QTest::newRow("largest offset") << "02786000" << "-99.99999" << true << "0" << 0 << "9999999" << 1 << true;
        QTest::newRow("offset of 100 refused") << "02786000" << "+100" << true << "0010000" << 1 << "0010000" << 1
                                               << false;
        QTest::newRow("tx 100 MHz away refused")
            << "02786000" << "127.86" << false << "0010000" << 2 << "0010000" << 2 << false;
        QTest::newRow("tx just under 100 MHz away")
            << "02786000" << "127.85999" << false << "0000000" << 0 << "9999999" << 2 << true;
        QTest::newRow("rounds up to 100 refused")
            << "02786000" << "99.999996" << true << "0000000" << 0 << "0000000" << 0 << false;
    }
    void offsetFromEntry()
    {
        QFETCH(QString, rx);
        QFETCH(QString, typed);
        QFETCH(bool, typedIsOffset);
        QFETCH(QString, oldOffset);
        QFETCH(int, oldDirection);
        QFETCH(QString, offset);
        QFETCH(int, direction);
        QFETCH(bool, stored);
        FixedText<7> previous;
        previous.assign(S(oldOffset));
        OffsetEntry e = zav::offsetFromEntry(S(rx), S(typed), typedIsOffset, previous, oldDirection, kBand);
        QCOMPARE(e.stored, stored);
        QCOMPARE(Q(e.offset.clean()), offset);
        QCOMPARE(int(e.direction), direction);
    }

    void transmitText_data()
    {
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("offset");
        QTest::addColumn<int>("direction");
        QTest::addColumn<bool>("showOffset");
        QTest::addColumn<QString>("text");
        QTest::newRow("minus") << "02786000" << "0060000" << 1 << false << "27.26000";
        QTest::newRow("plus") << "02786000" << "0060000" << 2 << false << "28.46000";
        QTest::newRow("no direction") << "02786000" << "0060000" << 0 << false << "27.86000";
        QTest::newRow("no offset") << "02786000" << "FFFFFFF" << 2 << false << "27.86000";
        QTest::newRow("shown as offset") << "02786000" << "0060000" << 2 << true << "+0.60000";
        QTest::newRow("unsigned offset shown") << "02786000" << "0060000" << 0 << true << "0.60000";
        QTest::newRow("no rx") << "FFFFFFFF" << "0060000" << 2 << true << "";
        QTest::newRow("empty rx") << "" << "0060000" << 2 << false << "";
    }
    void transmitText()
    {
        QFETCH(QString, rx);
        QFETCH(QString, offset);
        QFETCH(int, direction);
        QFETCH(bool, showOffset);
        QFETCH(QString, text);
        QCOMPARE(Q(zav::transmitText(S(rx), S(offset), direction, showOffset, kBand)), text);
    }

    void checkFrequencyEntry_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("warned");
        QTest::newRow("on raster") << "27.86" << 0 << "27.86000" << false;
        QTest::newRow("snapped down") << "27.862" << 0 << "27.86000" << false;
        QTest::newRow("just below next step") << "27.86499" << 0 << "27.86000" << false;
        QTest::newRow("raster counts from band low") << "25.62" << 0 << "25.62000" << false;
        QTest::newRow("125 kept in group 6") << "27.60125" << 6 << "27.60125" << false;
        QTest::newRow("125 snapped elsewhere") << "27.60125" << 0 << "27.60000" << false;
        QTest::newRow("125 snapped in group 5") << "27.60125" << 5 << "27.60000" << false;
        QTest::newRow("625 snapped in group 6") << "27.60625" << 6 << "27.60500" << false;
        QTest::newRow("lower limit") << "25.615" << 0 << "25.61500" << false;
        QTest::newRow("upper limit") << "30.105" << 0 << "30.10500" << false;
        QTest::newRow("below band") << "25.6" << 0 << "25.61500" << true;
        QTest::newRow("above band") << "31" << 0 << "30.10500" << true;
        QTest::newRow("negative") << "-27" << 0 << "25.61500" << true;
        QTest::newRow("not numeric") << "abc" << 0 << "25.61500" << true;
        QTest::newRow("empty") << "" << 0 << "25.61500" << true;
    }
    void checkFrequencyEntry()
    {
        QFETCH(QString, typed);
        QFETCH(int, group);
        QFETCH(QString, text);
        QFETCH(bool, warned);
        CheckedText result = zav::checkFrequencyEntry(S(typed), group, kBand);
        QCOMPARE(Q(result.text), text);
        QCOMPARE(result.warned, warned);
    }

    void frequencyRoundTrip()
    {
        // Every 5 kHz step of the band survives typed -> stored -> shown.
        for (long long n = 2561500; n <= 3010500; n += 500) {
            const std::string text = formatMHz(double(n) / 100000.0);
            const std::string stored = zav::toStoredFrequency(text, kBand);
            QCOMPARE(Q(zav::storedFrequencyToText(stored, kBand).text), Q(text));
            QCOMPARE(Q(zav::checkFrequencyEntry(text, 0, kBand).text), Q(text));
        }
    }

    void bandLimits_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<int>("code");
        QTest::newRow("own band") << "25.615 - 30.105 MHz" << 25.615 << 30.105 << 0;
        QTest::newRow("empty") << "" << 100.0 << 500.0 << 0;
        QTest::newRow("no dash") << "136 MHz" << 100.0 << 500.0 << 0;
        QTest::newRow("VHF") << "136 - 174 MHz" << 136.0 << 174.0 << 8;
        QTest::newRow("code 32") << "450 - 520 MHz" << 450.0 << 520.0 << 32;
        QTest::newRow("bad low") << "abc - 174 MHz" << 100.0 << 174.0 << 0;
        QTest::newRow("bad high") << "136 - x MHz" << 136.0 << 500.0 << 0;
    }
    void bandLimits()
    {
        QFETCH(QString, label);
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(int, code);
        BandLimits limits = parseBandLimits(S(label));
        QCOMPARE(limits.low, low);
        QCOMPARE(limits.high, high);
        QCOMPARE(int(bandCodeOf(S(label))), code);
        QCOMPARE(Q(bandLabelOf(code)), code == 0 ? QString("25.615 - 30.105 MHz") : QString());
    }

    void toneTable_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("wire");
        QTest::newRow("off") << 0 << "OFF" << 0xFFFF;
        QTest::newRow("first CTCSS") << 1 << "67.0" << 0x029E;
        QTest::newRow("100 Hz") << 13 << "100.0" << 1000;
        QTest::newRow("last CTCSS") << 50 << "254.1" << 2541;
        QTest::newRow("first DCS") << 51 << "D017N" << 0xD00F;
        QTest::newRow("D023N") << 52 << "D023N" << 0xD013;
        QTest::newRow("last DCS N") << 157 << "D754N" << 0xD1EC;
        QTest::newRow("D017I") << 158 << "D017I" << 0x800F;
        QTest::newRow("D023I") << 159 << "D023I" << 0x8013;
        QTest::newRow("last DCS I") << 264 << "D754I" << 0x81EC;
        QTest::newRow("below the list") << -1 << "" << 0xFFFF;
        QTest::newRow("above the list") << 265 << "" << 0xFFFF;
    }
    void toneTable()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(int, wire);
        QCOMPARE(Q(toneText(index)), text);
        QCOMPARE(int(toneToWire(index)), wire);
    }

    void wireToTone_data()
    {
        QTest::addColumn<int>("wire");
        QTest::addColumn<int>("index");
        QTest::newRow("67.0") << 0x029E << 1;
        QTest::newRow("D023N") << 0xD013 << 52;
        QTest::newRow("D023I") << 0x8013 << 159;
        QTest::newRow("none") << 0xFFFF << 0;
        QTest::newRow("unknown DCS") << 0xD000 + 999 << 0;
        QTest::newRow("unknown inverted DCS") << 0x8000 + 999 << 0;
        QTest::newRow("unlisted CTCSS") << 0x029F << 0;
        QTest::newRow("zero") << 0x0000 << 0;
        QTest::newRow("other leading digit") << 0xC013 << 0;
    }
    void wireToTone()
    {
        QFETCH(int, wire);
        QFETCH(int, index);
        QCOMPARE(zav::wireToTone(std::uint16_t(wire)), index);
    }

    void everyToneRoundTrips()
    {
        QCOMPARE(int(ctcssTenths().size()), 50);
        QCOMPARE(int(dcsCodes().size()), 107);
        QCOMPARE(int(toneTexts().size()), kToneCount);
        std::set<std::string> texts(toneTexts().begin(), toneTexts().end());
        QCOMPARE(int(texts.size()), kToneCount);
        std::set<std::uint16_t> wires;
        for (int i = 0; i < kToneCount; ++i) {
            QCOMPARE(zav::wireToTone(toneToWire(i)), i);
            QCOMPARE(Q(toneTexts()[size_t(i)]), Q(toneText(i)));
            wires.insert(toneToWire(i));
        }
        QCOMPARE(int(wires.size()), kToneCount);
        // Every 16-bit value decodes to a listed tone that encodes back to it.
        for (int v = 0; v <= 0xFFFF; ++v) {
            const int index = zav::wireToTone(std::uint16_t(v));
            QVERIFY(index >= 0 && index < kToneCount);
            if (index != 0 && toneToWire(index) != v)
                QFAIL(qPrintable(QString("value %1 decodes to %2").arg(v, 4, 16).arg(index)));
        }
    }

    void commonToneTable_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("wire");
        QTest::newRow("none") << 0 << "" << 0xFFFF;
        QTest::newRow("first CTCSS") << 1 << "67.0" << 670;
        QTest::newRow("last CTCSS") << 50 << "254.1" << 2541;
        QTest::newRow("first DCS") << 51 << "D017N" << 0xD00F;
        QTest::newRow("055N, absent from the channel list") << 64 << "D055N" << 0xD02D;
        QTest::newRow("065N") << 65 << "D065N" << 0xD035;
        QTest::newRow("last DCS N") << 166 << "D765N" << 0xD1F5;
        QTest::newRow("first DCS I") << 167 << "D017I" << 0x800F;
        QTest::newRow("last DCS I") << 282 << "D765I" << 0x81F5;
        QTest::newRow("above the list") << 283 << "" << 0xFFFF;
    }
    void commonToneTable()
    {
        QFETCH(int, entry);
        QFETCH(QString, text);
        QFETCH(int, wire);
        QCOMPARE(Q(commonToneText(entry)), text);
        QCOMPARE(int(commonToneToWire(entry)), wire);
        if (entry >= 1 && entry < kCommonToneCount)
            QCOMPARE(Q(commonToneTexts()[size_t(entry - 1)]), text);
    }

    void everyCommonToneRoundTrips()
    {
        QCOMPARE(int(commonDcsCodes().size()), 116);
        QCOMPARE(int(commonToneTexts().size()), kCommonToneCount - 1);
        std::set<std::uint16_t> wires;
        for (int e = 0; e < kCommonToneCount; ++e) {
            QCOMPARE(wireToCommonTone(commonToneToWire(e)), e);
            wires.insert(commonToneToWire(e));
        }
        QCOMPARE(int(wires.size()), kCommonToneCount);
        // The same tone has the same radio value in both lists.
        for (int i = 1; i < kToneCount; ++i) {
            const int e = wireToCommonTone(toneToWire(i));
            QVERIFY2(e > 0, qPrintable(Q(toneText(i))));
            QCOMPARE(commonToneToWire(e), toneToWire(i));
        }
        for (int v = 0; v <= 0xFFFF; ++v) {
            const int e = wireToCommonTone(std::uint16_t(v));
            QVERIFY(e >= 0 && e < kCommonToneCount);
            if (e != 0 && commonToneToWire(e) != v)
                QFAIL(qPrintable(QString("value %1 decodes to %2").arg(v, 4, 16).arg(e)));
        }
    }

    void dtmf_data()
    {
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("stored");
        QTest::newRow("star and hash") << "12*#" << "12EF";
        QTest::newRow("letters A-D kept") << "ABCD09" << "ABCD09";
        QTest::newRow("empty") << "" << "";
    }
    void dtmf()
    {
        QFETCH(QString, display);
        QFETCH(QString, stored);
        QCOMPARE(Q(dtmfToStored(S(display))), stored);
        QCOMPARE(Q(dtmfToDisplay(S(stored))), display);
    }
};

QTEST_APPLESS_MAIN(TestCodecs)
#include "test_codecs.moc"
