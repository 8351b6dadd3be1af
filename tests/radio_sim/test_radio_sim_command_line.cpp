// zavprog-radio-sim's command line run as a test script runs it: --help and
// --version answer on standard output with exit 0, and a value that is not
// what its option needs stops the radio before it serves, naming the option.

#include "sim_process.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using namespace zav::testing;

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run Sim(const QStringList& args)
{
    QProcess p;
    p.start(qEnvironmentVariable("ZAV_PROGRAM_DIR") + "/zavprog-radio-sim", args);
    Run r;
    // A radio that started serving would never end: kill it and report -1.
    if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit) {
        p.kill();
        p.waitForFinished(5000);
        return r;
    }
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

class TestRadioSimCommandLine : public QObject {
    Q_OBJECT

private slots:
    void helpListsEveryOption_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::newRow("long") << "--help";
        QTest::newRow("short") << "-h";
        QTest::newRow("after other options") << "--paced --help";
    }
    void helpListsEveryOption()
    {
        QFETCH(QString, flag);
        const Run r = Sim(flag.split(' '));
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.err.isEmpty());
        const QStringList options{"--link PATH", "--memory FILE", "--info FILE", "--dump FILE", "--model NAME",
                                  "--band-byte N", "--radio-version VNNN", "--channel-mode N", "--password PW",
                                  "--echo", "--paced", "--exact-timing", "--lose P", "--seed N", "--repeat N", "--repeat-every N",
                                  "--bad-checksum P", "--silent-after N", "--corrupt ADDRESS", "--help",
                                  "--version"};
        // Each option on a line of its own, followed by what it means.
        for (const QString& option : options) {
            const QRegularExpression line("^  (-h, )?" + QRegularExpression::escape(option) + " +\\w.{10,}$",
                                          QRegularExpression::MultilineOption);
            QVERIFY2(line.match(r.out).hasMatch(), qPrintable(option));
        }
    }

    void version()
    {
        const Run r = Sim({"--version"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(QRegularExpression("^zavprog-radio-sim \\d+\\.\\d+\\.\\d+\\n$").match(r.out).hasMatch(),
                 qPrintable(r.out));
    }

    void refusedArguments_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("named"); // what the error must name
        QTest::newRow("word for a probability") << QStringList{"--lose", "abc"} << "--lose";
        QTest::newRow("probability above 1") << QStringList{"--bad-checksum", "1.5"} << "--bad-checksum";
        QTest::newRow("decimal comma") << QStringList{"--lose", "0,5"} << "--lose";
        QTest::newRow("not a number") << QStringList{"--lose", "nan"} << "--lose";
        QTest::newRow("trailing letters") << QStringList{"--band-byte", "3x"} << "--band-byte";
        QTest::newRow("byte too large") << QStringList{"--band-byte", "256"} << "--band-byte";
        QTest::newRow("empty value") << QStringList{"--channel-mode", ""} << "--channel-mode";
        QTest::newRow("joined with =") << QStringList{"--channel-mode=one"} << "--channel-mode";
        QTest::newRow("negative count") << QStringList{"--repeat", "-1"} << "--repeat";
        QTest::newRow("fraction for a count") << QStringList{"--repeat-every", "2.5"} << "--repeat-every";
        QTest::newRow("count too large") << QStringList{"--silent-after", "99999999999"} << "--silent-after";
        QTest::newRow("negative seed") << QStringList{"--seed", "-3"} << "--seed";
        QTest::newRow("bad hex address") << QStringList{"--corrupt", "0xZZ"} << "--corrupt";
        QTest::newRow("address too large") << QStringList{"--corrupt", "0x10000"} << "--corrupt";
        QTest::newRow("missing value") << QStringList{"--paced", "--memory"} << "--memory";
        QTest::newRow("flag with a value") << QStringList{"--echo=yes"} << "--echo";
        QTest::newRow("unknown option") << QStringList{"--loose", "0.1"} << "--loose";
        QTest::newRow("version with a value") << QStringList{"--version", "V210"} << "--radio-version";
        QTest::newRow("help does not hide an error") << QStringList{"--help", "--lose", "x"} << "--lose";
    }
    void refusedArguments()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, named);
        const Run r = Sim(args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.out.isEmpty(), qPrintable(r.out)); // no device printed: it never served
        QVERIFY2(r.err.contains(named), qPrintable(r.err));
    }

    void acceptedValuesServe()
    {
        // Every kind of value in its accepted spellings: the radio starts
        // and prints its device.
        SimProcess sim({"--lose", "0.25", "--bad-checksum=0", "--band-byte", "255", "--channel-mode", "0",
                        "--seed", "4294967295", "--repeat", "0", "--silent-after", "100", "--corrupt", "0x2200",
                        "--radio-version", "V300"});
        QVERIFY(sim.device().startsWith("/dev/"));
    }
};

QTEST_GUILESS_MAIN(TestRadioSimCommandLine)
#include "test_radio_sim_command_line.moc"
