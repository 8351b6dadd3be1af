#include "virtual_radio.h"

#include <algorithm>
#include <string>

namespace zav::sim {
namespace {

constexpr std::uint8_t kProgram[] = {'P', 'R', 'O', 'G', 'R', 'A', 'M'};
constexpr std::uint8_t kEnd[] = {'E', 'N', 'D'};
constexpr long kAddressSpace = 0x10000;

/// How many bytes a command starting with this byte has, given what has
/// arrived; 0 when more bytes are needed, -1 when the byte starts nothing.
long commandLength(std::span<const std::uint8_t> buffer)
{
    switch (buffer[0]) {
    case 'P': return 7;
    case 0x02: return 1;
    case 'R': return 4;
    case 'E': return 3;
    case 'W': return buffer.size() < 4 ? 0 : 4 + long(buffer[3]) + 2;
    default: return -1;
    }
}

bool startsWith(std::span<const std::uint8_t> buffer, std::span<const std::uint8_t> word)
{
    const std::size_t n = std::min(buffer.size(), word.size());
    return std::equal(buffer.begin(), buffer.begin() + static_cast<long>(n), word.begin());
}

} // namespace

VirtualRadio::VirtualRadio(const link::RadioMemory& memory, const link::InfoBlock& info, RadioFaults faults)
    : memory_(memory), info_(info), faults_(faults), random_(faults.seed)
{
}

bool VirtualRadio::chance(double probability)
{
    if (probability <= 0)
        return false;
    return std::uniform_real_distribution<double>(0.0, 1.0)(random_) < probability;
}

std::uint8_t VirtualRadio::byteAt(long address) const
{
    if (address >= link::kInfoBase && address < link::kInfoBase + link::kInfoBytes)
        return info_[static_cast<std::size_t>(address - link::kInfoBase)];
    if (address >= 0 && address < link::kMemoryBytes)
        return memory_[static_cast<std::size_t>(address)];
    return 0xFF;
}

void VirtualRadio::store(long address, std::uint8_t value)
{
    // A failing memory cell: what was written is not what is kept.
    if (address == faults_.corruptAddress)
        value = static_cast<std::uint8_t>(~value);
    if (address >= link::kInfoBase && address < link::kInfoBase + link::kInfoBytes)
        info_[static_cast<std::size_t>(address - link::kInfoBase)] = value;
    else if (address >= 0 && address < link::kMemoryBytes)
        memory_[static_cast<std::size_t>(address)] = value;
}

link::Bytes VirtualRadio::readBlock(int address, int length)
{
    link::Bytes reply{'W', static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address & 0xFF),
                      static_cast<std::uint8_t>(length)};
    for (int i = 0; i < length; ++i)
        reply.push_back(byteAt((address + i) % kAddressSpace));
    reply.push_back(0);
    reply.push_back(link::kAck);
    reply[reply.size() - 2] = link::checksum(reply);
    if (chance(faults_.badChecksum))
        reply[reply.size() - 2] ^= 0x5A;
    return reply;
}

void VirtualRadio::handleWrite(RadioOutput& out, std::span<const std::uint8_t> packet)
{
    ++writeBlocksSeen_;
    const bool intact = packet.back() == link::kAck && link::checksum(packet) == packet[packet.size() - 2];
    const bool askAgain = writeBlocksSeen_ <= faults_.repeatFirst
        || (faults_.repeatEvery > 0 && writeBlocksSeen_ % faults_.repeatEvery == 0);
    if (!intact || askAgain) {
        answer(out, {link::kRepeatRequest});
        return;
    }
    const long address = packet[1] * 256 + packet[2];
    for (std::size_t i = 0; i < packet[3]; ++i)
        store(address + static_cast<long>(i), packet[4 + i]);
    ++blocksWritten_;
    answer(out, {link::kAck});
}

void VirtualRadio::answer(RadioOutput& out, link::Bytes reply)
{
    if (faults_.silentAfter >= 0 && repliesSent_ >= faults_.silentAfter)
        return;
    ++repliesSent_;
    if (chance(faults_.lose))
        return;
    out.replies.push_back(std::move(reply));
}

RadioOutput VirtualRadio::receive(std::span<const std::uint8_t> bytes)
{
    RadioOutput out;
    if (faults_.echo)
        out.echo.assign(bytes.begin(), bytes.end());
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());

    std::size_t at = 0;
    while (at < pending_.size()) {
        const auto rest = std::span<const std::uint8_t>(pending_).subspan(at);
        const long length = commandLength(rest);
        if (length < 0) {
            ++at; // noise between commands
            continue;
        }
        if (length == 0 || rest.size() < static_cast<std::size_t>(length))
            break;
        const auto command = rest.first(static_cast<std::size_t>(length));
        switch (command[0]) {
        case 'P':
            if (!startsWith(command, kProgram)) {
                ++at;
                continue;
            }
            answer(out, {'J', 'L', link::kAck});
            break;
        case 0x02: {
            link::Bytes identity{'P'};
            for (int i = 0; i < link::kIdentityHeaderBytes; ++i)
                identity.push_back(memory_[static_cast<std::size_t>(link::kHeaderAddress + i)]);
            identity.push_back(link::kAck);
            answer(out, std::move(identity));
            break;
        }
        case 'R': answer(out, readBlock(command[1] * 256 + command[2], command[3])); break;
        case 'E':
            if (!startsWith(command, kEnd)) {
                ++at;
                continue;
            }
            ++ends_;
            answer(out, {link::kAck});
            break;
        case 'W': handleWrite(out, command); break;
        default: break;
        }
        at += static_cast<std::size_t>(length);
    }
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<long>(at));
    return out;
}

namespace {

// Offsets in the header block.
constexpr int kModelOffset = 0;
constexpr int kModelBytes = 6;
constexpr int kBandOffset = 6;
constexpr int kVersionOffset = 8;
constexpr int kVersionBytes = 4;
constexpr int kChannelModeOffset = 12;

std::string headerText(const std::uint8_t* header, int offset, int size)
{
    std::string text;
    for (int i = offset; i < offset + size && header[i] != 0x00; ++i)
        text.push_back(static_cast<char>(header[i]));
    return text;
}

void putHeaderText(std::uint8_t* header, int offset, int size, const std::string& text)
{
    for (int i = 0; i < size; ++i)
        header[offset + i] = i < static_cast<int>(text.size()) ? static_cast<std::uint8_t>(text[static_cast<std::size_t>(i)]) : 0x00;
}

} // namespace

RadioHeader radioHeader(const link::RadioMemory& memory)
{
    const auto* header = memory.data() + link::kHeaderAddress;
    return {headerText(header, kModelOffset, kModelBytes), header[kBandOffset],
            headerText(header, kVersionOffset, kVersionBytes), header[kChannelModeOffset]};
}

void setRadioHeader(link::RadioMemory& memory, const RadioHeader& h)
{
    auto* header = memory.data() + link::kHeaderAddress;
    putHeaderText(header, kModelOffset, kModelBytes, h.model);
    header[kBandOffset] = static_cast<std::uint8_t>(h.bandByte);
    putHeaderText(header, kVersionOffset, kVersionBytes, h.version);
    header[kChannelModeOffset] = static_cast<std::uint8_t>(h.channelMode);
}

void setRadioHeader(link::RadioMemory& memory, const std::string& model, int bandByte, const std::string& version,
                    int channelMode)
{
    setRadioHeader(memory, RadioHeader{model, bandByte, version, channelMode});
}

void setRadioPassword(link::InfoBlock& info, const std::string& password)
{
    for (int i = 0; i < 4; ++i)
        info[static_cast<std::size_t>(0x2C + i)] =
            i < static_cast<int>(password.size()) ? static_cast<std::uint8_t>(password[static_cast<std::size_t>(i)]) : 0x00;
}

} // namespace zav::sim
