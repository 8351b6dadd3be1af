#pragma once

// Undo and redo for every window. After each user input the tracker
// compares the working image with the one it knew; a difference is one
// step of the edit history, named by what it changed. So every editor's
// writes, and whatever an action normalises along the way, are undone
// together without the editors knowing about undo.

#include "edit_history.h"

#include <QObject>
#include <QString>

class QAction;

namespace zav::ui {
struct AppContext;
}

namespace zav {

class UndoTracker : public QObject {
    Q_OBJECT
public:
    UndoTracker(ui::AppContext& ctx, QObject* parent = nullptr);
    ~UndoTracker() override;

    [[nodiscard]] QAction* undoAction() const { return undo_; }
    [[nodiscard]] QAction* redoAction() const { return redo_; }
    [[nodiscard]] const EditHistory& history() const { return history_; }

    /// A new history for the document as it is now (New, Open, a read).
    void resetHistory();
    /// Records what changed since the last check as one step.
    void checkForEdit();
    /// An action replaced part of the document at once (an import, a
    /// paste): the change becomes one step named by area, and every open
    /// window shows it.
    void recordReplacement(ChangeSummary::Area area);
    /// As above, the step named by summary (a bulk edit: its field and how
    /// many channels).
    void recordReplacement(const ChangeSummary& summary);
    /// Undo and redo as the menu does: pending text is stored first.
    void undo();
    void redo();
    /// Menu texts in the current language.
    void retranslate();

    /// The name of a step as the menu shows it after "Undo: ".
    [[nodiscard]] QString stepName(const ChangeSummary& summary) const;

signals:
    /// The document was put back to another state; caption and tree follow.
    void documentRestored();
    /// The document changed: an edit, an undo or a redo.
    void edited();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showRestoredDocument();
    void updateActions();

    ui::AppContext& ctx_;
    EditHistory history_;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    bool checkScheduled_ = false;
    bool restoring_ = false;
};

} // namespace zav
