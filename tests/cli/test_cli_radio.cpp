// The radio commands of zavprog-cli against virtual radios: exit codes,
// result lines, and that encode/decode/read/write agree with each other.

#include "sim_process.h"

#include "memory_map.h"
#include "sample_document.h"

#include "atomic_file.h"
#include "data_file.h"
#include "programming_log.h"
#include "versions.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QTest>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

using namespace zav;
using namespace zav::testing;

namespace {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

QString CliProgram() { return QDir(qEnvironmentVariable("ZAV_PROGRAM_DIR")).filePath("zavprog-cli"); }

CliRun Cli(const QStringList& args, const QString& workDir = {}, const QString& dataHome = {})
{
    QProcess p;
    if (!dataHome.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", dataHome);
        p.setProcessEnvironment(env);
    }
    p.setProgram(CliProgram());
    p.setArguments(args);
    p.setWorkingDirectory(workDir);
    p.setStandardInputFile(QProcess::nullDevice()); // never a terminal
    p.start();
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}


/// The sample configuration plus what a radio would not get as written:
/// channel 2 at 65.536 MHz (beyond the 16-bit kHz field), channel 3 at
/// 31 MHz (above the band), channel 4 with receive tone 300 (the list ends
/// at 264), and emergency channel 0 of group 0 on a slot without a channel.
Document DocumentWithErrors()
{
    Document doc = sim::sampleDocument(0);
    RadioImage& im = doc.image();
    const struct {
        int number;
        const char* frequency;
        int rxTone;
    } added[] = {{2, "06553600", 0}, {3, "03100000", 0}, {4, "02700000", 300}};
    for (const auto& a : added) {
        if (doc.findChannelByNumber(static_cast<Int16>(a.number)) >= 0)
            continue; // the sample already has it: changed below
        ChannelRecord& r = doc.active()[static_cast<std::size_t>(im.ChannelCount++)];
        r = ChannelRecord{};
        r.Number = static_cast<Int16>(a.number);
    }
    for (const auto& a : added) {
        ChannelRecord& r = doc.active()[static_cast<std::size_t>(doc.findChannelByNumber(static_cast<Int16>(a.number)))];
        r.RxFrequency.assign(a.frequency);
        r.RxTone = static_cast<Int16>(a.rxTone);
    }
    int empty = 1;
    while (doc.findChannelByNumber(static_cast<Int16>(empty)) >= 0)
        ++empty;
    im.OptFeat.Common1[common1::EmergencyChannelBase] = static_cast<Int16>(empty);
    return doc;
}

/// A pseudo-terminal that nobody answers on: every byte a program sends to
/// its device stays readable at the other end.
class ListeningLine {
public:
    ListeningLine()
    {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
            return;
        device_ = QString::fromLocal8Bit(::ptsname(master_));
        keeper_ = ::open(::ptsname(master_), O_RDWR | O_NOCTTY);
        termios t{};
        if (keeper_ >= 0 && ::tcgetattr(keeper_, &t) == 0) {
            ::cfmakeraw(&t);
            ::tcsetattr(keeper_, TCSANOW, &t);
        }
    }
    ~ListeningLine()
    {
        if (keeper_ >= 0)
            ::close(keeper_);
        if (master_ >= 0)
            ::close(master_);
    }
    ListeningLine(const ListeningLine&) = delete;
    ListeningLine& operator=(const ListeningLine&) = delete;

    [[nodiscard]] QString device() const { return keeper_ >= 0 ? device_ : QString(); }
    /// The bytes that arrived so far (waits briefly for stragglers).
    QByteArray received()
    {
        QByteArray bytes;
        pollfd p{master_, POLLIN, 0};
        while (::poll(&p, 1, 200) > 0 && (p.revents & POLLIN)) {
            char buffer[256];
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            bytes.append(buffer, n);
        }
        return bytes;
    }

private:
    int master_ = -1;
    int keeper_ = -1;
    QString device_;
};

} // namespace

class TestCliRadio : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }

private slots:
    void readThenWriteGivesTheRadioItsMemoryBack()
    {
        const QString dump = path("dump.bin");
        SimProcess radio({"--dump", dump, "--channel-mode", "4", "--echo"});
        QVERIFY(!radio.device().isEmpty());
        const CliRun read = Cli({"read", "--port", radio.device(), "-o", path("read.dat")});
        QCOMPARE(read.exitCode, 0);
        QVERIFY(read.out.contains("read into"));

        // The sample radio holds values outside the editors' lists (to cover
        // every bit of the packed bytes), which the check before a write
        // calls errors.
        const CliRun write = Cli({"write", "--port", radio.device(), path("read.dat"), "--yes", "--force"});
        QCOMPARE(write.exitCode, 0);
        QVERIFY(write.out.contains("written"));
        // The command may have ended before the radio read its end request
        // (an unanswered one counts as done): the dump of the read's end
        // request would still be there.
        QVERIFY(radio.waitForEnds(2));

        // encode gives what the write sent, but for the radio's own header.
        QCOMPARE(Cli({"encode", path("read.dat"), "-o", path("encoded.bin")}).exitCode, 0);
        QByteArray encoded = FileBytes(path("encoded.bin"));
        QByteArray written = FileBytes(dump);
        QCOMPARE(encoded.size(), link::kMemoryBytes);
        QCOMPARE(written.size(), link::kMemoryBytes);
        encoded.replace(link::kHeaderAddress, 16, QByteArray(16, 0));
        written.replace(link::kHeaderAddress, 16, QByteArray(16, 0));
        QCOMPARE(encoded.left(0x2440), written.left(0x2440));
        QCOMPARE(encoded.mid(0x4000, 0x21A0), written.mid(0x4000, 0x21A0));

        // decode gives back the file that was read (saved channel mode 4).
        QCOMPARE(Cli({"decode", path("encoded.bin"), "--mode", "4", "-o", path("decoded.dat")}).exitCode, 0);
        Document a;
        Document b;
        QCOMPARE(int(openDocument(a, path("read.dat").toStdString(), {}).outcome), int(OpenOutcome::Opened));
        QCOMPARE(int(openDocument(b, path("decoded.dat").toStdString(), {}).outcome), int(OpenOutcome::Opened));
        QCOMPARE(int(a.image().ChannelMode), 4);
        QVERIFY(a.working.Settings.OptFeat == b.working.Settings.OptFeat);
        QVERIFY(a.working.ActiveChannels == b.working.ActiveChannels);
        QVERIFY(a.working.StandbyChannels == b.working.StandbyChannels);
    }

    void aReadLeavesOneBackupOfWhatWasRead()
    {
        const QString dataHome = path("backup-home");
        const QString backups = dataHome + "/zavprog/backups";
        SimProcess radio({"--channel-mode", "4"});
        QVERIFY(!radio.device().isEmpty());
        QCOMPARE(Cli({"read", "--port", radio.device(), "-o", path("backed.dat")}, {}, dataHome).exitCode, 0);
        const QStringList kept = QDir(backups).entryList({"*.dat"}, QDir::Files);
        QCOMPARE(kept.size(), 1);
        QVERIFY2(kept[0].contains("_read_ZAV415_"), qPrintable(kept[0]));
        QCOMPARE(FileBytes(backups + "/" + kept[0]), FileBytes(path("backed.dat")));
        QCOMPARE(FileBytes(backups + "/" + kept[0] + ".info"), "device=" + radio.device().toUtf8() + "\n");
        // --no-backup keeps none; a folder that cannot be made warns but the
        // read still succeeds.
        QCOMPARE(Cli({"read", "--port", radio.device(), "-o", path("unbacked.dat"), "--no-backup"}, {}, dataHome).exitCode, 0);
        QCOMPARE(QDir(backups).entryList({"*.dat"}, QDir::Files).size(), 1);
        QFile blocker(path("blocked-home"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const CliRun blocked = Cli({"read", "--port", radio.device(), "-o", path("blocked.dat")}, {}, path("blocked-home"));
        QCOMPARE(blocked.exitCode, 0);
        QCOMPARE(blocked.err.count("no backup could be written"), 1);
    }

    void verifiedWritesOnePerRadio()
    {
        const Document doc = sim::sampleDocument(0);
        Document copy = doc;
        QVERIFY(saveDocument(copy, path("verify.dat").toStdString()));
        const QString dataHome = path("verify-home");
        SimProcess good({"--echo"});
        SimProcess bad({"--corrupt", "0x2175"});
        QVERIFY(!good.device().isEmpty() && !bad.device().isEmpty());
        // The sample holds out-of-list values on purpose (every bit of the
        // packed bytes is used): --force past the check.
        const CliRun write = Cli({"write", "--port", good.device(), "--port", bad.device(), path("verify.dat"), "--yes",
                                  "--verify", "--force"},
                                 {}, dataHome);
        QCOMPARE(write.exitCode, 1);
        QVERIFY2(write.out.contains(good.device() + ": written and verified"), qPrintable(write.out));
        QVERIFY2(write.out.contains(bad.device() + ": verification failed: 1 block(s) differ: 0x2170"), qPrintable(write.out));
        // Only the radio that holds the file has a backup of it.
        const QStringList kept = QDir(dataHome + "/zavprog/backups").entryList({"*.dat"}, QDir::Files);
        QCOMPARE(kept.size(), 1);
        QVERIFY2(kept[0].contains("_write_"), qPrintable(kept[0]));
        QCOMPARE(FileBytes(dataHome + "/zavprog/backups/" + kept[0]), FileBytes(path("verify.dat")));
    }

    void oneFailureDoesNotStopTheOthers()
    {
        const Document doc = sim::sampleDocument(0);
        Document copy = doc;
        QVERIFY(saveDocument(copy, path("sample.dat").toStdString()));
        SimProcess plain({});
        SimProcess locked({"--password", "1234"});
        SimProcess other({"--echo"});
        // --force: the sample holds values that the check calls errors.
        const CliRun run = Cli({"write", "--port", plain.device(), "--port", locked.device(), "--port", other.device(),
                                path("sample.dat"), "--yes", "--force", "--log", path("fleet-log.csv")});
        QVERIFY2(run.exitCode == 1, qPrintable(run.out + run.err));
        QVERIFY2(run.out.contains(plain.device() + ": written"), qPrintable(run.out + run.err));
        QVERIFY(run.out.contains(locked.device() + ": write failed"));
        QVERIFY(run.out.contains(other.device() + ": written"));
        QVERIFY(run.err.contains("PassWord Failure!"));
        // One log line per radio, each with what it got and how it ended.
        const auto log = readProgrammingLog(path("fleet-log.csv").toStdString());
        QCOMPARE(log.size(), std::size_t(3));
        QCOMPARE(QString::fromStdString(log[1][1]), locked.device());
        QCOMPARE(log[1][7], std::string("failed: the password was refused"));
        QCOMPARE(log[1][2], std::string("ZAV415")); // it said who it is before the password
        QCOMPARE(log[0][7], std::string("written"));
        QCOMPARE(log[0][5], std::string("sample.dat"));
        QCOMPARE(log[0][2], std::string("ZAV415"));
        const QByteArray file = FileBytes(path("sample.dat"));
        QCOMPARE(QByteArray::fromStdString(log[2][6]), QCryptographicHash::hash(file, QCryptographicHash::Sha256).toHex());

        const CliRun again =
            Cli({"write", "--port", locked.device(), path("sample.dat"), "--yes", "--password", "1234", "--force"});
        QCOMPARE(again.exitCode, 0);
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("write needs --yes without a terminal")
            << QStringList{"write", "--port", "/dev/null", "@sample"} << 2 << "--yes";
        QTest::newRow("missing port") << QStringList{"read", "-o", "@x.dat"} << 2 << "usage";
        QTest::newRow("port that cannot be opened")
            << QStringList{"read", "--port", "@no-such-port", "-o", "@x.dat"} << 1 << "read failed";
        QTest::newRow("memory image of the wrong size")
            << QStringList{"decode", "@sample", "--mode", "0", "-o", "@x.dat"} << 1 << "25664";
        QTest::newRow("mode that is not a number")
            << QStringList{"decode", "@sample", "--mode", "x", "-o", "@x.dat"} << 2 << "--mode";
        // The radio takes at most four characters; a longer password
        // could never be accepted.
        QTest::newRow("read with a long password")
            << QStringList{"read", "--port", "/dev/null", "--password", "12345", "-o", "@x.dat"} << 2 << "--password";
        QTest::newRow("write with a long password")
            << QStringList{"write", "--port", "/dev/null", "@sample", "--yes", "--password", "12345"} << 2 << "--password";
        QTest::newRow("retries that are not a number")
            << QStringList{"read", "--port", "/dev/null", "--retries", "x", "-o", "@x.dat"} << 2 << "--retries";
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        Document doc = sim::sampleDocument(0);
        QVERIFY(saveDocument(doc, path("sample").toStdString()));
        for (QString& a : args)
            if (a.startsWith('@'))
                a = path(a.mid(1));
        const CliRun run = Cli(args);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(!QFile::exists(path("x.dat")));
    }

    // A port given as a path relative to the working folder is that file,
    // not a device name looked up in /dev.
    void relativePortPath()
    {
        SimProcess radio({"--link", path("radio0")});
        QCOMPARE(radio.device(), path("radio0"));
        const CliRun read = Cli({"read", "--port", "radio0", "-o", "read.dat"}, dir_.path());
        QVERIFY2(read.exitCode == 0, qPrintable(read.out + read.err));
        QVERIFY(read.out.contains("radio0: read into"));
        QCOMPARE(FileBytes(path("read.dat")).size(), 95640);
    }

    // Lost replies are answered with OK to the retry question a few times
    // per transfer, so a poor line still gets the read through. The seeds
    // fix which replies the virtual radio drops.
    void readThroughLostReplies()
    {
        // A lost reply costs a time-out, so the reads run side by side; the
        // radios answer at once, which keeps late replies out of it.
        constexpr int kSeeds = 20;
        constexpr int kAtOnce = 10;
        for (int first = 1; first <= kSeeds; first += kAtOnce) {
            std::vector<std::unique_ptr<SimProcess>> radios;
            std::vector<std::unique_ptr<QProcess>> reads;
            for (int seed = first; seed < first + kAtOnce; ++seed) {
                radios.push_back(std::make_unique<SimProcess>(QStringList{"--lose", "0.05", "--seed", QString::number(seed)}));
                QVERIFY(!radios.back()->device().isEmpty());
                reads.push_back(std::make_unique<QProcess>());
                reads.back()->setStandardInputFile(QProcess::nullDevice());
                reads.back()->start(CliProgram(), {"read", "--port", radios.back()->device(), "-o",
                                                   path(QString("lossy%1.dat").arg(seed))});
            }
            for (std::size_t i = 0; i < reads.size(); ++i) {
                QProcess& read = *reads[i];
                const int seed = first + int(i);
                QVERIFY(read.waitForFinished(120000));
                QVERIFY2(read.exitStatus() == QProcess::NormalExit && read.exitCode() == 0,
                         qPrintable(QString("seed %1: ").arg(seed) + read.readAllStandardError()));
                QCOMPARE(FileBytes(path(QString("lossy%1.dat").arg(seed))).size(), 95640);
            }
        }
    }

    // With retries used up the command line answers Cancel and the read
    // fails; --retries 0 gives up at the first stall.
    void retriesRunOut()
    {
        SimProcess radio({"--silent-after", "3"});
        const CliRun read = Cli({"read", "--port", radio.device(), "--retries", "2", "-o", path("silent.dat")});
        QCOMPARE(read.exitCode, 1);
        QCOMPARE(read.err.count("-> OK"), 2);
        QCOMPARE(read.err.count("-> Cancel"), 1);
        QVERIFY(!QFile::exists(path("silent.dat")));
    }

    // An interrupted read ends through the engine: the radio is told the
    // transfer ends, nothing is saved, and the exit status names the signal.
    void signalStopsTheRead_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("SIGINT") << int(SIGINT) << 130;
        QTest::newRow("SIGTERM") << int(SIGTERM) << 143;
    }
    void signalStopsTheRead()
    {
        QFETCH(int, signal);
        QFETCH(int, exitCode);
        QTemporaryDir here;
        const QString dump = here.filePath("ends.bin");
        const QString out = here.filePath("stopped.dat");
        // Paced like a real line, so the read is still running when the
        // signal comes; the radio dumps its memory at each end request.
        SimProcess radio({"--paced", "--dump", dump});
        QProcess cli;
        cli.setProgram(CliProgram());
        cli.setArguments({"read", "--port", radio.device(), "-o", out});
        cli.setStandardInputFile(QProcess::nullDevice());
        cli.setReadChannel(QProcess::StandardError); // where progress goes
        cli.start();
        QVERIFY(cli.waitForStarted());
        QByteArray err;
        while (!err.contains("10%") && cli.state() == QProcess::Running) {
            cli.waitForReadyRead(30000);
            err += cli.readAll();
        }
        QVERIFY2(err.contains("10%"), err.constData());
        QVERIFY(!QFile::exists(dump));
        QCOMPARE(::kill(pid_t(cli.processId()), signal), 0);
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
        QCOMPARE(cli.exitCode(), exitCode);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dump), 30000);
        QVERIFY(!QFile::exists(out));
    }

    // A file with errors is refused before any port is opened: the line
    // sees not one byte, the virtual radio no end request. --force writes
    // it as the radio can take it (the 65.536 MHz channel as an empty slot).
    void writeRefusesAFileWithErrors()
    {
        Document doc = DocumentWithErrors();
        QVERIFY(saveDocument(doc, path("errors.dat").toStdString()));

        ListeningLine line;
        QVERIFY(!line.device().isEmpty());
        const CliRun listened = Cli({"write", "--port", line.device(), path("errors.dat"), "--yes", "--retries", "0"});
        QCOMPARE(line.received(), QByteArray());
        QCOMPARE(listened.exitCode, 1);
        QVERIFY2(listened.err.contains("nothing was written"), qPrintable(listened.err));
        QVERIFY2(listened.err.contains("error: channel 2 (group 0, number 2)"), qPrintable(listened.err));

        const QString dump = path("errors-dump.bin");
        SimProcess radio({"--dump", dump});
        QVERIFY(!radio.device().isEmpty());
        const CliRun refused = Cli({"write", "--port", radio.device(), path("errors.dat"), "--yes"});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY(!refused.out.contains("written"));
        QVERIFY(!QFile::exists(dump));

        const CliRun forced = Cli({"write", "--port", radio.device(), path("errors.dat"), "--yes", "--force"});
        QVERIFY2(forced.exitCode == 0, qPrintable(forced.out + forced.err));
        QVERIFY(forced.out.contains(radio.device() + ": written"));
        QVERIFY(forced.err.contains("--force"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dump), 10000);
        const QByteArray memory = FileBytes(dump);
        QCOMPARE(memory.size(), link::kMemoryBytes);
        // Bitmap A: channel n at bit (n - 1) % 8 of byte (n - 1) / 8.
        const auto sent = [&](int n) { return (memory[link::mem::BitmapA + (n - 1) / 8] >> ((n - 1) % 8)) & 1; };
        QCOMPARE(sent(2), 0);
        QCOMPARE(sent(3), 1);
        QCOMPARE(sent(4), 1);
    }

    // Every radio named gets a line in the log, written or not, with the
    // reason in plain words: refused by the check, out of retries, stopped.
    void everyRadioGetsALogLine()
    {
        QTemporaryDir here;
        const auto log = [&](const QString& name) { return readProgrammingLog(here.filePath(name).toStdString()); };
        Document doc = DocumentWithErrors();
        QVERIFY(saveDocument(doc, here.filePath("errors.dat").toStdString()));
        Document plain = sim::sampleDocument(0);
        QVERIFY(saveDocument(plain, here.filePath("plain.dat").toStdString()));

        const CliRun refused = Cli({"write", "--port", "/dev/zav-a", "--port", "/dev/zav-b", here.filePath("errors.dat"),
                                    "--yes", "--log", here.filePath("refused.csv")});
        QCOMPARE(refused.exitCode, 1);
        const auto refusedLines = log("refused.csv");
        QCOMPARE(refusedLines.size(), std::size_t(2));
        QCOMPARE(refusedLines[1][1], std::string("/dev/zav-b"));
        for (const auto& line : refusedLines) {
            QVERIFY(line[2].empty());
            QCOMPARE(line[5], std::string("errors.dat"));
            QCOMPARE(line[7], std::string("not written: the check found errors"));
        }

        SimProcess silent({"--silent-after", "3"});
        const CliRun stalled = Cli({"write", "--port", silent.device(), here.filePath("plain.dat"), "--yes", "--force",
                                    "--retries", "2", "--log", here.filePath("stalled.csv")});
        QCOMPARE(stalled.exitCode, 1);
        QCOMPARE(log("stalled.csv").size(), std::size_t(1));
        QCOMPARE(log("stalled.csv")[0][7], std::string("failed: no answer after 2 retries"));

        SimProcess paced({"--paced"});
        QProcess cli;
        cli.setProgram(CliProgram());
        cli.setArguments({"write", "--port", paced.device(), here.filePath("plain.dat"), "--yes", "--force", "--log",
                          here.filePath("stopped.csv")});
        cli.setStandardInputFile(QProcess::nullDevice());
        cli.setReadChannel(QProcess::StandardError);
        cli.start();
        QVERIFY(cli.waitForStarted());
        QByteArray err;
        while (!err.contains("10%") && cli.state() == QProcess::Running) {
            cli.waitForReadyRead(30000);
            err += cli.readAll();
        }
        QVERIFY2(err.contains("10%"), err.constData());
        QCOMPARE(::kill(pid_t(cli.processId()), SIGINT), 0);
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitCode(), 130);
        QCOMPARE(log("stopped.csv").size(), std::size_t(1));
        QCOMPARE(log("stopped.csv")[0][2], std::string("ZAV415"));
        QCOMPARE(log("stopped.csv")[0][7], std::string("failed: stopped by the user"));
    }

    // An output that cannot be written is refused before the radio is
    // touched: the virtual radio never sees an end request.
    void unwritableOutputIsRefusedFirst()
    {
        QTemporaryDir here;
        const QString dump = here.filePath("ends.bin");
        QVERIFY(QDir(here.path()).mkdir("folder.dat"));
        SimProcess radio({"--dump", dump});
        const CliRun read = Cli({"read", "--port", radio.device(), "-o", here.filePath("folder.dat")});
        QCOMPARE(read.exitCode, 1);
        QVERIFY2(read.err.contains("cannot be opened, read or written"), qPrintable(read.err));
        radio.kill();
        QVERIFY(!QFile::exists(dump));
    }
};

QTEST_GUILESS_MAIN(TestCliRadio)
#include "test_cli_radio.moc"
