#pragma once

// Routine errors: a window routine that fails shows a box with the fixed
// text naming the routine (for example "frmCommChInfo_reShowGrid") and
// returns; the window carries on. Exceptions never cross a Qt event
// handler.

#include <QString>

#include <exception>
#include <utility>

class QWidget;

namespace zav::ui {

/// The error box of a routine: its fixed name, the error icon, OK.
void showRoutineError(QWidget* parent, const QString& routine);

/// Runs fn; when it throws, shows the routine's error box instead.
/// Returns false when fn threw.
template <class Fn>
bool runGuarded(QWidget* parent, const char* routine, Fn&& fn)
{
    try {
        std::forward<Fn>(fn)();
        return true;
    } catch (const std::exception&) {
        showRoutineError(parent, QString::fromLatin1(routine));
    } catch (...) {
        showRoutineError(parent, QString::fromLatin1(routine));
    }
    return false;
}

} // namespace zav::ui
