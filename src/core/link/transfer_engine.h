#pragma once

// The transfer engine: one event-driven state machine per serial port that
// reads the radio into the document, writes the document to the radio, or
// reads the radio-information area. It never blocks and never loops: it is
// driven by onBytesReceived() (the port's receive events), onTimer() (the
// one-shot timers it started) and the start/cancel calls of the user
// interface. It talks to the outside only through the small interfaces
// below, so the desktop program, the command line and the tests each plug
// in their own port, timers, prompts and progress display. Several engines
// (one per port) can run at the same time.

#include "document.h"
#include "packets.h"
#include "radio_info.h"
#include "version_records.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace zav::link {

/// 0 idle, 1 read, 2 write, 3 radio-information read.
enum class TransferKind : int { Idle = 0, Read = 1, Write = 2, Info = 3 };

/// Where a transfer stands: what was sent last and whose reply is awaited.
/// A read and a write go Handshake, Identity, Password, then Blocks (the
/// model check runs between the password and the first block), End; the
/// radio-information read goes Handshake, Identity, Blocks, End.
enum class TransferStep {
    Idle,      ///< nothing sent yet, or the transfer is over
    Handshake, ///< the handshake: answered by either cable kind
    Identity,  ///< the identity request: model, band, version, channel mode
    Password,  ///< the password block
    Blocks,    ///< reading or writing the blocks of the address plan
    End,       ///< the end request; a radio that stays silent still counts as done
};

/// The one-shot timers of a transfer.
enum class TimerId {
    Reply,        ///< 150 ms reply time-out
    ReadOk,       ///< 500 ms from a successful read to decoding it
    WaitSaveData, ///< 100 ms from "write" to the start of the write
};

inline constexpr int kReplyTimeoutMs = 150;
inline constexpr int kReadOkDelayMs = 500;
inline constexpr int kWaitSaveDataMs = 100;

/// The serial port (9600 baud, 8N1, no flow control, binary). Received
/// bytes reach the engine through TransferEngine::onBytesReceived.
class LinkPort {
public:
    virtual ~LinkPort() = default;
    /// Closes the port if open, applies the line settings (receive
    /// threshold 1) and opens it. False when it cannot be opened.
    [[nodiscard]] virtual bool open() = 0;
    /// Closes the port if open, after the bytes already written left it.
    virtual void close() = 0;
    [[nodiscard]] virtual bool isOpen() const = 0;
    /// Received bytes that make a receive event (a frame).
    virtual void setThreshold(int bytes) = 0;
    /// Empties the input and output buffers.
    virtual void clearBuffers() = 0;
    virtual void write(std::span<const std::uint8_t> bytes) = 0;
};

/// One-shot timers; an expired timer calls TransferEngine::onTimer(id).
/// start() restarts a running timer.
class TimerService {
public:
    virtual ~TimerService() = default;
    virtual void start(TimerId id, int milliseconds) = 0;
    virtual void stop(TimerId id) = 0;
};

/// Everything a transfer asks or tells the user. Each call returns only
/// after the user answered; the engine handles no frames meanwhile. Texts
/// are named by their text ids; transfer_messages.h builds the texts.
class TransferPrompts {
public:
    virtual ~TransferPrompts() = default;
    /// 9004 (read) or 9005 (write), question icon, OK/Cancel. True for OK.
    virtual bool confirmTransfer(TransferKind kind) = 0;
    /// 9003, error icon: the port cannot be opened.
    virtual void portFailed() = 0;
    /// 9008, question icon: OK/Cancel for a read or write, Retry/Cancel for
    /// the radio-information read. True to start over.
    virtual bool askRetry(TransferKind kind) = 0;
    /// 9012, CRLF, "Radio is " and the radio's model display name; OK.
    virtual void wrongModel(const std::string& radioDisplayName) = 0;
    /// 9014, warning icon, OK/Cancel: write to a radio of a related band.
    virtual bool askOtherBand() = 0;
    /// 9030, warning icon: the radio's band cannot be written.
    virtual void bandRefused() = 0;
    /// The version question (incompatibleMessage of "V300" and the radio's
    /// version), Yes/No. True for Yes.
    virtual bool askOtherVersion(const std::string& radioVersion) = 0;
    /// Runs the password dialog modally; OK may change the context's
    /// radioPassword.
    virtual void requestPassword() = 0;
    /// "PassWord Failure!", OK.
    virtual void passwordFailure() = 0;
    /// The kind's message of success (doneTextId), OK.
    virtual void transferDone(TransferKind kind) = 0;
    /// After a write read back for verification: the blocks (their start
    /// addresses) whose bytes the radio does not hold as written.
    virtual void verificationFailed(const std::vector<long>& blocks) { (void)blocks; }
    /// The user wants to stop a write that is sending its data blocks: the
    /// radio would keep a partly written memory. True to stop anyway. Those
    /// with nobody to ask stop at once.
    virtual bool confirmStopWrite() { return true; }
};

/// The progress window of a read or write.
class TransferProgress {
public:
    virtual ~TransferProgress() = default;
    /// Loads the window (the kind's caption, label 9029, bar 0, "0%").
    /// Must not block; closing it must call TransferEngine::cancel().
    virtual void showProgress(TransferKind kind) = 0;
    /// Bar and label (percent followed by "%"), 0..100.
    virtual void setPercent(int percent) = 0;
    virtual void hideProgress() = 0;
    /// The write is done and is being read back: the window says so and
    /// counts again from 0.
    virtual void showVerification() {}
};

/// How a transfer ended.
struct TransferOutcome {
    TransferKind kind = TransferKind::Idle;
    bool started = false;   ///< false: busy, port 9003 or confirmation cancelled
    bool success = false;
    /// Yes to the version question: start the program version for
    /// radioVersion, then quit through the normal exit.
    bool otherVersionRequested = false;
    std::string radioVersion;
    /// A write that was read back (setVerifyAfterWrite): success then also
    /// means the radio holds every byte as written.
    bool verified = false;
    /// Start addresses of the blocks that differ after a write read back.
    std::vector<long> mismatchedBlocks;
    /// A write that read the radio first (setReadBeforeWrite) and got its
    /// whole memory: TransferEngine::memoryBeforeWrite() holds it.
    bool readBeforeWrite = false;
};

class TransferObserver {
public:
    virtual ~TransferObserver() = default;
    /// The port is closed and the progress window gone, before the
    /// completion message. Read success: close all child windows. Radio
    /// information success: show TransferEngine::radioInfo().
    virtual void transferEnding(const TransferOutcome& outcome) { (void)outcome; }
    /// The engine is idle again. After a successful read the radio has been
    /// decoded into the working image, the document is untitled "new.dat"
    /// and the channel table should be shown.
    virtual void transferFinished(const TransferOutcome& outcome) = 0;
    /// A write that reads the radio first has read it whole and is about to
    /// send the first block: what the radio held, to be kept before it is
    /// overwritten (also when the write then fails).
    virtual void radioReadBeforeWrite(const RadioMemory& memory) { (void)memory; }
};

/// Link state that outlives a transfer: kept once per run (per port when
/// several ports are used at once) and passed to the engine.
struct LinkSession {
    bool noEcho = false;      ///< the last cable kind that answered
    int passwordRetries = 0;  ///< set to 3 only by the read/write error prompt
};

/// What a transfer works on, owned by the caller.
struct TransferContext {
    /// Encoded for a write; replaced by the radio's contents after a read.
    Document& document;
    /// The password held for the run; requestPassword() may change it.
    const std::string& radioPassword;
    /// Which image versions this program handles.
    const VersionRecords& versions;
};

struct TransferServices {
    LinkPort& port;
    TimerService& timers;
    TransferPrompts& prompts;
    TransferProgress& progress;
    TransferObserver& observer;
};

class TransferEngine {
public:
    /// A successful read replaces the context's working image. All
    /// references must outlive the engine.
    TransferEngine(TransferServices services, LinkSession& link, TransferContext context);
    ~TransferEngine();
    TransferEngine(const TransferEngine&) = delete;
    TransferEngine& operator=(const TransferEngine&) = delete;

    // --- starting and stopping ---------------------------------------------

    /// Read the radio into the document: port check, confirmation 9004,
    /// progress window, handshake. False when busy (nothing happens);
    /// otherwise transferFinished follows exactly once (at once when the
    /// port fails or the user cancels).
    bool startRead();
    /// Write the document: after 100 ms (editors have committed) the port
    /// check, confirmation 9005, encoding and handshake. False when busy.
    bool startWrite();
    /// Read the radio-information area: no confirmation, no progress
    /// window, no password or model check. False when busy.
    bool startInfoRead();
    /// Ends a running transfer as failed, without asking.
    void cancel();
    /// The user closed the progress window. While a write sends its data
    /// blocks, confirmStopWrite() is asked first; on No the block in flight
    /// is sent again and the write carries on. Anything else stops at once,
    /// as cancel(). True when the transfer stopped.
    bool requestStop();
    /// Whether a successful write is read back and compared, block by block
    /// (the radio's identity bytes aside), before it counts as done.
    void setVerifyAfterWrite(bool verify);
    /// Whether a write first reads the radio whole, on the same port and
    /// after the same confirmation, so that what it held can be kept
    /// (TransferObserver::radioReadBeforeWrite). Costs a read.
    void setReadBeforeWrite(bool read);
    /// The memory the following writes send instead of the encoded document
    /// (another radio's memory as read, for a clone); the radio's identity
    /// bytes still replace 0x21F0..0x21FD. nullptr: the document again.
    void setMemoryToWrite(std::shared_ptr<const RadioMemory> memory);

    // --- events --------------------------------------------------------------

    /// Bytes received from the port (any chunking).
    void onBytesReceived(std::span<const std::uint8_t> bytes);
    /// A timer started by the engine expired.
    void onTimer(TimerId id);

    // --- state (read only) ---------------------------------------------------

    /// True from a start until transferFinished (read, write and info alike).
    [[nodiscard]] bool busy() const;
    [[nodiscard]] TransferKind kind() const;
    /// Where the transfer of kind() stands.
    [[nodiscard]] TransferStep step() const;
    [[nodiscard]] bool transferActive() const;
    [[nodiscard]] int handshakeTries() const;
    [[nodiscard]] long blockAddress() const;
    [[nodiscard]] int lastPercent() const;
    /// Remaining resends of the block at address (-1 outside the plan).
    [[nodiscard]] int blockRetries(long address) const;
    [[nodiscard]] const RadioMemory& radioMemory() const;
    /// What the radio held before the last write that read it first.
    [[nodiscard]] const RadioMemory& memoryBeforeWrite() const;
    [[nodiscard]] const InfoBlock& infoBlock() const;
    /// The identity of the last radio that answered.
    [[nodiscard]] const RadioIdentity& identity() const;
    /// The information record of the last successful radio-information read.
    [[nodiscard]] const RadioInfo& radioInfo() const;

private:
    struct State;
    std::unique_ptr<State> d_;
};

} // namespace zav::link
