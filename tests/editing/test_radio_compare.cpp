// Compare with Radio, as a table: the radio holds the memory of the document
// with one change, and the comparison must name exactly that field, in
// its place (area, table, channel, group), with both values. Fields the
// radio does not store are changed in the document only and must never be
// reported.

#include "channel_groups.h"
#include "codecs.h"
#include "config_check.h"
#include "defaults.h"
#include "document.h"
#include "memory_map.h"
#include "radio_compare.h"

#include <QTest>

#include <functional>

using namespace zav;

using Change = std::function<void(Document&)>;
Q_DECLARE_METATYPE(Change)

namespace {

/// A new document with a channel in the first group of both modes.
Document SmallDocument()
{
    Document doc;
    buildNewDocument(doc, std::string(), TemplateVariant::NewDocument);
    doc.image().ChannelCount = 0;
    doc.image().StandbyChannelCount = 0;
    for (const bool standby : {false, true}) {
        ChannelTable& table = standby ? doc.standby() : doc.active();
        Int16& count = standby ? doc.image().StandbyChannelCount : doc.image().ChannelCount;
        for (int number : {1, 2, kChannelSlots}) {
            ChannelRecord& r = table[static_cast<std::size_t>(count++)];
            r = ChannelRecord{};
            r.Number = static_cast<Int16>(number);
            r.RxFrequency.assign(number == 2 ? "02701000" : "02700000");
        }
    }
    doc.image().OptFeat.Common2[common2::VoiceVolume] = 1;
    return doc;
}

ChannelRecord& Ch(Document& doc, int number, bool standby = false)
{
    return (standby ? doc.standby() : doc.active())[static_cast<std::size_t>(doc.findChannelByNumber(static_cast<Int16>(number), standby))];
}

QString Key(const ConfigFinding& f)
{
    static const char* const areas[] = {"channel", "group", "optional-features", "channel-table",
                                        "dtmf", "tone-tips", "messages", "memory"};
    QString caption;
    if (!f.args.empty()) {
        if (const auto* id = std::get_if<TextId>(&f.args[0]))
            caption = QString::number(id->id);
        else
            caption = QString::fromStdString(std::get<std::string>(f.args[0]));
    }
    return QString("%1 %2 n%3 g%4/%5 f%6 m%7 %8")
        .arg(f.standby ? "S" : "A")
        .arg(areas[static_cast<int>(f.area)])
        .arg(f.number)
        .arg(f.group)
        .arg(f.numberInGroup)
        .arg(f.field)
        .arg(f.messageId)
        .arg(caption);
}

QStringList Values(const ConfigFinding& f)
{
    QStringList values;
    for (std::size_t i = 1; i < f.args.size(); ++i)
        values << QString::fromStdString(std::get<std::string>(f.args[i]));
    return values;
}

} // namespace

class TestRadioCompare : public QObject {
    Q_OBJECT
private slots:
    void radioHoldingTheDocumentIsTheSame();
    void onlyWhatDiffersIsNamed_data();
    void onlyWhatDiffersIsNamed();
    void everyChannelOptionIsNamedByItsCaption();
    void fieldsTheRadioDoesNotStoreAreNeverReported();
    void bytesNoFieldReadsNameTheirBlock();
    void theDocumentIsNotChanged();
};

void TestRadioCompare::radioHoldingTheDocumentIsTheSame()
{
    const Document doc = SmallDocument();
    link::RadioMemory radio = link::encodeDocument(doc);
    // The radio's own identity is never a difference: a write keeps it.
    radio[link::kHeaderAddress] = 'X';
    radio[link::kHeaderAddress + 6] = 0x07;
    const RadioComparison result = compareWithRadio(doc, radio);
    QVERIFY(result.same());
    QVERIFY(result.differences.empty());
}

void TestRadioCompare::onlyWhatDiffersIsNamed_data()
{
    QTest::addColumn<Change>("radioChange");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("values"); // the document's, the radio's

    QTest::newRow("receive tone") << Change([](Document& d) { Ch(d, 2).RxTone = 3; })
                                  << "A channel n2 g0/2 f4 m34200 15005" << QStringList{"OFF", QString::fromStdString(toneText(3))};
    QTest::newRow("receive frequency") << Change([](Document& d) { Ch(d, 1).RxFrequency.assign("02750000"); })
                                       << "A channel n1 g0/1 f1 m34200 15002" << QStringList{"27.00000", "27.50000"};
    QTest::newRow("channel option") << Change([](Document& d) { Ch(d, 2).option(ChannelOption::Modulation) = 1; })
                                    << "A channel n2 g0/2 f25 m34200 32664" << QStringList{"0", "1"};
    QTest::newRow("channel of the other mode")
        << Change([](Document& d) { Ch(d, 2, true).TxTone = 4; }) << "S channel n2 g0/2 f5 m34200 15006"
        << QStringList{"OFF", QString::fromStdString(toneText(4))};
    QTest::newRow("channel only in the radio") << Change([](Document& d) {
        ChannelRecord& r = d.active()[static_cast<std::size_t>(d.image().ChannelCount++)];
        r = Ch(d, 2);
        r.Number = 3;
    }) << "A channel n3 g0/3 f1 m34202 " << QStringList{};
    QTest::newRow("power-on text") << Change([](Document& d) { d.image().OptFeat.PowerOnText.assign("UNIT 07"); })
                                   << "A optional-features n0 g-1/0 f0 m34200 16100"
                                   << QStringList{"\"\"", "\"UNIT 07\""}; // the leading NUL ends the text the radio gets
    QTest::newRow("optional feature") << Change([](Document& d) { d.image().OptFeat.Common1[common1::DisplayMode] ^= 1; })
                                      << "A optional-features n0 g-1/0 f0 m34200 16013" << QStringList{};
    QTest::newRow("check box") << Change([](Document& d) { d.image().OptFeat.Common2[common2::FreqChangeable] ^= 1; })
                               << "A optional-features n0 g-1/0 f0 m34200 16028" << QStringList{};
    QTest::newRow("DTMF code memory") << Change([](Document& d) {
        DtmfCode& c = d.image().DtmfSettings.CodeMemories[4];
        c.Code.assign("123");
        c.Length = 3;
    }) << "A dtmf n0 g-1/0 f5 m34200 34208" << QStringList{};
    QTest::newRow("tone tip") << Change([](Document& d) { d.image().ToneTips[2].noteFrequency(1) = 1200; })
                              << "A tone-tips n0 g3/0 f0 m34200 29100" << QStringList{};
    QTest::newRow("embedded message") << Change([](Document& d) { d.image().EmbeddedMessage[1].assign("HELLO"); })
                                      << "A messages n0 g-1/0 f1 m34200 20000" << QStringList{};
    QTest::newRow("current group") << Change([](Document& d) { d.image().OptFeat.Common1[common1::CurrentGroup] = 2; })
                                   << "A channel-table n0 g-1/0 f0 m34200 14050" << QStringList{};
    QTest::newRow("emergency channel")
        << Change([](Document& d) { d.image().OptFeat.Common1[common1::EmergencyChannelBase + 2 * 3 + 1] = 5; })
        << "A group n0 g3/0 f0 m34200 14053" << QStringList{};
    QTest::newRow("group name") << Change([](Document& d) { d.image().GroupNames[2].assign("ABC"); })
                                << "A group n0 g2/0 f0 m34200 14051" << QStringList{};
}

void TestRadioCompare::onlyWhatDiffersIsNamed()
{
    QFETCH(Change, radioChange);
    QFETCH(QString, key);
    QFETCH(QStringList, values);
    const Document doc = SmallDocument();
    Document held = doc;
    radioChange(held);
    const RadioComparison result = compareWithRadio(doc, link::encodeDocument(held));
    QVERIFY(!result.same());
    QStringList keys;
    for (const ConfigFinding& f : result.differences)
        keys << Key(f);
    QCOMPARE(keys, QStringList{key});
    if (!values.isEmpty())
        QCOMPARE(Values(result.differences.front()), values);
}

/// A difference in any channel option reads with the caption the editors
/// show, never the option's member name.
void TestRadioCompare::everyChannelOptionIsNamedByItsCaption()
{
    const Document doc = SmallDocument();
    for (const ChannelOption option : kChannelOptions) {
        Document held = doc;
        Int16& value = Ch(held, 2).option(option);
        value = static_cast<Int16>(value == 0 ? 1 : 0);
        for (const ConfigFinding& f : compareWithRadio(doc, link::encodeDocument(held)).differences) {
            QVERIFY2(!f.args.empty() && std::holds_alternative<TextId>(f.args[0]), qPrintable(Key(f)));
            QCOMPARE(f.field, optionFieldId(option));
        }
    }
}

void TestRadioCompare::fieldsTheRadioDoesNotStoreAreNeverReported()
{
    const Document plain = SmallDocument();
    Document doc = plain;
    // Values the data file keeps and the radio has no place for.
    doc.image().RadioList[0].Flag = 1;
    doc.image().RadioList[0].Frequency.assign("02712345");
    doc.image().TestFrequencies[3].First.assign("02800000");
    doc.image().KeySettings[2] = 5;
    doc.image().ScanSettings[1] = 9;
    doc.image().OptFeat.Common2[common2::SquelchLevel] = 7; // the radio keeps its own
    doc.image().OptFeat.Common2[common2::ChannelLock] ^= 1;
    Ch(doc, 1).RxStepClass = 2;
    Ch(doc, 1).option(ChannelOption::OptionalSignalling) = 1;
    Ch(doc, 2, true).option(ChannelOption::TxInhibit) = 1;
    QVERIFY(link::encodeDocument(doc) == link::encodeDocument(plain));
    // A radio written from the plain document holds what this one sends.
    const RadioComparison same = compareWithRadio(doc, link::encodeDocument(plain));
    QVERIFY(same.same());
    // And with a real difference, only that one is named.
    Document held = plain;
    Ch(held, 1).RxTone = 2;
    const RadioComparison one = compareWithRadio(doc, link::encodeDocument(held));
    QCOMPARE(one.differences.size(), std::size_t(1));
    QCOMPARE(Key(one.differences.front()), QString("A channel n1 g0/1 f4 m34200 15005"));
}

void TestRadioCompare::bytesNoFieldReadsNameTheirBlock()
{
    const Document doc = SmallDocument();
    link::RadioMemory radio = link::encodeDocument(doc);
    radio[0x0010 + 3] = 0x00; // channel 1's byte 3: never read
    const RadioComparison result = compareWithRadio(doc, radio);
    QCOMPARE(result.differingBlocks, std::vector<long>{0x0010});
    QCOMPARE(result.differences.size(), std::size_t(1));
    QCOMPARE(Key(result.differences.front()), QString("A memory n0 g-1/0 f16 m34203 0x0010"));
}

void TestRadioCompare::theDocumentIsNotChanged()
{
    const Document doc = SmallDocument();
    Document compared = doc;
    Document held = doc;
    Ch(held, 2).RxTone = 3;
    (void)compareWithRadio(compared, link::encodeDocument(held));
    QVERIFY(compared.working.Settings == doc.working.Settings);
    QVERIFY(compared.active() == doc.active());
    QVERIFY(compared.standby() == doc.standby());
}

QTEST_APPLESS_MAIN(TestRadioCompare)
#include "test_radio_compare.moc"
