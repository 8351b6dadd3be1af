// A full read and a full write through the real serial-port adapter and the
// transfer engine against a virtual radio that keeps 9600-baud time (10 bits
// per byte, half duplex). For each: the measured time over the wire time of
// every byte sent and received (goal: at most 1.02) and the program's CPU
// time; the same for a write verified by reading the radio back. Then four
// radios written at once, against one (goal: at most 1.1).
// Time is measured from the handshake to the end request's answer; the
// 100 ms before a write and the 500 ms before a read is decoded are the
// user interface's own pauses and not link time.

#include "sim_process.h"

#include "qt_link_port.h"
#include "qt_timer_service.h"
#include "transfer_engine.h"

#include "defaults.h"
#include "session.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace zav;
using namespace zav::link;

namespace {

constexpr double kSecondsPerByte = 10.0 / 9600.0;

/// One clock for every rig, so transfers that overlap can be compared.
double Now()
{
    static QElapsedTimer epoch = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return double(epoch.nsecsElapsed()) / 1e9;
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

/// The Qt port, with a count of the bytes that cross it.
class CountingPort : public LinkPort {
public:
    explicit CountingPort(const QString& device) : port(device) {}
    bool open() override { return port.open(); }
    void close() override { port.close(); }
    bool isOpen() const override { return port.isOpen(); }
    void setThreshold(int bytes) override { port.setThreshold(bytes); }
    void clearBuffers() override { port.clearBuffers(); }
    void write(std::span<const std::uint8_t> bytes) override
    {
        sent += bytes.size();
        port.write(bytes);
    }
    QtLinkPort port;
    std::size_t sent = 0;
    std::size_t received = 0;
};

class Yes : public TransferPrompts {
public:
    bool confirmTransfer(TransferKind) override { return true; }
    void portFailed() override { std::fprintf(stderr, "port cannot be opened\n"); }
    bool askRetry(TransferKind) override
    {
        std::fprintf(stderr, "transfer stalled\n");
        return false;
    }
    void wrongModel(const std::string&) override {}
    bool askOtherBand() override { return false; }
    void bandRefused() override {}
    bool askOtherVersion(const std::string&) override { return false; }
    void requestPassword() override {}
    void passwordFailure() override {}
    void transferDone(TransferKind) override {}
};

/// One radio: sim, port, timers and engine; times one transfer.
class Rig : public TransferProgress, public TransferObserver {
public:
    explicit Rig(const QStringList& simArgs) : sim(simArgs), port(sim.device())
    {
        session.doc.image().ChannelMode = 0;
        buildNewDocument(session.doc, "/nonexistent/zav-bench-init", TemplateVariant::NewDocument);
        engine = std::make_unique<TransferEngine>(TransferServices{port, timers, prompts, *this, *this}, link,
                                                  TransferContext{session.doc, session.radioPassword, session.versions});
        port.port.setReceiver([this](std::span<const std::uint8_t> bytes) {
            port.received += bytes.size();
            engine->onBytesReceived(bytes);
        });
        timers.setHandler([this](TimerId id) { engine->onTimer(id); });
    }

    void start(bool (TransferEngine::*what)())
    {
        port.sent = port.received = 0;
        done = false;
        ((*engine).*what)();
    }

    // The handshake follows at once: the link part begins.
    void showProgress(TransferKind) override
    {
        startedAt = Now();
        cpuAtStart = CpuSeconds();
    }
    void setPercent(int) override {}
    void hideProgress() override {}
    void transferEnding(const TransferOutcome& o) override
    {
        endedAt = Now();
        seconds = endedAt - startedAt;
        cpu = CpuSeconds() - cpuAtStart;
        success = o.success;
    }
    void transferFinished(const TransferOutcome& o) override
    {
        success = o.success;
        done = true;
        if (onDone)
            onDone();
    }

    [[nodiscard]] double wireSeconds() const { return double(port.sent + port.received) * kSecondsPerByte; }

    testing::SimProcess sim;
    Session session;
    LinkSession link;
    CountingPort port;
    QtTimerService timers;
    Yes prompts;
    std::unique_ptr<TransferEngine> engine;
    double startedAt = 0;
    double endedAt = 0;
    double cpuAtStart = 0;
    double seconds = 0;
    double cpu = 0;
    bool success = false;
    bool done = false;
    std::function<void()> onDone;
};

/// Runs one transfer on each rig at the same time; false if any failed.
bool RunAll(const std::vector<Rig*>& rigs, bool (TransferEngine::*what)())
{
    QEventLoop loop;
    for (Rig* rig : rigs)
        rig->onDone = [&] {
            for (Rig* r : rigs)
                if (!r->done)
                    return;
            loop.quit();
        };
    for (Rig* rig : rigs)
        rig->start(what);
    loop.exec();
    bool ok = true;
    for (Rig* rig : rigs) {
        rig->onDone = nullptr;
        ok = ok && rig->success;
    }
    return ok;
}

void Report(const char* what, const Rig& rig)
{
    std::printf("%-12s %7.2f s, wire %7.2f s for %zu bytes: ratio %.3f (goal <= 1.02); cpu %.2f s (%.1f %% of the time)\n",
                what, rig.seconds, rig.wireSeconds(), rig.port.sent + rig.port.received, rig.seconds / rig.wireSeconds(),
                rig.cpu, 100.0 * rig.cpu / rig.seconds);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::printf("radio link at 9600 baud against a paced virtual radio\n");

    Rig one({"--paced", "--exact-timing"});
    if (one.sim.device().isEmpty()) {
        std::fprintf(stderr, "zavprog-radio-sim did not start (ZAV_PROGRAM_DIR?)\n");
        return 1;
    }
    // A first short transfer finds out the cable has no echo, as the first
    // transfer of a run does.
    if (!RunAll({&one}, &TransferEngine::startInfoRead))
        return 1;
    if (!RunAll({&one}, &TransferEngine::startRead))
        return 1;
    Report("read", one);
    if (!RunAll({&one}, &TransferEngine::startWrite))
        return 1;
    Report("write", one);
    const double single = one.seconds;
    std::fflush(stdout);

    // A verified write reads the radio back at once, on the same port: the
    // same goal over the bytes of both.
    one.engine->setVerifyAfterWrite(true);
    if (!RunAll({&one}, &TransferEngine::startWrite))
        return 1;
    Report("write+verify", one);
    one.engine->setVerifyAfterWrite(false);
    std::fflush(stdout);

    std::vector<std::unique_ptr<Rig>> four;
    std::vector<Rig*> rigs;
    for (int i = 0; i < 4; ++i) {
        four.push_back(std::make_unique<Rig>(QStringList{"--paced", "--exact-timing"}));
        four.back()->link.noEcho = true; // learned as above
        rigs.push_back(four.back().get());
    }
    if (!RunAll(rigs, &TransferEngine::startWrite))
        return 1;
    // From the first handshake to the last end.
    double first = rigs[0]->startedAt;
    double last = rigs[0]->endedAt;
    for (const Rig* rig : rigs) {
        first = std::min(first, rig->startedAt);
        last = std::max(last, rig->endedAt);
    }
    const double together = last - first;
    std::printf("four radios written at once: %.2f s, one alone %.2f s: ratio %.3f (goal <= 1.1)\n", together, single,
                together / single);
    return 0;
}
