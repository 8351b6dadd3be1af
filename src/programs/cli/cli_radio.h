#pragma once

// What the radio commands share: a transfer per serial port with the Qt
// port and timers, prompts answered from the command line's options,
// progress on the terminal, and an event loop that runs until every
// transfer has ended.

#include "qt_link_port.h"
#include "qt_timer_service.h"
#include "transfer_engine.h"
#include "wire_trace.h"

#include "session.h"

#include <QCommandLineParser>
#include <QString>
#include <QTextStream>

#include <functional>
#include <memory>
#include <vector>

namespace zav::cli {

/// How the questions of a transfer are answered without a user.
struct PromptPolicy {
    bool allowOtherBand = false; ///< OK to 9014 (a write to a related band)
    int retries = 3;             ///< OKs to the retry question 9008 per transfer
    bool askPassword = false;    ///< a radio with another password: ask at the terminal
};

/// Adds --retries N to a radio command's options.
void addRetriesOption(QCommandLineParser& parser);
/// The --retries value (default 3); writes why to err and returns false
/// when it is not a number from 0 on.
bool readRetries(const QCommandLineParser& parser, QTextStream& err, int& retries);

/// One line of progress for all radios on a terminal, plain lines otherwise.
class ProgressBoard {
public:
    explicit ProgressBoard(QTextStream& out);
    /// Adds a radio; returns its slot.
    int add(const QString& device);
    void set(int slot, int percent);
    /// Prints a message about a radio without tearing the progress line.
    void message(int slot, const QString& text);
    /// Ends the progress line (before the results are printed).
    void close();

private:
    void redraw();
    struct Entry {
        QString device;
        int percent = 0;
        int printedStep = -1;
    };
    QTextStream& out_;
    std::vector<Entry> entries_;
    bool terminal_ = false;
    bool lineOpen_ = false;
};

/// A transfer with one radio.
class RadioJob {
public:
    RadioJob(const QString& device, Session& session, ProgressBoard& board, PromptPolicy policy);
    ~RadioJob();
    RadioJob(const RadioJob&) = delete;
    RadioJob& operator=(const RadioJob&) = delete;

    [[nodiscard]] QString device() const;
    /// The last message about this radio ("" when none).
    [[nodiscard]] QString lastMessage() const;
    /// Why the transfer failed in plain words ("no answer after 3 retries");
    /// "" when it did not or nothing was said.
    [[nodiscard]] QString failureReason() const;
    [[nodiscard]] link::TransferEngine& engine();
    [[nodiscard]] bool finished() const;
    [[nodiscard]] const link::TransferOutcome& outcome() const;
    /// Called when the transfer has finished.
    void setFinishedHandler(std::function<void()> handler);
    /// Called when a write that reads the radio first has read it whole.
    void setReadBeforeWriteHandler(std::function<void(const link::RadioMemory&)> handler);
    /// Every byte of the transfer also goes to trace (nullptr: none).
    void setTrace(link::WireTrace* trace);

private:
    struct Parts;
    std::unique_ptr<Parts> d_;
};

/// Starts the transfers and runs the event loop until all have finished.
/// SIGINT or SIGTERM meanwhile cancels every transfer through its engine
/// (the radios are told it ends); the signal is returned, else 0.
int runJobs(const std::vector<RadioJob*>& jobs, bool (link::TransferEngine::*start)());

/// A session for the radio commands: installed paths, English texts,
/// version records, a new document and the password.
void prepareSession(Session& session, const QString& password);

/// The trace of --trace FILE (trace stays empty without the option).
/// False (reported) when the file cannot be created.
bool openTrace(const QCommandLineParser& parser, std::unique_ptr<link::WireTrace>& trace, QTextStream& err);

/// True when standard input is a terminal the user can answer on.
[[nodiscard]] bool interactiveInput();

} // namespace zav::cli
