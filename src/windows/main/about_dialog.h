#pragma once

// About box: title, version, description, notice and a picture.

#include <QDialog>

class QLabel;
class QPushButton;

namespace zav::ui {
struct AppContext;
}

namespace zav {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(ui::AppContext& ctx, QWidget* parent = nullptr);

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
};

} // namespace zav
