#pragma once

// Program > Check Configuration...: the check's findings in a list (level
// with the style's icon, where, what), in the check's order until a header
// sorts them (the place by group and row as numbers). Double-clicking one
// asks the main window to open the editor at that place. The list is made
// again when the window is shown anew and by "Check Again", so it follows
// the edits.

#include "config_check.h"
#include "editor_window.h"
#include "window_names.h"

#include <functional>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zav::ui {
struct AppContext;
}

namespace zav {

/// "Where": the column of the place in the document, in the check and the compare window.
inline constexpr int kTextColumnWhere = 32805;

class CheckWindow : public ui::EditorWindow {
    Q_OBJECT
public:
    explicit CheckWindow(ui::AppContext& ctx, QWidget* parent = nullptr);

    /// Called with the finding the user double-clicked.
    std::function<void(const ConfigFinding&)> onOpenFinding;

    /// Checks the document again and lists what it found.
    void runCheck();
    bool reloadDocument() override;

    [[nodiscard]] QTreeWidget* list() const { return list_; }
    [[nodiscard]] const std::vector<ConfigFinding>& findings() const { return findings_; }
    /// Opens the finding of row (what a double-click does).
    void openRow(int row);
    /// After a finding opened its place: the list stays in front of the
    /// editor it opened, moved below it when it would hide it.
    void keepInFrontOfEditor();

private:
    void itemActivated(QTreeWidgetItem* item);

    ui::AppContext& ctx_;
    QTreeWidget* list_ = nullptr;
    QLabel* summary_ = nullptr;
    QPushButton* again_ = nullptr;
    std::vector<ConfigFinding> findings_;
};

} // namespace zav
