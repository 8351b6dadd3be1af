#include "editor_parts.h"

#include "app_context.h"
#include "common_text_ids.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>

namespace zav::features {

namespace {

class SelectOnFocus : public QObject {
public:
    explicit SelectOnFocus(QLineEdit* box) : QObject(box), box_(box) { box->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == box_ && event->type() == QEvent::FocusIn && !box_->text().isEmpty())
            // After the click that gave the focus has placed the cursor.
            QTimer::singleShot(0, box_, &QLineEdit::selectAll);
        return false;
    }

private:
    QLineEdit* box_;
};

} // namespace

QLabel* newCaptionLabel(const ui::AppContext& ctx, int id, QWidget* parent) { return new QLabel(ctx.text(id), parent); }

QPushButton* newCloseButton(const ui::AppContext& ctx, QWidget* editor)
{
    auto* button = new QPushButton(ctx.text(textid::kTextClose), editor);
    button->setObjectName("CommandClose");
    QObject::connect(button, &QPushButton::clicked, editor, [editor] { closeEditor(editor); });
    return button;
}

void closeEditor(QWidget* editor)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(editor->parentWidget()))
        sub->close();
    else
        editor->close();
}

void selectAllOnFocus(QLineEdit* box) { new SelectOnFocus(box); }

void focusNext(QWidget* from)
{
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(from, &tab);
}

} // namespace zav::features
