#include "password_dialog.h"

#include "app_context.h"
#include "ok_cancel.h"
#include "fixed_text.h"
#include "key_rules.h"
#include "window_names.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zav {
namespace {

constexpr int kTextTitle = 23100;    // "Radio Password"
constexpr int kTextPassword = 23101; // "Password:"

} // namespace

PasswordDialog::PasswordDialog(ui::AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(kPasswordDialogName);
    ctx.session.passwordAnswered = false;
    setWindowTitle(ctx.text(kTextTitle));

    promptLabel = new QLabel(ctx.text(kTextPassword), this);
    passwordBox = new QLineEdit(this);
    passwordBox->setObjectName("Text1");
    passwordBox->setEchoMode(QLineEdit::Password);
    passwordBox->setMaxLength(kPasswordLength);
    ui::KeyRules::filterTextBox(passwordBox, nullptr, false);
    passwordBox->setText(ui::fromBytes(ctx.session.radioPassword));
    // The remembered password fills the box; typing replaces it rather than
    // being refused after it.
    passwordBox->selectAll();


    auto* row = new QHBoxLayout;
    row->setSpacing(4); // the label sits 50 twips (about 3 px) left of the box
    row->addWidget(promptLabel);
    row->addWidget(passwordBox, 1);
    auto* buttons = ui::okCancelRow(this, ctx, okButton, cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    setMinimumWidth(300);

    connect(okButton, &QPushButton::clicked, this, &PasswordDialog::storePassword);
    ctx.session.passwordAnswered = true;
}

void PasswordDialog::storePassword()
{
    ctx_.session.radioPassword = cleanText(ui::toBytes(passwordBox->text()));
    accept();
}

} // namespace zav
