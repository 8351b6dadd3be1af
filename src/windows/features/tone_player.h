#pragma once

// Plays a tone tip step by step without ever blocking the event loop: each
// step is handed to a NoteOutput, whose `finished` signal starts the next
// one. A stop request ends playback once the current step has ended.

#include "tone_tip_rules.h"

#include <QElapsedTimer>
#include <QObject>

#include <memory>
#include <vector>

class QTimer;

namespace zav {

/// Sounds one step (a tone, or silence for hz 0) and emits `finished` once
/// it has lasted its length.
class NoteOutput : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    /// Starts a step; `finished` follows exactly once.
    virtual void start(int hz, int ms) = 0;

signals:
    void finished();
};

/// Keeps time with a precise timer and sounds nothing. Back-to-back steps
/// are timed from the previous step's end, so a long melody does not drift.
class SilentOutput : public NoteOutput {
    Q_OBJECT
public:
    explicit SilentOutput(QObject* parent = nullptr);
    void start(int hz, int ms) override;

private:
    QTimer* timer_;
    QElapsedTimer clock_;
    qint64 lastEnd_ = -1; ///< ms on clock_ when the previous step was due to end
};

/// The output for this machine: the default audio device through the audio
/// module when the module loads and there is a device that takes 16-bit
/// mono, otherwise a SilentOutput.
[[nodiscard]] std::unique_ptr<NoteOutput> makeNoteOutput();

class ToneTipPlayer : public QObject {
    Q_OBJECT
public:
    /// Plays through makeNoteOutput() until another output is set.
    explicit ToneTipPlayer(QObject* parent = nullptr);
    ~ToneTipPlayer() override;

    /// Replaces the output (not while playing). The player owns it.
    void setOutput(std::unique_ptr<NoteOutput> output);
    [[nodiscard]] NoteOutput* output() const { return output_.get(); }

    /// Starts the steps; false (and nothing happens) when there are none or
    /// playback is already running.
    bool play(std::vector<PlaybackStep> steps);
    /// Ends playback once the step that is sounding has ended.
    void stop();
    [[nodiscard]] bool isPlaying() const { return playing_; }

    /// Stops and lets the current step end on its own; the player then
    /// deletes itself. For a window that closes while it plays.
    void finishAndDelete();

signals:
    /// Playback has ended (all steps played, or stopped).
    void finished();

private:
    void playNextStep();

    std::unique_ptr<NoteOutput> output_;
    std::vector<PlaybackStep> steps_;
    std::size_t nextStep_ = 0;
    bool playing_ = false;
    bool stopRequested_ = false;
};

} // namespace zav
