// The whole configuration as JSON: any image goes out and comes back as the
// same data file byte for byte, and bad values are refused with their place
// in the file.

#include "config_json.h"
#include "channel_fixture.h"
#include "image_fields.h"
#include "image_layout.h"
#include "json_value.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <numeric>

using namespace zav;
using namespace zav::test;

namespace {

/// Fills every field with values of every kind a file may hold: digits,
/// padded ASCII, GBK characters, bytes that are no GBK, any number.
struct RandomFiller {
    QRandomGenerator* random;

    int pick(int n) { return static_cast<int>(random->bounded(n)); }

    void operator()(const char*, Int16& v) { v = static_cast<Int16>(pick(65536) - 32768); }
    void operator()(const char*, std::uint8_t& v) { v = static_cast<std::uint8_t>(pick(256)); }
    template <std::size_t N>
    void operator()(const char*, FixedText<N>& t)
    {
        std::string bytes;
        switch (pick(6)) {
        case 0: break; // all NUL
        case 1: for (std::size_t k = 0; k < N; ++k) bytes.push_back(static_cast<char>('0' + pick(10))); t.assign(bytes); return;
        case 2: bytes = std::string("AB1*#").substr(0, std::min<std::size_t>(N, 1 + pick(5))); t.assign(bytes); return;
        case 3: bytes = N >= 4 ? "\xD6\xD0\xCE\xC4" : "Z"; t.assign(bytes); return;
        case 4: t.assign(std::string("x") + std::string(1, '\0') + "junk"); return;
        default: for (std::size_t k = 0; k < N; ++k) t.bytes[k] = static_cast<char>(pick(256)); return;
        }
        t.bytes.fill('\0');
    }
    template <class T, std::size_t N>
    void operator()(const char* name, std::array<T, N>& a)
    {
        for (T& v : a)
            (*this)(name, v);
    }
    template <class R, class F>
    void record(const char*, R& r, F fn) { fn(*this, r); }
    template <class R, std::size_t N, class F>
    void records(const char*, std::array<R, N>& rs, F fn)
    {
        for (R& r : rs)
            fn(*this, r);
    }
};

void RandomTable(QRandomGenerator& random, ChannelTable& table, Int16& count, bool readable)
{
    RandomFiller fill{&random};
    std::vector<int> numbers(kChannelSlots);
    std::iota(numbers.begin(), numbers.end(), 1);
    std::shuffle(numbers.begin(), numbers.end(), std::mt19937(random.generate()));
    count = static_cast<Int16>(1 + fill.pick(kChannelSlots));
    for (int i = 0; i < kChannelSlots; ++i) {
        ChannelRecord& r = table[static_cast<std::size_t>(i)];
        if (i >= count && fill.pick(3) > 0)
            continue; // most unused slots stay blank
        visitChannelFields(fill, r);
        if (readable) { // the values the editors store, so the readable forms are used
            r.RxTone = static_cast<Int16>(fill.pick(265));
            r.TxTone = static_cast<Int16>(fill.pick(265));
            using enum ChannelOption;
            for (ChannelOption option : {ScanSkip, OptionalSignalling, Spacing, PttId, BusyLockout, ReverseOrTalkAround,
                                         BotCode, SignallingRelation, RogerBeep, Modulation, RepeaterShift})
                r.option(option) = static_cast<Int16>(fill.pick(3));
            r.OffsetDirection = static_cast<std::uint8_t>(fill.pick(3));
        }
        if (i < count)
            r.Number = static_cast<Int16>(numbers[static_cast<std::size_t>(i)]);
    }
}

/// The bytes saving the document would write.
Bytes SavedBytes(const Document& doc)
{
    Document next = doc;
    next.copyWorkingToSaved();
    return writeFullImage(next.saved);
}

QStringList Messages(const ConfigImportResult& result)
{
    QStringList out;
    for (const JsonProblem& p : result.problems)
        out << QString::fromStdString(p.message());
    return out;
}

/// The JSON of a new document, with one value replaced.
std::string Edited(const std::string& from, const std::string& to)
{
    Document doc;
    NewDocument(doc, kExtendedMode, {{1, "02700000"}, {41, "02740000"}});
    std::string json = exportConfigJson(doc);
    const std::size_t at = json.find(from);
    if (at == std::string::npos)
        return "not found: " + from;
    json.replace(at, from.size(), to);
    return json;
}

} // namespace

class TestConfigJson : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("seed");
        QTest::addColumn<bool>("readable");
        for (int seed = 1; seed <= 5; ++seed) {
            QTest::newRow(qPrintable(QString("country %1").arg(seed))) << 0 << seed << true;
            QTest::newRow(qPrintable(QString("extended %1").arg(seed))) << int(kExtendedMode) << seed << true;
            QTest::newRow(qPrintable(QString("any bytes %1").arg(seed))) << int(kExtendedMode) << seed << false;
        }
    }
    void roundTrip()
    {
        QFETCH(int, mode);
        QFETCH(int, seed);
        QFETCH(bool, readable);
        QRandomGenerator random(static_cast<quint32>(seed));
        RandomFiller fill{&random};
        Document doc;
        ImageSet set;
        visitRadioImageFields(fill, set.Settings);
        set.Settings.ChannelMode = static_cast<Int16>(mode);
        set.Settings.Header.Model.assign(kProgramModel);
        set.Settings.Header.BandCode = 0;
        set.Settings.Header.Version.assign(kProgramImageVersion);
        RandomTable(random, set.ActiveChannels, set.Settings.ChannelCount, readable);
        RandomTable(random, set.StandbyChannels, set.Settings.StandbyChannelCount, readable);
        doc.saved = set;
        doc.copySavedToWorking();
        const Bytes before = SavedBytes(doc);

        const std::string json = exportConfigJson(doc);
        Document back;
        const ConfigImportResult result = importConfigJson(back, json);
        QVERIFY2(result.ok(), qPrintable(Messages(result).join('\n')));
        QVERIFY(SavedBytes(back) == before);
        QCOMPARE(exportConfigJson(back), json);
    }

    void readableForms()
    {
        Document doc;
        NewDocument(doc, kExtendedMode, {{41, "02740000"}});
        ChannelRecord& r = doc.active()[0];
        r.Offset.assign("0060000");
        r.OffsetDirection = 1;
        r.RxTone = 13;
        r.option(ChannelOption::Spacing) = 2;
        doc.image().DtmfSettings.CodeMemories[0].Code.assign("12EF");
        doc.image().EmbeddedMessage[0].assign("\xD6\xD0\xCE\xC4");
        doc.image().EmbeddedMessage[1].assign(std::string("\xFF\xFE", 2));
        const std::string json = exportConfigJson(doc);
        // Settings go by what they are, not by their member names.
        for (const char* expected : {"\"optional features\": {", "\"power-on text\": ", "\"code memories\": [",
                                     "\"shared channel settings\": {", "\"busy lockout\": ",
                                     "\"other mode's settings\": [", "\"channel mode\": 4",
                                     "\"receive MHz\": \"27.40000\"", "\"offset MHz\": \"0.60000\"",
                                     "\"offset direction\": \"minus\"", "\"receive tone\": \"100.0\"",
                                     "\"spacing\": \"Narrow\"", "\"digits\": \"12*#\"", "\"\xE4\xB8\xAD\xE6\x96\x87\"",
                                     "\"bytes\": \"FF FE 20 20 20 20 20 20 20 20 20 20 20 20 20 20\""}) {
            QVERIFY2(json.find(expected) != std::string::npos, expected);
        }
    }

    /// Damaged files are read without harm: imported or refused, and a
    /// refused one leaves the document as it was.
    void damagedFilesAreHarmless()
    {
        QRandomGenerator random(11);
        Document source;
        NewDocument(source, kExtendedMode, {{1, "02700000"}, {41, "02740000"}});
        const std::string json = exportConfigJson(source);
        const char alphabet[] = "{}[],:\"\\ -.0123456789eEuU";
        for (int round = 0; round < 200; ++round) {
            std::string damaged = json;
            for (int k = 0, edits = 1 + static_cast<int>(random.bounded(6)); k < edits; ++k) {
                const auto at = static_cast<std::size_t>(random.bounded(static_cast<int>(damaged.size())));
                const char c = random.bounded(4) == 0 ? static_cast<char>(random.bounded(256))
                                                      : alphabet[random.bounded(static_cast<int>(sizeof alphabet - 1))];
                switch (random.bounded(3)) {
                case 0: damaged[at] = c; break;
                case 1: damaged.erase(at, 1 + static_cast<std::size_t>(random.bounded(60))); break;
                default: damaged.insert(at, 1, c); break;
                }
            }
            Document doc = source;
            const ImageSet before = doc.working;
            if (!importConfigJson(doc, damaged).ok()) {
                QVERIFY(doc.working.Settings == before.Settings);
                QVERIFY(doc.active() == before.ActiveChannels);
            }
        }
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("want");
        QTest::newRow("not JSON") << "\"file\"" << "file" << "$: line 2, column 3: expected a member name in quotes";
        QTest::newRow("another file") << "zavprog configuration" << "notes"
                                      << "$.file: needs \"zavprog configuration\": this is not a configuration file";
        QTest::newRow("frequency") << "\"receive MHz\": \"27.40000\"" << "\"receive MHz\": \"27.4x\""
                                   << "$.active channels[1].receive MHz: \"27.4x\" is not a frequency in MHz (such as \"27.40000\")";
        QTest::newRow("frequency too fine") << "\"receive MHz\": \"27.40000\"" << "\"receive MHz\": \"27.400001\""
                                            << "$.active channels[1].receive MHz: \"27.400001\" is finer than 10 Hz";
        QTest::newRow("tone") << "\"receive tone\": \"OFF\"" << "\"receive tone\": \"66.6\""
                              << "$.active channels[0].receive tone: \"66.6\" is not a tone (OFF, 67.0 .. 254.1, D017N .. D754I)";
        QTest::newRow("option") << "\"spacing\": \"Wide\"" << "\"spacing\": \"Huge\""
                                << "$.active channels[0].spacing: \"Huge\" is not one of Wide, Middle, Narrow";
        QTest::newRow("number range") << "\"channel mode\": 4" << "\"channel mode\": 40000"
                                      << "$.settings.channel mode: 40000 is outside -32768..32767";
        QTest::newRow("not whole") << "\"channel mode\": 4" << "\"channel mode\": 4.5"
                                   << "$.settings.channel mode: 4.5 is not a whole number";
        QTest::newRow("named position") << "\"TOT time\": " << "\"TOT time\": \"x\", \"was\": "
                                        << "$.settings.optional features.common settings 1.TOT time: \"x\" is not a whole number";
        QTest::newRow("named list") << "\"reset modes\": [" << "\"reset modes\": [1, "
                                    << "$.settings.optional features.common settings 1.reset modes: needs a list of 6 values";
        QTest::newRow("missing member") << "\"channel mode\": 4," << ""
                                        << "$.settings.channel mode: missing";
        QTest::newRow("text too long") << "\"power-on text\": \"" << "\"power-on text\": \"12345678901234567"
                                       << "$.settings.optional features.power-on text: takes too many bytes";
        QTest::newRow("DTMF digit") << "\"ID code\": \"" << "\"ID code\": \"12G"
                                    << "$.settings.DTMF.ID code: not DTMF digits";
        QTest::newRow("duplicate channel") << "\"channel number\": 41" << "\"channel number\": 1"
                                           << "$: channel numbers must lie in 1..521 and differ within each table";
        // What the program would refuse to open is refused here, at its place.
        const QString model = "$.settings.identity.model: \"ZAV416\" is not the model of this program (ZAV415)";
        QTest::newRow("another model") << "\"model\": \"ZAV415\"" << "\"model\": \"ZAV416\"" << model;
        QTest::newRow("a band of no model") << "\"band code\": 0" << "\"band code\": 1"
                                            << "$.settings.identity.band code: 1 is not a band of ZAV415 (0)";
        const char* const notAVersion = "is not a version (\"V\" and three digits, such as \"V300\")";
        for (const char* version : {"ABCD", "", "v300", "V30"})
            QTest::newRow(qPrintable(QString("version \"%1\"").arg(version)))
                << "\"version\": \"V300\"" << QString("\"version\": \"%1\"").arg(version)
                << QString("$.settings.identity.version: \"%1\" %2").arg(version, notAVersion);
        QTest::newRow("a version this program cannot open")
            << "\"version\": \"V300\"" << "\"version\": \"V999\""
            << "$.settings.identity.version: \"V999\" is a version this program cannot open (V300)";
    }
    /// Records behind the table's channels come back into their slots; a
    /// slot that is a used channel's, or past the table, is refused and
    /// nothing changes.
    void unusedSlotBounds_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("the last channel's slot") << 2 << false;
        QTest::newRow("the first slot behind the channels") << 3 << true;
        QTest::newRow("the table's last slot") << 521 << true;
        QTest::newRow("past the table") << 522 << false;
        QTest::newRow("no slot") << 0 << false;
    }
    void unusedSlotBounds()
    {
        QFETCH(int, slot);
        QFETCH(bool, accepted);
        Document source;
        NewDocument(source, kExtendedMode, {{1, "02700000"}, {41, "02740000"}});
        source.active()[2].Number = 77; // a record kept behind the two channels
        source.active()[2].RxTone = 9;
        std::string json = exportConfigJson(source);
        const std::size_t at = json.find("\"slot\": 3");
        QVERIFY(at != std::string::npos);
        json.replace(at, 9, "\"slot\": " + std::to_string(slot));

        Document doc;
        NewDocument(doc, 0, {{5, "02700000"}});
        const ImageSet before = doc.working;
        const ConfigImportResult result = importConfigJson(doc, json);
        QCOMPARE(result.ok(), accepted);
        if (!accepted) {
            QCOMPARE(QString::fromStdString(result.problems.front().path), QString("$.unused active slots[0].slot"));
            QVERIFY(doc.working.Settings == before.Settings);
            QVERIFY(doc.active() == before.ActiveChannels);
            return;
        }
        QCOMPARE(doc.activeCount(), 2);
        QCOMPARE(int(doc.active()[1].Number), 41); // the channels are untouched
        QCOMPARE(int(doc.active()[static_cast<std::size_t>(slot - 1)].Number), 77);
        QCOMPARE(int(doc.active()[static_cast<std::size_t>(slot - 1)].RxTone), 9);
    }

    void refusals()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, want);
        const std::string json = Edited(from.toStdString(), to.toStdString());
        QVERIFY2(!json.starts_with("not found"), json.c_str());
        Document doc;
        NewDocument(doc, 0, {{1, "02700000"}});
        const ImageSet before = doc.working;
        const ConfigImportResult result = importConfigJson(doc, json);
        QVERIFY(!result.ok());
        const QString got = QString::fromStdString(result.problems.front().message());
        if (want.endsWith("too many bytes") || want.endsWith("not DTMF digits")) {
            const QString place = want.left(want.indexOf(':'));
            QVERIFY2(got.startsWith(place + ": \""), qPrintable(got));
        } else {
            QCOMPARE(got, want);
        }
        QVERIFY(doc.working.Settings == before.Settings);
        QVERIFY(doc.active() == before.ActiveChannels);
    }
};

QTEST_APPLESS_MAIN(TestConfigJson)
#include "test_config_json.moc"
