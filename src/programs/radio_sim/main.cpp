// zavprog-radio-sim: a virtual ZAV415 on a pseudo-terminal. It prints the
// path of the terminal the programming tool should open (one line), then
// plays the radio's side of the programming protocol until it is killed.

#include "pseudo_terminal.h"
#include "sample_document.h"
#include "sim_options.h"
#include "virtual_radio.h"

#include "atomic_file.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using zav::link::Bytes;

// 9600 baud, 10 bits per byte (start, 8 data, stop).
constexpr auto kByteTime = std::chrono::nanoseconds(1'000'000'000LL * 10 / 9600);
// --exact-timing: how long before a reply is due polling starts, and how long
// after a reply the next request is polled for.
constexpr auto kPollBeforeDue = std::chrono::microseconds(400);
constexpr auto kListenAfterReply = std::chrono::microseconds(1500);

volatile sig_atomic_t stopRequested = 0;
void onSignal(int) { stopRequested = 1; }

template <class Buffer>
bool loadExact(const std::string& path, Buffer& buffer)
{
    const auto data = zav::readWholeFile(path, buffer.size());
    if (!data || data->size() != buffer.size()) {
        std::fprintf(stderr, "zavprog-radio-sim: %s must hold exactly %zu bytes\n", path.c_str(), buffer.size());
        return false;
    }
    std::copy(data->begin(), data->end(), buffer.begin());
    return true;
}

bool writeAll(int fd, const std::uint8_t* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN) {
                pollfd p{fd, POLLOUT, 0};
                ::poll(&p, 1, 100);
                continue;
            }
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

struct Scheduled {
    Clock::time_point due;
    Bytes bytes;
};

/// Loads the memory and information files the options name over the sample
/// radio's, then lets the identity options change the radio's header.
bool loadRadio(const zav::sim::SimOptions& o, zav::link::RadioMemory& memory, zav::link::InfoBlock& info)
{
    memory = zav::sim::sampleMemory();
    info = zav::sim::sampleInfoBlock();
    if (!o.memoryFile.empty() && !loadExact(o.memoryFile, memory))
        return false;
    if (!o.infoFile.empty() && !loadExact(o.infoFile, info))
        return false;
    zav::sim::RadioHeader header = zav::sim::radioHeader(memory);
    if (o.modelSet)
        header.model = o.model;
    if (o.versionSet)
        header.version = o.version;
    if (o.bandSet)
        header.bandByte = o.bandByte;
    if (o.channelMode >= 0)
        header.channelMode = o.channelMode;
    zav::sim::setRadioHeader(memory, header);
    if (!o.password.empty())
        zav::sim::setRadioPassword(info, o.password);
    return true;
}

/// Plays the radio on the master side until a signal asks to stop.
void serve(int master, const zav::sim::SimOptions& o, zav::sim::VirtualRadio& radio)
{
    std::deque<Scheduled> queue;
    Clock::time_point lineFree = Clock::now();
    Clock::time_point listenUntil = lineFree;
    int endsDumped = 0;

    while (!stopRequested) {
        // Sleep until a byte arrives or the next paced reply is due. With
        // exact timing the last stretch before a reply is due, and the
        // moment after one when the program's next request comes, are
        // polled: the scheduler's wake-up delay (often hundreds of
        // microseconds) would otherwise be counted against the program.
        pollfd p{master, POLLIN, 0};
        timespec ts{};
        timespec* tsp = nullptr;
        const auto beforeSleep = Clock::now();
        if (!queue.empty()) {
            auto wait = queue.front().due - beforeSleep;
            if (o.exactTiming)
                wait -= kPollBeforeDue;
            const long long ns = std::max<long long>(0, std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count());
            ts.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
            ts.tv_nsec = static_cast<long>(ns % 1'000'000'000);
            tsp = &ts;
        } else if (o.exactTiming && beforeSleep < listenUntil) {
            tsp = &ts; // poll
        }
        const int ready = ::ppoll(&p, 1, tsp, nullptr);
        if (ready < 0 && errno != EINTR)
            break;

        while (!queue.empty() && queue.front().due <= Clock::now()) {
            writeAll(master, queue.front().bytes.data(), queue.front().bytes.size());
            queue.pop_front();
            listenUntil = Clock::now() + kListenAfterReply;
        }
        if (ready <= 0 || !(p.revents & POLLIN))
            continue;

        std::uint8_t buffer[4096];
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n <= 0) {
            // No terminal side open (EIO): wait instead of spinning.
            if (n < 0 && errno == EIO)
                ::usleep(10000);
            continue;
        }
        const auto now = Clock::now();
        const auto out = radio.receive(std::span<const std::uint8_t>(buffer, static_cast<std::size_t>(n)));
        // The memory is on disk before the end request is answered. A
        // program does not always wait for that answer (an unanswered end
        // request counts as done after a time-out), so the dump is also
        // announced on standard output: "end N" after the Nth end request.
        if (!o.dumpFile.empty() && radio.endCount() > endsDumped) {
            endsDumped = radio.endCount();
            const auto& m = radio.memory();
            zav::writeFileAtomically(o.dumpFile, std::vector<std::uint8_t>(m.begin(), m.end()));
            std::printf("end %d\n", endsDumped);
            std::fflush(stdout);
        }
        if (!out.echo.empty())
            writeAll(master, out.echo.data(), out.echo.size());
        if (o.paced) {
            // Half-duplex line: the request needs its bytes' time to arrive,
            // then each reply needs its own.
            lineFree = std::max(lineFree, now) + kByteTime * n;
            for (const Bytes& reply : out.replies) {
                lineFree += kByteTime * static_cast<long>(reply.size());
                queue.push_back({lineFree, reply});
            }
        } else {
            for (const Bytes& reply : out.replies)
                writeAll(master, reply.data(), reply.size());
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    const zav::sim::SimCommandLine command = zav::sim::parseSimCommandLine(argc, argv);
    switch (command.outcome) {
    case zav::sim::SimCommandLine::Outcome::Help:
        std::fputs(zav::sim::simHelpText().c_str(), stdout);
        return 0;
    case zav::sim::SimCommandLine::Outcome::Version:
        std::printf("zavprog-radio-sim %s\n", ZAV_PROGRAM_VERSION);
        return 0;
    case zav::sim::SimCommandLine::Outcome::Error:
        std::fprintf(stderr, "zavprog-radio-sim: %s\n(zavprog-radio-sim --help lists the options)\n",
                     command.error.c_str());
        return 2;
    case zav::sim::SimCommandLine::Outcome::Run:
        break;
    }
    const zav::sim::SimOptions& o = command.options;

    zav::link::RadioMemory memory{};
    zav::link::InfoBlock info{};
    if (!loadRadio(o, memory, info))
        return 2;

    zav::sim::PseudoTerminal terminal;
    if (!terminal.open(o.link))
        return 1;

    struct sigaction sa{};
    sa.sa_handler = onSignal;
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGINT, &sa, nullptr);
    ::signal(SIGPIPE, SIG_IGN);

    std::printf("%s\n", terminal.pathForTool().c_str());
    std::fflush(stdout);

    zav::sim::VirtualRadio radio(memory, info, o.faults);
    serve(terminal.master(), o, radio);
    return 0;
}
