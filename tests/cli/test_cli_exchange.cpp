// The exchange commands as a user runs them: export-csv, import-csv,
// export-json and import-json on data files written by the program itself.

#include "channel_fixture.h"
#include "cli_process.h"
#include "data_file.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool WriteAll(const QString& path, const QByteArray& data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

const QByteArray kHeader = "group,position in group,channel number,receive MHz,offset MHz,receive tone,transmit tone\r\n";

/// A data file of a new document in the mode with exactly these channels.
bool WriteDocument(const QString& path, zav::Int16 mode, std::initializer_list<zav::test::ChannelSpec> channels,
                   int emergencyChannel = 0)
{
    zav::Document doc;
    zav::test::NewDocument(doc, mode, channels);
    doc.image().OptFeat.Common1[zav::common1::EmergencyChannelBase] = static_cast<zav::Int16>(emergencyChannel);
    return zav::saveDocument(doc, path.toStdString()).ok();
}

/// An extended-mode file with channels 1 and 41 (extended mode takes any
/// frequency an import gives).
bool WriteExtended(const QString& path)
{
    return WriteDocument(path, zav::kExtendedMode, {{1, "02700000"}, {41, "02740000"}});
}

/// The fields of the CSV line of a channel number.
QList<QByteArray> RowOf(const QByteArray& csv, int number)
{
    for (const QByteArray& line : csv.split('\n')) {
        const QList<QByteArray> fields = line.trimmed().split(',');
        if (fields.size() > 4 && fields[3] == QByteArray::number(number))
            return fields;
    }
    return {};
}

/// The receive frequency column of every row.
QList<QByteArray> ReceiveColumn(const QByteArray& csv)
{
    QList<QByteArray> out;
    for (const QByteArray& line : csv.split('\n'))
        out << line.split(',').value(4);
    return out;
}

} // namespace

class TestCliExchange : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(QFile::exists(ProgramDir() + "/zavprog-cli"), "zavprog-cli is not built"); }

    /// A new (country-mode) document's channels out and back in, the last
    /// channel outside the mode's groups included: the data file is the same
    /// byte for byte.
    void csvRoundTrip()
    {
        QTemporaryDir dir;
        QCOMPARE(Cli({"new", "-o", "a.dat"}, dir.path()).exitCode, 0);
        const Run exported = Cli({"export-csv", "a.dat", "-o", "channels.csv"}, dir.path());
        QCOMPARE(exported.exitCode, 0);
        const QByteArray csv = ReadAll(dir.filePath("channels.csv"));
        QVERIFY(csv.startsWith("group,group name,position in group,channel number,receive MHz,offset MHz,"));
        QVERIFY(csv.contains("\r\n"));
        const Run imported = Cli({"import-csv", "channels.csv", "--into", "a.dat", "-o", "b.dat"}, dir.path());
        QVERIFY2(imported.exitCode == 0, qPrintable(imported.err));
        QCOMPARE(ReadAll(dir.filePath("b.dat")), ReadAll(dir.filePath("a.dat")));
    }

    /// Every bad row is named with its row and column; nothing is written.
    void badRowsAreListedAndNothingWritten()
    {
        QTemporaryDir dir;
        QVERIFY(WriteExtended(dir.filePath("a.dat")));
        const QByteArray csv = kHeader
                               + "0,1,1,27.00000,0.00000,OFF,OFF\r\n"        // row 2: fine
                                 "0,2,2,31.00000,0.00000,OFF,OFF\r\n"        // row 3: above the band
                                 "0,3,3,27.01000,0.00000,OFF,77.7\r\n"       // row 4: no such tone
                                 "0,1,1,27.02000,0.00000,OFF,OFF\r\n"        // row 5: channel 1 again
                                 "6,41,361,27.03000,0.00000,OFF,OFF\r\n"     // row 6: the group holds 40
                                 "0,6,6,\"27.04\"000,0.00000,OFF,OFF\r\n"    // row 7: broken quotes
                                 "0,7,7,27.05000,-0.60000,D023N,67.0\r\n"    // row 8: fine
                                 "0,8,8,31.00000,0.00000,XYZ,77.7\r\n";      // row 9: three problems
        QVERIFY(WriteAll(dir.filePath("bad.csv"), csv));
        const Run r = Cli({"import-csv", "bad.csv", "--into", "a.dat", "-o", "out.dat"}, dir.path());
        QCOMPARE(r.exitCode, 1);
        QVERIFY(!QFile::exists(dir.filePath("out.dat")));
        const QStringList lines = r.err.split('\n', Qt::SkipEmptyParts);
        const QStringList want{
            "bad.csv: row 3, column \"receive MHz\": 31.00000 MHz is outside the band 25.61500 - 30.10500 MHz",
            "bad.csv: row 4, column \"transmit tone\": \"77.7\" is not a tone (OFF, 67.0 .. 254.1, D017N .. D754N, D017I .. D754I)",
            "bad.csv: row 5, column \"channel number\": channel 1 is already in row 2",
            "bad.csv: row 6, column \"position in group\": \"41\" is not a position in group 6 (1..40)",
            "bad.csv: row 7, column \"receive MHz\": text follows the closing quote of the field",
            "bad.csv: row 9, column \"receive MHz\": 31.00000 MHz is outside the band 25.61500 - 30.10500 MHz",
            "bad.csv: row 9, column \"receive tone\": \"XYZ\" is not a tone (OFF, 67.0 .. 254.1, D017N .. D754N, D017I .. D754I)",
            "bad.csv: row 9, column \"transmit tone\": \"77.7\" is not a tone (OFF, 67.0 .. 254.1, D017N .. D754N, D017I .. D754I)",
            "zavprog-cli: bad.csv: 6 rows refused; nothing written",
        };
        QCOMPARE(lines, want);
    }

    /// What a spreadsheet saves imports: byte-order mark, semicolons, CRLF,
    /// its own column order and columns of its own.
    void spreadsheetCsvImports()
    {
        QTemporaryDir dir;
        QVERIFY(WriteExtended(dir.filePath("a.dat")));
        const QByteArray csv = "\xEF\xBB\xBF" "Comment;Transmit Tone;Receive MHz;Channel Number;Receive Tone;Offset MHz;Busy Lockout\r\n"
                               "\"home; base\";100;27.4;41;100.0;+0.6;CTCSS/DCS\r\n"
                               ";OFF;27.005;1;OFF;0;Off\r\n";
        QVERIFY(WriteAll(dir.filePath("sheet.csv"), csv));
        const Run r = Cli({"import-csv", "sheet.csv", "--into", "a.dat", "-o", "out.dat"}, dir.path());
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(Cli({"export-csv", "out.dat", "-o", "again.csv"}, dir.path()).exitCode, 0);
        const QList<QByteArray> rows = ReadAll(dir.filePath("again.csv")).split('\n');
        QCOMPARE(rows.size(), 4); // header, two channels, the end of the last line
        QVERIFY2(rows[1].startsWith("0,AE,1,1,27.00500,0.00000,OFF,OFF,Off,"), rows[1].constData());
        QVERIFY2(rows[2].startsWith("1,BE,1,41,27.40000,+0.60000,100.0,100.0,CTCSS/DCS,"), rows[2].constData());
    }

    /// The whole configuration out as JSON and back: the same data file,
    /// for a new document and for one with channels of every kind.
    void jsonRoundTrip()
    {
        QTemporaryDir dir;
        QCOMPARE(Cli({"new", "-o", "a.dat"}, dir.path()).exitCode, 0);
        QVERIFY(WriteExtended(dir.filePath("e.dat")));
        const QByteArray csv = kHeader + "0,1,1,27.00500,+0.60000,100.0,D023I\r\n"
                                         "3,40,160,29.00000,-1.00000,OFF,OFF\r\n"
                                         ",,487,29.10000,0.00000,OFF,OFF\r\n";
        QVERIFY(WriteAll(dir.filePath("c.csv"), csv));
        const Run csvImport = Cli({"import-csv", "c.csv", "--into", "e.dat", "-o", "b.dat"}, dir.path());
        QVERIFY2(csvImport.exitCode == 0, qPrintable(csvImport.err));
        for (const QString name : {"a", "b"}) {
            const Run exported = Cli({"export-json", name + ".dat", "-o", name + ".json"}, dir.path());
            QVERIFY2(exported.exitCode == 0, qPrintable(exported.err));
            const Run imported = Cli({"import-json", name + ".json", "-o", name + "2.dat"}, dir.path());
            QVERIFY2(imported.exitCode == 0, qPrintable(imported.err));
            QCOMPARE(ReadAll(dir.filePath(name + "2.dat")), ReadAll(dir.filePath(name + ".dat")));
        }
        const QByteArray json = ReadAll(dir.filePath("b.json"));
        QVERIFY(json.contains("\"receive MHz\": \"29.00000\""));
        QVERIFY(json.contains("\"transmit tone\": \"D023I\""));
    }

    /// A bad value is named by its place in the file; nothing is written.
    void jsonBadValuesAreRefused()
    {
        QTemporaryDir dir;
        QCOMPARE(Cli({"new", "-o", "a.dat"}, dir.path()).exitCode, 0);
        QCOMPARE(Cli({"export-json", "a.dat", "-o", "a.json"}, dir.path()).exitCode, 0);
        QByteArray json = ReadAll(dir.filePath("a.json"));
        json.replace("\"receive tone\": \"OFF\"", "\"receive tone\": \"66.6\"");
        json.replace("\"channel mode\": 0", "\"channel mode\": \"country\"");
        QVERIFY(WriteAll(dir.filePath("bad.json"), json));
        const Run r = Cli({"import-json", "bad.json", "-o", "out.dat"}, dir.path());
        QCOMPARE(r.exitCode, 1);
        QVERIFY(!QFile::exists(dir.filePath("out.dat")));
        QVERIFY2(r.err.contains("bad.json: $.settings.channel mode: \"country\" is not a whole number\n"), qPrintable(r.err));
        QVERIFY2(r.err.contains("bad.json: $.active channels[0].receive tone: \"66.6\" is not a tone"), qPrintable(r.err));
        QVERIFY(r.err.endsWith("zavprog-cli: bad.json: refused; nothing written\n"));

        QVERIFY(WriteAll(dir.filePath("broken.json"), "{\"file\": \"zavprog configuration\",\n  \"settings\": [1, }"));
        const Run broken = Cli({"import-json", "broken.json", "-o", "out.dat"}, dir.path());
        QCOMPARE(broken.exitCode, 1);
        QVERIFY2(broken.err.startsWith("broken.json: $: line 2, column 19: not a JSON value\n"), qPrintable(broken.err));
        QVERIFY(!QFile::exists(dir.filePath("out.dat")));
    }

    /// A country-mode file: import-csv changes only the other columns of
    /// the channels it holds; a row with another frequency or for an empty
    /// slot is named with row, column and reason, and nothing is written.
    void countryImportTouchesNoFrequency()
    {
        QTemporaryDir dir;
        QVERIFY(WriteDocument(dir.filePath("a.dat"), 0, {{1, "02696500"}, {2, "02697500"}, {41, "02700000"}}));
        QCOMPARE(Cli({"export-csv", "a.dat", "-o", "a.csv"}, dir.path()).exitCode, 0);
        const QByteArray exported = ReadAll(dir.filePath("a.csv"));
        const QByteArray header = exported.left(exported.indexOf('\n') + 1);
        QList<QByteArray> one = RowOf(exported, 1);
        QList<QByteArray> two = RowOf(exported, 2);
        QVERIFY(!one.isEmpty() && !two.isEmpty());
        one[6] = "100.0";                                    // the receive tone: stored
        two[4] = two[4] == "27.00000" ? "27.01000" : "27.00000"; // another frequency
        QList<QByteArray> empty = one;                       // a slot no group reaches, empty
        empty[0] = empty[1] = empty[2] = "";
        empty[3] = "400";
        QVERIFY(RowOf(exported, 400).isEmpty());
        const QByteArray changed = header + one.join(',') + "\r\n" + two.join(',') + "\r\n" + empty.join(',') + "\r\n";
        QVERIFY(WriteAll(dir.filePath("changed.csv"), changed));
        const Run refused = Cli({"import-csv", "changed.csv", "--into", "a.dat", "-o", "b.dat"}, dir.path());
        QCOMPARE(refused.exitCode, 1);
        QVERIFY(!QFile::exists(dir.filePath("b.dat")));
        const QStringList lines = refused.err.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY2(lines[0].startsWith("changed.csv: row 3, column \"receive MHz\": a country channel keeps its receive frequency "),
                 qPrintable(lines[0]));
        QCOMPARE(lines[1], QString("changed.csv: row 4, column \"channel number\": channel 400 is an empty slot, and "
                                   "country mode adds no channel"));

        QVERIFY(WriteAll(dir.filePath("tone.csv"), header + one.join(',') + "\r\n"));
        const Run stored = Cli({"import-csv", "tone.csv", "--into", "a.dat", "-o", "b.dat"}, dir.path());
        QVERIFY2(stored.exitCode == 0, qPrintable(stored.err));
        QCOMPARE(Cli({"export-csv", "b.dat", "-o", "b.csv"}, dir.path()).exitCode, 0);
        const QByteArray after = ReadAll(dir.filePath("b.csv"));
        QCOMPARE(ReceiveColumn(after), ReceiveColumn(exported)); // every channel, every frequency
        QCOMPARE(RowOf(after, 1).value(6), QByteArray("100.0"));
    }

    /// --merge changes only the channels the file names, as typing over
    /// them would; without it an extended-mode import replaces the table.
    void mergeChangesOnlyTheChannelsInTheFile()
    {
        QTemporaryDir dir;
        QVERIFY(WriteExtended(dir.filePath("a.dat")));
        QVERIFY(WriteAll(dir.filePath("c.csv"), "channel number,receive MHz,receive tone\r\n"
                                                "41,27.40000,100.0\r\n"
                                                "5,27.05000,OFF\r\n"));
        const Run merged = Cli({"import-csv", "c.csv", "--into", "a.dat", "--merge", "-o", "m.dat"}, dir.path());
        QVERIFY2(merged.exitCode == 0, qPrintable(merged.err));
        const Run replaced = Cli({"import-csv", "c.csv", "--into", "a.dat", "-o", "r.dat"}, dir.path());
        QVERIFY2(replaced.exitCode == 0, qPrintable(replaced.err));
        QCOMPARE(Cli({"export-csv", "m.dat", "-o", "m.csv"}, dir.path()).exitCode, 0);
        QCOMPARE(Cli({"export-csv", "r.dat", "-o", "r.csv"}, dir.path()).exitCode, 0);
        const QByteArray kept = ReadAll(dir.filePath("m.csv"));
        QCOMPARE(RowOf(kept, 1).value(4), QByteArray("27.00000"));
        QCOMPARE(RowOf(kept, 5).value(4), QByteArray("27.05000"));
        QCOMPARE(RowOf(kept, 41).value(6), QByteArray("100.0"));
        QVERIFY(RowOf(ReadAll(dir.filePath("r.csv")), 1).isEmpty());

        // A channel up to 400 keeps its receive frequency when typed over.
        QVERIFY(WriteAll(dir.filePath("d.csv"), "channel number,receive MHz\r\n1,27.50000\r\n"));
        const Run refused = Cli({"import-csv", "d.csv", "--into", "a.dat", "--merge", "-o", "n.dat"}, dir.path());
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains("channel 1 keeps its receive frequency 27.00000 MHz"), qPrintable(refused.err));
        QVERIFY(!QFile::exists(dir.filePath("n.dat")));
    }

    /// An extended-mode radio may hold channels 401..520, which no group
    /// reaches: exported with empty group columns, they import into another
    /// document too, and the data file is the first one's.
    void channelsOutsideEveryGroupRoundTrip()
    {
        QTemporaryDir dir;
        QVERIFY(WriteDocument(dir.filePath("a.dat"), zav::kExtendedMode, {{1, "02700000"}, {487, "02925000"}, {521, "02710000"}}));
        QVERIFY(WriteDocument(dir.filePath("b.dat"), zav::kExtendedMode, {{2, "02700000"}}));
        QCOMPARE(Cli({"export-csv", "a.dat", "-o", "a.csv"}, dir.path()).exitCode, 0);
        QVERIFY(ReadAll(dir.filePath("a.csv")).contains("\r\n,,,487,29.25000,"));
        const Run r = Cli({"import-csv", "a.csv", "--into", "b.dat", "-o", "c.dat"}, dir.path());
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(ReadAll(dir.filePath("c.dat")), ReadAll(dir.filePath("a.dat")));
    }

    /// An import that clears an emergency channel (it pointed at a slot the
    /// table does not hold) says so.
    void clearedEmergencyChannelIsTold()
    {
        QTemporaryDir dir;
        QVERIFY(WriteDocument(dir.filePath("a.dat"), zav::kExtendedMode, {{1, "02700000"}}, 7));
        QCOMPARE(Cli({"export-csv", "a.dat", "-o", "a.csv"}, dir.path()).exitCode, 0);
        const Run r = Cli({"import-csv", "a.csv", "--into", "a.dat", "-o", "b.dat"}, dir.path());
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(r.err, QString("a.csv: emergency channel 1 of group 0 pointed at row 7, which holds no channel; it was "
                                "cleared\n"));
    }

    /// import-json writes only files the program opens: a model, band or
    /// version that opening refuses is named by its place.
    void jsonIdentityIsChecked_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("want");
        QTest::newRow("another model") << QByteArray("\"model\": \"ZAV415\"") << QByteArray("\"model\": \"ZAV416\"")
                                       << "bad.json: $.settings.identity.model: \"ZAV416\" is not the model of this program (ZAV415)";
        QTest::newRow("not a version") << QByteArray("\"version\": \"V300\"") << QByteArray("\"version\": \"ABCD\"")
                                       << "bad.json: $.settings.identity.version: \"ABCD\" is not a version";
        QTest::newRow("a version it cannot open") << QByteArray("\"version\": \"V300\"") << QByteArray("\"version\": \"V999\"")
                                                  << "bad.json: $.settings.identity.version: \"V999\" is a version this program cannot open";
        QTest::newRow("a band of no model") << QByteArray("\"band code\": 0") << QByteArray("\"band code\": 7")
                                            << "bad.json: $.settings.identity.band code: 7 is not a band of ZAV415";
    }
    void jsonIdentityIsChecked()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, want);
        QTemporaryDir dir;
        QCOMPARE(Cli({"new", "-o", "a.dat"}, dir.path()).exitCode, 0);
        QCOMPARE(Cli({"export-json", "a.dat", "-o", "a.json"}, dir.path()).exitCode, 0);
        QByteArray json = ReadAll(dir.filePath("a.json"));
        QVERIFY(json.contains(from));
        json.replace(from, to);
        QVERIFY(WriteAll(dir.filePath("bad.json"), json));
        const Run r = Cli({"import-json", "bad.json", "-o", "out.dat"}, dir.path());
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.startsWith(want), qPrintable(r.err));
        QVERIFY(!QFile::exists(dir.filePath("out.dat")));
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("export-csv without -o") << QStringList{"export-csv", "a.dat"};
        QTest::newRow("export-csv without a file") << QStringList{"export-csv", "-o", "c.csv"};
        QTest::newRow("import-csv without --into") << QStringList{"import-csv", "c.csv", "-o", "b.dat"};
        QTest::newRow("import-csv without -o") << QStringList{"import-csv", "c.csv", "--into", "a.dat"};
        QTest::newRow("export-json without -o") << QStringList{"export-json", "a.dat"};
        QTest::newRow("import-json without -o") << QStringList{"import-json", "c.json"};
        QTest::newRow("import-json with two files") << QStringList{"import-json", "c.json", "d.json", "-o", "a.dat"};
    }
    void usage()
    {
        QFETCH(QStringList, args);
        QTemporaryDir dir;
        const Run r = Cli(args, dir.path());
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.startsWith("usage: zavprog-cli " + args.first()));
    }

    void missingCsvIsReported()
    {
        QTemporaryDir dir;
        QCOMPARE(Cli({"new", "-o", "a.dat"}, dir.path()).exitCode, 0);
        const Run r = Cli({"import-csv", "none.csv", "--into", "a.dat", "-o", "b.dat"}, dir.path());
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.err, QString("zavprog-cli: none.csv: cannot be read\n"));
        QVERIFY(!QFile::exists(dir.filePath("b.dat")));
    }
};

QTEST_GUILESS_MAIN(TestCliExchange)
#include "test_cli_exchange.moc"
