#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <optional>

#include "link/CSerialPort.h"
#include "link/EngineHosts.h"

class ProtocolEngine;

// The command-line tool's event loop on the main thread: timers are deadlines
// on a steady clock, and the port's receive thread wakes the loop when a
// chunk waits, so that the engine sees chunks and timer ticks one at a time
// on this thread, as it would in the window program.
class ConsoleLoop : public TimerHost, public SerialPortOwner {
public:
    // The port and the engine are made after the loop that they are handed.
    void attach(CSerialPort& port, ProtocolEngine& engine);
    // Where timer expiries go (attach sends them to the engine).
    void onTimeout(std::function<void(int)> handler) { onTimeout_ = std::move(handler); }

    // While the line is opened, its failure is kept for the opener to tell
    // (a device that is no serial line, a baud rate it refuses) instead of
    // reaching the engine, which would tell of a pulled cable.
    void holdPortErrors(bool hold) { holding_ = hold; }
    const std::optional<PortFailure>& heldFailure() const { return held_; }

    // Runs until `done` holds (true) or `maxSeconds` have passed (false).
    bool runUntil(const std::function<bool()>& done, double maxSeconds);
    // While set, `check` is called on this thread after every wake and at
    // least every kWatchPeriodMs: how a signal's flag reaches the engine.
    // nullptr ends it.
    void watch(std::function<void()> check) { watch_ = std::move(check); }
    static constexpr int kWatchPeriodMs = 100;

    // TimerHost
    void startTimer(int id, int periodMs) override;
    void stopTimer(int id) override;
    // SerialPortOwner
    void requestDelivery() override;
    void onRxChunk(int n) override;
    void onPortError(const PortFailure& failure) override;

private:
    using Clock = std::chrono::steady_clock;
    struct Timer {
        bool running = false;
        std::chrono::milliseconds period{0};
        Clock::time_point due;
    };

    Clock::time_point nextWake(Clock::time_point limit) const;
    bool takeDelivery(Clock::time_point until);
    void fireDueTimers();

    CSerialPort* port_ = nullptr;
    ProtocolEngine* engine_ = nullptr;
    std::function<void(int)> onTimeout_;
    std::function<void()> watch_;
    std::map<int, Timer> timers_;
    bool holding_ = false;
    std::optional<PortFailure> held_;  // the first failure while holding

    std::mutex mutex_;  // guards deliveryWanted_, the one thing the port thread touches
    std::condition_variable wake_;
    bool deliveryWanted_ = false;
};
