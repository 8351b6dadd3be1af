#include "language_dialog.h"

#include "app_context.h"
#include "key_rules.h"
#include "ok_cancel.h"
#include "startup.h"
#include "window_names.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace zav {
namespace {

constexpr int kTextTitle = 23000;       // "Language"
constexpr int kTextPrompt = 23001;      // "Select the language:"
constexpr int kTextAddLanguage = 34604; // "To add a language, put its file into %1."

/// By LanguageFileProblem: unreadable, not UTF-8, no header.
constexpr std::array<int, 3> kProblemTextIds{34600, 34601, 34602};

int problemTextId(LanguageFileProblem problem) { return kProblemTextIds[static_cast<std::size_t>(problem)]; }

} // namespace

QString skippedLanguageText(const ui::AppContext& ctx, const SkippedLanguageFile& skipped)
{
    return ctx.text(problemTextId(skipped.problem))
        .arg(QDir::toNativeSeparators(QString::fromStdString(skipped.path)));
}

LanguageDialog::LanguageDialog(ui::AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(kLanguageDialogName);
    setWindowTitle(ctx.text(kTextTitle));

    found_ = findLanguages(ctx.session.paths.languageFolders());
    promptLabel = new QLabel(ctx.text(kTextPrompt), this);
    languageList = new QComboBox(this);
    languageList->setObjectName("Combo1");
    // Each language under its own name: a user who cannot read the language
    // shown still finds theirs.
    int current = -1;
    for (const LanguageFile& language : found_.languages) {
        if (language.path == ctx.session.settings.languageFile)
            current = languageList->count();
        languageList->addItem(QString::fromStdString(language.name), QString::fromStdString(language.locale));
    }
    languageList->setCurrentIndex(current);
    ui::KeyRules::enterMovesFocusOn(languageList);

    QStringList skipped;
    for (const SkippedLanguageFile& file : found_.skipped)
        skipped << skippedLanguageText(ctx, file);
    skippedLabel = new QLabel(skipped.join(QLatin1Char('\n')), this);
    skippedLabel->setObjectName("LabelSkipped");
    skippedLabel->setWordWrap(true);
    skippedLabel->setVisible(!skipped.isEmpty());

    folderLabel = new QLabel(this);
    folderLabel->setObjectName("LabelFolder");
    folderLabel->setWordWrap(true);
    folderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const QString userFolder = QString::fromStdString(ctx.session.paths.userLanguageDir);
    folderLabel->setText(ctx.text(kTextAddLanguage).arg(QDir::toNativeSeparators(userFolder)));
    folderLabel->setVisible(!userFolder.isEmpty());

    auto* row = new QHBoxLayout;
    row->addWidget(promptLabel);
    row->addWidget(languageList, 1);
    auto* buttons = ui::okCancelRow(this, ctx, okButton, cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(skippedLabel);
    layout->addWidget(folderLabel);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    connect(okButton, &QPushButton::clicked, this, &LanguageDialog::applyChoice);
}

void LanguageDialog::applyChoice()
{
    const int chosen = languageList->currentIndex();
    if (chosen >= 0 && chosen < static_cast<int>(found_.languages.size())) {
        const LanguageFile& language = found_.languages[static_cast<std::size_t>(chosen)];
        if (language.path != ctx_.session.settings.languageFile)
            useLanguage(ctx_.session, language);
    }
    // Written even when nothing changed, so the file holds the language in use.
    storeLanguage(ctx_.session);
    accept();
}

} // namespace zav
