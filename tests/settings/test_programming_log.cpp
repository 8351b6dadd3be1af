// The programming log: a header on creation, one line per write appended,
// fields a spreadsheet reads back unchanged whatever they hold, the
// per-user place, and a log that cannot be written reported as such.

#include "data_file.h"
#include "defaults.h"
#include "programming_log.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

using namespace zav;

namespace {

ProgrammingLogEntry entry(const std::string& port, const std::string& result)
{
    ProgrammingLogEntry e;
    e.when = 1'765'000'000;
    e.port = port;
    e.model = "ZAV415";
    e.band = "0";
    e.version = "V300";
    e.fileName = "fleet.dat";
    e.sha256 = std::string(64, 'a');
    e.result = result;
    return e;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestProgrammingLog : public QObject {
    Q_OBJECT
private slots:
    void headerOnceThenOneLinePerWrite()
    {
        QTemporaryDir dir;
        const std::string path = dir.filePath("sub/folder/log.csv").toStdString(); // folders made on the way
        QVERIFY(appendProgrammingLog(path, entry("/dev/ttyUSB0", logResultWritten(false))));
        QVERIFY(appendProgrammingLog(path, entry("/dev/ttyUSB1", logResultWritten(true))));
        const QByteArray text = readAll(QString::fromStdString(path));
        QCOMPARE(text.count("date and time"), 1);
        QCOMPARE(text.count("\r\n"), 3);
        const auto rows = readProgrammingLog(path);
        QCOMPARE(rows.size(), std::size_t(2));
        QCOMPARE(rows[0][1], std::string("/dev/ttyUSB0"));
        QCOMPARE(rows[0][7], std::string("written"));
        QCOMPARE(rows[1][7], std::string("verified"));
        QCOMPARE(rows[1][0], logTimeText(1'765'000'000));
    }

    void awkwardFieldsComeBackUnchanged_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("comma") << "failed: no answer, 3 retries";
        QTest::newRow("quote") << "say \"hello\"";
        QTest::newRow("line break") << "two\nlines";
        QTest::newRow("spaces around") << "  padded  ";
    }
    void awkwardFieldsComeBackUnchanged()
    {
        QFETCH(QString, value);
        QTemporaryDir dir;
        const std::string path = dir.filePath("log.csv").toStdString();
        ProgrammingLogEntry e = entry("/dev/pts/3", logResultFailed(value.toStdString()));
        e.fileName = value.toStdString();
        QVERIFY(appendProgrammingLog(path, e));
        QVERIFY(appendProgrammingLog(path, entry("/dev/pts/4", "written")));
        const auto rows = readProgrammingLog(path);
        QCOMPARE(rows.size(), std::size_t(2));
        QCOMPARE(rows[0][5], value.toStdString());
        QCOMPARE(rows[0][7], "failed: " + value.toStdString());
        QCOMPARE(rows[1][1], std::string("/dev/pts/4"));
    }

    void existingLinesAreKept()
    {
        // A log someone opened and saved in a spreadsheet keeps its lines;
        // new ones go below without a second header.
        QTemporaryDir dir;
        const QString path = dir.filePath("log.csv");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old line,kept\r\n");
        f.close();
        QVERIFY(appendProgrammingLog(path.toStdString(), entry("/dev/ttyUSB0", "written")));
        const QByteArray text = readAll(path);
        QVERIFY(text.startsWith("old line,kept\r\n"));
        QCOMPARE(text.count("date and time"), 0);
        QCOMPARE(readProgrammingLog(path.toStdString()).size(), std::size_t(2));
    }

    void unwritableLogIsReported()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath("file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        // A folder that is a file cannot hold the log.
        QVERIFY(!appendProgrammingLog(dir.filePath("file/log.csv").toStdString(), entry("/dev/ttyUSB0", "written")));
        QVERIFY(!appendProgrammingLog("", entry("/dev/ttyUSB0", "written")));
        QVERIFY(readProgrammingLog(dir.filePath("missing.csv").toStdString()).empty());
    }

    void perUserPlaceAndHashedBytes()
    {
        QTemporaryDir dir;
        qputenv("XDG_DATA_HOME", dir.path().toUtf8());
        QCOMPARE(programmingLogPath(), dir.filePath("zavprog/programming-log.csv").toStdString());
        qputenv("XDG_DATA_HOME", "relative/ignored");
        qputenv("HOME", dir.path().toUtf8());
        QCOMPARE(programmingLogPath(), dir.filePath(".local/share/zavprog/programming-log.csv").toStdString());

        // What is hashed is exactly what a save writes.
        Document doc;
        (void)buildNewDocument(doc, "/nonexistent/zav-test-init", TemplateVariant::NewDocument);
        doc.image().OptFeat.Common1[0] = static_cast<Int16>(doc.image().OptFeat.Common1[0] + 1); // unsaved edit
        const std::vector<std::uint8_t> bytes = dataFileBytes(doc);
        const std::string saved = dir.filePath("saved.dat").toStdString();
        Document copy = doc;
        QVERIFY(saveDocument(copy, saved));
        const QByteArray file = readAll(QString::fromStdString(saved));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())), file);
    }
};

QTEST_GUILESS_MAIN(TestProgrammingLog)
#include "test_programming_log.moc"
