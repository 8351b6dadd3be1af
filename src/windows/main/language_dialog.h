#pragma once

// Language dialog: English or Chinese for the whole program. OK stores the
// choice in the settings file; the main window re-captions itself when it
// is activated again.

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace zav::ui {
struct AppContext;
}

namespace zav {

class LanguageDialog : public QDialog {
    Q_OBJECT
public:
    explicit LanguageDialog(ui::AppContext& ctx, QWidget* parent = nullptr);

    QLabel* promptLabel = nullptr;
    QComboBox* languageList = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

private:
    void applyChoice();

    ui::AppContext& ctx_;
};

} // namespace zav
