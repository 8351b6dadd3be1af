#pragma once

// How the two channel windows find each other and write a cell: every edit
// of the table and of the detail editor goes through writeChannelCell, which
// stores the value, warns about a frequency outside the band, and redraws
// the table row and the detail editor.

#include "channel_edit_state.h"
#include "channel_writes.h"
#include "window_names.h"

#include <QString>

#include <memory>

class QWidget;

namespace zav::ui {
struct AppContext;
}

namespace zav::channels {

class ChannelTableWindow;
class ChannelDetailEditor;

/// The channel windows' state in ctx, made on first use.
[[nodiscard]] ChannelEditState& editState(const ui::AppContext& ctx);
/// The same, for a channel window to keep: it may close after the context
/// it was made with is gone, and still marks itself closed.
[[nodiscard]] std::shared_ptr<ChannelEditState> sharedEditState(const ui::AppContext& ctx);
/// The group the channel windows address.
[[nodiscard]] int editGroup(const ui::AppContext& ctx);

/// The open channel table, or nullptr.
[[nodiscard]] ChannelTableWindow* findChannelTable(const ui::AppContext& ctx);
/// The open detail editor, or nullptr.
[[nodiscard]] ChannelDetailEditor* findDetailEditor(const ui::AppContext& ctx);
/// Brings the detail editor to the front, creating it when it is closed.
ChannelDetailEditor* showDetailEditor(ui::AppContext& ctx);

/// Shows channel row (1..) of group in the channel table, opening the
/// table when it is closed: the one way a search or a list reaches a
/// channel. With column (a field id) the cursor goes to that cell, else
/// the row is selected; row 0 shows the group alone.
ChannelTableWindow* showChannel(ui::AppContext& ctx, int group, int row, int column = 0);

/// setChannelCell for a window: stores the value, shows text 9021 when the
/// frequency was replaced by a band limit, refreshes the emergency lists
/// after a receive-frequency edit, redraws the row of an open table and
/// lets an open detail editor show the stored result.
CellWriteResult writeChannelCell(ui::AppContext& ctx, QWidget* parent, int group, int row, int fieldId,
                                 const CellValue& value);

/// Says that a stored receive frequency holds other characters than digits,
/// in the language in use.
void reportNotNumeric(const ui::AppContext& ctx, QWidget* parent);

} // namespace zav::channels
