#pragma once

// Model dialog: the radio model and frequency band of the document. A
// change replaces the document with a new one after a warning.

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace zav::ui {
struct AppContext;
}

namespace zav {

class ModelDialog : public QDialog {
    Q_OBJECT
public:
    explicit ModelDialog(ui::AppContext& ctx, QWidget* parent = nullptr);

    /// True after OK confirmed a change: the caller builds a new document.
    [[nodiscard]] bool modelChanged() const { return changed_; }

    QLabel* modelCaption = nullptr;
    QLabel* bandCaption = nullptr;
    QComboBox* modelList = nullptr; ///< models
    QComboBox* bandList = nullptr; ///< bands of the shown model
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

private:
    void fillBands();
    void applyChoice();

    ui::AppContext& ctx_;
    bool changed_ = false;
};

} // namespace zav
