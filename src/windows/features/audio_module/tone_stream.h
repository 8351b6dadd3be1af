#pragma once

// The samples the audio module's sink pulls: 16-bit mono, the queued steps
// one after another, and silence whenever nothing is queued. The stream
// never ends, so the sink never runs dry between the notes of a melody and
// each note sounds for exactly its own number of samples, wherever the
// sound server's buffering puts it.

#include <QIODevice>

#include <deque>

class ToneStream : public QIODevice {
public:
    explicit ToneStream(int sampleRate, QObject* parent = nullptr);

    /// Queues `ms` of a sine of `hz` (hz <= 0: silence) after what is queued.
    void append(int hz, int ms);
    /// Forgets what is queued; reads give silence from now on.
    void clear();
    /// True once every queued step has been read.
    [[nodiscard]] bool drained() const { return steps_.empty(); }

    bool isSequential() const override { return true; }
    bool atEnd() const override { return false; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 maxSize) override;

private:
    struct Step {
        int hz = 0;
        qint64 total = 0;    ///< samples
        qint64 position = 0; ///< samples read so far
    };

    [[nodiscard]] qint16 sample(const Step& step) const;

    int sampleRate_;
    std::deque<Step> steps_;
};
