// The programming log: a header on creation, one line per write appended,
// fields a spreadsheet reads back unchanged whatever they hold, the
// per-user place, and a log that cannot be written reported as such.

#include "data_file.h"
#include "defaults.h"
#include "programming_log.h"
#include "programming_log_words.h"
#include "text_catalog.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdlib>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

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

/// Runs work in a child process: 0 when it returned true, 1 when false,
/// -1 when the child did not end by itself (it is killed after a minute,
/// so that an append that waits forever fails the test instead of hanging
/// it). fileSizeLimit: the child may not grow any file beyond so many bytes.
template <typename Work>
int inChild(Work work, rlim_t fileSizeLimit = RLIM_INFINITY)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(60);
        if (fileSizeLimit != RLIM_INFINITY) {
            std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails as on a full disk
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        ::_exit(work() ? 0 : 1);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
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

    void headerGoesIntoAnEmptyLog()
    {
        // An empty file (made by hand, or left by a program that could not
        // write its first line) is a log without its header yet.
        QTemporaryDir dir;
        const QString path = dir.filePath("log.csv");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(appendProgrammingLog(path.toStdString(), entry("/dev/ttyUSB0", "written")));
        const QByteArray text = readAll(path);
        QVERIFY2(text.startsWith("date and time,port,"), text.constData());
        QCOMPARE(text.count("\r\n"), 2);
    }

    // Only a regular file that may be written takes log lines; anything
    // else is refused at once (never waited on) and left as it was.
    void refusedTargetsAreLeftAsTheyWere_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder") << "folder";
        QTest::newRow("pipe") << "pipe";
        QTest::newRow("device") << "device";
        QTest::newRow("read-only file") << "read-only";
        QTest::newRow("link to a read-only file") << "link";
    }
    void refusedTargetsAreLeftAsTheyWere()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QByteArray path = QFile::encodeName(dir.filePath("log.csv"));
        const QByteArray old("date and time,port\r\nold,line\r\n");
        if (kind == "folder") {
            QVERIFY(::mkdir(path.constData(), 0755) == 0);
        } else if (kind == "pipe") {
            QVERIFY(::mkfifo(path.constData(), 0644) == 0);
        } else if (kind == "device") {
            if (::mknod(path.constData(), S_IFCHR | 0666, ::makedev(1, 3)) != 0)
                QSKIP("making a device node needs the right to");
        } else {
            const QByteArray file = kind == "link" ? QFile::encodeName(dir.filePath("real.csv")) : path;
            QFile f(QString::fromLocal8Bit(file));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(old);
            f.close();
            QVERIFY(::chmod(file.constData(), 0444) == 0);
            if (kind == "link")
                QVERIFY(::symlink("real.csv", path.constData()) == 0);
        }
        struct stat before {};
        QVERIFY(::stat(path.constData(), &before) == 0);
        const std::string target = path.toStdString();
        QCOMPARE(inChild([&] { return static_cast<bool>(appendProgrammingLog(target, entry("/dev/pts/1", "written"))); }),
                 1);
        struct stat after {};
        QVERIFY(::stat(path.constData(), &after) == 0);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_rdev, before.st_rdev);
        if (S_ISREG(before.st_mode))
            QCOMPARE(readAll(QString::fromLocal8Bit(path)), old);
    }

    void lineThatDoesNotFitIsTakenBack()
    {
        // On a full disk the log keeps only whole lines, so the next line
        // written once there is room again is a record of its own.
        QTemporaryDir dir;
        const std::string path = dir.filePath("log.csv").toStdString();
        QVERIFY(appendProgrammingLog(path, entry("/dev/ttyUSB0", "written")));
        const QByteArray before = readAll(QString::fromStdString(path));
        const int status = inChild([&] { return static_cast<bool>(appendProgrammingLog(path, entry("/dev/ttyUSB1", "written"))); },
                                   static_cast<rlim_t>(before.size() + 20));
        QCOMPARE(status, 1);
        QCOMPARE(readAll(QString::fromStdString(path)), before);
        QVERIFY(appendProgrammingLog(path, entry("/dev/ttyUSB2", "verified")));
        const auto rows = readProgrammingLog(path);
        QCOMPARE(rows.size(), std::size_t(2));
        QCOMPARE(rows[1].size(), programmingLogHeader().size());
        QCOMPARE(rows[1][1], std::string("/dev/ttyUSB2"));
    }

    void unfinishedLastLineIsNotContinued()
    {
        // A log whose last line someone else left unfinished: the next
        // record still starts a line of its own.
        QTemporaryDir dir;
        const QString path = dir.filePath("log.csv");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("date and time,port,model,band,version,file,sha256,result\r\n2026-01-01 10:00:00,/dev/ttyUSB0,ZA");
        f.close();
        QVERIFY(appendProgrammingLog(path.toStdString(), entry("/dev/ttyUSB1", "written")));
        const auto rows = readProgrammingLog(path.toStdString());
        QCOMPARE(rows.size(), std::size_t(2));
        QCOMPARE(rows[1][1], std::string("/dev/ttyUSB1"));
        QCOMPARE(rows[1][7], std::string("written"));
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

    /// The reasons' English words are the English language file's texts,
    /// so the window shows a known reason exactly as it was written, and
    /// every one of them reads back in Chinese.
    void reasonWordsAreTheEnglishFileTexts()
    {
        const std::string folder = qEnvironmentVariable("ZAV_SOURCE_DIR").toStdString() + "/data/language/";
        TextCatalog english;
        english.setFile(folder + "english.ini");
        TextCatalog chinese;
        chinese.setFile(folder + "chinese.ini");
        const LogTextLookup inEnglish = [&english](int id) { return english.text(id); };
        const LogTextLookup inChinese = [&chinese](int id) { return chinese.text(id); };
        for (const auto& [id, words] : logReasonTexts()) {
            QCOMPARE(QString::fromStdString(english.text(id)), QString(words));
            const std::string written = logResultFailed(logReasonWords(id, "7"));
            QCOMPARE(shownLogResult(written, inEnglish), "failed: " + logReasonWords(id, "7"));
            const std::string shown = shownLogResult(written, inChinese);
            const bool takesArgument = std::string(words).find("%1") != std::string::npos;
            QVERIFY2(shown != written && (shown.find('7') != std::string::npos) == takesArgument, shown.c_str());
        }
        // A compare's results read back in both languages.
        for (const std::size_t differences : {std::size_t{0}, std::size_t{3}}) {
            const std::string written = logResultCompared(differences);
            QCOMPARE(shownLogResult(written, inEnglish), written);
            const std::string shown = shownLogResult(written, inChinese);
            QVERIFY2(shown != written && (shown.find('3') != std::string::npos) == (differences == 3), shown.c_str());
        }
    }
};

QTEST_GUILESS_MAIN(TestProgrammingLog)
#include "test_programming_log.moc"
