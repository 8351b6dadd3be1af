// zavprog-cli set as a user runs it: every kind of field set and read back
// with show --json, the same edits through the desktop's write path and
// through set giving the same file, and refused edits named with nothing
// written.

#include "channel_fixture.h"
#include "channel_writes.h"
#include "cli_process.h"
#include "data_file.h"
#include "dtmf_rules.h"
#include "feature_rules.h"
#include "optional_feature_rules.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace zav;

namespace {

/// Extended mode, channels 1, 2 and 521; tone tip 1 defined.
Document ExtendedDocument()
{
    Document doc;
    test::NewDocument(doc, kExtendedMode, {{1, "02700000"}, {2, "02705000"}, {521, "02720000"}});
    doc.image().ToneTips[0].Values[0] = 1000;
    doc.image().ToneTips[0].Values[1] = 100;
    doc.image().ToneTips[0].Values[28] = 1;
    doc.copyWorkingToSaved();
    return doc;
}

bool Save(Document doc, const QString& path) { return saveDocument(doc, path.toStdString()).ok(); }

/// A value of show --json by path: "Settings/DtmfSettings/DigitRate",
/// "ActiveChannels/0/RxTone".
QJsonValue At(const QJsonValue& root, const QString& path)
{
    QJsonValue value = root;
    for (const QString& key : path.split('/')) {
        bool index = false;
        const int k = key.toInt(&index);
        value = index ? value.toArray().at(k) : value.toObject().value(key);
    }
    return value;
}

/// The desktop's way of making an edit: the table's write path for a
/// channel cell, the editors' rules for the settings.
using DesktopEdit = std::function<void(Document&)>;

void TypeIntoCells(Document& doc, std::initializer_list<int> rows, int fieldId, const CellValue& value)
{
    for (const int row : rows)
        setChannelCell(doc, ChannelWriteEnv{true, 0}, 0, row, fieldId, value);
}

} // namespace

class TestCliSet : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(QFile::exists(ProgramDir() + "/zavprog-cli"), "zavprog-cli is not built"); }

    void everyFieldKindReadsBack_data()
    {
        QTest::addColumn<QStringList>("edit");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("channel column") << QStringList{"--channels", "1-2", "--receive-tone", "67.0"}
                                        << "ActiveChannels/1/RxTone" << "1";
        QTest::newRow("detail option") << QStringList{"--channels", "1", "--roger-beep", "1"} << "ActiveChannels/0/Option23"
                                       << "1";
        QTest::newRow("exchange option by name") << QStringList{"--channels", "1-2", "--fm-power", "Low"}
                                                 << "ActiveChannels/1/Option27" << "1";
        QTest::newRow("new channel by its frequency") << QStringList{"--channels", "3", "--receive-mhz", "27.5"}
                                                      << "ActiveChannels/3/Number" << "3";
        QTest::newRow("shared channel setting") << QStringList{"--common.roger-beep", "1"}
                                                << "Settings/OptFeat/CommonChannel/Option23" << "1";
        QTest::newRow("optional feature") << QStringList{"--optional-features.tot-time", "45"}
                                          << "Settings/OptFeat/Common1/0" << "45";
        QTest::newRow("DTMF timing") << QStringList{"--dtmf.digit-rate", "100"} << "Settings/DtmfSettings/DigitRate" << "10";
        QTest::newRow("DTMF ID code") << QStringList{"--dtmf.id-code", "4711"} << "Settings/DtmfSettings/IdCodeLength" << "4";
        QTest::newRow("embedded message") << QStringList{"--embedded-message.2", "SHOP 1"}
                                          << "Settings/EmbeddedMessage/1" << "SHOP 1";
        QTest::newRow("power-on text") << QStringList{"--power-on-text=WELCOME"} << "Settings/OptFeat/PowerOnText"
                                       << "WELCOME";
    }
    void everyFieldKindReadsBack()
    {
        QFETCH(QStringList, edit);
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(Save(ExtendedDocument(), dir.filePath("a.dat")));
        const Run set = Cli(QStringList{"set", "a.dat"} + edit + QStringList{"-o", "b.dat"}, dir.path());
        QVERIFY2(set.exitCode == 0, qPrintable(set.err));
        QVERIFY(set.out.contains("changed"));
        const Run shown = Cli({"show", "b.dat", "--json"}, dir.path());
        QCOMPARE(shown.exitCode, 0);
        const QJsonValue value = At(QJsonDocument::fromJson(shown.out.toUtf8()).object(), path);
        const QString text = value.isString() ? value.toString() : QString::number(value.toInt());
        QVERIFY2(text.startsWith(expected), qPrintable(text));
    }

    /// The same edits through the desktop's write path and through set
    /// give byte-identical files.
    void sameFileAsTheDesktop()
    {
        struct Case {
            const char* name;
            QStringList args;
            DesktopEdit desktop;
        };
        const std::vector<Case> cases{
            {"tones on a range", {"--channels", "1-2", "--receive-tone", "D017N", "--transmit-tone", "67.0"},
             [](Document& d) {
                 TypeIntoCells(d, {1, 2}, FieldRxTone, CellValue(51));
                 TypeIntoCells(d, {1, 2}, FieldTxTone, CellValue(1));
             }},
            {"a channel typed into an empty slot", {"--channels", "3", "--receive-mhz", "27.5", "--scan-skip", "Yes"},
             [](Document& d) {
                 TypeIntoCells(d, {3}, FieldRxFrequency, CellValue(std::string("27.50000")));
                 TypeIntoCells(d, {3}, 7, CellValue(1));
             }},
            {"offset", {"--channels", "1", "--offset-mhz", "+0.1"},
             [](Document& d) { TypeIntoCells(d, {1}, FieldTransmit, CellValue(std::string("+0.1"))); }},
            {"cleared channel", {"--channels", "2", "--receive-mhz", ""},
             [](Document& d) { TypeIntoCells(d, {2}, FieldRxFrequency, CellValue(std::string())); }},
            {"DTMF and optional features", {"--dtmf.first-digit-delay", "200", "--optional-features.scan-mode", "1"},
             [](Document& d) {
                 const std::vector<int>& entries = firstDigitDelayTimings().entriesMs;
                 const auto entry = std::find(entries.begin(), entries.end(), 200) - entries.begin();
                 d.image().DtmfSettings.FirstDigitDelay = timingValue(firstDigitDelayTimings(), int(entry));
                 d.image().OptFeat.Common1[common1::ScanMode] = 1;
             }},
            {"code memory emptied", {"--dtmf.code-memories.1", ""},
             [](Document& d) {
                 storeCode(d.image().DtmfSettings.CodeMemories[0], "");
                 clearCodeMemoryReferences(d, 1);
             }},
            {"message line", {"--embedded-message.1", "HI"},
             [](Document& d) { storeMessageLine(d.image().EmbeddedMessage[0], "HI"); }},
        };
        for (const Case& c : cases) {
            QTemporaryDir dir;
            Document doc = ExtendedDocument();
            doc.image().DtmfSettings.CodeMemories[0].Length = 2;
            doc.image().DtmfSettings.CodeMemories[0].Code.assign("12");
            doc.active()[0].option(ChannelOption::BotCode) = 1; // channel 1 sends code memory 1 at the start
            doc.copyWorkingToSaved();
            QVERIFY(Save(doc, dir.filePath("a.dat")));
            const Run set = Cli(QStringList{"set", "a.dat"} + c.args + QStringList{"-o", "cli.dat"}, dir.path());
            QVERIFY2(set.exitCode == 0, qPrintable(QString(c.name) + ": " + set.err));
            c.desktop(doc);
            QVERIFY(Save(doc, dir.filePath("desktop.dat")));
            QVERIFY2(ReadAll(dir.filePath("cli.dat")) == ReadAll(dir.filePath("desktop.dat")), c.name);
        }
    }

    void refusalsNamedAndNothingWritten()
    {
        QTemporaryDir dir;
        Document country;
        test::NewDocument(country, 0, {{1, "02696500"}, {2, "02697500"}});
        QVERIFY(Save(country, dir.filePath("c.dat")));
        const Run refused = Cli({"set", "c.dat", "--channels", "1-3", "--receive-mhz", "27.5", "--receive-tone", "67.0",
                                 "--dtmf.digit-rate", "105", "-o", "out.dat"},
                                dir.path());
        QCOMPARE(refused.exitCode, 1);
        QVERIFY(!QFile::exists(dir.filePath("out.dat")));
        QVERIFY2(refused.err.contains("channel 1, receive MHz: a country channel keeps its receive frequency"),
                 qPrintable(refused.err));
        QVERIFY(refused.err.contains("channel 3, receive tone: channel 3 is an empty slot"));
        QVERIFY(refused.err.contains("dtmf.digit-rate: \"105\" is not one of"));
        QVERIFY(refused.err.contains("nothing written"));

        // --skip-refused writes the rest: the tones of channels 1 and 2.
        const Run skipped = Cli({"set", "c.dat", "--channels", "1-3", "--receive-tone", "67.0", "--skip-refused", "-o",
                                 "out.dat"},
                                dir.path());
        QCOMPARE(skipped.exitCode, 0);
        QVERIFY(skipped.err.contains("channel 3, receive tone"));
        QVERIFY(skipped.out.contains("2 channels and 0 settings changed"));

        // A dry run prints the changes and writes nothing.
        const Run dry = Cli({"set", "c.dat", "--channels", "1", "--receive-tone", "67.0", "--dry-run", "-o", "dry.dat"},
                            dir.path());
        QCOMPARE(dry.exitCode, 0);
        QVERIFY(dry.out.contains("channel 1, receive tone: OFF -> 67.0"));
        QVERIFY(!QFile::exists(dir.filePath("dry.dat")));

        // Names: unknown, shared without its prefix, and a bad list are usage errors.
        QCOMPARE(Cli({"set", "c.dat", "--no-such-field", "1", "-o", "x.dat"}, dir.path()).exitCode, 2);
        QCOMPARE(Cli({"set", "c.dat", "--channels", "group:XX", "--receive-tone", "67.0", "-o", "x.dat"}, dir.path()).exitCode, 2);
        QVERIFY(!QFile::exists(dir.filePath("x.dat")));
    }

    /// The manual page and the completion take the names from --list-fields.
    void manualPageListsEveryField()
    {
        QTemporaryDir dir;
        const Run listed = Cli({"set", "--list-fields"}, dir.path());
        QCOMPARE(listed.exitCode, 0);
        const QStringList names = listed.out.split('\n', Qt::SkipEmptyParts);
        QVERIFY(names.contains("receive-tone") && names.contains("common.roger-beep") && names.contains("power-on-text"));
        const QByteArray page = ReadAll(QStringLiteral(ZAV_SOURCE_DIR "/data/man/zavprog-cli.1"));
        for (QString name : names) // as roff writes it: every "-" escaped
            QVERIFY2(page.contains(("\\-\\-" + name.replace("-", "\\-")).toUtf8()),
                     qPrintable("the manual page does not list " + name));
    }
};

QTEST_GUILESS_MAIN(TestCliSet)
#include "test_cli_set.moc"
