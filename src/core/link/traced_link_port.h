#pragma once

// A LinkPort that tells a WireTrace about everything passing through it:
// the engine talks to this one, which forwards to the real port. Received
// bytes reach it from the port adapter (noteReceived), chunk by chunk as
// they came off the wire, also those the framer later drops.

#include "transfer_engine.h"
#include "wire_trace.h"

#include <functional>
#include <string>

namespace zav::link {

class TracedLinkPort : public LinkPort {
public:
    /// portName: the device as the user named it, asked at every line.
    TracedLinkPort(LinkPort& inner, std::function<std::string()> portName);

    /// Where the lines go; nullptr stops tracing. The trace must outlive
    /// its use here.
    void setTrace(WireTrace* trace) { trace_ = trace; }
    [[nodiscard]] WireTrace* trace() const { return trace_; }
    /// Bytes the port received, in the order they arrived.
    void noteReceived(std::span<const std::uint8_t> bytes);
    /// Why the last open failed, written beside the failure.
    void setFailureReason(std::function<std::string()> reason) { failureReason_ = std::move(reason); }

    [[nodiscard]] bool open() override;
    void close() override;
    [[nodiscard]] bool isOpen() const override { return inner_.isOpen(); }
    void setThreshold(int bytes) override { inner_.setThreshold(bytes); }
    void clearBuffers() override { inner_.clearBuffers(); }
    void write(std::span<const std::uint8_t> bytes) override;

private:
    LinkPort& inner_;
    std::function<std::string()> portName_;
    std::function<std::string()> failureReason_;
    WireTrace* trace_ = nullptr;
};

} // namespace zav::link
