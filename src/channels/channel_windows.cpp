#include "channel_windows.h"

#include "app_context.h"
#include "frm_ch_info_edit.h"
#include "frm_comm_ch_info.h"
#include "prompts.h"
#include "window_registry.h"

namespace zav::channels {

FrmCommChInfo* FindChannelTable(const ui::AppContext& ctx)
{
    if (!ctx.session.channelEdit.ChannelTableOpen)
        return nullptr;
    return qobject_cast<FrmCommChInfo*>(ui::FindWindow(ctx.area, kChannelTableName));
}

FrmCHInfoEdit* FindDetailEditor(const ui::AppContext& ctx)
{
    if (!ctx.session.channelEdit.DetailEditorOpen)
        return nullptr;
    return qobject_cast<FrmCHInfoEdit*>(ui::FindWindow(ctx.area, kDetailEditorName));
}

FrmCHInfoEdit* ShowDetailEditor(ui::AppContext& ctx)
{
    if (!ctx.area)
        return nullptr;
    QWidget* shown = ui::ShowEditor(ctx.area, kDetailEditorName, [&ctx] { return new FrmCHInfoEdit(ctx); });
    return qobject_cast<FrmCHInfoEdit*>(shown);
}

CellWriteResult WriteChannelCell(ui::AppContext& ctx, QWidget* parent, int group, int row, int fieldId,
                                 const CellValue& value)
{
    Session& session = ctx.session;
    const ChannelWriteEnv env{session.settings.ShowTxAsOffset, session.channelEdit.EditGroup};
    const CellWriteResult result = SetChannelCell(session.doc, env, group, row, fieldId, value);
    if (result.warned)
        ui::Inform(parent, ctx.text(9021), ui::Icon::Warning);
    if (FrmCommChInfo* table = FindChannelTable(ctx)) {
        if (result.emergencyRechecked)
            table->ReshowByCh();
        if (result.number > 0)
            table->reShowGrid(result.number);
    }
    if (FrmCHInfoEdit* detail = FindDetailEditor(ctx))
        detail->SetGridEditData(true);
    return result;
}

void ReportNotNumeric(QWidget* parent) { ui::Inform(parent, QStringLiteral("Not IsNumeric")); }

} // namespace zav::channels
