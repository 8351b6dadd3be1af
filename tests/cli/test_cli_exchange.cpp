// The exchange commands as a user runs them: export-csv, import-csv,
// export-json and import-json on data files written by the program itself.

#include "cli_process.h"

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
        QCOMPARE(Cli({"new", "-o", "a.dat"}, dir.path()).exitCode, 0);
        const QByteArray csv = kHeader
                               + "0,1,1,27.00000,0.00000,OFF,OFF\r\n"        // row 2: fine
                                 "0,2,2,31.00000,0.00000,OFF,OFF\r\n"        // row 3: above the band
                                 "0,3,3,27.01000,0.00000,OFF,77.7\r\n"       // row 4: no such tone
                                 "0,1,1,27.02000,0.00000,OFF,OFF\r\n"        // row 5: channel 1 again
                                 "6,41,361,27.03000,0.00000,OFF,OFF\r\n"     // row 6: the group holds 40
                                 "0,6,6,\"27.04\"000,0.00000,OFF,OFF\r\n"    // row 7: broken quotes
                                 "0,7,7,27.05000,-0.60000,D023N,67.0\r\n";   // row 8: fine
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
            "zavprog-cli: bad.csv: 5 rows refused; nothing written",
        };
        QCOMPARE(lines, want);
    }

    /// What a spreadsheet saves imports: byte-order mark, semicolons, CRLF,
    /// its own column order and columns of its own.
    void spreadsheetCsvImports()
    {
        QTemporaryDir dir;
        QCOMPARE(Cli({"new", "-o", "a.dat"}, dir.path()).exitCode, 0);
        const QByteArray csv = "\xEF\xBB\xBF" "Comment;Transmit Tone;Receive MHz;Channel Number;Receive Tone;Offset MHz;Busy Lockout\r\n"
                               "\"home; base\";100;27.4;41;100.0;+0.6;CTCSS/DCS\r\n"
                               ";OFF;27.005;1;OFF;0;Off\r\n";
        QVERIFY(WriteAll(dir.filePath("sheet.csv"), csv));
        const Run r = Cli({"import-csv", "sheet.csv", "--into", "a.dat", "-o", "out.dat"}, dir.path());
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(Cli({"export-csv", "out.dat", "-o", "again.csv"}, dir.path()).exitCode, 0);
        const QList<QByteArray> rows = ReadAll(dir.filePath("again.csv")).split('\n');
        QCOMPARE(rows.size(), 4); // header, two channels, the end of the last line
        QVERIFY2(rows[1].startsWith("0,EU,1,1,27.00500,0.00000,OFF,OFF,Off,"), rows[1].constData());
        QVERIFY2(rows[2].startsWith("1,CE,1,41,27.40000,+0.60000,100.0,100.0,CTCSS/DCS,"), rows[2].constData());
    }

    /// The whole configuration out as JSON and back: the same data file,
    /// for a new document and for one with channels of every kind.
    void jsonRoundTrip()
    {
        QTemporaryDir dir;
        QCOMPARE(Cli({"new", "-o", "a.dat"}, dir.path()).exitCode, 0);
        const QByteArray csv = kHeader + "0,1,1,27.00500,+0.60000,100.0,D023I\r\n"
                                         "2,80,160,29.00000,-1.00000,OFF,OFF\r\n";
        QVERIFY(WriteAll(dir.filePath("c.csv"), csv));
        QCOMPARE(Cli({"import-csv", "c.csv", "--into", "a.dat", "-o", "b.dat"}, dir.path()).exitCode, 0);
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
