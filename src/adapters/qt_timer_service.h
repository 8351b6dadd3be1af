#pragma once

// The engine's one-shot timers on Qt.

#include "transfer_engine.h"

#include <QObject>
#include <QTimer>

#include <array>
#include <functional>

namespace zav::link {

class QtTimerService : public QObject, public TimerService {
    Q_OBJECT

public:
    using Handler = std::function<void(TimerId)>;

    explicit QtTimerService(QObject* parent = nullptr);

    /// Called when a timer expires, usually TransferEngine::onTimer.
    void setHandler(Handler handler);

    void start(TimerId id, int milliseconds) override;
    void stop(TimerId id) override;

private:
    std::array<QTimer, 3> timers_;
    Handler handler_;
};

/// Connects a port and timers to the engine that uses them.
void connectEngine(class QtLinkPort& port, QtTimerService& timers, TransferEngine& engine);

} // namespace zav::link
