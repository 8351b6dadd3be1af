// The channel table as CSV: what is written, that it reads back into the
// same channels, and that every row is checked as a typed value would be,
// with nothing changed when one row is refused.

#include "bulk_edits.h"
#include "channel_columns.h"
#include "channel_csv.h"
#include "channel_fixture.h"
#include "channel_writes.h"
#include "codecs.h"
#include "config_json.h"
#include "image_layout.h"
#include "scripted_edits.h"
#include "text_catalog.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <map>
#include <set>
#include <string>

using namespace zav;
using namespace zav::test;

namespace {

constexpr long long kLowCounts = 2561500;  // 25.615 MHz in 10 Hz units
constexpr long long kHighCounts = 3010500; // 30.105 MHz

std::string Digits(long long value, int width)
{
    std::string s = std::to_string(value);
    s.insert(0, static_cast<std::size_t>(width) - s.size(), '0');
    return s;
}

int Pick(QRandomGenerator& random, int size) { return static_cast<int>(random.bounded(size)); }

/// A channel as the editors could have left it: receive frequency on the
/// 5 kHz raster, any offset, any tones, every option inside its list.
ChannelRecord RandomChannel(QRandomGenerator& random, int number)
{
    ChannelRecord r;
    r.Number = static_cast<Int16>(number);
    r.RxFrequency.assign(Digits(kLowCounts + 500LL * Pick(random, static_cast<int>((kHighCounts - kLowCounts) / 500 + 1)), 8));
    r.OffsetDirection = static_cast<std::uint8_t>(Pick(random, 3));
    if (r.OffsetDirection != 0 || Pick(random, 2) == 0)
        r.Offset.assign(Digits(Pick(random, 2) == 0 ? 60000 : 1 + Pick(random, 999999), 7));
    else
        r.Offset = FixedText<7>{};
    r.RxTone = static_cast<Int16>(Pick(random, kToneCount));
    r.TxTone = static_cast<Int16>(Pick(random, kToneCount));
    for (const OptionColumn& column : optionColumns()) {
        const int choices = static_cast<int>(column.entries.size()) + column.numberedUpTo;
        r.option(column.option) = static_cast<Int16>(Pick(random, choices));
    }
    const Int16 governing = r.option(ChannelOption::Reverse) != 0 ? r.TxTone : r.RxTone;
    r.option(ChannelOption::BusyLockout) = static_cast<Int16>(Pick(random, governing != 0 ? 3 : 2));
    recomputeStepClasses(r, BandLimits{25.615, 30.105});
    return r;
}

/// A document of the mode whose table holds a random choice of slots, the
/// numbers no group of the mode reaches among them (a radio may hold them).
void RandomDocument(Document& doc, Int16 mode, QRandomGenerator& random)
{
    NewDocument(doc, mode, {});
    int count = 0;
    for (int number = 1; number <= kChannelSlots; ++number) {
        if (Pick(random, 4) == 0 || count == 0)
            doc.active()[static_cast<std::size_t>(count++)] = RandomChannel(random, number);
    }
    doc.image().ChannelCount = static_cast<Int16>(count);
    // Emergency channels point at channels the table holds, or nowhere.
    for (int g = 0; g < groupCount(mode); ++g)
        recheckEmergencyChannels(doc, g);
    doc.copyWorkingToSaved();
}

/// The same channels with every column but the frequencies and the offset
/// changed: what a country-mode import may change.
void ScrambleOtherColumns(Document& doc, QRandomGenerator& random)
{
    for (int i = 0; i < doc.activeCount(); ++i) {
        ChannelRecord& r = doc.active()[static_cast<std::size_t>(i)];
        const ChannelRecord other = RandomChannel(random, r.Number);
        r.RxTone = other.RxTone;
        r.TxTone = other.TxTone;
        for (const OptionColumn& column : optionColumns())
            r.option(column.option) = other.option(column.option);
        r.option(ChannelOption::BusyLockout) = 0;
    }
}

/// The used records of doc by channel number.
std::map<int, ChannelRecord> ByNumber(const Document& doc)
{
    std::map<int, ChannelRecord> out;
    for (int i = 0; i < doc.activeCount(); ++i)
        out[doc.active()[static_cast<std::size_t>(i)].Number] = doc.active()[static_cast<std::size_t>(i)];
    return out;
}

const char* const kHeader = "group,position in group,channel number,receive MHz,offset MHz,receive tone,transmit tone,"
                            "busy lockout,roger beep\r\n";

QStringList Messages(const CsvImportResult& result)
{
    QStringList out;
    for (const CsvProblem& p : result.problems)
        out << QString::fromStdString(p.message());
    return out;
}

} // namespace

class TestChannelCsv : public QObject {
    Q_OBJECT
private slots:
    /// Export and import again is the identity, in both modes, channels
    /// outside every group included: in extended mode into another
    /// document (the import replaces its table), in country mode into one
    /// with the same channels whose other columns differ (an import there
    /// changes only those).
    void roundTrip_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("seed");
        for (int seed = 1; seed <= 40; ++seed) {
            QTest::newRow(qPrintable(QString("country %1").arg(seed))) << 0 << seed;
            QTest::newRow(qPrintable(QString("extended %1").arg(seed))) << int(kExtendedMode) << seed;
        }
    }
    void roundTrip()
    {
        QFETCH(int, mode);
        QFETCH(int, seed);
        QRandomGenerator random(static_cast<quint32>(seed));
        Document source;
        RandomDocument(source, static_cast<Int16>(mode), random);
        const std::string csv = exportChannelsCsv(source);

        Document target;
        if (isExtendedMode(static_cast<Int16>(mode))) {
            NewDocument(target, static_cast<Int16>(mode), {{1, "02700000"}, {487, "02900000"}});
        } else {
            target = source;
            ScrambleOtherColumns(target, random);
        }
        const ImageSet before = target.working;
        const CsvImportResult result = importChannelsCsv(target, csv);
        QVERIFY2(result.ok(), qPrintable(Messages(result).join('\n')));
        QCOMPARE(result.channels, source.activeCount());
        QVERIFY(ByNumber(target) == ByNumber(source));
        QVERIFY(target.standby() == before.StandbyChannels);
        QCOMPARE(exportChannelsCsv(target), csv);
        if (!isExtendedMode(static_cast<Int16>(mode)))
            QVERIFY(target.working.Settings == before.Settings);
    }

    /// Documents edited through the paths that change many channels at once
    /// (setting values on a selection, Fill Down, Clear, the command line's
    /// scripted edits) still export and import back to themselves, as CSV
    /// and as JSON, and a second export is the same as the first.
    void bulkEditedDocumentsRoundTrip_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("seed");
        for (int seed = 1; seed <= 20; ++seed) {
            QTest::newRow(qPrintable(QString("country %1").arg(seed))) << 0 << seed;
            QTest::newRow(qPrintable(QString("extended %1").arg(seed))) << int(kExtendedMode) << seed;
        }
    }
    void bulkEditedDocumentsRoundTrip()
    {
        QFETCH(int, mode);
        QFETCH(int, seed);
        QRandomGenerator random(static_cast<quint32>(seed));
        Document doc;
        RandomDocument(doc, static_cast<Int16>(mode), random);
        const ImageSet start = doc.working;
        const ChannelWriteEnv env;
        const BandLimits band = documentBand(doc);
        const auto someNumbers = [&] {
            std::vector<int> numbers;
            for (int number = 1; number <= kChannelSlots; ++number)
                if (Pick(random, 6) == 0)
                    numbers.push_back(number);
            return numbers;
        };
        const std::vector<ChannelField>& fields = channelFields();
        for (int step = 0; step < 12; ++step) {
            const ChannelField& field = fields[static_cast<std::size_t>(Pick(random, static_cast<int>(fields.size())))];
            switch (Pick(random, 4)) {
            case 0: { // a value from another random channel on a selection
                const ChannelRecord other = RandomChannel(random, 1);
                (void)setChannelValues(doc, env, someNumbers(), {{&field, fieldValueOf(other, field, band)}});
                break;
            }
            case 1:
                (void)fillDown(doc, env, someNumbers(), field);
                break;
            case 2:
                (void)clearChannels(doc, env, someNumbers());
                break;
            default: { // the command line's path: a channel field on a list, and a setting
                static const std::pair<const char*, const char*> kEdits[] = {
                    {"receive-tone", "67.0"}, {"transmit-tone", "D023N"}, {"receive-tone", "OFF"},
                    {"am-fm", "FM"},          {"scan-skip", "1"},         {"spacing", "0"},
                };
                const auto& [name, value] = kEdits[Pick(random, static_cast<int>(std::size(kEdits)))];
                (void)applyScriptedEdits(doc, "1-40,81,521", {{name, value},
                                          {"dtmf.digit-rate", std::to_string(Pick(random, 4))}},
                                         true);
                break;
            }
            }
        }
        QVERIFY(doc.working.ActiveChannels != start.ActiveChannels); // the paths did edit
        doc.copyWorkingToSaved();

        const std::string csv = exportChannelsCsv(doc);
        Document other;
        if (isExtendedMode(static_cast<Int16>(mode))) {
            NewDocument(other, static_cast<Int16>(mode), {{1, "02700000"}});
        } else {
            other = doc;
            ScrambleOtherColumns(other, random);
        }
        const CsvImportResult imported = importChannelsCsv(other, csv);
        QVERIFY2(imported.ok(), qPrintable(Messages(imported).join('\n')));
        QVERIFY(ByNumber(other) == ByNumber(doc));
        QCOMPARE(exportChannelsCsv(other), csv);

        const std::string json = exportConfigJson(doc);
        Document back;
        const ConfigImportResult restored = importConfigJson(back, json);
        QVERIFY(restored.ok());
        QVERIFY(writeFullImage(back.saved) == writeFullImage(doc.saved));
        QCOMPARE(exportConfigJson(back), json);
    }

    /// Channels no group of the mode reaches are exported with empty group
    /// columns and come back, into another document too.
    void channelsOutsideEveryGroupComeBack()
    {
        Document source;
        NewDocument(source, kExtendedMode, {{1, "02700000"}, {487, "02925000"}, {401, "02800000"}, {521, "02600000"}});
        const std::string csv = exportChannelsCsv(source);
        QVERIFY(csv.find("\r\n,,,487,29.25000,") != std::string::npos);
        Document other;
        NewDocument(other, kExtendedMode, {{2, "02701000"}});
        const CsvImportResult result = importChannelsCsv(other, csv);
        QVERIFY2(result.ok(), qPrintable(Messages(result).join('\n')));
        QVERIFY(ByNumber(other) == ByNumber(source));
    }

    /// In country mode the channels and their frequencies are the national
    /// plan's: an import changes only the other columns of the channels the
    /// table holds; a row that would change a frequency or an offset, or
    /// add a channel, is refused with its row and column, and nothing of
    /// it is stored. Channels the file leaves out stay.
    void countryImportChangesOnlyOtherColumns_data()
    {
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<QString>("column");
        QTest::newRow("another receive frequency") << QByteArray("5,27.00000,0,OFF\r\n") << "receive MHz";
        QTest::newRow("an offset") << QByteArray("5,29.26000,+0.60000,OFF\r\n") << "offset MHz";
        QTest::newRow("an empty slot") << QByteArray("17,27.00000,0,OFF\r\n") << "channel number";
        QTest::newRow("an empty slot outside every group") << QByteArray("400,27.00000,0,OFF\r\n") << "channel number";
    }
    void countryImportChangesOnlyOtherColumns()
    {
        QFETCH(QByteArray, row);
        QFETCH(QString, column);
        Document doc;
        NewDocument(doc, 0, {{1, "02696500"}, {5, "02926000"}, {41, "02700000"}});
        const ImageSet before = doc.working;
        const std::string csv = "channel number,receive MHz,offset MHz,receive tone\r\n"
                                "1,26.96500,0.00000,100.0\r\n"
                                + row.toStdString();
        CsvImportResult result = importChannelsCsv(doc, csv);
        QCOMPARE(result.problems.size(), std::size_t{1});
        QCOMPARE(result.problems.front().row, 3);
        QCOMPARE(QString::fromStdString(result.problems.front().column), column);
        QVERIFY(doc.working.Settings == before.Settings);
        QVERIFY(doc.active() == before.ActiveChannels);

        result = importChannelsCsv(doc, csv, RefusedRows::SkipThem);
        QCOMPARE(result.stored, 1);
        QCOMPARE(doc.activeCount(), 3);
        QCOMPARE(int(Channel(doc, 1)->RxTone), 13); // the tone of the valid row
        QCOMPARE(Channel(doc, 1)->RxFrequency.raw(), std::string("02696500"));
        QCOMPARE(Channel(doc, 5)->RxFrequency.raw(), std::string("02926000"));
        QVERIFY(Channel(doc, 5)->Offset == before.ActiveChannels[1].Offset);
        QVERIFY(Channel(doc, 41)); // left out of the file, still there
        QVERIFY(!Channel(doc, 17) && !Channel(doc, 400));
        QCOMPARE(doc.activeCount(), 3);
    }

    /// European spreadsheets separate with ";" and write a decimal comma.
    void semicolonFilesTakeADecimalComma()
    {
        Document doc;
        NewDocument(doc, kExtendedMode, {{1, "02700000"}});
        const CsvImportResult result = importChannelsCsv(doc, "channel number;receive MHz;offset MHz;receive tone\r\n"
                                                              "1;27,5;+0,6;88,5\r\n");
        QVERIFY2(result.ok(), qPrintable(Messages(result).join('\n')));
        QCOMPARE(Channel(doc, 1)->RxFrequency.raw(), std::string("02750000"));
        QCOMPARE(Channel(doc, 1)->Offset.raw(), std::string("0060000"));
        QCOMPARE(QString::fromStdString(toneText(Channel(doc, 1)->RxTone)), QString("88.5"));
        // With "," as the separator a comma only separates.
        QVERIFY(!importChannelsCsv(doc, "channel number,receive MHz\r\n1,\"27,5\"\r\n").ok());
    }

    void writesEnglishTextsInChannelOrder()
    {
        Document doc;
        NewDocument(doc, kExtendedMode, {{41, "02740000"}, {1, "02700500"}});
        ChannelRecord& r = doc.active()[0];
        r.Offset.assign("0060000");
        r.OffsetDirection = 1;
        r.RxTone = 13; // 100.0
        r.TxTone = 52; // D023N
        r.option(ChannelOption::BusyLockout) = 2;
        r.option(ChannelOption::Spacing) = 2;
        r.option(ChannelOption::RepeaterShift) = 1;
        r.option(ChannelOption::RogerBeep) = 4;
        const std::string csv = exportChannelsCsv(doc);
        const auto lines = QString::fromStdString(csv).split("\r\n");
        QVERIFY(lines.size() >= 3);
        QVERIFY(lines[0].startsWith("group,group name,position in group,channel number,receive MHz,offset MHz,"
                                    "receive tone,transmit tone,busy lockout,scan skip,"));
        QVERIFY2(lines[1].startsWith("0,AE,1,1,27.00500,0.00000,OFF,OFF,Off,No,OFF,Wide,Off,Reverse,OFF,"), qPrintable(lines[1]));
        QVERIFY2(lines[2].startsWith("1,BE,1,41,27.40000,-0.60000,100.0,D023N,CTCSS/DCS,No,OFF,Narrow,"), qPrintable(lines[2]));
        QVERIFY(lines[2].contains(",4,") && lines[2].contains(",+100K,"));
    }

    /// The exchange's own copy of the list texts names what the English
    /// windows show, and whatever the windows show imports as that entry:
    /// the files keep their words ("OFF") where a window now writes "Off".
    void listTextsAreTheEnglishWindowTexts()
    {
        TextCatalog english;
        english.setFile(qEnvironmentVariable("ZAV_SOURCE_DIR").toStdString() + "/data/language/english.ini");
        std::vector<OptionColumn> all = optionColumns();
        all.push_back(busyLockoutColumn());
        for (const OptionColumn& column : all) {
            for (std::size_t k = 0; k < column.entries.size(); ++k) {
                const OptionText& entry = column.entries[k];
                if (entry.textId == 0)
                    continue;
                const QString shown = QString::fromStdString(english.text(entry.textId));
                QCOMPARE(shown.toLower(), QString(entry.text).toLower());
                QCOMPARE(optionValue(column, shown.toStdString()), int(k));
            }
        }
        QCOMPARE(toneIndexOf(english.text(14013)), 0); // the tone lists' first entry
    }

    /// The command line's English reasons are the English language file's,
    /// so the two programs say the same.
    void reasonsAreTheEnglishFileTexts()
    {
        TextCatalog english;
        english.setFile(qEnvironmentVariable("ZAV_SOURCE_DIR").toStdString() + "/data/language/english.ini");
        for (const auto& [id, words] : csvReasonTexts())
            QCOMPARE(QString::fromStdString(english.text(id)), QString(words));
    }

    void refusedRows_data()
    {
        QTest::addColumn<QByteArray>("rows");
        QTest::addColumn<QStringList>("want");
        const auto row = [](const char* text) { return QByteArray(text); };
        QTest::newRow("below the band") << row("0,5,5,25.00000,0,OFF,OFF,Off,Off\r\n")
                                        << QStringList{"row 2, column \"receive MHz\": 25.00000 MHz is outside the band 25.61500 - 30.10500 MHz"};
        QTest::newRow("off the raster") << row("0,5,5,27.00300,0,OFF,OFF,Off,Off\r\n")
                                        << QStringList{"row 2, column \"receive MHz\": 27.00300 MHz is not on the channel raster (nearest 27.00000 MHz)"};
        QTest::newRow("not a number") << row("0,5,5,27.0.0,0,OFF,OFF,Off,Off\r\n")
                                      << QStringList{"row 2, column \"receive MHz\": \"27.0.0\" is not a frequency in MHz"};
        QTest::newRow("no receive frequency") << row("0,5,5,,0,OFF,OFF,Off,Off\r\n")
                                              << QStringList{"row 2, column \"receive MHz\": a channel needs a receive frequency"};
        QTest::newRow("unknown tone") << row("0,5,5,27.00000,0,OFF,68.0,Off,Off\r\n")
                                      << QStringList{"row 2, column \"transmit tone\": \"68.0\" is not a tone (OFF, 67.0 .. 254.1, D017N .. D754N, D017I .. D754I)"};
        QTest::newRow("tone beyond any number") << row("0,5,5,27.00000,0,999999999999999999999999,OFF,Off,Off\r\n")
                                                << QStringList{"row 2, column \"receive tone\": \"999999999999999999999999\" is not a tone (OFF, 67.0 .. 254.1, D017N .. D754N, D017I .. D754I)"};
        QTest::newRow("tone by its value") << row("0,5,5,27.00000,0,OFF,254.10,Off,Off\r\n0,6,6,27.00000,0,OFF,254.15,Off,Off\r\n")
                                           << QStringList{"row 3, column \"transmit tone\": \"254.15\" is not a tone (OFF, 67.0 .. 254.1, D017N .. D754N, D017I .. D754I)"};
        QTest::newRow("offset too large") << row("0,5,5,27.00000,+100.00000,OFF,OFF,Off,Off\r\n")
                                          << QStringList{"row 2, column \"offset MHz\": +100.00000 MHz is more offset than a channel can hold"};
        QTest::newRow("offset beyond any number") << row("0,5,5,27.00000,-999999999999999999999999,OFF,OFF,Off,Off\r\n")
                                                  << QStringList{"row 2, column \"offset MHz\": -999999999999999999999999 MHz is more offset than a channel can hold"};
        QTest::newRow("frequency beyond any number") << row("0,5,5,999999999999999999999999,0,OFF,OFF,Off,Off\r\n")
                                                     << QStringList{"row 2, column \"receive MHz\": 999999999999999999999999 MHz is outside the band 25.61500 - 30.10500 MHz"};
        QTest::newRow("unknown option") << row("0,5,5,27.00000,0,OFF,OFF,Maybe,Off\r\n")
                                        << QStringList{"row 2, column \"busy lockout\": \"Maybe\" is not one of Off, Carrier, CTCSS/DCS, Opt. Signal"};
        QTest::newRow("lockout by tone without a tone") << row("0,5,5,27.00000,0,OFF,67.0,CTCSS/DCS,Off\r\n")
                                                        << QStringList{"row 2, column \"busy lockout\": \"CTCSS/DCS\" needs the receive tone on"};
        QTest::newRow("lockout by signalling") << row("0,5,5,27.00000,0,OFF,OFF,Opt. Signal,Off\r\n")
                                               << QStringList{"row 2, column \"busy lockout\": \"Opt. Signal\" is not offered for a channel"};
        QTest::newRow("roger beep past the tips") << row("0,5,5,27.00000,0,OFF,OFF,Off,9\r\n")
                                                  << QStringList{"row 2, column \"roger beep\": \"9\" is not one of Off, 1..8"};
        QTest::newRow("group of the other mode") << row("11,5,445,27.00000,0,OFF,OFF,Off,Off\r\n")
                                                 << QStringList{"row 2, column \"group\": \"11\" is not a group of this mode (0..10)"};
        QTest::newRow("position past the group") << row("10,2,522,27.00000,0,OFF,OFF,Off,Off\r\n")
                                                 << QStringList{"row 2, column \"position in group\": \"2\" is not a position in group 10 (1..1)"};
        QTest::newRow("number against position") << row("1,2,3,27.00000,0,OFF,OFF,Off,Off\r\n")
                                                 << QStringList{"row 2, column \"channel number\": \"3\" is not channel 2 of group 1, which is number 42"};
        QTest::newRow("no channel number") << row(",,522,27.00000,0,OFF,OFF,Off,Off\r\n")
                                                                      << QStringList{"row 2, column \"channel number\": \"522\" is not a channel number (1..521)"};
        QTest::newRow("duplicate channel") << row("0,5,5,27.00000,0,OFF,OFF,Off,Off\r\n0,5,5,27.00500,0,OFF,OFF,Off,Off\r\n")
                                           << QStringList{"row 3, column \"channel number\": channel 5 is already in row 2"};
        QTest::newRow("broken quotes") << row("0,5,5,\"27.0\"0,0,OFF,OFF,Off,Off\r\n")
                                       << QStringList{"row 2, column \"receive MHz\": text follows the closing quote of the field"};
        QTest::newRow("no channel at all") << row("")
                                           << QStringList{"row 2, column \"channel number\": the file holds no channel; a table keeps at least one"};
        QTest::newRow("one message per bad row, good rows between")
            << row("0,1,1,27.00000,0,OFF,OFF,Off,Off\r\n"
                   "0,2,2,31.00000,0,XX,OFF,Off,Off\r\n"
                   "0,3,3,27.01000,0,OFF,OFF,Off,Off\r\n"
                   "0,1,1,27.02000,0,OFF,OFF,Off,Off\r\n")
            << QStringList{"row 3, column \"receive MHz\": 31.00000 MHz is outside the band 25.61500 - 30.10500 MHz",
                           "row 5, column \"channel number\": channel 1 is already in row 2"};
    }
    void refusedRows()
    {
        QFETCH(QByteArray, rows);
        QFETCH(QStringList, want);
        Document doc;
        NewDocument(doc, kExtendedMode, {{1, "02700000"}, {7, "02710000"}});
        doc.image().OptFeat.Common1[common1::EmergencyChannelBase] = 7;
        const ImageSet before = doc.working;
        const CsvImportResult result = importChannelsCsv(doc, std::string(kHeader) + rows.toStdString());
        QCOMPARE(Messages(result), want);
        QVERIFY(doc.working.Settings == before.Settings);
        QVERIFY(doc.active() == before.ActiveChannels);
    }

    void neededColumns_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("want");
        QTest::newRow("no way to place a row") << QByteArray("group,receive MHz\r\n0,27.00000\r\n")
                                               << QStringList{"row 1, column \"channel number\": the file needs this column, or the columns \"group\" and \"position in group\""};
        QTest::newRow("no receive frequency") << QByteArray("channel number,offset MHz\r\n1,0\r\n")
                                              << QStringList{"row 1, column \"receive MHz\": the file needs this column"};
        QTest::newRow("empty file") << QByteArray("")
                                    << QStringList{"row 1, column \"channel number\": the file holds no header row"};
        QTest::newRow("channel number alone places a row") << QByteArray("Channel Number,RECEIVE MHZ\r\n41,27.00000\r\n") << QStringList{};
    }
    void neededColumns()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, want);
        Document doc;
        NewDocument(doc, kExtendedMode, {{1, "02700000"}});
        QCOMPARE(Messages(importChannelsCsv(doc, text.toStdString())), want);
    }

    /// What a spreadsheet saves: a byte-order mark, semicolons, CRLF, its
    /// own column order, columns of its own, numbers shortened.
    void spreadsheetExportImports()
    {
        Document doc;
        NewDocument(doc, kExtendedMode, {{1, "02700000"}, {7, "02710000"}});
        doc.active()[1].option(ChannelOption::Spacing) = 2;
        doc.active()[1].option(ChannelOption::RxExpander) = 1;
        const std::string text = "\xEF\xBB\xBF" "Notes;transmit tone;Receive MHz;channel number;receive tone;offset MHz;scan skip\r\n"
                                 "first;100;27.4;41;D023I;+0.6;yes\r\n"
                                 "\"a; b\";OFF;27,5;7;off;0;No\r\n";
        std::string fixed = text; // a decimal comma in a ";" file is a decimal point
        const CsvImportResult result = importChannelsCsv(doc, fixed);
        QVERIFY2(result.ok(), qPrintable(Messages(result).join('\n')));
        QCOMPARE(doc.activeCount(), 2);
        const ChannelRecord& seven = doc.active()[0];
        QCOMPARE(int(seven.Number), 7);
        QCOMPARE(seven.RxFrequency.raw(), std::string("02750000"));
        QCOMPARE(int(seven.option(ChannelOption::Spacing)), 2); // a column the file lacks keeps the channel's value
        QCOMPARE(int(seven.option(ChannelOption::RxExpander)), 1);
        const ChannelRecord& fortyOne = doc.active()[1];
        QCOMPARE(int(fortyOne.Number), 41);
        QCOMPARE(fortyOne.RxFrequency.raw(), std::string("02740000"));
        QCOMPARE(int(fortyOne.TxTone), 13);
        QCOMPARE(int(fortyOne.RxTone), 158 + 1); // D023I
        QCOMPARE(fortyOne.Offset.raw(), std::string("0060000"));
        QCOMPARE(int(fortyOne.OffsetDirection), 2);
        QCOMPARE(int(fortyOne.option(ChannelOption::ScanSkip)), 1);
    }

    /// Damaged files (bytes changed, dropped or added anywhere) are read
    /// without harm: either imported or refused with the document untouched.
    void damagedFilesAreHarmless()
    {
        QRandomGenerator random(7);
        Document source;
        RandomDocument(source, kExtendedMode, random);
        const std::string csv = exportChannelsCsv(source);
        const char alphabet[] = ",;\"\r\n+-.0123456789ABCDNIOFf ";
        for (int round = 0; round < 300; ++round) {
            std::string damaged = csv;
            for (int k = 0, edits = 1 + Pick(random, 8); k < edits; ++k) {
                const auto at = static_cast<std::size_t>(Pick(random, static_cast<int>(damaged.size())));
                const char c = Pick(random, 4) == 0 ? static_cast<char>(Pick(random, 256)) : alphabet[Pick(random, sizeof alphabet - 1)];
                switch (Pick(random, 3)) {
                case 0: damaged[at] = c; break;
                case 1: damaged.erase(at, 1 + static_cast<std::size_t>(Pick(random, 40))); break;
                default: damaged.insert(at, 1, c); break;
                }
            }
            Document doc = source;
            const CsvImportResult result = importChannelsCsv(doc, damaged);
            if (!result.ok()) {
                QVERIFY(doc.working.Settings == source.working.Settings);
                QVERIFY(doc.active() == source.active());
            } else {
                QVERIFY(doc.activeCount() >= 1);
            }
        }
    }

    /// Each column sets its own field: the couplings of typing (a tone
    /// copied to the other one) do not apply.
    void columnsSetOnlyTheirOwnField()
    {
        Document doc;
        NewDocument(doc, kExtendedMode, {{1, "02700000"}});
        const CsvImportResult result = importChannelsCsv(doc, "channel number,receive MHz,receive tone,transmit tone\n1,27.00000,67.0,OFF\n");
        QVERIFY(result.ok());
        QCOMPARE(int(doc.active()[0].RxTone), 1);
        QCOMPARE(int(doc.active()[0].TxTone), 0);
    }

    /// Channels absent from the file are removed, and emergency channels
    /// that pointed at them are cleared as when a channel is deleted.
    void absentChannelsGo()
    {
        Document doc;
        NewDocument(doc, kExtendedMode, {{1, "02700000"}, {7, "02710000"}, {521, "02720000"}});
        doc.image().OptFeat.Common1[common1::EmergencyChannelBase] = 7;
        doc.image().OptFeat.Common1[common1::EmergencyChannelBase + 1] = 1;
        const ChannelTable standby = doc.standby();
        QVERIFY(importChannelsCsv(doc, "channel number,receive MHz\n1,27.00000\n").ok());
        QCOMPARE(doc.activeCount(), 1);
        QCOMPARE(int(doc.image().OptFeat.Common1[common1::EmergencyChannelBase]), 0);
        QCOMPARE(int(doc.image().OptFeat.Common1[common1::EmergencyChannelBase + 1]), 1);
        QVERIFY(doc.standby() == standby);
    }
};

QTEST_APPLESS_MAIN(TestChannelCsv)
#include "test_channel_csv.moc"
