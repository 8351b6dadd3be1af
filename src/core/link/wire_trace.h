#pragma once

// A record of what went over the cable, for when a cable or a radio
// misbehaves: one line per chunk sent or received with a millisecond
// timestamp, the port, the direction, the bytes in hex and as printable
// characters. The radio's programming password never reaches the record.

#include "atomic_file.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace zav::link {

enum class WireDirection { Sent, Received };

/// Finds the radio password's bytes in one direction of the stream. The
/// password lives at 0x3F2C..0x3F2F of the information area and travels
/// only inside a data block ('W', address high, address low, length, data):
/// the radio's reply to the password read, an information read, the echo of
/// a written block. Every data byte of such a block whose address falls on
/// the password is marked, wherever the chunks of the stream are cut.
class PasswordMask {
public:
    /// One flag per byte of chunk (the next bytes of the stream): true
    /// where the byte is part of the password.
    [[nodiscard]] std::vector<bool> scan(std::span<const std::uint8_t> chunk);
    /// Forgets the stream so far (the port was opened again).
    void reset();

private:
    std::uint64_t position_ = 0;                  ///< stream position of the next byte
    std::vector<std::uint8_t> recent_;            ///< the last 3 bytes, oldest first
    std::vector<std::pair<std::uint64_t, std::uint64_t>> hidden_; ///< [from, to) positions to mark
};

/// Writes the trace lines; each line reaches the file as it is made, so
/// that a trace of a program that stopped abruptly still holds its last
/// bytes.
class WireTrace {
public:
    /// Milliseconds since 1970-01-01 UTC.
    using Clock = std::function<std::int64_t()>;

    explicit WireTrace(std::ostream& out, Clock clock = systemClock);
    /// A trace added to the end of a file (created when missing), line by
    /// line, so that traces of several runs, or of two programs at once,
    /// follow each other whole. nullptr when the file is refused or cannot
    /// be opened; problem (when given) says why.
    [[nodiscard]] static std::unique_ptr<WireTrace> toFile(const std::string& path, Clock clock = systemClock,
                                                           FileWriteResult* problem = nullptr);

    /// A chunk of bytes as it was handed to or taken from the port.
    void record(const std::string& port, WireDirection direction, std::span<const std::uint8_t> bytes);
    /// A line about the port itself ("open", "closed", "cannot open: ...");
    /// an open starts both directions' streams afresh.
    void note(const std::string& port, const std::string& event);

    [[nodiscard]] static std::int64_t systemClock();
    /// "HH:MM:SS.mmm" (UTC) of a clock value.
    [[nodiscard]] static std::string timeOfDay(std::int64_t millisecondsSinceEpoch);

private:
    WireTrace(std::unique_ptr<AppendFile> file, Clock clock);
    void writeLine(const std::string& line);
    std::unique_ptr<AppendFile> file_;
    std::ostream* out_ = nullptr; ///< when not writing to a file
    Clock clock_;
    std::map<std::pair<std::string, WireDirection>, PasswordMask> masks_;
};

} // namespace zav::link
