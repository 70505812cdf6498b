#pragma once

#include <QObject>
#include <functional>
#include <map>

#include "link/EngineHosts.h"

class QTimer;

// The main frame's window timers: one QTimer per id (any id), on the main thread.
class QtTimerHost : public TimerHost {
public:
    QtTimerHost(QObject* owner, std::function<void(int)> onTimeout);

    void startTimer(int id, int periodMs) override;
    void stopTimer(int id) override;
    bool isRunning(int id) const;

private:
    QTimer* timer(int id);

    QObject* owner_;
    std::function<void(int)> onTimeout_;
    std::map<int, QTimer*> timers_;  // children of the owner
};
