// Undo in the desktop program, on a document with all 521 channels in both
// tables and the channel table and two feature editors open:
// - time: one undo (history plus every open editor showing the document
//   again) against the same refresh of those windows without undo
//   (goal: at most 2);
// - memory: the peak memory of a run that keeps 100 undo steps against
//   the same run keeping none (goal: at most 10 MB more). Each is measured
//   in a process of its own, since a process's peak only grows.

#include "main_window_fixture.h"

#include "channel_groups.h"
#include "defaults.h"
#include "editor_catalog.h"
#include "editor_window.h"
#include "undo_tracker.h"
#include "window_names.h"
#include "window_registry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMdiSubWindow>
#include <QProcess>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace zav;

namespace {

constexpr int kRuns = 15;
constexpr int kSteps = 100;
const QStringList kEditors{zav::kChannelTableName, zav::kOptionalFeaturesName, zav::kDtmfEditorName};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

long PeakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

/// Every slot of both tables used, on the raster inside the band.
void FillDocument(Document& doc)
{
    doc.image().ChannelMode = kExtendedMode;
    buildNewDocument(doc, std::string(), TemplateVariant::NewDocument);
    for (bool standby : {false, true}) {
        ChannelTable& table = standby ? doc.standby() : doc.active();
        for (int i = 0; i < kChannelSlots; ++i) {
            ChannelRecord& r = table[static_cast<std::size_t>(i)];
            r = ChannelRecord{};
            r.Number = static_cast<Int16>(i + 1);
            std::string digits = std::to_string(2561500 + 500 * (i % 800));
            digits.insert(0, 8 - digits.size(), '0');
            r.RxFrequency.assign(digits);
            r.RxTone = static_cast<Int16>(i % 50);
            r.TxTone = r.RxTone;
        }
        (standby ? doc.image().StandbyChannelCount : doc.image().ChannelCount) = kChannelSlots;
    }
    doc.copyWorkingToSaved();
}

/// The main window over a full document with the three windows open.
struct Desk {
    Desk()
    {
        FillDocument(fixture.session.doc);
        main = &fixture.open();
        for (const QString& name : kEditors)
            main->openEditor(name);
        test::ShellFixture::flush();
        main->undoTracker()->resetHistory();
    }

    /// One edit as a user makes it: a channel's receive tone changes and the
    /// tracker records it once the input has been handled.
    void edit(int channel)
    {
        Int16& tone = fixture.session.doc.active()[static_cast<std::size_t>(channel % kChannelSlots)].RxTone;
        tone = static_cast<Int16>((tone + 1) % 50);
        main->undoTracker()->checkForEdit();
    }

    /// What an undo has every open window do, without the undo: each editor
    /// shows the document again where it was.
    void refreshWindows()
    {
        for (QMdiSubWindow* sub : main->area()->subWindowList()) {
            const QString name = sub->widget()->objectName();
            const QRect geometry = sub->geometry();
            auto* editor = qobject_cast<ui::EditorWindow*>(sub->widget());
            if (editor && editor->reloadDocument())
                continue;
            sub->close();
            test::ShellFixture::flush();
            QWidget* shown = ui::showEditor(main->area(), name, [&] { return createEditor(name, main->context()); });
            if (auto* reopened = shown ? qobject_cast<QMdiSubWindow*>(shown->parentWidget()) : nullptr)
                reopened->setGeometry(geometry);
        }
        test::ShellFixture::flush();
    }

    test::ShellFixture fixture;
    MainWindow* main = nullptr;
};

template <class Fn>
double MedianMilliseconds(Fn fn)
{
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        fn();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return Median(times);
}

int MeasureTime()
{
    Desk desk;
    int channel = 0;
    const double refresh = MedianMilliseconds([&] { desk.refreshWindows(); });
    const double undo = MedianMilliseconds([&] {
        desk.edit(++channel);
        desk.main->undoTracker()->undo();
        test::ShellFixture::flush();
    });
    std::printf("undo of one edit with 521 channels in both tables, channel table and two editors open:\n"
                "  undo %.1f ms, refresh without undo %.1f ms: ratio %.2f (goal <= 2)\n",
                undo, refresh, undo / refresh);
    return 0;
}

/// Child run: makes kSteps edits keeping them (keep) or not, prints the
/// peak memory in kilobytes.
int MemoryRun(bool keep)
{
    Desk desk;
    for (int step = 0; step < kSteps; ++step) {
        // Edits spread over the table, each a step of its own.
        for (int c = 0; c < 5; ++c)
            desk.edit(step * 5 + c);
        if (!keep)
            desk.main->undoTracker()->resetHistory();
    }
    if (keep && desk.main->undoTracker()->history().undoCount() < kSteps) {
        std::fprintf(stderr, "only %d steps kept\n", desk.main->undoTracker()->history().undoCount());
        return 1;
    }
    std::printf("%ld\n", PeakKilobytes());
    return 0;
}

long ChildPeak(const QString& mode)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {mode});
    if (!child.waitForFinished(120000) || child.exitCode() != 0)
        return -1;
    return child.readAllStandardOutput().trimmed().toLong();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("ZAV_SOURCE_DIR", ZAV_SOURCE_DIR);
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 2 && args[1] == "--memory-run-keep")
        return MemoryRun(true);
    if (args.size() == 2 && args[1] == "--memory-run-none")
        return MemoryRun(false);

    if (MeasureTime() != 0)
        return 1;
    const long none = ChildPeak("--memory-run-none");
    const long kept = ChildPeak("--memory-run-keep");
    if (none < 0 || kept < 0) {
        std::fprintf(stderr, "bench_undo: a memory run failed\n");
        return 1;
    }
    std::printf("  peak memory with %d undo steps %.1f MB, with none %.1f MB: %+.2f MB (goal <= +10 MB)\n", kSteps,
                double(kept) / 1024.0, double(none) / 1024.0, double(kept - none) / 1024.0);
    return 0;
}
