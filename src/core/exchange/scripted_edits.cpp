#include "scripted_edits.h"

#include "setting_edits.h"

namespace zav {
namespace {

std::vector<std::string> channelFieldNames()
{
    std::vector<std::string> names;
    for (const ChannelField& field : channelFields())
        names.push_back(optionName(field.name));
    return names;
}

std::string counted(int n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

} // namespace

std::string ScriptedEditResult::summary() const
{
    return counted(channelsChanged, "channel", "channels") + " and " + counted(settingsChanged, "setting", "settings") +
           " changed";
}

std::vector<std::string> scriptedFieldNames()
{
    std::vector<std::string> names = channelFieldNames();
    for (const SettingField& field : settingFields())
        names.push_back(field.fullName());
    return names;
}

ScriptedEditResult applyScriptedEdits(Document& doc, std::string_view channelList, const std::vector<ScriptedEdit>& edits,
                                      bool keepValid)
{
    ScriptedEditResult result;
    const std::vector<std::string> channelNames = channelFieldNames();
    std::vector<std::pair<const ChannelField*, std::string>> channelEdits;
    std::vector<std::pair<const SettingField*, std::string>> settingEdits;
    for (const ScriptedEdit& edit : edits) {
        if (const ChannelField* field = findChannelField(edit.name)) {
            channelEdits.emplace_back(field, edit.value);
        } else if (const SettingField* setting = findSettingField(edit.name, channelNames)) {
            settingEdits.emplace_back(setting, edit.value);
        } else {
            result.usageError = "no field is named \"" + edit.name + "\"; a setting that shares its name with "
                                "another is named with its prefix (zavprog-cli set --list-fields)";
            return result;
        }
    }
    ChannelList channels;
    if (!channelEdits.empty()) {
        if (channelList.empty()) {
            result.usageError = "--channels LIST is required for channel fields";
            return result;
        }
        channels = parseChannelList(doc, channelList);
        if (!channels.error.empty()) {
            result.usageError = channels.error;
            return result;
        }
    }

    Document work = doc;
    std::vector<FieldValue> values;
    for (const auto& [field, text] : channelEdits) {
        const ParsedValue parsed = parseFieldValue(*field, text);
        if (parsed.value)
            values.push_back(*parsed.value);
        else
            result.refusals.push_back(std::string(field->name) + ": " + englishReason(parsed.why));
    }
    if (!values.empty()) {
        const BulkEditResult bulk = setChannelValues(work, ChannelWriteEnv{true, 0}, channels.numbers, values);
        for (const BulkRefusal& refusal : bulk.refusals)
            result.refusals.push_back(refusal.message());
        for (const BulkChange& change : bulk.changes)
            result.changes.push_back("channel " + std::to_string(change.number) + ", " + change.field + ": " +
                                     (change.before.empty() ? "(empty)" : change.before) + " -> " +
                                     (change.after.empty() ? "(empty)" : change.after));
        result.channelsChanged = static_cast<int>(bulk.changedChannels.size());
    }
    for (const auto& [setting, text] : settingEdits) {
        const std::string before = setting->read(work);
        const RadioImage was = work.image();
        if (const auto why = setting->write(work, text)) {
            result.refusals.push_back(setting->fullName() + ": " + englishReason(*why));
            continue;
        }
        const std::string after = setting->read(work);
        if (after != before || !(work.image() == was)) {
            result.changes.push_back(setting->fullName() + ": " + before + " -> " + after);
            ++result.settingsChanged;
        }
    }
    if (!result.refusals.empty() && !keepValid)
        return result;
    result.stored = result.channelsChanged > 0 || result.settingsChanged > 0;
    doc.working = work.working;
    return result;
}

} // namespace zav
