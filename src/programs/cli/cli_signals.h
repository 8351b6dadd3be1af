#pragma once

// SIGINT and SIGTERM while radios are being transferred: instead of ending
// the program on the spot (which leaves a radio waiting in programming
// mode), the signal is handed to the event loop, which stops the
// transfers through their engines.

#include <functional>
#include <memory>

namespace zav::cli {

class SignalCatcher {
public:
    /// Catches SIGINT and SIGTERM until destroyed; onSignal runs in the
    /// event loop with the signal number.
    explicit SignalCatcher(std::function<void(int)> onSignal);
    ~SignalCatcher();
    SignalCatcher(const SignalCatcher&) = delete;
    SignalCatcher& operator=(const SignalCatcher&) = delete;

    /// The first signal caught, 0 when none.
    [[nodiscard]] int caught() const { return caught_; }

private:
    struct Parts;
    std::unique_ptr<Parts> d_;
    int caught_ = 0;
};

/// The exit status of a program ended by a signal, as shells report it.
[[nodiscard]] inline int signalExitCode(int signal) { return 128 + signal; }

} // namespace zav::cli
