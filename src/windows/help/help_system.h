#pragma once

// The program's help: Help > Manual, F1 in every window and dialog (the
// page of that window), Help > Keyboard Shortcuts and Help > Report a
// Problem... One object, owned by the main window, holds the help window.
//
// Every window has its page at windows/<objectName>.html in the manual;
// F1 shows the page of the nearest window around the focus that has one.

#include <QObject>
#include <QPointer>
#include <QString>

class QMenuBar;
class QWidget;

namespace zav::ui {
struct AppContext;
}

namespace zav::help {

class HelpWindow;

/// The shortcut list's column captions, shared with the manual's own list.
inline constexpr int kTextCommand = 34412; // "Command"
inline constexpr int kTextKeys = 34413;    // "Keys"

/// The manual's page of a window's object name.
[[nodiscard]] QString windowPage(const QString& objectName);

class HelpSystem : public QObject {
    Q_OBJECT
public:
    /// root: the main window (parent of the help window), menus: its menu bar.
    HelpSystem(ui::AppContext& ctx, QWidget* root, QMenuBar* menus);
    ~HelpSystem() override;

    /// Help > Manual: the start page.
    void showManual();
    /// The page of the window around widget (F1).
    void showPageFor(QWidget* widget);
    /// Help > Keyboard Shortcuts.
    void showShortcuts();
    /// Help > Report a Problem...
    void reportProblem();
    /// The language changed: the next help window shows the other manual.
    void retranslate();

    /// The help window, when one is open.
    [[nodiscard]] HelpWindow* helpWindow() const;
    /// The page F1 would show for widget ("" when no window around it has one).
    [[nodiscard]] QString pageFor(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Opens (or raises) the help window; nullptr after telling the user
    /// that the manual is missing.
    HelpWindow* ensureWindow();
    /// A modal dialog blocks every window that is not its own: the help
    /// window becomes the dialog's, so that it can be read and searched
    /// while the dialog waits.
    void keepUsableOver(QWidget* modal);

    ui::AppContext& ctx_;
    QWidget* root_;
    QMenuBar* menus_;
    QPointer<HelpWindow> window_;
    QPointer<QWidget> shortcuts_;
};

} // namespace zav::help
