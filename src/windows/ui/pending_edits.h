#pragma once

// The one routine that makes the document hold what the user is still
// typing. Every command that reads the document as a whole (save, write,
// read, undo and redo, import and paste, export and print, the check, the
// fleet write, the save questions) calls it first, so a value typed without
// Enter is never lost or left out, whichever editor holds it.

namespace zav::ui {

struct AppContext;

/// Asks every open editor window to store the value it is still editing.
/// An editor stores nothing for a box the user has not changed.
void commitPendingEdits(const AppContext& ctx);

} // namespace zav::ui
