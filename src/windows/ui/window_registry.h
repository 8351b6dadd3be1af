#pragma once

// Single-instance child windows of the main window's MDI area.

#include <QString>

#include <functional>

class QMdiArea;
class QWidget;

namespace zav::ui {

class EditorWindow;

/// The loaded child window with that objectName, or nullptr.
QWidget* findWindow(QMdiArea* area, const QString& name);
/// findWindow cast to an editor window.
EditorWindow* findEditor(QMdiArea* area, const QString& name);
/// Brings a loaded window of that name to the front, or creates one, shows
/// it as a child window and cascades. Returns the window shown.
QWidget* showEditor(QMdiArea* area, const QString& name, const std::function<QWidget*()>& create);
/// Unloads (closes and deletes) every loaded window of that name.
void unloadByName(QMdiArea* area, const QString& name);
/// Unloads every child window.
void closeAllWindows(QMdiArea* area);

} // namespace zav::ui
