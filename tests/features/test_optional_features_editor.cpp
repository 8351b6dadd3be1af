// The optional-features editor through its widgets: what opening it does to
// stored values, the decode rule, the code and roger-beep lists, the
// power-on text boxes and their keys, and that every change reaches the
// document and a saved file.

#include "feature_fixture.h"
#include "window_names.h"
#include "feature_rules.h"
#include "optional_feature_rules.h"
#include "optional_features_editor.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "list_entries.h"

using namespace zav;
using zav::test::Entries;
using zav::features::OptionalFeaturesEditor;

namespace {

void DefineMemory(RadioImage& image, int n, const char* code)
{
    storeCode(image.DtmfSettings.CodeMemories[static_cast<std::size_t>(n - 1)], code);
}

} // namespace

class TestOptionalFeaturesEditor : public QObject {
    Q_OBJECT

private slots:
    void openingKeepsValuesInRange_data()
    {
        QTest::addColumn<OptionalFeature>("feature");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("kept");
        QTest::addColumn<bool>("listShown"); // false: the window shows no list for it
        QTest::addColumn<int>("entry");
        using enum OptionalFeature;
        QTest::newRow("TOT 37 s shows 30 s") << TotTime << 37 << 30 << true << 2;
        QTest::newRow("TOT off") << TotTime << 0 << 0 << true << 0;
        QTest::newRow("TOT beyond the list") << TotTime << 9000 << 0 << true << 0;
        QTest::newRow("voice prompt 0") << VoicePrompt << 0 << 1 << false << 0;
        QTest::newRow("voice prompt 3") << VoicePrompt << 3 << 1 << false << 0;
        QTest::newRow("display mode 3") << DisplayMode << 3 << 0 << true << 0;
        QTest::newRow("backlight 7") << BacklightColour << 7 << 7 << true << 7;
        QTest::newRow("scan resume 12") << ScanResumeTime << 12 << 0 << true << 0;
        QTest::newRow("key beep -1") << KeyBeep << -1 << 0 << true << 0;
        QTest::newRow("last tone entry") << EncodeTone << 282 << 282 << true << 282;
        QTest::newRow("tone beyond the list") << EncodeTone << 283 << 0 << true << 0;
        QTest::newRow("TSQ 2") << TsqMode << 2 << 0 << true << 0;
        QTest::newRow("repeater shift 5") << RepeaterShift << 5 << 0 << false << 0;
        QTest::newRow("common data 5 stays") << CommonData << 5 << 5 << false << 0;
        QTest::newRow("VOX 3 stays") << Vox << 3 << 3 << false << 0;
    }
    void openingKeepsValuesInRange()
    {
        QFETCH(OptionalFeature, feature);
        QFETCH(int, stored);
        QFETCH(int, kept);
        QFETCH(bool, listShown);
        QFETCH(int, entry);
        test::FeatureFixture f;
        f.image().OptFeat.feature(feature) = static_cast<Int16>(stored);
        auto* w = f.open<OptionalFeaturesEditor>(zav::kOptionalFeaturesName);
        QVERIFY(w);
        QCOMPARE(int(f.image().OptFeat.feature(feature)), kept);
        if (listShown)
            QCOMPARE(w->list(feature)->currentIndex(), entry);
    }

    // Stored window layouts and scripts find the controls by these names.
    void controlsKeepTheirObjectNames()
    {
        test::FeatureFixture f;
        auto* w = f.open<OptionalFeaturesEditor>(zav::kOptionalFeaturesName);
        using enum OptionalFeature;
        const std::vector<std::pair<const char*, OptionalFeature>> lists{
            {"Combo4", TotTime},      {"Combo12", DisplayMode}, {"Combo13", BacklightColour}, {"Combo14", ScanMode},
            {"Combo15", ScanResumeTime}, {"Combo29", DecodeTone}, {"Combo30", EncodeTone},   {"Combo31", BusyLockout},
            {"Combo32", BotCode},     {"Combo33", EotCode},     {"Combo34", CallCode},        {"Combo35", RogerBeep},
            {"Combo36", SquelchMode}, {"Combo38", KeyBeep},     {"Combo40", TsqMode},
        };
        for (const auto& [name, feature] : lists) {
            QVERIFY2(w->list(feature), name);
            QCOMPARE(w->findChild<QComboBox*>(name), w->list(feature));
        }
        const std::vector<std::pair<const char*, OptionalFeature>> boxes{
            {"Check7", CommonData},    {"Check8", RxExpander}, {"Check9", TxCompressor},
            {"Check10", NoiseBlanker}, {"Check11", Attenuator}, {"Check12", HighCut},
        };
        for (const auto& [name, feature] : boxes) {
            QVERIFY2(w->checkBox(feature), name);
            QCOMPARE(w->findChild<QCheckBox*>(name), w->checkBox(feature));
        }
        QCOMPARE(w->findChildren<QComboBox*>().size(), qsizetype(lists.size()));
        QCOMPARE(w->findChildren<QCheckBox*>().size(), qsizetype(boxes.size()));
    }

    void toneListHasItsOwn283Entries()
    {
        test::FeatureFixture f;
        auto* w = f.open<OptionalFeaturesEditor>(zav::kOptionalFeaturesName);
        for (OptionalFeature tone : {OptionalFeature::DecodeTone, OptionalFeature::EncodeTone}) {
            const QComboBox* list = w->list(tone);
            QCOMPARE(list->count(), 283);
            QCOMPARE(list->itemText(0), f.ctx.text(15030));
            QCOMPARE(list->itemText(1), QString("67.0"));
            QCOMPARE(list->itemText(51), QString("D017N"));
            QCOMPARE(list->itemText(167), QString("D017I"));
            QCOMPARE(list->itemText(282), QString("D765I"));
        }
    }

    void decodeRuleOnOpening_data()
    {
        QTest::addColumn<int>("commonData");
        QTest::addColumn<int>("decode");
        QTest::addColumn<int>("squelchKept");
        QTest::addColumn<int>("busyKept");
        QTest::addColumn<int>("busyEntries");
        QTest::addColumn<bool>("squelchEnabled");
        QTest::newRow("no tone, common data off") << 0 << 0 << 0 << 0 << 2 << false;
        QTest::newRow("no tone, common data on enables squelch") << 1 << 0 << 0 << 0 << 2 << true;
        QTest::newRow("tone, common data on") << 1 << 12 << 1 << 2 << 3 << true;
        QTest::newRow("tone, common data off") << 0 << 12 << 1 << 2 << 3 << false;
    }
    void decodeRuleOnOpening()
    {
        QFETCH(int, commonData);
        QFETCH(int, decode);
        QFETCH(int, squelchKept);
        QFETCH(int, busyKept);
        QFETCH(int, busyEntries);
        QFETCH(bool, squelchEnabled);
        test::FeatureFixture f;
        OptFeat& opt = f.image().OptFeat;
        opt.Common1[common1::CommonData] = static_cast<Int16>(commonData);
        opt.decodeTone() = static_cast<Int16>(decode);
        opt.squelchMode() = 1;
        opt.busyLockout() = 2;
        auto* w = f.open<OptionalFeaturesEditor>(zav::kOptionalFeaturesName);
        QCOMPARE(int(opt.squelchMode()), squelchKept);
        QCOMPARE(int(opt.busyLockout()), busyKept);
        QCOMPARE(w->list(OptionalFeature::BusyLockout)->count(), busyEntries);
        QCOMPARE(w->list(OptionalFeature::SquelchMode)->isEnabled(), squelchEnabled);
        QCOMPARE(w->list(OptionalFeature::DecodeTone)->isEnabled(), commonData == 1);
    }

    void decodeRuleOnUserChoice()
    {
        test::FeatureFixture f;
        f.image().OptFeat.Common1[common1::CommonData] = 1;
        auto* w = f.open<OptionalFeaturesEditor>(zav::kOptionalFeaturesName);
        OptFeat& opt = f.image().OptFeat;
        QCOMPARE(w->list(OptionalFeature::BusyLockout)->count(), 2);

        w->list(OptionalFeature::DecodeTone)->setCurrentIndex(5);
        QCOMPARE(int(opt.decodeTone()), 5);
        QCOMPARE(Entries(w->list(OptionalFeature::BusyLockout)).value(2), f.ctx.text(15032));
        QVERIFY(w->list(OptionalFeature::SquelchMode)->isEnabled());
        w->list(OptionalFeature::BusyLockout)->setCurrentIndex(2);
        w->list(OptionalFeature::SquelchMode)->setCurrentIndex(1);
        QCOMPARE(int(opt.busyLockout()), 2);
        QCOMPARE(int(opt.squelchMode()), 1);

        w->list(OptionalFeature::DecodeTone)->setCurrentIndex(0);
        QCOMPARE(int(opt.decodeTone()), 0);
        QCOMPARE(w->list(OptionalFeature::BusyLockout)->count(), 2);
        QCOMPARE(int(opt.busyLockout()), 0);
        QCOMPARE(int(opt.squelchMode()), 0);
        QVERIFY(!w->list(OptionalFeature::SquelchMode)->isEnabled());
    }

    void codeListsShowDefinedMemories_data()
    {
        QTest::addColumn<OptionalFeature>("feature");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("kept");
        QTest::newRow("BOT 5, memory 5 empty") << OptionalFeature::BotCode << 5 << 0;
        QTest::newRow("BOT 2, memory 2 defined") << OptionalFeature::BotCode << 2 << 2;
        QTest::newRow("EOT 16") << OptionalFeature::EotCode << 16 << 16;
        QTest::newRow("EOT 17 is no memory") << OptionalFeature::EotCode << 17 << 0;
    }
    void codeListsShowDefinedMemories()
    {
        QFETCH(OptionalFeature, feature);
        QFETCH(int, stored);
        QFETCH(int, kept);
        test::FeatureFixture f;
        DefineMemory(f.image(), 2, "12");
        DefineMemory(f.image(), 16, "#");
        f.image().OptFeat.feature(feature) = static_cast<Int16>(stored);
        auto* w = f.open<OptionalFeaturesEditor>(zav::kOptionalFeaturesName);
        QCOMPARE(int(f.image().OptFeat.feature(feature)), kept);
        QCOMPARE(Entries(w->list(feature)), (QStringList{f.ctx.text(14013), "2", "16"}));
        QCOMPARE(w->list(feature)->currentText(), kept ? QString::number(kept) : f.ctx.text(14013));
    }

    void rogerBeepListShowsDefinedToneTips_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("tip3Empty");
        QTest::addColumn<int>("kept");
        QTest::newRow("tone tip 3 defined") << 3 << false << 3;
        QTest::newRow("tone tip 3 without notes") << 3 << true << 0;
        QTest::newRow("tone tip 6 never set") << 6 << false << 0;
        QTest::newRow("no tone tip 9") << 9 << false << 0;
    }
    void rogerBeepListShowsDefinedToneTips()
    {
        QFETCH(int, stored);
        QFETCH(bool, tip3Empty);
        QFETCH(int, kept);
        test::FeatureFixture f;
        if (tip3Empty)
            f.image().ToneTips[2] = ToneTip{};
        f.image().ToneTips[2].tipRepeatCount() = 1;
        f.image().OptFeat.rogerBeep() = static_cast<Int16>(stored);
        auto* w = f.open<OptionalFeaturesEditor>(zav::kOptionalFeaturesName);
        QCOMPARE(int(f.image().OptFeat.rogerBeep()), kept);
        QStringList expected{f.ctx.text(15030), "1", "2"};
        if (!tip3Empty)
            expected << "3";
        expected << "4" << "5";
        QCOMPARE(Entries(w->list(OptionalFeature::RogerBeep)), expected);
    }

    void userChoicesStored_data()
    {
        QTest::addColumn<OptionalFeature>("feature");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("stored");
        using enum OptionalFeature;
        QTest::newRow("TOT 45 s") << TotTime << "45" << 45;
        QTest::newRow("TOT off") << TotTime << "" << 0;
        QTest::newRow("scan resume 60 s") << ScanResumeTime << "60" << 11;
        QTest::newRow("encode tone D754I") << EncodeTone << "D754I" << 281;
        QTest::newRow("BOT memory 4") << BotCode << "4" << 4;
        QTest::newRow("EOT none") << EotCode << "" << 0;
        QTest::newRow("roger beep 2") << RogerBeep << "2" << 2;
        QTest::newRow("TSQ second entry") << TsqMode << "#1" << 1;
    }
    void userChoicesStored()
    {
        QFETCH(OptionalFeature, feature);
        QFETCH(QString, entry);
        QFETCH(int, stored);
        test::FeatureFixture f;
        DefineMemory(f.image(), 4, "44");
        f.image().OptFeat.eotCode() = 4;
        f.image().OptFeat.tsqMode() = 0;
        f.image().OptFeat.Common1[common1::TotTime] = 30;
        auto* w = f.open<OptionalFeaturesEditor>(zav::kOptionalFeaturesName);
        f.markSaved();
        QComboBox* combo = w->list(feature);
        const int index = entry.isEmpty() ? 0 : entry.startsWith('#') ? entry.mid(1).toInt() : combo->findText(entry);
        QVERIFY(index >= 0);
        combo->setCurrentIndex(index);
        QCOMPARE(int(f.image().OptFeat.feature(feature)), stored);
        QVERIFY(f.doc().isModified());
    }

    void switchesStored_data()
    {
        QTest::addColumn<OptionalFeature>("feature");
        QTest::newRow("RX expand") << OptionalFeature::RxExpander;
        QTest::newRow("Hi-CUT") << OptionalFeature::HighCut;
        QTest::newRow("common data") << OptionalFeature::CommonData;
    }
    void switchesStored()
    {
        QFETCH(OptionalFeature, feature);
        test::FeatureFixture f;
        auto* w = f.open<OptionalFeaturesEditor>(zav::kOptionalFeaturesName);
        w->checkBox(OptionalFeature::CommonData)->setChecked(true); // the switches are inside the common-data group
        f.markSaved();
        QCheckBox* check = w->checkBox(feature);
        check->setChecked(!check->isChecked());
        QCOMPARE(int(f.image().OptFeat.feature(feature)), check->isChecked() ? 1 : 0);
        QVERIFY(f.doc().isModified());
    }

    void commonDataSwitchesTheGroup()
    {
        test::FeatureFixture f;
        auto* w = f.open<OptionalFeaturesEditor>(zav::kOptionalFeaturesName);
        QVERIFY(!w->list(OptionalFeature::DecodeTone)->isEnabled());
        QTest::mouseClick(w->checkBox(OptionalFeature::CommonData), Qt::LeftButton);
        QCOMPARE(int(f.image().OptFeat.Common1[common1::CommonData]), 1);
        using enum OptionalFeature;
        for (OptionalFeature common :
             {DecodeTone, EncodeTone, BusyLockout, BotCode, EotCode, CallCode, RogerBeep, SquelchMode, TsqMode})
            QVERIFY2(w->list(common)->isEnabled(), qPrintable(QString::number(featureRule(common).number)));
        QVERIFY(w->checkBox(OptionalFeature::NoiseBlanker)->isEnabled());
        QTest::mouseClick(w->checkBox(OptionalFeature::CommonData), Qt::LeftButton);
        QCOMPARE(int(f.image().OptFeat.Common1[common1::CommonData]), 0);
        QVERIFY(!w->list(OptionalFeature::RogerBeep)->isEnabled());
        QVERIFY(!w->checkBox(OptionalFeature::HighCut)->isEnabled());
        QVERIFY(w->list(OptionalFeature::TotTime)->isEnabled());
    }

    void powerOnTextShown()
    {
        test::FeatureFixture f;
        f.image().OptFeat.PowerOnText.assign("AB");
        auto* w = f.open<OptionalFeaturesEditor>(zav::kOptionalFeaturesName);
        QCOMPARE(w->powerOnBox(0)->text(), QString("A"));
        QCOMPARE(w->powerOnBox(1)->text(), QString("B"));
        for (int i = 0; i < 16; ++i) {
            QCOMPARE(w->powerOnBox(i)->isVisibleTo(w), i >= 8);
            if (i >= 2)
                QVERIFY(w->powerOnBox(i)->text().isEmpty());
        }
        QCOMPARE(f.image().OptFeat.PowerOnText.raw(), std::string("AB") + std::string(14, ' '));
    }

    void powerOnBoxesShowOnlyWhatTheyAccept()
    {
        test::FeatureFixture f;
        const std::string stored = "ABCDEFGH-J.L\x01NOP";
        f.image().OptFeat.PowerOnText.assign(stored);
        auto* w = f.open<OptionalFeaturesEditor>(zav::kOptionalFeaturesName);
        QCOMPARE(w->powerOnBox(7)->text(), QString("H"));
        for (int refused : {8, 10, 12})
            QVERIFY2(w->powerOnBox(refused)->text().isEmpty(), qPrintable(QString::number(refused)));
        QCOMPARE(w->powerOnBox(9)->text(), QString("J"));
        QCOMPARE(f.image().OptFeat.PowerOnText.raw(), stored); // kept until edited
    }

    void powerOnTextKeys_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("capital") << "X" << true;
        QTest::newRow("small letter") << "x" << true;
        QTest::newRow("digit") << "7" << true;
        QTest::newRow("hyphen") << "-" << false;
        QTest::newRow("space") << " " << false;
        QTest::newRow("above 127") << QString(QChar(0xE9)) << false;
    }
    void powerOnTextKeys()
    {
        QFETCH(QString, key);
        QFETCH(bool, accepted);
        test::FeatureFixture f;
        f.image().OptFeat.PowerOnText.assign("AB");
        auto* w = f.open<OptionalFeaturesEditor>(zav::kOptionalFeaturesName);
        f.area.show();
        QVERIFY(QTest::qWaitForWindowActive(&f.area));
        f.markSaved();
        QLineEdit* box8 = w->powerOnBox(8);
        box8->setFocus();
        QCOMPARE(QApplication::focusWidget(), box8);
        test::TypeText(box8, key);
        if (accepted) {
            QCOMPARE(f.image().OptFeat.PowerOnText.raw(),
                     "AB" + std::string(6, ' ') + key.toStdString() + std::string(7, ' '));
            QCOMPARE(QApplication::focusWidget(), w->powerOnBox(9));
            QVERIFY(f.doc().isModified());
        } else {
            QVERIFY(box8->text().isEmpty());
            QCOMPARE(QApplication::focusWidget(), box8);
            QVERIFY(!f.doc().isModified());
        }
    }

    // The power-on text is 16 GBK bytes, a box for each: a Chinese character
    // takes its box and the next one, over whatever was there, and the box
    // after it has the focus next. What GBK lacks, or what would not fit
    // whole, is refused.
    void powerOnTextTypedInGbk_data()
    {
        QTest::addColumn<std::string>("stored");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<std::string>("kept");
        QTest::addColumn<int>("focus"); // 16: the time-out list
        const std::string mixed("ABCDEFGHI\xD6\xD0LMNOP");
        QTest::newRow("Chinese takes two boxes") << std::string("AB") << 8 << QString::fromUtf8("中")
                                                 << "AB" + std::string(6, ' ') + "\xD6\xD0" + std::string(6, ' ') << 10;
        QTest::newRow("over the next letter") << std::string("ABCDEFGHIJKLMNOP") << 9 << QString::fromUtf8("中")
                                              << mixed << 11;
        QTest::newRow("over half of a Chinese character")
            << mixed << 8 << QString::fromUtf8("文") << std::string("ABCDEFGH\xCE\xC4 LMNOP") << 10;
        QTest::newRow("a letter for a Chinese character")
            << mixed << 9 << QString("X") << std::string("ABCDEFGHIX LMNOP") << 10;
        QTest::newRow("Backspace empties both boxes of a Chinese character")
            << mixed << 9 << QString("\b") << std::string("ABCDEFGHI  LMNOP") << 9;
        QTest::newRow("a character the boxes refuse goes with the edit")
            << std::string("ABCDEFGHI\xA3\xACLMNOP") << 12 << QString("X") << std::string("ABCDEFGHI  LXNOP") << 13;
        QTest::newRow("in the last two boxes") << std::string("AB") << 14 << QString::fromUtf8("中")
                                               << "AB" + std::string(12, ' ') + "\xD6\xD0" << 16;
        QTest::newRow("does not fit in the last box")
            << std::string("AB") << 15 << QString::fromUtf8("中") << "AB" + std::string(14, ' ') << 15;
        QTest::newRow("GBK lacks it") << std::string("AB") << 8 << QString(QChar(0xD55C))
                                      << "AB" + std::string(14, ' ') << 8;
        QTest::newRow("a character begun in the hidden boxes")
            << std::string("ABCDEFG\xD6\xD0JKLMNOP") << 8 << QString("X") << std::string("ABCDEFG XJKLMNOP") << 9;
        QTest::newRow("bytes not in GBK go with the edit")
            << std::string("ABCDEFGH\xFFJKLMNO\xD6") << 9 << QString("X") << std::string("ABCDEFGH XKLMNO ") << 10;
    }
    void powerOnTextTypedInGbk()
    {
        QFETCH(std::string, stored);
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(std::string, kept);
        QFETCH(int, focus);
        test::FeatureFixture f;
        f.image().OptFeat.PowerOnText.assign(stored);
        auto* w = f.open<OptionalFeaturesEditor>(zav::kOptionalFeaturesName);
        f.area.show();
        QVERIFY(QTest::qWaitForWindowActive(&f.area));
        QLineEdit* typedBox = w->powerOnBox(box);
        typedBox->setFocus();
        typedBox->selectAll();
        test::TypeText(typedBox, typed);
        QCOMPARE(f.image().OptFeat.PowerOnText.raw(), kept);
        QCOMPARE(QApplication::focusWidget(),
                 focus < 16 ? static_cast<QWidget*>(w->powerOnBox(focus)) : w->list(OptionalFeature::TotTime));
        // The boxes show what is stored, there and when opened again.
        test::FeatureFixture again;
        again.image().OptFeat.PowerOnText = f.image().OptFeat.PowerOnText;
        auto* reopened = again.open<OptionalFeaturesEditor>(zav::kOptionalFeaturesName);
        for (int i = 0; i < 16; ++i) {
            QCOMPARE(w->powerOnBox(i)->text(), reopened->powerOnBox(i)->text());
            QCOMPARE(w->powerOnBox(i)->isEnabled(), reopened->powerOnBox(i)->isEnabled());
        }
    }

    // The shown boxes 8..15 of a stored power-on text: a Chinese character
    // shows in its first shown box, the other one of its two is switched
    // off; bytes that are not GBK show as U+FFFD and are kept until edited.
    void powerOnTextShownThroughGbk_data()
    {
        QTest::addColumn<std::string>("stored");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("switchedOff"); // -1: none
        QTest::newRow("Chinese") << std::string("ABCDEFGHI\xD6\xD0LMNOP")
                                 << QStringList{"I", QString::fromUtf8("中"), "", "L", "M", "N", "O", "P"} << 10;
        QTest::newRow("begun in the hidden boxes")
            << std::string("ABCDEFG\xD6\xD0JKLMNOP")
            << QStringList{QString::fromUtf8("中"), "J", "K", "L", "M", "N", "O", "P"} << -1;
        QTest::newRow("a character the boxes refuse") << std::string("ABCDEFGHI\xA3\xACLMNOP")
                                                      << QStringList{"I", "", "", "L", "M", "N", "O", "P"} << 10;
        QTest::newRow("not GBK") << std::string("ABCDEFGH\xFFJKLMNO\xD6")
                                 << QStringList{"\uFFFD", "J", "K", "L", "M", "N", "O", "\uFFFD"} << -1;
    }
    void powerOnTextShownThroughGbk()
    {
        QFETCH(std::string, stored);
        QFETCH(QStringList, shown);
        QFETCH(int, switchedOff);
        test::FeatureFixture f;
        f.image().OptFeat.PowerOnText.assign(stored);
        auto* w = f.open<OptionalFeaturesEditor>(zav::kOptionalFeaturesName);
        for (int i = 8; i < 16; ++i) {
            QCOMPARE(w->powerOnBox(i)->text(), shown.at(i - 8));
            QCOMPARE(w->powerOnBox(i)->isEnabled(), i != switchedOff);
        }
        QCOMPARE(f.image().OptFeat.PowerOnText.raw(), stored);
    }

    void lastPowerOnBoxMovesToTheTimeOutList()
    {
        test::FeatureFixture f;
        auto* w = f.open<OptionalFeaturesEditor>(zav::kOptionalFeaturesName);
        f.area.show();
        QVERIFY(QTest::qWaitForWindowActive(&f.area));
        w->powerOnBox(15)->setFocus();
        QTest::keyClicks(w->powerOnBox(15), "Z");
        QCOMPARE(QApplication::focusWidget(), w->list(OptionalFeature::TotTime));
        QCOMPARE(f.image().OptFeat.PowerOnText.raw(), std::string("               Z"));
        // Emptying a box stores a space there.
        w->powerOnBox(15)->setFocus();
        QTest::keyClick(w->powerOnBox(15), Qt::Key_Backspace);
        QCOMPARE(f.image().OptFeat.PowerOnText.raw(), std::string(16, ' '));
    }
};

QTEST_MAIN(TestOptionalFeaturesEditor)
#include "test_optional_features_editor.moc"
