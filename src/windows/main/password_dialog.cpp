#include "password_dialog.h"

#include "app_context.h"
#include "ok_cancel.h"
#include "fixed_text.h"
#include "key_rules.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zav {

PasswordDialog::PasswordDialog(ui::AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName("FrmPassWord");
    ctx.session.passwordAnswered = false;
    setWindowTitle(ctx.text(23100));

    Label1 = new QLabel(ctx.text(23101), this);
    Text1 = new QLineEdit(this);
    Text1->setObjectName("Text1");
    Text1->setEchoMode(QLineEdit::Password);
    Text1->setMaxLength(kPasswordLength);
    ui::KeyRules::filterTextBox(Text1, nullptr, false);
    Text1->setText(ui::FromBytes(ctx.session.radioPassword));


    auto* row = new QHBoxLayout;
    row->setSpacing(4); // the label sits 50 twips (about 3 px) left of the box
    row->addWidget(Label1);
    row->addWidget(Text1, 1);
    auto* buttons = ui::OkCancelRow(this, ctx, CommandOK, CommandCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    setMinimumWidth(300);

    connect(CommandOK, &QPushButton::clicked, this, &PasswordDialog::CommandOK_Click);
    ctx.session.passwordAnswered = true;
}

void PasswordDialog::CommandOK_Click()
{
    ctx_.session.radioPassword = cleanText(ui::ToBytes(Text1->text()));
    accept();
}

} // namespace zav
