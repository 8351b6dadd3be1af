#pragma once

// The Edit menu's commands over many channels of the channel table: Set for
// Selected Channels..., Fill Down (Ctrl+D), Clear Selected Channels, and
// Find Channel... (Ctrl+F) with Find Next (F3). The values go through the
// core's bulk path on a copy of the document; what it stored becomes one
// named undo step, every open window shows it once, and what it refused is
// listed afterwards.

#include "edit_history.h"

#include <QObject>
#include <QPointer>

#include <vector>

class QAction;
class QWidget;

namespace zav::ui {
struct AppContext;
}

namespace zav::channels {
class ChannelFindDialog;
class ChannelTableWindow;
}

namespace zav {

class Document;
class UndoTracker;
struct BulkEditResult;

class BulkCommands : public QObject {
    Q_OBJECT
public:
    BulkCommands(ui::AppContext& ctx, QWidget* window, UndoTracker& undo);

    [[nodiscard]] QAction* setForSelectedAction() const { return setForSelected_; }
    [[nodiscard]] QAction* fillDownAction() const { return fillDown_; }
    [[nodiscard]] QAction* clearSelectedAction() const { return clearSelected_; }
    [[nodiscard]] QAction* findAction() const { return find_; }
    [[nodiscard]] QAction* findNextAction() const { return findNext_; }

    /// Menu texts in the current language.
    void retranslate();
    /// Clear is not offered in country mode, where channels are fixed.
    void updateActions();

    void setForSelected();
    void fillDown();
    void clearSelected();
    void find();
    void findNext();

    /// The open find window, or nullptr (tests).
    [[nodiscard]] channels::ChannelFindDialog* findDialog() const;

private:
    /// The channel table, or nullptr after telling the user to open it.
    channels::ChannelTableWindow* table();
    /// Every open editor stores what it holds first; that is a step of its own.
    void commitPendingEdits();
    /// Makes changed the document as one step named step (when the bulk
    /// path stored anything), then lists what it refused.
    void apply(const Document& changed, const BulkEditResult& result, ChangeSummary step);

    ui::AppContext& ctx_;
    QWidget* window_;
    UndoTracker& undo_;
    QAction* setForSelected_ = nullptr;
    QAction* fillDown_ = nullptr;
    QAction* clearSelected_ = nullptr;
    QAction* find_ = nullptr;
    QAction* findNext_ = nullptr;
    QPointer<channels::ChannelFindDialog> findDialog_;
};

} // namespace zav
