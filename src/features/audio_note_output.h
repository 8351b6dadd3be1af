#pragma once

// Tones through the default audio device: a sine of the note's frequency,
// generated as the sink pulls it, for exactly the note's length.

#include "tone_player.h"

#include <QAudioFormat>
#include <QElapsedTimer>

#include <memory>

class QAudioSink;
class QTimer;

namespace zav {

class SineSource;

class AudioNoteOutput : public NoteOutput {
    Q_OBJECT
public:
    /// nullptr when the machine has no usable audio output.
    [[nodiscard]] static std::unique_ptr<AudioNoteOutput> Create();
    ~AudioNoteOutput() override;

    void start(int hz, int ms) override;

private:
    explicit AudioNoteOutput(const QAudioFormat& format);
    void sinkStateChanged();
    /// The rest of the step in silence (silences, and a sink that failed).
    void keepTime(int ms);
    void end();

    QAudioFormat format_;
    QAudioSink* sink_;
    SineSource* source_;
    SilentOutput* silence_;
    QTimer* guard_;       ///< ends a tone whose sink never reports the end
    QElapsedTimer started_;
    int stepMs_ = 0;
    bool busy_ = false;
    bool sounding_ = false;
};

} // namespace zav
