#include "tone_player.h"

#include "module_note_output.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>

namespace zav {

namespace {
// A step that starts later than this after the previous one's end is timed
// from now: the chain was broken (a pause between playbacks).
constexpr qint64 kChainSlackMs = 50;
} // namespace

SilentOutput::SilentOutput(QObject* parent) : NoteOutput(parent), timer_(new QTimer(this))
{
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, &NoteOutput::finished);
    clock_.start();
}

void SilentOutput::start(int /*hz*/, int ms)
{
    const qint64 now = clock_.elapsed();
    const bool chained = lastEnd_ >= 0 && now - lastEnd_ <= kChainSlackMs && now >= lastEnd_ - 1;
    const qint64 begin = chained ? lastEnd_ : now;
    lastEnd_ = begin + (ms > 0 ? ms : 0);
    timer_->start(static_cast<int>(std::max<qint64>(0, lastEnd_ - now)));
}

std::unique_ptr<NoteOutput> makeNoteOutput()
{
    // The audio module is loaded here, on the first output a player asks
    // for, and not at start-up.
    if (auto audio = makeModuleNoteOutput(audioModuleFolders()))
        return audio;
    return std::make_unique<SilentOutput>();
}

ToneTipPlayer::ToneTipPlayer(QObject* parent) : QObject(parent)
{
    // Looking for the audio device takes a moment; done now, so that Play
    // starts the first note at once.
    setOutput(makeNoteOutput());
}

ToneTipPlayer::~ToneTipPlayer() = default;

void ToneTipPlayer::setOutput(std::unique_ptr<NoteOutput> output)
{
    if (playing_ || !output)
        return;
    output_ = std::move(output);
    output_->setParent(nullptr); // owned by the unique_ptr
    connect(output_.get(), &NoteOutput::finished, this, &ToneTipPlayer::playNextStep);
}

bool ToneTipPlayer::play(std::vector<PlaybackStep> steps)
{
    if (playing_ || steps.empty())
        return false;
    steps_ = std::move(steps);
    nextStep_ = 0;
    stopRequested_ = false;
    playing_ = true;
    playNextStep();
    return true;
}

void ToneTipPlayer::stop() { stopRequested_ = true; }

void ToneTipPlayer::finishAndDelete()
{
    stop();
    if (!playing_) {
        deleteLater();
        return;
    }
    // Outlive the window: keep a parent that lasts for the run, and go once
    // the sounding step has ended.
    setParent(QCoreApplication::instance());
    connect(this, &ToneTipPlayer::finished, this, &QObject::deleteLater);
}

void ToneTipPlayer::playNextStep()
{
    if (!playing_)
        return;
    if (stopRequested_ || nextStep_ >= steps_.size()) {
        playing_ = false;
        steps_.clear();
        emit finished();
        return;
    }
    const PlaybackStep step = steps_[nextStep_++];
    output_->start(step.hz, step.ms);
}

} // namespace zav
