#include "tone_stream.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {
constexpr double kAmplitude = 0.3 * 32767;
constexpr int kFadesPerSecond = 200; ///< 5 ms ramps keep the edges from clicking
} // namespace

ToneStream::ToneStream(int sampleRate, QObject* parent) : QIODevice(parent), sampleRate_(sampleRate) {}

void ToneStream::append(int hz, int ms)
{
    const qint64 total = static_cast<qint64>(sampleRate_) * std::max(ms, 0) / 1000;
    if (total > 0)
        steps_.push_back({std::max(hz, 0), total, 0});
}

void ToneStream::clear() { steps_.clear(); }

qint64 ToneStream::bytesAvailable() const
{
    // Endless: there is always at least a second to read.
    return QIODevice::bytesAvailable() + static_cast<qint64>(sampleRate_) * 2;
}

qint16 ToneStream::sample(const Step& step) const
{
    if (step.hz <= 0)
        return 0;
    const double fade = static_cast<double>(sampleRate_) / kFadesPerSecond;
    const double ramp = std::min({1.0, static_cast<double>(step.position) / fade,
                                  static_cast<double>(step.total - step.position) / fade});
    const double phase = 2 * std::numbers::pi * step.hz * static_cast<double>(step.position) / sampleRate_;
    return static_cast<qint16>(std::lround(kAmplitude * ramp * std::sin(phase)));
}

qint64 ToneStream::readData(char* data, qint64 maxSize)
{
    const qint64 count = maxSize / 2;
    for (qint64 i = 0; i < count; ++i) {
        qint16 value = 0;
        if (!steps_.empty()) {
            Step& step = steps_.front();
            value = sample(step);
            if (++step.position >= step.total)
                steps_.pop_front();
        }
        std::memcpy(data + 2 * i, &value, 2);
    }
    return count * 2;
}

qint64 ToneStream::writeData(const char* /*data*/, qint64 /*maxSize*/) { return -1; }
