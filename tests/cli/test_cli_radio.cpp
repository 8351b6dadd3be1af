// The radio commands of zavprog-cli against virtual radios: exit codes,
// result lines, and that encode/decode/read/write agree with each other.

#include "sim_process.h"

#include "memory_map.h"
#include "sample_document.h"

#include "atomic_file.h"
#include "data_file.h"
#include "versions.h"

#include <QProcess>
#include <QTest>

using namespace zav;
using namespace zav::testing;

namespace {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun Cli(const QStringList& args)
{
    QProcess p;
    p.setProgram(QDir(qEnvironmentVariable("ZAV_PROGRAM_DIR")).filePath("zavprog-cli"));
    p.setArguments(args);
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

        const CliRun write = Cli({"write", "--port", radio.device(), path("read.dat"), "--yes"});
        QCOMPARE(write.exitCode, 0);
        QVERIFY(write.out.contains("written"));

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

    void oneFailureDoesNotStopTheOthers()
    {
        const Document doc = sim::sampleDocument(0);
        Document copy = doc;
        QVERIFY(saveDocument(copy, path("sample.dat").toStdString()));
        SimProcess plain({});
        SimProcess locked({"--password", "1234"});
        SimProcess other({"--echo"});
        const CliRun run = Cli({"write", "--port", plain.device(), "--port", locked.device(), "--port", other.device(),
                                path("sample.dat"), "--yes"});
        QVERIFY2(run.exitCode == 1, qPrintable(run.out + run.err));
        QVERIFY2(run.out.contains(plain.device() + ": written"), qPrintable(run.out + run.err));
        QVERIFY(run.out.contains(locked.device() + ": write failed"));
        QVERIFY(run.out.contains(other.device() + ": written"));
        QVERIFY(run.err.contains("PassWord Failure!"));

        const CliRun again = Cli({"write", "--port", locked.device(), path("sample.dat"), "--yes", "--password", "1234"});
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
};

QTEST_GUILESS_MAIN(TestCliRadio)
#include "test_cli_radio.moc"
