// Read, write and radio information from the main window against the
// virtual radio on a pseudo-terminal: progress window, password dialog,
// questions, and what the document and the radio hold afterwards.

#include "address_plan.h"
#include "window_names.h"
#include "channel_fixture.h"
#include "channel_grid_model.h"
#include "channel_table_window.h"
#include "data_file.h"
#include "progress_dialog.h"
#include "radio_info_window.h"
#include "memory_map.h"
#include "radio_link.h"
#include "sample_document.h"
#include "main_window_fixture.h"
#include "sim_process.h"
#include "window_registry.h"

#include <QAction>
#include <QFileInfo>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>

#include <optional>

using namespace zav;
using namespace zav::test;
using ui::Answer;
using zav::testing::SimProcess;

namespace {

constexpr int kTransferTimeoutMs = 30000;

QAction* Action(MainWindow& w, const char* name) { return w.findChild<QAction*>(QString::fromLatin1(name)); }

// Answers the password dialog by typing password and pressing OK.
std::function<int(QDialog&)> TypePassword(const QString& password)
{
    return [password](QDialog& d) {
        auto* box = d.findChild<QLineEdit*>("Text1");
        box->clear();
        QTest::keyClicks(box, password);
        d.findChild<QPushButton*>("CommandOK")->click();
        return d.result();
    };
}

// Whether two memories agree on every block of the full address plan,
// the radio's identity bytes of the header block aside.
QString FirstDifference(const link::RadioMemory& a, const link::RadioMemory& b)
{
    for (long block : link::planBlocks(link::kFullPlan)) {
        for (long i = block; i < block + link::kBlockSize; ++i) {
            if (i >= link::kHeaderAddress && i < link::kHeaderAddress + link::kIdentityHeaderBytes)
                continue;
            if (a[static_cast<std::size_t>(i)] != b[static_cast<std::size_t>(i)])
                return QString::number(i, 16);
        }
    }
    return {};
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

link::RadioMemory ReadMemoryFile(const QString& path)
{
    link::RadioMemory memory{};
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        if (bytes.size() == link::kMemoryBytes)
            std::copy(bytes.begin(), bytes.end(), memory.begin());
    }
    return memory;
}

} // namespace

class TestRadioE2E : public QObject {
    Q_OBJECT
private slots:
    void readThenWriteWithPassword();
    void wrongPasswordLeavesDocument_data();
    void wrongPasswordLeavesDocument();
    void closingProgressWindowCancels();
    void stoppingWriteAsksFirst();
    void stoppingWriteInHandshakeDoesNotAsk();
    void portThatCannotOpen();
    void typedDeviceIsUsedByRead();
    void radioInformationWindow();
    void closingMainWindowEndsTransfer();
    void readAndWriteLeaveBackups();
    void unconfirmedCellValueIsWritten();
    void writeThatDoesNotTakeFailsVerification();
};

void TestRadioE2E::readThenWriteWithPassword()
{
    QTemporaryDir dir;
    const QString dump = dir.filePath("radio.bin");
    SimProcess sim({"--password", "ab12", "--dump", dump});
    QVERIFY(!sim.device().isEmpty());

    ShellFixture f;
    MainWindow& w = f.open(sim.device().toStdString());
    f.modify();
    f.prompter.answers = {Answer::Ok, Answer::Ok}; // 9004, then 9009
    f.prompter.dialogs.push_back(TypePassword("ab12"));

    int highestPercent = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (ProgressDialog* p = w.radioLink().progressWindow())
            highestPercent = std::max(highestPercent, p->percent());
    });
    watch.start(5);

    Action(w, "mnuReadFromRadio")->trigger();
    QVERIFY(w.transferRunning());
    // One transfer at a time.
    QVERIFY(!Action(w, "mnuReadFromRadio")->isEnabled());
    QVERIFY(!Action(w, "mnuWriteToRadio")->isEnabled());
    QVERIFY(!Action(w, "MnuLocalInfo")->isEnabled());
    QVERIFY(!w.findChild<QAction*>("WriteRadio")->isEnabled());
    QVERIFY(w.radioLink().progressWindow() != nullptr);
    QVERIFY(ShellFixture::runUntil([&] { return !w.transferRunning(); }, kTransferTimeoutMs));
    ShellFixture::flush();

    QCOMPARE(f.prompter.texts(), (QStringList{f.text(9004), f.text(9009)}));
    QCOMPARE(QStringList(f.prompter.dialogNames.begin(), f.prompter.dialogNames.end()), QStringList{zav::kPasswordDialogName});
    QCOMPARE(f.session.radioPassword, std::string("ab12"));
    QVERIFY(highestPercent > 50);
    QVERIFY(Action(w, "mnuReadFromRadio")->isEnabled());

    // The radio's memory is the document now: untitled, channel table open.
    QVERIFY(f.session.doc.isUntitled);
    QCOMPARE(f.session.doc.documentPath, std::string(kUntitledName));
    QCOMPARE(f.openWindows(), QStringList{zav::kChannelTableName});
    QCOMPARE(FirstDifference(link::encodeDocument(f.session.doc), sim::sampleMemory()), QString());

    // Change the document and write it: the password is known by now.
    f.session.doc.image().OptFeat.Common1[common1::TotTime] = 7;
    const link::RadioMemory expected = link::encodeDocument(f.session.doc);
    f.prompter.asked.clear();
    // The sample holds values the check calls errors: Yes to writing anyway.
    f.prompter.answers = {Answer::Yes, Answer::Ok}; // the check with the write's question, then 9010
    Action(w, "mnuWriteToRadio")->trigger();
    QVERIFY(w.transferRunning());
    QVERIFY(ShellFixture::runUntil([&] { return !w.transferRunning(); }, kTransferTimeoutMs));
    QVERIFY(f.prompter.texts().value(0).startsWith(f.text(32808).section(QLatin1Char('%'), 0, 0)));
    QVERIFY(f.prompter.texts().value(0).endsWith(f.text(9005)));
    QCOMPARE(f.prompter.texts().mid(1), (QStringList{f.text(9010)}));
    QCOMPARE(f.prompter.dialogNames.size(), std::size_t(1)); // no second password question
    QTRY_VERIFY(QFileInfo(dump).size() == link::kMemoryBytes);
    QCOMPARE(FirstDifference(ReadMemoryFile(dump), expected), QString());
    // A write leaves the document as it was.
    QVERIFY(f.session.doc.isModified());
    QCOMPARE(f.session.doc.image().OptFeat.Common1[common1::TotTime], Int16(7));
}

void TestRadioE2E::wrongPasswordLeavesDocument_data()
{
    // The failure is told in the language the program shows.
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("failure");
    QTest::newRow("English") << int(kEnglish) << "PassWord Failure!";
    QTest::newRow("Chinese") << int(kChinese) << QString::fromUtf8("密码错误！");
}

void TestRadioE2E::wrongPasswordLeavesDocument()
{
    QFETCH(int, language);
    QFETCH(QString, failure);
    SimProcess sim({"--password", "Ab12"});
    QVERIFY(!sim.device().isEmpty());
    ShellFixture f(language);
    MainWindow& w = f.open(sim.device().toStdString());
    f.modify();
    const ImageSet before = f.session.doc.working;
    f.prompter.answers = {Answer::Ok, Answer::Ok}; // 9004, then the failure message
    f.prompter.dialogs.push_back(TypePassword("ab12")); // letter case matters

    Action(w, "mnuReadFromRadio")->trigger();
    QVERIFY(ShellFixture::runUntil([&] { return !w.transferRunning(); }, kTransferTimeoutMs));
    QCOMPARE(f.prompter.texts(), (QStringList{f.text(9004), failure}));
    QVERIFY(f.session.doc.working.Settings == before.Settings);
    QVERIFY(f.session.doc.isModified());
    QVERIFY(w.radioLink().progressWindow() == nullptr || !w.radioLink().progressWindow()->isVisible());
}

void TestRadioE2E::closingProgressWindowCancels()
{
    SimProcess sim({"--paced"}); // slow enough to close the window mid-way
    QVERIFY(!sim.device().isEmpty());
    ShellFixture f;
    MainWindow& w = f.open(sim.device().toStdString());
    const ImageSet before = f.session.doc.working;
    f.prompter.answers = {Answer::Ok};

    Action(w, "mnuReadFromRadio")->trigger();
    QVERIFY(ShellFixture::runUntil(
        [&] { return w.radioLink().progressWindow() && w.radioLink().progressWindow()->percent() > 0; },
        kTransferTimeoutMs));
    w.radioLink().progressWindow()->close();
    QVERIFY(ShellFixture::runUntil([&] { return !w.transferRunning(); }, kTransferTimeoutMs));
    ShellFixture::flush();
    QCOMPARE(f.prompter.texts(), QStringList{f.text(9004)}); // no success message
    QVERIFY(f.session.doc.working.Settings == before.Settings);
    QVERIFY(!f.session.doc.isModified());

    // The port was let go: the next transfer can open it again. Its Cancel
    // button stops a read at once too, without a question.
    f.prompter.asked.clear();
    f.prompter.answers = {Answer::Ok};
    Action(w, "mnuReadFromRadio")->trigger();
    QVERIFY(ShellFixture::runUntil(
        [&] { return w.radioLink().progressWindow() && w.radioLink().progressWindow()->percent() > 0; },
        kTransferTimeoutMs));
    w.radioLink().progressWindow()->cancelButton->click();
    QVERIFY(ShellFixture::runUntil([&] { return !w.transferRunning(); }, kTransferTimeoutMs));
    ShellFixture::flush();
    QCOMPARE(f.prompter.texts(), QStringList{f.text(9004)});
    QVERIFY(!f.session.doc.isModified());
}

void TestRadioE2E::stoppingWriteAsksFirst()
{
    SimProcess sim({"--paced"}); // slow enough to stop the write mid-way
    QVERIFY(!sim.device().isEmpty());
    ShellFixture f;
    MainWindow& w = f.open(sim.device().toStdString());
    f.prompter.answers = {Answer::Ok}; // 9005

    Action(w, "mnuWriteToRadio")->trigger();
    QVERIFY(ShellFixture::runUntil(
        [&] { return w.radioLink().progressWindow() && w.radioLink().progressWindow()->percent() > 0; },
        kTransferTimeoutMs));
    const QPointer<ProgressDialog> progress = w.radioLink().progressWindow();

    // No: the write carries on, window and all.
    f.prompter.answers = {Answer::No};
    progress->close();
    QCOMPARE(f.prompter.texts(), (QStringList{f.text(9005), f.text(9034)}));
    const ui::ScriptedPrompter::Asked& question = f.prompter.asked.back();
    QCOMPARE(question.icon, ui::Icon::Warning);
    QCOMPARE(question.buttons, ui::Buttons::YesNo);
    QCOMPARE(question.defaultAnswer, std::optional<Answer>(Answer::No));
    QVERIFY(w.transferRunning());
    QVERIFY(progress && progress->isVisible());
    const int percentAtNo = progress->percent();
    QVERIFY(ShellFixture::runUntil([&] { return progress && progress->percent() >= percentAtNo + 5; },
                                   kTransferTimeoutMs));

    // The window's Cancel button asks the same; No again.
    f.prompter.answers = {Answer::No};
    QVERIFY(progress->cancelButton->isVisible());
    progress->cancelButton->click();
    QCOMPARE(f.prompter.texts(), (QStringList{f.text(9005), f.text(9034), f.text(9034)}));
    QVERIFY(w.transferRunning());

    // Yes, asked by Escape this time: the write ends as a failure, and the
    // user is told what the radio now holds.
    f.prompter.answers = {Answer::Yes};
    QTest::keyClick(progress.data(), Qt::Key_Escape);
    QVERIFY(ShellFixture::runUntil([&] { return !w.transferRunning(); }, kTransferTimeoutMs));
    ShellFixture::flush();
    QCOMPARE(f.prompter.texts(),
             (QStringList{f.text(9005), f.text(9034), f.text(9034), f.text(9034), f.text(33400)})); // no 9010
    QCOMPARE(f.prompter.asked.back().icon, ui::Icon::Warning);
    QVERIFY(!progress || !progress->isVisible());
}

void TestRadioE2E::stoppingWriteInHandshakeDoesNotAsk()
{
    SimProcess sim({"--silent-after", "0"}); // the radio never answers the handshake
    QVERIFY(!sim.device().isEmpty());
    ShellFixture f;
    MainWindow& w = f.open(sim.device().toStdString());
    f.prompter.answers = {Answer::Ok}; // 9005

    Action(w, "mnuWriteToRadio")->trigger();
    QVERIFY(ShellFixture::runUntil([&] { return w.radioLink().progressWindow() != nullptr; }, kTransferTimeoutMs));
    QCOMPARE(w.radioLink().engine().kind(), link::TransferKind::Write);
    QCOMPARE(w.radioLink().engine().step(), link::TransferStep::Handshake);
    w.radioLink().progressWindow()->cancelButton->click();
    QVERIFY(ShellFixture::runUntil([&] { return !w.transferRunning(); }, kTransferTimeoutMs));
    ShellFixture::flush();
    QCOMPARE(f.prompter.texts(), QStringList{f.text(9005)}); // nothing was written: nothing to tell
}

void TestRadioE2E::portThatCannotOpen()
{
    ShellFixture f;
    QTemporaryDir dir;
    MainWindow& w = f.open(dir.filePath("no-such-port").toStdString());
    for (const char* command : {"mnuReadFromRadio", "mnuWriteToRadio"}) {
        f.prompter.asked.clear();
        Action(w, command)->trigger();
        QTRY_VERIFY(!w.transferRunning());
        // Text 9003, then the device and why it could not be opened.
        QCOMPARE(f.prompter.texts().size(), 1);
        QVERIFY2(f.prompter.texts()[0].startsWith(f.text(9003) + "\n\n" + dir.filePath("no-such-port") + ": "),
                 qPrintable(f.prompter.texts()[0]));
        QCOMPARE(f.prompter.asked[0].icon, ui::Icon::Critical);
        QVERIFY(w.radioLink().progressWindow() == nullptr);
    }
}

void TestRadioE2E::typedDeviceIsUsedByRead()
{
    SimProcess sim(QStringList{});
    QVERIFY(!sim.device().isEmpty());
    ShellFixture f;
    MainWindow& w = f.open(); // no device given on the command line
    QVERIFY(f.session.doc.isUntitled);

    // The virtual radio's pseudo-terminal, typed into the port dialog.
    f.prompter.dialogs.push_back([&](QDialog& d) {
        auto* box = d.findChild<QLineEdit*>("DeviceBox");
        box->clear();
        QTest::keyClicks(box, sim.device());
        d.findChild<QPushButton*>("CommandOK")->click();
        return d.result();
    });
    Action(w, "mnuComm")->trigger();
    QCOMPARE(QString::fromStdString(f.session.settings.portDevice), sim.device());

    f.prompter.answers = {Answer::Ok, Answer::Ok}; // 9004, then 9009
    Action(w, "mnuReadFromRadio")->trigger();
    QVERIFY(ShellFixture::runUntil([&] { return f.prompter.asked.size() == 2 && !w.transferRunning(); },
                                   kTransferTimeoutMs));
    QCOMPARE(w.radioLink().device(), sim.device());
    QCOMPARE(f.prompter.texts(), (QStringList{f.text(9004), f.text(9009)}));
}

void TestRadioE2E::radioInformationWindow()
{
    SimProcess sim({"--password", "9999"}); // the information read asks for no password
    QVERIFY(!sim.device().isEmpty());
    ShellFixture f;
    MainWindow& w = f.open(sim.device().toStdString());

    auto* tree = w.findChild<QTreeWidget*>("TreeView1");
    QTreeWidgetItem* n7 = tree->topLevelItem(0)->child(5);
    QCOMPARE(n7->data(0, Qt::UserRole).toString(), QString("N7"));
    emit tree->itemClicked(n7, 0);
    QTRY_VERIFY(w.transferRunning());
    QVERIFY(ShellFixture::runUntil([&] { return !w.transferRunning(); }, kTransferTimeoutMs));
    QVERIFY(f.prompter.asked.empty());
    QVERIFY(f.prompter.dialogNames.empty());

    auto* info = qobject_cast<features::RadioInfoWindow*>(ui::findWindow(w.area(), zav::kRadioInfoName));
    QVERIFY(info);
    QCOMPARE(info->windowTitle(), f.text(21000));
    QCOMPARE(info->modelList()->currentText(), QString("ZAV415"));
    QCOMPARE(info->bandList()->currentText(), QString(kDefaultBandLabel));
    QCOMPARE(info->serialNumberBox()->text(), QString("41507")); // cut at its NUL
    QCOMPARE(info->factoryDateBox()->text(), QString("2023-07-14"));
    // The password of the information area is never shown.
    for (QLineEdit* box : info->findChildren<QLineEdit*>())
        QVERIFY(!box->text().contains("9999"));

    // Again from the menu: the old window goes, a new one comes.
    Action(w, "MnuLocalInfo")->trigger();
    QVERIFY(ui::findWindow(w.area(), zav::kRadioInfoName) == nullptr);
    QVERIFY(ShellFixture::runUntil(
        [&] { return !w.transferRunning() && ui::findWindow(w.area(), zav::kRadioInfoName); }, kTransferTimeoutMs));
}

void TestRadioE2E::closingMainWindowEndsTransfer()
{
    SimProcess sim({"--paced"});
    QVERIFY(!sim.device().isEmpty());
    ShellFixture f;
    MainWindow& w = f.open(sim.device().toStdString());
    Action(w, "MnuLocalInfo")->trigger();
    QVERIFY(w.transferRunning());
    QVERIFY(w.close());
    QVERIFY(!w.transferRunning());
}

QTEST_MAIN(TestRadioE2E)
#include "test_radio_e2e.moc"

void TestRadioE2E::readAndWriteLeaveBackups()
{
    SimProcess sim(QStringList{});
    QVERIFY(!sim.device().isEmpty());
    ShellFixture f;
    MainWindow& w = f.open(sim.device().toStdString());
    const QDir backups(f.dir.filePath("data/zavprog/backups"));
    auto savedBytes = [&](const char* name) {
        Document copy = f.session.doc;
        const QString path = f.dir.filePath(name);
        return saveDocument(copy, path.toStdString()) ? FileBytes(path) : QByteArray();
    };

    f.prompter.answers = {Answer::Ok, Answer::Ok}; // 9004, 9009
    Action(w, "mnuReadFromRadio")->trigger();
    QVERIFY(ShellFixture::runUntil([&] { return !w.transferRunning(); }, kTransferTimeoutMs));
    ShellFixture::flush();
    QStringList kept = backups.entryList({"*.dat"}, QDir::Files);
    QCOMPARE(kept.size(), 1);
    QVERIFY2(kept[0].contains("_read_ZAV415_"), qPrintable(kept[0]));
    const QByteArray read = savedBytes("read.dat");
    QCOMPARE(FileBytes(backups.filePath(kept[0])), read);

    f.session.doc.image().OptFeat.Common1[common1::TotTime] = 5;
    f.prompter.answers = {Answer::Yes, Answer::Ok, Answer::Ok}; // the check (the sample has errors), 9005, 9010
    Action(w, "mnuWriteToRadio")->trigger();
    QVERIFY(ShellFixture::runUntil([&] { return !w.transferRunning(); }, kTransferTimeoutMs));
    ShellFixture::flush();
    kept = backups.entryList({"*.dat"}, QDir::Files, QDir::Name);
    QCOMPARE(kept.size(), 2);
    const QString written = kept.filter("_write_").value(0);
    QVERIFY2(!written.isEmpty(), qPrintable(kept.join(' ')));
    QCOMPARE(FileBytes(backups.filePath(written)), savedBytes("written.dat"));

    // File > Open Backup... names the device in full and the band as the
    // model dialog does, and opens the read one, untitled.
    f.prompter.answers = {Answer::No}; // the unsaved change
    QStringList readRow;
    f.prompter.dialogs.push_back([&](QDialog& d) {
        auto* list = d.findChild<QTreeWidget*>("lstBackups");
        for (int c = 0; c < list->columnCount(); ++c)
            readRow << list->topLevelItem(1)->text(c);
        list->setCurrentItem(list->topLevelItem(1)); // newest first: the read is second
        d.findChild<QPushButton*>("CommandOK")->click();
        return d.result();
    });
    Action(w, "mnuFileOpenBackup")->trigger();
    ShellFixture::flush();
    QCOMPARE(readRow.value(1), f.text(32206));
    QCOMPARE(readRow.value(3), sim.device());
    QCOMPARE(readRow.value(4), QString("ZAV415, 25.615 - 30.105 MHz, V300"));
    QVERIFY(f.session.doc.isUntitled);
    QCOMPARE(savedBytes("reopened.dat"), read);
}

void TestRadioE2E::writeThatDoesNotTakeFailsVerification()
{
    SimProcess sim({"--corrupt", "0x2175"}); // one settings byte is stored wrong
    QVERIFY(!sim.device().isEmpty());
    ShellFixture f;
    MainWindow& w = f.open(sim.device().toStdString());
    QString verifyingTitle;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (ProgressDialog* p = w.radioLink().progressWindow(); p && p->windowTitle() == f.text(32400))
            verifyingTitle = p->windowTitle();
    });
    watch.start(5);
    f.prompter.answers = {Answer::Ok, Answer::Ok}; // 9005, then the failure
    Action(w, "mnuWriteToRadio")->trigger();
    QVERIFY(ShellFixture::runUntil([&] { return !w.transferRunning(); }, 2 * kTransferTimeoutMs));
    ShellFixture::flush();
    QCOMPARE(verifyingTitle, f.text(32400));
    const QStringList asked = f.prompter.texts();
    QCOMPARE(asked.size(), 2);
    QCOMPARE(asked[0], f.text(9005));
    QVERIFY2(asked[1].contains("0x2170"), qPrintable(asked[1]));
    QVERIFY(!asked.contains(f.text(9010)));
    // No backup of a write that did not take.
    QVERIFY(QDir(f.dir.filePath("data/zavprog/backups")).entryList(QDir::Files).isEmpty());
}

void TestRadioE2E::unconfirmedCellValueIsWritten()
{
    QTemporaryDir dir;
    const QString dump = dir.filePath("radio.bin");
    SimProcess sim({"--dump", dump, "--channel-mode", "4"});
    QVERIFY(!sim.device().isEmpty());
    ShellFixture f;
    // An extended-mode file, where frequencies are typed.
    test::NewDocument(f.session.doc, kExtendedMode, {{1, "02700000"}, {521, "02720000"}});
    QVERIFY(saveDocument(f.session.doc, f.dir.filePath("extended.dat").toStdString()));
    MainWindow& w = f.open(sim.device().toStdString());
    w.openFile(f.dir.filePath("extended.dat"));
    ShellFixture::flush();
    auto* table = qobject_cast<channels::ChannelTableWindow*>(ui::findWindow(w.area(), zav::kChannelTableName));
    QVERIFY(table);
    const QModelIndex cell = table->gridModel()->index(4, 1); // row 5, receive frequency
    table->grid()->scrollTo(cell);
    QTest::mouseClick(table->grid()->viewport(), Qt::LeftButton, {}, table->grid()->visualRect(cell).center());
    auto* editor = table->findChild<QLineEdit*>("Text1");
    QVERIFY(editor && editor->isVisible());
    QTest::keyClicks(editor, "27.4"); // no Enter: the value is still in the box
    const int number = groupBase(f.session.doc.image().OptFeat.Common1[common1::CurrentGroup], kExtendedMode) + 5;
    QVERIFY(f.session.doc.findChannelByNumber(Int16(number)) < 0);

    f.prompter.answers = {Answer::Ok, Answer::Ok}; // 9005, 9010
    Action(w, "mnuWriteToRadio")->trigger();
    QVERIFY(ShellFixture::runUntil([&] { return !w.transferRunning(); }, 2 * kTransferTimeoutMs));
    QCOMPARE(f.prompter.texts(), (QStringList{f.text(9005), f.text(9010)}));
    const int index = f.session.doc.findChannelByNumber(Int16(number));
    QVERIFY(index >= 0);
    QCOMPARE(f.session.doc.active()[std::size_t(index)].RxFrequency.raw(), std::string("02740000"));
    QTRY_VERIFY(QFileInfo(dump).size() == link::kMemoryBytes);
    QCOMPARE(FirstDifference(ReadMemoryFile(dump), link::encodeDocument(f.session.doc)), QString());
}
