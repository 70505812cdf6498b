#include <dirent.h>
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/CSerialPort.h"
#include "link/LinkState.h"

namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Bytes = std::vector<uint8_t>;

// Only to fail instead of hanging; no test measures how long anything takes.
constexpr auto kDeadline = 5s;

Bytes pattern(int length) {
    Bytes bytes(length);
    for (int i = 0; i < length; ++i) bytes[i] = static_cast<uint8_t>(i % 251);
    return bytes;
}

Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

// Records what the port hands over; the test body plays the main thread.
class TestOwner : public SerialPortOwner {
public:
    explicit TestOwner(const uint8_t* rxBuffer) : rx_(rxBuffer) {}

    void requestDelivery() override {
        std::lock_guard lock(mutex_);
        ++requests_;
        requested_.notify_all();
    }
    void onRxChunk(int n) override {
        counts.push_back(n);
        chunks.emplace_back(rx_, rx_ + std::min(n, kTxBufferSize));
    }
    void onPortError(const PortFailure& failure) override {
        failures.push_back(describePortFailure(failure));
    }

    // Waits until the receive thread asks for a delivery it has not had yet.
    bool waitForRequest(std::chrono::steady_clock::time_point until) {
        std::unique_lock lock(mutex_);
        if (!requested_.wait_until(lock, until, [&] { return requests_ > taken_; })) return false;
        ++taken_;
        return true;
    }

    std::vector<int> counts;
    std::vector<Bytes> chunks;
    std::vector<std::string> failures;  // each as describePortFailure says it

private:
    const uint8_t* rx_;
    std::mutex mutex_;
    std::condition_variable requested_;
    int requests_ = 0;
    int taken_ = 0;
};

// A pseudo-terminal whose slave is linked into a temporary device folder as
// ttyUSB0, i.e. COM1. The test keeps its own slave descriptor open so that
// the line lives on while ports open and close it.
class PtyDevice {
public:
    PtyDevice() {
        char name[256] = {};
        if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) return;
        char folder[] = "/tmp/dravin-port-XXXXXX";
        if (mkdtemp(folder) == nullptr) return;
        dir_ = folder;
        std::filesystem::create_symlink(name, dir_ / "ttyUSB0");
    }
    ~PtyDevice() {
        closeMaster();
        if (slave_ >= 0) close(slave_);
        if (!dir_.empty()) std::filesystem::remove_all(dir_);
    }
    PtyDevice(const PtyDevice&) = delete;
    PtyDevice& operator=(const PtyDevice&) = delete;

    bool ready() const { return master_ >= 0 && !dir_.empty(); }
    // The line's settings as the port left them.
    termios settings() const {
        termios tio{};
        tcgetattr(slave_, &tio);
        return tio;
    }
    std::string dir() const { return dir_.string(); }

    void send(const Bytes& bytes) {
        ASSERT_EQ(write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // Reads exactly `length` bytes that the port wrote to the line.
    Bytes receive(int length) {
        Bytes bytes;
        auto until = std::chrono::steady_clock::now() + kDeadline;
        while (static_cast<int>(bytes.size()) < length &&
               std::chrono::steady_clock::now() < until) {
            pollfd fd{master_, POLLIN, 0};
            if (poll(&fd, 1, 100) <= 0) continue;
            uint8_t buffer[1024];
            ssize_t got =
                read(master_, buffer, std::min<size_t>(sizeof buffer, length - bytes.size()));
            if (got <= 0) break;
            bytes.insert(bytes.end(), buffer, buffer + got);
        }
        return bytes;
    }
    // Waits until the line holds `count` received bytes that nobody has read.
    bool waitUntilQueued(int count) {
        auto until = std::chrono::steady_clock::now() + kDeadline;
        int queued = 0;
        while (std::chrono::steady_clock::now() < until) {
            if (ioctl(slave_, TIOCINQ, &queued) == 0 && queued >= count) return true;
            std::this_thread::sleep_for(5ms);
        }
        return false;
    }
    void closeMaster() {
        if (master_ >= 0) close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    std::filesystem::path dir_;
};

int threadCount() {
    int count = 0;
    if (DIR* tasks = opendir("/proc/self/task")) {
        while (dirent* entry = readdir(tasks)) count += entry->d_name[0] != '.';
        closedir(tasks);
    }
    return count;
}

// An ended thread may linger in /proc for a moment after its join.
bool waitForThreadCount(int count) {
    auto until = std::chrono::steady_clock::now() + kDeadline;
    while (threadCount() != count) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

class SerialPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(line.ready());
        port = std::make_unique<CSerialPort>(line.dir());
    }

    void openAndStart() {
        ASSERT_TRUE(port->OpenPort(&owner, 1, 9600, rx.data()));
        ASSERT_TRUE(port->StartThread());
    }
    // The main thread's side: waits for the next hand-over and delivers it.
    bool deliverNext() {
        if (!owner.waitForRequest(std::chrono::steady_clock::now() + kDeadline)) return false;
        port->deliverPending();
        return true;
    }
    // Delivers whatever comes until `period` is over.
    void deliverDuring(std::chrono::milliseconds period) {
        auto until = std::chrono::steady_clock::now() + period;
        while (owner.waitForRequest(until)) port->deliverPending();
    }

    PtyDevice line;
    std::array<uint8_t, kTxBufferSize> rx{};
    TestOwner owner{rx.data()};
    std::unique_ptr<CSerialPort> port;
};

// 8 data bits, no parity, one stop bit, no flow control, raw: the logger's
// bytes reach the program unchanged and nothing is echoed back to it.
TEST_F(SerialPortTest, TheLineIsSetUpRaw8N1AtTheBaudRate) {
    const struct {
        int baud;
        speed_t speed;
    } cases[] = {{9600, B9600}, {19200, B19200}, {38400, B38400}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.baud);
        ASSERT_TRUE(port->OpenPort(&owner, 1, c.baud, rx.data()));
        EXPECT_TRUE(owner.failures.empty());
        const termios tio = line.settings();
        EXPECT_EQ(cfgetispeed(&tio), c.speed);
        EXPECT_EQ(cfgetospeed(&tio), c.speed);
        EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
        EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
        EXPECT_NE(tio.c_cflag & CREAD, 0u);
        EXPECT_NE(tio.c_cflag & CLOCAL, 0u);
        EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | IXANY | ICRNL | INLCR | ISTRIP), 0u);
        EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
        EXPECT_EQ(tio.c_oflag & OPOST, 0u);
        EXPECT_EQ(tio.c_cc[VMIN], 1);
        EXPECT_EQ(tio.c_cc[VTIME], 0);
    }
}

TEST_F(SerialPortTest, ABurstLongerThanAChunkComesAsAFullChunkAndTheRest) {
    openAndStart();
    const Bytes burst = pattern(3000);
    line.send(burst);
    ASSERT_TRUE(deliverNext());
    ASSERT_TRUE(deliverNext());
    ASSERT_EQ(owner.counts, (std::vector<int>{2048, 952}));
    EXPECT_EQ(owner.chunks[0], Bytes(burst.begin(), burst.begin() + 2048));
    EXPECT_EQ(owner.chunks[1], Bytes(burst.begin() + 2048, burst.end()));
}

TEST_F(SerialPortTest, PiecesWithinThePauseJoinOneChunk) {
    openAndStart();
    line.send(text("01 "));
    std::this_thread::sleep_for(20ms);
    line.send(text("16 "));
    std::this_thread::sleep_for(20ms);
    line.send(text("7B"));
    ASSERT_TRUE(deliverNext());
    ASSERT_EQ(owner.chunks.size(), 1u);
    EXPECT_EQ(owner.chunks[0], text("01 16 7B"));
}

TEST_F(SerialPortTest, BytesAfterAPauseStartANewChunk) {
    openAndStart();
    line.send(text("first"));
    // The thread asks for a delivery only once the line has paused.
    ASSERT_TRUE(deliverNext());
    line.send(text("second"));
    ASSERT_TRUE(deliverNext());
    EXPECT_EQ(owner.chunks, (std::vector<Bytes>{text("first"), text("second")}));
}

TEST_F(SerialPortTest, AQueuedFrameArrivesIntact) {
    openAndStart();
    const Bytes identify = {0x01, 0x16, 0x7B, 0x28, 0,    0,    0,    0,    0,    0,
                            0,    0,    0,    0,    0x51, 0x51, 0x29, 0x7D, 0x7E, 0x04};
    port->QueueWrite(identify.data(), static_cast<int>(identify.size()));
    EXPECT_EQ(line.receive(20), identify);
}

TEST_F(SerialPortTest, AWriteIsCutTo512Bytes) {
    openAndStart();
    const Bytes big = pattern(600);
    port->QueueWrite(big.data(), static_cast<int>(big.size()));
    EXPECT_EQ(line.receive(512), Bytes(big.begin(), big.begin() + 512));
    const Bytes marker = text("END");
    port->QueueWrite(marker.data(), static_cast<int>(marker.size()));
    EXPECT_EQ(line.receive(3), marker);
}

TEST_F(SerialPortTest, AWriteRequestedDuringAHandOverPurgesWhatCameMeanwhile) {
    openAndStart();
    line.send(text("reply"));
    ASSERT_TRUE(owner.waitForRequest(std::chrono::steady_clock::now() + kDeadline));
    // The thread waits for the hand-over; these bytes stay on the line.
    line.send(text("stale"));
    ASSERT_TRUE(line.waitUntilQueued(5));
    const Bytes request = text("REQ");
    port->QueueWrite(request.data(), static_cast<int>(request.size()));
    port->deliverPending();
    EXPECT_EQ(line.receive(3), request);
    line.send(text("answer"));
    ASSERT_TRUE(deliverNext());
    EXPECT_EQ(owner.chunks, (std::vector<Bytes>{text("reply"), text("answer")}));
}

TEST_F(SerialPortTest, PortNumbersOutsideTheRangeOpenCom1) {
    for (int portNumber : {0, 33, -4, 1}) {
        SCOPED_TRACE(portNumber);
        CSerialPort other(line.dir());
        ASSERT_TRUE(other.OpenPort(&owner, portNumber, 9600, rx.data()));
        ASSERT_TRUE(other.StartThread());
        line.send(text("x"));
        ASSERT_TRUE(owner.waitForRequest(std::chrono::steady_clock::now() + kDeadline));
        other.deliverPending();
        EXPECT_EQ(owner.chunks.back(), text("x"));
    }
}

TEST_F(SerialPortTest, AnAbsentDeviceDoesNotOpenAndSignalsNothing) {
    EXPECT_FALSE(port->OpenPort(&owner, 2, 9600, rx.data()));
    EXPECT_EQ(port->openError(), ENOENT);
    EXPECT_FALSE(port->isOpen());
    EXPECT_FALSE(port->StartThread());
    EXPECT_TRUE(owner.counts.empty());
}

TEST_F(SerialPortTest, ASecondOpenOfTheSameDeviceFailsUntilTheFirstEnds) {
    openAndStart();
    port->StopThread();
    ASSERT_TRUE(port->isOpen());  // stopping the thread keeps the line ours

    std::array<uint8_t, kTxBufferSize> otherRx{};
    TestOwner otherOwner(otherRx.data());
    CSerialPort other(line.dir());
    EXPECT_FALSE(other.OpenPort(&otherOwner, 1, 9600, otherRx.data()));
    // Held by TIOCEXCL (EBUSY) or, for root, by the lock (EWOULDBLOCK).
    EXPECT_THAT(other.openError(), ::testing::AnyOf(EBUSY, EWOULDBLOCK));
    EXPECT_TRUE(otherOwner.counts.empty());

    port.reset();
    EXPECT_TRUE(other.OpenPort(&otherOwner, 1, 9600, otherRx.data()));
    EXPECT_EQ(other.openError(), 0);
}

TEST_F(SerialPortTest, ALineThatRefusesItsSettingsSignalsOnceAndIsStillUsed) {
    ASSERT_TRUE(port->OpenPort(&owner, 1, 12345, rx.data()));
    // Synchronously, within OpenPort, and naming what was refused.
    EXPECT_THAT(owner.failures, ElementsAre("cfsetspeed: Invalid argument"));
    EXPECT_TRUE(owner.counts.empty());
    EXPECT_TRUE(port->isOpen());
    ASSERT_TRUE(port->StartThread());
    line.send(text("still"));
    ASSERT_TRUE(deliverNext());
    EXPECT_EQ(owner.chunks.back(), text("still"));
}

TEST_F(SerialPortTest, ClosingTheLineRaisesThePortErrorOnceNotInALoop) {
    openAndStart();
    line.closeMaster();
    ASSERT_TRUE(deliverNext());
    deliverDuring(1000ms);
    EXPECT_THAT(owner.failures, ElementsAre(HasSubstr("hung up")));
    EXPECT_TRUE(owner.counts.empty());
    EXPECT_TRUE(port->threadAlive());
}

TEST_F(SerialPortTest, AWriteOnADeadLineRaisesThePortErrorAgain) {
    openAndStart();
    line.closeMaster();
    ASSERT_TRUE(deliverNext());
    const Bytes request = text("REQ");
    port->QueueWrite(request.data(), static_cast<int>(request.size()));
    ASSERT_TRUE(deliverNext());
    deliverDuring(500ms);
    EXPECT_EQ(owner.failures.size(), 2u);
    EXPECT_TRUE(owner.counts.empty());
}

TEST_F(SerialPortTest, StopDuringAHandOverReturnsAndEndsTheThread) {
    openAndStart();
    line.send(text("undelivered"));
    ASSERT_TRUE(owner.waitForRequest(std::chrono::steady_clock::now() + kDeadline));
    port->StopThread();
    EXPECT_FALSE(port->threadAlive());
    EXPECT_TRUE(port->isOpen());
    port->deliverPending();  // the stale wake-up of the stopped hand-over
    EXPECT_TRUE(owner.counts.empty());
}

TEST_F(SerialPortTest, AStopHoldsUntilThePortIsReopened) {
    ASSERT_TRUE(port->OpenPort(&owner, 1, 9600, rx.data()));
    port->StopThread();
    EXPECT_FALSE(port->StartThread());
    EXPECT_FALSE(port->threadAlive());
    openAndStart();
    EXPECT_TRUE(port->threadAlive());
}

TEST_F(SerialPortTest, ReopeningEndsTheRunningThreadAndOpensAnew) {
    openAndStart();
    ASSERT_TRUE(port->OpenPort(&owner, 1, 19200, rx.data()));
    EXPECT_FALSE(port->threadAlive());
    ASSERT_TRUE(port->StartThread());
    line.send(text("again"));
    ASSERT_TRUE(deliverNext());
    EXPECT_EQ(owner.chunks.back(), text("again"));
}

TEST_F(SerialPortTest, ThePortCanStopItsThreadFromWithinADelivery) {
    class StoppingOwner : public TestOwner {
    public:
        using TestOwner::TestOwner;
        void onRxChunk(int n) override {
            TestOwner::onRxChunk(n);
            port->StopThread();
        }
        CSerialPort* port = nullptr;
    } stopping(rx.data());
    stopping.port = port.get();
    ASSERT_TRUE(port->OpenPort(&stopping, 1, 9600, rx.data()));
    ASSERT_TRUE(port->StartThread());
    line.send(text("error"));
    ASSERT_TRUE(stopping.waitForRequest(std::chrono::steady_clock::now() + kDeadline));
    port->deliverPending();
    EXPECT_FALSE(port->threadAlive());
    EXPECT_EQ(stopping.chunks, std::vector<Bytes>{text("error")});
}

TEST_F(SerialPortTest, DestroyingARunningPortEndsItsThread) {
    // A thread sanitizer starts a helper thread of its own with the first
    // thread of the process; one thread first keeps it out of the count.
    std::thread([] {}).join();
    for (bool handOverWaiting : {false, true}) {
        SCOPED_TRACE(handOverWaiting);
        const int before = threadCount();
        auto running = std::make_unique<CSerialPort>(line.dir());
        ASSERT_TRUE(running->OpenPort(&owner, 1, 9600, rx.data()));
        ASSERT_TRUE(running->StartThread());
        EXPECT_EQ(threadCount(), before + 1);
        if (handOverWaiting) {
            line.send(text("pending"));
            ASSERT_TRUE(owner.waitForRequest(std::chrono::steady_clock::now() + kDeadline));
        }
        running.reset();
        EXPECT_TRUE(waitForThreadCount(before));
    }
}

}  // namespace
