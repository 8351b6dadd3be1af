// Tones through the default audio device: a sine of the note's frequency,
// generated as the sink pulls it, for exactly the note's length. Built as
// its own module so that Qt Multimedia (and the sound server's client
// library behind it) is loaded only when a tone tip is first played, not at
// every start of the program.

#include "zav_audio_api.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QElapsedTimer>
#include <QIODevice>
#include <QMediaDevices>
#include <QObject>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#define ZAV_AUDIO_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr int kSampleRate = 48000;
constexpr double kAmplitude = 0.3 * 32767;
constexpr int kFadeSamples = kSampleRate / 200; ///< 5 ms ramps keep the edges from clicking
constexpr int kGuardSlackMs = 1000;

/// 16-bit mono sine samples of one tone, made as they are read.
class SineSource : public QIODevice {
public:
    using QIODevice::QIODevice;

    void setTone(int hz, int ms)
    {
        hz_ = hz;
        total_ = static_cast<qint64>(kSampleRate) * std::max(ms, 0) / 1000;
        position_ = 0;
    }

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return (total_ - position_) * 2 + QIODevice::bytesAvailable(); }
    bool atEnd() const override { return position_ >= total_; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 count = std::min(maxSize / 2, total_ - position_);
        for (qint64 i = 0; i < count; ++i, ++position_) {
            const double ramp = std::min({1.0, static_cast<double>(position_) / kFadeSamples,
                                          static_cast<double>(total_ - position_) / kFadeSamples});
            const double phase = 2 * std::numbers::pi * hz_ * static_cast<double>(position_) / kSampleRate;
            const auto sample = static_cast<qint16>(std::lround(kAmplitude * ramp * std::sin(phase)));
            std::memcpy(data + 2 * i, &sample, 2);
        }
        return count * 2;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    int hz_ = 0;
    qint64 total_ = 0;
    qint64 position_ = 0;
};

/// One note at a time on the sink. Pauses, and the rest of a note whose
/// device failed, are kept in silence by a precise timer; a guard timer ends
/// a tone whose sink never reports its end, so a melody can never hang.
class AudioNote : public QObject {
public:
    explicit AudioNote(const QAudioDevice& device, const QAudioFormat& format)
        : sink_(new QAudioSink(device, format, this)),
          source_(new SineSource(this)),
          silence_(new QTimer(this)),
          guard_(new QTimer(this))
    {
        silence_->setSingleShot(true);
        silence_->setTimerType(Qt::PreciseTimer);
        guard_->setSingleShot(true);
        connect(sink_, &QAudioSink::stateChanged, this, [this] { sinkStateChanged(); });
        connect(silence_, &QTimer::timeout, this, [this] { end(); });
        connect(guard_, &QTimer::timeout, this, [this] {
            sounding_ = false;
            sink_->stop();
            end();
        });
    }

    ~AudioNote() override { quiet(); }

    void start(int hz, int ms, ZavAudioDone done, void* ctx)
    {
        done_ = done;
        ctx_ = ctx;
        busy_ = true;
        stepMs_ = ms;
        started_.start();
        if (hz <= 0 || ms <= 0) {
            keepTime(ms);
            return;
        }
        source_->close();
        source_->setTone(hz, ms);
        source_->open(QIODevice::ReadOnly);
        sounding_ = true;
        guard_->start(ms + kGuardSlackMs);
        sink_->start(source_);
        if (sink_->error() != QAudio::NoError)
            sinkStateChanged();
    }

    /// Stops sound and timers; no done call follows.
    void quiet()
    {
        busy_ = false;
        done_ = nullptr;
        sounding_ = false;
        silence_->stop();
        guard_->stop();
        sink_->stop();
    }

    /// True while done is being called: deleting now would pull the object
    /// out from under the timer or sink that is notifying.
    [[nodiscard]] bool inCallback() const { return inCallback_; }

private:
    void sinkStateChanged()
    {
        if (!sounding_)
            return;
        const QAudio::State state = sink_->state();
        if (sink_->error() != QAudio::NoError && sink_->error() != QAudio::UnderrunError) {
            // The device failed: the rest of the note is kept as silence.
            sounding_ = false;
            guard_->stop();
            sink_->stop();
            keepTime(static_cast<int>(std::max<qint64>(0, stepMs_ - started_.elapsed())));
            return;
        }
        if (state == QAudio::IdleState && source_->atEnd()) {
            sounding_ = false;
            guard_->stop();
            sink_->stop();
            // Not from inside the sink's own notification: the next note
            // restarts the sink.
            QTimer::singleShot(0, this, [this] { end(); });
        }
    }

    void keepTime(int ms) { silence_->start(std::max(ms, 0)); }

    void end()
    {
        if (!busy_ || !done_)
            return;
        busy_ = false;
        // The callback usually starts the next note, which replaces done_.
        const ZavAudioDone done = done_;
        void* const ctx = ctx_;
        done_ = nullptr;
        inCallback_ = true;
        done(ctx);
        inCallback_ = false;
    }

    QAudioSink* sink_;
    SineSource* source_;
    QTimer* silence_;
    QTimer* guard_;
    QElapsedTimer started_;
    ZavAudioDone done_ = nullptr;
    void* ctx_ = nullptr;
    int stepMs_ = 0;
    bool busy_ = false;
    bool sounding_ = false;
    bool inCallback_ = false;
};

} // namespace

ZAV_AUDIO_EXPORT void* zav_audio_create(void)
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return nullptr;
    QAudioFormat format;
    format.setSampleRate(kSampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        return nullptr;
    return new AudioNote(device, format);
}

ZAV_AUDIO_EXPORT void zav_audio_start(void* out, int hz, int ms, ZavAudioDone done, void* ctx)
{
    if (out && done)
        static_cast<AudioNote*>(out)->start(hz, ms, done, ctx);
}

ZAV_AUDIO_EXPORT void zav_audio_destroy(void* out)
{
    if (!out)
        return;
    auto* note = static_cast<AudioNote*>(out);
    note->quiet();
    if (note->inCallback())
        note->deleteLater();
    else
        delete note;
}
