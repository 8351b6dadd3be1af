#pragma once

// Every window of the program, each opened through the main window's own
// command, as a user opens it. The manual's pictures are taken on this
// tour and the F1 test presses F1 on it, so a window the tour knows has a
// picture and a page, and a window it misses is noticed (the test compares
// it with the windows the architecture notes list).
//
// A new window: one line in windowTourStops() (window_tour.cpp), and its
// page windows/<objectName>.rst in each language of the manual.

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QWidget;

namespace zav {
class MainWindow;
}
namespace zav::ui {
class ScriptedPrompter;
}

namespace zav::help {

struct TourStop {
    QString objectName;
    /// Opens the window through the main window (a modal dialog runs
    /// through the prompter and is visited while it is open; the prompter
    /// answers the file dialogs on the way).
    std::function<void(MainWindow&, ui::ScriptedPrompter&)> open;
    bool needsRadio = false; ///< reads the (virtual) radio the main window's port leads to
};

/// The windows in the order the tour opens them.
[[nodiscard]] const std::vector<TourStop>& windowTourStops();

/// Opens each window in turn and calls visit with it while it is shown
/// (a modal dialog is modal then). Stops that need a radio are skipped
/// unless withRadio. Returns the names of windows that did not open.
QStringList tourWindows(MainWindow& main, ui::ScriptedPrompter& prompter, bool withRadio,
                        const std::function<void(QWidget&)>& visit);

/// Runs events until done() holds or timeoutMs passed; returns done().
bool runEventsUntil(const std::function<bool()>& done, int timeoutMs);

} // namespace zav::help
