#pragma once

// About box: title, version, description, notice and a picture, the
// program's own version and a link to the manual.

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
    QLabel* programVersionLabel = nullptr;
    QLabel* manualLink = nullptr;
    QPushButton* okButton = nullptr;

signals:
    /// The manual's link was clicked.
    void manualRequested();
};

} // namespace zav
