// Undo and redo through the real windows: edits in the channel table and
// three feature editors are taken back one by one to the byte, redone, and
// named in the Edit menu; the modified state follows.

#include "bulk_edit_dialog.h"
#include "window_names.h"
#include "channel_detail_editor.h"
#include "channel_fixture.h"
#include "channel_grid_model.h"
#include "channel_table_window.h"
#include "data_file.h"
#include "dtmf_editor.h"
#include "channel_csv.h"
#include "embedded_message_editor.h"
#include "image_layout.h"
#include "main_window_fixture.h"
#include "optional_features_editor.h"
#include "tone_tips_editor.h"
#include "undo_tracker.h"
#include "window_registry.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTableView>

#include <functional>

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

/// Types text one key at a time, each key handled before the next, as a
/// person types: every key that changes the document is a step of its own.
void typeSlowly(QWidget* box, const QString& text)
{
    for (QChar c : text) {
        QTest::keyClicks(box, QString(c));
        test::ShellFixture::flush();
    }
}

QByteArray imageBytes(const ImageSet& set)
{
    const Bytes bytes = writeFullImage(set);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

/// The bytes of an embedded-message line up to its first NUL.
QString messageLine(const Document& doc, int line)
{
    const std::string raw = doc.image().EmbeddedMessage[std::size_t(line - 1)].raw();
    return QString::fromStdString(raw.substr(0, raw.find('\0')));
}

/// One way a user changes the document, done once with random values
/// through the real windows. A new way to edit is one more entry.
struct EditPath {
    const char* name;
    std::function<void(test::ShellFixture&, QRandomGenerator&)> edit;
};

template <class Window>
Window* shown(test::ShellFixture& f, const QString& name)
{
    f.main->openEditor(name);
    f.flush();
    return qobject_cast<Window*>(ui::findWindow(f.main->area(), name));
}

channels::ChannelTableWindow* shownTable(test::ShellFixture& f)
{
    return shown<channels::ChannelTableWindow>(f, zav::kChannelTableName);
}

/// A receive frequency on the 10 kHz raster of the band, as typed.
QString randomFrequency(QRandomGenerator& random)
{
    return QString::number(26.0 + random.bounded(390) * 0.01, 'f', 2);
}

std::vector<EditPath> editPaths()
{
    return {
        {"table cell",
         [](test::ShellFixture& f, QRandomGenerator& random) {
             auto* table = shownTable(f);
             // Row 1 keeps its channel: rows 2..20 are typed, cleared or toned.
             const int row = 2 + int(random.bounded(19));
             QTest::mouseClick(table->grid()->viewport(), Qt::LeftButton, {}, cellCentre(table, row, 1));
             auto* frequency = table->findChild<QLineEdit*>("Text1");
             frequency->selectAll();
             QTest::keyClick(frequency, Qt::Key_Backspace);
             if (random.bounded(4) != 0)
                 QTest::keyClicks(frequency, randomFrequency(random));
             QTest::keyClick(frequency, Qt::Key_Return);
             f.flush();
             if (!table->cellText(row, 1).isEmpty() && random.bounded(2) == 0)
                 chooseEntry(table->findChild<QComboBox*>("Combo1"), 1 + int(random.bounded(20)));
         }},
        {"detail editor",
         [](test::ShellFixture& f, QRandomGenerator& random) {
             auto* detail = shown<channels::ChannelDetailEditor>(f, zav::kDetailEditorName);
             // Channel 1 of group 0, which every run keeps.
             detail->groupList()->setCurrentIndex(0);
             detail->channelList()->setFocus();
             detail->channelList()->setCurrentIndex(1);
             QTest::keyClick(detail->channelList(), Qt::Key_Home);
             f.flush();
             using Detail = channels::ChannelDetailEditor;
             const auto id = Detail::CheckId(random.bounded(int(Detail::CheckCount)));
             QTest::mouseClick(detail->check(id), Qt::LeftButton);
         }},
        {"optional features",
         [](test::ShellFixture& f, QRandomGenerator& random) {
             QComboBox* list = shown<features::OptionalFeaturesEditor>(f, zav::kOptionalFeaturesName)->list(OptionalFeature::DecodeTone);
             chooseEntry(list, 1 + int(random.bounded(list->count() - 1)));
         }},
        {"DTMF memory",
         [](test::ShellFixture& f, QRandomGenerator& random) {
             QLineEdit* box = shown<features::DtmfEditor>(f, zav::kDtmfEditorName)->memoryBox(1 + int(random.bounded(16)));
             box->setFocus();
             box->selectAll();
             QTest::keyClick(box, Qt::Key_Backspace);
             QTest::keyClicks(box, QString::number(random.bounded(10000)));
         }},
        {"tone tips",
         [](test::ShellFixture& f, QRandomGenerator& random) {
             auto* tips = shown<features::ToneTipsEditor>(f, zav::kToneTipsName);
             QComboBox* list = tips->frequencyList(1 + int(random.bounded(14)));
             chooseEntry(list, 1 + int(random.bounded(list->count() - 1)));
         }},
        {"embedded message",
         [](test::ShellFixture& f, QRandomGenerator& random) {
             auto* message = shown<features::EmbeddedMessageEditor>(f, zav::kEmbeddedMessageName);
             QLineEdit* box = message->lineBox(1 + int(random.bounded(4)));
             box->setFocus();
             box->end(false);
             if (box->text().size() > 12)
                 box->clear();
             typeSlowly(box, random.bounded(2) ? QStringLiteral(" x") : QStringLiteral("Ab"));
         }},
        {"import",
         [](test::ShellFixture& f, QRandomGenerator& random) {
             const QString csv = f.dir.filePath("import.csv");
             QFile file(csv);
             QVERIFY(file.open(QIODevice::WriteOnly));
             file.write("channel number;receive MHz\r\n1;27.00000\r\n");
             for (int i = 0; i < 2; ++i)
                 file.write(QStringLiteral("%1;%2\r\n").arg(2 + random.bounded(400)).arg(randomFrequency(random))
                                .toUtf8());
             file.close();
             f.prompter.files.push_back(csv);
             f.answerDialogWith("cmdReplaceTable");
             f.main->findChild<QAction*>("mnuImportChannels")->trigger();
         }},
        {"paste",
         [](test::ShellFixture& f, QRandomGenerator& random) {
             QApplication::clipboard()->setText(QString::fromStdString(copyChannelsText(f.session.doc, {1})));
             auto* table = shownTable(f);
             const QPoint cell = cellCentre(table, 2 + int(random.bounded(19)), 4);
             QTest::mouseClick(table->grid()->viewport(), Qt::LeftButton, {}, cell);
             f.flush();
             f.main->findChild<QAction*>("mnuPasteChannels")->trigger();
         }},
        {"bulk dialog",
         [](test::ShellFixture& f, QRandomGenerator& random) {
             auto* table = shownTable(f);
             const int first = 1 + int(random.bounded(15));
             table->selectRows(first, first + int(random.bounded(6)), 4);
             const QString tone = QString::number(1 + random.bounded(50));
             const int power = int(random.bounded(2));
             f.prompter.dialogs.push_back([tone, power](QDialog& d) {
                 auto& bulk = dynamic_cast<channels::BulkEditDialog&>(d);
                 bulk.box("receive tone")->setCurrentIndex(tone.toInt() + 1);
                 bulk.box("AM power")->setCurrentIndex(1 + power);
                 return QDialog::Accepted;
             });
             f.main->findChild<QAction*>("mnuSetForSelected")->trigger();
         }},
        {"fill down",
         [](test::ShellFixture& f, QRandomGenerator& random) {
             auto* table = shownTable(f);
             const int first = 1 + int(random.bounded(15));
             table->selectRows(first, first + 1 + int(random.bounded(5)), 5);
             table->grid()->setFocus(); // no cell editor open: Ctrl+D is Fill Down
             f.main->findChild<QAction*>("mnuFillDown")->trigger();
         }},
        {"clear",
         [](test::ShellFixture& f, QRandomGenerator& random) {
             auto* table = shownTable(f);
             // Row 1 keeps its channel.
             const int first = 2 + int(random.bounded(15));
             table->selectRows(first, first + int(random.bounded(3)), 1);
             if (!table->selectedChannelNumbers().empty()) // otherwise nothing is asked
                 f.prompter.answers.push_back(ui::Answer::Yes);
             f.main->findChild<QAction*>("mnuClearSelected")->trigger();
         }},
    };
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
        for (const QString& editor : {zav::kOptionalFeaturesName, zav::kDtmfEditorName, zav::kToneTipsName})
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
        auto* table = qobject_cast<channels::ChannelTableWindow*>(ui::findWindow(main.area(), zav::kChannelTableName));
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
        main.openEditor(zav::kOptionalFeaturesName);
        auto* options = qobject_cast<features::OptionalFeaturesEditor*>(ui::findWindow(main.area(), zav::kOptionalFeaturesName));
        QVERIFY(options);
        f.flush();
        const int stepsBefore = undo->history().undoCount();
        chooseEntry(options->list(OptionalFeature::DecodeTone), 5);
        QCOMPARE(undo->history().undoCount(), stepsBefore + 1);
        QCOMPARE(undo->undoAction()->text(), QStringLiteral("&Undo: optional features"));

        // 4. A DTMF memory.
        main.openEditor(zav::kDtmfEditorName);
        auto* dtmf = qobject_cast<features::DtmfEditor*>(ui::findWindow(main.area(), zav::kDtmfEditorName));
        QVERIFY(dtmf);
        f.flush();
        dtmf->memoryBox(8)->setFocus();
        QTest::keyClicks(dtmf->memoryBox(8), "123");
        f.flush();
        QCOMPARE(undo->undoAction()->text(), QStringLiteral("&Undo: DTMF"));

        // 5. A tone tip.
        main.openEditor(zav::kToneTipsName);
        auto* tips = qobject_cast<features::ToneTipsEditor*>(ui::findWindow(main.area(), zav::kToneTipsName));
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
        table = qobject_cast<channels::ChannelTableWindow*>(ui::findWindow(main.area(), zav::kChannelTableName));
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

    // Each key is a step; undoing one and redoing it gives the line typed,
    // spaces included, and so does a long run undone and redone.
    void typedMessageLinesAreRedone()
    {
        test::ShellFixture f;
        MainWindow& main = f.open();
        f.openShownDocument();
        UndoTracker* undo = main.undoTracker();
        const QByteArray original = imageBytes(f.session.doc.working);
        main.openEditor(zav::kEmbeddedMessageName);
        auto* message = qobject_cast<features::EmbeddedMessageEditor*>(ui::findWindow(main.area(), zav::kEmbeddedMessageName));
        QVERIFY(message);
        message->lineBox(1)->setFocus();
        typeSlowly(message->lineBox(1), "AB x");
        QCOMPARE(undo->history().undoCount(), 4);
        const auto line = [&f](int n) { return messageLine(f.session.doc, n); };

        undo->undoAction()->trigger();
        f.flush();
        QCOMPARE(line(1), QStringLiteral("AB "));
        undo->redoAction()->trigger();
        f.flush();
        QCOMPARE(line(1), QStringLiteral("AB x"));

        for (int n = 2; n <= 4; ++n) {
            message = qobject_cast<features::EmbeddedMessageEditor*>(ui::findWindow(main.area(), zav::kEmbeddedMessageName));
            message->lineBox(n)->setFocus();
            typeSlowly(message->lineBox(n), QStringLiteral("L %1 ").arg(n));
        }
        const QByteArray edited = imageBytes(f.session.doc.working);
        while (undo->undoAction()->isEnabled()) {
            undo->undoAction()->trigger();
            f.flush();
        }
        QCOMPARE(imageBytes(f.session.doc.working), original);
        while (undo->redoAction()->isEnabled()) {
            undo->redoAction()->trigger();
            f.flush();
        }
        QCOMPARE(imageBytes(f.session.doc.working), edited);
        QCOMPARE(line(1), QStringLiteral("AB x"));
        QCOMPARE(line(4), QStringLiteral("L 4 "));
        message = qobject_cast<features::EmbeddedMessageEditor*>(ui::findWindow(main.area(), zav::kEmbeddedMessageName));
        QCOMPARE(message->lineBox(3)->text(), QStringLiteral("L 3"));
    }

    // Undo asks the open editors to store what is being typed; boxes nobody
    // typed into store nothing, so Undo takes back the user's last change,
    // and the table and the detail editor stay on their row.
    void undoWithEveryEditorOpenTakesBackTheUsersChange()
    {
        test::ShellFixture f;
        MainWindow& main = f.open();
        f.openShownDocument();
        UndoTracker* undo = main.undoTracker();
        auto* table = qobject_cast<channels::ChannelTableWindow*>(ui::findWindow(main.area(), zav::kChannelTableName));
        QVERIFY(table);
        const int group = table->shownGroup();
        QTest::mouseClick(table->grid()->viewport(), Qt::LeftButton, {}, cellCentre(table, 5, 1));
        auto* frequency = table->findChild<QLineEdit*>("Text1");
        QTest::keyClicks(frequency, "27.4");
        QTest::keyClick(frequency, Qt::Key_Return);
        f.flush();
        QTest::mouseClick(table->grid()->viewport(), Qt::LeftButton, {}, cellCentre(table, 5, 4));
        f.flush();
        QCOMPARE(undo->history().undoCount(), 1);
        const QString step = undo->undoAction()->text();

        for (const QString& editor : {zav::kDetailEditorName, zav::kOptionalFeaturesName, zav::kToneTipsName, zav::kEmbeddedMessageName, zav::kDtmfEditorName})
            main.openEditor(editor);
        f.flush();
        auto* detail = qobject_cast<channels::ChannelDetailEditor*>(ui::findWindow(main.area(), zav::kDetailEditorName));
        QVERIFY(detail);
        QCOMPARE(detail->channelList()->currentText(), QStringLiteral("5"));
        QCOMPARE(undo->history().undoCount(), 1);

        undo->undoAction()->trigger();
        f.flush();
        QCOMPARE(undo->history().undoCount(), 0);
        QCOMPARE(undo->redoAction()->text(), QString(step).replace("&Undo", "&Redo"));
        table = qobject_cast<channels::ChannelTableWindow*>(ui::findWindow(main.area(), zav::kChannelTableName));
        QVERIFY(table);
        QCOMPARE(table->cellText(5, 1), QString());
        QCOMPARE(table->shownGroup(), group);
        QCOMPARE(table->currentRow(), 5);
        QCOMPARE(table->currentColumn(), 1); // the slot is empty again: its frequency comes first
        detail = qobject_cast<channels::ChannelDetailEditor*>(ui::findWindow(main.area(), zav::kDetailEditorName));
        QVERIFY(detail);
        QCOMPARE(detail->channelList()->currentText(), QStringLiteral("5"));

        undo->redoAction()->trigger();
        f.flush();
        QCOMPARE(undo->history().undoCount(), 1);
        QCOMPARE(table->cellText(5, 1), QStringLiteral("27.40000"));
        QCOMPARE(table->currentRow(), 5);
        QVERIFY(!undo->redoAction()->isEnabled());
    }

    // Random edits through every edit path, then Undo until nothing is
    // left: the file opened, every byte of it; Redo until nothing is left:
    // the edited document, every byte of it.
    void everyEditPathUndoneAndRedoneToTheByte()
    {
        test::ShellFixture f;
        MainWindow& main = f.open();
        f.openShownDocument();
        UndoTracker* undo = main.undoTracker();
        const QByteArray opened = fileBytes(f.dir.filePath("original.dat"));
        const std::vector<EditPath> paths = editPaths();
        QRandomGenerator random(19);
        QStringList done;
        for (int i = 0; i < 60; ++i) {
            const EditPath& path = paths[std::size_t(random.bounded(int(paths.size())))];
            path.edit(f, random);
            f.flush();
            done << path.name;
            if (i == 20) {
                // Saved half way: what the file holds then must not
                // outlast the undo.
                f.prompter.answers.push_back(ui::Answer::Ok);
                QVERIFY(main.saveDocument());
            }
        }
        for (const EditPath& path : paths)
            QVERIFY2(done.contains(path.name), path.name);
        QVERIFY2(undo->history().undoCount() > 20, qPrintable(QString::number(undo->history().undoCount())));
        const QByteArray edited = imageBytes(f.session.doc.working);

        while (undo->undoAction()->isEnabled()) {
            undo->undoAction()->trigger();
            f.flush();
        }
        Document undone = f.session.doc;
        QVERIFY(saveDocument(undone, f.dir.filePath("undone.dat").toStdString()));
        QCOMPARE(fileBytes(f.dir.filePath("undone.dat")), opened);

        while (undo->redoAction()->isEnabled()) {
            undo->redoAction()->trigger();
            f.flush();
        }
        QVERIFY(imageBytes(f.session.doc.working) == edited);
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
