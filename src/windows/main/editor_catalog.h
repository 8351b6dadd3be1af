#pragma once

// The editor windows of the main window, created by name in one place.

#include <QString>

class QWidget;

namespace zav::ui {
struct AppContext;
}

namespace zav {

/// A new editor window of that name, or nullptr when this build has none.
[[nodiscard]] QWidget* createEditor(const QString& name, ui::AppContext& ctx);
/// Whether createEditor can make a window of that name.
[[nodiscard]] bool editorAvailable(const QString& name);

} // namespace zav
