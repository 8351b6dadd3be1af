// Program > Write to Many Radios... driven headless against paced virtual
// radios (9600-baud time on the line):
// - time: sixteen radios written at once against one radio alone
//   (goal: at most 1.1, the radios must not wait for one another);
// - CPU: the desktop program's processor time for the sixteen as a share
//   of one core over the run (goal: at most 25 %), the virtual radios'
//   own processes not counted.

#include "main_window_fixture.h"

#include "fleet_radio.h"
#include "fleet_window.h"
#include "sim_process.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSpinBox>

#include <sys/resource.h>

#include <cstdio>
#include <memory>
#include <vector>

using namespace zav;

namespace {

constexpr int kRadios = 16;
constexpr int kTimeoutMs = 10 * 60 * 1000;

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Run {
    double seconds = 0;
    double cpu = 0;
    int written = 0;
};

/// Writes the document to `radios` paced virtual radios from a fresh fleet
/// window; verification off, so the time is the write alone.
Run WriteFleet(MainWindow& main, int radios)
{
    std::vector<std::unique_ptr<testing::SimProcess>> sims;
    for (int i = 0; i < radios; ++i)
        sims.push_back(std::make_unique<testing::SimProcess>(QStringList{"--paced"}));
    main.showFleetWindow();
    FleetWindow* fleet = main.fleetWindow();
    for (const auto& sim : sims)
        fleet->addDevice(sim->device());
    fleet->verifyBox()->setChecked(false);

    Run run;
    QElapsedTimer clock;
    const double cpuBefore = CpuSeconds();
    clock.start();
    fleet->startButton()->click();
    test::ShellFixture::runUntil([&] { return fleet->allFinished(); }, kTimeoutMs);
    run.seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    run.cpu = CpuSeconds() - cpuBefore;
    for (int i = 0; i < fleet->radioCount(); ++i)
        run.written += fleet->radio(i)->succeeded();
    fleet->close();
    test::ShellFixture::flush();
    return run;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("ZAV_SOURCE_DIR", ZAV_SOURCE_DIR);
    QApplication app(argc, argv);
    test::ShellFixture shell;
    MainWindow& main = shell.open();

    std::printf("fleet window, paced virtual radios at 9600 baud\n");
    const Run one = WriteFleet(main, 1);
    std::printf("one radio:     %6.2f s (%d written)\n", one.seconds, one.written);
    const Run many = WriteFleet(main, kRadios);
    std::printf("%2d radios:     %6.2f s (%d written), cpu %.2f s\n", kRadios, many.seconds, many.written, many.cpu);
    std::printf("time ratio %d radios / one: %.3f (goal <= 1.1)\n", kRadios, many.seconds / one.seconds);
    std::printf("program cpu for %d radios: %.1f %% of one core (goal <= 25 %%)\n", kRadios,
                100.0 * many.cpu / many.seconds);
    return one.written == 1 && many.written == kRadios ? 0 : 1;
}
