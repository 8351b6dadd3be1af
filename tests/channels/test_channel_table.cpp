// The channel table through its real widgets: what a group shows, typing
// frequencies, the keyboard walk, tones, emergency channels, AM/FM rules and
// the group name, with a save/open round trip of what was edited.

#include "channel_window_fixture.h"
#include "window_names.h"
#include "channel_writes.h"
#include "codecs.h"
#include "data_file.h"
#include "numbers.h"
#include "versions.h"

#include <QInputMethodEvent>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include <optional>

using namespace zav;
using namespace zav::test;

namespace {

/// Saves the document, opens the file into a fresh document and returns the
/// reopened record of channel number (nullopt when it is not there).
std::optional<ChannelRecord> ReopenedChannel(Document& doc, int number, Document& reopened)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("channels.dat").toStdString();
    if (!saveDocument(doc, path))
        return std::nullopt;
    if (openDocument(reopened, path, VersionRecords{}).outcome != OpenOutcome::Opened)
        return std::nullopt;
    if (ChannelRecord* r = Channel(reopened, number))
        return *r;
    return std::nullopt;
}

} // namespace

class TestChannelTable : public QObject {
    Q_OBJECT
private slots:
    void groupShowsItsSlots_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("firstNumber");
        QTest::newRow("country UK") << 0 << 2 << 80 << 81;
        QTest::newRow("country PL") << 0 << 3 << 40 << 161;
        QTest::newRow("country DE") << 0 << 5 << 80 << 241;
        QTest::newRow("country IN") << 0 << 6 << 40 << 321;
        QTest::newRow("extended BE") << int(kExtendedMode) << 1 << 40 << 41;
        QTest::newRow("extended VFO") << int(kExtendedMode) << 10 << 1 << 521;
    }
    void groupShowsItsSlots()
    {
        QFETCH(int, mode);
        QFETCH(int, group);
        QFETCH(int, rows);
        QFETCH(int, firstNumber);
        ChannelWindows w;
        NewDocument(w.doc(), Int16(mode), {});
        FillGroup(w.doc(), group);
        // Neighbours on both sides must not appear.
        const int before = firstNumber - 1;
        const int after = firstNumber + rows;
        ChannelRecord* last = &w.doc().active()[std::size_t(w.doc().activeCount())];
        if (before >= 1) {
            last->Number = Int16(before);
            last->RxFrequency.assign("02900000");
            ++w.image().ChannelCount;
            ++last;
        }
        if (after <= 521) {
            last->Number = Int16(after);
            last->RxFrequency.assign("02900000");
            ++w.image().ChannelCount;
        }
        Channel(w.doc(), firstNumber)->RxTone = 1;
        auto* table = w.openTable(group);
        QVERIFY(table);
        QCOMPARE(table->slotRows(), rows);
        QCOMPARE(table->grid()->model()->rowCount(), rows);
        for (int row = 1; row <= rows; ++row) {
            QCOMPARE(table->cellText(row, 0), QString::number(row));
            QCOMPARE(table->cellText(row, 10), QStringLiteral(">>"));
            QVERIFY(table->cellText(row, 1) != QStringLiteral("29.00000"));
        }
        QCOMPARE(table->cellText(1, 1), QStringLiteral("27.01000"));
        QCOMPARE(table->cellText(rows, 1), QString::fromStdString(formatMHz(27.0 + rows * 0.01)));
        QCOMPARE(table->cellText(1, 4), QStringLiteral("67.0"));
        QCOMPARE(table->cellText(1, 5), w.ctx.text(14013));
        QCOMPARE(int(channels::editState(w.ctx).editGroup), group);
        QVERIFY(channels::editState(w.ctx).channelTableOpen);
    }

    void userChoosesAnotherGroup()
    {
        ChannelWindows w;
        NewDocument(w.doc(), 0, {{81, "02700000"}, {161, "02710000"}});
        auto* table = w.openTable(2);
        auto* groups = table->findChild<QComboBox*>("cboGroup");
        QCOMPARE(groups->count(), 7);
        QTest::keyClick(groups, Qt::Key_Down);
        QCOMPARE(table->shownGroup(), 3);
        QCOMPARE(table->slotRows(), 40);
        QCOMPARE(table->cellText(1, 1), QStringLiteral("27.10000"));
        QCOMPARE(int(w.image().OptFeat.Common1[common1::CurrentGroup]), 3);
        QCOMPARE(channels::editState(w.ctx).editGroup, 3);
        QVERIFY(table->windowTitle().contains(QStringLiteral("3 -- PL")));
    }

    // The caption names the current row; a group opens on its first row,
    // the one-row VFO group too.
    void captionFollowsTheRowAfterAGroupChange_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("label");
        QTest::newRow("next group") << 1 << "1 -- ";
        QTest::newRow("VFO group") << 10 << "10 -- VFO";
    }
    void captionFollowsTheRowAfterAGroupChange()
    {
        QFETCH(int, group);
        QFETCH(QString, label);
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{1, "02700000"}, {3, "02702000"}, {521, "02720000"}});
        auto* table = w.openTable(0);
        ClickCell(table, 3, 4);
        QVERIFY(table->windowTitle().endsWith(QStringLiteral(" 3]")));
        auto* groups = table->findChild<QComboBox*>("cboGroup");
        ChooseEntry(groups, group);
        QCOMPARE(table->shownGroup(), group);
        QCOMPARE(table->currentRow(), 1);
        QVERIFY2(table->windowTitle().contains(label), qPrintable(table->windowTitle()));
        QVERIFY2(table->windowTitle().endsWith(QStringLiteral(" --- ") + QStringLiteral(" 1]")),
                 qPrintable(table->windowTitle()));
    }

    void captionShowsTheGroupNameInItsCodePage()
    {
        // Group names are GBK bytes, as the group-name box shows them.
        ChannelWindows w;
        NewDocument(w.doc(), 0, {{1, "02700000"}});
        w.image().GroupNames[0].assign("\xD6\xD0"); // 中
        auto* table = w.openTable(0);
        QCOMPARE(table->findChild<QLineEdit*>("txtGroupName")->text(), QString::fromUtf8("中"));
        QVERIFY2(table->windowTitle().contains(QString::fromUtf8("0 -- 中 ---")), qPrintable(table->windowTitle()));
    }

    // A stored receive frequency that is no number is told in the language
    // in use; the English words are the radio shops' own.
    void notNumericIsToldInTheLanguageInUse_data()
    {
        QTest::addColumn<QString>("languageFile");
        QTest::addColumn<QString>("message");
        QTest::newRow("English") << "english.ini" << "Not IsNumeric";
        QTest::newRow("Chinese") << "chinese.ini" << QString::fromUtf8("不是数字");
    }
    void notNumericIsToldInTheLanguageInUse()
    {
        QFETCH(QString, languageFile);
        QFETCH(QString, message);
        ChannelWindows w;
        w.session.texts.setFile(qEnvironmentVariable("ZAV_SOURCE_DIR").toStdString() + "/data/language/" +
                                languageFile.toStdString());
        NewDocument(w.doc(), 0, {{1, "027A0000"}});
        QVERIFY(w.openTable(0));
        QCOMPARE(w.prompter.texts(), QStringList{message});
    }

    void typingIntoEmptySlotCreatesChannel()
    {
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{1, "02700000"}, {521, "02720000"}});
        auto* table = w.openTable(0);
        ClickCell(table, 5, 1);
        QVERIFY(!FrequencyEditor(table)->isHidden());
        TypeFrequency(table, QStringLiteral("27.4"));

        ChannelRecord* created = Channel(w.doc(), 5);
        QVERIFY(created);
        QCOMPARE(created->RxFrequency.raw(), std::string("02740000"));
        QCOMPARE(table->cellText(5, 1), QStringLiteral("27.40000"));
        QVERIFY(w.doc().isModified());
        QVERIFY(w.prompter.asked.empty());
        // Enter walks on to the receive tone of the same row.
        QCOMPARE(table->currentRow(), 5);
        QCOMPARE(table->currentColumn(), 4);
        QVERIFY(!ToneList(table)->isHidden());

        Document reopened;
        const auto kept = ReopenedChannel(w.doc(), 5, reopened);
        QVERIFY(kept);
        QVERIFY(*kept == *Channel(w.doc(), 5));
        QVERIFY(!reopened.isModified());
    }

    void typedFrequencyOfExistingChannel_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("shown");
        QTest::newRow("channel 5 keeps its frequency") << 0 << 5 << "27.05000";
        QTest::newRow("VFO takes the new one") << 10 << 521 << "27.40000";
    }
    void typedFrequencyOfExistingChannel()
    {
        QFETCH(int, group);
        QFETCH(int, number);
        QFETCH(QString, shown);
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{5, "02705000"}, {521, "02720000"}});
        auto* table = w.openTable(group);
        const int row = number - groupBase(group, kExtendedMode);
        ClickCell(table, row, 1);
        QCOMPARE(FrequencyEditor(table)->selectedText(), FrequencyEditor(table)->text());
        TypeFrequency(table, QStringLiteral("27.4"));
        QCOMPARE(table->cellText(row, 1), shown);
        QCOMPARE(QString::fromStdString(cleanText(Channel(w.doc(), number)->RxFrequency.raw())),
                 QString::fromStdString(toStoredFrequency(shown.toStdString(), BandLimits{25.615, 30.105})));
        QCOMPARE(w.doc().isModified(), number == 521);
    }

    void outOfBandEntryWarnsAndUsesTheLimit_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("above") << "31" << "30.10500";
        QTest::newRow("below") << "20" << "25.61500";
        QTest::newRow("not a number") << "." << "25.61500";
    }
    void outOfBandEntryWarnsAndUsesTheLimit()
    {
        QFETCH(QString, typed);
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{1, "02700000"}});
        auto* table = w.openTable(0);
        ClickCell(table, 3, 1);
        TypeFrequency(table, typed);
        QCOMPARE(w.prompter.asked.size(), std::size_t(1));
        QCOMPARE(w.prompter.asked[0].text, w.ctx.text(9021));
        QCOMPARE(w.prompter.asked[0].icon, ui::Icon::Warning);
        QTEST(table->cellText(3, 1), "shown");
        QVERIFY(Channel(w.doc(), 3));
        // Leaving the cell afterwards does not warn again.
        ClickCell(table, 1, 4);
        QCOMPARE(w.prompter.asked.size(), std::size_t(1));
    }

    void countryFrequenciesAreFixed()
    {
        ChannelWindows w;
        NewDocument(w.doc(), 0, {{1, "02696500"}});
        auto* table = w.openTable(0);
        ClickCell(table, 1, 1);
        QVERIFY(FrequencyEditor(table)->isHidden());
        QTest::keyClick(table->grid(), Qt::Key_Return);
        QVERIFY(FrequencyEditor(table)->isHidden());
        QVERIFY(!w.doc().isModified());
    }

    void emptySlotIsEditedFromItsFrequency()
    {
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{1, "02700000"}});
        auto* table = w.openTable(0);
        ClickCell(table, 7, 4);
        QCOMPARE(table->currentRow(), 7);
        QCOMPARE(table->currentColumn(), 1);
        QCOMPARE(channels::editState(w.ctx).editColumn, 1);
        QVERIFY(!FrequencyEditor(table)->isHidden());
        QVERIFY(ToneList(table)->isHidden());
        // The highlight follows the editor, not the clicked cell.
        QCOMPARE(table->grid()->selectionModel()->selectedIndexes(), QModelIndexList{table->gridModel()->index(6, 1)});
    }

    void typedDigitsDoNotSearchTheGrid()
    {
        ChannelWindows w;
        NewDocument(w.doc(), 0, {});
        FillGroup(w.doc(), 0);
        auto* table = w.openTable(0);
        ClickCell(table, 1, 1);
        QVERIFY(FrequencyEditor(table)->isHidden()); // country channels: the grid itself has the keys
        QTest::keyClicks(table->grid(), QStringLiteral("27"));
        QCOMPARE(table->currentRow(), 1);
        QCOMPARE(table->currentColumn(), 1);
        QVERIFY(!w.doc().isModified());
    }

    void committedFrequencyShowsItsStoredForm_data()
    {
        QTest::addColumn<bool>("byEditButton");
        QTest::newRow("edit button") << true;
        QTest::newRow("pending edit committed") << false;
    }
    void committedFrequencyShowsItsStoredForm()
    {
        QFETCH(bool, byEditButton);
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{1, "02700000"}});
        auto* table = w.openTable(0);
        ClickCell(table, 5, 1);
        QTest::keyClicks(FrequencyEditor(table), QStringLiteral("26.77"));
        if (byEditButton)
            table->findChild<QPushButton*>("CommandEdit")->click();
        else
            table->commitPendingEdit();
        QVERIFY(Channel(w.doc(), 5));
        QCOMPARE(Channel(w.doc(), 5)->RxFrequency.raw(), std::string("02677000"));
        QVERIFY(!FrequencyEditor(table)->isHidden());
        QCOMPARE(FrequencyEditor(table)->text(), QStringLiteral("26.77000"));
        QCOMPARE(table->cellText(5, 1), QStringLiteral("26.77000"));
    }

    void clearingTheFrequencyRemovesTheChannel()
    {
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{1, "02700000"}, {5, "02705000"}, {521, "02720000"}});
        *emergencyChannel(w.image(), 0, 0) = 5;
        auto* table = w.openTable(0);
        auto* emergency = table->findChild<QComboBox*>("cboEmergency0");
        QCOMPARE(emergency->currentText(), QStringLiteral("5"));

        ClickCell(table, 5, 1);
        TypeFrequency(table, QString());
        QVERIFY(!Channel(w.doc(), 5));
        for (int column = 1; column <= 9; ++column)
            QVERIFY(table->cellText(5, column).isEmpty());
        QCOMPARE(table->currentRow(), 6); // an empty entry moves to the next line
        QCOMPARE(int(*emergencyChannel(w.image(), 0, 0)), 0);
        QCOMPARE(emergency->currentIndex(), -1);
        QCOMPARE(emergency->findText(QStringLiteral("5")), -1);
        QVERIFY(w.doc().isModified());
    }

    void theLastChannelIsKept()
    {
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{5, "02705000"}});
        auto* table = w.openTable(0);
        ClickCell(table, 5, 1);
        TypeFrequency(table, QString());
        QVERIFY(Channel(w.doc(), 5));
        QCOMPARE(table->cellText(5, 1), QStringLiteral("27.05000"));
        QVERIFY(!w.doc().isModified());
    }

    void enterWalksTheVisibleColumns()
    {
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{3, "02700000"}, {4, "02700000"}, {40, "02700000"}});
        auto* table = w.openTable(0);
        ClickCell(table, 3, 1);
        QTest::keyClick(FrequencyEditor(table), Qt::Key_Return);
        QCOMPARE(table->currentColumn(), 4);
        QTest::keyClick(ToneList(table), Qt::Key_Return);
        QCOMPARE(table->currentColumn(), 5);
        QTest::keyClick(ToneList(table), Qt::Key_Return);
        QCOMPARE(table->currentRow(), 4);
        QCOMPARE(table->currentColumn(), 1);
        QVERIFY(!FrequencyEditor(table)->isHidden());

        // Column 5 of the last row wraps to column 1 of row 1.
        ClickCell(table, 40, 5);
        QVERIFY(!ToneList(table)->isHidden());
        QTest::keyClick(ToneList(table), Qt::Key_Return);
        QCOMPARE(table->currentRow(), 1);
        QCOMPARE(table->currentColumn(), 1);
        QVERIFY(!w.doc().isModified());
    }

    void enterWrapsWithinTheOneRowGroup()
    {
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{1, "02700000"}, {521, "02720000"}});
        auto* table = w.openTable(10);
        QCOMPARE(table->slotRows(), 1);
        ClickCell(table, 1, 1);
        QTest::keyClick(FrequencyEditor(table), Qt::Key_Return);
        QTest::keyClick(ToneList(table), Qt::Key_Return);
        QCOMPARE(table->currentColumn(), 5);
        QTest::keyClick(ToneList(table), Qt::Key_Return);
        QCOMPARE(table->currentRow(), 1);
        QCOMPARE(table->currentColumn(), 1);
        QVERIFY(!FrequencyEditor(table)->isHidden());
        QVERIFY(ToneList(table)->isHidden());
        // Keys go to the widget that has the focus in the window.
        QWidget* focused = w.area.focusWidget();
        QCOMPARE(focused, FrequencyEditor(table));
        QTest::keyClicks(focused, QStringLiteral("27.3"));
        QTest::keyClick(focused, Qt::Key_Return);
        QCOMPARE(Channel(w.doc(), 521)->RxFrequency.raw(), std::string("02730000"));
        QCOMPARE(int(Channel(w.doc(), 521)->RxTone), 0);
        QCOMPARE(int(Channel(w.doc(), 521)->TxTone), 0);
    }

    void tonesAreCoupled_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("rx");
        QTest::addColumn<int>("tx");
        QTest::addColumn<int>("busy");
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("wantRx");
        QTest::addColumn<int>("wantTx");
        QTest::addColumn<int>("wantBusy");
        QTest::newRow("rx tone fills unset tx tone") << 4 << 0 << 0 << 0 << 1 << 1 << 1 << 0;
        QTest::newRow("tx tone fills unset rx tone") << 5 << 0 << 0 << 0 << 60 << 60 << 60 << 0;
        QTest::newRow("both set: only rx changes") << 4 << 3 << 7 << 0 << 9 << 9 << 7 << 0;
        QTest::newRow("rx off ends busy lockout 2") << 4 << 5 << 5 << 2 << 0 << 0 << 5 << 1;
    }
    void tonesAreCoupled()
    {
        QFETCH(int, column);
        QFETCH(int, rx);
        QFETCH(int, tx);
        QFETCH(int, busy);
        QFETCH(int, choice);
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{1, "02700000"}, {2, "02700000"}});
        ChannelRecord* channel = Channel(w.doc(), 2);
        channel->RxTone = Int16(rx);
        channel->TxTone = Int16(tx);
        channel->option(ChannelOption::BusyLockout) = Int16(busy);
        auto* table = w.openTable(0);
        ClickCell(table, 2, column);
        QVERIFY(!ToneList(table)->isHidden());
        ChooseEntry(ToneList(table), choice);
        channel = Channel(w.doc(), 2);
        QTEST(int(channel->RxTone), "wantRx");
        QTEST(int(channel->TxTone), "wantTx");
        QTEST(int(channel->option(ChannelOption::BusyLockout)), "wantBusy");
        QCOMPARE(table->cellText(2, 4), ToneList(table)->itemText(channel->RxTone));
        QCOMPARE(table->cellText(2, 5), ToneList(table)->itemText(channel->TxTone));
        QVERIFY(w.doc().isModified());

        Document reopened;
        const auto kept = ReopenedChannel(w.doc(), 2, reopened);
        QVERIFY(kept);
        QCOMPARE(int(kept->RxTone), int(channel->RxTone));
        QCOMPARE(int(kept->TxTone), int(channel->TxTone));
        QCOMPARE(int(kept->option(ChannelOption::BusyLockout)), int(channel->option(ChannelOption::BusyLockout)));
    }

    void amFmRulesOfCountryGroups_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("amAllowed");
        QTest::newRow("CE: always FM") << 1 << 0 << false;
        QTest::newRow("UK: position 40") << 2 << 39 << true;
        QTest::newRow("UK: position 41") << 2 << 40 << false;
        QTest::newRow("DE: position 41") << 5 << 40 << false;
        QTest::newRow("DE: last position") << 5 << 79 << false;
        QTest::newRow("EU: any position") << 0 << 39 << true;
    }
    void amFmRulesOfCountryGroups()
    {
        QFETCH(int, group);
        QFETCH(int, position);
        QFETCH(bool, amAllowed);
        ChannelWindows w;
        NewDocument(w.doc(), 0, {});
        FillGroup(w.doc(), group);
        w.doc().copyWorkingToSaved();
        auto* table = w.openTable(group);
        auto* emergency = table->findChild<QComboBox*>("cboEmergency0");
        auto* amFm = table->findChild<QComboBox*>("cboAmFm0");
        if (group != 1) {
            QVERIFY(amFm->isEnabled());
            ChooseEntry(amFm, 0); // AM
            QCOMPARE(int(*emergencyAmFm(w.image(), group, 0)), 0);
        }
        ChooseEntry(emergency, position);
        QCOMPARE(int(*emergencyChannel(w.image(), group, 0)), position + 1);
        QCOMPARE(amFm->isEnabled(), amAllowed);
        QCOMPARE(int(*emergencyAmFm(w.image(), group, 0)), amAllowed ? 0 : 1);
        QCOMPARE(amFm->currentIndex(), amAllowed ? 0 : 1);
        if (group == 1) {
            QVERIFY(!table->findChild<QComboBox*>("cboAmFm1")->isEnabled());
            QCOMPARE(int(*emergencyAmFm(w.image(), 1, 1)), 1);
        }
        QVERIFY(w.doc().isModified());
    }

    void groupNameBox_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("group");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("extended group") << int(kExtendedMode) << 2 << true;
        QTest::newRow("VFO group") << int(kExtendedMode) << 10 << false;
        QTest::newRow("country group") << 0 << 2 << false;
    }
    void groupNameBox()
    {
        QFETCH(int, mode);
        QFETCH(int, group);
        QFETCH(bool, enabled);
        ChannelWindows w;
        NewDocument(w.doc(), Int16(mode), {{1, "02700000"}, {521, "02720000"}});
        auto* table = w.openTable(group);
        auto* name = table->findChild<QLineEdit*>("txtGroupName");
        QCOMPARE(name->isEnabled(), enabled);
        QCOMPARE(name->text().toStdString(), w.image().GroupNames[std::size_t(group)].clean());
        QVERIFY(!w.doc().isModified()); // showing a name stores nothing
        if (!enabled)
            return;
        name->selectAll();
        QTest::keyClick(name, Qt::Key_Backspace);
        QTest::keyClicks(name, QStringLiteral("a\\b~"));
        QCOMPARE(name->text(), QStringLiteral("ab"));
        QCOMPARE(w.image().GroupNames[std::size_t(group)].raw(), std::string("ab\0", 3));
        QVERIFY(w.doc().isModified());
    }

    // Group names are GBK bytes: Chinese typed through an input method is
    // stored as its GBK bytes and shown again; what does not fit the three
    // bytes, or has no GBK form, is refused.
    void groupNameInGbk_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("one character") << QString::fromUtf8("中") << QString::fromUtf8("中") << QByteArray("\xD6\xD0\0", 3);
        QTest::newRow("character and letter") << QString::fromUtf8("中A") << QString::fromUtf8("中A") << QByteArray("\xD6\xD0" "A");
        QTest::newRow("second character does not fit") << QString::fromUtf8("中文") << QString::fromUtf8("中")
                                                       << QByteArray("\xD6\xD0\0", 3);
        QTest::newRow("no GBK form") << QString::fromUtf8("한A") << QString("A") << QByteArray("A\0 ", 3);
    }
    void groupNameInGbk()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QByteArray, stored);
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{1, "02700000"}, {521, "02720000"}});
        auto* table = w.openTable(2);
        auto* name = table->findChild<QLineEdit*>("txtGroupName");
        name->setFocus();
        name->selectAll();
        QTest::keyClick(name, Qt::Key_Backspace);
        QInputMethodEvent input;
        input.setCommitString(typed);
        QApplication::sendEvent(name, &input);
        QCOMPARE(name->text(), shown);
        QCOMPARE(QByteArray::fromStdString(w.image().GroupNames[2].raw()), stored);
        // Shown again from the stored bytes, as after opening a file.
        ChannelWindows again;
        NewDocument(again.doc(), kExtendedMode, {{1, "02700000"}, {521, "02720000"}});
        again.image().GroupNames[2] = w.image().GroupNames[2];
        QCOMPARE(again.openTable(2)->findChild<QLineEdit*>("txtGroupName")->text(), shown);
    }

    void groupNameWithBytesThatAreNotGbk()
    {
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{1, "02700000"}, {521, "02720000"}});
        w.image().GroupNames[2].bytes = {'A', '\xFF', ' '};
        w.doc().copyWorkingToSaved();
        auto* table = w.openTable(2);
        auto* name = table->findChild<QLineEdit*>("txtGroupName");
        QCOMPARE(name->text(), QString("A") + QChar(0xFFFD));
        QVERIFY(!w.doc().isModified()); // shown, not changed
        name->setFocus();
        name->end(false);
        QTest::keyClick(name, 'B');
        QCOMPARE(QByteArray::fromStdString(w.image().GroupNames[2].raw()), QByteArray("AB\0", 3));
    }

    void detailEditorOpensFromTheDetailColumn()
    {
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{1, "02700000"}, {6, "02700000"}});
        auto* table = w.openTable(0);
        QVERIFY(!w.detail());
        DoubleClickCell(table, 6, 10);
        QVERIFY(w.detail());
        QVERIFY(channels::editState(w.ctx).detailEditorOpen);
        QCOMPARE(w.detail()->channelList()->currentText(), QStringLiteral("6"));
        // The edit button brings the same editor back: never a second one.
        table->findChild<QPushButton*>("CommandEdit")->click();
        int editors = 0;
        for (QMdiSubWindow* sub : w.area.subWindowList())
            editors += sub->widget()->objectName() == zav::kDetailEditorName && !sub->isHidden();
        QCOMPARE(editors, 1);
    }

    void scrollingCarriesTheCurrentRow()
    {
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {});
        FillGroup(w.doc(), 0);
        auto* table = w.openTable(0);
        ClickCell(table, 3, 4);
        QCOMPARE(channels::editState(w.ctx).editRow, 3);
        table->grid()->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCoreApplication::processEvents();
        QCOMPARE(table->currentRow(), 4);
        QCOMPARE(table->currentColumn(), 4);
        QCOMPARE(channels::editState(w.ctx).editRow, 4);
        QVERIFY(!ToneList(table)->isHidden());
    }

    void tableGrowsWithItsWindow()
    {
        ChannelWindows w;
        NewDocument(w.doc(), 0, {});
        FillGroup(w.doc(), 2);
        auto* table = w.openTable(2);
        auto* sub = qobject_cast<QMdiSubWindow*>(table->parentWidget());
        QVERIFY(sub);
        QTableView* grid = table->grid();
        auto lastVisibleRow = [grid] { return grid->rowAt(grid->viewport()->height() - 1); };
        const int rowsBefore = lastVisibleRow();
        QVERIFY(rowsBefore > 0 && rowsBefore < 79);
        QList<int> widths;
        for (int column = 0; column < 11; ++column)
            widths << grid->columnWidth(column);

        // As tall as a 1080-pixel screen leaves room for.
        sub->resize(sub->width(), 1000);
        QCoreApplication::processEvents();
        QCOMPARE(sub->height(), 1000);
        QVERIFY(lastVisibleRow() > rowsBefore + 10);
        for (int column = 0; column < 11; ++column)
            QCOMPARE(grid->columnWidth(column), widths.at(column));
    }

    void closingClearsTheOpenFlag()
    {
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{1, "02700000"}});
        auto* table = w.openTable(0);
        QVERIFY(channels::editState(w.ctx).channelTableOpen);
        table->findChild<QPushButton*>("CommandClose")->click();
        QVERIFY(!channels::editState(w.ctx).channelTableOpen);
    }
};

QTEST_MAIN(TestChannelTable)
#include "test_channel_table.moc"
