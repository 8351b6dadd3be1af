#include "cli_radio.h"

#include "cli_command_line.h"
#include "cli_open.h"
#include "cli_signals.h"

#include "traced_link_port.h"

#include "transfer_messages.h"

#include "defaults.h"
#include "port_failure.h"
#include "versions.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <unistd.h>

namespace zav::cli {
namespace {

QString oneLineText(const Session& session, int id)
{
    const std::string text = session.text(id);
    return text.empty() ? QString("message %1").arg(id) : QString::fromStdString(text).replace("\r\n", " ");
}

class CliPrompts : public link::TransferPrompts {
public:
    CliPrompts(Session& session, ProgressBoard& board, int slot, PromptPolicy policy, QString location)
        : session_(session), board_(board), slot_(slot), policy_(policy), location_(std::move(location))
    {
    }

    // The command line asked (or --yes answered) before the transfer began.
    bool confirmTransfer(link::TransferKind) override { return true; }
    void portFailed() override
    {
        // What the system said and what to do about it, below the usual text.
        std::vector<std::string> present;
        for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
            present.push_back(info.systemLocation().toStdString());
        const PortFailure failure = diagnosePortFailure(location_.toStdString(), present);
        fail("the port cannot be opened: " + QString::fromStdString(failure.reason));
        say(oneLineText(session_, link::kTextPortFailed) + "\n"
            + QString::fromStdString(portFailureDetails(failure, session_.texts)).replace("\r\n", "\n"));
    }
    bool askRetry(link::TransferKind) override
    {
        // Nobody to answer: a lost reply is retried a few times, so one bad
        // moment on the line does not end the transfer; a radio that stays
        // silent does.
        if (retriesUsed_ < policy_.retries) {
            ++retriesUsed_;
            say(oneLineText(session_, link::kTextCommunicationFailed)
                + QString(" -> OK (retry %1 of %2)").arg(retriesUsed_).arg(policy_.retries));
            return true;
        }
        say(oneLineText(session_, link::kTextCommunicationFailed) + " -> Cancel (--retries)");
        fail(QString("no answer after %1 retries").arg(policy_.retries));
        return false;
    }
    void wrongModel(const std::string& name) override
    {
        fail("the radio is a " + QString::fromStdString(name));
        say(QString::fromStdString(link::wrongModelMessage(session_.text(link::kTextWrongModel), name)).replace("\r\n", " "));
    }
    bool askOtherBand() override
    {
        say(oneLineText(session_, link::kTextOtherBand) + (policy_.allowOtherBand ? " -> OK" : " -> Cancel (--allow-other-band)"));
        if (!policy_.allowOtherBand)
            fail("the radio is of another band (not allowed)");
        return policy_.allowOtherBand;
    }
    void bandRefused() override
    {
        fail("the radio's band cannot be written");
        say(oneLineText(session_, link::kTextBandRefused));
    }
    bool askOtherVersion(const std::string& version) override
    {
        say(QString::fromStdString(incompatibleMessage(session_.texts, kProgramImageVersion, version)).replace("\r\n", " ")
            + " -> No");
        fail("the radio has the version " + QString::fromStdString(version));
        return false;
    }
    // The password came from --password or ZAV_PASSWORD; without either a
    // user at a terminal is asked, once per radio that wants another.
    void requestPassword() override
    {
        if (!policy_.askPassword)
            return;
        board_.close();
        session_.radioPassword = cleanText(readHiddenLine(location_ + ": radio password: ").toStdString());
    }
    void passwordFailure() override
    {
        fail("the password was refused");
        say(link::kPasswordFailureText);
    }
    void transferDone(link::TransferKind kind) override { say(oneLineText(session_, link::doneTextId(kind))); }

    /// The last thing said about this radio, on one line.
    QString lastSaid;
    /// Why the transfer failed, in plain words for the programming log
    /// ("" when nothing went wrong or nothing was said).
    QString failure;

private:
    // The first reason counts: what follows it is only the transfer ending.
    void fail(const QString& reason)
    {
        if (failure.isEmpty())
            failure = reason;
    }

    void say(const QString& text)
    {
        lastSaid = QString(text).replace('\n', ' ');
        board_.message(slot_, text);
    }

    Session& session_;
    ProgressBoard& board_;
    int slot_;
    PromptPolicy policy_;
    QString location_;
    int retriesUsed_ = 0;
};

/// The device to open: a name that exists as a path (also relative to the
/// working folder) is that file; other names are the system's port names.
QString portLocation(const QString& device)
{
    const QFileInfo file(device);
    return file.exists() ? file.absoluteFilePath() : device;
}

class CliProgress : public link::TransferProgress {
public:
    CliProgress(ProgressBoard& board, int slot) : board_(board), slot_(slot) {}
    void showProgress(link::TransferKind) override { board_.set(slot_, 0); }
    void setPercent(int percent) override { board_.set(slot_, percent); }
    void hideProgress() override {}

private:
    ProgressBoard& board_;
    int slot_;
};

class CliObserver : public link::TransferObserver {
public:
    bool done = false;
    link::TransferOutcome outcome;
    std::function<void()> onFinished;
    std::function<void(const link::RadioMemory&)> onReadBeforeWrite;
    void radioReadBeforeWrite(const link::RadioMemory& memory) override
    {
        if (onReadBeforeWrite)
            onReadBeforeWrite(memory);
    }
    void transferFinished(const link::TransferOutcome& o) override
    {
        done = true;
        outcome = o;
        if (onFinished)
            onFinished();
    }
};

} // namespace

// --- ProgressBoard ------------------------------------------------------------

ProgressBoard::ProgressBoard(QTextStream& out) : out_(out), terminal_(::isatty(STDERR_FILENO) == 1) {}

int ProgressBoard::add(const QString& device)
{
    entries_.push_back({device});
    return static_cast<int>(entries_.size()) - 1;
}

void ProgressBoard::set(int slot, int percent)
{
    Entry& e = entries_[static_cast<std::size_t>(slot)];
    e.percent = percent;
    if (terminal_) {
        redraw();
        return;
    }
    // Plain output: a line every 10 %.
    const int step = percent / 10;
    if (step != e.printedStep) {
        e.printedStep = step;
        out_ << e.device << ": " << percent << "%\n";
        out_.flush();
    }
}

void ProgressBoard::message(int slot, const QString& text)
{
    if (lineOpen_)
        out_ << "\r\033[K";
    out_ << entries_[static_cast<std::size_t>(slot)].device << ": " << text << "\n";
    lineOpen_ = false;
    if (terminal_)
        redraw();
    out_.flush();
}

void ProgressBoard::redraw()
{
    constexpr int kWidth = 20;
    out_ << "\r\033[K";
    for (const Entry& e : entries_) {
        const int filled = e.percent * kWidth / 100;
        out_ << e.device << " [" << QString(filled, '#') << QString(kWidth - filled, '.') << "] "
             << QString::number(e.percent).rightJustified(3) << "%  ";
    }
    out_.flush();
    lineOpen_ = true;
}

void ProgressBoard::close()
{
    if (lineOpen_) {
        out_ << "\n";
        out_.flush();
    }
    lineOpen_ = false;
}

// --- RadioJob -------------------------------------------------------------------

struct RadioJob::Parts {
    Parts(const QString& device, Session& session, ProgressBoard& board, PromptPolicy policy)
        : slot(board.add(device)), shownName(device), port(portLocation(device)),
          traced(port, [device] { return device.toStdString(); }),
          prompts(session, board, slot, policy, portLocation(device)), progress(board, slot)
    {
        engine = std::make_unique<link::TransferEngine>(
            link::TransferServices{traced, timers, prompts, progress, observer}, linkState,
            link::TransferContext{session.doc, session.radioPassword, session.versions});
        link::connectEngine(port, timers, *engine);
        port.setReceiveTap([this](std::span<const std::uint8_t> bytes) { traced.noteReceived(bytes); });
        traced.setFailureReason([this] { return port.lastError().toStdString(); });
    }

    int slot;
    QString shownName; ///< as the user gave it
    link::LinkSession linkState; // each cable learns its own echo
    link::QtLinkPort port;
    link::TracedLinkPort traced; // what the engine talks to
    link::QtTimerService timers;
    CliPrompts prompts;
    CliProgress progress;
    CliObserver observer;
    std::unique_ptr<link::TransferEngine> engine;
};

RadioJob::RadioJob(const QString& device, Session& session, ProgressBoard& board, PromptPolicy policy)
    : d_(std::make_unique<Parts>(device, session, board, policy))
{
}

RadioJob::~RadioJob() = default;

QString RadioJob::device() const { return d_->shownName; }
QString RadioJob::lastMessage() const { return d_->prompts.lastSaid; }
QString RadioJob::failureReason() const { return d_->prompts.failure; }
link::TransferEngine& RadioJob::engine() { return *d_->engine; }
bool RadioJob::finished() const { return d_->observer.done; }
const link::TransferOutcome& RadioJob::outcome() const { return d_->observer.outcome; }
void RadioJob::setFinishedHandler(std::function<void()> handler) { d_->observer.onFinished = std::move(handler); }
void RadioJob::setReadBeforeWriteHandler(std::function<void(const link::RadioMemory&)> handler)
{
    d_->observer.onReadBeforeWrite = std::move(handler);
}
void RadioJob::setTrace(link::WireTrace* trace) { d_->traced.setTrace(trace); }

int runJobs(const std::vector<RadioJob*>& jobs, bool (link::TransferEngine::*start)())
{
    SignalCatcher catcher([&](int) {
        for (RadioJob* job : jobs)
            job->engine().cancel();
    });
    QEventLoop loop;
    auto allDone = [&] {
        for (const RadioJob* job : jobs)
            if (!job->finished())
                return false;
        return true;
    };
    for (RadioJob* job : jobs) {
        job->setFinishedHandler([&] {
            if (allDone())
                loop.quit();
        });
    }
    for (RadioJob* job : jobs)
        (job->engine().*start)();
    if (!allDone())
        loop.exec();
    for (RadioJob* job : jobs)
        job->setFinishedHandler(nullptr);
    return catcher.caught();
}

void addRetriesOption(QCommandLineParser& parser)
{
    parser.addOption({"retries", "Times a stalled transfer is retried (default 3).", "N"});
}

bool readRetries(const QCommandLineParser& parser, QTextStream& err, int& retries)
{
    if (!parser.isSet("retries"))
        return true;
    bool ok = false;
    const int value = parser.value("retries").toInt(&ok);
    if (!ok || value < 0) {
        err << "zavprog-cli: --retries takes a number from 0 on\n";
        return false;
    }
    retries = value;
    return true;
}

void prepareSession(Session& session, const QString& password)
{
    session.paths = installedPaths();
    session.texts = englishTexts(session.paths);
    session.versions = loadVersionRecords(session.paths.versionFile());
    buildNewDocument(session.doc, session.paths.initDir(), TemplateVariant::NewDocument);
    // As the password dialog stores it: trailing spaces and anything from
    // a NUL on removed.
    session.radioPassword = cleanText(password.toStdString());
}

bool openTrace(const QCommandLineParser& parser, std::unique_ptr<link::WireTrace>& trace, QTextStream& err)
{
    if (!parser.isSet("trace"))
        return true;
    FileWriteResult opened;
    trace = link::WireTrace::toFile(parser.value("trace").toStdString(), link::WireTrace::systemClock, &opened);
    if (trace)
        return true;
    err << "zavprog-cli: " << parser.value("trace") << ": " << QString::fromStdString(fileWriteProblemText(opened))
        << "; the trace file cannot be written\n";
    return false;
}

bool interactiveInput() { return ::isatty(STDIN_FILENO) == 1; }

} // namespace zav::cli
