#pragma once

// The list entries the channel table and the detail editor share: the tone
// list, the lists of the table's hidden columns and the group list.

#include "radio_image.h"

#include <QStringList>

namespace zav::ui {
struct AppContext;
}

namespace zav::channels {

/// The 265 tone entries (0 off, 1..50 CTCSS, 51..264 DCS), entry 0 = offText.
[[nodiscard]] QStringList toneListEntries(const QString& offText);
/// Entries of the in-place list of table column 6..9 (empty for others).
[[nodiscard]] QStringList optionListEntries(const ui::AppContext& ctx, int column);
/// Group indices as decimal text: "0".."10" in extended mode, "0".."6" else.
[[nodiscard]] QStringList groupListEntries(Int16 channelMode);

} // namespace zav::channels
