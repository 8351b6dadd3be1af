#pragma once

// Program > Compare with Radio...: where the radio differs from what a
// write of the document would send, one row per field (where, what the
// document has, what the radio holds). Double-clicking a row opens the
// editor at that place, as the check window does. The radio's memory is
// kept, so the list follows the document's edits without another read;
// "Write the document to the radio" and "Open what the radio holds" act on
// the answer.

#include "editor_window.h"
#include "radio_compare.h"
#include "window_names.h"

#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zav::ui {
struct AppContext;
}

namespace zav {

class CompareWindow : public ui::EditorWindow {
    Q_OBJECT
public:
    explicit CompareWindow(ui::AppContext& ctx, QWidget* parent = nullptr);

    std::function<void(const ConfigFinding&)> onOpenFinding;
    std::function<void()> onWriteDocument;
    std::function<void()> onOpenRadio;

    /// The radio's memory as read from device; compares and lists.
    void showRadio(const link::RadioMemory& memory, const QString& device);
    /// Compares the document as it is now with the radio's memory again.
    void runCompare();
    bool reloadDocument() override;

    [[nodiscard]] QTreeWidget* list() const { return list_; }
    [[nodiscard]] QLabel* summaryLabel() const { return summary_; }
    [[nodiscard]] QPushButton* writeButton() const { return write_; }
    [[nodiscard]] QPushButton* openRadioButton() const { return openRadio_; }
    [[nodiscard]] const RadioComparison& comparison() const { return comparison_; }
    /// Opens the place of row (what a double-click does).
    void openRow(int row);

private:
    void itemActivated(QTreeWidgetItem* item);

    ui::AppContext& ctx_;
    QTreeWidget* list_ = nullptr;
    QLabel* summary_ = nullptr;
    QPushButton* write_ = nullptr;
    QPushButton* openRadio_ = nullptr;
    std::shared_ptr<const link::RadioMemory> radio_;
    QString device_;
    RadioComparison comparison_;
};

} // namespace zav
