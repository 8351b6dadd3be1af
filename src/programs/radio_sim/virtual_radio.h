#pragma once

// The radio's side of the programming protocol, without any I/O: received
// bytes go in, the cable's echo and the radio's replies come out. The
// program side of the link is tested against it (in process, and through a
// pseudo-terminal by zavprog-radio-sim).

#include "packets.h"

#include <cstdint>
#include <random>
#include <span>
#include <vector>

namespace zav::sim {

struct RadioFaults {
    bool echo = false;          ///< single-wire cable: every received byte comes back first
    double lose = 0;            ///< probability that a reply is not sent
    double badChecksum = 0;     ///< probability that a DataBlock carries a wrong checksum
    int repeatFirst = 0;        ///< answer 0x0A to the first N write blocks
    int repeatEvery = 0;        ///< answer 0x0A once to every Nth write block
    long silentAfter = -1;      ///< stop answering after N replies (-1: never)
    long corruptAddress = -1;   ///< a written byte at this address is stored inverted (-1: none)
    unsigned seed = 1;
};

struct RadioOutput {
    link::Bytes echo;                  ///< echoed bytes, in order
    std::vector<link::Bytes> replies;  ///< one entry per reply
};

class VirtualRadio {
public:
    VirtualRadio(const link::RadioMemory& memory, const link::InfoBlock& info, RadioFaults faults = {});

    /// Takes received bytes (any chunking) and answers every complete
    /// command in them.
    [[nodiscard]] RadioOutput receive(std::span<const std::uint8_t> bytes);

    [[nodiscard]] const link::RadioMemory& memory() const { return memory_; }
    [[nodiscard]] const link::InfoBlock& info() const { return info_; }
    link::RadioMemory& memory() { return memory_; }
    link::InfoBlock& info() { return info_; }

    /// End requests received so far.
    [[nodiscard]] int endCount() const { return ends_; }
    /// Write blocks accepted so far.
    [[nodiscard]] long blocksWritten() const { return blocksWritten_; }

private:
    void answer(RadioOutput& out, link::Bytes reply);
    [[nodiscard]] bool chance(double probability);
    [[nodiscard]] link::Bytes readBlock(int address, int length);
    [[nodiscard]] std::uint8_t byteAt(long address) const;
    void store(long address, std::uint8_t value);
    void handleWrite(RadioOutput& out, std::span<const std::uint8_t> packet);

    link::RadioMemory memory_;
    link::InfoBlock info_;
    RadioFaults faults_;
    std::mt19937 random_;
    link::Bytes pending_;
    long repliesSent_ = 0;
    long writeBlocksSeen_ = 0;
    long blocksWritten_ = 0;
    int ends_ = 0;
};

/// The radio's header block at kHeaderAddress, which its identity reply
/// repeats: model (6 bytes), band byte, a spare byte, version (4 bytes),
/// channel mode. Texts end at the first 0x00.
struct RadioHeader {
    std::string model;
    int bandByte = 0;
    std::string version;
    int channelMode = 0;
};
[[nodiscard]] RadioHeader radioHeader(const link::RadioMemory& memory);
/// Sets the radio's header block (what its identity reports) in memory.
void setRadioHeader(link::RadioMemory& memory, const RadioHeader& header);
void setRadioHeader(link::RadioMemory& memory, const std::string& model, int bandByte, const std::string& version,
                    int channelMode);
/// Puts a programming password (at most 4 characters) into the info area.
void setRadioPassword(link::InfoBlock& info, const std::string& password);

} // namespace zav::sim
