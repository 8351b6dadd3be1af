#include "traced_link_port.h"

namespace zav::link {

TracedLinkPort::TracedLinkPort(LinkPort& inner, std::function<std::string()> portName)
    : inner_(inner), portName_(std::move(portName))
{
}

void TracedLinkPort::noteReceived(std::span<const std::uint8_t> bytes)
{
    if (trace_)
        trace_->record(portName_(), WireDirection::Received, bytes);
}

bool TracedLinkPort::open()
{
    const bool opened = inner_.open();
    if (trace_) {
        std::string event = "open";
        if (!opened)
            event = "cannot open" + (failureReason_ ? ": " + failureReason_() : std::string());
        trace_->note(portName_(), event);
    }
    return opened;
}

void TracedLinkPort::close()
{
    const bool wasOpen = inner_.isOpen();
    inner_.close();
    if (trace_ && wasOpen)
        trace_->note(portName_(), "closed");
}

void TracedLinkPort::write(std::span<const std::uint8_t> bytes)
{
    // Written down before it leaves: the reply may arrive before write()
    // returns on a fast line.
    if (trace_ && inner_.isOpen())
        trace_->record(portName_(), WireDirection::Sent, bytes);
    inner_.write(bytes);
}

} // namespace zav::link
