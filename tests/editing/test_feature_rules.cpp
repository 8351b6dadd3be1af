// The rules behind the feature editors, without windows: which memories and
// tone tips count as defined, how references to them are reset, how texts
// are stored, how hidden option lists are kept in range, what a playback
// sounds and where the diagram's bars go.

#include "document.h"
#include "dtmf_rules.h"
#include "feature_rules.h"
#include "optional_feature_rules.h"
#include "tone_tip_rules.h"

#include <QTest>

#include <string>
#include <vector>

using namespace zav;

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(zav::ToneTip)
Q_DECLARE_METATYPE(std::vector<zav::PlaybackStep>)
Q_DECLARE_METATYPE(std::vector<zav::DiagramBar>)

namespace {

ToneTip Tip(std::vector<std::pair<int, int>> notes, int repeat, int interval)
{
    ToneTip tip;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        tip.noteFrequency(static_cast<int>(i) + 1) = static_cast<Int16>(notes[i].first);
        tip.noteDuration(static_cast<int>(i) + 1) = static_cast<Int16>(notes[i].second);
    }
    tip.tipRepeatCount() = static_cast<Int16>(repeat);
    tip.tipInterval() = static_cast<Int16>(interval);
    return tip;
}

/// A document with `used` used records in each table and one more record
/// beyond the counts; every record refers to code/tone `ref`.
Document DocumentReferring(int used, Int16 ref)
{
    Document doc;
    doc.image().ChannelCount = static_cast<Int16>(used);
    doc.image().StandbyChannelCount = static_cast<Int16>(used);
    for (ChannelTable* table : {&doc.active(), &doc.standby()}) {
        for (int i = 0; i <= used; ++i) {
            ChannelRecord& r = (*table)[static_cast<std::size_t>(i)];
            r.Number = static_cast<Int16>(i + 1);
            for (ChannelOption option :
                 {ChannelOption::BotCode, ChannelOption::EotCode, ChannelOption::CallCode, ChannelOption::RogerBeep})
                r.option(option) = ref;
        }
    }
    OptFeat& opt = doc.image().OptFeat;
    opt.botCode() = opt.eotCode() = opt.callCode() = opt.rogerBeep() = ref;
    for (int pos : {73, 76, 77, 78})
        doc.image().StandbySettings[static_cast<std::size_t>(pos)] = ref;
    return doc;
}

} // namespace

class TestFeatureRules : public QObject {
    Q_OBJECT

private slots:
    void codeMemoryDefined_data()
    {
        QTest::addColumn<int>("memory");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("defined");
        QTest::newRow("length 1") << 5 << 1 << true;
        QTest::newRow("length 0") << 5 << 0 << false;
        QTest::newRow("negative length") << 5 << -3 << false;
        QTest::newRow("last memory") << 16 << 4 << true;
        QTest::newRow("memory 0 never") << 0 << 4 << false;
        QTest::newRow("memory 17 never") << 17 << 4 << false;
    }
    void codeMemoryDefined()
    {
        QFETCH(int, memory);
        QFETCH(int, length);
        QFETCH(bool, defined);
        RadioImage image;
        for (DtmfCode& code : image.DtmfSettings.CodeMemories)
            code.Length = static_cast<Int16>(length);
        QCOMPARE(isCodeMemoryDefined(image, memory), defined);
    }

    void definedListsAscending()
    {
        RadioImage image;
        image.DtmfSettings.CodeMemories[15].Length = 2;
        image.DtmfSettings.CodeMemories[2].Length = 1;
        QCOMPARE(definedCodeMemories(image), (std::vector<int>{3, 16}));
        image.ToneTips[7] = Tip({{100, 5}}, 1, 0);
        image.ToneTips[0] = Tip({{0, 0}, {100, 1}}, 2, 0);
        QCOMPARE(definedToneTips(image), (std::vector<int>{1, 8}));
    }

    void toneTipDefined_data()
    {
        QTest::addColumn<int>("repeat");
        QTest::addColumn<int>("duration");
        QTest::addColumn<int>("note");
        QTest::addColumn<bool>("defined");
        QTest::newRow("one note, once") << 1 << 1 << 1 << true;
        QTest::newRow("last note only") << 1 << 10 << 14 << true;
        QTest::newRow("a pause counts as a note") << 3 << 50 << 7 << true;
        QTest::newRow("repeat 0") << 0 << 10 << 1 << false;
        QTest::newRow("no note long") << 1 << 0 << 1 << false;
        QTest::newRow("negative length") << 1 << -5 << 1 << false;
    }
    void toneTipDefined()
    {
        QFETCH(int, repeat);
        QFETCH(int, duration);
        QFETCH(int, note);
        QFETCH(bool, defined);
        RadioImage image;
        ToneTip& tip = image.ToneTips[2];
        tip.tipRepeatCount() = static_cast<Int16>(repeat);
        tip.noteDuration(note) = static_cast<Int16>(duration);
        QCOMPARE(isToneTipDefined(image, 3), defined);
        QVERIFY(!isToneTipDefined(image, 0));
        QVERIFY(!isToneTipDefined(image, 9));
    }

    void emptiedMemoryClearsEveryReference()
    {
        Document doc = DocumentReferring(3, 5);
        doc.active()[1].option(ChannelOption::EotCode) = 6; // another memory's reference stays
        clearCodeMemoryReferences(doc, 5);
        for (const ChannelTable* table : {&doc.active(), &doc.standby()}) {
            for (int i = 0; i < 3; ++i) {
                const ChannelRecord& r = (*table)[static_cast<std::size_t>(i)];
                QCOMPARE(r.option(ChannelOption::BotCode), Int16(0));
                QCOMPARE(r.option(ChannelOption::CallCode), Int16(0));
                QCOMPARE(r.option(ChannelOption::RogerBeep), Int16(5)); // roger beep is not a code number
            }
            QCOMPARE((*table)[3].option(ChannelOption::BotCode), Int16(5)); // beyond the count: no meaning, untouched
        }
        QCOMPARE(doc.active()[1].option(ChannelOption::EotCode), Int16(6));
        QCOMPARE(doc.standby()[1].option(ChannelOption::EotCode), Int16(0));
        OptFeat& opt = doc.image().OptFeat;
        QCOMPARE(opt.botCode(), Int16(0));
        QCOMPARE(opt.eotCode(), Int16(0));
        QCOMPARE(opt.callCode(), Int16(0));
        for (int pos : {76, 77, 78})
            QCOMPARE(doc.image().StandbySettings[static_cast<std::size_t>(pos)], Int16(0));
        QCOMPARE(doc.image().StandbySettings[73], Int16(5));
    }

    void rogerBeepsToUndefinedTipsCleared()
    {
        Document doc = DocumentReferring(2, 3);
        doc.active()[0].option(ChannelOption::RogerBeep) = 2;  // tone tip 2 stays defined
        doc.standby()[1].option(ChannelOption::RogerBeep) = 9; // never a tone tip
        doc.image().ToneTips[1] = Tip({{100, 5}}, 1, 0);
        clearUndefinedRogerBeeps(doc);
        QCOMPARE(doc.active()[0].option(ChannelOption::RogerBeep), Int16(2));
        QCOMPARE(doc.active()[1].option(ChannelOption::RogerBeep), Int16(0));
        QCOMPARE(doc.standby()[0].option(ChannelOption::RogerBeep), Int16(0));
        QCOMPARE(doc.standby()[1].option(ChannelOption::RogerBeep), Int16(0));
        QCOMPARE(doc.active()[2].option(ChannelOption::RogerBeep), Int16(3)); // beyond the count
        QCOMPARE(doc.image().OptFeat.rogerBeep(), Int16(0));
        QCOMPARE(doc.image().StandbySettings[73], Int16(0));
        QCOMPARE(doc.image().OptFeat.botCode(), Int16(3)); // code numbers untouched
    }

    void corruptCountsStayInsideTheTables()
    {
        Document doc = DocumentReferring(1, 4);
        doc.image().ChannelCount = 30000;
        doc.image().StandbyChannelCount = -7;
        clearCodeMemoryReferences(doc, 4);
        clearUndefinedRogerBeeps(doc);
        QCOMPARE(doc.active()[520].option(ChannelOption::BotCode), Int16(0));
        QCOMPARE(doc.standby()[0].option(ChannelOption::BotCode), Int16(4));
    }

    void codesStored_data()
    {
        QTest::addColumn<std::string>("typed");
        QTest::addColumn<int>("length");
        QTest::addColumn<std::string>("field");
        QTest::newRow("plain") << std::string("12*#") << 4 << std::string("12*#            ");
        QTest::newRow("trailing spaces") << std::string("7A  ") << 2 << std::string("7A              ");
        QTest::newRow("cut at NUL") << std::string("12\0xx", 5) << 2 << std::string("12              ");
        QTest::newRow("empty") << std::string() << 0 << std::string(16, ' ');
        QTest::newRow("too long") << std::string(20, '1') << 16 << std::string(16, '1');
    }
    void codesStored()
    {
        QFETCH(std::string, typed);
        QFETCH(int, length);
        QFETCH(std::string, field);
        DtmfCode code;
        storeCode(code, typed);
        QCOMPARE(code.Length, Int16(length));
        QCOMPARE(code.Code.raw(), field);
    }

    void codesShown_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<std::string>("shown");
        QTest::newRow("first three") << 3 << std::string("123");
        QTest::newRow("all sixteen") << 16 << std::string("1234567890ABCD*#");
        QTest::newRow("length 20 shows nothing") << 20 << std::string();
        QTest::newRow("negative shows nothing") << -1 << std::string();
    }
    void codesShown()
    {
        QFETCH(int, length);
        QFETCH(std::string, shown);
        DtmfCode code;
        code.Code.assign("1234567890ABCD*#");
        code.Length = static_cast<Int16>(length);
        QCOMPARE(shownCode(code), shown);
    }

    void messageLines_data()
    {
        QTest::addColumn<std::string>("typed");
        QTest::addColumn<std::string>("stored");
        QTest::newRow("short line gets NUL") << std::string("HELLO") << std::string("HELLO\0          ", 16);
        QTest::newRow("empty line") << std::string() << std::string("\0               ", 16);
        QTest::newRow("fifteen characters") << std::string(15, 'x') << std::string(15, 'x') + '\0';
        QTest::newRow("sixteen without NUL") << std::string(16, 'y') << std::string(16, 'y');
    }
    void messageLines()
    {
        QFETCH(std::string, typed);
        QFETCH(std::string, stored);
        FixedText<16> line;
        storeMessageLine(line, typed);
        QCOMPARE(line.raw(), stored);
    }

    void powerOnCharacters_data()
    {
        QTest::addColumn<std::string>("stored");
        QTest::addColumn<std::string>("shown");
        QTest::newRow("two letters") << std::string("AB") << std::string("AB              ");
        QTest::newRow("default text starts with NUL") << std::string("\0        VANTERA", 16) << std::string(16, ' ');
        QTest::newRow("cut at NUL") << std::string("HI\0THERE", 8) << std::string("HI              ");
        QTest::newRow("full") << std::string("ABCDEFGHIJKLMNOP") << std::string("ABCDEFGHIJKLMNOP");
    }
    void powerOnCharacters()
    {
        QFETCH(std::string, stored);
        QFETCH(std::string, shown);
        FixedText<16> text;
        text.assign(stored);
        QCOMPARE(zav::powerOnCharacters(text), shown);
    }

    void hiddenOptionsKeptInRange_data()
    {
        QTest::addColumn<OptionalFeature>("feature");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("kept");
        using enum OptionalFeature;
        QTest::newRow("squelch level 9") << SquelchLevel << 9 << 9;
        QTest::newRow("squelch level 10") << SquelchLevel << 10 << 0;
        QTest::newRow("voice prompt 0") << VoicePrompt << 0 << 1;
        QTest::newRow("voice prompt 3") << VoicePrompt << 3 << 1;
        QTest::newRow("voice prompt 2") << VoicePrompt << 2 << 2;
        QTest::newRow("voice volume 5") << VoiceVolume << 5 << 5;
        QTest::newRow("voice volume 6") << VoiceVolume << 6 << 1;
        QTest::newRow("TOT rekey 60") << TotRekey << 60 << 60;
        QTest::newRow("TOT rekey 61") << TotRekey << 61 << 0;
        QTest::newRow("TOT reset -1") << TotReset << -1 << 0;
        QTest::newRow("VOX delay 9") << VoxDelay << 9 << 9;
        QTest::newRow("repeater shift 3") << RepeaterShift << 3 << 0;
        QTest::newRow("frequency changeable 1") << FreqChangeable << 1 << 1;
    }
    void hiddenOptionsKeptInRange()
    {
        QFETCH(OptionalFeature, feature);
        QFETCH(int, stored);
        QFETCH(int, kept);
        QVERIFY(!featureRule(feature).shown);
        OptFeat opt;
        opt.feature(feature) = static_cast<Int16>(stored);
        normaliseHiddenOptions(opt);
        QCOMPARE(int(opt.feature(feature)), kept);
    }

    void timeOutTimerEntries_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("entry");
        QTest::newRow("off") << 0 << 0;
        QTest::newRow("37 s to the 30 s entry") << 37 << 2;
        QTest::newRow("38 s to the 45 s entry") << 38 << 3;
        QTest::newRow("600 s") << 600 << 40;
        QTest::newRow("default 4 s") << 4 << 0;
    }
    void timeOutTimerEntries()
    {
        QFETCH(int, stored);
        QFETCH(int, entry);
        const FeatureRule& tot = featureRule(OptionalFeature::TotTime);
        QCOMPARE(entryForValue(tot, stored), entry);
        QCOMPARE(int(valueForEntry(tot, entry)), entry * 15);
    }

    void dtmfTiming_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("kept");
        QTest::newRow("digit rate 0 shows 10 ms") << 0 << 0 << 0 << 1;
        QTest::newRow("digit rate 50") << 0 << 50 << 49 << 50;
        QTest::newRow("first digit 3 (150 ms) shows 0") << 1 << 3 << 0 << 0;
        QTest::newRow("first digit 20") << 1 << 20 << 10 << 20;
        QTest::newRow("delay 1 shows 100 ms") << 2 << 1 << 0 << 2;
        QTest::newRow("star/hash 10") << 3 << 10 << 2 << 10;
        QTest::newRow("star/hash 3") << 3 << 3 << 0 << 0;
    }
    void dtmfTiming()
    {
        QFETCH(int, which);
        QFETCH(int, stored);
        QFETCH(int, entry);
        QFETCH(int, kept);
        const DtmfTimingList* lists[] = {&digitRateTimings(), &firstDigitTimeTimings(), &firstDigitDelayTimings(),
                                         &starHashTimings()};
        const DtmfTimingList& list = *lists[which];
        QCOMPARE(timingEntry(list, stored), entry);
        QCOMPARE(int(timingValue(list, entry)), kept);
    }

    void idCodes_data()
    {
        QTest::addColumn<std::string>("typed");
        QTest::addColumn<std::string>("accepted");
        QTest::newRow("two digits") << std::string("12") << std::string("000");
        QTest::newRow("three digits") << std::string("123") << std::string("123");
        QTest::newRow("five digits") << std::string("12345") << std::string("12345");
        QTest::newRow("ten digits") << std::string("1234567890") << std::string("1234567890");
        QTest::newRow("eleven digits") << std::string("12345678901") << std::string("000");
        QTest::newRow("not digits") << std::string("12A4") << std::string("000");
        QTest::newRow("a decimal point") << std::string("1.5") << std::string("000");
        QTest::newRow("empty") << std::string() << std::string("000");
    }
    void idCodes()
    {
        QFETCH(std::string, typed);
        QFETCH(std::string, accepted);
        DtmfSettings dtmf;
        storeTypedIdCode(dtmf, typed);
        QCOMPARE(shownIdCode(dtmf), accepted);
        QCOMPARE(int(dtmf.IdCodeLength), int(accepted.size()));
    }

    void codeCharacters()
    {
        const std::string accepted = "0123456789*#ABCD";
        for (int c = 32; c < 127; ++c) {
            const char typed = static_cast<char>(c);
            const char expected = accepted.find(typed) != std::string::npos ? typed
                                  : (typed >= 'a' && typed <= 'd')          ? static_cast<char>(typed - 32)
                                                                            : 0;
            QCOMPARE(codeCharacter(typed), expected);
        }
    }

    void frequencyEntries_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("kept");
        QTest::newRow("pause") << 0 << 0 << 0;
        QTest::newRow("30 shows the pause entry") << 30 << 0 << 0;
        QTest::newRow("400 Hz") << 40 << 1 << 40;
        QTest::newRow("2550 Hz") << 255 << 216 << 255;
        QTest::newRow("beyond the list") << 256 << 0 << 0;
        QTest::newRow("negative") << -4 << 0 << 0;
    }
    void frequencyEntries()
    {
        QFETCH(int, stored);
        QFETCH(int, entry);
        QFETCH(int, kept);
        QCOMPARE(frequencyEntry(stored), entry);
        QCOMPARE(int(frequencyValue(entry)), kept);
    }

    void playbackSteps_data()
    {
        using Steps = std::vector<PlaybackStep>;
        QTest::addColumn<ToneTip>("tip");
        QTest::addColumn<Steps>("steps");
        QTest::newRow("tone, pause, tone; interval after each repeat")
            << Tip({{210, 10}, {0, 10}, {100, 5}}, 2, 3)
            << Steps{{2100, 100}, {0, 100}, {1000, 50}, {0, 30}, {2100, 100}, {0, 100}, {1000, 50}, {0, 30}};
        QTest::newRow("zero-length notes skipped, no interval")
            << Tip({{210, 0}, {80, 4}, {90, 0}}, 1, 0) << Steps{{800, 40}};
        QTest::newRow("48 Hz and below sound as silence") << Tip({{4, 10}, {5, 10}}, 1, 0)
                                                          << Steps{{0, 100}, {50, 100}};
        QTest::newRow("repeat 0 plays nothing") << Tip({{100, 10}}, 0, 10) << Steps{};
        QTest::newRow("no note long plays nothing") << Tip({{100, 0}}, 5, 10) << Steps{};
    }
    void playbackSteps()
    {
        using Steps = std::vector<PlaybackStep>;
        QFETCH(ToneTip, tip);
        QFETCH(Steps, steps);
        QCOMPARE(zav::playbackSteps(tip), steps);
    }

    void defaultToneTipOneLasts700ms()
    {
        // 210/10, 0/10 alternating, 4 tones and 3 pauses, once, no interval.
        const ToneTip tip = Tip({{210, 10}, {0, 10}, {210, 10}, {0, 10}, {210, 10}, {0, 10}, {210, 10}}, 1, 0);
        QCOMPARE(nominalLengthMs(zav::playbackSteps(tip)), 700LL);
    }

    void diagramBars_data()
    {
        using Bars = std::vector<DiagramBar>;
        QTest::addColumn<ToneTip>("tip");
        QTest::addColumn<Bars>("bars");
        // Area 1100 × 356: W = 1000, H = 256, base line at y = 306.
        QTest::newRow("a 500 ms pause has height 0")
            << Tip({{0, 50}, {128, 50}}, 1, 0) << Bars{{1, 50, 306, 500, 0}, {2, 550, 178, 500, 128}};
        QTest::newRow("zero-length notes take no room")
            << Tip({{255, 1}, {100, 0}, {40, 3}}, 1, 0) << Bars{{1, 50, 51, 250, 255}, {3, 300, 266, 750, 40}};
        QTest::newRow("nothing long, nothing drawn") << Tip({{100, 0}}, 1, 0) << Bars{};
    }
    void diagramBars()
    {
        using Bars = std::vector<DiagramBar>;
        QFETCH(ToneTip, tip);
        QFETCH(Bars, bars);
        QCOMPARE(zav::diagramBars(tip, 1100, 356), bars);
    }
};


QTEST_APPLESS_MAIN(TestFeatureRules)
#include "test_feature_rules.moc"
