#include "radio_link.h"

#include "transfer_options.h"

#include "serial_devices.h"

#include "app_context.h"
#include "password_dialog.h"
#include "port_failure.h"
#include "progress_dialog.h"
#include "prompts.h"
#include "session.h"
#include "transfer_messages.h"
#include "versions.h"

#include <QFileInfo>

namespace zav {
namespace {

// Stopping a write halfway leaves the radio with a partly written memory.
constexpr int kTextStopWrite = 9034;
constexpr int kTextWriteStopped = 33400;
constexpr int kTextVerifying = 32400;
constexpr int kTextVerifyFailed = 32401; ///< %1 how many blocks, %2 their addresses

} // namespace

using link::TransferKind;

RadioLink::RadioLink(ui::AppContext& ctx, QWidget* window, std::function<std::string()> device)
    : RadioLink(ctx, window, std::move(device), ctx.session.doc)
{
}

RadioLink::RadioLink(ui::AppContext& ctx, QWidget* window, std::function<std::string()> device, Document& document)
    : ctx_(ctx),
      window_(window),
      device_(std::move(device)),
      traced_(port_, [this] { return port_.deviceName().toStdString(); }),
      engine_(link::TransferServices{traced_, timers_, *this, *this, *this}, linkSession_,
              link::TransferContext{document, ctx.session.radioPassword, ctx.session.versions})
{
    link::connectEngine(port_, timers_, engine_);
    port_.setReceiveTap([this](std::span<const std::uint8_t> bytes) { traced_.noteReceived(bytes); });
    traced_.setFailureReason([this] { return port_.lastError().toStdString(); });
}

RadioLink::~RadioLink()
{
    shutdown();
    if (progress_)
        delete progress_.data();
}

bool RadioLink::start(bool (link::TransferEngine::*start)())
{
    if (engine_.busy())
        return false;
    port_.setDeviceName(QString::fromStdString(device_ ? device_() : std::string()));
    identitySeen_ = false;
    failureText_ = 0;
    const bool started = (engine_.*start)();
    if (onBusyChanged)
        onBusyChanged();
    return started;
}

bool RadioLink::startRead() { return start(&link::TransferEngine::startRead); }
bool RadioLink::startWrite(bool confirmed)
{
    writeConfirmed_ = confirmed;
    const TransferOptions options = TransferOptions::load();
    engine_.setVerifyAfterWrite(options.verifyAfterWrite);
    engine_.setReadBeforeWrite(options.backupBeforeWrite);
    // Before the start: a port that fails at once ends the write inside it.
    written_ = describeWritten(ctx_.session.doc);
    return start(&link::TransferEngine::startWrite);
}
bool RadioLink::startInfoRead() { return start(&link::TransferEngine::startInfoRead); }

void RadioLink::shutdown()
{
    if (engine_.busy())
        engine_.cancel();
    port_.close();
}

FileWriteResult RadioLink::startTrace(const std::string& path)
{
    FileWriteResult opened;
    std::unique_ptr<link::WireTrace> trace = link::WireTrace::toFile(path, link::WireTrace::systemClock, &opened);
    if (!trace)
        return opened;
    traced_.setTrace(trace.get());
    trace_ = std::move(trace);
    return {};
}

void RadioLink::stopTrace()
{
    traced_.setTrace(nullptr);
    trace_.reset();
}

QWidget* RadioLink::boxParent() const
{
    if (progress_ && progress_->isVisible())
        return progress_;
    return window_;
}

// --- questions and messages -------------------------------------------------

bool RadioLink::confirmTransfer(TransferKind kind)
{
    if (kind == TransferKind::Write && writeConfirmed_) {
        writeConfirmed_ = false; // for the write it was given for only
        return true;
    }
    const int question = kind == TransferKind::Read && readQuestion_ != 0 ? readQuestion_ : link::confirmTextId(kind);
    return ui::ask(boxParent(), ctx_.text(question), ui::Buttons::OkCancel, ui::Icon::Question) == ui::Answer::Ok;
}

void RadioLink::portFailed()
{
    failureText_ = kTextFleetPortFailed;
    // The device, the system's reason and what to do about it below the
    // usual text: a port the user may not open is not a busy one.
    QString device = port_.deviceName();
    if (QFileInfo::exists(device))
        device = QFileInfo(device).absoluteFilePath();
    else if (!device.startsWith(QLatin1Char('/')))
        device = QStringLiteral("/dev/") + device; // a system port name such as ttyUSB0
    std::vector<std::string> present;
    for (const SerialDevice& d : systemSerialDevices())
        present.push_back(d.path);
    const PortFailure failure = diagnosePortFailure(device.toStdString(), present);
    const QString details = QString::fromStdString(portFailureDetails(failure, ctx_.session.texts)).replace("\r\n", "\n");
    ui::inform(boxParent(), ctx_.text(link::kTextPortFailed) + QStringLiteral("\n\n") + details, ui::Icon::Critical);
}

bool RadioLink::askRetry(TransferKind kind)
{
    failureText_ = kTextFleetNoAnswer;
    const QString question = ctx_.text(link::kTextCommunicationFailed);
    if (kind == TransferKind::Info)
        return ui::ask(boxParent(), question, ui::Buttons::RetryCancel, ui::Icon::Question) == ui::Answer::Retry;
    return ui::ask(boxParent(), question, ui::Buttons::OkCancel, ui::Icon::Question) == ui::Answer::Ok;
}

void RadioLink::wrongModel(const std::string& radioDisplayName)
{
    identitySeen_ = true;
    failureText_ = kTextFleetWrongModel;
    const std::string text = link::wrongModelMessage(ctx_.session.text(link::kTextWrongModel), radioDisplayName);
    ui::inform(boxParent(), QString::fromUtf8(text.c_str()));
}

bool RadioLink::askOtherBand()
{
    identitySeen_ = true;
    failureText_ = kTextFleetOtherBand;
    return ui::ask(boxParent(), ctx_.text(link::kTextOtherBand), ui::Buttons::OkCancel, ui::Icon::Warning) ==
           ui::Answer::Ok;
}

void RadioLink::bandRefused()
{
    identitySeen_ = true;
    failureText_ = kTextFleetBandRefused;
    ui::inform(boxParent(), ctx_.text(link::kTextBandRefused), ui::Icon::Warning);
}

bool RadioLink::askOtherVersion(const std::string& radioVersion)
{
    identitySeen_ = true;
    failureText_ = kTextFleetOtherVersion;
    const std::string text = incompatibleMessage(ctx_.session.texts, kProgramImageVersion, radioVersion);
    return ui::ask(boxParent(), QString::fromUtf8(text.c_str()), ui::Buttons::YesNo, ui::Icon::Question) ==
           ui::Answer::Yes;
}

void RadioLink::requestPassword()
{
    identitySeen_ = true; // the radio said who it is before it asked
    PasswordDialog dialog(ctx_, boxParent());
    ui::execDialog(dialog);
}

void RadioLink::passwordFailure()
{
    identitySeen_ = true;
    failureText_ = kTextFleetPassword;
    ui::inform(boxParent(), ctx_.text(link::kTextPasswordFailure));
}

void RadioLink::transferDone(TransferKind kind)
{
    if (!announceDone_)
        return;
    ui::inform(boxParent(), ctx_.text(link::doneTextId(kind)));
}

void RadioLink::verificationFailed(const std::vector<long>& blocks)
{
    // The first blocks say where; a long list would not help anyone.
    constexpr std::size_t kShownBlocks = 8;
    failureText_ = kTextFleetMismatch;
    QStringList addresses;
    for (std::size_t i = 0; i < blocks.size() && i < kShownBlocks; ++i)
        addresses << QStringLiteral("0x%1").arg(blocks[i], 4, 16, QLatin1Char('0')).toUpper().replace("0X", "0x");
    if (blocks.size() > kShownBlocks)
        addresses << QStringLiteral("...");
    ui::inform(boxParent(), ctx_.text(kTextVerifyFailed).arg(blocks.size()).arg(addresses.join(QStringLiteral(", "))),
               ui::Icon::Critical);
}

bool RadioLink::confirmStopWrite()
{
    failureText_ = kTextFleetStopped;
    writeStopped_ = ui::ask(boxParent(), ctx_.text(kTextStopWrite), ui::Buttons::YesNo, ui::Icon::Warning,
                            ui::Answer::No) == ui::Answer::Yes;
    return writeStopped_;
}

// --- progress window ----------------------------------------------------------

void RadioLink::showProgress(TransferKind kind)
{
    if (progress_)
        delete progress_.data();
    progress_ = new ProgressDialog(ctx_, kind, window_);
    progress_->setAttribute(Qt::WA_DeleteOnClose);
    progress_->onCancel = [this] {
        if (engine_.busy()) {
            // Closes the window when it ends; a write may carry on.
            writeStopped_ = false;
            if (engine_.requestStop() && writeStopped_)
                ui::inform(window_, ctx_.text(kTextWriteStopped), ui::Icon::Warning);
        } else if (progress_) {
            progress_->finish(); // nothing left to stop
        }
    };
    // Modal for the user, but it returns at once: the transfer runs in the
    // program's own event loop.
    progress_->setWindowModality(Qt::ApplicationModal);
    progress_->show();
}

void RadioLink::setPercent(int percent)
{
    identitySeen_ = true; // blocks move only after the radio said who it is
    if (progress_ && progress_->isVisible())
        progress_->setPercent(percent);
}

void RadioLink::showVerification()
{
    if (progress_)
        progress_->showVerifying(ctx_.text(kTextVerifying));
}

void RadioLink::hideProgress()
{
    if (progress_)
        progress_->finish();
}

// --- end of a transfer --------------------------------------------------------

void RadioLink::transferEnding(const link::TransferOutcome& outcome)
{
    if (onEnding)
        onEnding(outcome);
}

void RadioLink::radioReadBeforeWrite(const link::RadioMemory& memory)
{
    if (onReadBeforeWrite)
        onReadBeforeWrite(memory);
}

void RadioLink::transferFinished(const link::TransferOutcome& outcome)
{
    if (onFinished)
        onFinished(outcome);
    if (onBusyChanged)
        onBusyChanged();
}

ProgrammingLogEntry RadioLink::writeLogLine(const link::TransferOutcome& outcome) const
{
    std::string result;
    if (!outcome.started && failureText_ != kTextFleetPortFailed) {
        // Declined at the question: nothing was sent, and the log says so.
        result = logResultNotWritten(logReasonWords(logword::Declined));
    } else if (outcome.success) {
        result = logResultWritten(outcome.verified);
    } else {
        // The log's words are English whatever the language shown (its
        // window translates them), so logs of any shop read alike.
        const int reason = failureText_ != 0 ? failureText_ : kTextFleetNoAnswer;
        std::string argument;
        if (reason == kTextFleetMismatch)
            argument = std::to_string(outcome.mismatchedBlocks.size());
        else if (reason == kTextFleetOtherVersion)
            argument = outcome.radioVersion;
        else if (reason == kTextFleetWrongModel)
            argument = engine_.identity().modelName;
        result = logResultFailed(logReasonWords(reason, argument));
    }
    return writeLogEntry(device(), identitySeen_ ? &engine_.identity() : nullptr, written_, result);
}

} // namespace zav
