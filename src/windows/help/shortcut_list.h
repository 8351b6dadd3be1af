#pragma once

// The keyboard shortcuts the program has, read from its actions: the same
// list feeds Help > Keyboard Shortcuts and the manual's table, so neither
// can miss a key that an action gained.

#include <QDialog>
#include <QString>

#include <vector>

class QMenuBar;
class QWidget;

namespace zav::help {

struct Shortcut {
    QString command; ///< the action's caption without its "&" and dots
    QString keys;    ///< "Ctrl+P", several separated by ", "
};

/// Every action with a shortcut, in menu order (the menu bar's menus, then
/// the other actions of root), each command once.
[[nodiscard]] std::vector<Shortcut> collectShortcuts(QWidget* root, QMenuBar* menus);

/// Help > Keyboard Shortcuts: the list in a table.
class ShortcutsDialog : public QDialog {
    Q_OBJECT
public:
    ShortcutsDialog(const std::vector<Shortcut>& shortcuts, const QString& title, const QString& commandHeader,
                    const QString& keysHeader, const QString& closeText, QWidget* parent = nullptr);
};

} // namespace zav::help
