#include "wire_trace.h"

#include "packets.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

namespace zav::link {
namespace {

constexpr std::uint8_t kBlockCommand = 'W';
constexpr std::uint64_t kPasswordFirst = kPasswordAddress + 12; // data bytes 12..15 of the password block
constexpr std::uint64_t kPasswordEnd = kPasswordFirst + 4;

const char* directionWord(WireDirection direction) { return direction == WireDirection::Sent ? "sent" : "recv"; }

} // namespace

// --- PasswordMask ---------------------------------------------------------------

std::vector<bool> PasswordMask::scan(std::span<const std::uint8_t> chunk)
{
    std::vector<bool> marked(chunk.size(), false);
    for (std::size_t i = 0; i < chunk.size(); ++i, ++position_) {
        const std::uint8_t byte = chunk[i];
        for (const auto& [from, to] : hidden_)
            if (position_ >= from && position_ < to)
                marked[i] = true;
        // This byte as the length of a block header: the data follows it.
        if (recent_.size() == 3 && recent_[0] == kBlockCommand) {
            const std::uint64_t address = recent_[1] * 256u + recent_[2];
            const std::uint64_t first = std::max(address, kPasswordFirst);
            const std::uint64_t end = std::min(address + byte, kPasswordEnd);
            if (first < end)
                hidden_.emplace_back(position_ + 1 + (first - address), position_ + 1 + (end - address));
        }
        recent_.push_back(byte);
        if (recent_.size() > 3)
            recent_.erase(recent_.begin());
    }
    std::erase_if(hidden_, [&](const auto& range) { return range.second <= position_; });
    return marked;
}

void PasswordMask::reset() { *this = PasswordMask(); }

// --- WireTrace ------------------------------------------------------------------

WireTrace::WireTrace(std::ostream& out, Clock clock) : out_(&out), clock_(std::move(clock)) {}

WireTrace::WireTrace(std::unique_ptr<AppendFile> file, Clock clock) : file_(std::move(file)), clock_(std::move(clock))
{
}

std::unique_ptr<WireTrace> WireTrace::toFile(const std::string& path, Clock clock, FileWriteResult* problem)
{
    FileWriteResult result;
    std::unique_ptr<AppendFile> file = AppendFile::open(path, result);
    if (problem)
        *problem = result;
    if (!file)
        return nullptr;
    return std::unique_ptr<WireTrace>(new WireTrace(std::move(file), std::move(clock)));
}

void WireTrace::writeLine(const std::string& line)
{
    // A line that does not fit (a full disk) is lost whole; the transfer
    // goes on regardless.
    if (file_) {
        (void)file_->append(line);
        return;
    }
    *out_ << line;
    out_->flush();
}

std::int64_t WireTrace::systemClock()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::string WireTrace::timeOfDay(std::int64_t ms)
{
    const std::int64_t dayMs = ((ms % 86400000) + 86400000) % 86400000;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", static_cast<int>(dayMs / 3600000),
                  static_cast<int>(dayMs / 60000 % 60), static_cast<int>(dayMs / 1000 % 60), static_cast<int>(dayMs % 1000));
    return text;
}

void WireTrace::record(const std::string& port, WireDirection direction, std::span<const std::uint8_t> bytes)
{
    if (bytes.empty())
        return;
    const std::vector<bool> hidden = masks_[{port, direction}].scan(bytes);
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string hex;
    std::string ascii;
    hex.reserve(bytes.size() * 3);
    ascii.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i != 0)
            hex.push_back(' ');
        if (hidden[i]) {
            hex += "**";
            ascii.push_back('*');
            continue;
        }
        hex.push_back(kHex[bytes[i] >> 4]);
        hex.push_back(kHex[bytes[i] & 0x0F]);
        ascii.push_back(bytes[i] >= 0x20 && bytes[i] < 0x7F ? static_cast<char>(bytes[i]) : '.');
    }
    writeLine(timeOfDay(clock_()) + ' ' + port + ' ' + directionWord(direction) + ' ' + std::to_string(bytes.size())
              + "  " + hex + "  |" + ascii + "|\n");
}

void WireTrace::note(const std::string& port, const std::string& event)
{
    if (event == "open") {
        masks_[{port, WireDirection::Sent}].reset();
        masks_[{port, WireDirection::Received}].reset();
    }
    writeLine(timeOfDay(clock_()) + ' ' + port + " -- " + event + '\n');
}

} // namespace zav::link
