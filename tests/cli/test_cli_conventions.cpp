// zavprog-cli as a well-behaved command: help on standard output with exit
// 0 for the program and every command, unknown options named with exit 2,
// --version, "-o -", decode's modes, ports, a declined write (exit 1), the
// password from the environment or asked without echo on a terminal, the
// wire trace of a read, and why a port could not be opened.

#include "sim_process.h"

#include "address_plan.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QFileInfo>
#include <QTest>

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zav;
using namespace zav::testing;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

/// How a run differs from a plain one.
struct RunSetup {
    QString workDir = {};
    QStringList environment = {}; ///< NAME=VALUE added
    QString terminal = {};        ///< a pseudo-terminal's device as standard input ("" = /dev/null)
    bool asNobody = false;     ///< run as the unprivileged user nobody
};

QString CliProgram() { return QDir(qEnvironmentVariable("ZAV_PROGRAM_DIR")).filePath("zavprog-cli"); }

QProcess* Start(QProcess& p, const QStringList& args, const RunSetup& setup)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("ZAV_PASSWORD");
    for (const QString& pair : setup.environment)
        env.insert(pair.section('=', 0, 0), pair.section('=', 1));
    p.setProcessEnvironment(env);
    p.setProgram(CliProgram());
    p.setArguments(args);
    p.setWorkingDirectory(setup.workDir);
    p.setStandardInputFile(setup.terminal.isEmpty() ? QProcess::nullDevice() : setup.terminal);
    if (setup.asNobody) {
        p.setChildProcessModifier([] {
            // nobody:nogroup on Debian; without supplementary groups.
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(99);
        });
    }
    p.start();
    return &p;
}

Run Finish(QProcess& p)
{
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            QString::fromUtf8(p.readAllStandardError())};
}

Run Cli(const QStringList& args, const RunSetup& setup = {})
{
    QProcess p;
    Start(p, args, setup);
    return Finish(p);
}

QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

/// A pseudo-terminal for a child's standard input; the test types on
/// master and reads back what the terminal echoed.
class Terminal {
public:
    Terminal()
    {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0)
            device_ = QString::fromLocal8Bit(::ptsname(master_));
    }
    ~Terminal()
    {
        if (master_ >= 0)
            ::close(master_);
    }
    [[nodiscard]] QString device() const { return device_; }
    void type(const QByteArray& text) { QVERIFY(::write(master_, text.constData(), text.size()) == text.size()); }
    /// What the terminal has echoed so far.
    QByteArray echoed()
    {
        QByteArray all;
        pollfd fd{master_, POLLIN, 0};
        while (::poll(&fd, 1, 100) > 0 && (fd.revents & POLLIN)) {
            char buffer[256];
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            all.append(buffer, n);
        }
        return all;
    }

private:
    int master_ = -1;
    QString device_;
};

/// Waits until the child's standard error holds text (or it ended).
bool WaitForError(QProcess& p, QByteArray& err, const QByteArray& text)
{
    for (int i = 0; i < 300 && !err.contains(text); ++i) {
        if (p.state() == QProcess::NotRunning)
            break;
        p.waitForReadyRead(100);
        err += p.readAllStandardError();
    }
    return err.contains(text);
}

/// Every command with the options its help must list.
const QList<QPair<QString, QStringList>>& CommandOptions()
{
    static const QList<QPair<QString, QStringList>> all = {
        {"check", {"--json"}},
        {"compare", {"--port", "--json", "--password", "--retries", "--no-backup", "--trace"}},
        {"check-language", {"--english"}},
        {"decode", {"--mode", "--output"}},
        {"diff", {}},
        {"encode", {"--output"}},
        {"export-csv", {"--output"}},
        {"export-json", {"--output"}},
        {"import-csv", {"--into", "--output", "--merge"}},
        {"import-json", {"--output"}},
        {"info", {"--port", "--json", "--retries", "--trace"}},
        {"new", {"--output"}},
        {"ports", {"--json"}},
        {"read", {"--port", "--output", "--password", "--retries", "--no-backup", "--trace"}},
        {"report", {"--output", "--language"}}, // in builds with the Qt programs
        {"show", {"--json"}},
        {"set", {"--channels", "--output", "--dry-run", "--skip-refused", "--list-fields"}},
        {"write", {"--port", "--password", "--yes", "--allow-other-band", "--force", "--verify", "--retries",
                   "--no-backup", "--trace", "--backup-before", "--power-on-text", "--first", "--power-on-texts"}},
    };
    return all;
}

/// The commands the program's help lists.
QStringList ListedCommands()
{
    const QString help = QString::fromUtf8(Cli({"--help"}).out);
    QStringList listed;
    static const QRegularExpression commandLine(QStringLiteral("^  ([a-z-]+) "));
    for (const QString& line : help.section("Commands", 1).section("Options:", 0, 0).split('\n'))
        if (const auto m = commandLine.match(line); m.hasMatch())
            listed << m.captured(1);
    return listed;
}

/// The hex of every line in one direction, joined: a block that came in two
/// chunks is whole again.
QString Stream(const QString& trace, const QString& direction)
{
    static const QRegularExpression line(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3} \\S+ (sent|recv) \\d+  (.*)  \\|"));
    QStringList parts;
    for (const QString& text : trace.split('\n')) {
        const QRegularExpressionMatch m = line.match(text);
        if (m.hasMatch() && m.captured(1) == direction)
            parts << m.captured(2);
    }
    return parts.join(' ');
}

QString Hex(long address) { return QStringLiteral("%1 %2").arg(address >> 8, 2, 16, QChar('0')).arg(address & 0xFF, 2, 16, QChar('0')).toUpper(); }

} // namespace

class TestCliConventions : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        qputenv("XDG_DATA_HOME", dir_.filePath("data").toLocal8Bit());
        // Qt Gui (the report command) warns on standard error without one.
        QVERIFY(QDir(dir_.path()).mkdir("runtime"));
        QVERIFY(QFile::setPermissions(dir_.filePath("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("XDG_RUNTIME_DIR", dir_.filePath("runtime").toLocal8Bit());
        QCOMPARE(Cli({"new", "-o", path("new.dat")}).exitCode, 0);
        QCOMPARE(Cli({"encode", path("new.dat"), "-o", path("memory.bin")}).exitCode, 0);
        QCOMPARE(Cli({"export-json", path("new.dat"), "-o", path("config.json")}).exitCode, 0);
        QCOMPARE(Cli({"export-csv", path("new.dat"), "-o", path("channels.csv")}).exitCode, 0);
    }

    void helpOnStandardOutput_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("flag");
        const QStringList listed = ListedCommands();
        for (const auto& [command, options] : CommandOptions())
            if (listed.contains(command))
                QTest::addRow("%s --help", qPrintable(command)) << command << options << QString("--help");
        QTest::newRow("read -h") << "read" << QStringList{"--port"} << "-h";
        QTest::newRow("zavprog-cli --help") << QString() << QStringList{"--version"} << "--help";
        QTest::newRow("zavprog-cli -h") << QString() << QStringList{"--version"} << "-h";
    }
    void helpOnStandardOutput()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, options);
        QFETCH(QString, flag);
        const Run r = Cli(command.isEmpty() ? QStringList{flag} : QStringList{command, flag});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.err, QString());
        const QString help = QString::fromUtf8(r.out);
        QVERIFY2(help.startsWith("Usage: zavprog-cli" + (command.isEmpty() ? QString() : " " + command)), qPrintable(help));
        // Every option is listed with words after it.
        for (const QString& option : options + QStringList{"--help"}) {
            const QRegularExpression listed(QRegularExpression::escape(option) + "( <\\w+>)?\\s+\\w+");
            QVERIFY2(help.contains(listed), qPrintable(option + " in\n" + help));
        }
        QVERIFY(!help.contains("--help-all")); // Qt's own options are not the commands'
    }

    void everyCommandHasHelp()
    {
        // The program's help lists the commands; each one is in the table above.
        const QStringList listed = ListedCommands();
        QVERIFY(listed.size() >= 14);
        QStringList known;
        for (const auto& entry : CommandOptions())
            known << entry.first;
        for (const QString& command : listed)
            QVERIFY2(known.contains(command), qPrintable(command));
    }

    void unknownOptionIsNamed_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("hint");
        const QStringList listed = ListedCommands();
        for (const auto& entry : CommandOptions())
            if (listed.contains(entry.first))
                QTest::addRow("%s", qPrintable(entry.first)) << QStringList{entry.first, "--bogus"} << "zavprog-cli " + entry.first + " --help";
        QTest::newRow("program") << QStringList{"--bogus", "new"} << "zavprog-cli --help";
        QTest::newRow("unknown command") << QStringList{"bogus"} << "zavprog-cli --help";
        QTest::newRow("nothing") << QStringList{} << "Usage: zavprog-cli";
    }
    void unknownOptionIsNamed()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, hint);
        const Run r = Cli(args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.out.isEmpty());
        if (!args.isEmpty())
            QVERIFY2(r.err.contains("bogus"), qPrintable(r.err));
        QVERIFY2(r.err.contains(hint), qPrintable(r.err));
    }

    void version()
    {
        const Run r = Cli({"--version"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(QRegularExpression("^zavprog-cli \\d+\\.\\d+\\.\\d+\\n$").match(QString::fromUtf8(r.out)).hasMatch(), r.out.constData());
    }

    void dashWritesToStandardOutput_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("new") << QStringList{"new"};
        QTest::newRow("encode") << QStringList{"encode", "@new.dat"};
        QTest::newRow("export-csv") << QStringList{"export-csv", "@new.dat"};
        QTest::newRow("export-json") << QStringList{"export-json", "@new.dat"};
        QTest::newRow("decode") << QStringList{"decode", "@memory.bin", "--mode", "4"};
        QTest::newRow("import-json") << QStringList{"import-json", "@config.json"};
        QTest::newRow("import-csv") << QStringList{"import-csv", "@channels.csv", "--into", "@new.dat"};
    }
    void dashWritesToStandardOutput()
    {
        QFETCH(QStringList, args);
        for (QString& a : args)
            if (a.startsWith('@'))
                a = path(a.mid(1));
        // The same bytes as the file the command writes.
        const Run toFile = Cli(args + QStringList{"-o", path("out.file")});
        QCOMPARE(toFile.exitCode, 0);
        const Run toStdout = Cli(args + QStringList{"-o", "-"});
        QCOMPARE(toStdout.exitCode, 0);
        QVERIFY(!toStdout.out.isEmpty());
        QCOMPARE(toStdout.out, FileBytes(path("out.file")));
        QVERIFY(!QFile::exists(path("-")));
    }

    void decodeTakesOnlyTheRadiosModes_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("exitCode");
        for (const char* mode : {"0", "4", "country", "extended"})
            QTest::addRow("%s", mode) << QString(mode) << 0;
        for (const char* mode : {"1", "2", "3", "5", "-1", "40", "x", ""})
            QTest::addRow("refused '%s'", mode) << QString(mode) << 2;
    }
    void decodeTakesOnlyTheRadiosModes()
    {
        QFETCH(QString, mode);
        QFETCH(int, exitCode);
        QFile::remove(path("decoded.dat"));
        const Run r = Cli({"decode", path("memory.bin"), "--mode", mode, "-o", path("decoded.dat")});
        QCOMPARE(r.exitCode, exitCode);
        QCOMPARE(QFile::exists(path("decoded.dat")), exitCode == 0);
        if (exitCode != 0)
            QVERIFY2(r.err.contains("--mode"), qPrintable(r.err));
    }

    void portsAsJson()
    {
        const Run r = Cli({"ports", "--json"});
        QCOMPARE(r.exitCode, 0);
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QVERIFY(doc.isArray());
        for (const QJsonValue& v : doc.array()) {
            const QJsonObject o = v.toObject();
            for (const char* key : {"path", "description", "manufacturer", "serialNumber", "usbId"})
                QVERIFY2(o.contains(key), key);
            QVERIFY(o["path"].toString().startsWith("/dev/"));
        }
        QCOMPARE(Cli({"ports"}).exitCode, 0);
    }

    void declinedWriteExitsOne()
    {
        Terminal terminal;
        QVERIFY(!terminal.device().isEmpty());
        QProcess p;
        Start(p, {"write", "--port", path("no-such-port"), path("new.dat"), "--log", path("declined.csv")},
              RunSetup{.terminal = terminal.device()});
        QByteArray err;
        QVERIFY2(WaitForError(p, err, "[y/N]"), err.constData());
        terminal.type("n\n");
        const Run r = Finish(p);
        QCOMPARE(r.exitCode, 1);
        QVERIFY2((err + r.err.toUtf8()).contains("nothing was written"), err.constData());
        // The radio not written still has its line in the log.
        QFile log(path("declined.csv"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = log.readAll().split('\n');
        QCOMPARE(lines.size(), 3); // header, the line, nothing after the last line end
        QVERIFY2(lines[1].contains(",,,,new.dat,"), lines[1].constData()); // no model, band or version
        // The result, then the job and the power-on text (none of its own).
        QVERIFY2(lines[1].trimmed().endsWith(",not written: declined,write,"), lines[1].constData());
    }

    void passwordFromTheEnvironmentOrAskedWithoutEcho()
    {
        SimProcess radio({"--password", "7Q5z"});
        QVERIFY(!radio.device().isEmpty());
        // From the environment: nothing shows in the process list.
        const Run fromEnvironment =
            Cli({"read", "--port", radio.device(), "-o", path("env.dat"), "--no-backup"}, RunSetup{.environment = {"ZAV_PASSWORD=7Q5z"}});
        QVERIFY2(fromEnvironment.exitCode == 0, qPrintable(fromEnvironment.err));
        // Neither option nor environment, no terminal: the radio refuses.
        const Run without = Cli({"read", "--port", radio.device(), "-o", path("none.dat"), "--no-backup"});
        QCOMPARE(without.exitCode, 1);
        QVERIFY(without.err.contains("PassWord Failure!"));
        // At a terminal the user is asked, and what they type is not echoed.
        Terminal terminal;
        QProcess p;
        Start(p, {"read", "--port", radio.device(), "-o", path("asked.dat"), "--no-backup"}, RunSetup{.terminal = terminal.device()});
        QByteArray err;
        QVERIFY2(WaitForError(p, err, "radio password: "), err.constData());
        QTest::qWait(100); // the prompt is written before echo is turned off
        terminal.type("7Q5z\n");
        const Run asked = Finish(p);
        QVERIFY2(asked.exitCode == 0, qPrintable(QString::fromUtf8(err) + asked.err));
        QVERIFY2(!terminal.echoed().contains("7Q5z"), "the password was echoed");
        QCOMPARE(FileBytes(path("asked.dat")), FileBytes(path("env.dat")));
    }

    void traceOfAReadHidesThePassword()
    {
        SimProcess radio({"--password", "7Q5z", "--echo"});
        QVERIFY(!radio.device().isEmpty());
        const Run r = Cli({"read", "--port", radio.device(), "-o", path("traced.dat"), "--no-backup", "--password",
                           "7Q5z", "--trace", path("trace.txt")});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        const QString trace = QString::fromLatin1(FileBytes(path("trace.txt")));
        const QString sent = Stream(trace, "sent");
        const QString received = Stream(trace, "recv");
        QVERIFY(sent.startsWith("50 52 4F 47 52 41 4D")); // PROGRAM
        QVERIFY(received.contains("4A 4C 06"));          // its answer
        // Every block of the read: asked for, and its reply.
        for (long address : link::planBlocks(link::kFullPlan)) {
            QVERIFY2(sent.contains("52 " + Hex(address) + " 10"), qPrintable(Hex(address)));
            QVERIFY2(received.contains("57 " + Hex(address) + " 10"), qPrintable(Hex(address)));
        }
        // The password block came, its password hidden; the password
        // itself is nowhere, not as text and not in hex.
        QVERIFY(received.contains("57 3F 20 10"));
        QVERIFY(received.contains("** ** ** **"));
        QVERIFY(!trace.contains("7Q5z"));
        QVERIFY(!sent.contains("37 51 35 7A") && !received.contains("37 51 35 7A"));
    }

    void infoAsJsonAndReadToStandardOutput()
    {
        SimProcess radio({});
        QVERIFY(!radio.device().isEmpty());
        const Run info = Cli({"info", "--port", radio.device(), "--json"});
        QVERIFY2(info.exitCode == 0, qPrintable(info.err));
        QJsonParseError error{};
        const QJsonObject object = QJsonDocument::fromJson(info.out, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(object["BandCode"].toInt(), 0);
        QVERIFY(object["Band"].toString().contains("25.615"));
        for (const char* key : {"InfoModel", "SerialNumber", "FactoryDate", "DealerCode", "Handler"})
            QVERIFY2(object.contains(key), key);
        // The text form names the same fields.
        const Run text = Cli({"info", "--port", radio.device()});
        QCOMPARE(text.exitCode, 0);
        QVERIFY(text.out.startsWith("InfoModel: "));

        // A read's data file on standard output is the file a read writes;
        // what it says about the read goes to standard error.
        const Run toFile = Cli({"read", "--port", radio.device(), "-o", path("read.dat"), "--no-backup"});
        QCOMPARE(toFile.exitCode, 0);
        const Run toStdout = Cli({"read", "--port", radio.device(), "-o", "-", "--no-backup"});
        QCOMPARE(toStdout.exitCode, 0);
        QCOMPARE(toStdout.out, FileBytes(path("read.dat")));
        QVERIFY(toStdout.err.contains(radio.device() + ": read"));
    }

    void portFailureSaysWhy()
    {
        const Run missing = Cli({"read", "--port", path("ttyUSB9"), "-o", path("x.dat")});
        QCOMPARE(missing.exitCode, 1);
        QVERIFY2(missing.err.contains(path("ttyUSB9") + ": No such file or directory"), qPrintable(missing.err));
        QVERIFY2(missing.err.contains("Serial devices present:") || missing.err.contains("No serial devices are present"),
                 qPrintable(missing.err));
    }

    void permissionDeniedNamesTheGroup()
    {
        if (::geteuid() != 0)
            QSKIP("needs root to run the program as an unprivileged user");
        // The program and every folder above it must be open to nobody (a
        // build inside a private temporary folder is not).
        for (QString at = CliProgram(); !at.isEmpty() && at != "/"; at = QFileInfo(at).absolutePath()) {
            struct stat info {};
            if (::stat(qPrintable(at), &info) != 0 || (info.st_mode & S_IXOTH) == 0)
                QSKIP("the build is not open to other users");
        }
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
        const QString device = QString::fromLocal8Bit(::ptsname(master));
        QString group = "root";
        if (const struct group* dialout = ::getgrnam("dialout")) {
            QVERIFY(::chown(qPrintable(device), 0, dialout->gr_gid) == 0);
            group = "dialout";
        } else {
            QVERIFY(::chown(qPrintable(device), 0, 0) == 0);
        }
        QVERIFY(::chmod(qPrintable(device), 0660) == 0);
        RunSetup setup;
        setup.asNobody = true;
        setup.workDir = "/";
        setup.environment = {"XDG_DATA_HOME=/nonexistent", "HOME=/nonexistent"};
        const Run r = Cli({"info", "--port", device}, setup);
        ::close(master);
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(device + ": Permission denied"), qPrintable(r.err));
        if (group == "root") {
            // Joining root is never the advice: an administrator is.
            QVERIFY2(!r.err.contains("Join the group"), qPrintable(r.err));
            QVERIFY2(r.err.contains("Only the device's owner"), qPrintable(r.err));
        } else {
            QVERIFY2(r.err.contains("Join the group \"" + group + "\""), qPrintable(r.err));
            QVERIFY2(r.err.contains("log out and in again"), qPrintable(r.err));
        }
    }

    // A port that is a plain file is no serial device, not a busy one.
    void fileAsPortIsNoSerialDevice()
    {
        QFile file(path("not-a-port"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const Run r = Cli({"info", "--port", path("not-a-port")});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("This is not a serial device"), qPrintable(r.err));
        QVERIFY2(!r.err.contains("Another program"), qPrintable(r.err));
    }
};

QTEST_GUILESS_MAIN(TestCliConventions)
#include "test_cli_conventions.moc"
