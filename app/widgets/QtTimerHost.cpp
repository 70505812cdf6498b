#include "app/widgets/QtTimerHost.h"

#include <QTimer>

QtTimerHost::QtTimerHost(QObject* owner, std::function<void(int)> onTimeout)
    : owner_(owner), onTimeout_(std::move(onTimeout)) {}

void QtTimerHost::startTimer(int id, int periodMs) {
    if (QTimer* t = timer(id)) t->start(periodMs);
}

void QtTimerHost::stopTimer(int id) {
    if (id >= 0 && id < kTimerSlots && timers_[id]) timers_[id]->stop();
}

bool QtTimerHost::isRunning(int id) const {
    return id >= 0 && id < kTimerSlots && timers_[id] && timers_[id]->isActive();
}

QTimer* QtTimerHost::timer(int id) {
    if (id < 0 || id >= kTimerSlots) return nullptr;
    if (!timers_[id]) {
        timers_[id] = new QTimer(owner_);
        timers_[id]->setTimerType(Qt::PreciseTimer);
        QObject::connect(timers_[id], &QTimer::timeout, owner_, [this, id] { onTimeout_(id); });
    }
    return timers_[id];
}
