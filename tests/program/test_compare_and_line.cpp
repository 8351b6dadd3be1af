// Compare with Radio through the real widgets, and the fleet window's
// compare-only, clone and production-line modes, against virtual radios on
// pseudo-terminals. The production line takes its devices from a list the
// test changes, as adapters being plugged in would change the system's.

#include "backup_store.h"
#include "window_names.h"
#include "channel_table_window.h"
#include "compare_window.h"
#include "data_file.h"
#include "fleet_radio.h"
#include "fleet_window.h"
#include "main_window_fixture.h"
#include "memory_map.h"
#include "power_on_texts.h"
#include "programming_log.h"
#include "radio_link.h"
#include "sample_document.h"
#include "sim_process.h"
#include "transfer_options.h"
#include "user_folders.h"
#include "version_records.h"
#include "window_registry.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

using namespace zav;
using namespace zav::test;
using zav::testing::SimProcess;
using ui::Answer;

namespace {

constexpr int kTransferTimeoutMs = 90000;

QAction* Action(MainWindow& w, const char* name) { return w.findChild<QAction*>(QString::fromLatin1(name)); }

QByteArray Bytes(const link::RadioMemory& memory)
{
    return QByteArray(reinterpret_cast<const char*>(memory.data()), static_cast<qsizetype>(memory.size()));
}

QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

/// The plan's ranges of a memory, the identity bytes blanked.
QByteArray Planned(QByteArray memory)
{
    memory.replace(link::kHeaderAddress, link::kIdentityHeaderBytes, QByteArray(link::kIdentityHeaderBytes, 0));
    return memory.left(0x2440) + memory.mid(0x4000, 0x2440);
}

/// The sample radio's memory with a tone, the power-on text and one
/// optional feature changed, in a file for --memory.
QString DifferingMemory(const QTemporaryDir& dir, int& toneChannel)
{
    Document held = sim::sampleDocument(0);
    ChannelRecord& second = held.active()[1];
    toneChannel = second.Number;
    second.RxTone = static_cast<Int16>(second.RxTone == 5 ? 6 : 5);
    held.image().OptFeat.PowerOnText.assign("UNIT 99");
    held.image().OptFeat.Common1[common1::DisplayMode] ^= 1;
    link::RadioMemory memory = sim::sampleMemory();
    const link::RadioMemory encoded = link::encodeDocument(held);
    for (std::size_t i = 0; i < memory.size(); ++i)
        if (i < std::size_t(link::kHeaderAddress) || i >= std::size_t(link::kHeaderAddress + 16))
            memory[i] = encoded[i];
    const QString path = dir.filePath("differs.bin");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(Bytes(memory)) != link::kMemoryBytes)
        return {};
    return path;
}

/// Opens the sample as a saved file: what the radios are compared with.
void OpenSample(ShellFixture& f, MainWindow& w)
{
    Document doc = sim::sampleDocument(0);
    QVERIFY(saveDocument(doc, f.dir.filePath("sample.dat").toStdString()));
    w.openFile(f.dir.filePath("sample.dat"));
    ShellFixture::flush();
}

} // namespace

class TestCompareAndLine : public QObject {
    Q_OBJECT
private slots:
    void compareWindowNamesWhatDiffers();
    void writeKeepsWhatTheRadioHeldBefore();
    void compareOnlyReportsEachRadio();
    void cloneWritesTheSourceRadiosMemory();
    void productionLineWritesEachRadioPluggedIn();
};

void TestCompareAndLine::compareWindowNamesWhatDiffers()
{
    QTemporaryDir dir;
    int toneChannel = 0;
    const QString memory = DifferingMemory(dir, toneChannel);
    QVERIFY(!memory.isEmpty());
    const QString dump = dir.filePath("dump.bin");
    SimProcess sim({"--memory", memory, "--password", "ab12", "--dump", dump});
    QVERIFY(!sim.device().isEmpty());
    ShellFixture f;
    MainWindow& w = f.open(sim.device().toStdString());
    OpenSample(f, w);
    const Document before = f.session.doc;

    f.prompter.answers = {Answer::Ok}; // 9004
    f.prompter.dialogs.push_back([](QDialog& d) {
        auto* box = d.findChild<QLineEdit*>("Text1");
        QTest::keyClicks(box, "ab12");
        d.findChild<QPushButton*>("CommandOK")->click();
        return d.result();
    });
    Action(w, "mnuCompareRadio")->trigger();
    QVERIFY(w.transferRunning());
    QVERIFY(!Action(w, "mnuWriteToRadio")->isEnabled()); // one transfer at a time
    QVERIFY(ShellFixture::runUntil([&] { return !w.transferRunning(); }, kTransferTimeoutMs));
    ShellFixture::flush();
    // Its own question (nothing is replaced), and no "read done" box in
    // front of the answer.
    QCOMPARE(f.prompter.texts(), QStringList{f.text(34230)});

    // The document is untouched; the window lists exactly the three fields.
    QVERIFY(f.session.doc.working.Settings == before.working.Settings);
    QVERIFY(f.session.doc.active() == before.active());
    QCOMPARE(QString::fromStdString(f.session.doc.documentPath), f.dir.filePath("sample.dat"));
    auto* window = w.findChild<CompareWindow*>(kCompareWindowName);
    QVERIFY(window);
    QTreeWidget* list = window->list();
    QCOMPARE(list->topLevelItemCount(), 3);
    QStringList rows;
    for (int i = 0; i < 3; ++i)
        rows << list->topLevelItem(i)->text(0) + " | " + list->topLevelItem(i)->text(1);
    QVERIFY2(rows[0].startsWith(QString("channel %1 (").arg(toneChannel)), qPrintable(rows.join("\n")));
    QVERIFY2(rows[0].contains(f.text(15005) + ": the document has"), qPrintable(rows[0]));
    QVERIFY2(rows.filter(f.text(16100) + ": ").size() == 1 && rows.filter("\"UNIT 99\"").size() == 1,
             qPrintable(rows.join("\n")));
    QVERIFY2(rows.filter(f.text(16013) + ": ").size() == 1, qPrintable(rows.join("\n")));
    QVERIFY(window->summaryLabel()->text().contains("3"));
    QVERIFY(window->writeButton()->isEnabled());
    // A compare never writes: the radio ends as it began.
    QVERIFY(sim.waitForEnds(1));
    QCOMPARE(FileBytes(dump), FileBytes(memory));
    // And it kept a backup as a read does.
    QCOMPARE(listBackups(backupFolder()).size(), std::size_t(1));

    // Double-click: the channel table at that channel's row.
    const QRect rect = list->visualItemRect(list->topLevelItem(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    ShellFixture::flush();
    QVERIFY(f.openWindows().contains(zav::kChannelTableName));
    auto* table = w.findChild<channels::ChannelTableWindow*>(zav::kChannelTableName);
    QVERIFY(table);
    QCOMPARE(table->currentColumn(), int(FieldRxTone));
    QCOMPARE(channels::editState(w.context()).editGroup, window->comparison().differences[0].group);

    // Double-click on the power-on text: the optional features.
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(1).startsWith(f.text(16100)))
            window->openRow(i);
    ShellFixture::flush();
    QVERIFY(f.openWindows().contains(zav::kOptionalFeaturesName));

    // "Open what the radio holds": the radio's contents become the document
    // (the optional features just shown put the sample's values outside
    // their lists back in range: Yes to leaving those changes).
    f.prompter.answers = {Answer::Yes};
    window->openRadioButton()->click();
    ShellFixture::flush();
    QVERIFY(f.session.doc.isUntitled);
    QCOMPARE(Planned(Bytes(link::encodeDocument(f.session.doc))), Planned(FileBytes(memory)));
    QCOMPARE(f.openWindows(), QStringList{zav::kChannelTableName});
}

void TestCompareAndLine::writeKeepsWhatTheRadioHeldBefore()
{
    QTemporaryDir dir;
    int toneChannel = 0;
    const QString memory = DifferingMemory(dir, toneChannel);
    const QString dump = dir.filePath("dump.bin");
    SimProcess sim({"--memory", memory, "--dump", dump});
    ShellFixture f;
    TransferOptions options = TransferOptions::load();
    options.backupBeforeWrite = true;
    options.store();
    MainWindow& w = f.open(sim.device().toStdString());
    OpenSample(f, w);
    // The sample holds values the check calls errors: Yes to the one
    // question that names them and asks to write (9005).
    f.prompter.answers = {Answer::Yes, Answer::Ok}; // the check with 9005, then 9010
    Action(w, "mnuWriteToRadio")->trigger();
    QVERIFY(ShellFixture::runUntil([&] { return !w.transferRunning(); }, kTransferTimeoutMs));
    QVERIFY(f.prompter.texts().value(0).endsWith(f.text(9005)));
    QCOMPARE(f.prompter.texts().mid(1), QStringList{f.text(9010)});
    const auto backups = listBackups(backupFolder());
    const auto before = std::find_if(backups.begin(), backups.end(),
                                     [](const BackupEntry& e) { return e.kind == BackupKind::BeforeWrite; });
    QVERIFY(before != backups.end());
    QCOMPARE(QString::fromStdString(before->headerModel), QString("ZAV415"));
    Document held;
    QCOMPARE(int(openDocument(held, before->path, {}).outcome), int(OpenOutcome::Opened));
    QCOMPARE(Planned(Bytes(link::encodeDocument(held))), Planned(FileBytes(memory)));
    QVERIFY(sim.waitForEnds(3)); // the read before, the write, the read back
    QCOMPARE(Planned(FileBytes(dump)), Planned(Bytes(link::encodeDocument(f.session.doc))));
}

void TestCompareAndLine::compareOnlyReportsEachRadio()
{
    QTemporaryDir dir;
    int toneChannel = 0;
    const QString memory = DifferingMemory(dir, toneChannel);
    SimProcess same({});
    SimProcess differs({"--memory", memory});
    ShellFixture f;
    MainWindow& w = f.open();
    OpenSample(f, w);
    FleetWindow fleet(w.context(), [] { return std::vector<FleetDevice>{}; });
    fleet.addDevice(same.device());
    fleet.addDevice(differs.device());
    fleet.compareOnlyBox()->setChecked(true);
    fleet.startButton()->click();
    QVERIFY(f.prompter.asked.empty()); // a compare writes nothing: no question about the check
    QCOMPARE(fleet.radioCount(), 2);
    QVERIFY(ShellFixture::runUntil([&] { return fleet.allFinished(); }, kTransferTimeoutMs));
    QCOMPARE(fleet.resultList()->topLevelItem(0)->text(3), f.text(34245));
    QCOMPARE(fleet.resultList()->topLevelItem(1)->text(3), f.text(34246).arg(3));
    const auto log = readProgrammingLog(programmingLogPath());
    QCOMPARE(log.size(), std::size_t(2));
    // The radios finish in either order; each line names its port.
    const auto resultOf = [&log](const QString& device) {
        for (const auto& line : log)
            if (line[1] == device.toStdString())
                return line[7];
        return std::string();
    };
    QCOMPARE(resultOf(same.device()), std::string("same"));
    QCOMPARE(resultOf(differs.device()), std::string("different: 3 differences"));
    QCOMPARE(log[0][8], std::string("compare"));
    QCOMPARE(log[1][8], std::string("compare"));
}

void TestCompareAndLine::cloneWritesTheSourceRadiosMemory()
{
    QTemporaryDir dir;
    int toneChannel = 0;
    const QString memory = DifferingMemory(dir, toneChannel);
    SimProcess source({"--memory", memory});
    SimProcess first({"--dump", dir.filePath("first.bin")});
    SimProcess second({"--dump", dir.filePath("second.bin")});
    ShellFixture f;
    MainWindow& w = f.open();
    OpenSample(f, w);
    FleetWindow fleet(w.context(), [] { return std::vector<FleetDevice>{}; });
    for (const SimProcess* sim : {&source, &first, &second})
        fleet.addDevice(sim->device());
    fleet.sourceBox()->setCurrentIndex(1);
    fleet.sourceDeviceBox()->setCurrentText(source.device());
    fleet.startButton()->click();
    QVERIFY(ShellFixture::runUntil([&] { return fleet.radioCount() == 3 && fleet.allFinished(); }, kTransferTimeoutMs));
    QVERIFY(f.prompter.asked.empty());
    for (int i = 1; i < 3; ++i)
        QVERIFY2(fleet.radio(i)->succeeded(), qPrintable(fleet.resultList()->topLevelItem(i)->text(3)));
    QVERIFY(first.waitForEnds(2) && second.waitForEnds(2));
    QCOMPARE(Planned(FileBytes(dir.filePath("first.bin"))), Planned(FileBytes(memory)));
    QCOMPARE(Planned(FileBytes(dir.filePath("second.bin"))), Planned(FileBytes(memory)));
    // Each keeps its own identity bytes.
    QCOMPARE(FileBytes(dir.filePath("first.bin")).mid(link::kHeaderAddress, link::kIdentityHeaderBytes),
             Bytes(sim::sampleMemory()).mid(link::kHeaderAddress, link::kIdentityHeaderBytes));
    const auto log = readProgrammingLog(programmingLogPath());
    QCOMPARE(log.size(), std::size_t(2)); // the source is read, not programmed
    QCOMPARE(log[0][8], std::string("clone"));
}

void TestCompareAndLine::productionLineWritesEachRadioPluggedIn()
{
    ShellFixture f;
    MainWindow& w = f.open();
    OpenSample(f, w);
    std::vector<FleetDevice> present{{"/dev/ttyS0", "a GPS on the board's own port", "", false}};
    FleetWindow fleet(w.context(), [&] { return present; });
    fleet.setLineAnswerMs(1500);
    fleet.retriesBox()->setValue(0);
    fleet.powerOnPatternField()->setText("UNIT {n:02}");
    f.prompter.answers = {Answer::Yes}; // the sample holds values the check calls errors
    fleet.productionLineBox()->click();
    QVERIFY(fleet.productionLine());
    QVERIFY(!fleet.lineResultLabel()->isHidden());

    std::vector<std::unique_ptr<SimProcess>> radios;
    const auto plugIn = [&](const QStringList& args) {
        radios.push_back(std::make_unique<SimProcess>(args));
        present.push_back({radios.back()->device(), "CP2102 USB to UART", "0001", true});
        fleet.refreshDevices();
    };
    QTemporaryDir dir;
    // Three radios one after another; a silent one between them does not
    // stop the line.
    for (int i = 0; i < 4; ++i) {
        plugIn(i == 2 ? QStringList{"--silent-after", "0"}
                      : QStringList{"--dump", dir.filePath(QString("radio%1.bin").arg(i))});
        QCOMPARE(fleet.radioCount(), i + 1);
        QVERIFY(ShellFixture::runUntil([&] { return fleet.allFinished(); }, kTransferTimeoutMs));
        QCOMPARE(fleet.radio(i)->succeeded(), i != 2);
        QVERIFY(fleet.lineResultLabel()->text().contains(fleet.resultList()->topLevelItem(i)->text(3)));
    }
    // A serial port that is not a USB adapter never gets a handshake.
    present.push_back({"/dev/ttyS1", "another port", "", false});
    fleet.refreshDevices();
    QCOMPARE(fleet.radioCount(), 4);
    QVERIFY(!fleet.startButton()->isEnabled()); // never pressed: the line starts them

    const auto log = readProgrammingLog(programmingLogPath());
    QCOMPARE(log.size(), std::size_t(4));
    const char* texts[] = {"UNIT 01", "UNIT 02", "UNIT 03", "UNIT 04"};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(QString::fromStdString(log[std::size_t(i)][1]), radios[std::size_t(i)]->device());
        QCOMPARE(log[std::size_t(i)][9], std::string(texts[i]));
        if (i == 2) {
            QVERIFY(log[std::size_t(i)][7].rfind("failed: ", 0) == 0);
            continue;
        }
        QCOMPARE(log[std::size_t(i)][7], std::string("verified"));
        QVERIFY(radios[std::size_t(i)]->waitForEnds(2));
        const QByteArray text = FileBytes(dir.filePath(QString("radio%1.bin").arg(i))).mid(link::mem::PowerOnText, 16);
        QCOMPARE(text, Bytes(link::encodeDocument(withPowerOnText(f.session.doc, texts[i]))).mid(link::mem::PowerOnText, 16));
        QVERIFY(text.startsWith(texts[i]));
    }

    // A radio unplugged and plugged in again is a new radio.
    const FleetDevice again = present[1];
    present.erase(present.begin() + 1);
    fleet.refreshDevices();
    present.push_back(again);
    fleet.refreshDevices();
    QCOMPARE(fleet.radioCount(), 5);
    QVERIFY(ShellFixture::runUntil([&] { return fleet.allFinished(); }, kTransferTimeoutMs));
    QVERIFY(fleet.radio(4)->succeeded());
    QCOMPARE(fleet.radio(4)->powerOnText(), std::string("UNIT 05"));

    // Switched off, a new device is left alone.
    fleet.productionLineBox()->click();
    QVERIFY(!fleet.productionLine());
    plugIn({});
    QCOMPARE(fleet.radioCount(), 5);
}

QTEST_MAIN(TestCompareAndLine)
#include "test_compare_and_line.moc"
