// The check window, the question before a write with errors, the fleet
// window against four virtual radios (two written, one silent, one of a
// related band refused) and the programming log, all through the real
// widgets with scripted message boxes.

#include "channel_table_window.h"
#include "window_names.h"
#include "check_window.h"
#include "band.h"
#include "config_check.h"
#include "fleet_radio.h"
#include "fleet_window.h"
#include "main_window_fixture.h"
#include "programming_log.h"
#include "programming_log_dialog.h"
#include "radio_link.h"
#include "sim_process.h"
#include "window_registry.h"

#include <QAction>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QCryptographicHash>
#include <QFile>
#include <QLabel>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTreeWidget>

#include <algorithm>

using namespace zav;
using namespace zav::test;
using zav::testing::SimProcess;
using ui::Answer;

namespace {

constexpr int kTransferTimeoutMs = 60000;

QAction* Action(MainWindow& w, const char* name) { return w.findChild<QAction*>(QString::fromLatin1(name)); }

/// Makes the first channel of the table one whose frequency the radio's
/// field cannot hold (70 MHz); returns the finding the check reports.
ConfigFinding BreakFirstChannel(Document& doc)
{
    doc.active()[0].RxFrequency.assign("07000000");
    for (const ConfigFinding& f : checkConfiguration(doc))
        if (f.level == FindingLevel::Error && f.area == FindingArea::Channel)
            return f;
    return {};
}

void DoubleClickRow(QTreeWidget* list, int row)
{
    QTreeWidgetItem* item = list->topLevelItem(row);
    const QRect rect = list->visualItemRect(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

int Row(FleetWindow& fleet, const QString& device)
{
    for (int i = 0; i < fleet.radioCount(); ++i)
        if (fleet.radio(i)->device() == device)
            return i;
    return -1;
}

} // namespace

class TestFleetCheck : public QObject {
    Q_OBJECT
private slots:
    void checkWindowListsFindingsAndOpensTheChannel()
    {
        ShellFixture f;
        MainWindow& w = f.open();
        const ConfigFinding broken = BreakFirstChannel(f.session.doc);
        QVERIFY(broken.messageId != 0);
        QVERIFY(broken.group >= 0);

        Action(w, "mnuCheckConfig")->trigger();
        auto* check = qobject_cast<CheckWindow*>(ui::findWindow(w.area(), kCheckWindowName));
        QVERIFY(check);
        QTreeWidget* list = check->list();
        int row = -1;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (check->findings()[static_cast<std::size_t>(i)] == broken)
                row = i;
        QVERIFY(row >= 0);
        QCOMPARE(list->topLevelItem(row)->text(0), f.text(32600)); // "error"
        QVERIFY(!list->topLevelItem(row)->icon(0).isNull());
        QVERIFY(list->topLevelItem(row)->text(2).contains("70"));

        // Another group is shown first, so the double-click has to move it.
        channels::editState(w.context()).editGroup = broken.group == 0 ? 1 : 0;
        DoubleClickRow(list, row);
        auto* table = qobject_cast<channels::ChannelTableWindow*>(ui::findWindow(w.area(), zav::kChannelTableName));
        QVERIFY(table);
        QCOMPARE(table->shownGroup(), broken.group);
        QCOMPARE(table->currentRow(), broken.numberInGroup);
        QCOMPARE(table->currentColumn(), static_cast<int>(FieldRxFrequency));

        // Fixed in the document, the check again finds nothing of it.
        f.session.doc.active()[0].RxFrequency.assign("02700000");
        check->findChild<QPushButton*>("cmdCheckAgain")->click();
        for (const ConfigFinding& finding : check->findings())
            QVERIFY(finding.level != FindingLevel::Error);
    }

    // The findings sort by level, place and text as a user clicks the
    // headers, the place by group and row as numbers; a double-click opens
    // the place and the list stays in front of it, the focus in the editor;
    // Close closes the window.
    void checkWindowSortsAndStaysInView()
    {
        ShellFixture f;
        MainWindow& w = f.open();
        w.resize(1400, 1000);
        // Channel 100 comes before channel 9 as text, after it as a place.
        NewDocument(f.session.doc, kExtendedMode, {{1, "02700000"}, {9, "07000000"}, {100, "07000000"}});
        Action(w, "mnuCheckConfig")->trigger();
        auto* check = qobject_cast<CheckWindow*>(ui::findWindow(w.area(), kCheckWindowName));
        QVERIFY(check);
        QTreeWidget* list = check->list();
        const auto findingOf = [&](int row) {
            return check->findings()[static_cast<std::size_t>(list->topLevelItem(row)->data(0, Qt::UserRole).toInt())];
        };
        const auto clickHeader = [&](int column) {
            QHeaderView* header = list->header();
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(column) + 4, header->height() / 2));
        };
        QVERIFY(list->topLevelItemCount() >= 2);

        clickHeader(1);
        std::vector<int> channels;
        for (int r = 0; r < list->topLevelItemCount(); ++r)
            if (findingOf(r).area == FindingArea::Channel && findingOf(r).level == FindingLevel::Error)
                channels.push_back(findingOf(r).number);
        QCOMPARE(channels.front(), 9);
        QCOMPARE(channels.back(), 100);
        for (int r = 1; r < list->topLevelItemCount(); ++r) {
            const ConfigFinding& a = findingOf(r - 1);
            const ConfigFinding& b = findingOf(r);
            if (a.group >= 0 && b.group >= 0)
                QVERIFY(std::make_pair(a.group, a.numberInGroup) <= std::make_pair(b.group, b.numberInGroup));
        }
        clickHeader(0);
        for (int r = 1; r < list->topLevelItemCount(); ++r)
            QVERIFY(findingOf(r - 1).level <= findingOf(r).level);
        clickHeader(2);
        for (int r = 1; r < list->topLevelItemCount(); ++r)
            QVERIFY(list->topLevelItem(r - 1)->text(2) <= list->topLevelItem(r)->text(2));

        // The place opens in front of the user, the list above it.
        clickHeader(1);
        int row = -1;
        for (int r = 0; r < list->topLevelItemCount() && row < 0; ++r)
            if (findingOf(r).number == 100 && findingOf(r).field == FieldRxFrequency)
                row = r;
        QVERIFY(row >= 0);
        DoubleClickRow(list, row);
        ShellFixture::flush();
        auto* table = qobject_cast<channels::ChannelTableWindow*>(ui::findWindow(w.area(), zav::kChannelTableName));
        QVERIFY(table);
        QCOMPARE(table->currentRow(), findingOf(row).numberInGroup);
        QCOMPARE(w.area()->activeSubWindow()->widget(), static_cast<QWidget*>(table));
        const QList<QMdiSubWindow*> stack = w.area()->subWindowList(QMdiArea::StackingOrder);
        QCOMPARE(stack.back()->widget(), static_cast<QWidget*>(check));
        QVERIFY(check->isVisible());

        check->findChild<QPushButton*>("cmdClose")->click();
        ShellFixture::flush();
        QVERIFY(!ui::findWindow(w.area(), kCheckWindowName));
    }

    // A finding in the other channel mode's channels is not in the table
    // shown: the window says so and offers the switch the mode menu makes.
    void findingOfTheOtherModeOffersToSwitch_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("modeName"); // as the mode menu names it, without its shortcut
        QTest::newRow("Yes switches and opens the channel") << true << int(kEnglish) << "Extended Mode";
        QTest::newRow("No changes nothing") << false << int(kEnglish) << "Extended Mode";
        QTest::newRow("Chinese") << true << int(kChinese) << QString::fromUtf8("扩展模式");
    }
    void findingOfTheOtherModeOffersToSwitch()
    {
        QFETCH(bool, yes);
        QFETCH(int, language);
        QFETCH(QString, modeName);
        ShellFixture f(language);
        MainWindow& w = f.open();
        Document& doc = f.session.doc;
        QVERIFY(!isExtendedMode(doc.image().ChannelMode));
        QVERIFY(doc.standbyCount() > 0);
        doc.standby()[0].RxFrequency.assign("07000000"); // beyond the radio's frequency field
        ConfigFinding broken;
        for (const ConfigFinding& finding : checkConfiguration(doc))
            if (finding.standby && finding.area == FindingArea::Channel && finding.level == FindingLevel::Error)
                broken = finding;
        QVERIFY(broken.standby && broken.group >= 0);

        Action(w, "mnuCheckConfig")->trigger();
        auto* check = qobject_cast<CheckWindow*>(ui::findWindow(w.area(), kCheckWindowName));
        QVERIFY(check);
        int row = -1;
        for (int i = 0; i < check->list()->topLevelItemCount(); ++i)
            if (check->findings()[static_cast<std::size_t>(i)] == broken)
                row = i;
        QVERIFY(row >= 0);
        const ImageSet before = doc.working;
        const QStringList windowsBefore = f.openWindows();
        f.prompter.asked.clear();
        f.prompter.answers = {yes ? Answer::Yes : Answer::No};
        DoubleClickRow(check->list(), row);
        ShellFixture::flush();

        QCOMPARE(f.prompter.asked.size(), std::size_t(1));
        const ui::ScriptedPrompter::Asked& question = f.prompter.asked[0];
        QCOMPARE(question.buttons, ui::Buttons::YesNo);
        QCOMPARE(question.icon, ui::Icon::Question);
        QCOMPARE(question.text, f.text(33305).arg(modeName));
        if (!yes) {
            QVERIFY(doc.working.Settings == before.Settings);
            QVERIFY(doc.working.ActiveChannels == before.ActiveChannels);
            QCOMPARE(f.openWindows(), windowsBefore);
            QVERIFY(Action(w, "MnuModeCountry")->isChecked());
            return;
        }
        // As the mode menu does: the other mode's channels are now the table's.
        QVERIFY(isExtendedMode(doc.image().ChannelMode));
        QVERIFY(Action(w, "MnuModeExtended")->isChecked());
        QCOMPARE(doc.active()[0].RxFrequency.raw(), std::string("07000000"));
        auto* table = qobject_cast<channels::ChannelTableWindow*>(ui::findWindow(w.area(), zav::kChannelTableName));
        QVERIFY(table);
        QCOMPARE(table->shownGroup(), broken.group);
        QCOMPARE(table->currentRow(), broken.numberInGroup);
        QCOMPARE(table->currentColumn(), static_cast<int>(FieldRxFrequency));
        QVERIFY(w.area()->activeSubWindow() && w.area()->activeSubWindow()->widget() == table);
        // The check is there again, its findings now of the mode shown.
        check = qobject_cast<CheckWindow*>(ui::findWindow(w.area(), kCheckWindowName));
        QVERIFY(check);
        const auto& findings = check->findings();
        QVERIFY(std::any_of(findings.begin(), findings.end(), [&](const ConfigFinding& finding) {
            return !finding.standby && finding.number == broken.number && finding.messageId == broken.messageId;
        }));
    }

    void writeWithErrorsAsksFirst()
    {
        ShellFixture f;
        SimProcess sim({});
        QVERIFY(!sim.device().isEmpty());
        MainWindow& w = f.open(sim.device().toStdString());
        BreakFirstChannel(f.session.doc);

        // No (the default) sends nothing; the log says the radio was not
        // written and why.
        Action(w, "mnuWriteToRadio")->trigger();
        QCOMPARE(f.prompter.asked.size(), std::size_t(1));
        QCOMPARE(f.prompter.asked[0].icon, ui::Icon::Warning);
        QCOMPARE(f.prompter.asked[0].defaultAnswer, std::optional<Answer>(Answer::No));
        QVERIFY(f.prompter.asked[0].text.startsWith(f.text(32808).arg(1).left(20)));
        QVERIFY(!w.transferRunning());
        auto log = readProgrammingLog(programmingLogPath());
        QCOMPARE(log.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(log[0][1]), sim.device());
        QVERIFY(log[0][2].empty()); // no radio was asked who it is
        QCOMPARE(log[0][7], std::string("not written: the check found errors"));

        // One question says both: the errors and the write's own question.
        const QString question = f.prompter.asked[0].text;
        QVERIFY(question.contains(f.text(9005)));
        QCOMPARE(f.prompter.asked[0].buttons, ui::Buttons::YesNo);

        // Yes writes, and nothing asks again; the log gets the line of that write.
        f.prompter.asked.clear();
        f.prompter.answers = {Answer::Yes, Answer::Ok}; // the question, 9010
        Action(w, "mnuWriteToRadio")->trigger();
        QVERIFY(ShellFixture::runUntil([&] { return w.transferRunning(); }, 5000));
        QVERIFY(ShellFixture::runUntil([&] { return !w.transferRunning(); }, kTransferTimeoutMs));
        QCOMPARE(f.prompter.texts(), (QStringList{question, f.text(9010)}));
        log = readProgrammingLog(programmingLogPath());
        QCOMPARE(log.size(), std::size_t(2));
        QCOMPARE(QString::fromStdString(log[1][1]), sim.device());
        QCOMPARE(log[1][2], std::string("ZAV415"));
        QVERIFY(log[1][7] == "written" || log[1][7] == "verified");
        QCOMPARE(log[1][6].size(), std::size_t(64));
    }

    // A write of a document with unsaved changes: the log's SHA-256 is of
    // what the radio got, and the line says the file on disk is not that.
    void unsavedChangesAreMarkedInTheLog()
    {
        ShellFixture f;
        SimProcess sim({});
        QVERIFY(!sim.device().isEmpty());
        MainWindow& w = f.open(sim.device().toStdString());
        const QString file = f.dir.filePath("radio.dat");
        QVERIFY(saveDocument(f.session.doc, file.toStdString()));
        w.openFile(file);
        f.modify();
        const std::vector<std::uint8_t> sent = dataFileBytes(f.session.doc);
        const QByteArray sentHash = QCryptographicHash::hash(
            QByteArrayView(sent.data(), static_cast<qsizetype>(sent.size())), QCryptographicHash::Sha256).toHex();

        f.prompter.answers = {Answer::Ok, Answer::Ok}; // 9005, 9010
        Action(w, "mnuWriteToRadio")->trigger();
        QVERIFY(ShellFixture::runUntil([&] { return !w.transferRunning(); }, kTransferTimeoutMs));
        Action(w, "mnuWriteMany")->trigger();
        FleetWindow* fleet = w.fleetWindow();
        fleet->verifyBox()->setChecked(false);
        fleet->addDevice(sim.device());
        fleet->startButton()->click();
        QVERIFY(ShellFixture::runUntil([&] { return fleet->allFinished(); }, kTransferTimeoutMs));

        const auto log = readProgrammingLog(programmingLogPath());
        QCOMPARE(log.size(), std::size_t(2));
        for (const auto& line : log) {
            QVERIFY2(line[7] == "written" || line[7] == "verified", line[7].c_str());
            QCOMPARE(QByteArray::fromStdString(line[6]), sentHash);
            QCOMPARE(line[5], std::string("radio.dat (unsaved changes)"));
        }
    }

    void singleWriteThatCannotStartIsLogged()
    {
        ShellFixture f;
        const std::string missing = f.dir.filePath("no-such-port").toStdString();
        MainWindow& w = f.open(missing);
        Action(w, "mnuWriteToRadio")->trigger(); // the port fails before any question
        QVERIFY(ShellFixture::runUntil([&] { return !w.transferRunning(); }, kTransferTimeoutMs));
        const auto log = readProgrammingLog(programmingLogPath());
        QCOMPARE(log.size(), std::size_t(1));
        QCOMPARE(log[0][1], missing);
        QVERIFY(log[0][2].empty()); // no radio answered
        QCOMPARE(log[0][7], "failed: " + f.text(kTextFleetPortFailed).toStdString());
    }

    void fleetWritesEveryRadioAndLogsEach()
    {
        ShellFixture f;
        MainWindow& w = f.open();
        SimProcess good1({});
        SimProcess good2({});
        SimProcess silent({"--silent-after", "0"});
        SimProcess otherBand({"--band-byte", "2"});
        for (const SimProcess* sim : {&good1, &good2, &silent, &otherBand})
            QVERIFY(!sim->device().isEmpty());

        Action(w, "mnuWriteMany")->trigger();
        FleetWindow* fleet = w.fleetWindow();
        QVERIFY(fleet);
        for (const SimProcess* sim : {&good1, &good2, &silent, &otherBand}) {
            fleet->addField()->setText(sim->device());
            fleet->addButton()->click();
        }
        int ticked = 0;
        for (int i = 0; i < fleet->deviceList()->topLevelItemCount(); ++i)
            ticked += fleet->deviceList()->topLevelItem(i)->checkState(0) == Qt::Checked;
        QCOMPARE(ticked, 4);
        fleet->retriesBox()->setValue(0); // the silent radio fails at its first silence
        QVERIFY(!fleet->allowOtherBandBox()->isChecked());

        fleet->startButton()->click();
        QCOMPARE(fleet->radioCount(), 4);
        QVERIFY(!fleet->startButton()->isEnabled());
        QVERIFY(ShellFixture::runUntil([&] { return fleet->allFinished(); }, kTransferTimeoutMs));
        QVERIFY(f.prompter.asked.empty()); // no dialog for any radio

        QTreeWidget* rows = fleet->resultList();
        for (const SimProcess* sim : {&good1, &good2}) {
            const int row = Row(*fleet, sim->device());
            QVERIFY(fleet->radio(row)->succeeded());
            QCOMPARE(rows->topLevelItem(row)->text(3), f.text(32831)); // written and verified
            QVERIFY(rows->topLevelItem(row)->text(2).startsWith("ZAV415"));
        }
        const int silentRow = Row(*fleet, silent.device());
        QCOMPARE(rows->topLevelItem(silentRow)->text(3), f.text(32832).arg(f.text(kTextFleetNoAnswer)));
        QVERIFY(rows->topLevelItem(silentRow)->text(2).isEmpty());
        const int bandRow = Row(*fleet, otherBand.device());
        QCOMPARE(rows->topLevelItem(bandRow)->text(3), f.text(32832).arg(f.text(kTextFleetOtherBand)));
        QVERIFY(!rows->topLevelItem(bandRow)->text(2).isEmpty());

        auto log = readProgrammingLog(programmingLogPath());
        QCOMPARE(log.size(), std::size_t(4));
        int verified = 0;
        int failed = 0;
        for (const auto& line : log) {
            verified += line[7] == "verified";
            failed += line[7].rfind("failed: ", 0) == 0;
            QCOMPARE(line[6], log[0][6]); // one configuration for all
        }
        QCOMPARE(verified, 2);
        QCOMPARE(failed, 2);

        // The refused radio alone, now with another band allowed.
        fleet->allowOtherBandBox()->setChecked(true);
        rows->setCurrentItem(rows->topLevelItem(bandRow));
        QVERIFY(fleet->retryButton()->isEnabled());
        fleet->retryButton()->click();
        QVERIFY(fleet->radio(bandRow)->busy());
        QVERIFY(!fleet->radio(silentRow)->busy());
        QVERIFY(ShellFixture::runUntil([&] { return fleet->allFinished(); }, kTransferTimeoutMs));
        QVERIFY(fleet->radio(bandRow)->succeeded());
        log = readProgrammingLog(programmingLogPath());
        QCOMPARE(log.size(), std::size_t(5));

        // Program > Programming Log... shows those lines.
        int shownRows = -1;
        f.prompter.dialogs.push_back([&](QDialog& dialog) {
            shownRows = dialog.findChild<QTableWidget*>("grdLog")->rowCount();
            return static_cast<int>(QDialog::Rejected);
        });
        Action(w, "mnuProgramLog")->trigger();
        QCOMPARE(shownRows, 5);
    }

    // The log holds English words whatever the language of the program
    // that wrote it; the window shows the words it knows in the language in
    // use, and what it does not know (a line of an older program) as it is.
    void logIsShownInTheLanguageInUse()
    {
        ShellFixture f(kChinese);
        MainWindow& w = f.open();
        const std::string path = programmingLogPath();
        struct Line {
            const char* file;
            const char* result;
            QString shownFile;
            QString shownResult;
        };
        const QString failed = f.text(32832);
        const std::vector<Line> lines{
            {"radio.dat", "written", "radio.dat", f.text(32830)},
            {"radio.dat", "verified", "radio.dat", f.text(32831)},
            {"radio.dat (unsaved changes)", "failed: stopped by the user", "radio.dat " + f.text(33605),
             failed.arg(f.text(33002))},
            {"(unsaved changes)", "failed: no answer after 3 retries", f.text(33605), failed.arg(f.text(33003).arg(3))},
            {"radio.dat", "not written: declined", "radio.dat", f.text(33601).arg(f.text(33000))},
            {"radio.dat", "not written: the check found errors", "radio.dat", f.text(33601).arg(f.text(33001))},
            {"radio.dat", "failed: the radio is a ZAV415E", "radio.dat", failed.arg(f.text(32839).arg("ZAV415E"))},
            {"radio.dat", "failed: the port cannot be opened: Permission denied", "radio.dat",
             failed.arg(f.text(32835) + ": Permission denied")},
            {"radio.dat", "failed: verification failed: 2 block(s) differ: 0x0010, 0x0020", "radio.dat",
             failed.arg(f.text(33604).arg(2) + ": 0x0010, 0x0020")},
            {"radio.dat", "failed: \xe5\xb7\xb2\xe5\x81\x9c\xe6\xad\xa2", "radio.dat",
             failed.arg(QString::fromUtf8("\xe5\xb7\xb2\xe5\x81\x9c\xe6\xad\xa2"))},
            {"radio.dat", "something else", "radio.dat", "something else"},
        };
        for (const Line& line : lines) {
            ProgrammingLogEntry entry;
            entry.port = "/dev/ttyUSB0";
            entry.fileName = line.file;
            entry.result = line.result;
            QVERIFY(appendProgrammingLog(path, entry));
        }
        QStringList files;
        QStringList results;
        f.prompter.dialogs.push_back([&](QDialog& dialog) {
            const auto* table = dialog.findChild<QTableWidget*>("grdLog");
            for (int r = 0; r < table->rowCount(); ++r) {
                files << table->item(r, 5)->text();
                results << table->item(r, 7)->text();
            }
            return static_cast<int>(QDialog::Rejected);
        });
        Action(w, "mnuProgramLog")->trigger();
        QCOMPARE(results.size(), static_cast<qsizetype>(lines.size()));
        for (std::size_t i = 0; i < lines.size(); ++i) {
            QCOMPARE(files[static_cast<qsizetype>(i)], lines[i].shownFile);
            QCOMPARE(results[static_cast<qsizetype>(i)], lines[i].shownResult);
        }
    }

    // Every column of the log window is headed by what it holds, in both
    // languages, the job and power-on text columns included.
    void logWindowHeadsEveryColumn()
    {
        for (const bool chinese : {false, true}) {
            ShellFixture f(chinese ? kChinese : kEnglish);
            MainWindow& w = f.open();
            ProgrammingLogEntry entry;
            entry.port = "/dev/ttyUSB0";
            entry.result = "written";
            QVERIFY(appendProgrammingLog(programmingLogPath(), entry));
            QStringList headers;
            f.prompter.dialogs.push_back([&](QDialog& dialog) {
                const auto* table = dialog.findChild<QTableWidget*>("grdLog");
                for (int c = 0; c < table->columnCount(); ++c)
                    headers << table->horizontalHeaderItem(c)->text();
                return static_cast<int>(QDialog::Rejected);
            });
            Action(w, "mnuProgramLog")->trigger();
            // date and time, port, model, band, version, file, SHA-256, result, job, power-on text
            const QStringList expected{f.text(32845), f.text(32846), f.text(32847), f.text(32848), f.text(32849),
                                       f.text(32850), f.text(32851), f.text(32852), f.text(34270), f.text(34268)};
            QCOMPARE(headers, expected);
        }
    }

    // The Chinese program writes the same English words as every other.
    void chineseProgramLogsEnglishWords()
    {
        ShellFixture f(kChinese);
        SimProcess sim({});
        QVERIFY(!sim.device().isEmpty());
        MainWindow& w = f.open(sim.device().toStdString());

        f.prompter.answers = {Answer::Cancel}; // 9005
        Action(w, "mnuWriteToRadio")->trigger();
        QVERIFY(ShellFixture::runUntil([&] { return !w.transferRunning(); }, kTransferTimeoutMs));
        BreakFirstChannel(f.session.doc);
        f.prompter.answers = {Answer::No}; // the check's question
        Action(w, "mnuWriteToRadio")->trigger();
        QVERIFY(!w.transferRunning());
        Action(w, "mnuWriteMany")->trigger();
        FleetWindow* fleet = w.fleetWindow();
        fleet->addDevice(f.dir.filePath("no-such-port"));
        f.prompter.answers = {Answer::Yes}; // write despite the errors
        fleet->startButton()->click();
        QVERIFY(ShellFixture::runUntil([&] { return fleet->allFinished(); }, kTransferTimeoutMs));

        const auto log = readProgrammingLog(programmingLogPath());
        QCOMPARE(log.size(), std::size_t(3));
        QCOMPARE(log[0][7], std::string("not written: declined"));
        QCOMPARE(log[1][7], std::string("not written: the check found errors"));
        QCOMPARE(log[2][7], std::string("failed: the port cannot be opened"));
    }

    void passwordComesFromTheWindow()
    {
        ShellFixture f;
        MainWindow& w = f.open();
        SimProcess locked({"--password", "1234"});
        Action(w, "mnuWriteMany")->trigger();
        FleetWindow* fleet = w.fleetWindow();
        fleet->verifyBox()->setChecked(false);
        fleet->addDevice(locked.device());
        fleet->startButton()->click();
        QVERIFY(ShellFixture::runUntil([&] { return fleet->allFinished(); }, kTransferTimeoutMs));
        QCOMPARE(fleet->radio(0)->failure().textId, kTextFleetPassword);
        QVERIFY(f.prompter.asked.empty() && f.prompter.dialogNames.empty()); // no password dialog
        // The radio said who it is before it asked for the password.
        QVERIFY(fleet->resultList()->topLevelItem(0)->text(2).startsWith("ZAV415"));

        fleet->passwordField()->setText("1234");
        fleet->resultList()->setCurrentItem(fleet->resultList()->topLevelItem(0));
        fleet->retryButton()->click();
        QVERIFY(ShellFixture::runUntil([&] { return fleet->allFinished(); }, kTransferTimeoutMs));
        QVERIFY(fleet->radio(0)->succeeded());
        QCOMPARE(fleet->resultList()->topLevelItem(0)->text(3), f.text(32830)); // written
        const auto log = readProgrammingLog(programmingLogPath());
        QCOMPARE(log.size(), std::size_t(2));
        QCOMPARE(log[0][7], "failed: " + f.text(kTextFleetPassword).toStdString());
        QCOMPARE(log[0][2], std::string("ZAV415"));
        QCOMPARE(log[1][7], std::string("written"));
    }

    void closingWhileWritingAsks()
    {
        ShellFixture f;
        MainWindow& w = f.open();
        SimProcess paced({"--paced"}); // slow enough to close mid-way
        Action(w, "mnuWriteMany")->trigger();
        QPointer<FleetWindow> fleet = w.fleetWindow();
        fleet->addDevice(paced.device());
        fleet->startButton()->click();
        QVERIFY(ShellFixture::runUntil([&] { return fleet->radio(0)->percent() > 0; }, kTransferTimeoutMs));

        fleet->close(); // No, the default: it stays and carries on
        QCOMPARE(f.prompter.asked.size(), std::size_t(1));
        QCOMPARE(f.prompter.asked[0].text, f.text(32833));
        QCOMPARE(f.prompter.asked[0].icon, ui::Icon::Warning);
        QCOMPARE(f.prompter.asked[0].defaultAnswer, std::optional<Answer>(Answer::No));
        QVERIFY(fleet->isVisible());
        QVERIFY(fleet->busy());

        // Quitting the program asks the same, and No keeps both windows.
        w.close();
        QCOMPARE(f.prompter.asked.size(), std::size_t(2));
        QCOMPARE(f.prompter.asked[1].text, f.text(32833));
        QVERIFY(w.isVisible());
        QVERIFY(fleet && fleet->busy());

        f.prompter.answers = {Answer::Yes};
        fleet->close();
        ShellFixture::flush();
        QVERIFY(fleet.isNull());
        const auto log = readProgrammingLog(programmingLogPath());
        QCOMPARE(log.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(log[0][7]), QStringLiteral("failed: ") + f.text(kTextFleetStopped));
    }

    // The radio's band by its label, as the model dialog names it; a code
    // the program knows no band for by its number. Close closes the window
    // as its title bar's button does, asking first while radios are written.
    void fleetShowsTheBandAndCloses()
    {
        ShellFixture f;
        MainWindow& w = f.open();
        SimProcess known({});
        SimProcess unknown({"--band-byte", "7"});
        Action(w, "mnuWriteMany")->trigger();
        QPointer<FleetWindow> fleet = w.fleetWindow();
        fleet->verifyBox()->setChecked(false);
        fleet->allowOtherBandBox()->setChecked(true);
        fleet->addDevice(known.device());
        fleet->addDevice(unknown.device());
        fleet->startButton()->click();
        QVERIFY(ShellFixture::runUntil([&] { return fleet->allFinished(); }, kTransferTimeoutMs));
        const QString knownText = fleet->resultList()->topLevelItem(Row(*fleet, known.device()))->text(2);
        const QString unknownText = fleet->resultList()->topLevelItem(Row(*fleet, unknown.device()))->text(2);
        QVERIFY2(knownText.contains(QString::fromStdString(bandLabelOf(0))), qPrintable(knownText));
        QVERIFY2(unknownText.contains(f.text(33506).arg(7)), qPrintable(unknownText));

        SimProcess paced({"--paced"});
        fleet->addDevice(paced.device());
        for (int i = 0; i < fleet->deviceList()->topLevelItemCount(); ++i)
            if (fleet->deviceList()->topLevelItem(i)->text(0) != paced.device())
                fleet->deviceList()->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
        fleet->startButton()->click();
        QVERIFY(ShellFixture::runUntil([&] { return fleet->radio(0)->percent() > 0; }, kTransferTimeoutMs));
        auto* close = fleet->findChild<QPushButton*>("cmdClose");
        QVERIFY(close);
        f.prompter.asked.clear();
        close->click(); // No, the default: it stays and carries on
        ShellFixture::flush();
        QCOMPARE(f.prompter.texts(), QStringList{f.text(32833)});
        QVERIFY(fleet && fleet->busy());
        f.prompter.answers = {Answer::Yes};
        close->click();
        ShellFixture::flush();
        QVERIFY(fleet.isNull());
    }

    void deviceListFollowsTheSystem()
    {
        ShellFixture f;
        MainWindow& w = f.open();
        std::vector<FleetDevice> present{{"/dev/ttyUSB0", "CP2102 USB to UART", "0001"},
                                         {"/dev/ttyUSB1", "FT232R USB UART", "A50285BI"}};
        FleetWindow fleet(w.context(), [&] { return present; });
        QTreeWidget* list = fleet.deviceList();
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(list->topLevelItem(1)->text(1), QStringLiteral("FT232R USB UART"));
        QCOMPARE(list->topLevelItem(1)->text(2), QStringLiteral("A50285BI"));
        QCOMPARE(list->topLevelItem(0)->checkState(0), Qt::Unchecked);
        list->topLevelItem(1)->setCheckState(0, Qt::Checked);
        fleet.addDevice("/dev/pts/9"); // given by hand: ticked, and kept though the system never lists it

        // One adapter unplugged, another plugged in.
        present = {{"/dev/ttyUSB1", "FT232R USB UART", "A50285BI"}, {"/dev/ttyACM0", "CDC", ""}};
        fleet.refreshDevices();
        QStringList shown;
        QStringList ticked;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            shown << list->topLevelItem(i)->text(0);
            if (list->topLevelItem(i)->checkState(0) == Qt::Checked)
                ticked << list->topLevelItem(i)->text(0);
        }
        shown.sort();
        ticked.sort();
        QCOMPARE(shown, (QStringList{"/dev/pts/9", "/dev/ttyACM0", "/dev/ttyUSB1"}));
        QCOMPARE(ticked, (QStringList{"/dev/pts/9", "/dev/ttyUSB1"}));

        // Nothing ticked: Start says so and starts nothing.
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            list->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
        fleet.startButton()->click();
        QCOMPARE(fleet.radioCount(), 0);
        QCOMPARE(f.prompter.texts(), QStringList{f.text(32834)});

        // A configuration with errors: the same question as a single write,
        // and No (the default) starts no radio.
        BreakFirstChannel(f.session.doc);
        list->topLevelItem(0)->setCheckState(0, Qt::Checked);
        fleet.startButton()->click();
        QCOMPARE(f.prompter.asked.size(), std::size_t(2));
        QVERIFY(f.prompter.asked[1].text.startsWith(f.text(32808).arg(1).left(20)));
        QCOMPARE(f.prompter.asked[1].icon, ui::Icon::Warning);
        QCOMPARE(f.prompter.asked[1].defaultAnswer, std::optional<Answer>(Answer::No));
        QCOMPARE(fleet.radioCount(), 0);
        // Each ticked radio still gets its line: not written, and why.
        const auto log = readProgrammingLog(programmingLogPath());
        QCOMPARE(log.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(log[0][1]), list->topLevelItem(0)->text(0));
        QCOMPARE(log[0][7], std::string("not written: the check found errors"));
    }

    void unwritableLogNeverFailsTheWrite()
    {
        ShellFixture f;
        MainWindow& w = f.open();
        SimProcess sim({});
        Action(w, "mnuWriteMany")->trigger();
        FleetWindow* fleet = w.fleetWindow();
        QFile blocker(f.dir.filePath("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the log's folder would be
        blocker.close();
        fleet->setLogPath(f.dir.filePath("blocker/log.csv").toStdString());
        fleet->verifyBox()->setChecked(false);
        fleet->addDevice(sim.device());
        fleet->startButton()->click();
        QVERIFY(ShellFixture::runUntil([&] { return fleet->allFinished(); }, kTransferTimeoutMs));
        QVERIFY(fleet->radio(0)->succeeded());
        QCOMPARE(fleet->resultList()->topLevelItem(0)->text(3), f.text(32830)); // written
        QVERIFY(fleet->summaryLabel()->text().contains(f.text(32853).left(10)));
    }
};

QTEST_MAIN(TestFleetCheck)
#include "test_fleet_check.moc"
