#include "key_rules.h"

#include "gbk_qt.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>

namespace zav::ui {

KeyRules::KeyRules(QWidget* control, CharRule rule, bool textBox, bool enterMovesOn)
    : QObject(control), rule_(std::move(rule)), textBox_(textBox), enterMovesOn_(enterMovesOn)
{
    control->installEventFilter(this);
    if (textBox) {
        // No menu with Paste in it, and nothing to drop text on.
        control->setContextMenuPolicy(Qt::NoContextMenu);
        control->setAcceptDrops(false);
    }
}

KeyRules* KeyRules::enterMovesFocusOn(QWidget* control) { return new KeyRules(control, nullptr, false, true); }

KeyRules* KeyRules::filterTextBox(QWidget* box, CharRule rule, bool enterMovesOn)
{
    return new KeyRules(box, std::move(rule), true, enterMovesOn);
}

KeyRules* KeyRules::of(const QWidget* box)
{
    if (!box)
        return nullptr;
    for (KeyRules* rules : box->findChildren<KeyRules*>(QString(), Qt::FindDirectChildrenOnly))
        if (rules->textBox_)
            return rules;
    return nullptr;
}

QChar KeyRules::acceptedCharacter(QChar c) const
{
    const char16_t u = c.unicode();
    if (u < 32 || u == 127)
        return {};
    if (u > 127 && (gbkBytes_ == 0 || gbkLength(QString(c)) < 0))
        return {};
    return rule_ ? rule_(c) : c;
}

QString KeyRules::acceptedText(const QString& text) const
{
    QString accepted;
    for (QChar c : text) {
        if (c.isNull())
            break;
        // A box of GBK text shows stored bytes that are not GBK as U+FFFD.
        if (gbkBytes_ > 0 && c == QChar::ReplacementCharacter) {
            accepted += c;
            continue;
        }
        const QChar kept = acceptedCharacter(c);
        if (!kept.isNull())
            accepted += kept;
    }
    return accepted;
}

void KeyRules::showStoredText(QLineEdit* box, const QString& text)
{
    const KeyRules* rules = of(box);
    box->setText(rules ? rules->acceptedText(text) : text);
}

bool KeyRules::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        return filterKey(watched, static_cast<QKeyEvent*>(event));
    case QEvent::InputMethod:
        return textBox_ && filterInputMethod(watched, static_cast<QInputMethodEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        // The middle button pastes the selection clipboard.
        return textBox_ && static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        if (!textBox_)
            break;
        event->ignore();
        return true;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool KeyRules::filterKey(QObject* watched, QKeyEvent* key)
{
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
    // A box that is switched off takes no keys; Qt drops them after this.
    if (!textBox_ || (widget && !widget->isEnabled()))
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
    const QChar out = acceptedCharacter(c);
    if (out.isNull())
        return true;
    if (gbkBytes_ > 0 && gbkLength(editedText(keptText(watched) + out)) > gbkBytes_)
        return true;
    if (out != c) {
        if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
            edit->insert(QString(out));
            return true;
        }
    }
    return false;
}

bool KeyRules::filterInputMethod(QObject* watched, QInputMethodEvent* input)
{
    // Text an input method commits counts as typed, character by character.
    const QString committed = input->commitString();
    const QString before = gbkBytes_ > 0 ? keptText(watched) : QString();
    QString accepted;
    for (QChar c : committed) {
        const QChar kept = acceptedCharacter(c);
        if (kept.isNull())
            continue;
        if (gbkBytes_ > 0 && gbkLength(editedText(before + accepted + kept)) > gbkBytes_)
            continue;
        accepted += kept;
    }
    if (accepted == committed)
        return false;
    QInputMethodEvent filtered(input->preeditString(), input->attributes());
    filtered.setCommitString(accepted, input->replacementStart(), input->replacementLength());
    QApplication::sendEvent(watched, &filtered); // passes this filter unchanged
    return true;
}

QString KeyRules::keptText(QObject* box)
{
    const auto* edit = qobject_cast<QLineEdit*>(box);
    if (!edit)
        return {};
    QString text = edit->text();
    if (edit->hasSelectedText())
        text.remove(edit->selectionStart(), edit->selectedText().size());
    return text;
}

QChar acceptDigitsAndDot(QChar c) { return (c.isDigit() || c == '.') ? c : QChar(); }

QChar acceptLettersAndDigits(QChar c)
{
    const char16_t u = c.unicode();
    const bool ok = (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
    return ok ? c : QChar();
}

} // namespace zav::ui
