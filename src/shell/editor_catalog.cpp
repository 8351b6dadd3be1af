#include "editor_catalog.h"

#include "app_context.h"

#include "frm_comm_ch_info.h"
#include "frm_ch_info_edit.h"
#include "frm_opt_features.h"
#include "frm_dtmf.h"
#include "frm_tone_tips.h"
#include "frm_emb_msg.h"

#include <functional>
#include <map>

namespace zav {
namespace {

using Factory = std::function<QWidget*(ui::AppContext&)>;

const std::map<QString, Factory>& Factories()
{
    static const std::map<QString, Factory> factories = {
        {QStringLiteral("frmCommChInfo"), [](ui::AppContext& c) -> QWidget* { return new channels::FrmCommChInfo(c); }},
        {QStringLiteral("FrmCHInfoEdit"), [](ui::AppContext& c) -> QWidget* { return new channels::FrmCHInfoEdit(c); }},
        {QStringLiteral("FrmOptFeatures"), [](ui::AppContext& c) -> QWidget* { return new features::FrmOptFeatures(c); }},
        {QStringLiteral("FrmDTMF"), [](ui::AppContext& c) -> QWidget* { return new features::FrmDTMF(c); }},
        {QStringLiteral("FrmToneTips"), [](ui::AppContext& c) -> QWidget* { return new features::FrmToneTips(c); }},
        {QStringLiteral("FrmEmbMsg"), [](ui::AppContext& c) -> QWidget* { return new features::FrmEmbMsg(c); }},
    };
    return factories;
}

} // namespace

QWidget* CreateEditor(const QString& name, ui::AppContext& ctx)
{
    const auto& factories = Factories();
    const auto it = factories.find(name);
    return it == factories.end() ? nullptr : it->second(ctx);
}

bool EditorAvailable(const QString& name) { return Factories().count(name) != 0; }

} // namespace zav
