#pragma once

// The main window's link to the radio: the serial port, the timers and the
// transfer engine, with the engine's questions, progress window and
// password dialog shown through the ui layer.

#include "qt_link_port.h"
#include "qt_timer_service.h"
#include "progress_dialog.h"
#include "traced_link_port.h"
#include "transfer_engine.h"
#include "wire_trace.h"
#include "write_log.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace zav::ui {
struct AppContext;
}

namespace zav {


class RadioLink : public QObject,
                  private link::TransferPrompts,
                  private link::TransferProgress,
                  private link::TransferObserver {
    Q_OBJECT
public:
    /// window: parent of the boxes; device: the device a transfer opens,
    /// asked again at every start.
    RadioLink(ui::AppContext& ctx, QWidget* window, std::function<std::string()> device);
    /// A link whose reads go into document instead of the session's (a
    /// compare reads the radio without touching the document open).
    RadioLink(ui::AppContext& ctx, QWidget* window, std::function<std::string()> device, Document& document);
    ~RadioLink() override;

    std::function<void(const link::TransferOutcome&)> onEnding;   ///< port closed, before the last message
    std::function<void(const link::TransferOutcome&)> onFinished; ///< engine idle again
    std::function<void()> onBusyChanged;
    /// A write that reads the radio first has read it: what the radio held.
    std::function<void(const link::RadioMemory&)> onReadBeforeWrite;
    /// Whether the end of a successful transfer is told in a box (the
    /// compare shows its own window instead).
    void setAnnounceDone(bool announce) { announceDone_ = announce; }
    /// The question before a read, when it is not the read's own (a
    /// compare replaces nothing); 0 for the read's own.
    void setReadQuestion(int textId) { readQuestion_ = textId; }

    /// False when a transfer already runs (nothing happens then).
    bool startRead();
    /// confirmed: the user has already said yes to this write (the check's
    /// question), so the write's own question is not asked again.
    bool startWrite(bool confirmed = false);
    bool startInfoRead();
    /// Ends a running transfer as failed (END sent, port closed); the main
    /// window calls it when it closes.
    void shutdown();

    [[nodiscard]] bool busy() const { return engine_.busy(); }
    /// The progress window while a read or write shows one.
    [[nodiscard]] ProgressDialog* progressWindow() const { return progress_; }
    [[nodiscard]] const link::TransferEngine& engine() const { return engine_; }
    [[nodiscard]] const link::LinkSession& linkSession() const { return linkSession_; }
    /// The device of the last transfer.
    [[nodiscard]] QString device() const { return port_.deviceName(); }
    /// The device the next transfer would open (the port chosen now).
    [[nodiscard]] QString chosenDevice() const { return QString::fromStdString(device_ ? device_() : std::string()); }
    /// What the last write sent, for its log line (taken when it started).
    [[nodiscard]] const WrittenDocument& written() const { return written_; }
    /// The radio answered the last transfer with its identity (engine().identity()).
    [[nodiscard]] bool identitySeen() const { return identitySeen_; }
    /// Why the last transfer failed, as a text id (fleet_radio.h), 0 when unknown.
    [[nodiscard]] int failureText() const { return failureText_; }
    /// The programming log's line for the write that ended with outcome.
    [[nodiscard]] ProgrammingLogEntry writeLogLine(const link::TransferOutcome& outcome) const;

    /// Every byte of the following transfers also goes to a trace file
    /// (added to its end); the reason when it is refused or cannot be opened.
    FileWriteResult startTrace(const std::string& path);
    void stopTrace();
    [[nodiscard]] bool tracing() const { return trace_ != nullptr; }
    /// The trace this link writes, for another link to write too.
    [[nodiscard]] link::WireTrace* trace() const { return trace_.get(); }
    /// Writes the following transfers into another link's trace (nullptr: none).
    void followTrace(link::WireTrace* trace) { traced_.setTrace(trace); }

private:
    bool start(bool (link::TransferEngine::*start)());
    QWidget* boxParent() const;

    // TransferPrompts
    bool confirmTransfer(link::TransferKind kind) override;
    void portFailed() override;
    bool askRetry(link::TransferKind kind) override;
    void wrongModel(const std::string& radioDisplayName) override;
    bool askOtherBand() override;
    void bandRefused() override;
    bool askOtherVersion(const std::string& radioVersion) override;
    void requestPassword() override;
    void passwordFailure() override;
    void transferDone(link::TransferKind kind) override;
    void verificationFailed(const std::vector<long>& blocks) override;
    bool confirmStopWrite() override;
    // TransferProgress
    void showProgress(link::TransferKind kind) override;
    void setPercent(int percent) override;
    void hideProgress() override;
    void showVerification() override;
    // TransferObserver
    void transferEnding(const link::TransferOutcome& outcome) override;
    void transferFinished(const link::TransferOutcome& outcome) override;
    void radioReadBeforeWrite(const link::RadioMemory& memory) override;

    ui::AppContext& ctx_;
    QWidget* window_;
    std::function<std::string()> device_;
    link::QtLinkPort port_;
    link::TracedLinkPort traced_; ///< the port as the engine sees it
    std::unique_ptr<link::WireTrace> trace_;
    link::QtTimerService timers_;
    link::LinkSession linkSession_;
    link::TransferEngine engine_;
    QPointer<ProgressDialog> progress_;
    bool identitySeen_ = false;
    int failureText_ = 0;
    bool writeConfirmed_ = false; ///< the write being started was confirmed before
    bool writeStopped_ = false; ///< Yes to the stop question: the radio holds part of a write
    bool announceDone_ = true;
    int readQuestion_ = 0;
    WrittenDocument written_;
};

} // namespace zav
