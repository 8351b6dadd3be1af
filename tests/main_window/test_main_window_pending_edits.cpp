// What is typed into an open editor without Enter reaches every command
// that reads the document, and a box the user did not touch stores nothing:
// every editor kind against every such command, through the real windows.

#include "channel_detail_editor.h"
#include "window_names.h"
#include "channel_grid_model.h"
#include "channel_groups.h"
#include "channel_table_window.h"
#include "dtmf_editor.h"
#include "embedded_message_editor.h"
#include "fleet_window.h"
#include "image_layout.h"
#include "main_window_fixture.h"
#include "optional_features_editor.h"
#include "tone_tip_rules.h"
#include "tone_tips_editor.h"
#include "undo_tracker.h"
#include "window_registry.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>

using namespace zav;

namespace {

/// Channel 5 is the empty fifth row of group 0, where the table's kind types.
constexpr int kTypedChannel = 5;

template <class Window>
Window* openWindow(MainWindow& main, const QString& name)
{
    main.openEditor(name);
    test::ShellFixture::flush();
    return qobject_cast<Window*>(ui::findWindow(main.area(), name));
}

QPoint cellCentre(channels::ChannelTableWindow* table, int row, int column)
{
    const QModelIndex index = table->gridModel()->index(row - 1, column);
    table->grid()->scrollTo(index);
    return table->grid()->visualRect(index).center();
}

/// An editor kind: how it is opened with its boxes untouched, how the user
/// types into it without confirming, and whether a document holds that.
struct EditorKind {
    const char* name;
    std::function<void(MainWindow&)> open;
    std::function<void(MainWindow&)> type;
    std::function<bool(const Document&)> holdsTyped;
};

channels::ChannelTableWindow* table(MainWindow& main)
{
    return qobject_cast<channels::ChannelTableWindow*>(ui::findWindow(main.area(), zav::kChannelTableName));
}

std::vector<EditorKind> editorKinds()
{
    return {
        {"channel table",
         [](MainWindow& main) {
             channels::ChannelTableWindow* t = table(main);
             QTest::mouseClick(t->grid()->viewport(), Qt::LeftButton, {}, cellCentre(t, kTypedChannel, 1));
         },
         [](MainWindow& main) { QTest::keyClicks(table(main)->findChild<QLineEdit*>("Text1"), "27.4"); },
         [](const Document& doc) {
             const int index = doc.findChannelByNumber(kTypedChannel);
             return index >= 0 && doc.active()[std::size_t(index)].RxFrequency.raw() == "02740000";
         }},
        {"channel detail editor", // on the empty sixth slot of group 0, chosen in its own list
         [](MainWindow& main) {
             auto* detail = openWindow<channels::ChannelDetailEditor>(main, zav::kDetailEditorName);
             QVERIFY(detail);
             detail->channelList()->setFocus();
             detail->channelList()->setCurrentIndex(4);
             QTest::keyClick(detail->channelList(), Qt::Key_Down);
             QCOMPARE(detail->channelList()->currentText(), QStringLiteral("6"));
         },
         [](MainWindow& main) {
             QLineEdit* box = openWindow<channels::ChannelDetailEditor>(main, zav::kDetailEditorName)->frequencyBox();
             box->setFocus();
             test::ShellFixture::flush(); // the table has seen the focus leave it
             QTest::keyClicks(box, "27.45");
         },
         [](const Document& doc) {
             const int index = doc.findChannelByNumber(6);
             return index >= 0 && doc.active()[std::size_t(index)].RxFrequency.raw() == "02745000";
         }},
        {"optional features",
         [](MainWindow& main) { QVERIFY(openWindow<features::OptionalFeaturesEditor>(main, zav::kOptionalFeaturesName)); },
         [](MainWindow& main) {
             QLineEdit* box = openWindow<features::OptionalFeaturesEditor>(main, zav::kOptionalFeaturesName)->powerOnBox(10);
             box->setFocus();
             QTest::keyClicks(box, "Q");
         },
         [](const Document& doc) { return doc.image().OptFeat.PowerOnText.raw()[10] == 'Q'; }},
        {"DTMF",
         [](MainWindow& main) { QVERIFY(openWindow<features::DtmfEditor>(main, zav::kDtmfEditorName)); },
         [](MainWindow& main) {
             QLineEdit* box = openWindow<features::DtmfEditor>(main, zav::kDtmfEditorName)->memoryBox(8);
             box->setFocus();
             QTest::keyClicks(box, "123");
         },
         [](const Document& doc) { return doc.image().DtmfSettings.CodeMemories[7].Code.clean() == "123"; }},
        {"tone tips",
         [](MainWindow& main) { QVERIFY(openWindow<features::ToneTipsEditor>(main, zav::kToneTipsName)); },
         [](MainWindow& main) {
             QComboBox* list = openWindow<features::ToneTipsEditor>(main, zav::kToneTipsName)->frequencyList(3);
             list->setFocus();
             list->setCurrentIndex(3);
             QTest::keyClick(list, Qt::Key_Down);
         },
         [](const Document& doc) { return doc.image().ToneTips[0].noteFrequency(3) == frequencyValue(4); }},
        {"embedded message",
         [](MainWindow& main) { QVERIFY(openWindow<features::EmbeddedMessageEditor>(main, zav::kEmbeddedMessageName)); },
         [](MainWindow& main) {
             QLineEdit* box = openWindow<features::EmbeddedMessageEditor>(main, zav::kEmbeddedMessageName)->lineBox(2);
             box->setFocus();
             QTest::keyClicks(box, "HI");
         },
         [](const Document& doc) { return doc.image().EmbeddedMessage[1].clean() == "HI"; }},
    };
}

/// A command that reads the document. It returns the file it wrote when
/// the document went into one, so that the file can be checked too.
struct Command {
    const char* name;
    std::function<QString(test::ShellFixture&, int run)> run;
};

QAction* action(test::ShellFixture& f, const char* name) { return f.main->findChild<QAction*>(name); }

std::vector<Command> commands()
{
    return {
        {"save",
         [](test::ShellFixture& f, int) {
             f.prompter.answers.push_back(ui::Answer::Ok); // overwrite the opened file
             f.main->saveDocument();
             return f.dir.filePath("original.dat");
         }},
        {"save as",
         [](test::ShellFixture& f, int run) {
             const QString path = f.dir.filePath(QStringLiteral("saved-as-%1.dat").arg(run));
             f.prompter.files.push_back(path);
             f.main->saveDocumentAs();
             return path;
         }},
        {"write", // the port does not exist: the write ends at its first step
         [](test::ShellFixture& f, int) {
             f.main->writeToRadio();
             (void)test::ShellFixture::runUntil([&f] { return !f.main->transferRunning(); }, 10000);
             return QString();
         }},
        {"read",
         [](test::ShellFixture& f, int) {
             f.main->readFromRadio();
             (void)test::ShellFixture::runUntil([&f] { return !f.main->transferRunning(); }, 10000);
             return QString();
         }},
        {"undo", // the typed value is the last change: undone, then redone
         [](test::ShellFixture& f, int) {
             // What the menu item runs; the item itself is enabled only
             // once a step exists, which a value still typed is not yet.
             f.main->undoTracker()->undo();
             return QString();
         }},
        {"import",
         [](test::ShellFixture& f, int run) {
             // Each run imports another channel, so that each is a change.
             const QString csv = f.dir.filePath(QStringLiteral("import-%1.csv").arg(run));
             QFile file(csv);
             if (file.open(QIODevice::WriteOnly))
                 file.write(QStringLiteral("channel number;receive MHz\r\n%1;27.52000\r\n")
                                .arg(groupBase(2, kExtendedMode) + 1 + run)
                                .toUtf8());
             file.close();
             f.prompter.files.push_back(csv);
             f.answerDialogWith("cmdReplaceTable");
             action(f, "mnuImportChannels")->trigger();
             return QString();
         }},
        {"paste", // an empty clipboard: nothing to paste, which is told
         [](test::ShellFixture& f, int) {
             QApplication::clipboard()->clear();
             action(f, "mnuPasteChannels")->trigger();
             return QString();
         }},
        {"export channels",
         [](test::ShellFixture& f, int run) {
             f.prompter.files.push_back(f.dir.filePath(QStringLiteral("channels-%1.csv").arg(run)));
             action(f, "mnuExportChannels")->trigger();
             return QString();
         }},
        {"export PDF",
         [](test::ShellFixture& f, int run) {
             f.prompter.files.push_back(f.dir.filePath(QStringLiteral("report-%1.pdf").arg(run)));
             action(f, "mnuExportPdf")->trigger();
             return QString();
         }},
        {"print",
         [](test::ShellFixture& f, int) {
             f.prompter.dialogs.push_back([](QDialog&) { return int(QDialog::Rejected); });
             action(f, "mnuPrintReport")->trigger();
             return QString();
         }},
        {"check",
         [](test::ShellFixture& f, int) {
             f.main->showConfigurationCheck();
             return QString();
         }},
        {"fleet write", // nothing ticked: Start tells so and writes nothing
         [](test::ShellFixture& f, int) {
             f.main->showFleetWindow();
             FleetWindow* fleet = f.main->fleetWindow();
             for (int i = 0; i < fleet->deviceList()->topLevelItemCount(); ++i)
                 fleet->deviceList()->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
             fleet->startButton()->click();
             fleet->close();
             return QString();
         }},
        {"new", // the save question, answered Cancel, and then New cancelled
         [](test::ShellFixture& f, int) {
             f.main->newDocument();
             return QString();
         }},
    };
}

QByteArray imageBytes(const ImageSet& set)
{
    const Bytes bytes = writeFullImage(set);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

} // namespace

class TestPendingEdits : public QObject {
    Q_OBJECT

private slots:
    void everyCommandSeesWhatIsTyped_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("command");
        const auto kinds = editorKinds();
        const auto all = commands();
        for (std::size_t k = 0; k < kinds.size(); ++k)
            for (std::size_t c = 0; c < all.size(); ++c)
                QTest::addRow("%s, %s", kinds[k].name, all[c].name) << int(k) << int(c);
    }
    void everyCommandSeesWhatIsTyped()
    {
        QFETCH(int, kind);
        QFETCH(int, command);
        const EditorKind editor = editorKinds()[std::size_t(kind)];
        const Command run = commands()[std::size_t(command)];
        const bool undoing = QByteArray(run.name) == "undo";
        const bool importing = QByteArray(run.name) == "import";

        test::ShellFixture f;
        MainWindow& main = f.open("/nonexistent/zavprog-test-port");
        f.openShownDocument();
        UndoTracker* undo = main.undoTracker();
        // One change of the user's own, so that Undo has something to take back.
        auto* message = openWindow<features::EmbeddedMessageEditor>(main, zav::kEmbeddedMessageName);
        message->lineBox(4)->setFocus();
        QTest::keyClicks(message->lineBox(4), "Z");
        f.flush();
        QCOMPARE(undo->history().undoCount(), 1);

        // Untouched boxes: the command stores nothing and makes no step.
        editor.open(main);
        f.flush();
        QCOMPARE(undo->history().undoCount(), 1);
        const QByteArray before = imageBytes(f.session.doc.working);
        run.run(f, 0);
        f.flush();
        if (undoing) {
            QCOMPARE(undo->history().undoCount(), 0);
            QCOMPARE(undo->redoAction()->text(), QStringLiteral("&Redo: embedded message"));
        } else if (importing) {
            QCOMPARE(undo->history().undoCount(), 2);
            QCOMPARE(undo->undoAction()->text(), QStringLiteral("&Undo: channel import"));
        } else {
            QCOMPARE(undo->history().undoCount(), 1);
            QVERIFY(imageBytes(f.session.doc.working) == before);
        }
        f.prompter.asked.clear();

        // Typed without Enter: the command sees it, and so does its file.
        editor.open(main);
        f.flush();
        editor.type(main);
        const QString file = run.run(f, 1);
        f.flush();
        if (undoing) {
            QVERIFY(!editor.holdsTyped(f.session.doc));
            undo->redo();
            f.flush();
        } else if (importing) {
            // The file's rows replace the table; what was typed before is
            // the step under the import's own.
            QCOMPARE(undo->undoAction()->text(), QStringLiteral("&Undo: channel import"));
            undo->undoAction()->trigger();
            f.flush();
        }
        QVERIFY(editor.holdsTyped(f.session.doc));
        if (!file.isEmpty()) {
            Document saved;
            QVERIFY(loadFullFile(saved, file.toStdString()));
            QVERIFY(editor.holdsTyped(saved));
        }
        if (QByteArray(run.name) == "new")
            QVERIFY(f.prompter.texts().contains(f.text(9006)));
    }
};

QTEST_MAIN(TestPendingEdits)
#include "test_main_window_pending_edits.moc"
