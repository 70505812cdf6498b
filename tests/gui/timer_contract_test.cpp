// Every host of the engine's timers keeps one contract: each timer id the
// engine uses fires at its period, stops, and fires again once re-armed. The
// window's Qt timers, the command-line tool's loop and the tests' fake are
// held to it alike, so that no id works in the tests but never fires for real.

#include <gtest/gtest.h>

#include <QObject>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>

#include "app/widgets/QtTimerHost.h"
#include "cli/ConsoleLoop.h"
#include "link/ProtocolEngine.h"
#include "support/FakeHosts.h"

namespace {

constexpr int kPeriodMs = 20;
// A busy machine may run a timer late, never this late.
constexpr int kPatienceMs = 5000;

// One host, with a way to let time pass on it.
class HostUnderTest {
public:
    virtual ~HostUnderTest() = default;
    virtual TimerHost& host() = 0;
    virtual void runFor(int ms) = 0;
    std::vector<int> fired;
};

class QtHost : public HostUnderTest {
public:
    QtHost() : timers_(&owner_, [this](int id) { fired.push_back(id); }) {}
    TimerHost& host() override { return timers_; }
    void runFor(int ms) override { QTest::qWait(ms); }

private:
    QObject owner_;
    QtTimerHost timers_;
};

class ConsoleHost : public HostUnderTest {
public:
    ConsoleHost() {
        loop_.onTimeout([this](int id) { fired.push_back(id); });
    }
    TimerHost& host() override { return loop_; }
    void runFor(int ms) override {
        loop_.runUntil([] { return false; }, ms / 1000.0);
    }

private:
    ConsoleLoop loop_;
};

class FakeHost : public HostUnderTest {
public:
    TimerHost& host() override { return timers_; }
    void runFor(int ms) override {
        timers_.elapse(ms, [this](int id) { fired.push_back(id); });
    }

private:
    FakeTimers timers_;
};

using MakeHost = std::function<std::unique_ptr<HostUnderTest>()>;

class TimerContract : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        const std::string name = GetParam();
        if (name == "Qt") host_ = std::make_unique<QtHost>();
        if (name == "Console") host_ = std::make_unique<ConsoleHost>();
        if (name == "Fake") host_ = std::make_unique<FakeHost>();
        ASSERT_NE(host_, nullptr);
    }

    // Lets time pass until a timer fires again; false when none does.
    bool runUntilFired() {
        const size_t before = host_->fired.size();
        for (int waited = 0; waited < kPatienceMs && host_->fired.size() == before;
             waited += kPeriodMs / 4)
            host_->runFor(kPeriodMs / 4);
        return host_->fired.size() > before;
    }

    std::unique_ptr<HostUnderTest> host_;
};

TEST_P(TimerContract, EveryEngineTimerFiresStopsAndFiresAgainOnceRearmed) {
    TimerHost& timers = host_->host();
    for (int id : kEngineTimerIds) {
        SCOPED_TRACE(id);
        host_->fired.clear();
        timers.startTimer(id, kPeriodMs);
        ASSERT_TRUE(runUntilFired()) << "never fired";
        EXPECT_EQ(host_->fired.back(), id);

        timers.stopTimer(id);
        const size_t stoppedAt = host_->fired.size();
        host_->runFor(3 * kPeriodMs);
        EXPECT_EQ(host_->fired.size(), stoppedAt) << "fired after it was stopped";

        timers.startTimer(id, kPeriodMs);
        EXPECT_TRUE(runUntilFired()) << "not re-armed";
        timers.stopTimer(id);
    }
}

TEST_P(TimerContract, StoppingATimerThatNeverRanDoesNothing) {
    host_->host().stopTimer(kTimerSync);
    host_->runFor(3 * kPeriodMs);
    EXPECT_TRUE(host_->fired.empty());
}

INSTANTIATE_TEST_SUITE_P(Hosts, TimerContract, ::testing::Values("Qt", "Console", "Fake"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
