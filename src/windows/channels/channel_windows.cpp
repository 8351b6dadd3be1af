#include "channel_windows.h"

#include "app_context.h"
#include "channel_detail_editor.h"
#include "channel_table_window.h"
#include "prompts.h"
#include "window_registry.h"

namespace zav::channels {

ChannelTableWindow* findChannelTable(const ui::AppContext& ctx)
{
    if (!ctx.session.channelEdit.channelTableOpen)
        return nullptr;
    return qobject_cast<ChannelTableWindow*>(ui::findWindow(ctx.area, kChannelTableName));
}

ChannelDetailEditor* findDetailEditor(const ui::AppContext& ctx)
{
    if (!ctx.session.channelEdit.detailEditorOpen)
        return nullptr;
    return qobject_cast<ChannelDetailEditor*>(ui::findWindow(ctx.area, kDetailEditorName));
}

ChannelDetailEditor* showDetailEditor(ui::AppContext& ctx)
{
    if (!ctx.area)
        return nullptr;
    QWidget* shown = ui::showEditor(ctx.area, kDetailEditorName, [&ctx] { return new ChannelDetailEditor(ctx); });
    return qobject_cast<ChannelDetailEditor*>(shown);
}

CellWriteResult writeChannelCell(ui::AppContext& ctx, QWidget* parent, int group, int row, int fieldId,
                                 const CellValue& value)
{
    Session& session = ctx.session;
    const ChannelWriteEnv env{session.settings.showTxAsOffset, session.channelEdit.editGroup};
    const CellWriteResult result = setChannelCell(session.doc, env, group, row, fieldId, value);
    if (result.warned)
        ui::inform(parent, ctx.text(9021), ui::Icon::Warning);
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

void reportNotNumeric(QWidget* parent) { ui::inform(parent, QStringLiteral("Not IsNumeric")); }

} // namespace zav::channels
