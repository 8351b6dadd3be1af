#include "cli_signals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace zav::cli {
namespace {

// The write end of the pipe the handler reports through: a signal handler
// may do little more than write(2).
volatile sig_atomic_t signalPipe = -1;

void onSignal(int signal)
{
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    if (signalPipe >= 0)
        (void)!::write(signalPipe, &number, 1);
    errno = savedErrno;
}

constexpr int kCaughtSignals[] = {SIGINT, SIGTERM};

} // namespace

struct SignalCatcher::Parts {
    int fds[2] = {-1, -1};
    struct sigaction previous[std::size(kCaughtSignals)] {};
    std::unique_ptr<QSocketNotifier> notifier;
};

SignalCatcher::SignalCatcher(std::function<void(int)> onSignalCaught) : d_(std::make_unique<Parts>())
{
    if (::pipe2(d_->fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    signalPipe = d_->fds[1];
    d_->notifier = std::make_unique<QSocketNotifier>(d_->fds[0], QSocketNotifier::Read);
    QObject::connect(d_->notifier.get(), &QSocketNotifier::activated, [this, onSignalCaught] {
        unsigned char number = 0;
        while (::read(d_->fds[0], &number, 1) == 1) {
            if (caught_ == 0)
                caught_ = number;
            onSignalCaught(number);
        }
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kCaughtSignals); ++i)
        ::sigaction(kCaughtSignals[i], &action, &d_->previous[i]);
}

SignalCatcher::~SignalCatcher()
{
    if (d_->fds[0] >= 0) {
        for (std::size_t i = 0; i < std::size(kCaughtSignals); ++i)
            ::sigaction(kCaughtSignals[i], &d_->previous[i], nullptr);
        signalPipe = -1;
        d_->notifier.reset();
        ::close(d_->fds[0]);
        ::close(d_->fds[1]);
    }
}

} // namespace zav::cli
