#include "transfer_engine.h"

#include "address_plan.h"
#include "band.h"
#include "channel_groups.h"
#include "memory_map.h"
#include "numbers.h"
#include "version_records.h"

#include <array>
#include <cmath>

namespace zav::link {
namespace {

constexpr int kHandshakeAttempts = 3;   // time-outs before the error prompt (4 sends in all)
constexpr int kBlockResends = 3;        // resends per block before the error prompt
constexpr int kPasswordResends = 3;     // set by the read/write error prompt only
constexpr int kRepeatsAsLoss = 10;      // 0x0A in a row that count as a lost reply

} // namespace

struct TransferEngine::State {
    State(TransferServices s, LinkSession& l, TransferContext c) : svc(s), link(l), context(c) {}

    TransferServices svc;
    LinkSession& link;
    TransferContext context;

    TransferKind kind = TransferKind::Idle;
    TransferStep step = TransferStep::Idle;
    bool active = false;
    int handshakeTries = 0;
    AddressPlan plan = kFullPlan;
    long blockAddress = 0;
    int lastPercent = 0;
    std::vector<int> blockRetries;
    int repeatsInRow = 0;

    RadioMemory memory{};
    InfoBlock info{};
    RadioIdentity identity;
    RadioInfo radioInfo;
    ReplyFramer framer;

    std::array<bool, 3> timerRunning{};
    bool busy = false;           // from a start until transferFinished
    int promptDepth = 0;         // > 0 while the user is being asked
    bool cancelRequested = false;// cancel() arrived while a prompt was open
    bool finishing = false;
    bool readOkPending = false;  // successful read waits for the 500 ms timer
    bool readOkDue = false;      // that timer fired while finishing
    bool verifyAfterWrite = false;
    bool verifying = false;      // a finished write is being read back
    RadioMemory written{};       // what the write sent, for the comparison
    bool readBeforeWrite = false;
    bool readingBefore = false;  // a confirmed write is reading the radio first
    RadioMemory before{};        // what that read found
    std::shared_ptr<const RadioMemory> toWrite; // sent instead of the document
    TransferOutcome outcome;

    // --- helpers ------------------------------------------------------------

    void startTimer(TimerId id, int ms)
    {
        timerRunning[static_cast<std::size_t>(id)] = true;
        svc.timers.start(id, ms);
    }
    void stopTimer(TimerId id)
    {
        timerRunning[static_cast<std::size_t>(id)] = false;
        svc.timers.stop(id);
    }

    /// Runs a question; frames and reply time-outs are not handled until it
    /// returns. A cancel() meanwhile turns the answer into a refusal.
    template <class F>
    bool ask(F&& question)
    {
        ++promptDepth;
        const bool answer = question();
        --promptDepth;
        return answer && !cancelRequested;
    }
    template <class F>
    void tell(F&& message)
    {
        ++promptDepth;
        message();
        --promptDepth;
    }

    bool isReadOrWrite() const { return kind == TransferKind::Read || kind == TransferKind::Write; }
    bool atPasswordStep() const
    {
        return isReadOrWrite() && step == TransferStep::Password;
    }

    // --- PrepareTransfer / OpenLinkPort --------------------------------------

    bool openLinkPort()
    {
        if (svc.port.open())
            return true;
        tell([&] { svc.prompts.portFailed(); });
        return false;
    }

    bool prepareTransfer()
    {
        startWalk(kind == TransferKind::Info ? kInfoPlan : kFullPlan);
        return openLinkPort();
    }

    void startWalk(const AddressPlan& walked)
    {
        plan = walked;
        blockAddress = plan.startAddress();
        lastPercent = 0;
        stopTimer(TimerId::Reply);
        const auto entries = static_cast<std::size_t>(std::lround(static_cast<double>(plan.endAddress) / kBlockSize)) + 1;
        blockRetries.assign(entries, kBlockResends);
        repeatsInRow = 0;
    }

    /// The write has ended well: read the radio back, on the same port.
    void startVerification()
    {
        written = memory;
        memory.fill(0xFF);
        verifying = true;
        kind = TransferKind::Read;
        startWalk(kFullPlan);
        handshakeTries = 0;
        svc.progress.showVerification();
        sendHandshake();
    }

    /// What a write sends: the document encoded, or the memory given.
    RadioMemory memoryToSend() const { return toWrite ? *toWrite : encodeDocument(context.document); }

    /// The radio has been read whole before a write: keep it, then write
    /// on the same port from a new handshake.
    void startWriteAfterRead()
    {
        before = memory;
        readingBefore = false;
        outcome.readBeforeWrite = true;
        const RadioMemory held = before;
        tell([&] { svc.observer.radioReadBeforeWrite(held); });
        memory = memoryToSend();
        kind = TransferKind::Write;
        startWalk(kFullPlan);
        handshakeTries = 0;
        svc.progress.setPercent(0);
        sendHandshake();
    }

    // --- senders ---------------------------------------------------------------

    void send(Packet packet)
    {
        const int echo = echoLength(packet, link.noEcho);
        const int threshold = receiveThreshold(packet, link.noEcho);
        svc.port.setThreshold(threshold);
        startTimer(TimerId::Reply, kReplyTimeoutMs);
        svc.port.clearBuffers();
        framer.arm(threshold, echo);
        const int address = packet == Packet::ReadRequest || packet == Packet::WriteBlock ? static_cast<int>(blockAddress) : 0;
        const Bytes bytes = buildPacket(packet, address, &memory);
        svc.port.write(bytes);
    }

    void sendHandshake()
    {
        step = TransferStep::Handshake;
        active = true;
        send(Packet::Handshake);
    }

    // --- walking the plan -------------------------------------------------------

    void endWalk()
    {
        step = TransferStep::End;
        send(Packet::EndRequest);
    }

    void nextReadBlock()
    {
        blockAddress = nextBlockCandidate(blockAddress, plan.endAddress);
        repeatsInRow = 0;
        if (walkEnded(blockAddress, plan.endAddress))
            endWalk();
        else
            send(Packet::ReadRequest);
    }

    void nextWriteBlock()
    {
        blockAddress = nextBlockCandidate(blockAddress, plan.endAddress);
        repeatsInRow = 0;
        if (walkEnded(blockAddress, plan.endAddress))
            endWalk();
        else {
            updateProgress();
            send(Packet::WriteBlock);
        }
    }

    void sameWriteBlock()
    {
        if (walkEnded(blockAddress, plan.endAddress))
            endWalk();
        else {
            updateProgress();
            send(Packet::WriteBlock);
        }
    }

    int* retriesOfBlock()
    {
        if (blockAddress < 0)
            return nullptr;
        const auto index = static_cast<std::size_t>(blockAddress / kBlockSize);
        return index < blockRetries.size() ? &blockRetries[index] : nullptr;
    }

    void updateProgress()
    {
        if (!isReadOrWrite() || blockAddress < 0)
            return;
        const auto percent = static_cast<int>(roundHalfEven(static_cast<double>(blockAddress) * 100.0 / static_cast<double>(plan.endAddress)));
        if (percent - lastPercent >= 1) {
            lastPercent = percent;
            svc.progress.setPercent(percent);
        }
    }

    // --- reactions --------------------------------------------------------------

    void advance()
    {
        stopTimer(TimerId::Reply);
        if (kind == TransferKind::Idle)
            return;
        switch (step) {
        case TransferStep::Handshake:
            step = TransferStep::Identity;
            send(Packet::IdentifyRequest);
            return;
        case TransferStep::Identity:
            if (kind == TransferKind::Info) {
                // No password and no model check: straight to the blocks.
                step = TransferStep::Blocks;
                nextBlock();
                return;
            }
            step = TransferStep::Password;
            send(Packet::PasswordRead);
            return;
        case TransferStep::Password:
            step = TransferStep::Blocks;
            if (modelCheck())
                nextBlock();
            else
                finish(false);
            return;
        case TransferStep::Blocks: nextBlock(); return;
        case TransferStep::End: finish(true); return;
        case TransferStep::Idle: finish(false); return;
        }
    }

    void nextBlock()
    {
        if (kind == TransferKind::Write)
            nextWriteBlock();
        else
            nextReadBlock();
    }

    void onReply(const Bytes& reply)
    {
        switch (recognise(reply, blockAddress, atPasswordStep())) {
        case Reply::Ack:
        case Reply::HandshakeAck: advance(); return;
        case Reply::RepeatRequest:
            // Honoured only while write blocks are being sent.
            if (kind == TransferKind::Write && step == TransferStep::Blocks)
                onRepeatRequest();
            return;
        case Reply::Identity:
            identity = decodeIdentity(reply);
            if (isReadOrWrite())
                std::copy(identity.header.begin(), identity.header.end(), memory.begin() + kHeaderAddress);
            advance();
            return;
        case Reply::PasswordBlock: passwordCheck(std::span(reply).subspan(4, kBlockSize)); return;
        case Reply::DataBlock:
            storeDataBlock(reply, memory, info);
            if (kind == TransferKind::Read)
                updateProgress();
            advance();
            return;
        case Reply::Unknown: return; // the reply timer runs out
        }
    }

    void onRepeatRequest()
    {
        stopTimer(TimerId::Reply);
        if (++repeatsInRow >= kRepeatsAsLoss) {
            repeatsInRow = 0;
            blockTimeout();
            return;
        }
        sameWriteBlock();
    }

    void blockTimeout()
    {
        int* retries = retriesOfBlock();
        if (!retries || *retries <= 0) {
            readErrorPrompt();
            return;
        }
        --*retries;
        if (kind == TransferKind::Write) {
            sameWriteBlock();
        } else if (walkEnded(blockAddress, plan.endAddress)) {
            endWalk();
        } else {
            send(Packet::ReadRequest);
        }
    }

    void onReplyTimeout()
    {
        if (kind == TransferKind::Info) {
            if (step == TransferStep::Handshake) {
                if (++handshakeTries > kHandshakeAttempts) {
                    infoErrorPrompt();
                } else {
                    link.noEcho = !link.noEcho;
                    sendHandshake();
                }
            } else if (step == TransferStep::Identity || step == TransferStep::Blocks) {
                infoErrorPrompt();
            } else if (step == TransferStep::End) {
                finish(true);
            }
            return;
        }
        if (!isReadOrWrite())
            return;
        switch (step) {
        case TransferStep::Handshake:
            if (++handshakeTries > kHandshakeAttempts) {
                readErrorPrompt();
            } else {
                link.noEcho = !link.noEcho;
                sendHandshake();
            }
            return;
        case TransferStep::Identity: readErrorPrompt(); return;
        case TransferStep::Password:
            if (--link.passwordRetries <= 0)
                readErrorPrompt();
            else
                send(Packet::PasswordRead);
            return;
        case TransferStep::Blocks: blockTimeout(); return;
        case TransferStep::End:
            // A radio that does not answer the end request still counts as done.
            finish(true);
            return;
        case TransferStep::Idle: return;
        }
    }

    // --- prompts ----------------------------------------------------------------

    void readErrorPrompt()
    {
        active = false;
        framer.disarm();
        handshakeTries = 0;
        link.passwordRetries = kPasswordResends;
        if (!ask([&] { return svc.prompts.askRetry(kind); })) {
            finish(false);
            return;
        }
        // Start over from the handshake and the first block; the memory and
        // the retry counts of the blocks keep what they hold.
        if (!svc.port.isOpen())
            (void)svc.port.open(); // a device that came back after being pulled out
        blockAddress = plan.startAddress();
        lastPercent = 0;
        svc.progress.setPercent(0);
        sendHandshake();
    }

    void infoErrorPrompt()
    {
        active = false;
        framer.disarm();
        if (!ask([&] { return svc.prompts.askRetry(kind); })) {
            finish(false);
            return;
        }
        if (!svc.port.isOpen())
            (void)svc.port.open();
        blockAddress = plan.startAddress();
        sendHandshake();
    }

    void passwordCheck(std::span<const std::uint8_t> blockData)
    {
        const std::string radioPassword = passwordOfBlock(blockData);
        if (radioPassword.empty() || radioPassword == context.radioPassword) {
            advance();
            return;
        }
        stopTimer(TimerId::Reply);
        tell([&] { svc.prompts.requestPassword(); });
        if (!cancelRequested && radioPassword == context.radioPassword) {
            advance();
            return;
        }
        if (!cancelRequested)
            tell([&] { svc.prompts.passwordFailure(); });
        finish(false);
    }

    bool modelCheck()
    {
        stopTimer(TimerId::Reply);
        const Document& doc = context.document;
        const int band = bandCodeOf(doc.model.bandLabel);
        const bool bandOk = sameBand(band, identity.bandByte, static_cast<int>(kind));
        const bool modelOk = sameText(cleanText(doc.model.modelName), cleanText(identity.modelName));
        const bool versionOk = context.versions.isCompatible(kProgramImageVersion, identity.version);
        if (bandOk && modelOk && versionOk)
            return true;
        if (!modelOk) {
            const std::string shown = modelDisplayName(identity.modelName, identity.bandByte);
            tell([&] { svc.prompts.wrongModel(shown); });
            return false;
        }
        if (versionOk) {
            if (sameFamily(band, identity.bandByte))
                return ask([&] { return svc.prompts.askOtherBand(); });
            tell([&] { svc.prompts.bandRefused(); });
            return false;
        }
        if (ask([&] { return svc.prompts.askOtherVersion(identity.version); })) {
            outcome.otherVersionRequested = true;
            outcome.radioVersion = identity.version;
        }
        return false;
    }

    // --- the end of a transfer ------------------------------------------------

    void finish(bool success)
    {
        if (kind == TransferKind::Idle || finishing)
            return;
        if (success && readingBefore) {
            startWriteAfterRead();
            return;
        }
        if (success && kind == TransferKind::Write && verifyAfterWrite) {
            startVerification();
            return;
        }
        finishing = true;
        if (!success)
            send(Packet::EndRequest); // not awaited
        active = false;
        framer.disarm();
        svc.port.close();            // lets the end request leave first
        if (isReadOrWrite())
            svc.progress.hideProgress();
        const bool wasReadingBefore = readingBefore;
        outcome.kind = verifying || readingBefore ? TransferKind::Write : kind;
        outcome.started = true;
        outcome.success = success;
        if (verifying) {
            outcome.verified = success;
            if (success) {
                outcome.mismatchedBlocks = differingBlocks(memory, written);
                outcome.success = outcome.mismatchedBlocks.empty();
            }
        }
        if (success && kind == TransferKind::Read && !verifying && !wasReadingBefore) {
            readOkPending = true;
            readOkDue = false;
            startTimer(TimerId::ReadOk, kReadOkDelayMs);
        }
        if (success && kind == TransferKind::Info)
            radioInfo = decodeRadioInfo(info, identity.modelName, bandCodeOf(context.document.model.bandLabel));
        svc.observer.transferEnding(outcome);
        if (outcome.success && isReadOrWrite()) {
            const TransferKind done = outcome.kind;
            tell([&] { svc.prompts.transferDone(done); });
        } else if (verifying && success) {
            const std::vector<long> blocks = outcome.mismatchedBlocks;
            tell([&] { svc.prompts.verificationFailed(blocks); });
        }
        verifying = false;
        readingBefore = false;
        stopTimer(TimerId::Reply);
        kind = TransferKind::Idle;
        step = TransferStep::Idle;
        finishing = false;
        cancelRequested = false;
        if (!readOkPending)
            settle();
        else if (readOkDue)
            completeRead();
    }

    /// The 500 ms after a successful read: the radio becomes the document.
    void completeRead()
    {
        stopTimer(TimerId::ReadOk);
        readOkPending = false;
        readOkDue = false;
        Document& doc = context.document;
        decodeDocument(memory, identity.channelMode, doc);
        doc.documentPath = kUntitledName;
        doc.isUntitled = true;
        settle();
    }

    void settle()
    {
        busy = false;
        const TransferOutcome done = outcome;
        svc.observer.transferFinished(done);
    }

    /// A start that ended before any packet was sent.
    void notStarted(TransferKind which)
    {
        kind = TransferKind::Idle;
        step = TransferStep::Idle;
        cancelRequested = false;
        outcome = TransferOutcome{};
        outcome.kind = which;
        settle();
    }

    /// Progress window load: the port, four new handshake attempts.
    void beginWithProgress()
    {
        svc.progress.showProgress(kind);
        if (!svc.port.isOpen() && !openLinkPort()) {
            finish(false);
            return;
        }
        handshakeTries = 0;
        sendHandshake();
    }

    bool beginStart(TransferKind which)
    {
        if (busy)
            return false;
        busy = true;
        cancelRequested = false;
        outcome = TransferOutcome{};
        outcome.kind = which;
        return true;
    }

    void runWrite()
    {
        kind = TransferKind::Write;
        step = TransferStep::Idle;
        if (!prepareTransfer()) {
            notStarted(TransferKind::Write);
            return;
        }
        svc.port.close();
        if (!ask([&] { return svc.prompts.confirmTransfer(TransferKind::Write); })) {
            svc.port.close();
            notStarted(TransferKind::Write);
            return;
        }
        if (readBeforeWrite) {
            // Same confirmation, same progress window: first the read.
            readingBefore = true;
            kind = TransferKind::Read;
            memory.fill(0xFF);
            svc.progress.showProgress(TransferKind::Write);
            if (!svc.port.isOpen() && !openLinkPort()) {
                finish(false);
                return;
            }
            handshakeTries = 0;
            sendHandshake();
            return;
        }
        memory = memoryToSend();
        beginWithProgress();
    }
};

TransferEngine::TransferEngine(TransferServices services, LinkSession& link, TransferContext context)
    : d_(std::make_unique<State>(services, link, context))
{
}

TransferEngine::~TransferEngine() = default;

void TransferEngine::setVerifyAfterWrite(bool verify) { d_->verifyAfterWrite = verify; }
void TransferEngine::setReadBeforeWrite(bool read) { d_->readBeforeWrite = read; }
void TransferEngine::setMemoryToWrite(std::shared_ptr<const RadioMemory> memory) { d_->toWrite = std::move(memory); }

bool TransferEngine::startRead()
{
    State& s = *d_;
    if (!s.beginStart(TransferKind::Read))
        return false;
    s.kind = TransferKind::Read;
    s.step = TransferStep::Idle;
    if (!s.prepareTransfer()) {
        s.notStarted(TransferKind::Read);
        return true;
    }
    s.svc.port.close();
    if (!s.ask([&] { return s.svc.prompts.confirmTransfer(TransferKind::Read); })) {
        s.svc.port.close();
        s.notStarted(TransferKind::Read);
        return true;
    }
    s.memory.fill(0xFF);
    s.beginWithProgress();
    return true;
}

bool TransferEngine::startWrite()
{
    State& s = *d_;
    if (!s.beginStart(TransferKind::Write))
        return false;
    s.startTimer(TimerId::WaitSaveData, kWaitSaveDataMs);
    return true;
}

bool TransferEngine::startInfoRead()
{
    State& s = *d_;
    if (!s.beginStart(TransferKind::Info))
        return false;
    s.kind = TransferKind::Info;
    s.step = TransferStep::Idle;
    if (!s.prepareTransfer()) {
        s.notStarted(TransferKind::Info);
        return true;
    }
    s.info.fill(0xFF);
    s.handshakeTries = 0;
    s.sendHandshake();
    return true;
}

void TransferEngine::cancel()
{
    State& s = *d_;
    if (!s.busy)
        return;
    if (s.promptDepth > 0) {
        s.cancelRequested = true;
        return;
    }
    if (s.timerRunning[static_cast<std::size_t>(TimerId::WaitSaveData)]) {
        s.stopTimer(TimerId::WaitSaveData);
        s.notStarted(TransferKind::Write);
        return;
    }
    if (s.kind != TransferKind::Idle)
        s.finish(false);
}

bool TransferEngine::requestStop()
{
    State& s = *d_;
    const bool sendingBlocks = s.busy && s.active && !s.finishing && s.promptDepth == 0 &&
                               s.kind == TransferKind::Write && s.step == TransferStep::Blocks;
    if (sendingBlocks) {
        ++s.promptDepth;
        const bool stop = s.svc.prompts.confirmStopWrite();
        --s.promptDepth;
        if (!stop && !s.cancelRequested) {
            // While the question was open no reply was looked at: the block
            // goes again rather than waiting for a reply that was dropped.
            s.sameWriteBlock();
            return false;
        }
        s.cancelRequested = false;
    }
    cancel();
    return !s.busy;
}

void TransferEngine::onBytesReceived(std::span<const std::uint8_t> bytes)
{
    State& s = *d_;
    if (!s.active || s.promptDepth > 0 || s.finishing)
        return;
    if (auto reply = s.framer.push(bytes))
        s.onReply(*reply);
}

void TransferEngine::onTimer(TimerId id)
{
    State& s = *d_;
    auto& running = s.timerRunning[static_cast<std::size_t>(id)];
    if (!running)
        return; // stopped before its event was delivered
    switch (id) {
    case TimerId::Reply:
        if (s.promptDepth > 0 || s.finishing)
            return;
        running = false;
        s.onReplyTimeout();
        return;
    case TimerId::ReadOk:
        running = false;
        if (!s.readOkPending)
            return;
        if (s.finishing || s.promptDepth > 0)
            s.readOkDue = true; // completed when the finishing steps are done
        else
            s.completeRead();
        return;
    case TimerId::WaitSaveData:
        running = false;
        s.svc.timers.stop(id);
        s.runWrite();
        return;
    }
}

bool TransferEngine::busy() const { return d_->busy; }
TransferKind TransferEngine::kind() const { return d_->kind; }
TransferStep TransferEngine::step() const { return d_->step; }
bool TransferEngine::transferActive() const { return d_->active; }
int TransferEngine::handshakeTries() const { return d_->handshakeTries; }
long TransferEngine::blockAddress() const { return d_->blockAddress; }
int TransferEngine::lastPercent() const { return d_->lastPercent; }

int TransferEngine::blockRetries(long address) const
{
    if (address < 0)
        return -1;
    const auto index = static_cast<std::size_t>(address / kBlockSize);
    return index < d_->blockRetries.size() ? d_->blockRetries[index] : -1;
}

const RadioMemory& TransferEngine::radioMemory() const { return d_->memory; }
const RadioMemory& TransferEngine::memoryBeforeWrite() const { return d_->before; }
const InfoBlock& TransferEngine::infoBlock() const { return d_->info; }
const RadioIdentity& TransferEngine::identity() const { return d_->identity; }
const RadioInfo& TransferEngine::radioInfo() const { return d_->radioInfo; }

} // namespace zav::link
