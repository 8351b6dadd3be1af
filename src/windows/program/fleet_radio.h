#pragma once

// One radio of a fleet job: its own serial port, timers and transfer
// engine, with every question answered from the fleet's settings so that
// no radio ever waits for a dialog (and so never holds up the others).
// The job is a write (of the document, or of another radio's memory for a
// clone), a compare, or the read of a clone's source radio. Why a radio
// failed is kept as a text id with an argument, for the row and for the
// programming log.

#include "radio_compare.h"

#include "programming_log_words.h"
#include "qt_link_port.h"
#include "qt_timer_service.h"
#include "transfer_engine.h"
#include "write_log.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>

namespace zav {

enum class FleetJob {
    Write,      ///< the document (or setMemoryToWrite's memory) to the radio
    Compare,    ///< read the radio and compare it with what a write would send
    ReadSource, ///< read the radio whose memory a clone writes to the others
};

/// The answers a single write would ask the user for, and the job.
struct FleetPolicy {
    bool allowOtherBand = false;
    int retries = 1;        ///< OKs to the retry question per write
    bool verify = true;     ///< read back and compare after writing
    FleetJob job = FleetJob::Write;
    bool readBefore = false; ///< a write reads the radio first (heldBefore)
    /// > 0: a radio that has not answered the handshake is asked again
    /// until this long after the start (a radio just plugged in may still
    /// be switching on), whatever retries says.
    int answerWithinMs = 0;
};

/// Why a fleet write failed (text id and its argument); id 0 when none.
struct FleetFailure {
    int textId = 0;
    QString argument;
};

class FleetRadio : public QObject,
                   private link::TransferPrompts,
                   private link::TransferProgress,
                   private link::TransferObserver {
    Q_OBJECT
public:
    enum class Phase { Waiting, Writing, Verifying, Reading, Done };

    /// All references must outlive the radio; the document is copied at
    /// each start and never changed.
    FleetRadio(const QString& device, const Document& document, const std::string& password,
               const VersionRecords& versions, QObject* parent = nullptr);
    ~FleetRadio() override;

    /// Starts (or starts again) the job; false while one runs.
    bool start(const FleetPolicy& policy);
    /// What the following writes send instead of the document: another
    /// radio's memory as read (a clone); nullptr: the document again.
    void setMemoryToWrite(std::shared_ptr<const link::RadioMemory> memory) { memory_ = std::move(memory); }
    /// The power-on text (UTF-8, checked) this radio gets; "" keeps the one
    /// of what is written.
    void setPowerOnText(const std::string& text) { powerOnText_ = text; }
    [[nodiscard]] const std::string& powerOnText() const { return powerOnText_; }
    /// Ends a running write as failed (the radio is told it ends).
    void stop();

    [[nodiscard]] QString device() const { return device_; }
    [[nodiscard]] bool busy() const { return engine_->busy(); }
    [[nodiscard]] Phase phase() const { return phase_; }
    [[nodiscard]] int percent() const { return percent_; }
    /// The radio answered this write with its identity.
    [[nodiscard]] bool identityKnown() const { return identityKnown_; }
    [[nodiscard]] const link::RadioIdentity& identity() const { return engine_->identity(); }
    [[nodiscard]] bool succeeded() const { return phase_ == Phase::Done && outcome_.success; }
    [[nodiscard]] const link::TransferOutcome& outcome() const { return outcome_; }
    [[nodiscard]] const FleetFailure& failure() const { return failure_; }
    /// What this radio was sent (file name and SHA-256), taken at its start.
    [[nodiscard]] const WrittenDocument& written() const { return written_; }
    [[nodiscard]] FleetJob job() const { return policy_.job; }
    /// After a compare: where the radio differs.
    [[nodiscard]] const RadioComparison& comparison() const { return comparison_; }
    /// After a read (compare, source): the radio's memory, and decoded.
    [[nodiscard]] const link::RadioMemory& radioMemory() const { return engine_->radioMemory(); }
    [[nodiscard]] const Document& radioDocument() const { return own_; }

signals:
    /// Phase, percent or identity changed.
    void changed();
    /// The job ended (success or failure).
    void finished();
    /// A write that reads the radio first has read it: what it held.
    void heldBefore(const link::RadioMemory& memory);

private:
    void fail(int textId, const QString& argument = {});
    void learnIdentity();

    // TransferPrompts: answered from the policy, never shown.
    bool confirmTransfer(link::TransferKind) override { return true; }
    void portFailed() override;
    bool askRetry(link::TransferKind) override;
    void wrongModel(const std::string& radioDisplayName) override;
    bool askOtherBand() override;
    void bandRefused() override;
    bool askOtherVersion(const std::string& radioVersion) override;
    void requestPassword() override { learnIdentity(); }
    void passwordFailure() override;
    void transferDone(link::TransferKind) override {}
    void verificationFailed(const std::vector<long>& blocks) override;
    bool confirmStopWrite() override { return true; }
    // TransferProgress
    void showProgress(link::TransferKind) override;
    void setPercent(int percent) override;
    void hideProgress() override {}
    void showVerification() override;
    // TransferObserver
    void transferFinished(const link::TransferOutcome& outcome) override;
    void radioReadBeforeWrite(const link::RadioMemory& memory) override { emit heldBefore(memory); }

    QString device_;
    FleetPolicy policy_;
    int retriesUsed_ = 0;
    Phase phase_ = Phase::Waiting;
    int percent_ = 0;
    bool identityKnown_ = false;
    bool stopped_ = false;
    link::TransferOutcome outcome_;
    FleetFailure failure_;
    const Document& document_;  ///< what the fleet writes or compares with
    Document own_;              ///< what the engine works on: a copy, or the radio as read
    std::shared_ptr<const link::RadioMemory> memory_;
    std::string powerOnText_;
    RadioComparison comparison_;
    qint64 startedMs_ = 0;      ///< for answerWithinMs
    WrittenDocument written_;
    link::QtLinkPort port_;
    link::QtTimerService timers_;
    link::LinkSession linkSession_; // each cable learns its own echo
    std::unique_ptr<link::TransferEngine> engine_;
};

} // namespace zav
