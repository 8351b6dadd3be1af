#pragma once

// Base of every child window of the main window. Windows find one another
// by object name (window_names.h) and ask for a
// refresh through these calls; a window that has nothing to do for one
// keeps the default.

#include <QWidget>

namespace zav::ui {

class EditorWindow : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    /// Store a value still being edited (commitPendingEdits calls it before
    /// every command that reads the document). A box the user has not
    /// changed since it was shown stores nothing.
    virtual void commitPendingEdit() {}
    /// The DTMF code memories changed: rebuild the code lists.
    virtual void refreshCodeLists() {}
    /// The tone tips changed: rebuild the roger-beep list.
    virtual void refreshRogerBeep() {}
    /// The document was put back to another state (undo, redo): show it
    /// again. False when the window cannot, and is to be opened anew.
    virtual bool reloadDocument() { return false; }
};

} // namespace zav::ui
