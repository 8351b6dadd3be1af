#pragma once

// A transfer engine wired to fakes: a port that records what was sent, timers
// the test fires by hand, scripted prompts, and a virtual radio in process
// that answers what the port sent. No real time passes: a reply that does
// not come is a time-out the harness fires.

#include "transfer_engine.h"
#include "virtual_radio.h"

#include "session.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <set>

namespace zav::testing {

using link::Bytes;
using link::TimerId;
using link::TransferKind;

class FakePort : public link::LinkPort {
public:
    bool openFails = false;
    bool open_ = false;
    int threshold = 1;
    int opens = 0;
    std::vector<Bytes> sent;         ///< every packet written, in order
    std::deque<Bytes> outbox;        ///< written and not yet seen by the radio

    bool open() override
    {
        ++opens;
        open_ = !openFails;
        threshold = 1;
        return open_;
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    void setThreshold(int bytes) override { threshold = bytes; }
    void clearBuffers() override {}
    void write(std::span<const std::uint8_t> bytes) override
    {
        if (!open_)
            return;
        sent.emplace_back(bytes.begin(), bytes.end());
        outbox.emplace_back(bytes.begin(), bytes.end());
    }

    /// Packets sent that start with the given command byte.
    [[nodiscard]] int count(std::uint8_t command) const
    {
        int n = 0;
        for (const Bytes& b : sent)
            n += !b.empty() && b[0] == command;
        return n;
    }
    [[nodiscard]] int countRead(int address) const
    {
        int n = 0;
        for (const Bytes& b : sent)
            n += b.size() == 4 && b[0] == 'R' && b[1] * 256 + b[2] == address;
        return n;
    }
    [[nodiscard]] int countWrite(int address) const
    {
        int n = 0;
        for (const Bytes& b : sent)
            n += b.size() == 22 && b[0] == 'W' && b[1] * 256 + b[2] == address;
        return n;
    }
};

class FakeTimers : public link::TimerService {
public:
    std::set<TimerId> running;
    void start(TimerId id, int) override { running.insert(id); }
    void stop(TimerId id) override { running.erase(id); }
    [[nodiscard]] bool isRunning(TimerId id) const { return running.count(id) != 0; }
};

/// Answers from a script; records every question as a short tag
/// ("9008", "9014", "9030", "9012:ZAV415FM", "version:V210", "password",
/// "failure", "done:9009", "confirm:9004", "9003").
class FakePrompts : public link::TransferPrompts {
public:
    QStringList asked;
    std::deque<bool> answers;                 ///< for confirm/retry/band/version questions
    std::function<void()> onPasswordDialog;   ///< what the user types
    std::function<void()> duringPrompt;       ///< runs inside every prompt (re-entrancy tests)
    bool defaultAnswer = false;

    bool next()
    {
        if (duringPrompt)
            duringPrompt();
        if (answers.empty())
            return defaultAnswer;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    bool confirmTransfer(TransferKind kind) override
    {
        asked << QString("confirm:%1").arg(kind == TransferKind::Write ? 9005 : 9004);
        return answers.empty() ? true : next();
    }
    void portFailed() override { asked << "9003"; }
    bool askRetry(TransferKind) override
    {
        asked << "9008";
        return next();
    }
    void wrongModel(const std::string& name) override { asked << "9012:" + QString::fromStdString(name); }
    bool askOtherBand() override
    {
        asked << "9014";
        return next();
    }
    void bandRefused() override { asked << "9030"; }
    bool askOtherVersion(const std::string& version) override
    {
        asked << "version:" + QString::fromStdString(version);
        return next();
    }
    void requestPassword() override
    {
        asked << "password";
        if (duringPrompt)
            duringPrompt();
        if (onPasswordDialog)
            onPasswordDialog();
    }
    void passwordFailure() override { asked << "failure"; }
    void transferDone(TransferKind kind) override { asked << QString("done:%1").arg(9008 + int(kind)); }
    void verificationFailed(const std::vector<long>& blocks) override
    {
        QStringList addresses;
        for (long block : blocks)
            addresses << QString::number(block, 16);
        asked << "verify:" + addresses.join(',');
    }
};

class FakeProgress : public link::TransferProgress {
public:
    std::vector<int> percents;
    bool shown = false;
    int shows = 0;
    void showProgress(TransferKind) override
    {
        shown = true;
        ++shows;
    }
    void setPercent(int percent) override { percents.push_back(percent); }
    void hideProgress() override { shown = false; }
    void showVerification() override { percents.push_back(-1); } // marks where the read-back starts
};

class FakeObserver : public link::TransferObserver {
public:
    std::vector<link::TransferOutcome> ending;
    std::vector<link::TransferOutcome> finished;
    std::function<void()> onFinished;
    void transferEnding(const link::TransferOutcome& o) override { ending.push_back(o); }
    void transferFinished(const link::TransferOutcome& o) override
    {
        finished.push_back(o);
        if (onFinished)
            onFinished();
    }
};

struct Harness {
    Session session;
    link::LinkSession link;
    FakePort port;
    FakeTimers timers;
    FakePrompts prompts;
    FakeProgress progress;
    FakeObserver observer;
    std::unique_ptr<link::TransferEngine> engine;
    std::unique_ptr<sim::VirtualRadio> radio;
    /// Decides, per packet sent, whether the radio's reply is lost.
    std::function<bool(const Bytes& packet)> loseReply;
    int steps = 0;

    Harness()
    {
        engine = std::make_unique<link::TransferEngine>(
            link::TransferServices{port, timers, prompts, progress, observer}, link,
            link::TransferContext{session.doc, session.radioPassword, session.versions});
    }

    void connectRadio(const link::RadioMemory& memory, const link::InfoBlock& info, sim::RadioFaults faults = {})
    {
        radio = std::make_unique<sim::VirtualRadio>(memory, info, faults);
    }

    /// Runs until nothing is pending: packets reach the radio, its answers
    /// come back, and a missing answer becomes the expiry of the running
    /// timer. Returns false when it had to stop a run that did not end.
    bool run(int maxSteps = 200000)
    {
        for (; steps < maxSteps; ++steps) {
            if (!port.outbox.empty()) {
                Bytes packet = std::move(port.outbox.front());
                port.outbox.pop_front();
                if (!radio)
                    continue;
                const sim::RadioOutput out = radio->receive(packet);
                if (loseReply && loseReply(packet))
                    continue;
                Bytes back = out.echo;
                for (const Bytes& r : out.replies)
                    back.insert(back.end(), r.begin(), r.end());
                if (port.isOpen() && !back.empty())
                    engine->onBytesReceived(back);
                continue;
            }
            if (fire(TimerId::Reply) || fire(TimerId::WaitSaveData) || fire(TimerId::ReadOk))
                continue;
            return true;
        }
        return false;
    }

    bool fire(TimerId id)
    {
        if (!timers.isRunning(id))
            return false;
        timers.running.erase(id);
        engine->onTimer(id);
        return true;
    }
};

} // namespace zav::testing
