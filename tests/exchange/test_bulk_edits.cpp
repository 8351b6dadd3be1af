// Edits of many channels at once and scripted edits: which channels take a
// value and which refuse it (and why), the channel lists of the command
// line, Find, and the settings outside the channel table.

#include "channel_fixture.h"
#include "bulk_edits.h"
#include "channel_find.h"
#include "image_layout.h"
#include "scripted_edits.h"
#include "setting_edits.h"

#include <QTest>

using namespace zav;
using namespace zav::test;

namespace {

FieldValue Value(const char* field, const char* text)
{
    const ChannelField* f = findChannelField(field);
    Q_ASSERT(f);
    const ParsedValue parsed = parseFieldValue(*f, text);
    Q_ASSERT(parsed.value);
    return *parsed.value;
}

const ChannelWriteEnv kEnv{true, 0};

std::vector<std::uint8_t> FileBytes(const Document& doc) { return writeFullImage(doc.working); }

/// The refusals as "number field textId" lines, for one comparison.
QStringList Refused(const BulkEditResult& result)
{
    QStringList lines;
    for (const BulkRefusal& r : result.refusals)
        lines << QStringLiteral("%1 %2 %3").arg(r.number).arg(QString::fromStdString(r.field)).arg(r.why.textId);
    return lines;
}

} // namespace

class TestBulkEdits : public QObject {
    Q_OBJECT
private slots:
    void mixedSelectionStoresExactlyTheAcceptedChannels_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<QList<int>>("changed");
        QTest::addColumn<QStringList>("refused");
        // Extended: channels 1, 5, 7, 521; 2 is an empty slot; 401 is in no group.
        QTest::newRow("tone: empty slot and ungrouped refused") << int(kExtendedMode) << "receive tone" << "67.0"
                                                                << QList<int>{1, 2, 5, 401} << QList<int>{1, 5}
                                                                << QStringList{"2 receive tone 34001", "401 receive tone 34000"};
        QTest::newRow("receive: 1..400 keep theirs, empty slot and 521 take it")
            << int(kExtendedMode) << "receive MHz" << "27.5" << QList<int>{1, 2, 521} << QList<int>{2, 521}
            << QStringList{"1 receive MHz 33129"};
        QTest::newRow("receive outside the band refused everywhere") << int(kExtendedMode) << "receive MHz" << "31"
                                                                      << QList<int>{2, 521} << QList<int>{}
                                                                      << QStringList{"2 receive MHz 33109", "521 receive MHz 33109"};
        QTest::newRow("busy lockout by tone needs a tone") << int(kExtendedMode) << "busy lockout" << "CTCSS/DCS"
                                                           << QList<int>{1} << QList<int>{}
                                                           << QStringList{"1 busy lockout 33117"};
        QTest::newRow("BOT code of an empty memory") << int(kExtendedMode) << "BOT code" << "3" << QList<int>{1}
                                                     << QList<int>{} << QStringList{"1 BOT code 34003"};
        QTest::newRow("power set") << int(kExtendedMode) << "FM power" << "Low" << QList<int>{1, 5, 7}
                                   << QList<int>{1, 5, 7} << QStringList{};
        // Country: channels 1 and 2 hold their plan's frequencies; 3 is empty.
        QTest::newRow("country: frequency refused, empty slot refused") << 0 << "receive MHz" << "27.5"
                                                                        << QList<int>{1, 3} << QList<int>{}
                                                                        << QStringList{"1 receive MHz 33126", "3 receive MHz 33128"};
        QTest::newRow("country: tone stored, empty slot refused") << 0 << "transmit tone" << "D023N" << QList<int>{1, 2, 3}
                                                                  << QList<int>{1, 2}
                                                                  << QStringList{"3 transmit tone 34001"};
    }
    void mixedSelectionStoresExactlyTheAcceptedChannels()
    {
        QFETCH(int, mode);
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QList<int>, numbers);
        QFETCH(QList<int>, changed);
        QFETCH(QStringList, refused);
        Document doc;
        if (mode == kExtendedMode)
            NewDocument(doc, kExtendedMode, {{1, "02700000"}, {5, "02705000"}, {7, "02710000"}, {521, "02720000"}});
        else
            NewDocument(doc, 0, {{1, "02696500"}, {2, "02697500"}});
        const Document before = doc;
        const BulkEditResult result = setChannelValues(doc, kEnv, std::vector<int>(numbers.begin(), numbers.end()),
                                                       {Value(field.toUtf8().constData(), value.toUtf8().constData())});
        QCOMPARE(Refused(result), refused);
        QCOMPARE(QList<int>(result.changedChannels.begin(), result.changedChannels.end()), changed);
        // Every channel not listed as changed is exactly as it was.
        for (int n = 1; n <= kChannelSlots; ++n) {
            if (changed.contains(n))
                continue;
            const ChannelRecord* was = Channel(const_cast<Document&>(before), n);
            const ChannelRecord* is = Channel(doc, n);
            QCOMPARE(is != nullptr, was != nullptr);
            if (is)
                QVERIFY(*is == *was);
        }
    }

    void bulkPathEqualsTypingEachCell()
    {
        // The desktop types into each cell; the bulk path must store the same bytes.
        Document typed;
        NewDocument(typed, kExtendedMode, {{1, "02700000"}, {5, "02705000"}, {521, "02720000"}});
        Document bulk = typed;
        for (const int row : {1, 2, 5})
            setChannelCell(typed, kEnv, 0, row, FieldRxTone, CellValue(1));
        setChannelCell(typed, kEnv, 0, 2, FieldRxFrequency, CellValue(std::string("27.50000")));
        setChannelCell(typed, kEnv, 0, 2, FieldRxTone, CellValue(1));
        setChannelValues(bulk, kEnv, {1, 2, 5}, {Value("receive tone", "67.0"), Value("receive-mhz", "27.5")});
        QVERIFY(FileBytes(bulk) == FileBytes(typed));
    }

    void clearKeepsTheLastChannel()
    {
        Document doc;
        NewDocument(doc, kExtendedMode, {{1, "02700000"}, {5, "02705000"}});
        const BulkEditResult result = clearChannels(doc, kEnv, {1, 5});
        QCOMPARE(doc.activeCount(), 1);
        QCOMPARE(Refused(result), QStringList{"5 receive MHz 34002"});

        Document country;
        NewDocument(country, 0, {{1, "02696500"}, {2, "02697500"}});
        const BulkEditResult fixed = clearChannels(country, kEnv, {1});
        QCOMPARE(country.activeCount(), 2);
        QCOMPARE(Refused(fixed), QStringList{"1 receive MHz 34005"});
    }

    void fillDownCopiesTheFirstChannelsValue()
    {
        Document doc;
        NewDocument(doc, kExtendedMode, {{1, "02700000"}, {2, "02705000"}, {3, "02710000"}});
        Channel(doc, 1)->TxTone = 60;
        const BulkEditResult result = fillDown(doc, kEnv, {1, 2, 3, 4}, *findChannelField("transmit tone"));
        QCOMPARE(Channel(doc, 2)->TxTone, Int16(60));
        QCOMPARE(Channel(doc, 3)->TxTone, Int16(60));
        QCOMPARE(Refused(result), QStringList{"4 transmit tone 34001"});
    }

    void channelLists_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<bool>("refused");
        QTest::newRow("ranges") << "1-40,81,521" << 42 << 1 << 521 << false;
        QTest::newRow("overlap counted once") << "1-5,3-7" << 7 << 1 << 7 << false;
        QTest::newRow("group by number") << "group:1" << 40 << 41 << 80 << false;
        QTest::newRow("group by name") << "group:be" << 40 << 41 << 80 << false;
        QTest::newRow("unknown name") << "group:XX" << 0 << 0 << 0 << true;
        QTest::newRow("not a group of the mode") << "group:11" << 0 << 0 << 0 << true;
        QTest::newRow("backwards range") << "5-3" << 0 << 0 << 0 << true;
        QTest::newRow("zero") << "0" << 0 << 0 << 0 << true;
        QTest::newRow("past 521") << "520-522" << 0 << 0 << 0 << true;
        QTest::newRow("empty item") << "1,,2" << 0 << 0 << 0 << true;
    }
    void channelLists()
    {
        QFETCH(QString, list);
        QFETCH(int, count);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(bool, refused);
        Document doc;
        NewDocument(doc, kExtendedMode, {{1, "02700000"}});
        doc.image().GroupNames[1].assign("BE");
        const ChannelList parsed = parseChannelList(doc, list.toStdString());
        QCOMPARE(!parsed.error.empty(), refused);
        QCOMPARE(int(parsed.numbers.size()), count);
        if (count > 0) {
            QCOMPARE(parsed.numbers.front(), first);
            QCOMPARE(parsed.numbers.back(), last);
        }
        Document twice = doc;
        twice.image().GroupNames[5].assign("BE");
        if (list == "group:be")
            QVERIFY(!parseChannelList(twice, list.toStdString()).error.empty()); // two groups named BE: ambiguous
    }

    void findAcrossGroups_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QList<int>>("numbers");
        QTest::newRow("channel number") << "45" << QList<int>{45};
        QTest::newRow("frequency with point") << "27.1" << QList<int>{45};
        QTest::newRow("frequency without point") << "27100" << QList<int>{45};
        QTest::newRow("tone") << "67.0" << QList<int>{521};
        QTest::newRow("group name") << "ve" << QList<int>{521};
        QTest::newRow("nothing") << "29.9" << QList<int>{};
    }
    void findAcrossGroups()
    {
        QFETCH(QString, query);
        QFETCH(QList<int>, numbers);
        Document doc;
        NewDocument(doc, kExtendedMode, {{1, "02700000"}, {45, "02710000"}, {521, "02720000"}});
        Channel(doc, 521)->RxTone = 1;
        doc.image().GroupNames[10].assign("VE");
        QList<int> found;
        for (const ChannelPlace& place : findChannels(doc, query.toStdString()))
            found << place.number;
        QCOMPARE(found, numbers);
        if (query == "27.1") {
            const ChannelPlace place = findChannels(doc, "27.1").front();
            QCOMPARE(place.group, 1);
            QCOMPARE(place.row, 5);
        }
    }

    void settingsCheckedByTheirEditorsRules_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("shown"); // "" = refused
        QTest::newRow("common tone") << "common.receive-tone" << "67.0" << "67.0";
        QTest::newRow("common roger beep of a defined tone tip") << "common.roger-beep" << "1" << "1";
        QTest::newRow("common roger beep of an undefined tone tip") << "common.roger-beep" << "8" << "";
        QTest::newRow("TOT time on its 15 s steps") << "optional-features.tot-time" << "30" << "30";
        QTest::newRow("TOT time off its steps") << "tot-time" << "31" << "";
        QTest::newRow("check box") << "vox" << "1" << "1";
        QTest::newRow("DTMF timing") << "dtmf.digit-rate" << "100" << "100";
        QTest::newRow("DTMF timing not listed") << "dtmf.digit-rate" << "105" << "";
        QTest::newRow("ID code") << "dtmf.id-code" << "12345" << "12345";
        QTest::newRow("ID code too short") << "dtmf.id-code" << "12" << "";
        QTest::newRow("code memory") << "dtmf.code-memories.2" << "12a#" << "12A#";
        QTest::newRow("code memory character") << "dtmf.code-memories.2" << "12x" << "";
        QTest::newRow("power-on text") << "power-on-text" << "HELLO" << "HELLO";
        QTest::newRow("Chinese embedded message") << "embedded-message.2" << "对讲机" << "对讲机";
        QTest::newRow("text too long") << "embedded-message.1" << "ABCDEFGHIJKLMNOPQ" << "";
    }
    void settingsCheckedByTheirEditorsRules()
    {
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QString, shown);
        Document doc;
        NewDocument(doc, kExtendedMode, {{1, "02700000"}});
        doc.image().ToneTips[0].Values[0] = 1000; // tone tip 1 plays a note
        doc.image().ToneTips[0].Values[1] = 100;
        doc.image().ToneTips[0].Values[28] = 1;
        doc.image().ToneTips[7].Values[28] = 0; // tone tip 8 plays nothing
        const Document before = doc;
        const ScriptedEditResult result = applyScriptedEdits(doc, "", {{name.toStdString(), value.toStdString()}}, false);
        QVERIFY2(result.usageError.empty(), result.usageError.c_str());
        QCOMPARE(result.refusals.empty(), !shown.isEmpty());
        if (shown.isEmpty()) {
            QVERIFY(FileBytes(doc) == FileBytes(before));
            return;
        }
        const SettingField* field = findSettingField(name.toStdString(), {"roger-beep"});
        QVERIFY(field);
        QCOMPARE(QString::fromStdString(field->read(doc)), shown);
    }

    void sharedNamesNeedTheirPrefix()
    {
        Document doc;
        NewDocument(doc, kExtendedMode, {{1, "02700000"}});
        // "roger-beep" is a channel field: without --channels it is refused as such.
        QVERIFY(!applyScriptedEdits(doc, "", {{"roger-beep", "1"}}, false).usageError.empty());
        QVERIFY(!applyScriptedEdits(doc, "", {{"no-such-field", "1"}}, false).usageError.empty());
        QVERIFY(applyScriptedEdits(doc, "1", {{"roger-beep", "Off"}}, false).usageError.empty());
        // Every name is listed once.
        std::vector<std::string> names = scriptedFieldNames();
        std::sort(names.begin(), names.end());
        QVERIFY(std::adjacent_find(names.begin(), names.end()) == names.end());
    }
};

QTEST_GUILESS_MAIN(TestBulkEdits)
#include "test_bulk_edits.moc"
