// Undo and redo through the real windows: edits in the channel table and
// three feature editors are taken back one by one to the byte, redone, and
// named in the Edit menu; the modified state follows.

#include "channel_fixture.h"
#include "channel_grid_model.h"
#include "channel_table_window.h"
#include "data_file.h"
#include "dtmf_editor.h"
#include "main_window_fixture.h"
#include "optional_features_editor.h"
#include "tone_tips_editor.h"
#include "undo_tracker.h"
#include "window_registry.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>

using namespace zav;

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

/// Chooses entry index of a list as a user does, with the keyboard.
void chooseEntry(QComboBox* list, int index)
{
    list->setFocus();
    list->setCurrentIndex(index - 1);
    QTest::keyClick(list, Qt::Key_Down);
    test::ShellFixture::flush();
}

QPoint cellCentre(channels::ChannelTableWindow* table, int row, int column)
{
    const QModelIndex index = table->gridModel()->index(row - 1, column);
    table->grid()->scrollTo(index);
    return table->grid()->visualRect(index).center();
}

} // namespace

class TestUndo : public QObject {
    Q_OBJECT

    QString path(test::ShellFixture& f, const char* name) { return f.dir.filePath(name); }

private slots:
    void fiveEditsUndoneAndRedone()
    {
        test::ShellFixture f;
        // An extended-mode file with two channels, opened as a user would.
        // The file was saved by this program after its editors had shown
        // it once (opening an editor puts stray values into its lists' range).
        test::NewDocument(f.session.doc, kExtendedMode, {{1, "02700000"}, {521, "02720000"}});
        QVERIFY(saveDocument(f.session.doc, path(f, "first.dat").toStdString()));
        MainWindow& main = f.open();
        main.openFile(path(f, "first.dat"));
        for (const char* editor : {"FrmOptFeatures", "FrmDTMF", "FrmToneTips"})
            main.openEditor(editor);
        f.flush();
        Document shown = f.session.doc;
        QVERIFY(saveDocument(shown, path(f, "original.dat").toStdString()));
        main.openFile(path(f, "original.dat"));
        f.flush();
        UndoTracker* undo = main.undoTracker();
        QVERIFY(!undo->undoAction()->isEnabled());
        QVERIFY(!f.session.doc.isModified());

        // 1. A frequency typed into the empty slot of row 5.
        auto* table = qobject_cast<channels::ChannelTableWindow*>(ui::findWindow(main.area(), "frmCommChInfo"));
        QVERIFY(table);
        QTest::mouseClick(table->grid()->viewport(), Qt::LeftButton, {}, cellCentre(table, 5, 1));
        auto* frequency = table->findChild<QLineEdit*>("Text1");
        QTest::keyClicks(frequency, "27.4");
        QTest::keyClick(frequency, Qt::Key_Return);
        f.flush();
        QCOMPARE(undo->history().undoCount(), 1);
        const int number = groupBase(f.session.doc.image().OptFeat.Common1[common1::CurrentGroup], kExtendedMode) + 5;
        const QString channel5 = QStringLiteral("channel %1 ").arg(number);
        QCOMPARE(undo->undoAction()->text(), "&Undo: " + channel5 + "receive frequency");

        // 2. A tone chosen in the list Enter moved on to.
        chooseEntry(table->findChild<QComboBox*>("Combo1"), 7);
        QCOMPARE(undo->history().undoCount(), 2);
        QCOMPARE(undo->undoAction()->text(), "&Undo: " + channel5 + "receive tone");

        // 3. An optional feature.
        main.openEditor("FrmOptFeatures");
        auto* options = qobject_cast<features::OptionalFeaturesEditor*>(ui::findWindow(main.area(), "FrmOptFeatures"));
        QVERIFY(options);
        f.flush();
        const int stepsBefore = undo->history().undoCount();
        chooseEntry(options->list(29), 5);
        QCOMPARE(undo->history().undoCount(), stepsBefore + 1);
        QCOMPARE(undo->undoAction()->text(), QStringLiteral("&Undo: optional features"));

        // 4. A DTMF memory.
        main.openEditor("FrmDTMF");
        auto* dtmf = qobject_cast<features::DtmfEditor*>(ui::findWindow(main.area(), "FrmDTMF"));
        QVERIFY(dtmf);
        f.flush();
        dtmf->memoryBox(8)->setFocus();
        QTest::keyClicks(dtmf->memoryBox(8), "123");
        f.flush();
        QCOMPARE(undo->undoAction()->text(), QStringLiteral("&Undo: DTMF"));

        // 5. A tone tip.
        main.openEditor("FrmToneTips");
        auto* tips = qobject_cast<features::ToneTipsEditor*>(ui::findWindow(main.area(), "FrmToneTips"));
        QVERIFY(tips);
        f.flush();
        chooseEntry(tips->frequencyList(3), 4);
        QCOMPARE(undo->undoAction()->text(), QStringLiteral("&Undo: tone tips"));

        QVERIFY(f.session.doc.isModified());
        Document edited = f.session.doc;
        QVERIFY(saveDocument(edited, path(f, "edited.dat").toStdString()));
        const int steps = undo->history().undoCount();
        QVERIFY(steps >= 5);

        // Undo everything: the document is the file that was opened, and
        // no longer modified.
        for (int i = 0; i < steps; ++i)
            undo->undoAction()->trigger();
        f.flush();
        QVERIFY(!undo->undoAction()->isEnabled());
        QVERIFY(!f.session.doc.isModified());
        Document undone = f.session.doc;
        QVERIFY(saveDocument(undone, path(f, "undone.dat").toStdString()));
        QCOMPARE(fileBytes(path(f, "undone.dat")), fileBytes(path(f, "original.dat")));
        // The windows show the restored document.
        table = qobject_cast<channels::ChannelTableWindow*>(ui::findWindow(main.area(), "frmCommChInfo"));
        QVERIFY(table);
        QCOMPARE(table->cellText(5, 1), QString());

        // Redo everything: the edited file again.
        QCOMPARE(undo->redoAction()->text(), "&Redo: " + channel5 + "receive frequency");
        for (int i = 0; i < steps; ++i)
            undo->redoAction()->trigger();
        f.flush();
        QVERIFY(!undo->redoAction()->isEnabled());
        Document redone = f.session.doc;
        QVERIFY(saveDocument(redone, path(f, "redone.dat").toStdString()));
        QCOMPARE(fileBytes(path(f, "redone.dat")), fileBytes(path(f, "edited.dat")));
        QVERIFY(f.session.doc.isModified());
    }

    void newDocumentStartsAFreshHistory()
    {
        test::ShellFixture f;
        MainWindow& main = f.open();
        UndoTracker* undo = main.undoTracker();
        f.modify();
        undo->checkForEdit();
        QVERIFY(undo->undoAction()->isEnabled());
        f.prompter.answers.push_back(ui::Answer::No); // do not save the change
        f.prompter.answers.push_back(ui::Answer::Ok); // a new document
        main.newDocument();
        QVERIFY(test::ShellFixture::runUntil([&] { return !undo->undoAction()->isEnabled(); }, 2000));
    }
};

QTEST_MAIN(TestUndo)
#include "test_undo.moc"
