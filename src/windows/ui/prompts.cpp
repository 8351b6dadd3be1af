#include "prompts.h"

#include <QDialog>
#include <QFileDialog>
#include <QAbstractButton>
#include <QGridLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSpacerItem>
#include <QTreeView>

#include <algorithm>
#include <utility>

namespace zav::ui {
namespace {

// Room the title bar needs beside the title: the window icon and the
// minimise, maximise and close buttons.
constexpr int kTitleBarExtras = 128;

QMessageBox::StandardButton standardButton(Answer answer)
{
    switch (answer) {
    case Answer::Ok: return QMessageBox::Ok;
    case Answer::Cancel: return QMessageBox::Cancel;
    case Answer::Yes: return QMessageBox::Yes;
    case Answer::No: return QMessageBox::No;
    case Answer::Retry: return QMessageBox::Retry;
    }
    return QMessageBox::NoButton;
}

// A box is as wide as its text; a short text would leave too little room
// for the title, which the title bar then cuts short.
void makeRoomForTitle(QMessageBox& box, const QString& title)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    QFont titleFont = box.font();
    titleFont.setBold(true); // title bars often use a bold face
    const int wanted = QFontMetrics(titleFont).horizontalAdvance(title) + kTitleBarExtras;
    grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

// Qt's own file dialog sizes its size, type and date columns for short
// English texts, so longer captions and dates (Chinese ones) are cut.
// Those columns follow their contents, and the dialog is wide enough to
// leave the name column room beside them.
void fitFileColumns(QFileDialog& dialog)
{
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!view)
        return; // the system's own dialog
    QHeaderView* header = view->header();
    for (int column = 1; column < header->count(); ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    // The side bar, a name of 40 characters, and size, type and a date
    // with seconds ("10 Dec 2026 22:07:37") beside it.
    constexpr int kSideBarCharacters = 20;
    constexpr int kNameColumnCharacters = 40;
    constexpr int kOtherColumnsCharacters = 60;
    const int wanted = dialog.fontMetrics().averageCharWidth() *
                       (kSideBarCharacters + kNameColumnCharacters + kOtherColumnsCharacters);
    dialog.resize(std::max(dialog.sizeHint().width(), wanted), dialog.sizeHint().height());
}

// What QFileDialog::getOpenFileName and getSaveFileName do (the folder or
// file of path preselected), with the columns fitted.
QString runFileDialog(QWidget* parent, const QString& caption, const QString& path, const QString& filter,
                      QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, caption, path, qtFilter(filter));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    fitFileColumns(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

class QtPrompter : public Prompter {
public:
    Answer ask(QWidget* parent, const QString& title, const QString& text, Buttons buttons, Icon icon,
               std::optional<Answer> defaultAnswer) override
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
        if (defaultAnswer)
            box.setDefaultButton(standardButton(*defaultAnswer));
        makeRoomForTitle(box, title);
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
        return runFileDialog(parent, caption, dir, filter, QFileDialog::AcceptOpen);
    }
    QString saveFile(QWidget* parent, const QString& caption, const QString& path, const QString& filter) override
    {
        return runFileDialog(parent, caption, path, filter, QFileDialog::AcceptSave);
    }
    int exec(QDialog& dialog) override { return dialog.exec(); }
};

QtPrompter& realPrompter()
{
    static QtPrompter real;
    return real;
}

// The one hook tests use to answer boxes; the program never changes it.
Prompter* installedPrompter = nullptr;
QString boxTitle;
ButtonTexts boxButtons;

Answer defaultAnswer(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::YesNo: return Answer::No;
    default: return Answer::Cancel;
    }
}

} // namespace

Prompter& currentPrompter() { return installedPrompter ? *installedPrompter : realPrompter(); }
void setPrompter(Prompter* prompter) { installedPrompter = prompter; }
void setMessageTitle(const QString& title) { boxTitle = title; }
QString messageTitle() { return boxTitle; }
void setButtonTexts(const ButtonTexts& texts) { boxButtons = texts; }
const ButtonTexts& currentButtonTexts() { return boxButtons; }

Answer ask(QWidget* parent, const QString& text, Buttons buttons, Icon icon, std::optional<Answer> defaultAnswer)
{
    return currentPrompter().ask(parent, boxTitle, text, buttons, icon, defaultAnswer);
}

void inform(QWidget* parent, const QString& text, Icon icon)
{
    currentPrompter().ask(parent, boxTitle, text, Buttons::Ok, icon, std::nullopt);
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

QString dialogTitle(const QString& menuCaption)
{
    static const QRegularExpression shortcut(QStringLiteral("\\(&.\\)"));
    QString title = menuCaption;
    title.remove(shortcut).remove('&');
    title = title.trimmed();
    while (title.endsWith('.') || title.endsWith(QChar(0x2026)))
        title.chop(1);
    return title.trimmed();
}

QString qtFilter(const QString& filter)
{
    const auto bar = filter.indexOf('|');
    return bar < 0 ? filter : filter.left(bar);
}

Answer ScriptedPrompter::ask(QWidget*, const QString& title, const QString& text, Buttons buttons, Icon icon,
                             std::optional<Answer> chosenDefault)
{
    asked.push_back({title, text, buttons, icon, chosenDefault});
    if (answers.empty())
        return chosenDefault ? *chosenDefault : defaultAnswer(buttons);
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
