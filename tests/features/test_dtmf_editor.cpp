// The DTMF editor through its widgets: what opening it does to stored
// values, the code boxes and their keys, the ID code rule, and how emptying
// or filling a code memory reaches every reference and the other open
// editors.

#include "feature_fixture.h"
#include "window_names.h"
#include "feature_rules.h"
#include "dtmf_editor.h"
#include "optional_features_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "list_entries.h"

using namespace zav;
using zav::test::Entries;
using zav::features::DtmfEditor;
using zav::features::OptionalFeaturesEditor;

namespace {

Int16& fieldOf(RadioImage& image, const QString& name)
{
    DtmfSettings& d = image.DtmfSettings;
    if (name == "DigitRate") return d.DigitRate;
    if (name == "FirstDigitTime") return d.FirstDigitTime;
    if (name == "FirstDigitDelay") return d.FirstDigitDelay;
    if (name == "StarHashTime") return d.StarHashTime;
    if (name == "DKeySetting") return d.DKeySetting;
    if (name == "CallAlert") return d.CallAlert;
    if (name == "GroupCode") return d.GroupCode;
    if (name == "AutoResetTime") return d.AutoResetTime;
    if (name == "PttIdPause") return image.OptFeat.Common1[common1::PttIdPause];
    qFatal("unknown field");
}

QComboBox* List(const DtmfEditor* w, const QString& name)
{
    if (name == "DigitRate") return w->digitRateList();
    if (name == "FirstDigitTime") return w->firstDigitTimeList();
    if (name == "FirstDigitDelay") return w->firstDigitDelayList();
    if (name == "StarHashTime") return w->starHashList();
    if (name == "DKeySetting") return w->dKeyList();
    if (name == "CallAlert") return w->callAlertList();
    if (name == "GroupCode") return w->groupCodeList();
    if (name == "AutoResetTime") return w->autoResetList();
    if (name == "PttIdPause") return w->pttIdPauseList();
    qFatal("unknown list");
}

DtmfCode& Memory(RadioImage& image, int n) { return image.DtmfSettings.CodeMemories[static_cast<std::size_t>(n - 1)]; }

void SetChannels(Document& doc, int used)
{
    doc.image().ChannelCount = static_cast<Int16>(used);
    doc.image().StandbyChannelCount = static_cast<Int16>(used);
    for (ChannelTable* table : {&doc.active(), &doc.standby()})
        for (int i = 0; i <= used; ++i)
            (*table)[static_cast<std::size_t>(i)].Number = static_cast<Int16>(i + 1);
}

void ClearBox(QLineEdit* box)
{
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
}

} // namespace

Q_DECLARE_METATYPE(std::string)

class TestDtmfEditor : public QObject {
    Q_OBJECT

private slots:
    void openingKeepsValuesInRange_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("kept");
        QTest::addColumn<QString>("shown");
        QTest::newRow("digit rate 0 shows 10 ms") << "DigitRate" << 0 << 1 << "10";
        QTest::newRow("digit rate 25") << "DigitRate" << 25 << 25 << "250";
        QTest::newRow("first digit 150 ms shows 0") << "FirstDigitTime" << 3 << 0 << "0";
        QTest::newRow("first digit 200 ms") << "FirstDigitTime" << 4 << 4 << "200";
        QTest::newRow("first digit delay 2500 ms") << "FirstDigitDelay" << 50 << 50 << "2500";
        QTest::newRow("first digit delay 0") << "FirstDigitDelay" << 0 << 2 << "100";
        QTest::newRow("star/hash 1000 ms") << "StarHashTime" << 20 << 20 << "1000";
        QTest::newRow("D key 16 s") << "DKeySetting" << 16 << 16 << "16s";
        QTest::newRow("D key 17") << "DKeySetting" << 17 << 0 << "";
        QTest::newRow("PTT-ID pause 75 s") << "PttIdPause" << 15 << 15 << "75";
        QTest::newRow("PTT-ID pause 16") << "PttIdPause" << 16 << 0 << "";
        QTest::newRow("call alert 3") << "CallAlert" << 3 << 0 << "";
        QTest::newRow("group code #") << "GroupCode" << 6 << 6 << "#";
        QTest::newRow("auto reset 15 s") << "AutoResetTime" << 15 << 15 << "15s";
        QTest::newRow("auto reset -2") << "AutoResetTime" << -2 << 0 << "";
    }
    void openingKeepsValuesInRange()
    {
        QFETCH(QString, field);
        QFETCH(int, stored);
        QFETCH(int, kept);
        QFETCH(QString, shown);
        test::FeatureFixture f;
        fieldOf(f.image(), field) = static_cast<Int16>(stored);
        auto* w = f.open<DtmfEditor>(zav::kDtmfEditorName);
        QCOMPARE(int(fieldOf(f.image(), field)), kept);
        QComboBox* list = List(w, field);
        if (shown.isEmpty())
            QCOMPARE(list->currentIndex(), 0);
        else
            QCOMPARE(list->currentText(), shown);
    }

    void sidetoneAboveOneShowsUncheckedAndStays()
    {
        test::FeatureFixture f;
        f.image().DtmfSettings.Sidetone = 2;
        auto* w = f.open<DtmfEditor>(zav::kDtmfEditorName);
        QVERIFY(!w->sidetoneBox()->isChecked());
        QCOMPARE(int(f.image().DtmfSettings.Sidetone), 2);
        QTest::keyClick(w->sidetoneBox(), Qt::Key_Space);
        QCOMPARE(int(f.image().DtmfSettings.Sidetone), 1);
    }

    void secondPageCannotBeSelected()
    {
        test::FeatureFixture f;
        auto* w = f.open<DtmfEditor>(zav::kDtmfEditorName);
        QCOMPARE(w->pages()->count(), 3);
        QCOMPARE(w->pages()->currentIndex(), 0);
        QVERIFY(!w->pages()->isTabEnabled(1));
        QTest::mouseClick(w->pages()->tabBar(), Qt::LeftButton, {}, w->pages()->tabBar()->tabRect(1).center());
        QCOMPARE(w->pages()->currentIndex(), 0);
        QCOMPARE(w->pages()->tabText(2), f.ctx.text(18004));
    }

    void choicesStored_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("stored");
        QTest::newRow("digit rate 500 ms") << "DigitRate" << "500" << 50;
        QTest::newRow("first digit 1000 ms") << "FirstDigitTime" << "1000" << 20;
        QTest::newRow("first digit delay 2400 ms") << "FirstDigitDelay" << "2400" << 48;
        QTest::newRow("star/hash 500 ms") << "StarHashTime" << "500" << 10;
        QTest::newRow("D key 3 s") << "DKeySetting" << "3s" << 3;
        QTest::newRow("PTT-ID pause 5 s") << "PttIdPause" << "5" << 1;
    }
    void choicesStored()
    {
        QFETCH(QString, field);
        QFETCH(QString, entry);
        QFETCH(int, stored);
        test::FeatureFixture f;
        auto* w = f.open<DtmfEditor>(zav::kDtmfEditorName);
        f.markSaved();
        QComboBox* list = List(w, field);
        const int index = list->findText(entry);
        QVERIFY(index >= 0);
        list->setCurrentIndex(index);
        QCOMPARE(int(fieldOf(f.image(), field)), stored);
        QVERIFY(f.doc().isModified());
    }

    void codeKeys_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("entered");
        QTest::newRow("small a as capital") << "a" << "A";
        QTest::newRow("every code character") << "0123456789*#ABCD" << "0123456789*#ABCD";
        QTest::newRow("small a..d") << "abcd" << "ABCD";
        QTest::newRow("e refused") << "e" << "";
        QTest::newRow("plus refused") << "+" << "";
        QTest::newRow("space refused") << " " << "";
        QTest::newRow("above 127 refused") << QString(QChar(0xE4)) << "";
        QTest::newRow("mixed") << "1e+2 d" << "12D";
        QTest::newRow("at most 16") << "12345678901234567" << "1234567890123456";
    }
    void codeKeys()
    {
        QFETCH(QString, typed);
        QFETCH(QString, entered);
        test::FeatureFixture f;
        auto* w = f.open<DtmfEditor>(zav::kDtmfEditorName);
        w->pages()->setTabEnabled(1, true); // the stun code's page is locked in use
        for (QLineEdit* box : {w->memoryBox(1), w->stunCodeBox()})
            test::TypeText(box, typed);
        QCOMPARE(w->memoryBox(1)->text(), entered);
        QCOMPARE(w->stunCodeBox()->text(), entered);
        for (const DtmfCode* code : {&Memory(f.image(), 1), &f.image().DtmfSettings.StunCode}) {
            QCOMPARE(int(code->Length), int(entered.size()));
            QCOMPARE(QString::fromStdString(code->Code.raw()), entered.leftJustified(16, ' '));
        }
    }

    void emptyingMemoryClearsEveryReference()
    {
        test::FeatureFixture f;
        RadioImage& image = f.image();
        storeCode(Memory(image, 5), "123");
        storeCode(Memory(image, 6), "9");
        SetChannels(f.doc(), 2);
        for (ChannelTable* table : {&f.doc().active(), &f.doc().standby()})
            for (ChannelRecord& r : *table) {
                r.option(ChannelOption::BotCode) = 5;
                r.option(ChannelOption::EotCode) = 5;
                r.option(ChannelOption::CallCode) = 6;
            }
        OptFeat& opt = image.OptFeat;
        opt.botCode() = 5;
        opt.eotCode() = 5;
        opt.callCode() = 6;
        for (int pos : {76, 77, 78})
            image.StandbySettings[static_cast<std::size_t>(pos)] = 5;
        auto* options = f.open<OptionalFeaturesEditor>(zav::kOptionalFeaturesName);
        auto* w = f.open<DtmfEditor>(zav::kDtmfEditorName);
        QCOMPARE(options->list(OptionalFeature::BotCode)->currentText(), QString("5"));
        f.markSaved();

        ClearBox(w->memoryBox(5));

        QCOMPARE(int(Memory(image, 5).Length), 0);
        for (const ChannelTable* table : {&f.doc().active(), &f.doc().standby()}) {
            for (int i = 0; i < 2; ++i) {
                QCOMPARE(int((*table)[static_cast<std::size_t>(i)].option(ChannelOption::BotCode)), 0);
                QCOMPARE(int((*table)[static_cast<std::size_t>(i)].option(ChannelOption::EotCode)), 0);
                QCOMPARE(int((*table)[static_cast<std::size_t>(i)].option(ChannelOption::CallCode)), 6);
            }
            QCOMPARE(int((*table)[2].option(ChannelOption::BotCode)), 5); // not a used record
        }
        QCOMPARE(int(opt.botCode()), 0);
        QCOMPARE(int(opt.eotCode()), 0);
        QCOMPARE(int(opt.callCode()), 6);
        for (int pos : {76, 77, 78})
            QCOMPARE(int(image.StandbySettings[static_cast<std::size_t>(pos)]), 0);
        for (OptionalFeature code : {OptionalFeature::BotCode, OptionalFeature::EotCode})
            QCOMPARE(options->list(code)->currentText(), f.ctx.text(14013));
        QCOMPARE(options->list(OptionalFeature::CallCode)->currentText(), QString("6"));
        QCOMPARE(Entries(options->list(OptionalFeature::BotCode)), (QStringList{f.ctx.text(14013), "6"}));
        QVERIFY(f.doc().isModified());
    }

    void firstDigitInMemoryShowsUpInOpenEditors()
    {
        test::FeatureFixture f;
        storeCode(Memory(f.image(), 2), "1");
        f.image().OptFeat.botCode() = 2;
        auto* options = f.open<OptionalFeaturesEditor>(zav::kOptionalFeaturesName);
        auto* w = f.open<DtmfEditor>(zav::kDtmfEditorName);
        QCOMPARE(Entries(options->list(OptionalFeature::EotCode)), (QStringList{f.ctx.text(14013), "2"}));
        QTest::keyClicks(w->memoryBox(7), "4");
        for (OptionalFeature code : {OptionalFeature::BotCode, OptionalFeature::EotCode, OptionalFeature::CallCode})
            QCOMPARE(Entries(options->list(code)), (QStringList{f.ctx.text(14013), "2", "7"}));
        QCOMPARE(options->list(OptionalFeature::BotCode)->currentText(), QString("2"));
        QCOMPARE(int(f.image().OptFeat.botCode()), 2);
    }

    void idCode_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("kept");
        QTest::newRow("two digits, validate") << "12" << "validate" << "000";
        QTest::newRow("five digits, validate") << "12345" << "validate" << "12345";
        QTest::newRow("two digits, Enter") << "12" << "enter" << "000";
        QTest::newRow("ten digits, Enter") << "1234567890" << "enter" << "1234567890";
        QTest::newRow("two digits, focus leaves") << "12" << "focus" << "000";
        QTest::newRow("four digits, focus leaves") << "1234" << "focus" << "1234";
        QTest::newRow("empty, validate") << "" << "validate" << "000";
    }
    void idCode()
    {
        QFETCH(QString, typed);
        QFETCH(QString, how);
        QFETCH(QString, kept);
        test::FeatureFixture f;
        auto* w = f.open<DtmfEditor>(zav::kDtmfEditorName);
        QLineEdit* box = w->idCodeBox();
        box->setText(typed);
        if (how == "validate") {
            w->commitPendingEdit();
        } else if (how == "enter") {
            QTest::keyClick(box, Qt::Key_Return);
        } else {
            // The page is locked in use; open it up so the box can take
            // and lose the focus like any other.
            f.area.show();
            QVERIFY(QTest::qWaitForWindowActive(&f.area));
            w->pages()->setTabEnabled(1, true);
            w->pages()->setCurrentIndex(1);
            box->setFocus();
            QVERIFY(box->hasFocus());
            w->killCodeBox()->setFocus();
        }
        const DtmfSettings& d = f.image().DtmfSettings;
        QCOMPARE(int(d.IdCodeLength), int(kept.size()));
        QCOMPARE(QString::fromStdString(d.IdCode.raw()), kept.leftJustified(10, ' '));
        QCOMPARE(box->text(), kept);
    }

    void idCodeKeys()
    {
        test::FeatureFixture f;
        auto* w = f.open<DtmfEditor>(zav::kDtmfEditorName);
        w->pages()->setTabEnabled(1, true); // locked in use
        QLineEdit* box = w->idCodeBox();
        box->clear();
        test::TypeText(box, "1a*2 3#45678901234");
        QCOMPARE(box->text(), QString("1234567890"));
    }

    void codeTooLongKeptUntilEdited()
    {
        test::FeatureFixture f;
        DtmfCode& memory = Memory(f.image(), 3);
        memory.Code.assign("1234567890ABCD*#");
        memory.Length = 20;
        f.image().DtmfSettings.KillCode = memory;
        f.image().DtmfSettings.PttIdEot = memory;
        auto* w = f.open<DtmfEditor>(zav::kDtmfEditorName);
        QVERIFY(w->memoryBox(3)->text().isEmpty());
        QVERIFY(w->killCodeBox()->text().isEmpty());
        QCOMPARE(Memory(f.image(), 3), memory);
        QCOMPARE(f.image().DtmfSettings.KillCode, memory);
        QCOMPARE(f.image().DtmfSettings.PttIdEot, memory);
        QTest::keyClicks(w->memoryBox(3), "9");
        QCOMPARE(int(Memory(f.image(), 3).Length), 1);
        QCOMPARE(Memory(f.image(), 3).Code.raw(), "9" + std::string(15, ' '));
    }

    void codesShownAndStoredBackClean()
    {
        test::FeatureFixture f;
        DtmfSettings& d = f.image().DtmfSettings;
        d.PttIdBot.Code.assign(std::string("12  \0xyz", 8));
        d.PttIdBot.Length = 4;
        Memory(f.image(), 9).Code.assign("4567");
        Memory(f.image(), 9).Length = 2;
        auto* w = f.open<DtmfEditor>(zav::kDtmfEditorName);
        QCOMPARE(w->memoryBox(9)->text(), QString("45"));
        QCOMPARE(int(Memory(f.image(), 9).Length), 2);
        QCOMPARE(Memory(f.image(), 9).Code.raw(), "45" + std::string(14, ' '));
        QCOMPARE(int(d.PttIdBot.Length), 2);
        QCOMPARE(d.PttIdBot.Code.raw(), "12" + std::string(14, ' '));
    }

    void codeBoxShowsOnlyWhatItAccepts_data()
    {
        QTest::addColumn<std::string>("stored");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<std::string>("kept");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("code");
        QTest::newRow("NULs after the digits") << std::string("12\0\0", 4) << 4 << "12" << std::string("12") << "34"
                                               << "1234";
        QTest::newRow("only spaces") << std::string("   ") << 3 << "" << std::string() << "56" << "56";
        QTest::newRow("a space inside") << std::string("1 2") << 3 << "12" << std::string("1 2") << "3" << "123";
        QTest::newRow("small letters") << std::string("ab") << 2 << "AB" << std::string("ab") << "c" << "ABC";
        QTest::newRow("letters it refuses") << std::string("1x9") << 3 << "19" << std::string("1x9") << "#"
                                            << "19#";
    }
    void codeBoxShowsOnlyWhatItAccepts()
    {
        QFETCH(std::string, stored);
        QFETCH(int, length);
        QFETCH(QString, shown);
        QFETCH(std::string, kept);
        QFETCH(QString, typed);
        QFETCH(QString, code);
        test::FeatureFixture f;
        Memory(f.image(), 8).Code.assign(stored);
        Memory(f.image(), 8).Length = static_cast<Int16>(length);
        auto* w = f.open<DtmfEditor>(zav::kDtmfEditorName);
        QLineEdit* box = w->memoryBox(8);
        QCOMPARE(box->text(), shown);
        // Opening stores the code back as it always has; only the box differs.
        QCOMPARE(int(Memory(f.image(), 8).Length), int(kept.size()));
        QCOMPARE(Memory(f.image(), 8).Code.raw(), kept + std::string(16 - kept.size(), ' '));
        QTest::keyClicks(box, typed);
        QCOMPARE(box->text(), code);
        QCOMPARE(int(Memory(f.image(), 8).Length), int(code.size()));
        QCOMPARE(QString::fromStdString(Memory(f.image(), 8).Code.raw()), code.leftJustified(16, ' '));
    }

    void memoryOfSpacesEmptiedOnOpeningClearsReferences()
    {
        test::FeatureFixture f;
        Memory(f.image(), 4).Code.assign("   ");
        Memory(f.image(), 4).Length = 3;
        f.image().OptFeat.callCode() = 4;
        auto* w = f.open<DtmfEditor>(zav::kDtmfEditorName);
        QVERIFY(w->memoryBox(4)->text().isEmpty());
        QCOMPARE(int(Memory(f.image(), 4).Length), 0);
        QCOMPARE(int(f.image().OptFeat.callCode()), 0);
    }
};

QTEST_MAIN(TestDtmfEditor)
#include "test_dtmf_editor.moc"
