// The tone-tips editor through its widgets: values kept in range per tab,
// choices stored into the selected tone tip, the roger-beep references that
// follow a tone tip becoming (un)defined, the diagram's geometry, and
// playback driven note by note through a scripted output.

#include "feature_fixture.h"
#include "window_names.h"
#include "feature_rules.h"
#include "optional_features_editor.h"
#include "tone_tips_editor.h"
#include "tone_player.h"
#include "tone_tip_rules.h"

#include <QComboBox>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include "list_entries.h"

using namespace zav;
using zav::test::Entries;
using zav::features::OptionalFeaturesEditor;
using zav::features::ToneTipsEditor;

namespace {

/// An output that sounds nothing and ends a step only when told to.
class ScriptedOutput : public NoteOutput {
public:
    std::vector<PlaybackStep> started;
    void start(int hz, int ms) override { started.push_back({hz, ms}); }
    void finishStep() { emit finished(); }
};

ScriptedOutput* Script(ToneTipsEditor* w)
{
    auto output = std::make_unique<ScriptedOutput>();
    ScriptedOutput* raw = output.get();
    w->player()->setOutput(std::move(output));
    return raw;
}

ToneTip TenNotes()
{
    ToneTip tip;
    for (int note = 1; note <= 10; ++note) {
        tip.noteFrequency(note) = static_cast<Int16>(60 + note);
        tip.noteDuration(note) = 10;
    }
    tip.tipRepeatCount() = 1;
    return tip;
}

Int16& fieldOf(ToneTip& tip, const QString& name)
{
    if (name == "repeat") return tip.tipRepeatCount();
    if (name == "interval") return tip.tipInterval();
    if (name == "frequency") return tip.noteFrequency(3);
    if (name == "length") return tip.noteDuration(3);
    qFatal("unknown field");
}

QComboBox* List(const ToneTipsEditor* w, const QString& name)
{
    if (name == "repeat") return w->repeatList();
    if (name == "interval") return w->intervalList();
    if (name == "frequency") return w->frequencyList(3);
    if (name == "length") return w->lengthList(3);
    qFatal("unknown list");
}

} // namespace

class TestToneTipsEditor : public QObject {
    Q_OBJECT

private slots:
    void showingKeepsValuesInRange_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("kept");
        QTest::addColumn<int>("entry");
        QTest::newRow("frequency 30 shows the pause") << "frequency" << 30 << 0 << 0;
        QTest::newRow("400 Hz") << "frequency" << 40 << 40 << 1;
        QTest::newRow("frequency beyond the list") << "frequency" << 300 << 0 << 0;
        QTest::newRow("length 2550 ms") << "length" << 255 << 255 << 255;
        QTest::newRow("length beyond the list") << "length" << 300 << 0 << 0;
        QTest::newRow("repeat 10") << "repeat" << 10 << 10 << 10;
        QTest::newRow("repeat 11") << "repeat" << 11 << 0 << 0;
        QTest::newRow("interval -1") << "interval" << -1 << 0 << 0;
    }
    void showingKeepsValuesInRange()
    {
        QFETCH(QString, field);
        QFETCH(int, stored);
        QFETCH(int, kept);
        QFETCH(int, entry);
        // Tone tip 1 is shown on opening; tone tip 4 only when its tab is
        // chosen, with every list already showing an entry.
        test::FeatureFixture f;
        fieldOf(f.image().ToneTips[0], field) = static_cast<Int16>(stored);
        fieldOf(f.image().ToneTips[3], field) = static_cast<Int16>(stored);
        auto* w = f.open<ToneTipsEditor>(zav::kToneTipsName);
        QCOMPARE(int(fieldOf(f.image().ToneTips[0], field)), kept);
        QCOMPARE(List(w, field)->currentIndex(), entry);
        QCOMPARE(int(fieldOf(f.image().ToneTips[3], field)), stored);
        w->tabs()->setCurrentIndex(3);
        QCOMPARE(int(fieldOf(f.image().ToneTips[3], field)), kept);
        QCOMPARE(List(w, field)->currentIndex(), entry);
    }

    void listsAndTabs()
    {
        test::FeatureFixture f;
        auto* w = f.open<ToneTipsEditor>(zav::kToneTipsName);
        QCOMPARE(w->tabs()->count(), 8);
        QCOMPARE(w->tabs()->tabText(7), f.ctx.text(29001) + " 8");
        QCOMPARE(w->repeatList()->count(), 11);
        QCOMPARE(w->intervalList()->count(), 256);
        QCOMPARE(w->frequencyList(14)->count(), 217);
        QCOMPARE(w->frequencyList(1)->itemText(0), f.ctx.text(29201));
        QCOMPARE(w->frequencyList(1)->itemText(216), QString("2550"));
        QCOMPARE(w->lengthList(14)->itemText(255), QString("2550"));
        // Default tone tip 3 on its tab.
        w->tabs()->setCurrentIndex(2);
        QCOMPARE(w->selectedToneTip(), 3);
        QCOMPARE(w->frequencyList(1)->currentText(), QString("1700"));
        QCOMPARE(w->lengthList(1)->currentText(), QString("30"));
        QCOMPARE(w->frequencyList(2)->currentText(), QString("900"));
        QCOMPARE(w->repeatList()->currentIndex(), 1);
    }

    void choicesStoredIntoTheSelectedToneTip()
    {
        test::FeatureFixture f;
        auto* w = f.open<ToneTipsEditor>(zav::kToneTipsName);
        f.markSaved();
        w->tabs()->setCurrentIndex(1);
        const ToneTip before = f.image().ToneTips[0];
        w->frequencyList(5)->setCurrentIndex(w->frequencyList(5)->findText("1000"));
        w->lengthList(14)->setCurrentIndex(w->lengthList(14)->findText("2550"));
        w->intervalList()->setCurrentIndex(w->intervalList()->findText("100"));
        w->repeatList()->setCurrentIndex(10);
        const ToneTip& tip = f.image().ToneTips[1];
        QCOMPARE(int(tip.noteFrequency(5)), 100);
        QCOMPARE(int(tip.noteDuration(14)), 255);
        QCOMPARE(int(tip.tipInterval()), 10);
        QCOMPARE(int(tip.tipRepeatCount()), 10);
        QVERIFY(f.image().ToneTips[0] == before);
        QVERIFY(f.doc().isModified());
    }

    void undefinedToneTipLosesEveryRogerBeep()
    {
        test::FeatureFixture f;
        Document& doc = f.doc();
        doc.image().ChannelCount = 2;
        doc.image().StandbyChannelCount = 2;
        for (ChannelTable* table : {&doc.active(), &doc.standby()}) {
            (*table)[0].option(ChannelOption::RogerBeep) = 3;
            (*table)[1].option(ChannelOption::RogerBeep) = 2;
        }
        doc.image().OptFeat.rogerBeep() = 3;
        doc.image().StandbySettings[73] = 3;
        auto* options = f.open<OptionalFeaturesEditor>(zav::kOptionalFeaturesName);
        QCOMPARE(options->list(OptionalFeature::RogerBeep)->currentText(), QString("3"));
        auto* w = f.open<ToneTipsEditor>(zav::kToneTipsName);
        w->tabs()->setCurrentIndex(2);

        w->repeatList()->setCurrentIndex(0);

        QVERIFY(!isToneTipDefined(doc.image(), 3));
        for (const ChannelTable* table : {&doc.active(), &doc.standby()}) {
            QCOMPARE(int((*table)[0].option(ChannelOption::RogerBeep)), 0);
            QCOMPARE(int((*table)[1].option(ChannelOption::RogerBeep)), 2);
        }
        QCOMPARE(int(doc.image().OptFeat.rogerBeep()), 0);
        QCOMPARE(int(doc.image().StandbySettings[73]), 0);
        QCOMPARE(Entries(options->list(OptionalFeature::RogerBeep)), (QStringList{f.ctx.text(15030), "1", "2", "4", "5"}));
        QCOMPARE(options->list(OptionalFeature::RogerBeep)->currentIndex(), 0);
    }

    void newToneTipJoinsTheRogerBeepList()
    {
        test::FeatureFixture f;
        auto* options = f.open<OptionalFeaturesEditor>(zav::kOptionalFeaturesName);
        auto* w = f.open<ToneTipsEditor>(zav::kToneTipsName);
        w->tabs()->setCurrentIndex(5);
        w->repeatList()->setCurrentIndex(1);
        QVERIFY(!Entries(options->list(OptionalFeature::RogerBeep)).contains("6"));
        w->lengthList(4)->setCurrentIndex(7);
        QVERIFY(isToneTipDefined(f.image(), 6));
        QCOMPARE(Entries(options->list(OptionalFeature::RogerBeep)).last(), QString("6"));
    }

    void pauseDrawnWithHeightZero()
    {
        test::FeatureFixture f;
        auto* w = f.open<ToneTipsEditor>(zav::kToneTipsName);
        w->tabs()->setCurrentIndex(5);
        w->frequencyList(1)->setCurrentIndex(0);
        w->lengthList(1)->setCurrentIndex(50);
        w->frequencyList(2)->setCurrentIndex(w->frequencyList(2)->findText("1000"));
        w->lengthList(2)->setCurrentIndex(50);
        const std::vector<DiagramBar> bars = diagramBars(f.image().ToneTips[5], 1100, 356);
        QCOMPARE(bars.size(), std::size_t(2));
        QCOMPARE(bars[0].height, 0);
        QCOMPARE(bars[0].width, 500);
        QCOMPARE(bars[1].height, 100);
    }

    void playSoundsEveryStepThenEnablesPlay()
    {
        test::FeatureFixture f;
        auto* w = f.open<ToneTipsEditor>(zav::kToneTipsName);
        ScriptedOutput* out = Script(w);
        QTest::mouseClick(w->playButton(), Qt::LeftButton);
        QVERIFY(!w->playButton()->isEnabled());
        const std::vector<PlaybackStep> expected = playbackSteps(f.image().ToneTips[0]);
        while (out->started.size() < expected.size() && w->player()->isPlaying())
            out->finishStep();
        QCOMPARE(out->started, expected);
        QVERIFY(!w->playButton()->isEnabled());
        out->finishStep();
        QVERIFY(!w->player()->isPlaying());
        QVERIFY(w->playButton()->isEnabled());
    }

    void stopDuringThirdNoteEndsAfterIt()
    {
        test::FeatureFixture f;
        f.image().ToneTips[6] = TenNotes();
        auto* w = f.open<ToneTipsEditor>(zav::kToneTipsName);
        w->tabs()->setCurrentIndex(6);
        ScriptedOutput* out = Script(w);
        QTest::mouseClick(w->playButton(), Qt::LeftButton);
        out->finishStep();
        out->finishStep();
        QCOMPARE(out->started.size(), std::size_t(3));
        QTest::mouseClick(w->stopButton(), Qt::LeftButton);
        QVERIFY(w->player()->isPlaying()); // the third note still sounds
        out->finishStep();
        QVERIFY(!w->player()->isPlaying());
        QCOMPARE(out->started.size(), std::size_t(3));
        QCOMPARE(out->started[2], (PlaybackStep{630, 100}));
        QVERIFY(w->playButton()->isEnabled());
    }

    void nothingToPlayKeepsPlayEnabled()
    {
        test::FeatureFixture f;
        auto* w = f.open<ToneTipsEditor>(zav::kToneTipsName);
        w->tabs()->setCurrentIndex(7);
        ScriptedOutput* out = Script(w);
        QTest::mouseClick(w->playButton(), Qt::LeftButton);
        QVERIFY(out->started.empty());
        QVERIFY(w->playButton()->isEnabled());
        QVERIFY(!w->player()->isPlaying());
    }

    void closingWhilePlayingLetsTheNoteEnd()
    {
        test::FeatureFixture f;
        auto* w = f.open<ToneTipsEditor>(zav::kToneTipsName);
        ScriptedOutput* out = Script(w);
        QPointer<ToneTipPlayer> player = w->player();
        QPointer<ToneTipsEditor> window = w;
        QTest::mouseClick(w->playButton(), Qt::LeftButton);
        QCOMPARE(out->started.size(), std::size_t(1));

        f.closeAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull());
        QVERIFY(!player.isNull());

        out->finishStep(); // the note that was sounding ends; nothing follows
        QCOMPARE(out->started.size(), std::size_t(1));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(player.isNull());
    }
};

QTEST_MAIN(TestToneTipsEditor)
#include "test_tone_tips_editor.moc"
