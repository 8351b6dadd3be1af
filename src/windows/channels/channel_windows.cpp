#include "channel_windows.h"

#include "app_context.h"
#include "channel_detail_editor.h"
#include "channel_table_window.h"
#include "prompts.h"
#include "window_registry.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

namespace zav::channels {

std::shared_ptr<ChannelEditState> sharedEditState(const ui::AppContext& ctx)
{
    if (!ctx.channelEdit)
        ctx.channelEdit = std::make_shared<ChannelEditState>();
    return ctx.channelEdit;
}

ChannelEditState& editState(const ui::AppContext& ctx) { return *sharedEditState(ctx); }

int editGroup(const ui::AppContext& ctx) { return editState(ctx).editGroup; }

ChannelTableWindow* findChannelTable(const ui::AppContext& ctx)
{
    if (!editState(ctx).channelTableOpen)
        return nullptr;
    return qobject_cast<ChannelTableWindow*>(ui::findWindow(ctx.area, kChannelTableName));
}

ChannelDetailEditor* findDetailEditor(const ui::AppContext& ctx)
{
    if (!editState(ctx).detailEditorOpen)
        return nullptr;
    return qobject_cast<ChannelDetailEditor*>(ui::findWindow(ctx.area, kDetailEditorName));
}

namespace {

constexpr int kTextBandLimitUsed = 9021;

/// Puts a new detail editor beside the channel table (right, else left)
/// when the child-window area has room for it, so that neither hides the
/// other.
void placeBesideTable(const ui::AppContext& ctx, QWidget* detail)
{
    ChannelTableWindow* table = findChannelTable(ctx);
    auto* tableFrame = table ? qobject_cast<QMdiSubWindow*>(table->parentWidget()) : nullptr;
    auto* detailFrame = qobject_cast<QMdiSubWindow*>(detail->parentWidget());
    if (!tableFrame || !detailFrame || tableFrame->isMaximized())
        return;
    const QRect room = ctx.area->viewport()->rect();
    const QRect beside = tableFrame->geometry();
    const QSize size = detailFrame->size();
    const int top = std::clamp(beside.top(), 0, std::max(0, room.height() - size.height()));
    for (const int left : {beside.right() + 1, beside.left() - size.width()}) {
        const QRect place(QPoint(left, top), size);
        if (room.contains(place)) {
            detailFrame->move(place.topLeft());
            return;
        }
    }
}

} // namespace

ChannelDetailEditor* showDetailEditor(ui::AppContext& ctx)
{
    if (!ctx.area)
        return nullptr;
    const bool wasOpen = findDetailEditor(ctx) != nullptr;
    QWidget* shown = ui::showEditor(ctx.area, kDetailEditorName, [&ctx] { return new ChannelDetailEditor(ctx); });
    if (shown && !wasOpen)
        placeBesideTable(ctx, shown);
    return qobject_cast<ChannelDetailEditor*>(shown);
}

ChannelTableWindow* showChannel(ui::AppContext& ctx, int group, int row, int column)
{
    if (!ctx.area)
        return nullptr;
    auto* table = qobject_cast<ChannelTableWindow*>(
        ui::showEditor(ctx.area, kChannelTableName, [&ctx] { return new ChannelTableWindow(ctx); }));
    if (!table)
        return nullptr;
    table->showChannel(group, row, column);
    if (auto* frame = qobject_cast<QMdiSubWindow*>(table->parentWidget()))
        ctx.area->setActiveSubWindow(frame);
    return table;
}

CellWriteResult writeChannelCell(ui::AppContext& ctx, QWidget* parent, int group, int row, int fieldId,
                                 const CellValue& value)
{
    Session& session = ctx.session;
    const ChannelWriteEnv env{session.settings.showTxAsOffset, editGroup(ctx)};
    const CellWriteResult result = setChannelCell(session.doc, env, group, row, fieldId, value);
    if (result.warned)
        ui::inform(parent, ctx.text(kTextBandLimitUsed), ui::Icon::Warning);
    if (ChannelTableWindow* table = findChannelTable(ctx)) {
        if (result.emergencyRechecked)
            table->refreshEmergencyLists();
        if (result.number > 0)
            table->refreshChannel(result.number);
    }
    if (ChannelDetailEditor* detail = findDetailEditor(ctx))
        detail->followTableSlot();
    return result;
}

void reportNotNumeric(const ui::AppContext& ctx, QWidget* parent)
{
    constexpr int kTextNotNumeric = 33303; ///< "Not IsNumeric" in English, the radio shops' own words
    ui::inform(parent, ctx.text(kTextNotNumeric));
}

} // namespace zav::channels
