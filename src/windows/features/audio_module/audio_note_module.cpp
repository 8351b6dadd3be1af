// Tones through the default audio device: a sine of the note's frequency,
// generated as the sink pulls it. Built as its own module so that Qt
// Multimedia (and the sound server's client library behind it) is loaded
// only when a tone tip is first played, not at every start of the program.

#include "tone_stream.h"
#include "zav_audio_api.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QObject>
#include <QTimer>

#include <algorithm>

#define ZAV_AUDIO_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr int kSampleRate = 48000;
// What the sound server holds ahead of the speaker. Left to the server,
// PulseAudio keeps seconds, and stopping the sink then throws away notes
// that were never heard.
constexpr qint64 kBufferUs = 100'000;
// A note that starts this soon after the previous one's end carries on from
// that end, so that a melody's length does not drift with the event loop.
constexpr qint64 kChainSlackMs = 50;
// The sink is kept open this long after the last note: the next note of a
// melody follows without reopening it, and the buffered end of the last one
// is played out before it closes.
constexpr int kLingerMs = 1000;

/// One note at a time. Each note's length is kept by a precise timer from
/// the moment the note starts, not by the sink's notifications: on some
/// sound servers the sink reports its end long after the note, or while
/// the end is still buffered. The samples go into one open stream, one note
/// after the other, so the notes sound for their lengths too; a device that
/// fails leaves the rest of the melody timed in silence.
class AudioNote : public QObject {
public:
    explicit AudioNote(const QAudioDevice& device, const QAudioFormat& format)
        : sink_(new QAudioSink(device, format, this)),
          stream_(new ToneStream(kSampleRate, this)),
          noteEnd_(new QTimer(this)),
          linger_(new QTimer(this))
    {
        sink_->setBufferSize(format.bytesForDuration(kBufferUs));
        stream_->open(QIODevice::ReadOnly);
        noteEnd_->setSingleShot(true);
        noteEnd_->setTimerType(Qt::PreciseTimer);
        linger_->setSingleShot(true);
        connect(noteEnd_, &QTimer::timeout, this, [this] { end(); });
        connect(linger_, &QTimer::timeout, this, [this] { closeWhenPlayedOut(); });
        connect(sink_, &QAudioSink::stateChanged, this, [this] { sinkStateChanged(); });
        clock_.start();
    }

    ~AudioNote() override { quiet(); }

    void start(int hz, int ms, ZavAudioDone done, void* ctx)
    {
        done_ = done;
        ctx_ = ctx;
        busy_ = true;
        linger_->stop();
        ms = std::max(ms, 0);

        const qint64 now = clock_.elapsed();
        const bool chained = lastEnd_ >= 0 && now - lastEnd_ <= kChainSlackMs && now >= lastEnd_ - 1;
        const qint64 begin = chained ? lastEnd_ : now;
        lastEnd_ = begin + ms;
        // Also for 0 ms: done comes from the event loop, never from inside start.
        noteEnd_->start(static_cast<int>(std::max<qint64>(0, lastEnd_ - now)));

        if (hz > 0 && ms > 0) {
            if (!open())
                return; // no sound, the timer still keeps the note
            stream_->append(hz, ms);
        } else if (isOpen()) {
            // A pause inside a melody: silence in the stream keeps the next
            // note where it belongs.
            stream_->append(0, ms);
        }
    }

    /// Stops sound and timers at once; no done call follows.
    void quiet()
    {
        busy_ = false;
        done_ = nullptr;
        lastEnd_ = -1;
        noteEnd_->stop();
        linger_->stop();
        close();
    }

    /// True while done is being called: deleting now would pull the object
    /// out from under the timer that is notifying.
    [[nodiscard]] bool inCallback() const { return inCallback_; }

private:
    [[nodiscard]] bool isOpen() const { return sink_->state() != QAudio::StoppedState; }

    /// Starts the sink pulling the stream, unless it already does.
    bool open()
    {
        if (isOpen())
            return true;
        // The sink reads a buffer's worth ahead of what is heard. Starting
        // with that much silence keeps the notes, which are queued as their
        // timers run, flush against each other instead of leaving a gap of
        // that size after the first.
        stream_->clear();
        stream_->append(0, static_cast<int>(kBufferUs / 1000));
        sink_->start(stream_);
        if (sink_->error() == QAudio::NoError || sink_->error() == QAudio::UnderrunError)
            return isOpen();
        close();
        return false;
    }

    void close()
    {
        stream_->clear();
        if (isOpen()) {
            closing_ = true;
            sink_->stop();
            closing_ = false;
        }
    }

    void sinkStateChanged()
    {
        if (closing_ || !isOpen())
            return;
        const QAudio::Error error = sink_->error();
        // The device failed: sound stops, the notes keep their time.
        if (error != QAudio::NoError && error != QAudio::UnderrunError)
            QTimer::singleShot(0, this, [this] { close(); });
    }

    void closeWhenPlayedOut()
    {
        if (busy_)
            return;
        if (!stream_->drained()) {
            linger_->start(kLingerMs);
            return;
        }
        close();
    }

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
        if (!busy_ && isOpen())
            linger_->start(kLingerMs);
    }

    QAudioSink* sink_;
    ToneStream* stream_;
    QTimer* noteEnd_;
    QTimer* linger_;
    QElapsedTimer clock_;
    qint64 lastEnd_ = -1; ///< ms on clock_ when the last note was due to end
    ZavAudioDone done_ = nullptr;
    void* ctx_ = nullptr;
    bool busy_ = false;
    bool closing_ = false;
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
