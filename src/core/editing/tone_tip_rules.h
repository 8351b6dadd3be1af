#pragma once

// Tone tips without a window: how their lists map to the fields, what a
// playback sounds (note by note), and the geometry of the diagram.

#include "radio_image.h"

#include <vector>

namespace zav {

inline constexpr int kRepeatEntries = 11;      ///< off, then 1..10
inline constexpr int kTimeEntries = 256;       ///< 0, 10, ... 2550 ms (lengths and interval)
inline constexpr int kFrequencyEntries = 217;  ///< pause, then 400, 410, ... 2550 Hz

/// Entry of the frequency list for a stored noteFrequency (10 Hz units):
/// 0 (pause) for 0..39 and for values without an entry.
[[nodiscard]] int frequencyEntry(int stored);
/// noteFrequency stored for a frequency-list entry (0 for the pause entry).
[[nodiscard]] Int16 frequencyValue(int entry);
/// Hertz of a frequency-list entry (0 for the pause entry).
[[nodiscard]] int frequencyEntryHz(int entry);

/// One step of a playback: a tone (hz > 0) or a silence, for ms.
struct PlaybackStep {
    int hz = 0;
    int ms = 0;
    bool operator==(const PlaybackStep&) const = default;
};

/// What playing a tone tip sounds, in order: each repetition sounds every
/// note longer than 4 ms (a tone above 48 Hz, else silence), then waits the
/// interval. Empty when the notes together are not longer than 4 ms.
[[nodiscard]] std::vector<PlaybackStep> playbackSteps(const ToneTip& tip);
/// Sum of the steps' lengths in ms.
[[nodiscard]] long long nominalLengthMs(const std::vector<PlaybackStep>& steps);

/// One filled rectangle of the diagram, in drawing units; y is the top.
struct DiagramBar {
    int note = 0;  ///< 1..14; odd notes are drawn red, even notes blue
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const DiagramBar&) const = default;
};

/// Bars of a tone tip drawn into an area of width × height units with a
/// margin of 50 units: widths share width − 100 by note length, heights are
/// noteFrequency × (height − 100) / 256; a pause has height 0.
[[nodiscard]] std::vector<DiagramBar> diagramBars(const ToneTip& tip, int width, int height);

} // namespace zav
