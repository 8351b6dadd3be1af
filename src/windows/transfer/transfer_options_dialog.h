#pragma once

// Settings > Backups...: whether every read and write leaves a backup, and
// how many days old backups are kept (the newest are always kept).

#include "transfer_options.h"

#include <QDialog>

class QCheckBox;
class QPushButton;
class QSpinBox;

namespace zav::ui {
struct AppContext;
}

namespace zav {

class TransferOptionsDialog : public QDialog {
    Q_OBJECT
public:
    TransferOptionsDialog(ui::AppContext& ctx, const TransferOptions& options, QWidget* parent = nullptr);

    [[nodiscard]] TransferOptions options() const;
    [[nodiscard]] QCheckBox* keepBackupsBox() const { return keepBackups_; }
    [[nodiscard]] QSpinBox* daysBox() const { return days_; }
    [[nodiscard]] QCheckBox* verifyBox() const { return verify_; }
    [[nodiscard]] QCheckBox* backupBeforeBox() const { return backupBefore_; }
    [[nodiscard]] QPushButton* okButton() const { return okButton_; }

private:
    QCheckBox* keepBackups_ = nullptr;
    QSpinBox* days_ = nullptr;
    QCheckBox* verify_ = nullptr;
    QCheckBox* backupBefore_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace zav
