#pragma once

// One radio of a fleet write: its own serial port, timers and transfer
// engine, with every question answered from the fleet's settings so that
// no radio ever waits for a dialog (and so never holds up the others).
// Why a radio failed is kept as a text id with an argument, for the row
// and for the programming log.

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

/// The answers a single write would ask the user for.
struct FleetPolicy {
    bool allowOtherBand = false;
    int retries = 1;        ///< OKs to the retry question per write
    bool verify = true;     ///< read back and compare after writing
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
    enum class Phase { Waiting, Writing, Verifying, Done };

    /// All references must outlive the radio; the document is encoded at
    /// each start and never changed.
    FleetRadio(const QString& device, Document& document, const std::string& password,
               const VersionRecords& versions, QObject* parent = nullptr);
    ~FleetRadio() override;

    /// Starts (or starts again) the write; false while one runs.
    bool start(const FleetPolicy& policy);
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

signals:
    /// Phase, percent or identity changed.
    void changed();
    /// The write ended (success or failure).
    void finished();

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

    QString device_;
    FleetPolicy policy_;
    int retriesUsed_ = 0;
    Phase phase_ = Phase::Waiting;
    int percent_ = 0;
    bool identityKnown_ = false;
    bool stopped_ = false;
    link::TransferOutcome outcome_;
    FleetFailure failure_;
    const Document& document_;
    WrittenDocument written_;
    link::QtLinkPort port_;
    link::QtTimerService timers_;
    link::LinkSession linkSession_; // each cable learns its own echo
    std::unique_ptr<link::TransferEngine> engine_;
};

} // namespace zav
