#include "channel_lists.h"

#include "app_context.h"
#include "channel_groups.h"
#include "codecs.h"
#include "common_text_ids.h"

namespace zav::channels {
namespace {

constexpr int kTextPowerHigh = 14014;   // "High"
constexpr int kTextPowerMiddle = 14015; // "Middle"
constexpr int kTextPowerLow = 14016;    // "Low"
constexpr int kTextNo = 14017;          // "No"
constexpr int kTextYes = 14018;         // "Yes"
constexpr int kTextDtmf = 14019;        // "DTMF"
constexpr int kTextWide = 14020;        // "Wide"
constexpr int kTextMiddle = 14021;      // "Middle"
constexpr int kTextNarrow = 14022;      // "Narrow"

} // namespace

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
    case 6: return {ctx.text(kTextPowerHigh), ctx.text(kTextPowerMiddle), ctx.text(kTextPowerLow)};
    case 7: return {ctx.text(kTextNo), ctx.text(kTextYes)};
    case 8: return {ctx.text(textid::kTextCodeOff), ctx.text(kTextDtmf)};
    case 9: return {ctx.text(kTextWide), ctx.text(kTextMiddle), ctx.text(kTextNarrow)};
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
