#pragma once

#include <QObject>
#include <array>
#include <functional>

#include "link/EngineHosts.h"
#include "link/ProtocolEngine.h"

class QTimer;

// The main frame's window timers: one QTimer per id, on the main thread.
class QtTimerHost : public TimerHost {
public:
    QtTimerHost(QObject* owner, std::function<void(int)> onTimeout);

    void startTimer(int id, int periodMs) override;
    void stopTimer(int id) override;
    bool isRunning(int id) const;

private:
    static constexpr int kTimerSlots = kTimerRealtime + 1;

    QTimer* timer(int id);

    QObject* owner_;
    std::function<void(int)> onTimeout_;
    std::array<QTimer*, kTimerSlots> timers_{};
};
