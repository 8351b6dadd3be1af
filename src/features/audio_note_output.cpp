#include "audio_note_output.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace zav {

namespace {
constexpr int kSampleRate = 48000;
constexpr double kAmplitude = 0.3 * 32767;
constexpr int kFadeSamples = kSampleRate / 200; ///< 5 ms ramps keep the edges from clicking
constexpr int kGuardSlackMs = 1000;
} // namespace

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

std::unique_ptr<AudioNoteOutput> AudioNoteOutput::Create()
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
    return std::unique_ptr<AudioNoteOutput>(new AudioNoteOutput(format));
}

AudioNoteOutput::AudioNoteOutput(const QAudioFormat& format)
    : format_(format),
      sink_(new QAudioSink(QMediaDevices::defaultAudioOutput(), format, this)),
      source_(new SineSource(this)),
      silence_(new SilentOutput(this)),
      guard_(new QTimer(this))
{
    guard_->setSingleShot(true);
    connect(sink_, &QAudioSink::stateChanged, this, &AudioNoteOutput::sinkStateChanged);
    connect(silence_, &NoteOutput::finished, this, &AudioNoteOutput::end);
    connect(guard_, &QTimer::timeout, this, [this] {
        sounding_ = false;
        sink_->stop();
        end();
    });
}

AudioNoteOutput::~AudioNoteOutput()
{
    sounding_ = false;
    sink_->stop();
}

void AudioNoteOutput::start(int hz, int ms)
{
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

void AudioNoteOutput::sinkStateChanged()
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
        QTimer::singleShot(0, this, &AudioNoteOutput::end);
    }
}

void AudioNoteOutput::keepTime(int ms) { silence_->start(0, ms); }

void AudioNoteOutput::end()
{
    if (!busy_)
        return;
    busy_ = false;
    emit finished();
}

} // namespace zav
