#include "ok_cancel.h"

#include "app_context.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace zav::ui {
namespace {

// "&OK" and "&Cancel": the captions with their keyboard accelerators.
constexpr int kTextOkKey = 33401;
constexpr int kTextCancelKey = 33402;

} // namespace

QHBoxLayout* okCancelRow(QDialog* dialog, const AppContext& ctx, QPushButton*& ok, QPushButton*& cancel)
{
    ok = new QPushButton(ctx.text(kTextOkKey), dialog);
    ok->setObjectName("CommandOK");
    ok->setDefault(true);
    cancel = new QPushButton(ctx.text(kTextCancelKey), dialog);
    cancel->setObjectName("CommandCancel");
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

} // namespace zav::ui
