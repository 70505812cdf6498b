#include "ConsoleLoop.h"

#include <algorithm>

#include "link/ProtocolEngine.h"

void ConsoleLoop::attach(CSerialPort& port, ProtocolEngine& engine) {
    port_ = &port;
    engine_ = &engine;
    onTimeout_ = [&engine](int id) { engine.onTimer(id); };
}

void ConsoleLoop::startTimer(int id, int periodMs) {
    Timer& timer = timers_[id];
    timer.running = true;
    timer.period = std::chrono::milliseconds(periodMs);
    timer.due = Clock::now() + timer.period;
}

void ConsoleLoop::stopTimer(int id) {
    if (const auto timer = timers_.find(id); timer != timers_.end()) timer->second.running = false;
}

void ConsoleLoop::requestDelivery() {
    std::lock_guard lock(mutex_);
    deliveryWanted_ = true;
    wake_.notify_one();
}

void ConsoleLoop::onRxChunk(int n) {
    if (engine_ != nullptr) engine_->onReceive(n);
}

void ConsoleLoop::onPortError(const PortFailure& failure) {
    if (holding_) {
        if (!held_) held_ = failure;
        return;
    }
    if (engine_ != nullptr) engine_->onPortError(describePortFailure(failure));
}

bool ConsoleLoop::runUntil(const std::function<bool()>& done, double maxSeconds) {
    const auto limit = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                          std::chrono::duration<double>(maxSeconds));
    while (!done()) {
        if (Clock::now() >= limit) return false;
        if (takeDelivery(nextWake(limit)) && port_ != nullptr) port_->deliverPending();
        fireDueTimers();
        if (watch_) watch_();
    }
    return true;
}

ConsoleLoop::Clock::time_point ConsoleLoop::nextWake(Clock::time_point limit) const {
    Clock::time_point wake = limit;
    if (watch_) wake = std::min(wake, Clock::now() + std::chrono::milliseconds(kWatchPeriodMs));
    for (const auto& [id, timer] : timers_) {
        if (timer.running && timer.due < wake) wake = timer.due;
    }
    return wake;
}

// Waits until the port has a chunk or `until` comes; true for a chunk.
bool ConsoleLoop::takeDelivery(Clock::time_point until) {
    std::unique_lock lock(mutex_);
    wake_.wait_until(lock, until, [this] { return deliveryWanted_; });
    const bool wanted = deliveryWanted_;
    deliveryWanted_ = false;
    return wanted;
}

void ConsoleLoop::fireDueTimers() {
    for (auto& [id, timer] : timers_) {
        // A handler may stop or start any timer, this one included: entries
        // are never erased, and a new one leaves this walk's place valid.
        if (!timer.running || Clock::now() < timer.due) continue;
        timer.due = Clock::now() + timer.period;
        if (onTimeout_) onTimeout_(id);
    }
}
