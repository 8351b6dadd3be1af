// zavprog-cli as a user runs it: from another working directory, against
// the installed layout.

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

QString ProgramDir() { return qEnvironmentVariable("ZAV_PROGRAM_DIR"); }

Run Cli(const QStringList& args, const QString& workDir)
{
    QProcess p;
    p.setWorkingDirectory(workDir);
    p.start(ProgramDir() + "/zavprog-cli", args);
    Run r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

/// An installed English text, read the way the program reads it.
QString EnglishText(int id)
{
    QFile f(ProgramDir() + "/language/english.ini");
    if (!f.open(QIODevice::ReadOnly))
        return {};
    bool inMsg = false;
    for (QByteArray line : f.readAll().split('\n')) {
        line = line.trimmed();
        if (line.startsWith('['))
            inMsg = line.toLower() == "[msg]";
        else if (inMsg && line.startsWith(QByteArray::number(id) + "="))
            return QString::fromUtf8(line.mid(line.indexOf('=') + 1).trimmed());
    }
    return {};
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(QFile::exists(ProgramDir() + "/zavprog-cli"), "zavprog-cli is not built"); }

    void newShowDiff()
    {
        QTemporaryDir dir;
        Run created = Cli({"new", "-o", "a.dat"}, dir.path());
        QCOMPARE(created.exitCode, 0);
        QCOMPARE(ReadAll(dir.filePath("a.dat")).size(), 95640);

        Run shown = Cli({"show", "a.dat"}, dir.path());
        QCOMPARE(shown.exitCode, 0);
        QVERIFY(shown.out.contains("ZAV415"));
        QVERIFY(shown.out.contains("25.615 - 30.105 MHz"));
        QVERIFY(shown.out.contains("V300"));
        QVERIFY(shown.out.contains(QRegularExpression("0 -- EU +1 27\\.86000 +0\\.00000 +OFF +OFF")));

        Run json = Cli({"show", "--json", "a.dat"}, dir.path());
        QCOMPARE(json.exitCode, 0);
        const QJsonObject top = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(top["ActiveChannels"].toArray().size(), 2);
        QCOMPARE(top["ActiveChannels"].toArray()[1].toObject()["Number"].toInt(), 521);
        QCOMPARE(top["Settings"].toObject()["Header"].toObject()["Version"].toString(), QString("V300"));

        Run same = Cli({"diff", "a.dat", "a.dat"}, dir.path());
        QCOMPARE(same.exitCode, 0);
        QCOMPARE(same.out, QString());
    }

    void diffNamesTheField_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("field");
        // TotTime is the first Integer of the optional features.
        QTest::newRow("setting changed") << 393 << 1 << "Settings.OptFeat.Common1[0]";
        // RxTone of the first active record (channel 1).
        QTest::newRow("channel changed") << 1860 + 14 << 1 << "ActiveChannels[Number=1].RxTone";
        // A record beyond the used ones carries no meaning.
        QTest::newRow("unused record") << 1860 + 90 * 7 << 0 << "";
    }
    void diffNamesTheField()
    {
        QFETCH(int, offset);
        QFETCH(int, exitCode);
        QFETCH(QString, field);
        QTemporaryDir dir;
        QCOMPARE(Cli({"new", "-o", "a.dat"}, dir.path()).exitCode, 0);
        QByteArray bytes = ReadAll(dir.filePath("a.dat"));
        bytes[offset] = char(bytes[offset] + 5);
        WriteAll(dir.filePath("b.dat"), bytes);
        Run diff = Cli({"diff", "a.dat", "b.dat"}, dir.path());
        QCOMPARE(diff.exitCode, exitCode);
        if (!field.isEmpty())
            QVERIFY2(diff.out.startsWith(field + ": "), qPrintable(diff.out));
    }

    void refusedFiles_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("messageId");
        QTest::newRow("missing") << "missing" << 9002;
        QTest::newRow("short") << "short" << 9002;
        QTest::newRow("other model") << "model" << 9012;
        QTest::newRow("bad version") << "version" << 9065;
    }
    void refusedFiles()
    {
        QFETCH(QString, fault);
        QFETCH(int, messageId);
        QTemporaryDir dir;
        QCOMPARE(Cli({"new", "-o", "good.dat"}, dir.path()).exitCode, 0);
        QByteArray bytes = ReadAll(dir.filePath("good.dat"));
        if (fault == "short")
            bytes.chop(90);
        else if (fault == "model")
            bytes.replace(0, 7, "KD1415 ");
        else if (fault == "version")
            bytes.replace(9, 4, "V30A");
        if (fault != "missing")
            WriteAll(dir.filePath("bad.dat"), bytes);

        const QString text = EnglishText(messageId);
        Run show = Cli({"show", "bad.dat"}, dir.path());
        QVERIFY(show.exitCode != 0);
        QCOMPARE(show.out, QString());
        QVERIFY2(show.err.contains(text.isEmpty() ? QString("message %1").arg(messageId) : text), qPrintable(show.err));
        QCOMPARE(Cli({"diff", "good.dat", "bad.dat"}, dir.path()).exitCode, 2);
    }

    void newFailsIntoMissingFolder()
    {
        QTemporaryDir dir;
        Run r = Cli({"new", "-o", "no/such/folder/a.dat"}, dir.path());
        QCOMPARE(r.exitCode, 1);
        QVERIFY(!r.err.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestCli)
#include "test_cli.moc"
