#include "editor_catalog.h"

#include "app_context.h"

#include "channel_table_window.h"
#include "channel_detail_editor.h"
#include "optional_features_editor.h"
#include "dtmf_editor.h"
#include "tone_tips_editor.h"
#include "embedded_message_editor.h"
#include "window_names.h"

#include <functional>
#include <map>

namespace zav {
namespace {

using Factory = std::function<QWidget*(ui::AppContext&)>;

const std::map<QString, Factory>& editorFactories()
{
    static const std::map<QString, Factory> factories = {
        {kChannelTableName, [](ui::AppContext& c) -> QWidget* { return new channels::ChannelTableWindow(c); }},
        {kDetailEditorName, [](ui::AppContext& c) -> QWidget* { return new channels::ChannelDetailEditor(c); }},
        {kOptionalFeaturesName, [](ui::AppContext& c) -> QWidget* { return new features::OptionalFeaturesEditor(c); }},
        {kDtmfEditorName, [](ui::AppContext& c) -> QWidget* { return new features::DtmfEditor(c); }},
        {kToneTipsName, [](ui::AppContext& c) -> QWidget* { return new features::ToneTipsEditor(c); }},
        {kEmbeddedMessageName, [](ui::AppContext& c) -> QWidget* { return new features::EmbeddedMessageEditor(c); }},
    };
    return factories;
}

} // namespace

QWidget* createEditor(const QString& name, ui::AppContext& ctx)
{
    const auto& factories = editorFactories();
    const auto it = factories.find(name);
    return it == factories.end() ? nullptr : it->second(ctx);
}

bool editorAvailable(const QString& name) { return editorFactories().count(name) != 0; }

} // namespace zav
