#include "transfer_options_dialog.h"

#include "app_context.h"
#include "backup_store.h"
#include "ok_cancel.h"
#include "user_folders.h"
#include "window_names.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace zav {
namespace {

constexpr int kTextTitle = 32220;
constexpr int kTextKeepBackups = 32221;
constexpr int kTextDays = 32222;
constexpr int kTextVerifyAfterWrite = 32224;
constexpr int kTextBackupBeforeWrite = 34280;
constexpr int kTextKeptNewest = 33504; ///< %1 how many
constexpr int kTextFolder = 33505;
/// The box grows with the path up to this many characters; a longer path
/// scrolls in it.
constexpr int kFolderBoxMaxCharacters = 100;

} // namespace

TransferOptionsDialog::TransferOptionsDialog(ui::AppContext& ctx, const TransferOptions& options, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(kTransferOptionsName);
    setWindowTitle(ctx.text(kTextTitle));

    keepBackups_ = new QCheckBox(ctx.text(kTextKeepBackups), this);
    keepBackups_->setObjectName("chkKeepBackups");
    keepBackups_->setChecked(options.keepBackups);
    days_ = new QSpinBox(this);
    days_->setObjectName("txtBackupDays");
    days_->setRange(1, 3650);
    days_->setValue(options.backupDays);
    days_->setEnabled(options.keepBackups);
    connect(keepBackups_, &QCheckBox::toggled, days_, &QWidget::setEnabled);

    verify_ = new QCheckBox(ctx.text(kTextVerifyAfterWrite), this);
    verify_->setObjectName("chkVerifyAfterWrite");
    verify_->setChecked(options.verifyAfterWrite);
    backupBefore_ = new QCheckBox(ctx.text(kTextBackupBeforeWrite), this);
    backupBefore_->setObjectName("chkBackupBeforeWrite");
    backupBefore_->setChecked(options.backupBeforeWrite);

    auto* note = new QLabel(ctx.text(kTextKeptNewest).arg(kBackupsAlwaysKept), this);
    note->setWordWrap(true);
    // The path is shown whole: a label would wrap it anywhere; the box keeps
    // it on one line, selectable, with the whole path in its tooltip.
    const QString folder = QString::fromStdString(backupFolder());
    auto* folderBox = new QLineEdit(folder, this);
    folderBox->setObjectName("txtBackupFolder");
    folderBox->setReadOnly(true);
    folderBox->setToolTip(folder);
    folderBox->setCursorPosition(0);
    const QFontMetrics metrics = folderBox->fontMetrics();
    folderBox->setMinimumWidth(std::min(metrics.horizontalAdvance(folder) + 2 * metrics.averageCharWidth(),
                                        metrics.averageCharWidth() * kFolderBoxMaxCharacters));

    auto* form = new QFormLayout;
    form->addRow(keepBackups_);
    form->addRow(ctx.text(kTextDays), days_);
    form->addRow(ctx.text(kTextFolder), folderBox);
    QHBoxLayout* buttons = ui::okCancelRow(this, ctx, okButton_, cancelButton_);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(verify_);
    layout->addWidget(backupBefore_);
    layout->addLayout(buttons);
}

TransferOptions TransferOptionsDialog::options() const
{
    TransferOptions o;
    o.keepBackups = keepBackups_->isChecked();
    o.backupDays = days_->value();
    o.verifyAfterWrite = verify_->isChecked();
    o.backupBeforeWrite = backupBefore_->isChecked();
    return o;
}

} // namespace zav
