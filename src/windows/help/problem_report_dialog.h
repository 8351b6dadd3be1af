#pragma once

// Help > Report a Problem...: the user says what happened, picks a wire
// trace, ticks whether the open document goes along, and saves one
// archive to mail to the dealer. The program sends nothing.

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zav::ui {
struct AppContext;
}

namespace zav::help {

/// The settings key of the last wire trace the program started.
inline constexpr const char* kLastTraceKey = "Diagnostics/lastTrace";

class ProblemReportDialog : public QDialog {
    Q_OBJECT
public:
    explicit ProblemReportDialog(ui::AppContext& ctx, QWidget* parent = nullptr);

    /// Asks where to save the report and saves it; true when it was saved.
    bool saveReport();

    QPlainTextEdit* description = nullptr;
    QLineEdit* tracePath = nullptr;
    QCheckBox* includeDocument = nullptr;
    QPushButton* saveButton = nullptr;

private:
    void chooseTrace();

    ui::AppContext& ctx_;
};

} // namespace zav::help
