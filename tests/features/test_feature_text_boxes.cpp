// Every text box of the feature editors against every way text can reach
// it other than the keyboard: pastes (Ctrl+V, Shift+Insert, the middle-click
// selection paste) and drops are refused whatever they carry; an input
// method's text counts as typed, key by key.

#include "feature_fixture.h"
#include "window_names.h"
#include "dtmf_editor.h"
#include "embedded_message_editor.h"
#include "optional_features_editor.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTabWidget>
#include <QTest>

#include <functional>
#include <memory>
#include <optional>

using namespace zav;
using features::DtmfEditor;
using features::EmbeddedMessageEditor;
using features::OptionalFeaturesEditor;

namespace {

/// Opens an editor in the fixture and returns one of its text boxes.
using BoxOpener = std::function<QLineEdit*(test::FeatureFixture&)>;

enum class Route { CtrlV, ShiftInsert, MiddleClick, Drop };

} // namespace

Q_DECLARE_METATYPE(BoxOpener)
Q_DECLARE_METATYPE(Route)

namespace {

/// The DTMF editor with the page of the ID, stun and kill codes usable (it
/// is locked in use, and a locked page takes no keys at all).
DtmfEditor* secondDtmfPage(test::FeatureFixture& f)
{
    auto* w = f.open<DtmfEditor>(zav::kDtmfEditorName);
    w->pages()->setTabEnabled(1, true);
    return w;
}

/// A row for each box; the route, when given, fills the last column.
void addBoxes(const char* tag, const QString& text, std::optional<Route> route = std::nullopt)
{
    const std::pair<const char*, BoxOpener> boxes[] = {
        {"DTMF memory 8", [](test::FeatureFixture& f) { return f.open<DtmfEditor>(zav::kDtmfEditorName)->memoryBox(8); }},
        {"DTMF ID code", [](test::FeatureFixture& f) { return secondDtmfPage(f)->idCodeBox(); }},
        {"DTMF stun code", [](test::FeatureFixture& f) { return secondDtmfPage(f)->stunCodeBox(); }},
        {"message line 2",
         [](test::FeatureFixture& f) { return f.open<EmbeddedMessageEditor>(zav::kEmbeddedMessageName)->lineBox(2); }},
        {"power-on text box 9",
         [](test::FeatureFixture& f) { return f.open<OptionalFeaturesEditor>(zav::kOptionalFeaturesName)->powerOnBox(9); }},
    };
    for (const auto& [name, opener] : boxes) {
        QTestData& row = QTest::addRow("%s, %s", tag, name) << opener << text;
        if (route)
            row << *route;
    }
}

void sendDrop(QLineEdit* box, const QString& text)
{
    QMimeData data;
    data.setText(text);
    const QPoint at = box->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &move);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &drop);
}

void commitThroughInputMethod(QLineEdit* box, const QString& text)
{
    QInputMethodEvent compose(text, {});
    QApplication::sendEvent(box, &compose);
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(box, &commit);
}

} // namespace

class TestFeatureTextBoxes : public QObject {
    Q_OBJECT

private slots:
    void pastesAndDropsRefused_data()
    {
        QTest::addColumn<BoxOpener>("openBox");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Route>("route");
        const QString text = QString("hi there %1").arg(QChar(0xE9));
        const std::pair<const char*, Route> routes[] = {{"Ctrl+V", Route::CtrlV},
                                                        {"Shift+Insert", Route::ShiftInsert},
                                                        {"middle-click", Route::MiddleClick},
                                                        {"drop", Route::Drop}};
        for (const auto& [name, route] : routes) {
            addBoxes(name, text, route);
            // Even text the box would take when typed: a paste is a paste.
            addBoxes(name, "1234", route);
        }
    }
    void pastesAndDropsRefused()
    {
        QFETCH(BoxOpener, openBox);
        QFETCH(QString, text);
        QFETCH(Route, route);
        test::FeatureFixture f;
        QLineEdit* box = openBox(f);
        QClipboard* clipboard = QApplication::clipboard();
        const bool selectionPaste = clipboard->supportsSelection();
        if (route == Route::MiddleClick && !selectionPaste)
            test::TypeText(box, "1"); // gives the cursor somewhere to move from
        const QString shown = box->text();
        const RadioImage before = f.image();
        switch (route) {
        case Route::CtrlV:
            clipboard->setText(text);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            break;
        case Route::ShiftInsert:
            clipboard->setText(text);
            QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
            break;
        case Route::MiddleClick:
            if (selectionPaste) {
                clipboard->setText(text, QClipboard::Selection);
                QTest::mouseClick(box, Qt::MiddleButton, {}, box->rect().center());
                break;
            }
            // Without a selection clipboard (as headless) nothing can be
            // pasted; the middle button must still not reach the box, where
            // it would paste and, before that, move the cursor.
            box->setCursorPosition(int(box->text().size()));
            QTest::mouseClick(box, Qt::MiddleButton, {}, QPoint(1, box->height() / 2));
            QCOMPARE(box->cursorPosition(), int(box->text().size()));
            break;
        case Route::Drop:
            sendDrop(box, text);
            break;
        }
        QCOMPARE(box->text(), shown);
        QVERIFY(f.image() == before);
    }

    void inputMethodTextCountsAsTyped_data()
    {
        QTest::addColumn<BoxOpener>("openBox");
        QTest::addColumn<QString>("text");
        addBoxes("accented", QString("hi there %1").arg(QChar(0xE9)));
        addBoxes("code characters", "1a*#d");
        addBoxes("Chinese", QString(QChar(0x4E2D)) + "7");
    }
    void inputMethodTextCountsAsTyped()
    {
        QFETCH(BoxOpener, openBox);
        QFETCH(QString, text);
        test::FeatureFixture typed;
        QLineEdit* typedBox = openBox(typed);
        test::TypeText(typedBox, text);
        test::FeatureFixture composed;
        QLineEdit* composedBox = openBox(composed);
        commitThroughInputMethod(composedBox, text);
        QCOMPARE(composedBox->text(), typedBox->text());
        QVERIFY(composed.image() == typed.image());
    }
};

QTEST_MAIN(TestFeatureTextBoxes)
#include "test_feature_text_boxes.moc"
