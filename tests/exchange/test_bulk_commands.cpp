// The Edit menu's commands over many channels, through the real widgets:
// rows selected in the channel table, values set through the bulk dialog,
// refusals listed, Fill Down and Clear, each one undo step; Find in both
// modes; and a bulk edit of a whole group redrawn once.

#include "bulk_commands.h"
#include "window_names.h"
#include "bulk_edit_dialog.h"
#include "bulk_refusal_dialog.h"
#include "channel_find_dialog.h"
#include "channel_fixture.h"
#include "channel_grid_model.h"
#include "channel_table_window.h"
#include "data_file.h"
#include "image_layout.h"
#include "main_window_fixture.h"
#include "undo_tracker.h"
#include "window_registry.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>

using namespace zav;

namespace {

QByteArray imageBytes(const ImageSet& set)
{
    const Bytes bytes = writeFullImage(set);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

/// Opens doc (saved first) and the channel table on group.
channels::ChannelTableWindow* openTable(test::ShellFixture& f, Document doc, int group)
{
    doc.image().OptFeat.Common1[common1::CurrentGroup] = static_cast<Int16>(group);
    const QString path = f.dir.filePath("doc.dat");
    if (!saveDocument(doc, path.toStdString()))
        return nullptr;
    f.main->openFile(path);
    f.main->openEditor(zav::kChannelTableName);
    f.flush();
    return qobject_cast<channels::ChannelTableWindow*>(ui::findWindow(f.main->area(), zav::kChannelTableName));
}

/// Rows first..last selected as a user does: a click on the first, a
/// Shift+click on the last (by default in a tone column, whose editor is a
/// list; an empty slot is entered from its receive frequency).
void selectRows(test::ShellFixture& f, channels::ChannelTableWindow* table, int first, int last, int column = 4)
{
    const auto centre = [table, column](int row) {
        const QModelIndex index = table->gridModel()->index(row - 1, column);
        table->grid()->scrollTo(index);
        return table->grid()->visualRect(index).center();
    };
    QTest::mouseClick(table->grid()->viewport(), Qt::LeftButton, {}, centre(first));
    f.flush();
    QTest::mouseClick(table->grid()->viewport(), Qt::LeftButton, Qt::ShiftModifier, centre(last));
    f.flush();
}

void trigger(test::ShellFixture& f, const char* action)
{
    QAction* a = f.main->findChild<QAction*>(action);
    QVERIFY2(a, action);
    a->trigger();
    f.flush();
}

} // namespace

class TestBulkCommands : public QObject {
    Q_OBJECT
private slots:
    void setOnFortyRowsIsOneStepRedrawnOnce()
    {
        test::ShellFixture f;
        f.open();
        Document doc;
        test::NewDocument(doc, kExtendedMode, {});
        test::FillGroup(doc, 0);
        auto* table = openTable(f, doc, 0);
        QVERIFY(table);
        const QByteArray before = imageBytes(f.session.doc.working);
        selectRows(f, table, 1, 40);
        QCOMPARE(int(table->selectedSlotNumbers().size()), 40);

        f.prompter.dialogs.push_back([](QDialog& d) {
            auto& bulk = dynamic_cast<channels::BulkEditDialog&>(d);
            bool chosen = bulk.choose("receive tone", "67.0") && bulk.choose("FM power", "Low");
            return chosen ? QDialog::Accepted : QDialog::Rejected;
        });
        QSignalSpy resets(table->gridModel(), &QAbstractItemModel::modelReset);
        QSignalSpy changes(table->gridModel(), &QAbstractItemModel::dataChanged);
        trigger(f, "mnuSetForSelected");
        // The whole group is drawn once, not once per row.
        QCOMPARE(resets.count(), 1);
        QCOMPARE(changes.count(), 1);
        for (int n = 1; n <= 40; ++n) {
            QCOMPARE(test::Channel(f.session.doc, n)->RxTone, Int16(1));
            QCOMPARE(test::Channel(f.session.doc, n)->option(ChannelOption::FmPower), Int16(1));
        }
        QCOMPARE(table->cellText(40, 4), QStringLiteral("67.0"));
        const QByteArray edited = imageBytes(f.session.doc.working);
        UndoTracker* undo = f.main->undoTracker();
        QCOMPARE(undo->undoAction()->text(), f.text(32102).arg(f.text(34011).arg(40)));
        undo->undo();
        f.flush();
        QVERIFY(imageBytes(f.session.doc.working) == before);
        QCOMPARE(table->cellText(40, 4), f.text(14013));
        undo->redo();
        f.flush();
        QVERIFY(imageBytes(f.session.doc.working) == edited);

        // One field alone names itself.
        selectRows(f, table, 1, 40);
        f.prompter.dialogs.push_back([](QDialog& d) {
            return dynamic_cast<channels::BulkEditDialog&>(d).choose("receive tone", "71.9") ? QDialog::Accepted
                                                                                             : QDialog::Rejected;
        });
        trigger(f, "mnuSetForSelected");
        QCOMPARE(undo->undoAction()->text(), f.text(32102).arg(f.text(34010).arg("receive tone").arg(40)));
    }

    void mixedSelectionStoresTheAcceptedAndListsTheOthers()
    {
        test::ShellFixture f;
        f.open();
        Document doc;
        test::NewDocument(doc, 0, {{1, "02696500"}, {2, "02697500"}});
        auto* table = openTable(f, doc, 0);
        QVERIFY(table);
        selectRows(f, table, 1, 3, 1);
        QCOMPARE(int(table->selectedSlotNumbers().size()), 3);
        f.prompter.dialogs.push_back([](QDialog& d) {
            auto& bulk = dynamic_cast<channels::BulkEditDialog&>(d);
            return bulk.choose("receive MHz", "27.5") && bulk.choose("transmit tone", "67.0") ? QDialog::Accepted
                                                                                               : QDialog::Rejected;
        });
        QStringList listed;
        f.prompter.dialogs.push_back([&listed](QDialog& d) {
            QTableWidget* rows = dynamic_cast<channels::BulkRefusalDialog&>(d).table();
            for (int r = 0; r < rows->rowCount(); ++r)
                listed << rows->item(r, 0)->text() + " " + rows->item(r, 1)->text();
            return QDialog::Accepted;
        });
        const ChannelRecord was1 = *test::Channel(f.session.doc, 1);
        trigger(f, "mnuSetForSelected");
        // Country frequencies stay; the tone went into both channels; slot 3 stays empty.
        QCOMPARE(listed, (QStringList{"1 Receive frequency (MHz)", "2 Receive frequency (MHz)", "3 Receive frequency (MHz)",
                                      "3 Transmit tone"}));
        QVERIFY(test::Channel(f.session.doc, 1)->RxFrequency == was1.RxFrequency);
        QCOMPARE(test::Channel(f.session.doc, 1)->TxTone, Int16(1));
        QCOMPARE(test::Channel(f.session.doc, 2)->TxTone, Int16(1));
        QVERIFY(!test::Channel(f.session.doc, 3));
        // Clear is not offered for country channels.
        f.main->findChild<QAction*>("mnuClearSelected")->trigger();
        QVERIFY(f.prompter.texts().contains(f.text(34039)));
        QCOMPARE(f.session.doc.activeCount(), 2);
    }

    /// With ZAV_SHOTS_DIR set: pictures of the bulk dialog and of the list
    /// of values not stored, in both languages, for the manual and review.
    void pictures_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("english") << int(zav::kEnglish);
        QTest::newRow("chinese") << int(zav::kChinese);
    }
    void pictures()
    {
        QFETCH(int, language);
        const QString shots = qEnvironmentVariable("ZAV_SHOTS_DIR");
        if (shots.isEmpty())
            QSKIP("ZAV_SHOTS_DIR names no folder");
        test::ShellFixture f(language);
        f.open();
        Document doc;
        test::NewDocument(doc, 0, {{1, "02696500"}, {2, "02697500"}});
        auto* table = openTable(f, doc, 0);
        QVERIFY(table);
        selectRows(f, table, 1, 3, 1);
        const QString suffix = language == zav::kChinese ? "zh" : "en";
        f.prompter.dialogs.push_back([&](QDialog& d) {
            auto& bulk = dynamic_cast<channels::BulkEditDialog&>(d);
            bulk.choose("receive MHz", "27.5");
            bulk.box("transmit tone")->setCurrentIndex(2);
            d.adjustSize();
            d.grab().save(shots + "/bulk-dialog-" + suffix + ".png");
            return QDialog::Accepted;
        });
        f.prompter.dialogs.push_back([&](QDialog& d) {
            d.grab().save(shots + "/refusal-list-" + suffix + ".png");
            return QDialog::Accepted;
        });
        trigger(f, "mnuSetForSelected");
        QVERIFY(QFile::exists(shots + "/refusal-list-" + suffix + ".png"));
    }

    void fillDownAndClearAreOneStepEach()
    {
        test::ShellFixture f;
        f.open();
        Document doc;
        test::NewDocument(doc, kExtendedMode, {});
        test::FillGroup(doc, 0);
        test::Channel(doc, 1)->RxTone = 5;
        auto* table = openTable(f, doc, 0);
        QVERIFY(table);
        const QByteArray before = imageBytes(f.session.doc.working);
        selectRows(f, table, 1, 10);
        trigger(f, "mnuFillDown");
        for (int n = 1; n <= 10; ++n)
            QCOMPARE(test::Channel(f.session.doc, n)->RxTone, Int16(5));
        QCOMPARE(test::Channel(f.session.doc, 11)->RxTone, Int16(0));
        UndoTracker* undo = f.main->undoTracker();
        QCOMPARE(undo->undoAction()->text(), f.text(32102).arg(f.text(34012).arg("receive tone").arg(9)));

        selectRows(f, table, 3, 6);
        f.prompter.answers.push_back(ui::Answer::Yes);
        trigger(f, "mnuClearSelected");
        QCOMPARE(f.session.doc.activeCount(), 36);
        QVERIFY(table->cellText(4, 1).isEmpty());
        QCOMPARE(undo->undoAction()->text(), f.text(32102).arg(f.text(34013).arg(4)));
        undo->undo();
        f.flush();
        QCOMPARE(f.session.doc.activeCount(), 40);
        undo->undo();
        f.flush();
        QVERIFY(imageBytes(f.session.doc.working) == before);
    }

    void findByFrequencyLandsOnGroupAndRow_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("row");
        QTest::newRow("extended, with the point") << int(kExtendedMode) << "27.125" << 2 << 7;
        QTest::newRow("extended, without the point") << int(kExtendedMode) << "27125" << 2 << 7;
        QTest::newRow("country") << 0 << "27.125" << 3 << 4;
    }
    void findByFrequencyLandsOnGroupAndRow()
    {
        QFETCH(int, mode);
        QFETCH(QString, query);
        QFETCH(int, group);
        QFETCH(int, row);
        test::ShellFixture f;
        f.open();
        Document doc;
        test::NewDocument(doc, Int16(mode), {{1, "02700000"}});
        const int number = groupBase(group, Int16(mode)) + row;
        doc.active()[1].Number = Int16(number);
        doc.active()[1].RxFrequency.assign("02712500");
        doc.image().ChannelCount = 2;
        auto* table = openTable(f, doc, 0);
        QVERIFY(table);
        trigger(f, "mnuFindChannel");
        auto* find = f.main->findChild<channels::ChannelFindDialog*>();
        QVERIFY(find);
        QTest::keyClicks(find->queryBox(), query);
        QTest::keyClick(find->queryBox(), Qt::Key_Return);
        f.flush();
        QCOMPARE(table->shownGroup(), group);
        QCOMPARE(table->currentRow(), row);
        QCOMPARE(table->selectedSlotNumbers(), std::vector<int>{number});
        QVERIFY(find->statusLabel()->text().startsWith(f.text(34044).arg(1).arg(1).arg(group).arg(row)));
        // F3 steps on (the only match again); a text matching nothing says so.
        trigger(f, "mnuFindNext");
        QCOMPARE(table->currentRow(), row);
        find->queryBox()->setText("29.999");
        QVERIFY(!find->findNext());
        QCOMPARE(find->statusLabel()->text(), f.text(34043).arg("29.999"));
    }
};

QTEST_MAIN(TestBulkCommands)
#include "test_bulk_commands.moc"
