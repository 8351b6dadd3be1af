// zavprog-cli as a user runs it: from another working directory, against
// the installed layout.

#include "cli_process.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

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

void writeAll(const QString& path, const QByteArray& data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}


/// A new data file with three more channels that a radio would not get as
/// written: channel 2 at 65.536 MHz (beyond the 16-bit kHz field), channel
/// 3 at 31 MHz (above the band), channel 4 with receive tone 300 (the list
/// ends at 264); and emergency channel 0 of group 0 on slot 10, which holds
/// no channel.
QByteArray WithErrors(QByteArray bytes)
{
    constexpr int kChannelCount = 15;
    constexpr int kActive = 1860;
    constexpr int kRecord = 90;
    constexpr int kEmergency00 = 393 + 2 * 9; // Common1[9]
    auto int16 = [](int v) { return QByteArray(1, char(v & 0xFF)) + char((v >> 8) & 0xFF); };
    const QByteArray first = bytes.mid(kActive, kRecord); // channel 1, as a new file has it
    const struct {
        int number;
        const char* frequency;
        int rxTone;
    } added[] = {{2, "06553600", 0}, {3, "03100000", 0}, {4, "02700000", 300}};
    int index = 2; // after channels 1 and 521
    for (const auto& a : added) {
        QByteArray r = first;
        r.replace(0, 2, int16(a.number));
        r.replace(6, 8, a.frequency);
        r.replace(14, 2, int16(a.rxTone));
        bytes.replace(kActive + kRecord * index++, kRecord, r);
    }
    bytes.replace(kChannelCount, 2, int16(index));
    bytes.replace(kEmergency00, 2, int16(10));
    return bytes;
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

    // Texts are GBK bytes; show prints them as the characters they are,
    // and a byte that is not GBK as the replacement character.
    void showPrintsGbkTexts()
    {
        QTemporaryDir dir;
        QCOMPARE(Cli({"new", "-o", "a.dat"}, dir.path()).exitCode, 0);
        QByteArray bytes = ReadAll(dir.filePath("a.dat"));
        constexpr int kGroupNames = 1628; // the first group's 3 bytes
        bytes.replace(kGroupNames, 3, "\xD6\xD0 ");
        const qsizetype powerOn = bytes.indexOf("VANTERA");
        QVERIFY(powerOn > 0);
        bytes.replace(powerOn, 7, "\xCE\xC4\xFF" "ABCD");
        writeAll(dir.filePath("a.dat"), bytes);

        Run shown = Cli({"show", "a.dat"}, dir.path());
        QCOMPARE(shown.exitCode, 0);
        QVERIFY2(shown.out.contains(QString::fromUtf8("0 -- 中 ")), qPrintable(shown.out));

        Run json = Cli({"show", "--json", "a.dat"}, dir.path());
        QCOMPARE(json.exitCode, 0);
        QJsonParseError error{};
        const QJsonObject top = QJsonDocument::fromJson(json.out.toUtf8(), &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QJsonObject settings = top["Settings"].toObject();
        QCOMPARE(settings["GroupNames"].toArray()[0].toString(), QString::fromUtf8("中 "));
        QVERIFY2(settings["OptFeat"].toObject()["PowerOnText"].toString().endsWith(QString::fromUtf8("文\uFFFDABCD")),
                 qPrintable(settings["OptFeat"].toObject()["PowerOnText"].toString()));
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
        writeAll(dir.filePath("b.dat"), bytes);
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
        QTest::newRow("version with two points") << "version 1.." << 9065;
        // A numeric version of another form is another program's file: the
        // version question, not a refusal.
        QTest::newRow("version with a point") << "version 1.5" << 0;
        QTest::newRow("version with a leading point") << "version .50" << 0;
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
        else if (fault.startsWith("version "))
            bytes.replace(9, 4, "V" + fault.mid(8).toLatin1());
        if (fault != "missing")
            writeAll(dir.filePath("bad.dat"), bytes);

        const QString text = messageId == 0 ? EnglishText(9062) : EnglishText(messageId);
        QVERIFY(!text.isEmpty());
        Run show = Cli({"show", "bad.dat"}, dir.path());
        QVERIFY(show.exitCode != 0);
        QCOMPARE(show.out, QString());
        QVERIFY2(show.err.contains(text.isEmpty() ? QString("message %1").arg(messageId) : text), qPrintable(show.err));
        QCOMPARE(Cli({"diff", "good.dat", "bad.dat"}, dir.path()).exitCode, 2);
    }

    // A save follows symbolic links to the file they name, refuses to
    // replace anything that is not a regular file, and keeps the replaced
    // file's permission bits and owner.
    void saveTargets_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("saved");
        QTest::newRow("link to a file") << "link-to-file" << true;
        QTest::newRow("relative link into a folder") << "link-into-folder" << true;
        QTest::newRow("link to a link") << "link-to-link" << true;
        QTest::newRow("dangling link") << "dangling-link" << true;
        QTest::newRow("private file") << "private-file" << true;
        QTest::newRow("file of another owner") << "owned-file" << true;
        QTest::newRow("folder") << "folder" << false;
        QTest::newRow("pipe") << "pipe" << false;
        QTest::newRow("link to a device") << "link-to-device" << false;
    }
    void saveTargets()
    {
        QFETCH(QString, target);
        QFETCH(bool, saved);
        QTemporaryDir dir;
        const QByteArray old("previous content");
        QVERIFY(QDir(dir.path()).mkdir("sub"));
        writeAll(dir.filePath("sub/real.dat"), old);
        const auto at = [&](const QString& name) { return QFile::encodeName(dir.filePath(name)); };
        // The file whose content a successful save must replace.
        QString written = "out.dat";
        if (target == "link-to-file") {
            QVERIFY(::symlink(at("sub/real.dat").constData(), at("out.dat").constData()) == 0);
            written = "sub/real.dat";
        } else if (target == "link-into-folder") {
            QVERIFY(::symlink("sub/real.dat", at("out.dat").constData()) == 0);
            written = "sub/real.dat";
        } else if (target == "link-to-link") {
            QVERIFY(::symlink("real.dat", at("sub/middle.dat").constData()) == 0);
            QVERIFY(::symlink("sub/middle.dat", at("out.dat").constData()) == 0);
            written = "sub/real.dat";
        } else if (target == "dangling-link") {
            QVERIFY(::symlink("sub/later.dat", at("out.dat").constData()) == 0);
            written = "sub/later.dat";
        } else if (target == "private-file") {
            writeAll(dir.filePath("out.dat"), old);
            QVERIFY(::chmod(at("out.dat").constData(), 0600) == 0);
        } else if (target == "owned-file") {
            if (::geteuid() != 0)
                QSKIP("giving a file to another owner needs root");
            writeAll(dir.filePath("out.dat"), old);
            QVERIFY(::chown(at("out.dat").constData(), 4321, 8765) == 0);
            QVERIFY(::chmod(at("out.dat").constData(), 0640) == 0);
        } else if (target == "folder") {
            QVERIFY(QDir(dir.path()).mkdir("out.dat"));
        } else if (target == "pipe") {
            QVERIFY(::mkfifo(at("out.dat").constData(), 0644) == 0);
        } else if (target == "link-to-device") {
            QVERIFY(::symlink("/dev/null", at("out.dat").constData()) == 0);
        }
        struct stat before {};
        QVERIFY(::lstat(at("out.dat").constData(), &before) == 0 || target == "dangling-link");
        struct stat writtenBefore {};
        const bool existed = ::stat(at(written).constData(), &writtenBefore) == 0;

        Run r = Cli({"new", "-o", "out.dat"}, dir.path());
        // No temporary file is left behind, whatever the outcome.
        const auto filter = QDir::Files | QDir::Hidden | QDir::System;
        QCOMPARE(QDir(dir.filePath("sub")).entryList(filter).filter(".tmp").size(), 0);
        QCOMPARE(QDir(dir.path()).entryList(filter).filter(".tmp").size(), 0);
        struct stat after {};
        QVERIFY(::lstat(at("out.dat").constData(), &after) == 0);
        // Whatever the outcome, the name saved to is the same kind of thing.
        QCOMPARE(after.st_mode & S_IFMT, before.st_mode & S_IFMT);
        if (!saved) {
            QCOMPARE(r.exitCode, 1);
            QVERIFY2(r.err.contains(EnglishText(9002)), qPrintable(r.err));
            QCOMPARE(after.st_ino, before.st_ino);
            QCOMPARE(ReadAll(dir.filePath("sub/real.dat")), old);
            return;
        }
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(ReadAll(dir.filePath(written)).size(), 95640);
        struct stat writtenAfter {};
        QVERIFY(::lstat(at(written).constData(), &writtenAfter) == 0);
        QVERIFY(S_ISREG(writtenAfter.st_mode));
        if (existed) {
            QCOMPARE(writtenAfter.st_mode & 07777, writtenBefore.st_mode & 07777);
            QCOMPARE(writtenAfter.st_uid, writtenBefore.st_uid);
            QCOMPARE(writtenAfter.st_gid, writtenBefore.st_gid);
        }
    }

    // decode names the file error when there is no file to read, and the
    // size only when the file was read.
    void decodeRefusals_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing file") << "missing.bin" << EnglishText(9002);
        QTest::newRow("folder") << "folder" << EnglishText(9002);
        QTest::newRow("unreadable file") << "unreadable.bin" << EnglishText(9002);
        QTest::newRow("one byte short") << "short.bin" << "exactly 25664 bytes";
        QTest::newRow("one byte long") << "long.bin" << "exactly 25664 bytes";
    }
    void decodeRefusals()
    {
        QFETCH(QString, input);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        writeAll(dir.filePath("short.bin"), QByteArray(25663, '\xff'));
        writeAll(dir.filePath("long.bin"), QByteArray(25665, '\xff'));
        writeAll(dir.filePath("unreadable.bin"), QByteArray(25664, '\xff'));
        if (input == "unreadable.bin") {
            if (::geteuid() == 0)
                QSKIP("root reads every file");
            QVERIFY(QFile::setPermissions(dir.filePath(input), QFileDevice::WriteOwner));
        }
        Run r = Cli({"decode", input, "--mode", "0", "-o", "x.dat"}, dir.path());
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!QFile::exists(dir.filePath("x.dat")));
    }

    // An image-only template of the wrong length is reported, and the new
    // file has the defaults. The program runs from a copy of its layout
    // that has such a template.
    void newReportsABadTemplate()
    {
        QTemporaryDir dir;
        const QString bin = dir.filePath("bin");
        QVERIFY(QDir().mkpath(bin + "/Init"));
        QVERIFY(QDir().mkpath(bin + "/language"));
        QVERIFY(QFile::copy(ProgramDir() + "/zavprog-cli", bin + "/zavprog-cli"));
        QVERIFY(QFile::setPermissions(bin + "/zavprog-cli", QFile::permissions(ProgramDir() + "/zavprog-cli")));
        QVERIFY(QFile::copy(ProgramDir() + "/language/english.ini", bin + "/language/english.ini"));
        writeAll(bin + "/Init/ZAV415_0.dat", QByteArray(1859, '\0'));

        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(bin + "/zavprog-cli", {"new", "-o", "a.dat"});
        QVERIFY(p.waitForFinished(60000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(err.contains(EnglishText(9033)), qPrintable(err));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(ReadAll(dir.filePath("a.dat")), [] {
            QTemporaryDir plain;
            Cli({"new", "-o", "a.dat"}, plain.path());
            return ReadAll(plain.filePath("a.dat"));
        }());
    }

    // check names every error with its channel (or group) and exits 1; a
    // file without errors exits 0 whatever warnings it has.
    void checkListsTheErrors()
    {
        QTemporaryDir dir;
        QCOMPARE(Cli({"new", "-o", "good.dat"}, dir.path()).exitCode, 0);
        writeAll(dir.filePath("bad.dat"), WithErrors(ReadAll(dir.filePath("good.dat"))));

        const Run good = Cli({"check", "good.dat"}, dir.path());
        QCOMPARE(good.exitCode, 0);
        QVERIFY2(!good.out.contains("error:"), qPrintable(good.out));

        const Run bad = Cli({"check", "bad.dat"}, dir.path());
        QCOMPARE(bad.exitCode, 1);
        const QStringList errors = bad.out.split('\n').filter(QRegularExpression("^error: "));
        QCOMPARE(errors.size(), 4);
        QVERIFY2(errors[0].startsWith("error: channel 2 (group 0, number 2): ") && errors[0].contains("65.53600 MHz"),
                 qPrintable(errors[0]));
        QVERIFY2(errors[1].startsWith("error: channel 3 (group 0, number 3): ") && errors[1].contains("31.00000 MHz")
                     && errors[1].contains("outside the band"),
                 qPrintable(errors[1]));
        QVERIFY2(errors[2].startsWith("error: channel 4 (group 0, number 4): ") && errors[2].contains("300"),
                 qPrintable(errors[2]));
        QVERIFY2(errors[3].startsWith("error: group 0: ") && errors[3].contains("channel 10"), qPrintable(errors[3]));

        const Run json = Cli({"check", "bad.dat", "--json"}, dir.path());
        QCOMPARE(json.exitCode, 1);
        QJsonParseError parse;
        const QJsonArray all = QJsonDocument::fromJson(json.out.toUtf8(), &parse).array();
        QCOMPARE(parse.error, QJsonParseError::NoError);
        QStringList places;
        for (const QJsonValue& v : all) {
            const QJsonObject o = v.toObject();
            if (o["level"].toString() != "error")
                continue;
            places << QString("%1 %2 %3 %4").arg(o["area"].toString()).arg(o["channel"].toInt()).arg(o["field"].toInt())
                          .arg(o["messageId"].toInt());
            QVERIFY(!o["message"].toString().isEmpty());
        }
        QCOMPARE(places, (QStringList{"channel 2 1 32621", "channel 3 1 32622", "channel 4 4 32625", "group 0 100 32628"}));

        QCOMPARE(Cli({"check"}, dir.path()).exitCode, 2);
        QCOMPARE(Cli({"check", "missing.dat"}, dir.path()).exitCode, 1);
    }

    // check-language against the installed English file: what a translator
    // sees, the exit status, and a shipped file that passes.
    void checkLanguage()
    {
        QTemporaryDir dir;
        QFile english(ProgramDir() + "/language/english.ini");
        QVERIFY(english.open(QIODevice::ReadOnly));
        QByteArray text = english.readAll();
        text.replace("[Language]\nName=English\nLocale=en", "[Language]\nName=Test\nLocale=xx");
        text.replace("\n9002=", "\n9002x=");                     // missing 9002, an extra key
        text.replace("32110=channel %1 %2", "32110=channel %1"); // a placeholder lost
        text.replace("14011=More", "14011=Additional settings of the channel"); // wider than its column
        text.append("34999=not in English\n");
        QFile mine(dir.filePath("mine.ini"));
        QVERIFY(mine.open(QIODevice::WriteOnly));
        mine.write(text);
        mine.close();

        const Run run = Cli({"check-language", "mine.ini"}, dir.path());
        QCOMPARE(run.exitCode, 1);
        QStringList expected{"mine.ini: missing 9002", "mine.ini: too long 14011: does not fit 2 line(s) of 85 pixels",
                             "mine.ini: placeholders 32110: English has %1 %2, this file %1",
                             "mine.ini: extra: key \"9002x\" in [Msg]", "mine.ini: extra 34999"};
        // A build without the desktop program has no fonts to measure with.
        const QString unmeasured =
            "mine.ini: the widths of captions were not checked (a build without the desktop program)";
        if (run.out.contains(unmeasured)) {
            expected.removeAt(1);
            expected << unmeasured;
        }
        QCOMPARE(run.out.split('\n', Qt::SkipEmptyParts), expected);

        const Run shipped = Cli({"check-language", ProgramDir() + "/language/polish.ini"}, dir.path());
        QCOMPARE(shipped.exitCode, 0);
        QVERIFY(shipped.out.endsWith(": nothing found\n"));
        QCOMPARE(Cli({"check-language", "gone.ini"}, dir.path()).exitCode, 1);
        QCOMPARE(Cli({"check-language"}, dir.path()).exitCode, 2);
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
