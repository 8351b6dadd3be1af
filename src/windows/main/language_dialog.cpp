#include "language_dialog.h"

#include "app_context.h"
#include "ok_cancel.h"
#include "key_rules.h"
#include "startup.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zav {

LanguageDialog::LanguageDialog(ui::AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName("FrmSetLanguage");
    setWindowTitle(ctx.text(23000));

    promptLabel = new QLabel(ctx.text(23001), this);
    languageList = new QComboBox(this);
    languageList->setObjectName("Combo1");
    languageList->addItems({ctx.text(23002), ctx.text(23003)});
    languageList->setCurrentIndex(ctx.session.settings.language - 1); // -1 (none) for other values
    ui::KeyRules::enterMovesFocusOn(languageList);


    auto* row = new QHBoxLayout;
    row->addWidget(promptLabel);
    row->addWidget(languageList, 1);
    auto* buttons = ui::okCancelRow(this, ctx, okButton, cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    setMinimumWidth(320);

    connect(okButton, &QPushButton::clicked, this, &LanguageDialog::applyChoice);
}

void LanguageDialog::applyChoice()
{
    RunSettings& settings = ctx_.session.settings;
    const int chosen = languageList->currentIndex() + 1;
    if (chosen >= kEnglish && chosen != settings.language) {
        settings.language = chosen;
        settings.languageFile = languageFileFor(chosen);
        ctx_.session.applyLanguageFile();
    }
    // Written even when nothing changed, so the file holds the language in use.
    storeLanguage(ctx_.session);
    accept();
}

} // namespace zav
