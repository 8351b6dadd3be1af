#pragma once

// Undo and redo of edits to the working image. A step is whatever one user
// action changed, found by comparing the image before and after the action,
// so every window's edits (and the normalisations an action causes) are
// covered by one mechanism. Steps are kept as the changed byte runs of the
// image's file form: a hundred steps cost a few kilobytes, not a hundred
// copies of the image.

#include "radio_image.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace zav {

inline constexpr int kUndoSteps = 200;

/// What a step changed, for its name in the Edit menu.
struct ChangeSummary {
    enum class Area {
        Channel,          ///< one channel: channelNumber and field
        Channels,         ///< several channels
        GroupName,        ///< group: the group's index
        EmergencyChannel,
        AmFm,
        OptionalFeatures,
        Dtmf,
        ToneTips,
        EmbeddedMessage,
        ChannelMode,
        Import,           ///< channels imported from a file, whatever they touched
        Paste,            ///< channels pasted from the clipboard
        BulkSet,          ///< values set on several channels: field (or "" for several), channelNumber = how many
        FillDown,         ///< field filled down over channelNumber channels
        ClearChannels,    ///< channelNumber channels emptied
        Other,
    };
    Area area = Area::Other;
    int channelNumber = 0;
    int group = 0;
    /// Channel: the member that changed first ("RxFrequency", "Offset",
    /// "RxTone", "Option11", ...); "RxFrequency" when the channel was added
    /// or removed, which typing or clearing its frequency does.
    std::string field;
};

/// The area of the change from before to after.
[[nodiscard]] ChangeSummary summarizeChange(const ImageSet& before, const ImageSet& after);

class EditHistory {
public:
    explicit EditHistory(int limit = kUndoSteps) : limit_(limit) {}

    /// Forgets every step; current is the state steps start from (a new or
    /// opened document, a successful read).
    void reset(const ImageSet& current);
    /// Records the change from the last known state to current as one step
    /// and clears the redo steps. False when nothing changed. The step is
    /// named by what it changed, or by the area given (an import is an
    /// import, whichever fields its rows happened to touch).
    bool commit(const ImageSet& current, std::optional<ChangeSummary::Area> named = std::nullopt);
    /// As commit, the step named by summary (a bulk edit names its field
    /// and how many channels it reached).
    bool commit(const ImageSet& current, const ChangeSummary& summary);

    [[nodiscard]] bool canUndo() const { return !done_.empty(); }
    [[nodiscard]] bool canRedo() const { return !undone_.empty(); }
    [[nodiscard]] const ChangeSummary& undoSummary() const { return done_.back().summary; }
    [[nodiscard]] const ChangeSummary& redoSummary() const { return undone_.back().summary; }
    [[nodiscard]] int undoCount() const { return static_cast<int>(done_.size()); }

    /// Puts the state before the last step into working. False when there
    /// is nothing to undo (working is not touched).
    bool undo(ImageSet& working);
    /// Puts the state after the last undone step into working.
    bool redo(ImageSet& working);

private:
    bool commitStep(const ImageSet& current, const std::optional<ChangeSummary>& named);
    /// Takes current as the known state without making it a step.
    void absorb(const ImageSet& current);

    struct Run {
        std::uint32_t offset = 0;
        std::vector<std::uint8_t> before;
        std::vector<std::uint8_t> after;
    };
    struct Step {
        std::vector<Run> runs;
        ChangeSummary summary;
    };

    static std::vector<Run> changedRuns(const std::vector<std::uint8_t>& before, const std::vector<std::uint8_t>& after);
    void apply(const Step& step, bool forward, ImageSet& working);

    /// The known state's file form, encoded from knownImage_ when first
    /// needed: a reset at start-up or after an open costs a copy, not an
    /// encoding of the whole image.
    std::vector<std::uint8_t>& knownBytes();

    int limit_;
    std::vector<std::uint8_t> known_;
    std::optional<ImageSet> knownImage_; ///< set while known_ is not yet encoded
    std::deque<Step> done_;
    std::deque<Step> undone_;
};

} // namespace zav
