#include "channel_lists.h"

#include "app_context.h"
#include "channel_groups.h"
#include "codecs.h"

namespace zav::channels {

QStringList toneListEntries(const QString& offText)
{
    QStringList entries;
    entries.reserve(kToneCount);
    for (const std::string& text : toneTexts())
        entries << QString::fromStdString(text);
    if (!entries.isEmpty())
        entries[0] = offText;
    return entries;
}

QStringList optionListEntries(const ui::AppContext& ctx, int column)
{
    switch (column) {
    case 6: return {ctx.text(14014), ctx.text(14015), ctx.text(14016)};
    case 7: return {ctx.text(14017), ctx.text(14018)};
    case 8: return {ctx.text(14013), ctx.text(14019)};
    case 9: return {ctx.text(14020), ctx.text(14021), ctx.text(14022)};
    default: return {};
    }
}

QStringList groupListEntries(Int16 channelMode)
{
    QStringList entries;
    for (int g = 0; g < groupCount(channelMode); ++g)
        entries << QString::number(g);
    return entries;
}

} // namespace zav::channels
