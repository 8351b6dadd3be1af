// The feature editors keep the channel detail editor's lists current: code
// memories that appear or are emptied in the DTMF editor, and tone tips that
// become (un)defined in the tone-tips editor, show at once in its BOT, EOT,
// call and roger-beep lists.

#include "feature_fixture.h"
#include "window_names.h"
#include "feature_rules.h"
#include "channel_detail_editor.h"
#include "dtmf_editor.h"
#include "tone_tips_editor.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>

#include "list_entries.h"

using namespace zav;
using zav::test::Entries;
using zav::channels::ChannelDetailEditor;
using zav::features::DtmfEditor;
using zav::features::ToneTipsEditor;

class TestFeatureRefresh : public QObject {
    Q_OBJECT

private slots:
    void newMemoryJoinsTheDetailEditorsCodeLists()
    {
        test::FeatureFixture f;
        auto* detail = f.open<ChannelDetailEditor>(zav::kDetailEditorName);
        QVERIFY(detail->shownRecord() >= 0);
        auto* dtmf = f.open<DtmfEditor>(zav::kDtmfEditorName);
        QCOMPARE(Entries(detail->list(ChannelDetailEditor::BotCode)), QStringList{f.ctx.text(14013)});
        QTest::keyClicks(dtmf->memoryBox(7), "1");
        for (auto id : {ChannelDetailEditor::BotCode, ChannelDetailEditor::EotCode, ChannelDetailEditor::CallCode})
            QCOMPARE(Entries(detail->list(id)), (QStringList{f.ctx.text(14013), "7"}));
    }

    void emptiedMemoryLeavesTheDetailEditor()
    {
        test::FeatureFixture f;
        storeCode(f.image().DtmfSettings.CodeMemories[4], "55");
        ChannelRecord& channel = f.doc().active()[0];
        channel.option(ChannelOption::BotCode) = 5;
        channel.option(ChannelOption::CallCode) = 5;
        auto* detail = f.open<ChannelDetailEditor>(zav::kDetailEditorName);
        QCOMPARE(detail->list(ChannelDetailEditor::BotCode)->currentText(), QString("5"));
        auto* dtmf = f.open<DtmfEditor>(zav::kDtmfEditorName);
        dtmf->memoryBox(5)->selectAll();
        QTest::keyClick(dtmf->memoryBox(5), Qt::Key_Backspace);
        QCOMPARE(int(channel.option(ChannelOption::BotCode)), 0);
        QCOMPARE(int(channel.option(ChannelOption::CallCode)), 0);
        QCOMPARE(detail->list(ChannelDetailEditor::BotCode)->currentText(), f.ctx.text(14013));
        QCOMPARE(Entries(detail->list(ChannelDetailEditor::CallCode)), QStringList{f.ctx.text(14013)});
    }

    void undefinedToneTipLeavesTheDetailEditor()
    {
        test::FeatureFixture f;
        ChannelRecord& channel = f.doc().active()[0];
        channel.option(ChannelOption::RogerBeep) = 3;
        auto* detail = f.open<ChannelDetailEditor>(zav::kDetailEditorName);
        QCOMPARE(detail->list(ChannelDetailEditor::RogerBeep)->currentText(), QString("3"));
        auto* tips = f.open<ToneTipsEditor>(zav::kToneTipsName);
        tips->tabs()->setCurrentIndex(2);
        tips->repeatList()->setCurrentIndex(0);
        QCOMPARE(int(channel.option(ChannelOption::RogerBeep)), 0);
        QCOMPARE(Entries(detail->list(ChannelDetailEditor::RogerBeep)),
                 (QStringList{f.ctx.text(15030), "1", "2", "4", "5"}));
        QCOMPARE(detail->list(ChannelDetailEditor::RogerBeep)->currentIndex(), 0);
    }
};

QTEST_MAIN(TestFeatureRefresh)
#include "test_feature_refresh.moc"
