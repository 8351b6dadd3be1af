// The check before a write, as a table: one change to a clean document and
// exactly the findings it must give (level, table, area, where, field,
// text id). Expected values follow from the radio's memory layout, the band,
// the raster and the editors' lists, not from running the checker.

#include "channel_groups.h"
#include "channel_writes.h"
#include "config_check.h"
#include "defaults.h"
#include "document.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <functional>

using namespace zav;

using Change = std::function<void(Document&)>;
Q_DECLARE_METATYPE(Change)

namespace {

ChannelTable& Table(Document& doc, bool standby) { return standby ? doc.standby() : doc.active(); }
Int16& Count(Document& doc, bool standby)
{
    return standby ? doc.image().StandbyChannelCount : doc.image().ChannelCount;
}

void Add(Document& doc, int number, const char* stored, bool standby = false)
{
    ChannelRecord& r = Table(doc, standby)[static_cast<std::size_t>(Count(doc, standby)++)];
    r = ChannelRecord{};
    r.Number = static_cast<Int16>(number);
    r.RxFrequency.assign(stored);
}

ChannelRecord& Ch(Document& doc, int number, bool standby = false)
{
    return Table(doc, standby)[static_cast<std::size_t>(doc.findChannelByNumber(static_cast<Int16>(number), standby))];
}

void Remove(Document& doc, int number) { removeChannelAt(doc, doc.findChannelByNumber(static_cast<Int16>(number))); }

/// A new document with the first channel of every group of both channel
/// modes (country active, extended standby) and the VFO slot, all on the
/// raster inside the band: nothing to find.
Document CleanDocument()
{
    Document doc;
    buildNewDocument(doc, std::string(), TemplateVariant::NewDocument);
    for (bool standby : {false, true}) {
        const Int16 mode = standby ? Int16{kExtendedMode} : Int16{0};
        Count(doc, standby) = 0;
        for (int g = 0; g < groupCount(mode); ++g) {
            if (isExtendedMode(mode) && g == kVfoGroup)
                continue;
            std::string stored = std::to_string(2600000 + 10000 * g); // 26.00 MHz + 100 kHz steps
            stored.insert(0, 8 - stored.size(), '0');
            Add(doc, groupBase(g, mode) + 1, stored.c_str(), standby);
        }
        Add(doc, kChannelSlots, "02786000", standby);
    }
    // A new document leaves the voice volume at 0, below its list (the
    // optional-features window puts it back on 1).
    doc.image().OptFeat.Common2[common2::VoiceVolume] = 1;
    return doc;
}

QString Key(const ConfigFinding& f)
{
    static const char* const areas[] = {"channel", "group", "optional-features", "channel-table"};
    static const char* const levels = "EWI";
    return QString("%1 %2 %3 n%4 g%5/%6 f%7 m%8")
        .arg(QChar(levels[static_cast<int>(f.level)]))
        .arg(f.standby ? "S" : "A")
        .arg(areas[static_cast<int>(f.area)])
        .arg(f.number)
        .arg(f.group)
        .arg(f.numberInGroup)
        .arg(f.field)
        .arg(f.messageId);
}

QStringList Keys(const std::vector<ConfigFinding>& findings)
{
    QStringList keys;
    for (const ConfigFinding& f : findings)
        keys << Key(f);
    return keys;
}

/// The text ids of a language file of the source tree.
QSet<int> LanguageIds(const QString& name)
{
    QSet<int> ids;
    QFile f(qEnvironmentVariable("ZAV_SOURCE_DIR") + "/data/language/" + name);
    if (!f.open(QIODevice::ReadOnly))
        return ids;
    static const QRegularExpression key("^(\\d+)=");
    for (const QByteArray& line : f.readAll().split('\n')) {
        const QRegularExpressionMatch m = key.match(QString::fromUtf8(line));
        if (m.hasMatch())
            ids.insert(m.captured(1).toInt());
    }
    return ids;
}

} // namespace

class TestConfigCheck : public QObject {
    Q_OBJECT
private slots:
    void findings_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QStringList>("expected");
        auto row = [](const char* name, Change change, QStringList expected) {
            QTest::newRow(name) << change << expected;
        };
        auto rx = [](int number, const char* stored) {
            return [=](Document& d) { Ch(d, number).RxFrequency.assign(stored); };
        };

        row("clean document", [](Document&) {}, {});

        // Receive frequencies: what the radio's 16-bit kHz field gets.
        row("65.536 MHz does not fit the kHz field", rx(1, "06553600"), {"E A channel n1 g0/1 f1 m32621"});
        row("65.535 MHz fits, outside the band", rx(1, "06553500"), {"E A channel n1 g0/1 f1 m32622"});
        row("not digits", rx(1, "27.86000"), {"E A channel n1 g0/1 f1 m32620"});
        row("lower band limit", rx(1, "02561500"), {});
        row("upper band limit", rx(1, "03010500"), {});
        row("just above the band", rx(1, "03011000"), {"E A channel n1 g0/1 f1 m32622"});
        row("just below the band", rx(1, "02561000"), {"E A channel n1 g0/1 f1 m32622"});
        row("10 Hz digits are lost", rx(1, "02786050"), {"E A channel n1 g0/1 f1 m32623"});
        row("a kHz count ending in 2 reads back as ...125", rx(1, "02786200"), {"E A channel n1 g0/1 f1 m32623"});
        row("off the 5 kHz raster", rx(1, "02786300"), {"W A channel n1 g0/1 f1 m32640"});
        row("12.5 kHz step outside group 6", rx(1, "02760125"), {"W A channel n1 g0/1 f1 m32640"});
        row("12.5 kHz step in group 6", rx(321, "02760125"), {});
        row("same frequency twice in a group", [](Document& d) { Add(d, 2, "02600000"); },
            {"W A channel n2 g0/2 f1 m32642"});
        row("same frequency in two groups", rx(41, "02600000"), {});
        row("empty record", [](Document& d) { Add(d, 2, "FFFFFFFF"); }, {"I A channel n2 g0/2 f1 m32652"});
        row("channel in no country group", [](Document& d) { Add(d, 400, "02700000"); },
            {"I A channel n400 g-1/0 f0 m32650"});

        // Transmit frequency: receive frequency and signed offset.
        auto tx = [](const char* rxStored, const char* offset, int direction) {
            return [=](Document& d) {
                ChannelRecord& r = Ch(d, 1);
                r.RxFrequency.assign(rxStored);
                r.Offset.assign(offset);
                r.OffsetDirection = static_cast<std::uint8_t>(direction);
            };
        };
        row("transmit above the band", tx("03000000", "0060000", 2), {"E A channel n1 g0/1 f2 m32624"});
        row("transmit inside the band", tx("03000000", "0060000", 1), {});
        row("transmit off the raster", tx("03000000", "0000300", 1), {"W A channel n1 g0/1 f2 m32641"});
        row("offset direction outside its list", tx("03000000", "0060000", 3), {"E A channel n1 g0/1 f2 m32625"});
        row("offset direction outside its list on an empty record", tx("FFFFFFFF", "0060000", 3),
            {"I A channel n1 g0/1 f1 m32652", "E A channel n1 g0/1 f2 m32625"});

        // Tones and per-channel lists.
        auto set = [](Int16 ChannelRecord::*member, int value) {
            return [=](Document& d) { Ch(d, 1).*member = static_cast<Int16>(value); };
        };
        row("receive tone 265", set(&ChannelRecord::RxTone, 265), {"E A channel n1 g0/1 f4 m32625"});
        row("receive tone -1", set(&ChannelRecord::RxTone, -1), {"E A channel n1 g0/1 f4 m32625"});
        row("receive tone 264", set(&ChannelRecord::RxTone, 264), {});
        row("transmit tone 300", set(&ChannelRecord::TxTone, 300), {"E A channel n1 g0/1 f5 m32625"});
        row("scan skip 2", set(&ChannelRecord::Option7, 2), {"E A channel n1 g0/1 f7 m32625"});
        row("channel spacing 3", set(&ChannelRecord::Option9, 3), {"E A channel n1 g0/1 f9 m32625"});
        row("channel spacing 2", set(&ChannelRecord::Option9, 2), {});
        row("repeater shift 3", set(&ChannelRecord::Option29, 3), {"E A channel n1 g0/1 f29 m32625"});
        row("busy lockout 4", set(&ChannelRecord::Option11, 4), {"E A channel n1 g0/1 f11 m32625"});
        row("busy lockout on tone, tone off", set(&ChannelRecord::Option11, 2), {"I A channel n1 g0/1 f11 m32651"});
        row("busy lockout on tone, tone on",
            [](Document& d) {
                Ch(d, 1).option(ChannelOption::BusyLockout) = 2;
                Ch(d, 1).RxTone = 5;
            },
            {});
        row("busy lockout follows the transmit tone when reversed",
            [](Document& d) {
                Ch(d, 1).option(ChannelOption::BusyLockout) = 2;
                Ch(d, 1).RxTone = 5;
                Ch(d, 1).option(ChannelOption::Reverse) = 1;
            },
            {"I A channel n1 g0/1 f11 m32651"});

        // References to DTMF memories and tone tips (tips 1..5 are defined
        // in a new document, 6..8 are not; no memory holds a code).
        row("BOT code of an empty memory", set(&ChannelRecord::Option13, 3), {"E A channel n1 g0/1 f13 m32626"});
        row("BOT code of a memory with a code",
            [](Document& d) {
                Ch(d, 1).option(ChannelOption::BotCode) = 3;
                d.image().DtmfSettings.CodeMemories[2].Length = 2;
                d.image().DtmfSettings.CodeMemories[2].Code.assign("12");
            },
            {});
        row("EOT code 17", set(&ChannelRecord::Option22, 17), {"E A channel n1 g0/1 f22 m32625"});
        row("call code of an empty memory", set(&ChannelRecord::Option28, 16), {"E A channel n1 g0/1 f28 m32626"});
        row("roger beep of an undefined tone tip", set(&ChannelRecord::Option23, 8), {"E A channel n1 g0/1 f23 m32627"});
        row("roger beep of a defined tone tip", set(&ChannelRecord::Option23, 1), {});
        row("roger beep 9", set(&ChannelRecord::Option23, 9), {"E A channel n1 g0/1 f23 m32625"});

        // The table as a whole.
        row("channel number twice", [](Document& d) { Add(d, 1, "02700000"); }, {"E A channel n1 g0/1 f131 m32630"});
        row("record within the count without a number", [](Document& d) { Add(d, 0, "02700000"); },
            {"E A channel-table n0 g-1/0 f131 m32631"});
        row("channel count above 521", [](Document& d) { d.image().ChannelCount = 522; },
            {"E A channel-table n0 g-1/0 f130 m32632"});

        // Groups: emergency channels and groups the radio offers empty.
        auto c1 = [](int position, int value) {
            return [=](Document& d) { d.image().OptFeat.Common1[static_cast<std::size_t>(position)] = static_cast<Int16>(value); };
        };
        row("emergency channel on an empty slot", c1(9, 10), {"E A group n0 g0/0 f100 m32628"});
        row("emergency channel on a channel", c1(9, 1), {});
        row("emergency channel beyond its group", c1(10, 41), {"E A group n0 g0/0 f101 m32629"});
        row("emergency channel 41 of an 80-channel group", c1(9 + 2 * 2, 41), {"E A group n0 g2/0 f100 m32628"});
        row("emergency AM/FM 2", c1(33, 2), {"E A group n0 g0/0 f110 m32625"});
        row("standby emergency channel on an empty slot",
            [](Document& d) { d.image().StandbySettings[16 + 2 * 3] = 2; }, {"E S group n0 g3/0 f100 m32628"});
        row("empty group", [](Document& d) { Remove(d, 201); }, {"W A group n0 g4/0 f0 m32643"});
        row("the radio starts in an empty group", [](Document& d) { Remove(d, 161); }, {"W A group n0 g3/0 f120 m32644"});
        row("start group outside the list", c1(1, 7), {"E A group n0 g-1/0 f120 m32625"});

        // The standby set is sent too, in its own mode's groups.
        row("standby receive tone 300", [](Document& d) { Ch(d, 41, true).RxTone = 300; },
            {"E S channel n41 g1/1 f4 m32625"});
        row("standby channel 401 lies in no extended group", [](Document& d) { Add(d, 401, "02700000", true); },
            {"I S channel n401 g-1/0 f0 m32650"});

        // Optional features.
        // Of the second settings block only "frequency changeable" reaches
        // the radio: a bad value elsewhere there is only worth a look.
        row("squelch level 10", [](Document& d) { d.image().OptFeat.Common2[0] = 10; },
            {"I A optional-features n0 g-1/0 f0 m32625"});
        row("voice volume 0", [](Document& d) { d.image().OptFeat.Common2[common2::VoiceVolume] = 0; },
            {"I A optional-features n0 g-1/0 f11 m32625"});
        row("frequency changeable 2", [](Document& d) { d.image().OptFeat.Common2[common2::FreqChangeable] = 2; },
            {"E A optional-features n0 g-1/0 f39 m32625"});
        row("key beep 2", c1(common1::KeyBeep, 2), {"E A optional-features n0 g-1/0 f38 m32625"});
        row("time-out timer 615 s", c1(0, 615), {"E A optional-features n0 g-1/0 f4 m32625"});
        row("time-out timer 600 s", c1(0, 600), {});
        row("common decode tone 283", [](Document& d) { d.image().OptFeat.decodeTone() = 283; },
            {"E A optional-features n0 g-1/0 f29 m32625"});
        row("common BOT code of an empty memory", [](Document& d) { d.image().OptFeat.botCode() = 5; },
            {"E A optional-features n0 g-1/0 f32 m32626"});
        row("common roger beep of an undefined tip", [](Document& d) { d.image().OptFeat.rogerBeep() = 7; },
            {"E A optional-features n0 g-1/0 f35 m32627"});
        row("VOX box 2", [](Document& d) { d.image().OptFeat.Common2[common2::Vox] = 2; },
            {"I A optional-features n0 g-1/0 f100 m32625"});
        row("common receive expander 2",
            [](Document& d) { d.image().OptFeat.feature(OptionalFeature::RxExpander) = 2; },
            {"E A optional-features n0 g-1/0 f108 m32625"});

        // The file a dealer should not send: four errors, each at its place.
        row("several errors",
            [](Document& d) {
                Add(d, 2, "06553600");
                Add(d, 3, "03100000");
                Add(d, 4, "02700000");
                Ch(d, 4).RxTone = 300;
                d.image().OptFeat.Common1[9] = 10;
            },
            {"E A channel n2 g0/2 f1 m32621", "E A channel n3 g0/3 f1 m32622", "E A channel n4 g0/4 f4 m32625",
             "E A group n0 g0/0 f100 m32628"});
    }

    void findings()
    {
        QFETCH(Change, change);
        QFETCH(QStringList, expected);
        Document doc = CleanDocument();
        change(doc);
        const std::vector<ConfigFinding> found = checkConfiguration(doc);
        QCOMPARE(Keys(found), expected);
        QCOMPARE(hasErrors(found), !expected.filter(QRegularExpression("^E ")).isEmpty());

        // Every text a finding is told with exists in both languages.
        for (const char* file : {"english.ini", "chinese.ini"}) {
            const QSet<int> ids = LanguageIds(file);
            QVERIFY2(!ids.isEmpty(), file);
            QStringList missing;
            const TextLookup lookup = [&](int id) {
                if (!ids.contains(id))
                    missing << QString::number(id);
                return std::string("text");
            };
            for (const ConfigFinding& f : found)
                (void)(levelText(f.level, lookup) + whereText(f, lookup) + messageText(f, lookup));
            QVERIFY2(missing.isEmpty(), qPrintable(QString(file) + ": " + missing.join(' ')));
        }
    }

    // The texts come from the language in use; arguments that are text ids
    // are looked up, literal ones put in as they are (never read again as
    // placeholders).
    void texts()
    {
        ConfigFinding f;
        f.level = FindingLevel::Error;
        f.area = FindingArea::Channel;
        f.number = 83;
        f.group = 2;
        f.numberInGroup = 3;
        f.messageId = 32625;
        f.args = {TextId{15005}, std::string("%2"), std::string("0"), std::string("264")};
        const TextLookup text = [](int id) -> std::string {
            switch (id) {
            case 32600: return "error";
            case 32603: return "channel %1 (group %2, number %3)";
            case 32604: return "standby channel %1 (group %2, number %3)";
            case 32625: return "%1 has the value %2, not in (%3 to %4).";
            case 15005: return "Decode";
            default: return "";
            }
        };
        QCOMPARE(levelText(f.level, text), std::string("error"));
        QCOMPARE(whereText(f, text), std::string("channel 83 (group 2, number 3)"));
        QCOMPARE(messageText(f, text), std::string("Decode has the value %2, not in (0 to 264)."));
        f.standby = true;
        QCOMPARE(whereText(f, text), std::string("standby channel 83 (group 2, number 3)"));
        // A missing text still says which one is missing.
        f.messageId = 32699;
        QCOMPARE(messageText(f, text), std::string("text 32699"));
    }
};

QTEST_GUILESS_MAIN(TestConfigCheck)
#include "test_config_check.moc"
