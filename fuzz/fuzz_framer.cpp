// Arbitrary bytes as the radio's side of a transfer: the input is a script
// of events for one engine — garbage bytes, correct answers of a virtual
// radio, time-outs and the user's answers — so the fuzzer reaches every step
// of a read, write and radio-information read. The engine must never crash,
// read out of bounds or leave its plan, and must end every transfer it
// started.

#include "address_plan.h"
#include "sample_document.h"
#include "transfer_engine.h"
#include "virtual_radio.h"

#include "session.h"

#include <cstdint>
#include <cstdlib>
#include <deque>
#include <span>

using namespace zav;
using namespace zav::link;

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

/// Reads the script; past its end every read gives 0.
class Script {
public:
    explicit Script(std::span<const std::uint8_t> data) : data_(data) {}
    bool more() const { return at_ < data_.size(); }
    std::uint8_t next() { return at_ < data_.size() ? data_[at_++] : 0; }
    std::span<const std::uint8_t> take(std::size_t n)
    {
        n = std::min(n, data_.size() - at_);
        auto chunk = data_.subspan(at_, n);
        at_ += n;
        return chunk;
    }

private:
    std::span<const std::uint8_t> data_;
    std::size_t at_ = 0;
};

class Port : public LinkPort {
public:
    bool isOpenNow = false;
    std::deque<Bytes> sent;
    bool open() override { return isOpenNow = true; }
    void close() override { isOpenNow = false; }
    bool isOpen() const override { return isOpenNow; }
    void setThreshold(int bytes) override { Require(bytes >= 1 && bytes <= 64); }
    void clearBuffers() override {}
    void write(std::span<const std::uint8_t> bytes) override
    {
        if (isOpenNow)
            sent.emplace_back(bytes.begin(), bytes.end());
    }
};

class Timers : public TimerService {
public:
    bool running[3] = {};
    void start(TimerId id, int) override { running[int(id)] = true; }
    void stop(TimerId id) override { running[int(id)] = false; }
};

class Prompts : public TransferPrompts {
public:
    Script* script = nullptr;
    Session* session = nullptr;
    bool answer() { return script->next() & 1; }
    bool confirmTransfer(TransferKind) override { return script->next() % 8 != 0; }
    void portFailed() override {}
    bool askRetry(TransferKind) override { return answer(); }
    void wrongModel(const std::string&) override {}
    bool askOtherBand() override { return answer(); }
    void bandRefused() override {}
    bool askOtherVersion(const std::string&) override { return answer(); }
    void requestPassword() override
    {
        if (answer())
            session->radioPassword = "pw";
    }
    void passwordFailure() override {}
    void transferDone(TransferKind) override {}
};

class Progress : public TransferProgress {
public:
    int last = 0;
    void showProgress(TransferKind) override {}
    void setPercent(int percent) override
    {
        Require(percent >= 0 && percent <= 100);
        last = percent;
    }
    void hideProgress() override {}
};

class Observer : public TransferObserver {
public:
    int finished = 0;
    void transferFinished(const TransferOutcome&) override { ++finished; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const RadioMemory memory = sim::sampleMemory();
    static const InfoBlock info = sim::sampleInfoBlock();

    Script script({data, size});
    Session session;
    session.doc = sim::sampleDocument(0);
    LinkSession link;
    Port port;
    Timers timers;
    Prompts prompts;
    prompts.script = &script;
    prompts.session = &session;
    Progress progress;
    Observer observer;
    TransferEngine engine({port, timers, prompts, progress, observer}, link, {session.doc, session.radioPassword, session.versions});

    const std::uint8_t setup = script.next();
    link.noEcho = setup & 0x04;
    InfoBlock radioInfo = info;
    if (setup & 0x08)
        sim::setRadioPassword(radioInfo, "pw");
    sim::VirtualRadio radio(memory, radioInfo, {.echo = !(setup & 0x10)});
    int starts = 0;
    auto start = [&] {
        switch (script.next() % 3) {
        case 0: starts += engine.startRead(); break;
        case 1: starts += engine.startWrite(); break;
        default: starts += engine.startInfoRead(); break;
        }
    };
    start();

    while (script.more()) {
        const std::uint8_t op = script.next();
        switch (op % 6) {
        case 0: // the reply timer runs out
            if (timers.running[int(TimerId::Reply)]) {
                timers.running[int(TimerId::Reply)] = false;
                engine.onTimer(TimerId::Reply);
            }
            break;
        case 1: // the other timers
            for (TimerId id : {TimerId::WaitSaveData, TimerId::ReadOk})
                if (timers.running[int(id)]) {
                    timers.running[int(id)] = false;
                    engine.onTimer(id);
                }
            break;
        case 2:
        case 3: // the radio answers what was sent
            while (!port.sent.empty()) {
                const sim::RadioOutput out = radio.receive(port.sent.front());
                port.sent.pop_front();
                Bytes back = out.echo;
                for (const Bytes& r : out.replies)
                    back.insert(back.end(), r.begin(), r.end());
                engine.onBytesReceived(back);
            }
            break;
        case 4: // garbage on the line
            port.sent.clear();
            engine.onBytesReceived(script.take(op / 6 % 40));
            break;
        default:
            if (op & 0x80)
                engine.cancel();
            else if (!engine.busy())
                start();
            break;
        }
        const long a = engine.blockAddress();
        Require(a >= -16 && a <= 0x6440);
        Require(engine.step() >= TransferStep::Idle && engine.step() <= TransferStep::End);
        Require(engine.kind() != TransferKind::Idle || engine.step() == TransferStep::Idle);
        Require(engine.busy() || !port.isOpen());
    }
    // Nothing runs any more once every timer has expired and the user
    // cancelled: every start ended exactly once.
    for (int round = 0; round < 8 && engine.busy(); ++round) {
        engine.cancel();
        for (TimerId id : {TimerId::Reply, TimerId::WaitSaveData, TimerId::ReadOk})
            if (timers.running[int(id)]) {
                timers.running[int(id)] = false;
                engine.onTimer(id);
            }
    }
    Require(!engine.busy());
    Require(observer.finished == starts);
    return 0;
}
