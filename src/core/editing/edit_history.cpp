#include "edit_history.h"

#include "image_diff.h"
#include "image_layout.h"

#include <algorithm>
#include <set>
#include <span>

namespace zav {
namespace {

bool startsWith(const std::string& text, std::string_view prefix) { return text.rfind(prefix, 0) == 0; }

/// The number inside "[...]" after prefix ("Settings.GroupNames[3]" -> 3).
int indexAfter(const std::string& name, std::string_view prefix)
{
    if (!startsWith(name, prefix) || name.size() <= prefix.size() + 1)
        return -1;
    const std::size_t open = prefix.size();
    if (name[open] != '[')
        return -1;
    int value = 0;
    for (std::size_t i = open + 1; i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i)
        value = value * 10 + (name[i] - '0');
    return value;
}

/// The settings area a field name belongs to; Other for bookkeeping fields
/// that follow a channel edit (counts, header).
ChangeSummary settingsArea(const std::string& name)
{
    ChangeSummary s;
    using Area = ChangeSummary::Area;
    if (startsWith(name, "Settings.ChannelMode")) {
        s.area = Area::ChannelMode;
    } else if (startsWith(name, "Settings.GroupNames") || startsWith(name, "Settings.StandbyGroupNames")) {
        s.area = Area::GroupName;
        s.group = std::max(0, indexAfter(name, "Settings.GroupNames"));
    } else if (startsWith(name, "Settings.OptFeat.Common1[")) {
        const int k = indexAfter(name, "Settings.OptFeat.Common1");
        if (k >= common1::EmergencyChannelBase && k < common1::EmergencyAmFmBase)
            s.area = Area::EmergencyChannel;
        else if (k >= common1::EmergencyAmFmBase && k < common1::ResetModeBase)
            s.area = Area::AmFm;
        else
            s.area = Area::OptionalFeatures;
        if (k == common1::CurrentGroup)
            s.area = Area::Other;
    } else if (startsWith(name, "Settings.OptFeat")) {
        s.area = Area::OptionalFeatures;
    } else if (startsWith(name, "Settings.DtmfSettings")) {
        s.area = Area::Dtmf;
    } else if (startsWith(name, "Settings.ToneTips")) {
        s.area = Area::ToneTips;
    } else if (startsWith(name, "Settings.EmbeddedMessage")) {
        s.area = Area::EmbeddedMessage;
    }
    return s;
}

} // namespace

ChangeSummary summarizeChange(const ImageSet& before, const ImageSet& after)
{
    using Area = ChangeSummary::Area;
    const std::vector<FieldDifference> differences = diffImages(before, after);
    ChangeSummary settings;
    std::set<int> channels;
    std::string firstChannelField;
    const std::string_view table = "ActiveChannels[Number=";
    for (const FieldDifference& d : differences) {
        if (startsWith(d.name, table)) {
            const int number = std::atoi(d.name.c_str() + table.size());
            const std::size_t dot = d.name.find("].");
            // A channel comes and goes with its receive frequency.
            if (channels.empty())
                firstChannelField = dot == std::string::npos ? std::string("RxFrequency") : d.name.substr(dot + 2);
            channels.insert(number);
            continue;
        }
        const ChangeSummary area = settingsArea(d.name);
        // The mode outranks everything; otherwise the first named area wins.
        if (area.area == Area::ChannelMode || (settings.area == Area::Other && area.area != Area::Other))
            if (settings.area != Area::ChannelMode)
                settings = area;
    }
    // An edit of a radio-wide feature may clear references in channels; the
    // feature is what the user changed.
    if (settings.area != Area::Other)
        return settings;
    ChangeSummary s;
    if (channels.size() == 1) {
        s.area = Area::Channel;
        s.channelNumber = *channels.begin();
        s.field = firstChannelField;
    } else if (channels.size() > 1) {
        s.area = Area::Channels;
    }
    return s;
}

void EditHistory::reset(const ImageSet& current)
{
    absorb(current);
    done_.clear();
    undone_.clear();
}

std::vector<std::uint8_t>& EditHistory::knownBytes()
{
    if (knownImage_) {
        known_ = writeFullImage(*knownImage_);
        knownImage_.reset();
    }
    return known_;
}

bool EditHistory::commit(const ImageSet& current, std::optional<ChangeSummary::Area> named)
{
    if (!named)
        return commitStep(current, std::nullopt);
    ChangeSummary summary;
    summary.area = *named;
    return commitStep(current, summary);
}

bool EditHistory::commit(const ImageSet& current, const ChangeSummary& summary) { return commitStep(current, summary); }

bool EditHistory::commitStep(const ImageSet& current, const std::optional<ChangeSummary>& named)
{
    std::vector<std::uint8_t> now = writeFullImage(current);
    std::vector<std::uint8_t>& known = knownBytes();
    if (known.empty()) {
        known = std::move(now);
        return false;
    }
    if (now == known)
        return false;
    Step step;
    step.runs = changedRuns(known, now);
    if (named) {
        step.summary = *named;
    } else {
        const ImageSet before =
            readFullImage(std::span<const std::uint8_t, kFullFileBytes>(known.data(), kFullFileBytes));
        step.summary = summarizeChange(before, current);
    }
    known_ = std::move(now);
    done_.push_back(std::move(step));
    if (static_cast<int>(done_.size()) > limit_)
        done_.pop_front();
    undone_.clear();
    return true;
}

void EditHistory::absorb(const ImageSet& current)
{
    known_.clear();
    knownImage_ = current;
}

bool EditHistory::undo(ImageSet& working)
{
    if (done_.empty())
        return false;
    apply(done_.back(), false, working);
    undone_.push_back(std::move(done_.back()));
    done_.pop_back();
    return true;
}

bool EditHistory::redo(ImageSet& working)
{
    if (undone_.empty())
        return false;
    apply(undone_.back(), true, working);
    done_.push_back(std::move(undone_.back()));
    undone_.pop_back();
    return true;
}

std::vector<EditHistory::Run> EditHistory::changedRuns(const std::vector<std::uint8_t>& before,
                                                       const std::vector<std::uint8_t>& after)
{
    // Runs closer than this are joined: fewer, slightly longer runs.
    constexpr std::size_t kJoinGap = 8;
    std::vector<Run> runs;
    const std::size_t size = std::min(before.size(), after.size());
    std::size_t i = 0;
    while (i < size) {
        if (before[i] == after[i]) {
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        std::size_t same = 0;
        for (std::size_t j = end; j < size && same < kJoinGap; ++j) {
            if (before[j] == after[j]) {
                ++same;
            } else {
                same = 0;
                end = j + 1;
            }
        }
        Run run;
        run.offset = static_cast<std::uint32_t>(i);
        run.before.assign(before.begin() + static_cast<long>(i), before.begin() + static_cast<long>(end));
        run.after.assign(after.begin() + static_cast<long>(i), after.begin() + static_cast<long>(end));
        runs.push_back(std::move(run));
        i = end;
    }
    return runs;
}

void EditHistory::apply(const Step& step, bool forward, ImageSet& working)
{
    knownBytes();
    for (const Run& run : step.runs) {
        const auto& bytes = forward ? run.after : run.before;
        std::copy(bytes.begin(), bytes.end(), known_.begin() + run.offset);
    }
    working = readFullImage(std::span<const std::uint8_t, kFullFileBytes>(known_.data(), kFullFileBytes));
}

} // namespace zav
