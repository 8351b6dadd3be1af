// Plays tone tip 1 of a new document through the real player (the audio
// device when there is one, otherwise the silent timer output) and prints
// how long playback took against the melody's nominal length: the notes,
// their repetitions and the intervals. Goal: a ratio between 0.98 and 1.02.

#include "defaults.h"
#include "document.h"
#include "tone_player.h"
#include "tone_tip_rules.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);

    zav::Document doc;
    zav::buildNewDocument(doc, "/nonexistent-init-folder", zav::TemplateVariant::NewDocument);
    const std::vector<zav::PlaybackStep> steps = zav::playbackSteps(doc.image().ToneTips[0]);
    const long long nominal = zav::nominalLengthMs(steps);

    constexpr int kRuns = 3;
    zav::ToneTipPlayer player;
    QElapsedTimer clock;
    int runsLeft = kRuns;
    long long measured = 0;
    QObject::connect(&player, &zav::ToneTipPlayer::finished, &app, [&] {
        measured += clock.elapsed();
        if (--runsLeft == 0) {
            app.quit();
            return;
        }
        clock.start();
        player.play(steps);
    });
    clock.start();
    if (!player.play(steps)) {
        std::printf("tone tip 1 has nothing to play\n");
        return 1;
    }
    app.exec();

    const double perRun = static_cast<double>(measured) / kRuns;
    const bool silent = qobject_cast<zav::SilentOutput*>(player.output()) != nullptr;
    std::printf("output: %s\n", silent ? "silent timers (no audio device)" : "audio device");
    std::printf("tone tip 1: %zu steps, nominal %lld ms, measured %.1f ms per run (%d runs)\n", steps.size(),
                nominal, perRun, kRuns);
    std::printf("measured/nominal = %.3f (goal 0.98..1.02)\n", perRun / static_cast<double>(nominal));
    return 0;
}
