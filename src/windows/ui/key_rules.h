#pragma once

// Keyboard rules shared by the editors' text boxes and lists: Enter moves
// the focus on; text boxes refuse Ctrl+X/C/V and characters above code 127,
// and may accept only some printable characters (optionally changed, e.g.
// to upper case).

#include <QObject>

#include <functional>

class QWidget;

namespace zav::ui {

class KeyRules : public QObject {
    Q_OBJECT
public:
    /// Returns the character to insert, or QChar() to refuse it.
    using CharRule = std::function<QChar(QChar)>;

    /// Enter moves the focus to the next control (lists, check boxes).
    static KeyRules* enterMovesFocusOn(QWidget* control);
    /// Text box rules: clipboard keys and codes above 127 are refused; each
    /// printable character goes through rule (nullptr accepts every one).
    /// With enterMovesOn, Enter moves the focus to the next control.
    static KeyRules* filterTextBox(QWidget* box, CharRule rule = nullptr, bool enterMovesOn = true);

    /// Called on Enter instead of moving on, when set.
    std::function<void()> onEnter;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyRules(QWidget* control, CharRule rule, bool textBox, bool enterMovesOn);
    CharRule rule_;
    bool textBox_;
    bool enterMovesOn_;
};

/// Rules used by several editors.
QChar acceptDigitsAndDot(QChar c);
QChar acceptLettersAndDigits(QChar c);

} // namespace zav::ui
