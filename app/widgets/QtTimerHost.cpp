#include "app/widgets/QtTimerHost.h"

#include <QTimer>

QtTimerHost::QtTimerHost(QObject* owner, std::function<void(int)> onTimeout)
    : owner_(owner), onTimeout_(std::move(onTimeout)) {}

void QtTimerHost::startTimer(int id, int periodMs) {
    timer(id)->start(periodMs);
}

void QtTimerHost::stopTimer(int id) {
    if (const auto found = timers_.find(id); found != timers_.end()) found->second->stop();
}

bool QtTimerHost::isRunning(int id) const {
    const auto found = timers_.find(id);
    return found != timers_.end() && found->second->isActive();
}

QTimer* QtTimerHost::timer(int id) {
    QTimer*& t = timers_[id];
    if (t == nullptr) {
        t = new QTimer(owner_);
        t->setTimerType(Qt::PreciseTimer);
        QObject::connect(t, &QTimer::timeout, owner_, [this, id] { onTimeout_(id); });
    }
    return t;
}
