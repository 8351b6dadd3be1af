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

    Label1 = new QLabel(ctx.text(23001), this);
    Combo1 = new QComboBox(this);
    Combo1->setObjectName("Combo1");
    Combo1->addItems({ctx.text(23002), ctx.text(23003)});
    Combo1->setCurrentIndex(ctx.session.settings.language - 1); // -1 (none) for other values
    ui::KeyRules::enterMovesFocusOn(Combo1);


    auto* row = new QHBoxLayout;
    row->addWidget(Label1);
    row->addWidget(Combo1, 1);
    auto* buttons = ui::OkCancelRow(this, ctx, CommandOK, CommandCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    setMinimumWidth(320);

    connect(CommandOK, &QPushButton::clicked, this, &LanguageDialog::CommandOK_Click);
}

void LanguageDialog::CommandOK_Click()
{
    RunSettings& settings = ctx_.session.settings;
    const int chosen = Combo1->currentIndex() + 1;
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
