#pragma once

// Password dialog: the radio's programming password (at most 4
// characters, masked), held for the run and offered again each time.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zav::ui {
struct AppContext;
}

namespace zav {

inline constexpr int kPasswordLength = 4;

class PasswordDialog : public QDialog {
    Q_OBJECT
public:
    explicit PasswordDialog(ui::AppContext& ctx, QWidget* parent = nullptr);

    QLabel* promptLabel = nullptr;
    QLineEdit* passwordBox = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

private:
    void storePassword();

    ui::AppContext& ctx_;
};

} // namespace zav
