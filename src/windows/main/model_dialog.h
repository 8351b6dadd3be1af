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

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* Combo1 = nullptr; ///< models
    QComboBox* Combo2 = nullptr; ///< bands of the shown model
    QPushButton* CommandOK = nullptr;
    QPushButton* CommandCancel = nullptr;

private:
    void FillBands();
    void CommandOK_Click();

    ui::AppContext& ctx_;
    bool changed_ = false;
};

} // namespace zav
