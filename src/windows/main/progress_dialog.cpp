#include "progress_dialog.h"

#include "app_context.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

namespace zav {

ProgressDialog::ProgressDialog(ui::AppContext& ctx, int kind, QWidget* parent) : QDialog(parent)
{
    setObjectName("FrmProgress");
    setWindowTitle(ctx.text(9026 + kind));

    Label1 = new QLabel(ctx.text(9029), this);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label2 = new QLabel(this);
    Label2->setObjectName("Label2");
    // Wide enough for "100%" so the label beside it never moves.
    Label2->setMinimumWidth(Label2->fontMetrics().horizontalAdvance(QStringLiteral("100%")) + 4);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);

    auto* row = new QHBoxLayout;
    row->setSpacing(4); // Label1 stands right-aligned just before the percentage
    row->addWidget(Label1, 1);
    row->addWidget(Label2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(ProgressBar1);
    setMinimumWidth(360);
    SetPercent(0);
}

void ProgressDialog::SetPercent(int percent)
{
    percent = std::clamp(percent, 0, 100);
    ProgressBar1->setValue(percent);
    Label2->setText(QString::number(percent) + "%");
}

int ProgressDialog::percent() const { return ProgressBar1->value(); }

void ProgressDialog::Finish()
{
    finishing_ = true;
    if (isVisible())
        accept();
    else if (testAttribute(Qt::WA_DeleteOnClose))
        deleteLater();
}

void ProgressDialog::reject()
{
    // Escape and the close button come here: that is the user's Cancel. The
    // transfer ends and closes the window through Finish().
    if (!finishing_ && onCancel) {
        onCancel();
        if (finishing_)
            return;
    }
    finishing_ = true;
    QDialog::reject();
}

void ProgressDialog::closeEvent(QCloseEvent* event)
{
    if (finishing_) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    reject();
}

} // namespace zav
