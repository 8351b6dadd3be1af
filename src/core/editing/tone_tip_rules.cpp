#include "tone_tip_rules.h"

#include "numbers.h"

namespace zav {

namespace {

constexpr int kLowestFrequency = 40;   ///< 400 Hz, entry 1
constexpr int kMinimumNoteMs = 4;      ///< notes not longer than this are skipped
constexpr int kMinimumToneHz = 48;     ///< lower frequencies are played as silence
constexpr int kMargin = 50;

} // namespace

int frequencyEntry(int stored)
{
    const int entry = stored - kLowestFrequency + 1;
    return (entry >= 1 && entry < kFrequencyEntries) ? entry : 0;
}

Int16 frequencyValue(int entry)
{
    if (entry < 1 || entry >= kFrequencyEntries)
        return 0;
    return static_cast<Int16>(kLowestFrequency + entry - 1);
}

int frequencyEntryHz(int entry) { return frequencyValue(entry) * 10; }

std::vector<PlaybackStep> playbackSteps(const ToneTip& tip)
{
    std::vector<PlaybackStep> steps;
    long long total = 0;
    for (int note = 1; note <= kToneTipNotes; ++note)
        total += tip.noteDuration(note) * 10LL;
    if (total <= kMinimumNoteMs)
        return steps;
    const int interval = tip.tipInterval() * 10;
    for (int repeat = 0; repeat < tip.tipRepeatCount(); ++repeat) {
        for (int note = 1; note <= kToneTipNotes; ++note) {
            const int ms = tip.noteDuration(note) * 10;
            if (ms <= kMinimumNoteMs)
                continue;
            const int hz = tip.noteFrequency(note) * 10;
            steps.push_back({hz > kMinimumToneHz ? hz : 0, ms});
        }
        if (interval > 0)
            steps.push_back({0, interval});
    }
    return steps;
}

long long nominalLengthMs(const std::vector<PlaybackStep>& steps)
{
    long long total = 0;
    for (const PlaybackStep& s : steps)
        total += s.ms;
    return total;
}

std::vector<DiagramBar> diagramBars(const ToneTip& tip, int width, int height)
{
    std::vector<DiagramBar> bars;
    const double w = width - 2 * kMargin;
    const double h = height - 2 * kMargin;
    long long sum = 0;
    for (int note = 1; note <= kToneTipNotes; ++note)
        if (tip.noteDuration(note) > 0)
            sum += tip.noteDuration(note);
    if (sum < 1)
        return bars;
    int x = kMargin;
    const int base = height - kMargin;
    for (int note = 1; note <= kToneTipNotes; ++note) {
        const int duration = tip.noteDuration(note);
        if (duration <= 0)
            continue;
        const int barWidth = static_cast<int>(roundHalfEven(duration * w / static_cast<double>(sum)));
        const int barHeight = static_cast<int>(roundHalfEven(tip.noteFrequency(note) * h / 256.0));
        bars.push_back({note, x, base - barHeight, barWidth, barHeight});
        x += barWidth;
    }
    return bars;
}

} // namespace zav
