// The write path of the channel editors: which values reach a record, which
// are refused, and the rules that change other members with them.

#include "channel_fixture.h"
#include "channel_writes.h"

#include <QTest>

#include <string>

using namespace zav;
using namespace zav::test;

namespace {

const BandLimits kBand{25.615, 30.105};
constexpr long long kLowCounts = 2561500; // 25.615 MHz in 10 Hz units

std::string Raw(const FixedText<7>& t) { return t.raw(); }

std::string EightDigits(long long counts)
{
    std::string s = std::to_string(counts);
    s.insert(0, 8 - s.size(), '0');
    return s;
}

/// Extended-mode document holding channels 1, 5, 7 and 521.
void ExtendedDocument(Document& doc)
{
    NewDocument(doc, kExtendedMode, {{1, "02700000"}, {5, "02705000"}, {7, "02710000"}, {521, "02720000"}});
}

CellWriteResult Write(Document& doc, int group, int row, int id, CellValue value, int editGroup = 0)
{
    return setChannelCell(doc, ChannelWriteEnv{true, editGroup}, group, row, id, value);
}

} // namespace

class TestChannelWrites : public QObject {
    Q_OBJECT
private slots:
    // --- setChannelField ----------------------------------------------------

    void toneRules_data()
    {
        QTest::addColumn<int>("fieldId");
        QTest::addColumn<int>("rx");
        QTest::addColumn<int>("tx");
        QTest::addColumn<int>("busy");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("wantRx");
        QTest::addColumn<int>("wantTx");
        QTest::addColumn<int>("wantBusy");
        const int rxTone = FieldRxTone;
        const int txTone = FieldTxTone;
        const int signalling = optionFieldId(ChannelOption::OptionalSignalling);
        QTest::newRow("rx tone copied into an unset tx tone") << rxTone << 0 << 0 << 0 << 5 << 5 << 5 << 0;
        QTest::newRow("rx tone leaves a set tx tone") << rxTone << 0 << 7 << 0 << 5 << 5 << 7 << 0;
        QTest::newRow("rx tone changed while set: tx stays off") << rxTone << 3 << 0 << 0 << 5 << 5 << 0 << 0;
        QTest::newRow("rx tone off ends busy lockout by tone") << rxTone << 5 << 5 << 2 << 0 << 0 << 5 << 1;
        QTest::newRow("rx tone off keeps other busy lockouts") << rxTone << 5 << 5 << 3 << 0 << 0 << 5 << 3;
        QTest::newRow("tx tone copied into an unset rx tone") << txTone << 0 << 0 << 2 << 9 << 9 << 9 << 2;
        QTest::newRow("tx tone leaves a set rx tone") << txTone << 4 << 0 << 0 << 9 << 4 << 9 << 0;
        QTest::newRow("tx tone off keeps busy lockout") << txTone << 0 << 6 << 2 << 0 << 0 << 0 << 2;
        QTest::newRow("signalling without rx tone ends busy 2") << signalling << 0 << 0 << 2 << 1 << 0 << 0 << 1;
        QTest::newRow("signalling without rx tone ends busy 3") << signalling << 0 << 0 << 3 << 1 << 0 << 0 << 1;
        QTest::newRow("signalling with rx tone keeps busy") << signalling << 5 << 0 << 2 << 1 << 5 << 0 << 2;
    }
    void toneRules()
    {
        QFETCH(int, fieldId);
        QFETCH(int, rx);
        QFETCH(int, tx);
        QFETCH(int, busy);
        QFETCH(int, value);
        ChannelRecord r;
        r.Number = 5;
        r.RxTone = Int16(rx);
        r.TxTone = Int16(tx);
        r.option(ChannelOption::BusyLockout) = Int16(busy);
        setChannelField(r, fieldId, value, kBand, true);
        QTEST(int(r.RxTone), "wantRx");
        QTEST(int(r.TxTone), "wantTx");
        QTEST(int(r.option(ChannelOption::BusyLockout)), "wantBusy");
        if (fieldId == optionFieldId(ChannelOption::OptionalSignalling))
            QCOMPARE(int(r.option(ChannelOption::OptionalSignalling)), value);
    }

    void everyFieldIdReachesItsMemberOnly()
    {
        for (int id = 3; id <= 44; ++id) {
            if (id == FieldRxTone || id == FieldTxTone || id == optionFieldId(ChannelOption::OptionalSignalling))
                continue; // tone rules above
            ChannelRecord r;
            r.Number = 5;
            r.RxTone = 3;
            const ChannelRecord before = r;
            const bool changed = setChannelField(r, id, 2, kBand, true);
            const bool hasMember = id != 3 && id != 6 && id != 20 && !(id >= 31 && id <= 36);
            QVERIFY2(changed == hasMember, qPrintable(QString("id %1").arg(id)));
            if (hasMember) {
                const std::optional<ChannelOption> option = channelOptionOfField(id);
                QVERIFY2(option, qPrintable(QString("id %1 names no option").arg(id)));
                QCOMPARE(int(r.option(*option)), 2);
                r.option(*option) = 0;
            }
            QVERIFY2(r == before, qPrintable(QString("id %1 touched another member").arg(id)));
        }
    }

    void receiveFrequencyOnlyAboveChannel400_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("stored");
        QTest::newRow("channel 1") << 1 << "02700000";
        QTest::newRow("channel 400") << 400 << "02700000";
        QTest::newRow("channel 401") << 401 << "02740000";
        QTest::newRow("channel 521") << 521 << "02740000";
    }
    void receiveFrequencyOnlyAboveChannel400()
    {
        QFETCH(int, number);
        ChannelRecord r;
        r.Number = Int16(number);
        r.RxFrequency.assign("02700000");
        setChannelField(r, FieldRxFrequency, std::string("27.40000"), kBand, true);
        QTEST(QString::fromStdString(r.RxFrequency.raw()), "stored");
    }

    void transmitEntry_data()
    {
        QTest::addColumn<bool>("asOffset");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("offset");
        QTest::newRow("plus offset") << true << "+0.6" << 2 << "0060000";
        QTest::newRow("minus offset") << true << "-0.6" << 1 << "0060000";
        QTest::newRow("unsigned offset") << true << "0.6" << 0 << "0060000";
        QTest::newRow("offset of 100 MHz refused") << true << "+100" << 2 << "0010000";
        QTest::newRow("transmit below receive") << false << "27.26" << 1 << "0060000";
        QTest::newRow("transmit equal keeps magnitude") << false << "27.86" << 0 << "0010000";
    }
    void transmitEntry()
    {
        QFETCH(bool, asOffset);
        QFETCH(QString, typed);
        ChannelRecord r;
        r.Number = 5;
        r.RxFrequency.assign("02786000");
        r.OffsetDirection = 2;
        r.Offset.assign("0010000");
        setChannelField(r, FieldTransmit, typed.toStdString(), kBand, asOffset);
        QTEST(int(r.OffsetDirection), "direction");
        QTEST(QString::fromStdString(Raw(r.Offset)), "offset");
    }

    void stepClassOf_data()
    {
        QTest::addColumn<long long>("d");
        QTest::addColumn<int>("stepClass");
        QTest::addColumn<long long>("adjustment");
        QTest::newRow("band edge") << 0LL << 0 << 0LL;
        QTest::newRow("5 kHz") << 500LL << 0 << 0LL;
        QTest::newRow("6.25 kHz") << 625LL << 1 << 0LL;
        QTest::newRow("12.5 kHz") << 1250LL << 1 << 0LL;
        QTest::newRow("8.33 kHz") << 833LL << 2 << 0LL;
        QTest::newRow("16.66 kHz") << 1666LL << 2 << 0LL;
        QTest::newRow("third 8.33 step raised by 10 Hz") << 2499LL << 2 << 1LL;
        QTest::newRow("8.33 in the second 25 kHz") << 3333LL << 2 << 0LL;
        QTest::newRow("off raster down to 5 kHz") << 1001LL << 0 << -1LL;
        QTest::newRow("off raster near edge") << 123LL << 0 << -123LL;
    }
    void stepClassOf()
    {
        QFETCH(long long, d);
        const StepClass c = zav::stepClassOf(d);
        QTEST(c.stepClass, "stepClass");
        QTEST(c.adjustment, "adjustment");
    }

    void stepClassesFollowOffsetEntry_data()
    {
        QTest::addColumn<long long>("rxCounts");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("wantRx");
        QTest::addColumn<int>("rxClass");
        QTest::addColumn<int>("txClass");
        QTest::newRow("no offset: tx class is rx class")
            << kLowCounts + 2499 << "0" << EightDigits(kLowCounts + 2500).c_str() << 2 << 2;
        QTest::newRow("offset onto 6.25 kHz")
            << kLowCounts + 2499 << "+0.00625" << EightDigits(kLowCounts + 2500).c_str() << 2 << 1;
        QTest::newRow("off raster receive rounded down")
            << kLowCounts + 123 << "-0.6" << EightDigits(kLowCounts).c_str() << 0 << 0;
    }
    void stepClassesFollowOffsetEntry()
    {
        QFETCH(long long, rxCounts);
        QFETCH(QString, typed);
        ChannelRecord r;
        r.Number = 5;
        r.RxFrequency.assign(EightDigits(rxCounts));
        QVERIFY(setChannelField(r, FieldTransmit, typed.toStdString(), kBand, true));
        QTEST(QString::fromStdString(r.RxFrequency.raw()), "wantRx");
        QTEST(int(r.RxStepClass), "rxClass");
        QTEST(int(r.TxStepClass), "txClass");
    }

    // --- setChannelCell -------------------------------------------------------

    void countryModeIgnoresFrequencies()
    {
        Document doc;
        NewDocument(doc, 0, {{1, "02700000"}, {41, "02700000"}});
        QVERIFY(!Write(doc, 0, 5, FieldRxFrequency, std::string("27.4")).stored);
        QVERIFY(!Write(doc, 0, 1, FieldTransmit, std::string("+0.6")).stored);
        QVERIFY(!doc.isModified());
        const CellWriteResult tone = Write(doc, 1, 1, FieldRxTone, 3);
        QCOMPARE(tone.number, 41);
        QVERIFY(tone.stored);
        QCOMPARE(int(Channel(doc, 41)->RxTone), 3);
    }

    void typedReceiveFrequencyCreatesChannel_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("currentGroup");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("warned");
        QTest::newRow("in band") << "27.4" << 0 << "02740000" << false;
        QTest::newRow("snapped to 5 kHz") << "27.862" << 0 << "02786000" << false;
        QTest::newRow("125 stays in group 6") << "27.60125" << 6 << "02760125" << false;
        QTest::newRow("125 snapped elsewhere") << "27.60125" << 5 << "02760000" << false;
        QTest::newRow("above band") << "31" << 0 << "03010500" << true;
        QTest::newRow("below band") << "25.6" << 0 << "02561500" << true;
        QTest::newRow("not a number") << "." << 0 << "02561500" << true;
        QTest::newRow("band limit itself") << "30.105" << 0 << "03010500" << false;
    }
    void typedReceiveFrequencyCreatesChannel()
    {
        QFETCH(QString, typed);
        QFETCH(int, currentGroup);
        Document doc;
        ExtendedDocument(doc);
        doc.image().OptFeat.Common1[common1::CurrentGroup] = Int16(currentGroup);
        const CellWriteResult r = Write(doc, 0, 9, FieldRxFrequency, typed.toStdString());
        QVERIFY(r.created);
        QCOMPARE(r.number, 9);
        QTEST(r.warned, "warned");
        QCOMPARE(doc.activeCount(), 5);
        const ChannelRecord& added = doc.active()[4];
        QCOMPARE(int(added.Number), 9);
        QTEST(QString::fromStdString(added.RxFrequency.raw()), "stored");
        QCOMPARE(added.Offset.raw(), std::string(7, '\0'));
        ChannelRecord expected;
        expected.Number = 9;
        expected.RxFrequency = added.RxFrequency;
        QVERIFY(added == expected);
    }

    void emptySlotTakesOnlyAReceiveFrequency_data()
    {
        QTest::addColumn<int>("fieldId");
        QTest::addColumn<QString>("text");
        QTest::newRow("rx tone") << 4 << "";
        QTest::newRow("empty frequency") << 1 << "";
        QTest::newRow("transmit") << 2 << "+0.6";
        QTest::newRow("name") << 3 << "AB";
        QTest::newRow("scan skip") << 7 << "";
    }
    void emptySlotTakesOnlyAReceiveFrequency()
    {
        QFETCH(int, fieldId);
        QFETCH(QString, text);
        Document doc;
        ExtendedDocument(doc);
        const CellValue value = fieldId <= 3 ? CellValue(text.toStdString()) : CellValue(1);
        const CellWriteResult r = Write(doc, 0, 9, fieldId, value);
        QCOMPARE(r.number, 9);
        QVERIFY(!r.stored);
        QVERIFY(!doc.isModified());
    }

    void existingReceiveFrequency_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("modified");
        QTest::newRow("channel 5 keeps its frequency") << 0 << 5 << "27.4" << "02705000" << false;
        QTest::newRow("VFO takes a new one") << 10 << 521 << "27.4" << "02740000" << true;
        QTest::newRow("VFO: the shown value is not stored again") << 10 << 521 << "27.20000" << "02720000" << false;
        QTest::newRow("VFO: out of band becomes the limit") << 10 << 521 << "40" << "03010500" << true;
    }
    void existingReceiveFrequency()
    {
        QFETCH(int, group);
        QFETCH(int, number);
        QFETCH(QString, typed);
        Document doc;
        ExtendedDocument(doc);
        const int row = number - groupBase(group, kExtendedMode);
        const CellWriteResult r = Write(doc, group, row, FieldRxFrequency, typed.toStdString());
        QCOMPARE(r.number, number);
        QTEST(QString::fromStdString(Channel(doc, number)->RxFrequency.raw()), "stored");
        QTEST(doc.isModified(), "modified");
        QCOMPARE(doc.activeCount(), 4);
    }

    void clearingRemovesChannelButNeverTheLast()
    {
        Document doc;
        ExtendedDocument(doc);
        const CellWriteResult r = Write(doc, 0, 5, FieldRxFrequency, std::string());
        QVERIFY(r.removed);
        QCOMPARE(doc.activeCount(), 3);
        QCOMPARE(int(doc.active()[0].Number), 1);
        QCOMPARE(int(doc.active()[1].Number), 7); // order kept
        QCOMPARE(int(doc.active()[2].Number), 521);

        Document single;
        NewDocument(single, kExtendedMode, {{5, "02705000"}});
        QVERIFY(!Write(single, 0, 5, FieldRxFrequency, std::string()).removed);
        QCOMPARE(single.activeCount(), 1);
        QVERIFY(!single.isModified());
    }

    void emergencyChannelsDroppedWithTheirSlot()
    {
        Document doc;
        ExtendedDocument(doc);
        *emergencyChannel(doc.image(), 0, 0) = 5;
        *emergencyChannel(doc.image(), 0, 1) = 7;
        *emergencyChannel(doc.image(), 1, 0) = 5; // another group: not rechecked
        const CellWriteResult r = Write(doc, 0, 5, FieldRxFrequency, std::string(), 0);
        QVERIFY(r.emergencyRechecked);
        QCOMPARE(int(*emergencyChannel(doc.image(), 0, 0)), 0);
        QCOMPARE(int(*emergencyChannel(doc.image(), 0, 1)), 7);
        QCOMPARE(int(*emergencyChannel(doc.image(), 1, 0)), 5);
        QVERIFY(!Write(doc, 0, 7, FieldRxTone, 3).emergencyRechecked);
    }

    void slotsOutsideTheGroupAreRefused_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("row");
        QTest::newRow("row 0") << int(kExtendedMode) << 0 << 0;
        QTest::newRow("row past group") << int(kExtendedMode) << 0 << 41;
        QTest::newRow("VFO row 2") << int(kExtendedMode) << 10 << 2;
        QTest::newRow("group 11") << int(kExtendedMode) << 11 << 1;
        QTest::newRow("country group 7") << 0 << 7 << 1;
        QTest::newRow("negative group") << 0 << -1 << 1;
    }
    void slotsOutsideTheGroupAreRefused()
    {
        QFETCH(int, mode);
        QFETCH(int, group);
        QFETCH(int, row);
        Document doc;
        NewDocument(doc, Int16(mode), {{1, "02700000"}, {521, "02720000"}});
        const CellWriteResult r = Write(doc, group, row, FieldRxFrequency, std::string("27.4"));
        QCOMPARE(r.number, 0);
        QVERIFY(!doc.isModified());
    }

    void fullTableTakesNoMoreChannels()
    {
        Document doc;
        NewDocument(doc, kExtendedMode, {});
        for (int n = 1; n <= kChannelSlots; ++n)
            QVERIFY(appendChannel(doc, n, "27", false, kBand));
        QVERIFY(!appendChannel(doc, 1, "27", false, kBand));
        QCOMPARE(doc.activeCount(), kChannelSlots);
    }

    void groupNameStored_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("two characters get a NUL") << "ab" << QByteArray("ab\0", 3);
        QTest::newRow("three characters as typed") << "ABC" << QByteArray("ABC");
        QTest::newRow("one character: NUL then space") << "a" << QByteArray("a\0 ", 3);
        QTest::newRow("trailing spaces dropped") << "a  " << QByteArray("a\0 ", 3);
        QTest::newRow("empty") << "" << QByteArray("\0  ", 3);
    }
    void groupNameStored()
    {
        QFETCH(QString, typed);
        FixedText<3> name;
        storeGroupName(name, typed.toStdString());
        const std::string raw = name.raw();
        QTEST(QByteArray(raw.data(), int(raw.size())), "stored");
    }

    void formatEntry_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("formatted");
        QTest::newRow("number") << "27.4" << "27.40000";
        QTest::newRow("empty stays empty") << "" << "";
        QTest::newRow("not a number passed on") << "." << ".";
        QTest::newRow("sign dropped by the format") << "+0.6" << "0.60000";
    }
    void formatEntry()
    {
        QFETCH(QString, typed);
        QTEST(QString::fromStdString(zav::formatEntry(typed.toStdString())), "formatted");
    }
};

QTEST_APPLESS_MAIN(TestChannelWrites)
#include "test_channel_writes.moc"
