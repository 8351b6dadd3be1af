// The fleet window's production line against paced virtual radios plugged
// in one second apart (the device list is the system's with the virtual
// radios added, so every poll costs what it costs on a shop's bench):
// - CPU while waiting: the desktop program's processor time over a quiet
//   stretch with the line on and no radio coming (goal: at most 10 % of a
//   core);
// - CPU while writing: over the run from the first radio plugged in to the
//   last one written (goal: at most 25 %), the virtual radios' own
//   processes not counted.

#include "main_window_fixture.h"

#include "fleet_radio.h"
#include "fleet_window.h"
#include "sim_process.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QSpinBox>

#include <sys/resource.h>

#include <cstdio>
#include <memory>
#include <vector>

using namespace zav;

namespace {

constexpr int kRadios = 8;
constexpr int kPlugGapMs = 1000;
constexpr int kQuietMs = 5000;
constexpr int kTimeoutMs = 10 * 60 * 1000;

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

/// Runs the event loop for ms, however busy it is.
void Wait(int ms)
{
    QElapsedTimer clock;
    clock.start();
    test::ShellFixture::runUntil([&] { return clock.elapsed() >= ms; }, ms + 1000);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("ZAV_SOURCE_DIR", ZAV_SOURCE_DIR);
    QApplication app(argc, argv);
    test::ShellFixture shell;
    MainWindow& main = shell.open();
    shell.prompter.answers = {ui::Answer::Yes}; // in case the document has errors

    std::vector<FleetDevice> plugged;
    FleetWindow fleet(main.context(), [&] {
        std::vector<FleetDevice> now = systemFleetDevices();
        now.insert(now.end(), plugged.begin(), plugged.end());
        return now;
    });
    fleet.verifyBox()->setChecked(false); // the write alone
    fleet.show();
    if (!fleet.setProductionLine(true))
        return 1;

    std::printf("production line, %d paced virtual radios plugged in %d ms apart\n", kRadios, kPlugGapMs);
    const double quietCpu = CpuSeconds();
    QElapsedTimer quiet;
    quiet.start();
    Wait(kQuietMs);
    const double waitingShare = (CpuSeconds() - quietCpu) / (static_cast<double>(quiet.nsecsElapsed()) / 1e9);

    std::vector<std::unique_ptr<testing::SimProcess>> sims;
    const double writingCpu = CpuSeconds();
    QElapsedTimer writing;
    writing.start();
    for (int i = 0; i < kRadios; ++i) {
        sims.push_back(std::make_unique<testing::SimProcess>(QStringList{"--paced"}));
        plugged.push_back({sims.back()->device(), "virtual radio", "", true});
        Wait(kPlugGapMs); // the window's own poll finds it
    }
    test::ShellFixture::runUntil([&] { return fleet.radioCount() == kRadios && fleet.allFinished(); }, kTimeoutMs);
    const double writingSeconds = static_cast<double>(writing.nsecsElapsed()) / 1e9;
    const double writingShare = (CpuSeconds() - writingCpu) / writingSeconds;
    int written = 0;
    for (int i = 0; i < fleet.radioCount(); ++i)
        written += fleet.radio(i)->succeeded();

    std::printf("written: %d of %d in %.1f s\n", written, kRadios, writingSeconds);
    std::printf("program cpu waiting for a radio: %.1f %% of one core (goal <= 10 %%)\n", 100.0 * waitingShare);
    std::printf("program cpu while writing:       %.1f %% of one core (goal <= 25 %%)\n", 100.0 * writingShare);
    fleet.setProductionLine(false);
    return written == kRadios ? 0 : 1;
}
