#pragma once

// File > Open Backup...: the automatic backups, newest first, with when,
// which way (read, write, or work a crashed run left), the model, the
// device, the identity held in the file and the document it came from. The
// chosen one is opened as an untitled document.

#include "backup_store.h"

#include <QDialog>

#include <string>
#include <vector>

class QPushButton;
class QTreeWidget;

namespace zav::ui {
struct AppContext;
}

namespace zav {

class BackupListDialog : public QDialog {
    Q_OBJECT
public:
    BackupListDialog(ui::AppContext& ctx, const std::string& folder, QWidget* parent = nullptr);

    enum Column { ColumnTime, ColumnKind, ColumnModel, ColumnPort, ColumnRadio, ColumnDocument };

    [[nodiscard]] QTreeWidget* list() const { return list_; }
    [[nodiscard]] QPushButton* openButton() const { return openButton_; }
    /// The backup chosen when the dialog was accepted, "" otherwise.
    [[nodiscard]] std::string chosenPath() const;

private:
    QTreeWidget* list_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    std::vector<BackupEntry> entries_;
};

} // namespace zav
