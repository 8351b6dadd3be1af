#include "editor_catalog.h"

#include "app_context.h"

#if __has_include("frm_comm_ch_info.h")
#include "frm_comm_ch_info.h"
#define ZAV_HAS_CHANNEL_TABLE 1
#endif
#if __has_include("frm_ch_info_edit.h")
#include "frm_ch_info_edit.h"
#define ZAV_HAS_CHANNEL_EDITOR 1
#endif
#if __has_include("frm_opt_features.h")
#include "frm_opt_features.h"
#define ZAV_HAS_OPT_FEATURES 1
#endif
#if __has_include("frm_dtmf.h")
#include "frm_dtmf.h"
#define ZAV_HAS_DTMF 1
#endif
#if __has_include("frm_tone_tips.h")
#include "frm_tone_tips.h"
#define ZAV_HAS_TONE_TIPS 1
#endif
#if __has_include("frm_emb_msg.h")
#include "frm_emb_msg.h"
#define ZAV_HAS_EMB_MSG 1
#endif

#include <functional>
#include <map>

namespace zav {
namespace {

using Factory = std::function<QWidget*(ui::AppContext&)>;

const std::map<QString, Factory>& Factories()
{
    static const std::map<QString, Factory> factories = {
#ifdef ZAV_HAS_CHANNEL_TABLE
        {QStringLiteral("frmCommChInfo"), [](ui::AppContext& c) -> QWidget* { return new channels::FrmCommChInfo(c); }},
#endif
#ifdef ZAV_HAS_CHANNEL_EDITOR
        {QStringLiteral("FrmCHInfoEdit"), [](ui::AppContext& c) -> QWidget* { return new channels::FrmCHInfoEdit(c); }},
#endif
#ifdef ZAV_HAS_OPT_FEATURES
        {QStringLiteral("FrmOptFeatures"), [](ui::AppContext& c) -> QWidget* { return new features::FrmOptFeatures(c); }},
#endif
#ifdef ZAV_HAS_DTMF
        {QStringLiteral("FrmDTMF"), [](ui::AppContext& c) -> QWidget* { return new features::FrmDTMF(c); }},
#endif
#ifdef ZAV_HAS_TONE_TIPS
        {QStringLiteral("FrmToneTips"), [](ui::AppContext& c) -> QWidget* { return new features::FrmToneTips(c); }},
#endif
#ifdef ZAV_HAS_EMB_MSG
        {QStringLiteral("FrmEmbMsg"), [](ui::AppContext& c) -> QWidget* { return new features::FrmEmbMsg(c); }},
#endif
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
