#pragma once

// Keyboard rules shared by the editors' text boxes and lists: Enter moves
// the focus on; text boxes refuse Ctrl+X/C/V and characters above code 127,
// and may accept only some printable characters (optionally changed, e.g.
// to upper case). A text box takes text only as typed: pastes by any route
// (keys, the middle-click selection paste) and drops are refused, and an
// input method's text goes through the same rules as typed keys.

#include <QObject>
#include <QString>

#include <functional>

class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;
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
    /// The rules of a box made by filterTextBox (nullptr for other widgets).
    [[nodiscard]] static KeyRules* of(const QWidget* box);

    /// What the box would take of text typed key by key: the characters up
    /// to the first NUL, each one its rules accept (as they change it). A
    /// box of GBK text also keeps the U+FFFD that show bytes not in GBK.
    [[nodiscard]] QString acceptedText(const QString& text) const;
    /// Puts a stored value into a box, showing only what the box would
    /// accept; a box without text-box rules shows the value unchanged.
    static void showStoredText(QLineEdit* box, const QString& text);

    /// Lets the box take every character GBK has (not only ASCII), as long
    /// as its text keeps within maxBytes GBK bytes: the size of the stored
    /// text field it edits. A character that does not fit whole is refused.
    /// U+FFFD in the box (stored bytes that are not GBK) do not count: an
    /// edited field leaves them out (see editedText).
    void allowGbkText(int maxBytes) { gbkBytes_ = maxBytes; }

    /// Called on Enter instead of moving on, when set.
    std::function<void()> onEnter;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyRules(QWidget* control, CharRule rule, bool textBox, bool enterMovesOn);
    /// The character a typed c becomes, or QChar() when it is refused.
    [[nodiscard]] QChar acceptedCharacter(QChar c) const;
    bool filterKey(QObject* watched, QKeyEvent* key);
    bool filterInputMethod(QObject* watched, QInputMethodEvent* input);
    /// The box's text without its selection, which typing replaces.
    [[nodiscard]] static QString keptText(QObject* box);

    CharRule rule_;
    bool textBox_;
    bool enterMovesOn_;
    int gbkBytes_ = 0; ///< 0: ASCII only
};

/// Rules used by several editors.
QChar acceptDigitsAndDot(QChar c);
QChar acceptLettersAndDigits(QChar c);

} // namespace zav::ui
