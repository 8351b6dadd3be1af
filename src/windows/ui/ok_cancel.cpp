#include "ok_cancel.h"

#include "app_context.h"
#include "common_text_ids.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace zav::ui {

QHBoxLayout* okCancelRow(QDialog* dialog, const AppContext& ctx, QPushButton*& ok, QPushButton*& cancel)
{
    ok = new QPushButton(ctx.text(textid::kTextOkKey), dialog);
    ok->setObjectName("CommandOK");
    ok->setDefault(true);
    cancel = new QPushButton(ctx.text(textid::kTextCancelKey), dialog);
    cancel->setObjectName("CommandCancel");
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

} // namespace zav::ui
