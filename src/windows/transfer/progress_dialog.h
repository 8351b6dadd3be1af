#pragma once

// Progress window of a read or a write: modal while the transfer runs.
// The transfer closes it with finish(); closing it any other way (its
// Cancel button, the window's close button, Escape) asks the transfer to
// stop, and the window stays while the transfer carries on.

#include "transfer_engine.h"

#include <QDialog>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zav::ui {
struct AppContext;
}

namespace zav {

class ProgressDialog : public QDialog {
    Q_OBJECT
public:
    /// A read's or a write's window (captions "Reading from Radio" and "Writing to Radio").
    ProgressDialog(ui::AppContext& ctx, link::TransferKind kind, QWidget* parent = nullptr);

    /// Called when the user closes the window while the transfer runs; the
    /// window closes only when it calls finish().
    std::function<void()> onCancel;

    /// Bar value and "n%" label (clamped to 0..100).
    void setPercent(int percent);
    /// The write is being read back: the window says "Verifying" and
    /// counts from 0 again.
    void showVerifying(const QString& title);
    [[nodiscard]] int percent() const;
    /// Closes the window for the transfer's end, without asking to cancel.
    void finish();

    QLabel* captionLabel = nullptr;
    QProgressBar* progressBar = nullptr;
    QLabel* percentLabel = nullptr;
    QPushButton* cancelButton = nullptr; ///< the same as Escape

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool finishing_ = false;
};

} // namespace zav
