// The channel detail editor through its real widgets: the slot it shows
// and how it follows the table, the busy-lockout, code and roger-beep
// lists, and writes that reach the record.

#include "channel_window_fixture.h"
#include "codecs.h"
#include "data_file.h"
#include "list_entries.h"
#include "versions.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTemporaryDir>

using namespace zav;
using zav::test::Entries;
using namespace zav::test;
using channels::ChannelDetailEditor;

namespace {

ChannelDetailEditor* OpenDetail(ChannelWindows& w, channels::ChannelTableWindow* table)
{
    table->findChild<QPushButton*>("CommandEdit")->click();
    return w.detail();
}

void DefineCodeMemory(RadioImage& image, int n, bool defined)
{
    DtmfCode& code = image.DtmfSettings.CodeMemories[std::size_t(n - 1)];
    code.Length = defined ? 3 : 0;
    code.Code.assign(defined ? "123" : "");
}

void DefineToneTip(RadioImage& image, int t, bool defined)
{
    ToneTip& tip = image.ToneTips[std::size_t(t - 1)];
    tip = ToneTip{};
    if (defined) {
        tip.tipRepeatCount() = 1;
        tip.noteFrequency(1) = 100;
        tip.noteDuration(1) = 10;
    }
}

/// A mouse click at the centre of a cell, received by whatever is shown
/// there: an in-place editor open over the cell, else the grid.
void ClickWhereTheCellIs(channels::ChannelTableWindow* table, int row, int column)
{
    QWidget* viewport = table->grid()->viewport();
    const QPoint centre = CellCentre(table, row, column);
    QWidget* target = viewport->childAt(centre);
    if (!target)
        target = viewport;
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(viewport, centre));
}

} // namespace

class TestChannelDetail : public QObject {
    Q_OBJECT
private slots:
    void showsTheSlotsOfTheGroup_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("channels");
        QTest::addColumn<bool>("repeaterShift");
        QTest::addColumn<bool>("frequencyTyped");
        QTest::newRow("country DE") << 0 << 5 << 80 << false << false;
        QTest::newRow("country EU") << 0 << 0 << 40 << false << false;
        QTest::newRow("extended AE") << int(kExtendedMode) << 0 << 40 << true << true;
        QTest::newRow("extended VFO") << int(kExtendedMode) << 10 << 1 << true << true;
    }
    void showsTheSlotsOfTheGroup()
    {
        QFETCH(int, mode);
        QFETCH(int, group);
        QFETCH(int, channels);
        ChannelWindows w;
        NewDocument(w.doc(), Int16(mode), {});
        FillGroup(w.doc(), group);
        auto* table = w.openTable(group);
        ChannelDetailEditor* detail = OpenDetail(w, table);
        QVERIFY(detail);
        QCOMPARE(detail->groupList()->currentIndex(), group);
        QCOMPARE(detail->channelList()->count(), channels);
        QCOMPARE(detail->channelList()->itemText(channels - 1), QString::number(channels));
        QTEST(!detail->list(ChannelDetailEditor::RepeaterShift)->isHidden(), "repeaterShift");
        QTEST(detail->frequencyBox()->isEnabled(), "frequencyTyped");
        QCOMPARE(detail->frequencyBox()->text(), QStringLiteral("27.01000"));
        QVERIFY(!w.doc().isModified());
    }

    void followsTheTableAndTheEmptySlot()
    {
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{1, "02700000"}, {5, "02705000"}});
        auto* table = w.openTable(0);
        ChannelDetailEditor* detail = OpenDetail(w, table);
        ClickCell(table, 5, 4);
        QCOMPARE(detail->channelList()->currentText(), QStringLiteral("5"));
        QCOMPARE(detail->frequencyBox()->text(), QStringLiteral("27.05000"));
        QVERIFY(detail->list(ChannelDetailEditor::DecodeTone)->isEnabled());

        ClickCell(table, 9, 1);
        QCOMPARE(detail->channelList()->currentText(), QStringLiteral("9"));
        QCOMPARE(detail->shownRecord(), -1);
        QVERIFY(detail->frequencyBox()->isEnabled());
        QVERIFY(detail->frequencyBox()->text().isEmpty());
        for (int id = 0; id < ChannelDetailEditor::ListCount; ++id) {
            QVERIFY(!detail->list(ChannelDetailEditor::ListId(id))->isEnabled());
            QCOMPARE(Entries(detail->list(ChannelDetailEditor::ListId(id))), QStringList{QStringLiteral(" ")});
        }
        for (int id = 0; id < ChannelDetailEditor::CheckCount; ++id)
            QVERIFY(!detail->check(ChannelDetailEditor::CheckId(id))->isEnabled());

        // A frequency typed here creates the channel.
        QTest::keyClicks(detail->frequencyBox(), QStringLiteral("27.4"));
        QTest::keyClick(detail->frequencyBox(), Qt::Key_Return);
        ChannelRecord* created = Channel(w.doc(), 9);
        QVERIFY(created);
        QCOMPARE(created->RxFrequency.raw(), std::string("02740000"));
        QCOMPARE(table->cellText(9, 1), QStringLiteral("27.40000"));
        QVERIFY(detail->list(ChannelDetailEditor::DecodeTone)->isEnabled());
        QCOMPARE(detail->frequencyBox()->text(), QStringLiteral("27.40000"));
    }

    void typingAfterTheEditorMovedGoesToTheRowShown()
    {
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{1, "02700000"}});
        auto* table = w.openTable(0);
        ClickCell(table, 5, 1);
        QTest::keyClicks(FrequencyEditor(table), QStringLiteral("26.77"));
        ChannelDetailEditor* detail = OpenDetail(w, table);
        QVERIFY(Channel(w.doc(), 5));
        ChooseEntry(detail->channelList(), 8);
        QCOMPARE(detail->channelList()->currentText(), QStringLiteral("9"));
        // No editor of the table may stay open over a row the edits no longer go to.
        QVERIFY(FrequencyEditor(table)->isHidden());

        ClickWhereTheCellIs(table, 5, 1);
        QCOMPARE(detail->channelList()->currentText(), QStringLiteral("5"));
        TypeFrequency(table, QStringLiteral("25.9"));
        QVERIFY(!Channel(w.doc(), 9));
        QVERIFY(table->cellText(9, 1).isEmpty());
        // An existing channel keeps its receive frequency.
        QCOMPARE(Channel(w.doc(), 5)->RxFrequency.raw(), std::string("02677000"));
        QCOMPARE(table->cellText(5, 1), QStringLiteral("26.77000"));
    }

    void choosingAToneAfterTheEditorMovedGoesToTheRowShown()
    {
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{5, "02705000"}, {10, "02710000"}});
        auto* table = w.openTable(0);
        ClickCell(table, 5, 4);
        ChannelDetailEditor* detail = OpenDetail(w, table);
        ChooseEntry(detail->channelList(), 9);
        QCOMPARE(detail->channelList()->currentText(), QStringLiteral("10"));
        QVERIFY(ToneList(table)->isHidden());

        ClickWhereTheCellIs(table, 5, 4);
        QVERIFY(!ToneList(table)->isHidden());
        ChooseEntry(ToneList(table), 3);
        QCOMPARE(int(Channel(w.doc(), 5)->RxTone), 3);
        QCOMPARE(int(Channel(w.doc(), 10)->RxTone), 0);
        QCOMPARE(int(Channel(w.doc(), 10)->TxTone), 0);
        QCOMPARE(detail->channelList()->currentText(), QStringLiteral("5"));
    }

    void opensBesideTheTable()
    {
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{1, "02700000"}});
        auto* table = w.openTable(0);
        ChannelDetailEditor* detail = OpenDetail(w, table);
        QWidget* tableFrame = table->parentWidget();
        QWidget* detailFrame = detail->parentWidget();
        QVERIFY(tableFrame->width() + detailFrame->width() <= w.area.viewport()->width()); // there is room
        QVERIFY(!tableFrame->geometry().intersects(detailFrame->geometry()));
        QVERIFY(w.area.viewport()->rect().contains(detailFrame->geometry()));
    }

    void toneOutsideTheListShowsNoSelection_data()
    {
        QTest::addColumn<int>("rx");
        QTest::addColumn<int>("tx");
        QTest::newRow("decode above the list") << 300 << 5;
        QTest::newRow("decode below the list") << -1 << 5;
        QTest::newRow("encode just past the list") << 5 << 265;
    }
    void toneOutsideTheListShowsNoSelection()
    {
        QFETCH(int, rx);
        QFETCH(int, tx);
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{1, "02700000"}});
        Channel(w.doc(), 1)->RxTone = Int16(rx);
        Channel(w.doc(), 1)->TxTone = Int16(tx);
        w.doc().copyWorkingToSaved();
        ChannelDetailEditor* detail = OpenDetail(w, w.openTable(0));
        auto shown = [](int tone) { return tone >= 0 && tone < kToneCount ? tone : -1; };
        QCOMPARE(detail->list(ChannelDetailEditor::DecodeTone)->currentIndex(), shown(rx));
        QCOMPARE(detail->list(ChannelDetailEditor::EncodeTone)->currentIndex(), shown(tx));
        QCOMPARE(int(Channel(w.doc(), 1)->RxTone), rx);
        QCOMPARE(int(Channel(w.doc(), 1)->TxTone), tx);
    }

    void switchingGroupSwitchesTheTable()
    {
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{1, "02700000"}, {41, "02741000"}});
        auto* table = w.openTable(0);
        ChannelDetailEditor* detail = OpenDetail(w, table);
        ChooseEntry(detail->groupList(), 1);
        QCOMPARE(table->shownGroup(), 1);
        QCOMPARE(channels::editState(w.ctx).editGroup, 1);
        QCOMPARE(table->cellText(1, 1), QStringLiteral("27.41000"));
        QCOMPARE(detail->channelList()->currentText(), QStringLiteral("1"));
        QCOMPARE(detail->frequencyBox()->text(), QStringLiteral("27.41000"));
        QCOMPARE(channels::editState(w.ctx).editRow, 1);
    }

    void busyLockoutFollowsTheGoverningTone_data()
    {
        QTest::addColumn<int>("rx");
        QTest::addColumn<int>("tx");
        QTest::addColumn<int>("reverse");
        QTest::addColumn<int>("busy");
        QTest::addColumn<int>("wantBusy");
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("selected");
        QTest::newRow("no tone: tone lockout becomes carrier") << 0 << 0 << 0 << 2 << 1 << 2 << 1;
        QTest::newRow("decode tone allows tone lockout") << 5 << 0 << 0 << 2 << 2 << 3 << 2;
        QTest::newRow("reverse: transmit tone governs") << 5 << 0 << 1 << 2 << 1 << 2 << 1;
        QTest::newRow("reverse with transmit tone") << 0 << 7 << 1 << 2 << 2 << 3 << 2;
        QTest::newRow("signalling lockout has no entry") << 5 << 5 << 0 << 3 << 3 << 3 << -1;
    }
    void busyLockoutFollowsTheGoverningTone()
    {
        QFETCH(int, rx);
        QFETCH(int, tx);
        QFETCH(int, reverse);
        QFETCH(int, busy);
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{1, "02700000"}});
        ChannelRecord* channel = Channel(w.doc(), 1);
        channel->RxTone = Int16(rx);
        channel->TxTone = Int16(tx);
        channel->option(ChannelOption::Reverse) = Int16(reverse);
        channel->option(ChannelOption::BusyLockout) = Int16(busy);
        w.doc().copyWorkingToSaved();
        ChannelDetailEditor* detail = OpenDetail(w, w.openTable(0));
        QTEST(int(Channel(w.doc(), 1)->option(ChannelOption::BusyLockout)), "wantBusy");
        QTEST(detail->list(ChannelDetailEditor::BusyLockout)->count(), "entries");
        QTEST(detail->list(ChannelDetailEditor::BusyLockout)->currentIndex(), "selected");
    }

    void choosingADecodeToneOffersToneLockout()
    {
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{1, "02700000"}});
        ChannelDetailEditor* detail = OpenDetail(w, w.openTable(0));
        QComboBox* busy = detail->list(ChannelDetailEditor::BusyLockout);
        QCOMPARE(busy->count(), 2);
        ChooseEntry(detail->list(ChannelDetailEditor::DecodeTone), 3);
        QCOMPARE(busy->count(), 3);
        QCOMPARE(int(Channel(w.doc(), 1)->RxTone), 3);
        QCOMPARE(int(Channel(w.doc(), 1)->TxTone), 3); // copied into the unset encode tone
        QCOMPARE(detail->list(ChannelDetailEditor::EncodeTone)->currentIndex(), 3);
        ChooseEntry(busy, 2);
        QCOMPARE(int(Channel(w.doc(), 1)->option(ChannelOption::BusyLockout)), 2);
        // Back to no decode tone: the tone lockout is given up.
        ChooseEntry(detail->list(ChannelDetailEditor::DecodeTone), 0);
        QCOMPARE(int(Channel(w.doc(), 1)->option(ChannelOption::BusyLockout)), 1);
        QCOMPARE(busy->count(), 2);
        QVERIFY(w.doc().isModified());
    }

    void codeListsOfferDefinedMemories_data()
    {
        QTest::addColumn<int>("list");
        QTest::newRow("BOT") << int(ChannelDetailEditor::BotCode);
        QTest::newRow("EOT") << int(ChannelDetailEditor::EotCode);
        QTest::newRow("call") << int(ChannelDetailEditor::CallCode);
    }
    void codeListsOfferDefinedMemories()
    {
        QFETCH(int, list);
        const auto id = ChannelDetailEditor::ListId(list);
        auto member = [id](ChannelRecord* r) -> Int16& {
            const ChannelOption code = id == ChannelDetailEditor::BotCode   ? ChannelOption::BotCode
                                       : id == ChannelDetailEditor::EotCode ? ChannelOption::EotCode
                                                                            : ChannelOption::CallCode;
            return r->option(code);
        };
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{1, "02700000"}});
        for (int n = 1; n <= kCodeMemories; ++n)
            DefineCodeMemory(w.image(), n, n == 3 || n == 7);
        member(Channel(w.doc(), 1)) = 7;
        ChannelDetailEditor* detail = OpenDetail(w, w.openTable(0));
        QComboBox* codes = detail->list(id);
        QCOMPARE(Entries(codes), (QStringList{w.ctx.text(14013), "3", "7"}));
        QCOMPARE(codes->currentText(), QStringLiteral("7"));

        ChooseEntry(codes, 0);
        QCOMPARE(int(member(Channel(w.doc(), 1))), 0);
        ChooseEntry(codes, 2);
        QCOMPARE(int(member(Channel(w.doc(), 1))), 7);

        // A new memory appears and the shown code stays.
        DefineCodeMemory(w.image(), 5, true);
        w.doc().copyWorkingToSaved();
        detail->refreshCodeLists();
        QCOMPARE(Entries(codes), (QStringList{w.ctx.text(14013), "3", "5", "7"}));
        QCOMPARE(codes->currentText(), QStringLiteral("7"));
        QVERIFY(!w.doc().isModified());

        // The shown memory is emptied: the first entry is shown and stored.
        DefineCodeMemory(w.image(), 7, false);
        detail->refreshCodeLists();
        QCOMPARE(Entries(codes), (QStringList{w.ctx.text(14013), "3", "5"}));
        QCOMPARE(codes->currentIndex(), 0);
        QCOMPARE(int(member(Channel(w.doc(), 1))), 0);
    }

    void rogerBeepListsDefinedToneTips()
    {
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{1, "02700000"}});
        for (int t = 1; t <= kToneTips; ++t)
            DefineToneTip(w.image(), t, t == 2 || t == 6);
        Channel(w.doc(), 1)->option(ChannelOption::RogerBeep) = 6;
        ChannelDetailEditor* detail = OpenDetail(w, w.openTable(0));
        QComboBox* beep = detail->list(ChannelDetailEditor::RogerBeep);
        QCOMPARE(Entries(beep), (QStringList{w.ctx.text(15030), "2", "6"}));
        QCOMPARE(beep->currentText(), QStringLiteral("6"));

        DefineToneTip(w.image(), 4, true);
        detail->refreshRogerBeep();
        QCOMPARE(Entries(beep), (QStringList{w.ctx.text(15030), "2", "4", "6"}));
        QCOMPARE(beep->currentText(), QStringLiteral("6"));
        ChooseEntry(beep, 2);
        QCOMPARE(int(Channel(w.doc(), 1)->option(ChannelOption::RogerBeep)), 4);
    }

    void controlsWriteTheirFields_data()
    {
        // A check box is clicked (choice -1); a list has its entry chosen.
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("choice");
        QTest::addColumn<ChannelOption>("option");
        QTest::addColumn<int>("stored");
        QTest::newRow("scan skip") << "chkScanSkip" << -1 << ChannelOption::ScanSkip << 1;
        QTest::newRow("expander") << "chkExpander" << -1 << ChannelOption::RxExpander << 1;
        QTest::newRow("compressor") << "chkCompressor" << -1 << ChannelOption::TxCompressor << 1;
        QTest::newRow("noise blanker") << "chkNoiseBlanker" << -1 << ChannelOption::NoiseBlanker << 1;
        QTest::newRow("attenuator") << "chkAttenuator" << -1 << ChannelOption::Attenuator << 1;
        QTest::newRow("high cut") << "chkHighCut" << -1 << ChannelOption::HighCut << 1;
        QTest::newRow("TSQ") << "cboTsq" << 1 << ChannelOption::TsqMode << 1;
        QTest::newRow("repeater shift") << "cboRepeaterShift" << 2 << ChannelOption::RepeaterShift << 2;
    }
    void controlsWriteTheirFields()
    {
        QFETCH(QString, control);
        QFETCH(int, choice);
        QFETCH(ChannelOption, option);
        QFETCH(int, stored);
        ChannelWindows w;
        NewDocument(w.doc(), kExtendedMode, {{1, "02700000"}, {2, "02700000"}});
        auto* table = w.openTable(0);
        ClickCell(table, 2, 1);
        ChannelDetailEditor* detail = OpenDetail(w, table);
        if (choice < 0) {
            auto* box = detail->findChild<QCheckBox*>(control);
            QVERIFY(box);
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
        } else {
            auto* list = detail->findChild<QComboBox*>(control);
            QVERIFY(list);
            ChooseEntry(list, choice);
        }
        QCOMPARE(int(Channel(w.doc(), 2)->option(option)), stored);
        QCOMPARE(int(Channel(w.doc(), 1)->option(option)), 0);
        QVERIFY(w.doc().isModified());

        QTemporaryDir dir;
        const std::string path = dir.filePath("detail.dat").toStdString();
        QVERIFY(saveDocument(w.doc(), path));
        Document reopened;
        QCOMPARE(openDocument(reopened, path, VersionRecords{}).outcome, OpenOutcome::Opened);
        QVERIFY(*Channel(reopened, 2) == *Channel(w.doc(), 2));
        QVERIFY(*Channel(reopened, 1) == *Channel(w.doc(), 1));
    }
};

QTEST_MAIN(TestChannelDetail)
#include "test_channel_detail.moc"
