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

    QLabel* picture = nullptr;
    QLabel* titleLabel = nullptr;
    QLabel* versionLabel = nullptr;
    QLabel* descriptionLabel = nullptr;
    QLabel* noticeLabel = nullptr;
    QPushButton* okButton = nullptr;
};

} // namespace zav
