// Compare with Radio and the write options of the command line, against
// virtual radios: compare's exit status and the differences it names (and
// never a field the radio does not store), a compare that never writes,
// the backup of what a radio held before a write, and a power-on text of
// its own for every radio of a fleet write.

#include "sim_process.h"

#include "memory_map.h"
#include "sample_document.h"

#include "backup_store.h"
#include "data_file.h"
#include "power_on_texts.h"
#include "programming_log.h"
#include "version_records.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

CliRun Cli(const QStringList& args, const QString& dataHome)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", dataHome);
    env.remove("ZAV_PASSWORD");
    p.setProcessEnvironment(env);
    p.setProgram(QDir(qEnvironmentVariable("ZAV_PROGRAM_DIR")).filePath("zavprog-cli"));
    p.setArguments(args);
    p.setStandardInputFile(QProcess::nullDevice()); // never a terminal
    p.start();
    p.waitForFinished(180000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray Bytes(const link::RadioMemory& memory)
{
    return QByteArray(reinterpret_cast<const char*>(memory.data()), static_cast<qsizetype>(memory.size()));
}

QByteArray MemoryBytes(const link::RadioMemory& memory)
{
    return QByteArray(reinterpret_cast<const char*>(memory.data()), static_cast<qsizetype>(memory.size()));
}

/// The plan's ranges of a memory, the identity bytes blanked.
QByteArray Planned(QByteArray memory)
{
    memory.replace(link::kHeaderAddress, link::kIdentityHeaderBytes, QByteArray(link::kIdentityHeaderBytes, 0));
    return memory.left(0x2440) + memory.mid(0x4000, 0x2440);
}

} // namespace

class TestCliCompare : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }

    /// The sample as a data file, with values in fields only the data file
    /// keeps (the radio has no place for them).
    QString sampleFile()
    {
        Document doc = sim::sampleDocument(0);
        doc.image().RadioList[2].Flag = 1;
        doc.image().RadioList[2].Frequency.assign("02712345");
        doc.image().TestFrequencies[1].First.assign("02800000");
        doc.image().KeySettings[3] = 4;
        doc.active()[0].RxStepClass = 3;
        doc.image().OptFeat.Common2[common2::SquelchLevel] = 9; // the radio keeps its own
        const QString file = path("sample.dat");
        if (!saveDocument(doc, file.toStdString()))
            return {};
        return file;
    }

private slots:
    void radioHoldingTheFile()
    {
        const QString file = sampleFile();
        QVERIFY(!file.isEmpty());
        const QString dump = path("same-dump.bin");
        SimProcess radio({"--dump", dump});
        QVERIFY(!radio.device().isEmpty());
        const CliRun run = Cli({"compare", "--port", radio.device(), file}, path("home"));
        QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
        QCOMPARE(run.out, radio.device() + ": the radio holds " + file + "\n");
        // Nothing was written: the radio ends with the memory it began with.
        QVERIFY(radio.waitForEnds(1));
        QCOMPARE(FileBytes(dump), MemoryBytes(sim::sampleMemory()));
        // The read keeps its backup, as a read does.
        const auto backups = listBackups((path("home") + "/zavprog/backups").toStdString());
        QCOMPARE(backups.size(), std::size_t(1));
        QCOMPARE(int(backups[0].kind), int(BackupKind::Read));

        const CliRun json = Cli({"compare", "--port", radio.device(), file, "--json", "--no-backup"}, path("home"));
        QCOMPARE(json.exitCode, 0);
        const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(o["same"].toBool(), true);
        QVERIFY(o["differences"].toArray().isEmpty());
    }

    void radioThatDiffersInThreeFields()
    {
        const QString file = sampleFile();
        Document held = sim::sampleDocument(0);
        ChannelRecord& second = held.active()[1];
        second.RxTone = static_cast<Int16>(second.RxTone == 5 ? 6 : 5);
        held.image().OptFeat.PowerOnText.assign("UNIT 99");
        held.image().OptFeat.Common1[common1::DisplayMode] ^= 1;
        link::RadioMemory memory = sim::sampleMemory();
        const link::RadioMemory encoded = link::encodeDocument(held);
        std::copy(encoded.begin(), encoded.begin() + link::kHeaderAddress, memory.begin());
        std::copy(encoded.begin() + link::kHeaderAddress + 16, encoded.end(), memory.begin() + link::kHeaderAddress + 16);
        QVERIFY(WriteBytes(path("differs.bin"), MemoryBytes(memory)));
        SimProcess radio({"--memory", path("differs.bin")});
        QVERIFY(!radio.device().isEmpty());

        const CliRun run = Cli({"compare", "--port", radio.device(), file, "--no-backup"}, path("home"));
        QVERIFY2(run.exitCode == 1, qPrintable(run.out + run.err));
        const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
        QVERIFY2(lines.size() == 3, qPrintable(run.out));
        const QString number = QString::number(second.Number);
        QVERIFY2(lines[0].startsWith("channel " + number + " (") && lines[0].contains("Decode CTCSS/DCS: the document has"),
                 qPrintable(lines[0]));
        QVERIFY2(lines.filter("Power-on Text: the document has").size() == 1, qPrintable(run.out));
        QVERIFY2(lines.filter("\"UNIT 99\"").size() == 1, qPrintable(run.out));
        QVERIFY2(lines.filter("Display Mode: the document has").size() == 1, qPrintable(run.out));

        const CliRun json = Cli({"compare", "--port", radio.device(), file, "--json", "--no-backup"}, path("home"));
        QCOMPARE(json.exitCode, 1);
        const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(o["same"].toBool(), false);
        QCOMPARE(o["differences"].toArray().size(), 3);
        QCOMPARE(o["differences"].toArray()[0].toObject()["channel"].toInt(), int(second.Number));
    }

    void passwordProtectedRadio()
    {
        const QString file = sampleFile();
        SimProcess radio({"--password", "1234"});
        QVERIFY(!radio.device().isEmpty());
        const CliRun refused = Cli({"compare", "--port", radio.device(), file, "--no-backup"}, path("home"));
        QCOMPARE(refused.exitCode, 2);
        QVERIFY2(refused.err.contains("the password was refused"), qPrintable(refused.err));
        const CliRun run = Cli({"compare", "--port", radio.device(), file, "--password", "1234", "--no-backup"},
                               path("home"));
        QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
    }

    void silentRadioIsATransferError()
    {
        const QString file = sampleFile();
        SimProcess radio({"--silent-after", "0"});
        const CliRun run = Cli({"compare", "--port", radio.device(), file, "--retries", "0"}, path("home"));
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
    }

    void backupBeforeWriteHoldsWhatTheRadioHeld()
    {
        Document doc = sim::sampleDocument(0);
        doc.image().OptFeat.PowerOnText.assign("NEW ONE");
        QVERIFY(saveDocument(doc, path("new.dat").toStdString()));
        const QString dump = path("before-dump.bin");
        SimProcess radio({"--dump", dump});
        const QString home = path("before-home");
        const CliRun run = Cli({"write", "--port", radio.device(), path("new.dat"), "--yes", "--force",
                                "--backup-before", "--verify"},
                               home);
        QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
        QVERIFY(run.out.contains("written and verified"));
        const auto backups = listBackups((home + "/zavprog/backups").toStdString());
        QCOMPARE(backups.size(), std::size_t(2));
        const auto before = std::find_if(backups.begin(), backups.end(),
                                         [](const BackupEntry& e) { return e.kind == BackupKind::BeforeWrite; });
        QVERIFY(before != backups.end());
        QVERIFY2(QString::fromStdString(before->path).contains("_before-write_ZAV415_"), before->path.c_str());
        QCOMPARE(QString::fromStdString(before->headerModel), QString("ZAV415"));
        // The backup, written to a radio, gives back the memory the radio began with.
        Document held;
        QCOMPARE(int(openDocument(held, before->path, {}).outcome), int(OpenOutcome::Opened));
        QCOMPARE(Planned(MemoryBytes(link::encodeDocument(held))), Planned(MemoryBytes(sim::sampleMemory())));
        // And the write went on: the radio holds the new file.
        QVERIFY(radio.waitForEnds(3)); // the read, the write, the read back
        QCOMPARE(Planned(FileBytes(dump)), Planned(MemoryBytes(link::encodeDocument(doc))));
    }

    void eachRadioGetsItsOwnPowerOnText()
    {
        const Document doc = sim::sampleDocument(0);
        Document copy = doc;
        QVERIFY(saveDocument(copy, path("fleet.dat").toStdString()));
        const QByteArray fileBefore = FileBytes(path("fleet.dat"));
        std::vector<std::unique_ptr<SimProcess>> radios;
        QStringList args{"write", path("fleet.dat"), "--yes", "--force", "--verify", "--log", path("fleet.csv"),
                         "--power-on-text", "UNIT {n:02}", "--first", "1"};
        for (int i = 0; i < 4; ++i) {
            radios.push_back(std::make_unique<SimProcess>(QStringList{"--dump", path(QString("unit%1.bin").arg(i))}));
            args << "--port" << radios.back()->device();
        }
        const CliRun run = Cli(args, path("home"));
        QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
        const auto log = readProgrammingLog(path("fleet.csv").toStdString());
        QCOMPARE(log.size(), std::size_t(4));
        for (int i = 0; i < 4; ++i) {
            const QByteArray expected = QString("UNIT %1").arg(i + 1, 2, 10, QChar('0')).toLatin1();
            QVERIFY(radios[std::size_t(i)]->waitForEnds(2));
            const QByteArray text = FileBytes(path(QString("unit%1.bin").arg(i))).mid(link::mem::PowerOnText, 16);
            QCOMPARE(text, Bytes(link::encodeDocument(withPowerOnText(doc, expected.toStdString()))).mid(link::mem::PowerOnText, 16));
            QVERIFY(text.startsWith(expected));
            const auto& line = log[std::size_t(i)];
            QCOMPARE(QString::fromStdString(line[1]), radios[std::size_t(i)]->device());
            QCOMPARE(line[7], std::string("verified"));
            QCOMPARE(line[8], std::string("write"));
            QCOMPARE(QByteArray::fromStdString(line[9]), expected);
        }
        // The file itself is not changed.
        QCOMPARE(FileBytes(path("fleet.dat")), fileBefore);

        // A text the radio cannot hold is refused before any radio is written.
        const CliRun tooLong = Cli({"write", "--port", radios[0]->device(), path("fleet.dat"), "--yes", "--force",
                                    "--power-on-text", "A VERY LONG NAME {n:03}"},
                                   path("home"));
        QCOMPARE(tooLong.exitCode, 2);
        QVERIFY2(tooLong.err.contains("longer than 16 bytes"), qPrintable(tooLong.err));
    }

    void oldLogHeaderKeepsWorking()
    {
        // A log begun before the job and power-on text columns existed.
        const QString log = path("old-log.csv");
        QVERIFY(WriteBytes(log, "date and time,port,model,band,version,file,sha256,result\r\n"
                                "2026-01-02 03:04:05,/dev/ttyUSB0,ZAV415,0,V300,a.dat,abc,written\r\n"));
        ProgrammingLogEntry entry;
        entry.port = "/dev/ttyUSB1";
        entry.result = "verified";
        entry.powerOnText = "UNIT 01";
        QVERIFY(appendProgrammingLog(log.toStdString(), entry).ok());
        const auto lines = readProgrammingLog(log.toStdString());
        QCOMPARE(lines.size(), std::size_t(2));
        QCOMPARE(lines[0][7], std::string("written"));
        QCOMPARE(lines[0][8], std::string());
        QCOMPARE(lines[1][1], std::string("/dev/ttyUSB1"));
        QCOMPARE(lines[1][8], std::string("write"));
        QCOMPARE(lines[1][9], std::string("UNIT 01"));
        QVERIFY(FileBytes(log).startsWith("date and time,port,model,band,version,file,sha256,result\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestCliCompare)
#include "test_cli_compare.moc"
