#pragma once

// The one way windows ask the user something: message boxes, file dialogs
// and modal dialogs all go through the current Prompter. The program uses
// the real Qt boxes; tests install a ScriptedPrompter that answers from a
// script and records what was asked, so no test ever blocks on a modal box.

#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

class QDialog;
class QWidget;

namespace zav::ui {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Icon { None, Information, Warning, Question, Critical };
enum class Answer { Ok, Cancel, Yes, No, Retry };

class Prompter {
public:
    virtual ~Prompter() = default;
    /// defaultAnswer: the button Enter presses (nullopt leaves Qt's choice).
    virtual Answer ask(QWidget* parent, const QString& title, const QString& text, Buttons buttons, Icon icon,
                       std::optional<Answer> defaultAnswer) = 0;
    /// "" when cancelled.
    virtual QString openFile(QWidget* parent, const QString& caption, const QString& dir, const QString& filter) = 0;
    virtual QString saveFile(QWidget* parent, const QString& caption, const QString& path, const QString& filter) = 0;
    /// Runs a modal dialog; returns QDialog::Accepted or Rejected.
    virtual int exec(QDialog& dialog) = 0;
};

/// The Prompter in use (the real one unless a test installed another).
Prompter& currentPrompter();
/// Installs a prompter (nullptr restores the real one). Not owned.
void setPrompter(Prompter* prompter);
/// Caption of message boxes (the application title, text 12000).
void setMessageTitle(const QString& title);
QString messageTitle();

/// Captions of the message boxes' buttons in the language in use (an empty
/// caption keeps Qt's own).
struct ButtonTexts {
    QString ok, cancel, yes, no, retry;
};
void setButtonTexts(const ButtonTexts& texts);
[[nodiscard]] const ButtonTexts& currentButtonTexts();

/// Shorthands through the current prompter, titled with messageTitle().
Answer ask(QWidget* parent, const QString& text, Buttons buttons, Icon icon,
           std::optional<Answer> defaultAnswer = std::nullopt);
void inform(QWidget* parent, const QString& text, Icon icon = Icon::None);
QString getOpenFile(QWidget* parent, const QString& caption, const QString& dir, const QString& filter);
QString getSaveFile(QWidget* parent, const QString& caption, const QString& path, const QString& filter);
int execDialog(QDialog& dialog);

/// A menu caption as a dialog title: without its shortcut mark ("&A" or
/// "(&A)") and the dots that say a dialog follows.
QString dialogTitle(const QString& menuCaption);

/// Turns a language-file filter "Name (*.dat)|*.dat" into Qt's "Name (*.dat)".
QString qtFilter(const QString& filter);

/// Answers from a script and records every question. Unscripted questions
/// get the box's default (the one the caller chose, else Cancel where there
/// is one, else No for Yes/No, else the first button)
/// and are recorded too, so a test sees them.
class ScriptedPrompter : public Prompter {
public:
    struct Asked {
        QString title;
        QString text;
        Buttons buttons;
        Icon icon;
        std::optional<Answer> defaultAnswer; ///< the button Enter presses, when the caller chose one
    };

    std::vector<Asked> asked;
    std::deque<Answer> answers;
    std::deque<QString> files;          ///< answers for open/save dialogs ("" = cancel)
    std::vector<QString> fileCaptions;  ///< captions/presets the file dialogs were shown with
    /// Modal dialogs: called with the dialog; returns the dialog result.
    std::deque<std::function<int(QDialog&)>> dialogs;
    std::vector<QString> dialogNames;   ///< objectName of every dialog run

    Answer ask(QWidget* parent, const QString& title, const QString& text, Buttons buttons, Icon icon,
               std::optional<Answer> defaultAnswer) override;
    QString openFile(QWidget* parent, const QString& caption, const QString& dir, const QString& filter) override;
    QString saveFile(QWidget* parent, const QString& caption, const QString& path, const QString& filter) override;
    int exec(QDialog& dialog) override;

    /// Texts of the questions asked so far.
    [[nodiscard]] QStringList texts() const;
};

/// Installs a prompter for the lifetime of a scope (tests).
class ScopedPrompter {
public:
    explicit ScopedPrompter(Prompter& p) { setPrompter(&p); }
    ~ScopedPrompter() { setPrompter(nullptr); }
    ScopedPrompter(const ScopedPrompter&) = delete;
    ScopedPrompter& operator=(const ScopedPrompter&) = delete;
};

} // namespace zav::ui
