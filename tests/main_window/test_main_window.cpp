// The main window's document commands, caption, position, view and window
// commands, driven headless with scripted answers.

#include "channel_fixture.h"
#include "window_names.h"
#include "channel_grid_model.h"
#include "channel_table_window.h"
#include "data_file.h"
#include "undo_tracker.h"
#include "versions.h"
#include "main_window_fixture.h"
#include "window_registry.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTreeWidget>

using namespace zav;
using namespace zav::test;
using ui::Answer;

namespace {

QAction* Action(MainWindow& w, const char* name) { return w.findChild<QAction*>(QString::fromLatin1(name)); }

// Saves the current document to a file of the test folder and makes it the
// document's file, so Save works without a dialog.
QString SaveAsFile(ShellFixture& f, const QString& name)
{
    const QString path = f.dir.filePath(name);
    f.prompter.files.push_back(path);
    f.main->saveDocumentAs();
    return path;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    // The window goes (the program ends) while a write waits to start:
    // the write is cancelled first, and nothing touches what is gone.
    void closingDuringAWriteEndsItFirst()
    {
        test::ShellFixture f;
        MainWindow& main = f.open("/nonexistent/zavprog-test-port");
        main.writeToRadio();
        QVERIFY(main.transferRunning());
        f.main.reset();
    }

    void startsWithUntitledDocumentAndChannelTable();
    void newFromMenuAsks_data();
    void newFromMenuAsks();
    void toolbarNewAsksOnlyWhenModified_data();
    void toolbarNewAsksOnlyWhenModified();
    void saveOfUntitledGoesToSaveAs();
    void saveOfTitledAsksWithQuotedName();
    void saveAsAddsDatExtension_data();
    void saveAsAddsDatExtension();
    void fileDialogTitlesWithoutMenuMarks_data();
    void fileDialogTitlesWithoutMenuMarks();
    void childAreaReachesEveryPartOfAnEditor();
    void statusBarShowsPortInUse_data();
    void statusBarShowsPortInUse();
    void captionMarksModifiedDocument();
    void failedSaveKeepsDocumentModified();
    void openOfRefusedFileChangesNothing_data();
    void openOfRefusedFileChangesNothing();
    void openReplacesDocument();
    void exitStoresPositionEvenWhenCancelled();
    void exitWhileMinimisedKeepsStoredPosition();
    void firstStartUsesDefaultPosition();
    void positionOffEveryScreenFallsBack();
    void paneWidthLimits();
    void treeNodesOpenTheirWindows();
    void viewTogglesAndHideButton();
    void initUsesInitTemplateAndClearsFlagWhenCancelled();
    void otherVersionFile_data();
    void otherVersionFile();
};

void TestMainWindow::startsWithUntitledDocumentAndChannelTable()
{
    ShellFixture f;
    MainWindow& w = f.open();
    QCOMPARE(f.openWindows(), QStringList{zav::kChannelTableName});
    QVERIFY(f.session.doc.isUntitled);
    QVERIFY(!f.session.doc.isModified());
    const QString caption = w.windowTitle();
    QVERIFY(caption.startsWith(f.text(12000) + "[ZAV415:25.615 - 30.105 MHz]"));
    QVERIFY(caption.endsWith(":new.dat[*]]"));
    QCOMPARE(Action(w, "mnuFileNew")->text(), f.text(10001));
    QVERIFY(Action(w, "MnuModeCountry")->isChecked());
    QVERIFY(!Action(w, "MnuModeExtended")->isChecked());
    QVERIFY(f.prompter.asked.empty());
}

void TestMainWindow::newFromMenuAsks_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QList<int>>("answers");     // Answer values in order
    QTest::addColumn<QList<int>>("expectedIds"); // texts asked
    QTest::addColumn<bool>("replaced");

    const int ok = int(Answer::Ok), cancel = int(Answer::Cancel), no = int(Answer::No);
    QTest::newRow("unmodified: only 9026, OK") << false << QList<int>{ok} << QList<int>{9026} << true;
    QTest::newRow("unmodified: 9026 Cancel") << false << QList<int>{cancel} << QList<int>{9026} << false;
    QTest::newRow("modified: No then OK") << true << QList<int>{no, ok} << QList<int>{9006, 9026} << true;
    // Cancel at 9006 does not stop New: 9026 still decides.
    QTest::newRow("modified: Cancel then OK") << true << QList<int>{cancel, ok} << QList<int>{9006, 9026} << true;
    QTest::newRow("modified: Cancel then Cancel") << true << QList<int>{cancel, cancel} << QList<int>{9006, 9026}
                                                  << false;
}

void TestMainWindow::newFromMenuAsks()
{
    QFETCH(bool, modified);
    QFETCH(QList<int>, answers);
    QFETCH(QList<int>, expectedIds);
    QFETCH(bool, replaced);

    ShellFixture f;
    MainWindow& w = f.open();
    if (modified)
        f.modify();
    const Int16 before = f.session.doc.image().OptFeat.Common1[0];
    for (int a : answers)
        f.prompter.answers.push_back(Answer(a));

    w.newDocument();

    QStringList expected;
    for (int id : expectedIds)
        expected << f.text(id);
    QCOMPARE(f.prompter.texts(), expected);
    if (replaced) {
        QVERIFY(f.openWindows().isEmpty()); // closed first, rebuilt after the delay
        QTRY_VERIFY(!w.newDocumentPending());
        QCOMPARE(f.openWindows(), QStringList{zav::kChannelTableName});
        QVERIFY(!f.session.doc.isModified());
    } else {
        QVERIFY(!w.newDocumentPending());
        QCOMPARE(f.session.doc.image().OptFeat.Common1[0], before);
        QCOMPARE(f.openWindows(), QStringList{zav::kChannelTableName});
    }
}

void TestMainWindow::toolbarNewAsksOnlyWhenModified_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("unmodified: nothing asked") << false << int(Answer::Ok) << 0 << true;
    QTest::newRow("modified: No discards") << true << int(Answer::No) << 1 << true;
    QTest::newRow("modified: Cancel keeps the document") << true << int(Answer::Cancel) << 1 << false;
}

void TestMainWindow::toolbarNewAsksOnlyWhenModified()
{
    QFETCH(bool, modified);
    QFETCH(int, answer);
    QFETCH(int, questions);
    QFETCH(bool, replaced);

    ShellFixture f;
    MainWindow& w = f.open();
    if (modified)
        f.modify();
    f.prompter.answers.push_back(Answer(answer));
    w.findChild<QAction*>("NewFile")->trigger();

    QCOMPARE(int(f.prompter.asked.size()), questions);
    if (questions)
        QCOMPARE(f.prompter.asked[0].text, f.text(9006));
    QCOMPARE(w.newDocumentPending(), replaced);
    QTRY_VERIFY(!w.newDocumentPending());
    QCOMPARE(f.session.doc.isModified(), !replaced && modified);
}

void TestMainWindow::saveOfUntitledGoesToSaveAs()
{
    ShellFixture f;
    MainWindow& w = f.open();
    f.modify();

    // Cancelled Save As: nothing saved, and a New that needed it is cancelled.
    f.prompter.answers = {Answer::Yes};
    w.newDocument();
    QCOMPARE(f.prompter.texts(), QStringList{f.text(9006)});
    QCOMPARE(int(f.prompter.fileCaptions.size()), 1);
    QVERIFY(f.prompter.fileCaptions[0].endsWith("|new.dat"));
    QVERIFY(!w.newDocumentPending());
    QVERIFY(f.session.doc.isModified());
    QVERIFY(f.session.doc.isUntitled);

    // Save of the untitled document shows the dialog; the chosen file is saved.
    const QString path = f.dir.filePath("radio.dat");
    f.prompter.files.push_back(path);
    QVERIFY(w.saveDocument());
    QCOMPARE(QFileInfo(path).size(), qint64(kFullFileBytes));
    QVERIFY(!f.session.doc.isModified());
    QVERIFY(!f.session.doc.isUntitled);
    QVERIFY(w.windowTitle().endsWith(":radio.dat[*]]"));
}

void TestMainWindow::saveOfTitledAsksWithQuotedName()
{
    ShellFixture f;
    MainWindow& w = f.open();
    const QString path = SaveAsFile(f, "mine.dat");
    f.modify();

    f.prompter.answers = {Answer::Cancel};
    QVERIFY(!w.saveDocument());
    QCOMPARE(f.prompter.texts().last(), "\"mine.dat\"" + f.text(9007));
    QVERIFY(f.session.doc.isModified());

    f.prompter.answers = {Answer::Ok};
    QVERIFY(w.saveDocument());
    QVERIFY(!f.session.doc.isModified());
    QCOMPARE(int(f.prompter.fileCaptions.size()), 1); // no dialog for a titled document
    QCOMPARE(QString::fromStdString(f.session.doc.documentPath), path);
}

void TestMainWindow::saveAsAddsDatExtension_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("saved");
    QTest::newRow("no extension") << "radio" << "radio.dat";
    QTest::newRow("dotted folder") << "old.files/radio" << "old.files/radio.dat";
    QTest::newRow(".dat kept") << "radio.dat" << "radio.dat";
    QTest::newRow("other extension kept") << "radio.bin" << "radio.bin";
}

void TestMainWindow::saveAsAddsDatExtension()
{
    QFETCH(QString, chosen);
    QFETCH(QString, saved);
    ShellFixture f;
    MainWindow& w = f.open();
    QVERIFY(QDir(f.dir.path()).mkpath("old.files"));
    f.prompter.files.push_back(f.dir.filePath(chosen));

    Action(w, "mnuFileSaveAs")->trigger();
    QCOMPARE(QFileInfo(f.dir.filePath(saved)).size(), qint64(kFullFileBytes));
    QCOMPARE(QString::fromStdString(f.session.doc.documentPath), f.dir.filePath(saved));
    if (chosen != saved)
        QVERIFY(!QFileInfo::exists(f.dir.filePath(chosen)));
}

void TestMainWindow::fileDialogTitlesWithoutMenuMarks_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("openTitle");
    QTest::addColumn<QString>("saveTitle");
    QTest::newRow("english") << int(kEnglish) << "Open" << "Save As";
    QTest::newRow("chinese") << int(kChinese) << QString::fromUtf8("打开") << QString::fromUtf8("另存为");
}

void TestMainWindow::fileDialogTitlesWithoutMenuMarks()
{
    QFETCH(int, language);
    QFETCH(QString, openTitle);
    QFETCH(QString, saveTitle);
    ShellFixture f(language);
    MainWindow& w = f.open();
    Action(w, "mnuFileOpen")->trigger();
    Action(w, "mnuFileSaveAs")->trigger();
    QCOMPARE(int(f.prompter.fileCaptions.size()), 2);
    QCOMPARE(f.prompter.fileCaptions[0].section('|', 0, 0), openTitle);
    QCOMPARE(f.prompter.fileCaptions[1].section('|', 0, 0), saveTitle);
}

void TestMainWindow::childAreaReachesEveryPartOfAnEditor()
{
    ShellFixture f;
    MainWindow& w = f.open();
    Action(w, "mnuOptFeature")->trigger();
    ShellFixture::flush();
    QWidget* editor = ui::findWindow(w.area(), zav::kOptionalFeaturesName);
    QVERIFY(editor);
    auto* closeButton = editor->findChild<QPushButton*>("CommandClose");
    QVERIFY(closeButton);
    QWidget* viewport = w.area()->viewport();
    auto shown = [&] { return QRect(closeButton->mapTo(viewport, QPoint(0, 0)), closeButton->size()); };
    // At the default window size the editor is larger than the area.
    QVERIFY(!viewport->rect().contains(shown()));

    w.area()->horizontalScrollBar()->setValue(w.area()->horizontalScrollBar()->maximum());
    w.area()->verticalScrollBar()->setValue(w.area()->verticalScrollBar()->maximum());
    QVERIFY(viewport->rect().contains(shown()));
}

void TestMainWindow::statusBarShowsPortInUse_data()
{
    QTest::addColumn<QString>("portOverride");
    QTest::addColumn<QString>("chosenDevice");
    QTest::addColumn<QString>("shown");
    QTest::newRow("chosen port") << "" << "" << "Port: COM1";
    QTest::newRow("chosen device") << "" << "/dev/serial/by-id/usb-Cable_A" << "Port: /dev/serial/by-id/usb-Cable_A";
    QTest::newRow("device given") << "/dev/ttyUSB7" << "/dev/ttyUSB0" << "Port: /dev/ttyUSB7";
}

void TestMainWindow::statusBarShowsPortInUse()
{
    QFETCH(QString, portOverride);
    QFETCH(QString, chosenDevice);
    QFETCH(QString, shown);
    ShellFixture f;
    f.session.settings.portDevice = chosenDevice.toStdString();
    MainWindow& w = f.open(portOverride.toStdString());
    QCOMPARE(w.findChild<QLabel*>("Panel3")->text(), shown);
}

void TestMainWindow::captionMarksModifiedDocument()
{
    ShellFixture f;
    NewDocument(f.session.doc, kExtendedMode, {{1, "02700000"}});
    const QString path = f.dir.filePath("marked.dat");
    QVERIFY(saveDocument(f.session.doc, path.toStdString()));
    MainWindow& w = f.open();
    w.openFile(path);
    ShellFixture::flush();
    // Qt puts the mark where the caption holds "[*]".
    QVERIFY(w.windowTitle().endsWith(":marked.dat[*]]"));
    QVERIFY(!w.isWindowModified());

    // A frequency typed into the table, as a user does.
    auto* table = qobject_cast<channels::ChannelTableWindow*>(ui::findWindow(w.area(), zav::kChannelTableName));
    QVERIFY(table);
    const QModelIndex cell = table->gridModel()->index(4, 1);
    table->grid()->scrollTo(cell);
    QTest::mouseClick(table->grid()->viewport(), Qt::LeftButton, {}, table->grid()->visualRect(cell).center());
    auto* frequency = table->findChild<QLineEdit*>("Text1");
    QVERIFY(frequency);
    QTest::keyClicks(frequency, "27.4");
    QTest::keyClick(frequency, Qt::Key_Return);
    ShellFixture::flush();
    QVERIFY(f.session.doc.isModified());
    QVERIFY(w.isWindowModified());

    // Undone back to the file: no mark; redone: marked again; saved: none.
    w.undoTracker()->undoAction()->trigger();
    ShellFixture::flush();
    QVERIFY(!w.isWindowModified());
    w.undoTracker()->redoAction()->trigger();
    ShellFixture::flush();
    QVERIFY(w.isWindowModified());
    f.prompter.answers = {Answer::Ok}; // overwrite the file
    QVERIFY(w.saveDocument());
    QVERIFY(!f.session.doc.isModified());
    QVERIFY(!w.isWindowModified());
}

void TestMainWindow::failedSaveKeepsDocumentModified()
{
    ShellFixture f;
    MainWindow& w = f.open();
    f.modify();
    // A folder cannot be written over.
    const QString folder = f.dir.filePath("folder.dat");
    QDir().mkpath(folder);
    f.prompter.files.push_back(folder);
    QVERIFY(!w.saveDocumentAs());
    // The file error, and what was wrong with the name chosen.
    QCOMPARE(f.prompter.texts().size(), 1);
    QVERIFY(f.prompter.texts()[0].startsWith(f.text(9002)));
    QVERIFY(f.prompter.texts()[0].contains(f.text(33020)));
    QVERIFY(f.session.doc.isModified());
    QVERIFY(f.session.doc.isUntitled);
    QCOMPARE(f.session.doc.documentPath, std::string(kUntitledName));

    // Exit: Yes to 9006 runs Save As; its failure keeps the program running.
    f.prompter.asked.clear();
    f.prompter.answers = {Answer::Yes};
    f.prompter.files.push_back(folder);
    QVERIFY(!w.close());
    QCOMPARE(f.prompter.texts().size(), 2);
    QCOMPARE(f.prompter.texts()[0], f.text(9006));
    QVERIFY(f.prompter.texts()[1].startsWith(f.text(9002)));
    QVERIFY(w.isVisible());
}

void TestMainWindow::openOfRefusedFileChangesNothing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("messageId");
    QByteArray good(kFullFileBytes, '\0');
    good.replace(0, 13, QByteArray("ZAV415 \0\0V300", 13));
    QByteArray otherModel = good;
    otherModel.replace(0, 7, "XYZ123 ");
    QByteArray badVersion = good;
    badVersion.replace(9, 4, "V30A");
    QTest::newRow("empty") << QByteArray() << 9002;
    QTest::newRow("short") << good.left(kFullFileBytes - 1) << 9002;
    QTest::newRow("other model") << otherModel << 9012;
    QTest::newRow("bad version text") << badVersion << 9065;
}

void TestMainWindow::openOfRefusedFileChangesNothing()
{
    QFETCH(QByteArray, content);
    QFETCH(int, messageId);

    ShellFixture f;
    MainWindow& w = f.open();
    f.modify();
    const ImageSet before = f.session.doc.working;
    const QString path = f.dir.filePath("refused.dat");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();

    f.prompter.answers = {Answer::No}; // do not save the modified document
    f.prompter.files.push_back(path);
    w.openDocument();
    ShellFixture::flush();

    QCOMPARE(f.prompter.texts(), (QStringList{f.text(9006), f.text(messageId)}));
    QVERIFY(f.session.doc.working.Settings == before.Settings);
    QVERIFY(f.session.doc.isModified());
    QCOMPARE(f.session.doc.documentPath, std::string(kUntitledName));
    QVERIFY(f.session.doc.isUntitled);
    QCOMPARE(f.openWindows(), QStringList{zav::kChannelTableName});
}

void TestMainWindow::openReplacesDocument()
{
    ShellFixture f;
    MainWindow& w = f.open();
    f.session.doc.image().OptFeat.Common1[0] = 9;
    const QString path = SaveAsFile(f, "kept.dat");
    f.prompter.answers.clear();
    w.findChild<QAction*>("NewFile")->trigger();
    QTRY_VERIFY(!w.newDocumentPending());
    QVERIFY(f.session.doc.image().OptFeat.Common1[0] != 9);

    // Open: the channel table is shown again, nothing asked.
    f.prompter.asked.clear();
    f.prompter.files.push_back(path);
    w.openDocument();
    ShellFixture::flush();
    QVERIFY(f.prompter.asked.empty());
    QCOMPARE(f.session.doc.image().OptFeat.Common1[0], Int16(9));
    QVERIFY(!f.session.doc.isModified());
    QVERIFY(!f.session.doc.isUntitled);
    QVERIFY(w.windowTitle().endsWith(":kept.dat[*]]"));
    QCOMPARE(f.openWindows(), QStringList{zav::kChannelTableName});
}

void TestMainWindow::exitStoresPositionEvenWhenCancelled()
{
    ShellFixture f;
    MainWindow& w = f.open();
    w.move(120, 90);
    w.resize(700, 500);
    f.modify();
    f.prompter.answers = {Answer::Cancel};
    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    QCOMPARE(f.prompter.texts(), QStringList{f.text(9006)});

    QSettings settings;
    settings.beginGroup("Settings");
    QCOMPARE(settings.value("MainLeft").toString(), QString::number(w.pos().x() * 15));
    QCOMPARE(settings.value("MainTop").toString(), QString::number(w.pos().y() * 15));
    QCOMPARE(settings.value("MainWidth").toString(), QString::number(w.width() * 15));
    QCOMPARE(settings.value("MainHeight").toString(), QString::number(w.height() * 15));

    // No: closes without saving.
    f.prompter.answers = {Answer::No};
    QVERIFY(w.close());
}

void TestMainWindow::exitWhileMinimisedKeepsStoredPosition()
{
    ShellFixture f;
    {
        QSettings settings;
        settings.setValue("Settings/MainWidth", "9000");
    }
    MainWindow& w = f.open();
    w.resize(900, 700);
    w.showMinimized();
    QVERIFY(w.close());
    QSettings settings;
    QCOMPARE(settings.value("Settings/MainWidth").toString(), "9000");
    QVERIFY(!settings.contains("Settings/MainLeft"));
}

void TestMainWindow::firstStartUsesDefaultPosition()
{
    ShellFixture f;
    MainWindow& w = f.open();
    // 12500 x 9500 twips at 15 twips a pixel.
    QCOMPARE(w.size(), QSize(833, 633));
    QCOMPARE(w.pos(), QPoint(67, 67));
}

void TestMainWindow::positionOffEveryScreenFallsBack()
{
    ShellFixture f;
    {
        QSettings settings;
        settings.setValue("Settings/MainLeft", "900000");
        settings.setValue("Settings/MainTop", "-900000");
        settings.setValue("Settings/MainWidth", "12000");
    }
    MainWindow& w = f.open();
    QCOMPARE(w.pos(), QPoint(67, 67));
    QCOMPARE(w.width(), 800);
}

void TestMainWindow::paneWidthLimits()
{
    ShellFixture f;
    MainWindow& w = f.open();
    QVERIFY(w.setPaneWidthTwips(3000));
    QCOMPARE(w.paneWidthTwips(), 3000);
    QVERIFY(!w.setPaneWidthTwips(299));
    QVERIFY(!w.setPaneWidthTwips(1000000));
    QCOMPARE(w.paneWidthTwips(), 3000);
    QVERIFY(w.setPaneWidthTwips(300));
    QCOMPARE(w.paneWidthTwips(), 300);
}

void TestMainWindow::treeNodesOpenTheirWindows()
{
    ShellFixture f;
    MainWindow& w = f.open();
    auto* tree = w.findChild<QTreeWidget*>("TreeView1");
    QVERIFY(tree);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    QCOMPARE(root->text(0), QString("ZAV415"));
    QCOMPARE(root->childCount(), 6);
    const QStringList keys{"N1", "N2", "N4", "N12", "N6", "N7"};
    const QList<int> ids{12001, 12002, 12004, 12014, 12006, 12007};
    for (int i = 0; i < root->childCount(); ++i) {
        QCOMPARE(root->child(i)->data(0, Qt::UserRole).toString(), keys[i]);
        QCOMPARE(root->child(i)->text(0), f.text(ids[i]));
    }

    w.closeAllWindows();
    ShellFixture::flush();
    // Editors may rebuild the tree: find the node again for every click.
    auto click = [&](int child) {
        QTreeWidgetItem* item = tree->topLevelItem(0);
        emit tree->itemClicked(child < 0 ? item : item->child(child), 0);
        QCoreApplication::processEvents(); // the command runs after the click
    };
    click(-1);
    QVERIFY(f.openWindows().isEmpty()); // the root opens nothing

    click(1);
    click(0);
    click(1); // already open: brought to the front
    QCOMPARE(f.openWindows(), (QStringList{zav::kOptionalFeaturesName, zav::kChannelTableName}));
    QCOMPARE(w.area()->subWindowList(QMdiArea::StackingOrder).last()->widget()->objectName(),
             zav::kOptionalFeaturesName);
}

void TestMainWindow::viewTogglesAndHideButton()
{
    ShellFixture f;
    MainWindow& w = f.open();
    QWidget* pane = w.findChild<QWidget*>("Picture1");
    QAction* treeView = Action(w, "mnuTreeView");
    QVERIFY(pane->isVisible());
    treeView->trigger();
    QVERIFY(!pane->isVisible());
    treeView->trigger();
    QVERIFY(pane->isVisible());
    w.findChild<QAction*>(QString::fromUtf8("删除"))->trigger();
    QVERIFY(!pane->isVisible());
    QVERIFY(!treeView->isChecked());

    QWidget* toolbar = w.findChild<QWidget*>("tbToolBar");
    Action(w, "mnuViewToolbar")->trigger();
    QVERIFY(!toolbar->isVisible());
    QWidget* status = w.findChild<QWidget*>("sbStatusBar");
    Action(w, "mnuViewStatusBar")->trigger();
    QVERIFY(!status->isVisible());
}

void TestMainWindow::initUsesInitTemplateAndClearsFlagWhenCancelled()
{
    ShellFixture f;
    MainWindow& w = f.open();
    // Cancelled: the pending flag does not survive into a later New.
    f.prompter.answers = {Answer::Cancel};
    w.initializeDocument();
    QVERIFY(!f.session.doc.initPending);

    // The Init template (a full data file) is used by Init, not by New.
    f.session.doc.image().OptFeat.Common1[0] = 17;
    const QString templ = f.programDir() + "/Init/ZAV415_0.dat";
    QVERIFY(saveDocument(f.session.doc, templ.toStdString()));
    f.session.doc.image().OptFeat.Common1[0] = 3;
    f.prompter.answers = {Answer::No, Answer::Ok};
    w.initializeDocument();
    QVERIFY(f.session.doc.initPending);
    QTRY_VERIFY(!w.newDocumentPending());
    QVERIFY(!f.session.doc.initPending);
    QCOMPARE(f.session.doc.image().OptFeat.Common1[0], Int16(17));
    QVERIFY(f.session.doc.isUntitled);
}

void TestMainWindow::otherVersionFile_data()
{
    QTest::addColumn<bool>("installed"); // a program of version V210 is beside this one
    QTest::addColumn<int>("answer");
    QTest::newRow("No: nothing happens") << true << int(Answer::No);
    QTest::newRow("Yes, none installed: 9063 and the program goes on") << false << int(Answer::Yes);
    QTest::newRow("Yes: the other version gets the file, this one ends") << true << int(Answer::Yes);
}

void TestMainWindow::otherVersionFile()
{
    QFETCH(bool, installed);
    QFETCH(int, answer);

    ShellFixture f;
    MainWindow& w = f.open();
    // A file of image version V210, handled by software V210 when installed.
    const QString path = f.dir.filePath("old.dat");
    const std::string dataDir = f.session.paths.dataDir;
    f.session.doc.image().Header.Version.assign("V210");
    {
        Document other = f.session.doc;
        QVERIFY(saveDocument(other, path.toStdString()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        file.seek(9);
        file.write("V210", 4);
    }
    f.session.doc.image().Header.Version.assign(kProgramImageVersion);
    const QString started = f.dir.filePath("started.txt");
    if (installed) {
        f.session.versions.pairs = {"V300", "V300", "V210", "V210"};
        const QString program = QString::fromStdString(dataDir) + "/V210/zavprog";
        QDir().mkpath(QFileInfo(program).absolutePath());
        QFile script(program);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(("#!/bin/sh\necho \"$@\" > '" + started + "'\n").toUtf8());
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    }
    const ImageSet before = f.session.doc.working;

    f.prompter.answers = {Answer(answer)};
    f.prompter.files.push_back(path);
    w.openDocument();
    ShellFixture::flush();

    QStringList expected{QString::fromStdString(incompatibleMessage(f.session.texts, "V300", "V210"))};
    if (answer == int(Answer::Yes) && !installed)
        expected << f.text(9063);
    QCOMPARE(f.prompter.texts(), expected);
    QVERIFY(f.session.doc.working.Settings == before.Settings);
    QCOMPARE(f.session.doc.documentPath, std::string(kUntitledName));

    const bool handedOver = installed && answer == int(Answer::Yes);
    QCOMPARE(w.isVisible(), !handedOver);
    if (handedOver) {
        QTRY_VERIFY(QFileInfo::exists(started));
        QFile file(started);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()).trimmed(), path);
    } else {
        QCOMPARE(f.openWindows(), QStringList{zav::kChannelTableName});
    }
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
