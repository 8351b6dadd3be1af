// Every file zavprog-cli writes or appends to, taken from the program's own
// list of commands and their options: a folder, a device, a pipe or a
// read-only file named as that output is refused with a message and left
// exactly as it was, without waiting on the pipe; and "-o -" onto a
// standard output that cannot be written says so. A command that gains an
// output without a row here fails the test.

#include "cli_process.h"
#include "sim_process.h"

#include <QDir>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using zav::testing::SimProcess;

namespace {

/// "command --option" for every output of every command, from the
/// program's help (which lists the registered commands and their options).
QStringList RegisteredOutputs(const QString& workDir)
{
    const Run overview = Cli({"--help"}, workDir);
    QStringList names;
    bool inCommands = false;
    for (const QString& line : overview.out.split('\n')) {
        if (line.startsWith("Commands")) {
            inCommands = true;
            continue;
        }
        if (inCommands && !line.startsWith("  "))
            break;
        if (inCommands)
            names << line.trimmed().section(' ', 0, 0);
    }
    QStringList outputs;
    for (const QString& name : names) {
        const QString help = Cli({name, "--help"}, workDir).out;
        for (const char* option : {"--output", "--log", "--trace"})
            if (help.contains(QRegularExpression(QStringLiteral("%1 <").arg(option))))
                outputs << name + " " + option;
    }
    return outputs;
}

/// How to run each output with target as that output, everything else
/// valid; port is a virtual radio's device ("" for the file commands).
struct OutputRow {
    bool needsRadio = false;
    std::function<QStringList(const QString& target, const QString& port)> args;
    /// The exit status of a refused target: 1, or 2 for compare, whose 1
    /// means "the radio differs".
    int refusedExit = 1;
};

const QMap<QString, OutputRow>& OutputRows()
{
    static const QMap<QString, OutputRow> rows{
        {"decode --output", {false, [](const QString& t, const QString&) {
             return QStringList{"decode", "memory.bin", "--mode", "0", "-o", t};
         }}},
        {"encode --output", {false, [](const QString& t, const QString&) {
             return QStringList{"encode", "new.dat", "-o", t};
         }}},
        {"export-csv --output", {false, [](const QString& t, const QString&) {
             return QStringList{"export-csv", "new.dat", "-o", t};
         }}},
        {"export-json --output", {false, [](const QString& t, const QString&) {
             return QStringList{"export-json", "new.dat", "-o", t};
         }}},
        {"import-csv --output", {false, [](const QString& t, const QString&) {
             return QStringList{"import-csv", "channels.csv", "--into", "new.dat", "-o", t};
         }}},
        {"set --output", {false, [](const QString& t, const QString&) {
             return QStringList{"set", "new.dat", "--dtmf.digit-rate", "100", "-o", t};
         }}},
        {"import-json --output", {false, [](const QString& t, const QString&) {
             return QStringList{"import-json", "config.json", "-o", t};
         }}},
        {"new --output", {false, [](const QString& t, const QString&) { return QStringList{"new", "-o", t}; }}},
        {"report --output", {false, [](const QString& t, const QString&) {
             return QStringList{"report", "new.dat", "-o", t};
         }}},
        {"read --output", {true, [](const QString& t, const QString& port) {
             return QStringList{"read", "--port", port, "--no-backup", "-o", t};
         }}},
        {"read --trace", {true, [](const QString& t, const QString& port) {
             return QStringList{"read", "--port", port, "--no-backup", "-o", "read.dat", "--trace", t};
         }}},
        {"compare --trace", {true, [](const QString& t, const QString& port) {
             return QStringList{"compare", "--port", port, "--no-backup", "new.dat", "--trace", t};
         }, 2}},
        {"info --trace", {true, [](const QString& t, const QString& port) {
             return QStringList{"info", "--port", port, "--trace", t};
         }}},
        {"write --log", {true, [](const QString& t, const QString& port) {
             return QStringList{"write", "--port", port, "--yes", "--no-backup", "new.dat", "--log", t};
         }}},
        {"write --trace", {true, [](const QString& t, const QString& port) {
             return QStringList{"write", "--port", port, "--yes", "--no-backup", "new.dat", "--log", "log.csv",
                                "--trace", t};
         }}},
    };
    return rows;
}

/// What the message names for each kind of refused target.
const QMap<QString, QString>& RefusalWords()
{
    static const QMap<QString, QString> words{
        {"folder", "folder"}, {"device", "device"}, {"pipe", "pipe"}, {"read-only file", "read-only"}};
    return words;
}

} // namespace

class TestCliOutputs : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    QTemporaryDir inputs_;

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(ProgramDir() + "/zavprog-cli"), "zavprog-cli is not built");
        // Backups and the per-user log of the runs stay in the test's folder.
        qputenv("XDG_DATA_HOME", home_.path().toUtf8());
        const QString dir = inputs_.path();
        QCOMPARE(Cli({"new", "-o", "new.dat"}, dir).exitCode, 0);
        QCOMPARE(Cli({"encode", "new.dat", "-o", "memory.bin"}, dir).exitCode, 0);
        QCOMPARE(Cli({"export-csv", "new.dat", "-o", "channels.csv"}, dir).exitCode, 0);
        QCOMPARE(Cli({"export-json", "new.dat", "-o", "config.json"}, dir).exitCode, 0);
    }

    void everyOutputHasARow()
    {
        const QStringList outputs = RegisteredOutputs(inputs_.path());
        QVERIFY(outputs.contains("new --output")); // the help was read at all
        for (const QString& output : outputs)
            QVERIFY2(OutputRows().contains(output), qPrintable("no row for the output of \"" + output + "\""));
        // A row for a command this build leaves out (report needs Qt Gui) is
        // no stale row.
        for (const QString& row : OutputRows().keys()) {
            const bool built = Cli({row.section(' ', 0, 0), "--help"}, inputs_.path()).exitCode == 0;
            QVERIFY2(!built || outputs.contains(row), qPrintable("\"" + row + "\" is no output of the program"));
        }
    }

    void refusedTargetsAreLeftAsTheyWere_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("kind");
        for (const QString& output : RegisteredOutputs(inputs_.path()))
            for (const QString& kind : RefusalWords().keys())
                QTest::newRow(qPrintable(output + " onto a " + kind)) << output << kind;
    }
    void refusedTargetsAreLeftAsTheyWere()
    {
        QFETCH(QString, output);
        QFETCH(QString, kind);
        QVERIFY(OutputRows().contains(output));
        const OutputRow& row = OutputRows()[output];

        QTemporaryDir dir;
        for (const QString& input : QDir(inputs_.path()).entryList(QDir::Files))
            QVERIFY(QFile::copy(inputs_.filePath(input), dir.filePath(input)));
        const QByteArray target = QFile::encodeName(dir.filePath("target"));
        const QByteArray old("kept as it was\n");
        if (kind == "folder") {
            QVERIFY(::mkdir(target.constData(), 0755) == 0);
        } else if (kind == "device") {
            // A device of the test's own, never one of the system's.
            if (::mknod(target.constData(), S_IFCHR | 0666, ::makedev(1, 3)) != 0)
                QSKIP("making a device node needs the right to");
        } else if (kind == "pipe") {
            QVERIFY(::mkfifo(target.constData(), 0644) == 0);
        } else {
            QFile f(dir.filePath("target"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(old);
            f.close();
            QVERIFY(::chmod(target.constData(), 0444) == 0);
        }
        struct stat before {};
        QVERIFY(::lstat(target.constData(), &before) == 0);

        std::unique_ptr<SimProcess> radio;
        if (row.needsRadio) {
            radio = std::make_unique<SimProcess>(QStringList{});
            QVERIFY(!radio->device().isEmpty());
        }
        // Cli gives up on a run that has not ended after a minute: one
        // that waits on the pipe fails here instead of hanging the test.
        const Run r = Cli(row.args("target", radio ? radio->device() : QString()), dir.path());
        QVERIFY2(r.exitCode == row.refusedExit, qPrintable(QStringLiteral("exit %1: %2").arg(r.exitCode).arg(r.err)));
        QVERIFY2(r.err.contains("target") && r.err.contains(RefusalWords()[kind]), qPrintable(r.err));

        struct stat after {};
        QVERIFY(::lstat(target.constData(), &after) == 0);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_rdev, before.st_rdev);
        if (kind == "read-only file")
            QCOMPARE(ReadAll(dir.filePath("target")), old);
        if (kind == "folder")
            QVERIFY(QDir(dir.filePath("target")).isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).filter(".tmp").size(), 0);
    }

    // "-o -" onto a standard output that fails (a full disk) tells why.
    void failingStandardOutputIsReported_data()
    {
        QTest::addColumn<QString>("output");
        for (const QString& output : RegisteredOutputs(inputs_.path()))
            if (output.endsWith("--output"))
                QTest::newRow(qPrintable(output)) << output;
    }
    void failingStandardOutputIsReported()
    {
        QFETCH(QString, output);
        if (!QFile::exists("/dev/full"))
            QSKIP("no device that is always full");
        const OutputRow& row = OutputRows()[output];
        std::unique_ptr<SimProcess> radio;
        if (row.needsRadio) {
            radio = std::make_unique<SimProcess>(QStringList{});
            QVERIFY(!radio->device().isEmpty());
        }
        QProcess p;
        p.setWorkingDirectory(inputs_.path());
        // Standard output is the full device; nothing is written to it by name.
        p.setStandardOutputFile("/dev/full");
        p.start(ProgramDir() + "/zavprog-cli", row.args("-", radio ? radio->device() : QString()));
        QVERIFY(p.waitForFinished(60000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QVERIFY2(p.exitCode() == 1, qPrintable(err));
        QVERIFY2(err.contains("standard output"), qPrintable(err));
    }
};

QTEST_GUILESS_MAIN(TestCliOutputs)
#include "test_cli_outputs.moc"
