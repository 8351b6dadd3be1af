#include "prompts.h"

#include <QDialog>
#include <QFileDialog>
#include <QAbstractButton>
#include <QMessageBox>

#include <utility>

namespace zav::ui {
namespace {

class QtPrompter : public Prompter {
public:
    Answer ask(QWidget* parent, const QString& title, const QString& text, Buttons buttons, Icon icon) override
    {
        QMessageBox box(parent);
        box.setWindowTitle(title);
        box.setText(text);
        switch (icon) {
        case Icon::Information: box.setIcon(QMessageBox::Information); break;
        case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
        case Icon::Question: box.setIcon(QMessageBox::Question); break;
        case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
        case Icon::None: break;
        }
        switch (buttons) {
        case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case Buttons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        case Buttons::RetryCancel: box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel); break;
        }
        const ButtonTexts& captions = currentButtonTexts();
        const std::pair<QMessageBox::StandardButton, const QString*> named[] = {
            {QMessageBox::Ok, &captions.ok},   {QMessageBox::Cancel, &captions.cancel},
            {QMessageBox::Yes, &captions.yes}, {QMessageBox::No, &captions.no},
            {QMessageBox::Retry, &captions.retry},
        };
        for (const auto& [which, caption] : named)
            if (QAbstractButton* button = box.button(which); button && !caption->isEmpty())
                button->setText(*caption);
        switch (box.exec()) {
        case QMessageBox::Ok: return Answer::Ok;
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        case QMessageBox::Retry: return Answer::Retry;
        default: return Answer::Cancel;
        }
    }
    QString openFile(QWidget* parent, const QString& caption, const QString& dir, const QString& filter) override
    {
        return QFileDialog::getOpenFileName(parent, caption, dir, qtFilter(filter));
    }
    QString saveFile(QWidget* parent, const QString& caption, const QString& path, const QString& filter) override
    {
        return QFileDialog::getSaveFileName(parent, caption, path, qtFilter(filter));
    }
    int exec(QDialog& dialog) override { return dialog.exec(); }
};

QtPrompter& realPrompter()
{
    static QtPrompter real;
    return real;
}

// The one hook tests use to answer boxes; the program never changes it.
Prompter* g_prompter = nullptr;
QString g_title;
ButtonTexts g_buttons;

Answer defaultAnswer(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::YesNo: return Answer::No;
    default: return Answer::Cancel;
    }
}

} // namespace

Prompter& currentPrompter() { return g_prompter ? *g_prompter : realPrompter(); }
void setPrompter(Prompter* prompter) { g_prompter = prompter; }
void setMessageTitle(const QString& title) { g_title = title; }
QString messageTitle() { return g_title; }
void setButtonTexts(const ButtonTexts& texts) { g_buttons = texts; }
const ButtonTexts& currentButtonTexts() { return g_buttons; }

Answer ask(QWidget* parent, const QString& text, Buttons buttons, Icon icon)
{
    return currentPrompter().ask(parent, g_title, text, buttons, icon);
}

void inform(QWidget* parent, const QString& text, Icon icon)
{
    currentPrompter().ask(parent, g_title, text, Buttons::Ok, icon);
}

QString getOpenFile(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    return currentPrompter().openFile(parent, caption, dir, filter);
}

QString getSaveFile(QWidget* parent, const QString& caption, const QString& path, const QString& filter)
{
    return currentPrompter().saveFile(parent, caption, path, filter);
}

int execDialog(QDialog& dialog) { return currentPrompter().exec(dialog); }

QString qtFilter(const QString& filter)
{
    const auto bar = filter.indexOf('|');
    return bar < 0 ? filter : filter.left(bar);
}

Answer ScriptedPrompter::ask(QWidget*, const QString& title, const QString& text, Buttons buttons, Icon icon)
{
    asked.push_back({title, text, buttons, icon});
    if (answers.empty())
        return defaultAnswer(buttons);
    Answer a = answers.front();
    answers.pop_front();
    return a;
}

QString ScriptedPrompter::openFile(QWidget*, const QString& caption, const QString& dir, const QString&)
{
    fileCaptions.push_back(caption + "|" + dir);
    if (files.empty())
        return {};
    QString f = files.front();
    files.pop_front();
    return f;
}

QString ScriptedPrompter::saveFile(QWidget*, const QString& caption, const QString& path, const QString&)
{
    fileCaptions.push_back(caption + "|" + path);
    if (files.empty())
        return {};
    QString f = files.front();
    files.pop_front();
    return f;
}

int ScriptedPrompter::exec(QDialog& dialog)
{
    dialogNames.push_back(dialog.objectName());
    if (dialogs.empty())
        return QDialog::Rejected;
    auto fn = std::move(dialogs.front());
    dialogs.pop_front();
    return fn(dialog);
}

QStringList ScriptedPrompter::texts() const
{
    QStringList out;
    for (const auto& a : asked)
        out << a.text;
    return out;
}

} // namespace zav::ui
