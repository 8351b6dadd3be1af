#include "key_rules.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace zav::ui {

KeyRules::KeyRules(QWidget* control, CharRule rule, bool textBox, bool enterMovesOn)
    : QObject(control), rule_(std::move(rule)), textBox_(textBox), enterMovesOn_(enterMovesOn)
{
    control->installEventFilter(this);
    if (textBox)
        control->setContextMenuPolicy(Qt::NoContextMenu);
}

KeyRules* KeyRules::enterMovesFocusOn(QWidget* control) { return new KeyRules(control, nullptr, false, true); }

KeyRules* KeyRules::filterTextBox(QWidget* box, CharRule rule, bool enterMovesOn)
{
    return new KeyRules(box, std::move(rule), true, enterMovesOn);
}

bool KeyRules::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (onEnter) {
            onEnter();
            return true;
        }
        if (enterMovesOn_ && widget) {
            // focusNextChild is protected; a Tab key press does the same.
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QApplication::sendEvent(widget, &tab);
            return true;
        }
        return false;
    }
    if (!textBox_)
        return false;
    if (key->modifiers() & Qt::ControlModifier) {
        if (key->key() == Qt::Key_X || key->key() == Qt::Key_C || key->key() == Qt::Key_V)
            return true;
        return false;
    }
    if (key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Copy))
        return true;
    const QString text = key->text();
    if (text.isEmpty())
        return false;
    const QChar c = text.at(0);
    if (c.unicode() < 32 || c.unicode() == 127)
        return false; // control keys such as Backspace pass
    if (c.unicode() > 127)
        return true;
    if (!rule_)
        return false;
    const QChar out = rule_(c);
    if (out.isNull())
        return true;
    if (out != c) {
        if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
            edit->insert(QString(out));
            return true;
        }
    }
    return false;
}

QChar acceptDigitsAndDot(QChar c) { return (c.isDigit() || c == '.') ? c : QChar(); }

QChar acceptLettersAndDigits(QChar c)
{
    const char16_t u = c.unicode();
    const bool ok = (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
    return ok ? c : QChar();
}

} // namespace zav::ui
