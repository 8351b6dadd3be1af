// What every feature editor shares: its Close button closes the child
// window that holds it, and its edits survive saving and opening the file.

#include "feature_fixture.h"
#include "window_names.h"
#include "dtmf_editor.h"
#include "embedded_message_editor.h"
#include "optional_features_editor.h"
#include "radio_info_window.h"
#include "tone_tips_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <functional>

using namespace zav;
using namespace zav::features;

namespace {

/// Opens the window as the main window does and returns it.
using WindowOpener = std::function<QWidget*(test::FeatureFixture&)>;
/// Edits the open window through its widgets.
using Edit = std::function<void(test::FeatureFixture&, QWidget*)>;
/// Whether the edit reached the image (so that a round trip proves something).
using EditCheck = std::function<bool(const RadioImage&)>;

template <class Window>
WindowOpener opener(const QString& name)
{
    return [name](test::FeatureFixture& f) -> QWidget* { return f.open<Window>(name); };
}

WindowOpener radioInfoOpener()
{
    return [](test::FeatureFixture& f) {
        return ui::showEditor(&f.area, zav::kRadioInfoName, [&f] { return new RadioInfoWindow(f.ctx, link::RadioInfo{}); });
    };
}

} // namespace

Q_DECLARE_METATYPE(WindowOpener)
Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(EditCheck)

class TestFeatureEditorsCommon : public QObject {
    Q_OBJECT

private slots:
    void closeButtonClosesTheChildWindow_data()
    {
        QTest::addColumn<WindowOpener>("open");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("titleId");
        QTest::newRow("optional features") << opener<OptionalFeaturesEditor>(zav::kOptionalFeaturesName) << zav::kOptionalFeaturesName
                                           << 16000;
        QTest::newRow("DTMF") << opener<DtmfEditor>(zav::kDtmfEditorName) << zav::kDtmfEditorName << 18000;
        QTest::newRow("embedded message") << opener<EmbeddedMessageEditor>(zav::kEmbeddedMessageName) << zav::kEmbeddedMessageName << 20000;
        QTest::newRow("radio information") << radioInfoOpener() << zav::kRadioInfoName << 21000;
        QTest::newRow("tone tips") << opener<ToneTipsEditor>(zav::kToneTipsName) << zav::kToneTipsName << 29000;
    }
    void closeButtonClosesTheChildWindow()
    {
        QFETCH(WindowOpener, open);
        QFETCH(QString, name);
        QFETCH(int, titleId);
        test::FeatureFixture f;
        f.area.show();
        QWidget* w = open(f);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), f.ctx.text(titleId));
        QCOMPARE(f.area.subWindowList().size(), 1);
        auto* close = w->findChild<QPushButton*>("CommandClose");
        QVERIFY(close);
        QCOMPARE(close->text(), f.ctx.text(9023));
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!ui::findWindow(&f.area, name));
        // No empty child window is left behind for the Window menu to list.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(f.area.subWindowList().isEmpty());
    }

    void editsSurviveSaveAndOpen_data()
    {
        QTest::addColumn<WindowOpener>("open");
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<EditCheck>("edited");
        QTest::newRow("optional features")
            << opener<OptionalFeaturesEditor>(zav::kOptionalFeaturesName) << Edit([](test::FeatureFixture&, QWidget* window) {
                   auto* w = qobject_cast<OptionalFeaturesEditor*>(window);
                   w->checkBox(OptionalFeature::CommonData)->setChecked(true);
                   w->list(OptionalFeature::TotTime)->setCurrentIndex(8);
                   w->list(OptionalFeature::BacklightColour)->setCurrentIndex(5);
                   w->list(OptionalFeature::DecodeTone)->setCurrentIndex(200);
                   w->checkBox(OptionalFeature::Attenuator)->setChecked(true);
                   QTest::keyClicks(w->powerOnBox(10), "Q");
               })
            << EditCheck([](const RadioImage& image) {
                   return image.OptFeat.Common1[common1::TotTime] == 120 && image.OptFeat.PowerOnText.raw()[10] == 'Q';
               });
        QTest::newRow("DTMF") << opener<DtmfEditor>(zav::kDtmfEditorName) << Edit([](test::FeatureFixture&, QWidget* window) {
            auto* w = qobject_cast<DtmfEditor*>(window);
            w->digitRateList()->setCurrentIndex(4);
            w->pttIdPauseList()->setCurrentIndex(3);
            QTest::keyClicks(w->memoryBox(16), "*1#d");
            w->idCodeBox()->setText("98765");
            w->commitPendingEdit();
        }) << EditCheck([](const RadioImage& image) {
            return image.DtmfSettings.CodeMemories[15].Length == 4 && image.OptFeat.Common1[common1::PttIdPause] == 3 &&
                   image.DtmfSettings.IdCodeLength == 5;
        });
        QTest::newRow("embedded message")
            << opener<EmbeddedMessageEditor>(zav::kEmbeddedMessageName) << Edit([](test::FeatureFixture&, QWidget* window) {
                   auto* w = qobject_cast<EmbeddedMessageEditor*>(window);
                   QTest::keyClicks(w->lineBox(1), "CALL ME");
                   QTest::keyClicks(w->lineBox(4), "ABCDEFGHIJKLMNOP");
               })
            << EditCheck([](const RadioImage& image) {
                   return image.EmbeddedMessage[3].raw() == "ABCDEFGHIJKLMNOP" &&
                          image.EmbeddedMessage[0].clean() == "CALL ME";
               });
        QTest::newRow("tone tips") << opener<ToneTipsEditor>(zav::kToneTipsName)
                                   << Edit([](test::FeatureFixture&, QWidget* window) {
                                          auto* w = qobject_cast<ToneTipsEditor*>(window);
                                          w->tabs()->setCurrentIndex(7);
                                          w->repeatList()->setCurrentIndex(2);
                                          w->intervalList()->setCurrentIndex(30);
                                          w->frequencyList(9)->setCurrentIndex(100);
                                          w->lengthList(9)->setCurrentIndex(12);
                                      })
                                   << EditCheck([](const RadioImage& image) {
                                          return image.ToneTips[7].noteFrequency(9) == 139 &&
                                                 image.ToneTips[7].tipInterval() == 30;
                                      });
    }
    void editsSurviveSaveAndOpen()
    {
        QFETCH(WindowOpener, open);
        QFETCH(Edit, edit);
        QFETCH(EditCheck, edited);
        test::FeatureFixture f;
        edit(f, open(f));
        QVERIFY(edited(f.image()));
        auto reopened = f.saveAndReopen();
        QVERIFY(reopened);
        QVERIFY(reopened->image() == f.image());
    }
};

QTEST_MAIN(TestFeatureEditorsCommon)
#include "test_feature_editors_common.moc"
