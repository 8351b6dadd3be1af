#pragma once

// Every byte the program sends to the radio and every reply it recognises.
// The radio answers each packet with a reply of known length; a single-wire
// cable echoes every sent byte first, so a frame is the echo (skipped, never
// compared) followed by the reply.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zav::link {

using Bytes = std::vector<std::uint8_t>;

inline constexpr int kMemoryBytes = 25664;   ///< radio addresses 0x0000..0x643F
inline constexpr int kInfoBase = 0x3F00;     ///< first address of the information area
inline constexpr int kInfoBytes = 256;       ///< 0x3F00..0x3FFF
inline constexpr int kBlockSize = 16;        ///< bytes per read or write block
inline constexpr int kPasswordAddress = 0x3F20;
inline constexpr int kHeaderAddress = 0x21F0; ///< the radio's header block, mirrored by the identity
inline constexpr int kIdentityHeaderBytes = 14; ///< identity bytes 1..14 = header 0x21F0..0x21FD

/// Transfer buffer indexed by radio address.
using RadioMemory = std::array<std::uint8_t, kMemoryBytes>;
/// Transfer buffer of the information area, index = address - 0x3F00.
using InfoBlock = std::array<std::uint8_t, kInfoBytes>;

inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kRepeatRequest = 0x0A;

/// The packets of the protocol, named by their sender.
enum class Packet { Handshake, IdentifyRequest, ReadRequest, PasswordRead, WriteBlock, EndRequest };

/// Reply length (without echo) that a packet asks for.
[[nodiscard]] int replyLength(Packet packet);

/// Bytes of one packet. ReadRequest and WriteBlock use address (high byte
/// first); WriteBlock takes its 16 data bytes from memory at address.
[[nodiscard]] Bytes buildPacket(Packet packet, int address = 0, const RadioMemory* memory = nullptr);

/// Echo bytes expected before the reply: 0 without echo, else the packet length.
[[nodiscard]] int echoLength(Packet packet, bool noEcho);
/// Receive threshold of a sender: echo plus reply length.
[[nodiscard]] int receiveThreshold(Packet packet, bool noEcho);

/// Sum modulo 256 of frame[1] .. frame[size - 2] (command byte and the
/// trailing 0x06 excluded). Frames shorter than 3 bytes give 0.
[[nodiscard]] std::uint8_t checksum(std::span<const std::uint8_t> frame);

/// What a reply was recognised as, in the order the recognisers are tried.
enum class Reply { Unknown, Ack, RepeatRequest, HandshakeAck, Identity, PasswordBlock, DataBlock };

/// Runs the recognisers in order on a reply (echo already skipped).
/// blockAddress is the block asked for (may be negative before the walk
/// starts); atPasswordStep enables the password-block recogniser.
[[nodiscard]] Reply recognise(std::span<const std::uint8_t> reply, long blockAddress, bool atPasswordStep);

/// The identity as the program reads it.
struct RadioIdentity {
    std::string modelName;       ///< "ZAV415", or "ZAV415FM" for ZAV415 with band byte 1
    std::uint8_t bandByte = 0;   ///< 0 after the ZAV415FM rule
    std::string version;         ///< e.g. "V300"
    std::uint8_t channelMode = 0;///< 4 = extended mode
    std::array<std::uint8_t, kIdentityHeaderBytes> header{}; ///< bytes 1..14 as received
};
/// Decodes a 16-byte identity reply (the caller has recognised it).
[[nodiscard]] RadioIdentity decodeIdentity(std::span<const std::uint8_t> reply);

/// Stores a recognised DataBlock (or password block) where its address
/// says: 0x3F00..0x3FFF into info, above 0x643E nowhere, else into memory.
/// Bytes that would fall outside a buffer are dropped.
void storeDataBlock(std::span<const std::uint8_t> reply, RadioMemory& memory, InfoBlock& info);

/// The radio's programming password from the 16 data bytes of the password
/// block: bytes 12..15, ended early by 0x00 or 0xFF, trailing spaces removed.
[[nodiscard]] std::string passwordOfBlock(std::span<const std::uint8_t> blockData);

/// Frames received bytes: once the threshold number of bytes has arrived,
/// exactly one frame (the first threshold bytes) is taken and everything
/// else is dropped until the next send re-arms the framer.
class ReplyFramer {
public:
    /// Called by every sender: empties the buffer and waits for a new frame.
    void arm(int threshold, int echoLength);
    /// Stops taking frames (transfer paused or ended).
    void disarm();
    /// Adds received bytes; returns the reply (frame minus echo) when this
    /// call completed a frame.
    [[nodiscard]] std::optional<Bytes> push(std::span<const std::uint8_t> bytes);

    [[nodiscard]] int threshold() const { return threshold_; }
    [[nodiscard]] int echoLength() const { return echo_; }

private:
    Bytes buffer_;
    int threshold_ = 1;
    int echo_ = 0;
    bool armed_ = false;
};

} // namespace zav::link
