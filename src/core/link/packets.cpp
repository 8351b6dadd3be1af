#include "packets.h"

#include "fixed_text.h"

#include <algorithm>

namespace zav::link {
namespace {

constexpr std::uint8_t kHandshake[] = {'P', 'R', 'O', 'G', 'R', 'A', 'M'};
constexpr std::uint8_t kEnd[] = {'E', 'N', 'D'};
constexpr std::uint8_t kHandshakeAck[] = {'J', 'L', kAck};
constexpr std::uint8_t kIdentify = 0x02;
constexpr std::uint8_t kRead = 'R';
constexpr std::uint8_t kWrite = 'W';
constexpr int kIdentityLength = 16;
constexpr int kDataBlockOverhead = 6; // "W", address, length, checksum, 0x06
constexpr int kMinimumDataBlock = kBlockSize + kDataBlockOverhead;

int packetLength(Packet packet)
{
    switch (packet) {
    case Packet::Handshake: return 7;
    case Packet::IdentifyRequest: return 1;
    case Packet::ReadRequest:
    case Packet::PasswordRead: return 4;
    case Packet::WriteBlock: return 22;
    case Packet::EndRequest: return 3;
    }
    return 0;
}

int addressOf(std::span<const std::uint8_t> reply) { return reply[1] * 256 + reply[2]; }

// The checks shared by the password-block and DataBlock recognisers.
bool isWellFormedBlock(std::span<const std::uint8_t> reply)
{
    if (reply.size() < static_cast<std::size_t>(kMinimumDataBlock) || reply[0] != kWrite)
        return false;
    const std::size_t length = reply[3];
    return reply.size() == length + kDataBlockOverhead && reply.back() == kAck
        && checksum(reply) == reply[reply.size() - 2];
}

// Text of bytes ended early by 0x00 (and 0xFF where the radio leaves erased
// bytes), trailing spaces removed.
std::string textOf(std::span<const std::uint8_t> bytes, bool stopAtErased)
{
    std::string text;
    for (std::uint8_t b : bytes) {
        if (b == 0x00 || (stopAtErased && b == 0xFF))
            break;
        text.push_back(static_cast<char>(b));
    }
    return cleanText(text);
}

} // namespace

int replyLength(Packet packet)
{
    switch (packet) {
    case Packet::Handshake: return 3;
    case Packet::IdentifyRequest: return kIdentityLength;
    case Packet::ReadRequest:
    case Packet::PasswordRead: return kBlockSize + kDataBlockOverhead;
    case Packet::WriteBlock:
    case Packet::EndRequest: return 1;
    }
    return 0;
}

Bytes buildPacket(Packet packet, int address, const RadioMemory* memory)
{
    const auto high = static_cast<std::uint8_t>((address >> 8) & 0xFF);
    const auto low = static_cast<std::uint8_t>(address & 0xFF);
    switch (packet) {
    case Packet::Handshake: return Bytes(std::begin(kHandshake), std::end(kHandshake));
    case Packet::IdentifyRequest: return Bytes{kIdentify};
    case Packet::ReadRequest: return Bytes{kRead, high, low, static_cast<std::uint8_t>(kBlockSize)};
    case Packet::PasswordRead:
        return Bytes{kRead, static_cast<std::uint8_t>(kPasswordAddress >> 8),
                     static_cast<std::uint8_t>(kPasswordAddress & 0xFF), static_cast<std::uint8_t>(kBlockSize)};
    case Packet::WriteBlock: {
        Bytes frame{kWrite, high, low, 0x10};
        for (int i = 0; i < kBlockSize; ++i) {
            const long at = static_cast<long>(address) + i;
            frame.push_back(memory && at >= 0 && at < kMemoryBytes ? (*memory)[static_cast<std::size_t>(at)] : 0xFF);
        }
        frame.push_back(0); // checksum placeholder
        frame.push_back(kAck);
        frame[frame.size() - 2] = checksum(frame);
        return frame;
    }
    case Packet::EndRequest: return Bytes(std::begin(kEnd), std::end(kEnd));
    }
    return {};
}

int echoLength(Packet packet, bool noEcho) { return noEcho ? 0 : packetLength(packet); }

int receiveThreshold(Packet packet, bool noEcho) { return echoLength(packet, noEcho) + replyLength(packet); }

std::uint8_t checksum(std::span<const std::uint8_t> frame)
{
    if (frame.size() < 3)
        return 0;
    unsigned sum = 0;
    for (std::size_t i = 1; i + 2 < frame.size(); ++i)
        sum += frame[i];
    return static_cast<std::uint8_t>(sum & 0xFF);
}

Reply recognise(std::span<const std::uint8_t> reply, long blockAddress, bool atPasswordStep)
{
    if (reply.size() == 1 && reply[0] == kAck)
        return Reply::Ack;
    if (reply.size() == 1 && reply[0] == kRepeatRequest)
        return Reply::RepeatRequest;
    if (std::ranges::equal(reply, kHandshakeAck))
        return Reply::HandshakeAck;
    if (reply.size() == kIdentityLength && reply.front() == 'P' && reply.back() == kAck)
        return Reply::Identity;
    if (atPasswordStep && isWellFormedBlock(reply) && addressOf(reply) == kPasswordAddress)
        return Reply::PasswordBlock;
    if (isWellFormedBlock(reply) && addressOf(reply) == blockAddress && reply[3] == kBlockSize)
        return Reply::DataBlock;
    return Reply::Unknown;
}

RadioIdentity decodeIdentity(std::span<const std::uint8_t> reply)
{
    RadioIdentity id;
    if (reply.size() < kIdentityLength)
        return id;
    id.modelName = textOf(reply.subspan(1, 6), false);
    id.bandByte = reply[7];
    if (id.modelName == "ZAV415" && id.bandByte == 1) {
        id.modelName = "ZAV415FM";
        id.bandByte = 0;
    }
    id.version = textOf(reply.subspan(9, 4), false);
    id.channelMode = reply[13];
    std::copy_n(reply.begin() + 1, kIdentityHeaderBytes, id.header.begin());
    return id;
}

void storeDataBlock(std::span<const std::uint8_t> reply, RadioMemory& memory, InfoBlock& info)
{
    if (reply.size() < 6)
        return;
    const long address = addressOf(reply);
    const std::size_t count = std::min<std::size_t>(reply[3], reply.size() - 6);
    const auto data = reply.subspan(4, count);
    auto copyInto = [&](auto& buffer, long offset) {
        for (std::size_t i = 0; i < data.size(); ++i) {
            const long at = offset + static_cast<long>(i);
            if (at >= 0 && at < static_cast<long>(buffer.size()))
                buffer[static_cast<std::size_t>(at)] = data[i];
        }
    };
    if (address >= kInfoBase && address <= kInfoBase + kInfoBytes - 1)
        copyInto(info, address - kInfoBase);
    else if (address <= 0x643E)
        copyInto(memory, address);
}

std::string passwordOfBlock(std::span<const std::uint8_t> blockData)
{
    std::string password;
    for (std::size_t i = 12; i < 16 && i < blockData.size(); ++i) {
        if (blockData[i] == 0x00 || blockData[i] == 0xFF)
            break;
        password.push_back(static_cast<char>(blockData[i]));
    }
    return cleanText(password);
}

void ReplyFramer::arm(int threshold, int echoLength)
{
    buffer_.clear();
    threshold_ = threshold < 1 ? 1 : threshold;
    echo_ = std::clamp(echoLength, 0, threshold_);
    armed_ = true;
}

void ReplyFramer::disarm()
{
    buffer_.clear();
    armed_ = false;
}

std::optional<Bytes> ReplyFramer::push(std::span<const std::uint8_t> bytes)
{
    if (!armed_)
        return std::nullopt;
    const std::size_t wanted = static_cast<std::size_t>(threshold_) - buffer_.size();
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.begin() + static_cast<long>(std::min(wanted, bytes.size())));
    if (buffer_.size() < static_cast<std::size_t>(threshold_))
        return std::nullopt;
    // One frame per send: whatever follows is dropped until the next arm().
    armed_ = false;
    Bytes reply(buffer_.begin() + echo_, buffer_.end());
    buffer_.clear();
    return reply;
}

} // namespace zav::link
