#include "qt_timer_service.h"

#include "qt_link_port.h"

namespace zav::link {

QtTimerService::QtTimerService(QObject* parent) : QObject(parent)
{
    for (std::size_t i = 0; i < timers_.size(); ++i) {
        QTimer& timer = timers_[i];
        timer.setSingleShot(true);
        // Precise timers: the 150 ms reply time-out must not stretch.
        timer.setTimerType(Qt::PreciseTimer);
        const auto id = static_cast<TimerId>(i);
        connect(&timer, &QTimer::timeout, this, [this, id] {
            if (handler_)
                handler_(id);
        });
    }
}

void QtTimerService::setHandler(Handler handler) { handler_ = std::move(handler); }

void QtTimerService::start(TimerId id, int milliseconds) { timers_[static_cast<std::size_t>(id)].start(milliseconds); }

void QtTimerService::stop(TimerId id) { timers_[static_cast<std::size_t>(id)].stop(); }

void connectEngine(QtLinkPort& port, QtTimerService& timers, TransferEngine& engine)
{
    port.setReceiver([&engine](std::span<const std::uint8_t> bytes) { engine.onBytesReceived(bytes); });
    timers.setHandler([&engine](TimerId id) { engine.onTimer(id); });
}

} // namespace zav::link
