#include "progress_dialog.h"

#include "app_context.h"
#include "common_text_ids.h"
#include "transfer_messages.h"
#include "window_names.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zav {

ProgressDialog::ProgressDialog(ui::AppContext& ctx, link::TransferKind kind, QWidget* parent) : QDialog(parent)
{
    setObjectName(kProgressDialogName);
    setWindowTitle(ctx.text(link::progressCaptionTextId(kind)));

    captionLabel = new QLabel(ctx.text(link::kTextProgressLabel), this);
    captionLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    percentLabel = new QLabel(this);
    percentLabel->setObjectName("Label2");
    // Wide enough for "100%" so the label beside it never moves.
    percentLabel->setMinimumWidth(percentLabel->fontMetrics().horizontalAdvance(QStringLiteral("100%")) + 4);
    progressBar = new QProgressBar(this);
    progressBar->setObjectName("ProgressBar1");
    progressBar->setRange(0, 100);
    progressBar->setTextVisible(false);

    auto* row = new QHBoxLayout;
    row->setSpacing(4); // captionLabel stands right-aligned just before the percentage
    row->addWidget(captionLabel, 1);
    row->addWidget(percentLabel);
    cancelButton = new QPushButton(ctx.text(textid::kTextCancelKey), this);
    cancelButton->setObjectName("CommandCancel");
    cancelButton->setAutoDefault(false); // Enter must not stop a transfer
    connect(cancelButton, &QPushButton::clicked, this, &ProgressDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(progressBar);
    layout->addLayout(buttons);
    setMinimumWidth(360);
    setPercent(0);
}

void ProgressDialog::setPercent(int percent)
{
    percent = std::clamp(percent, 0, 100);
    progressBar->setValue(percent);
    percentLabel->setText(QString::number(percent) + "%");
}

int ProgressDialog::percent() const { return progressBar->value(); }

void ProgressDialog::finish()
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
    // transfer ends and closes the window through finish(), or carries on
    // and keeps it.
    if (!finishing_ && onCancel) {
        onCancel();
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

void ProgressDialog::showVerifying(const QString& title)
{
    setWindowTitle(title);
    setPercent(0);
}

} // namespace zav
