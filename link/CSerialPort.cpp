#include "link/CSerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "link/LinkState.h"

namespace {

constexpr int kChunkSize = kTxBufferSize;
constexpr int kChunkPauseMs = 200;
constexpr int kWriteBufferSize = 512;
constexpr int kWriteTimeoutPerByteMs = 300;
constexpr int kWriteTimeoutConstantMs = 300;
constexpr std::chrono::milliseconds kStopWait{1000};

struct BaudSpeed {
    int baudRate;
    speed_t speed;
};

constexpr BaudSpeed kSpeeds[] = {
    {50, B50},       {75, B75},         {110, B110},       {134, B134},       {150, B150},
    {200, B200},     {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
    {2400, B2400},   {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
    {57600, B57600}, {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600},
};

std::optional<speed_t> speedFor(int baudRate) {
    for (const BaudSpeed& entry : kSpeeds) {
        if (entry.baudRate == baudRate) return entry.speed;
    }
    return std::nullopt;
}

// Where the hand-over of one chunk stands.
enum class HandOver { None, Waiting, Delivering };

// Everything the receive thread touches. The thread holds its own reference:
// a thread left behind after a late stop never reaches freed memory, and the
// descriptors close only when both sides have let go of them.
struct Channel {
    Channel(int portFd, SerialPortOwner* portOwner, uint8_t* receiveBuffer)
        : fd(portFd),
          stopFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)),
          writeFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)),
          owner(portOwner),
          rxBuffer(receiveBuffer) {}
    ~Channel() {
        // Exclusive mode outlives our descriptor when others hold the line open.
        ioctl(fd, TIOCNXCL);
        close(fd);
        if (stopFd >= 0) close(stopFd);
        if (writeFd >= 0) close(writeFd);
    }
    Channel(const Channel&) = delete;
    Channel& operator=(const Channel&) = delete;

    bool eventsReady() const { return stopFd >= 0 && writeFd >= 0; }

    const int fd;
    const int stopFd;   // stays signalled: a stop holds until the port is reopened
    const int writeFd;  // signalled exactly while writeRequested is set
    SerialPortOwner* const owner;
    uint8_t* const rxBuffer;

    std::mutex mutex;
    std::condition_variable changed;  // hand-over released, stop requested, thread ended
    bool stopRequested = false;
    bool ended = false;
    HandOver handOver = HandOver::None;
    int handOverCount = 0;
    std::optional<PortFailure> handOverFailure;  // set when a failure is handed over
    bool writeRequested = false;
    int writeLength = 0;
    std::array<uint8_t, kWriteBufferSize> writeBuffer{};
    std::atomic<bool> alive{false};

    std::array<uint8_t, kChunkSize> chunk{};  // the receive thread's own
};

void purge(int fd) {
    tcflush(fd, TCIOFLUSH);
}

PortFailure failureOf(const char* call) {
    return {call, errno};
}

// Opens the device for us alone. TIOCEXCL keeps other openers out but not
// root, so an advisory lock guards the line as well. A file system without
// advisory locks leaves the guard to TIOCEXCL alone.
int openExclusive(const std::string& path) {
    int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        close(fd);
        errno = EWOULDBLOCK;
        return -1;
    }
    return fd;
}

bool raiseRts(int fd) {
    int rts = TIOCM_RTS;
    if (ioctl(fd, TIOCMBIS, &rts) == 0) return true;
    // A pseudo-terminal has no modem lines and refuses with ENOTTY: there is
    // no RTS to hold on, and the line works without it. Any other refusal is
    // a fault of a real adapter.
    return errno == ENOTTY;
}

bool setSpeed(termios& tio, int baudRate) {
    std::optional<speed_t> speed = speedFor(baudRate);
    return speed && cfsetispeed(&tio, *speed) == 0 && cfsetospeed(&tio, *speed) == 0;
}

// Raw 8N1, no flow control.
void makeRaw(termios& tio) {
    cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | CSTOPB | PARENB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    // One byte minimum, so that an empty non-blocking read says EAGAIN and a
    // read of 0 bytes means the line hung up.
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
}

// Exclusive, raw 8N1 at the baud rate, RTS on. Every setting is tried even
// after one is refused: a line left in the terminal's cooked mode would echo
// the logger's bytes back to it. The first refusal, if any.
std::optional<PortFailure> configureLine(int fd, int baudRate) {
    std::optional<PortFailure> refused;
    auto check = [&](bool ok, const char* call) {
        if (!ok && !refused) refused = failureOf(call);
    };
    check(ioctl(fd, TIOCEXCL) == 0, "ioctl TIOCEXCL");
    termios tio{};
    if (tcgetattr(fd, &tio) == 0) {
        makeRaw(tio);
        if (!setSpeed(tio, baudRate) && !refused) refused = PortFailure{"cfsetspeed", EINVAL};
        check(tcsetattr(fd, TCSANOW, &tio) == 0, "tcsetattr");
    } else {
        check(false, "tcgetattr");
    }
    check(raiseRts(fd), "ioctl TIOCMBIS");
    return refused;
}

enum class Wait { Ready, TimedOut, Stopped, Failed };

// Waits for the port or a stop request, whichever comes first.
Wait waitPort(const Channel& ch, short events, int timeoutMs) {
    pollfd fds[2] = {{ch.stopFd, POLLIN, 0}, {ch.fd, events, 0}};
    int ready = poll(fds, 2, timeoutMs);
    if (ready < 0) return errno == EINTR ? Wait::Ready : Wait::Failed;
    if (fds[0].revents != 0) return Wait::Stopped;
    if (ready == 0) return Wait::TimedOut;
    // An error without the awaited readiness would wake us again at once. A
    // hang-up is no failed call: errno 0 says so.
    if ((fds[1].revents & events) == 0) {
        errno = (fds[1].revents & POLLHUP) != 0 ? 0 : EIO;
        return Wait::Failed;
    }
    return Wait::Ready;
}

// Receive thread: hands a chunk (or a failure) to the main thread and waits
// until it has been handled. False when a stop came first.
bool handOver(Channel& ch, int count, std::optional<PortFailure> failure = std::nullopt) {
    std::unique_lock lock(ch.mutex);
    if (ch.stopRequested) return false;
    if (!failure) std::memcpy(ch.rxBuffer, ch.chunk.data(), count);
    ch.handOverCount = count;
    ch.handOverFailure = failure;
    ch.handOver = HandOver::Waiting;
    // Called under the lock so that nothing reaches the owner once a stop is
    // requested; the owner only posts a call to deliverPending() here.
    ch.owner->requestDelivery();
    ch.changed.wait(lock, [&] { return ch.handOver == HandOver::None || ch.stopRequested; });
    return !ch.stopRequested;
}

struct ReadResult {
    int count;
    std::optional<PortFailure> failure;
    bool stopped;
};

// Reads until 2048 bytes are in or the line has been silent for 200 ms.
ReadResult readChunk(Channel& ch) {
    int count = 0;
    for (;;) {
        ssize_t got = read(ch.fd, ch.chunk.data() + count, kChunkSize - count);
        if (got > 0) {
            count += static_cast<int>(got);
            if (count == kChunkSize) return {count, std::nullopt, false};
            continue;
        }
        if (got < 0 && errno == EINTR) continue;
        if (got == 0) return {count, PortFailure{"read", 0}, false};
        if (errno != EAGAIN && errno != EWOULDBLOCK) return {count, failureOf("read"), false};
        switch (waitPort(ch, POLLIN, kChunkPauseMs)) {
            case Wait::Ready:
                break;
            case Wait::TimedOut:
                return {count, std::nullopt, false};
            case Wait::Stopped:
                return {count, std::nullopt, true};
            case Wait::Failed:
                return {count, PortFailure{"poll", errno}, false};
        }
    }
}

// Purges both directions, then writes every byte. The line has no flow
// control, so a write that cannot finish in 300 ms per byte plus 300 ms is a
// dead line. On Wait::Failed, `failure` says why.
Wait writeAll(const Channel& ch, const uint8_t* bytes, int length, PortFailure& failure) {
    if (tcflush(ch.fd, TCIOFLUSH) != 0) {
        failure = failureOf("tcflush");
        return Wait::Failed;
    }
    const auto deadline =
        std::chrono::steady_clock::now() +
        std::chrono::milliseconds(kWriteTimeoutConstantMs + kWriteTimeoutPerByteMs * length);
    int done = 0;
    while (done < length) {
        ssize_t put = write(ch.fd, bytes + done, length - done);
        if (put > 0) {
            done += static_cast<int>(put);
            continue;
        }
        if (put < 0 && errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) {
            failure = failureOf("write");
            return Wait::Failed;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            failure = {"write", ETIMEDOUT};
            return Wait::Failed;
        }
        Wait room = waitPort(ch, POLLOUT, static_cast<int>(left.count()));
        if (room == Wait::Failed) failure = failureOf("poll");
        if (room == Wait::Stopped || room == Wait::Failed) return room;
    }
    return Wait::Ready;
}

// Receive thread: reads one chunk and hands it over. A failed line is told
// once; it is not watched again until a write gets through, since a dead
// descriptor would report the same hang-up at full speed.
bool receive(Channel& ch, bool& watchPort) {
    ReadResult got = readChunk(ch);
    if (got.stopped) return false;
    if (got.count > 0 && !handOver(ch, got.count)) return false;
    if (!got.failure) return true;
    watchPort = false;
    return handOver(ch, 0, got.failure);
}

// Receive thread: performs the write the main thread asked for, if any.
bool writeRequested(Channel& ch, bool& watchPort) {
    std::array<uint8_t, kWriteBufferSize> bytes;
    int length = 0;
    {
        std::lock_guard lock(ch.mutex);
        if (!ch.writeRequested) return true;
        ch.writeRequested = false;
        eventfd_t ignored;
        eventfd_read(ch.writeFd, &ignored);
        length = ch.writeLength;
        std::copy_n(ch.writeBuffer.begin(), length, bytes.begin());
    }
    PortFailure failure{};
    switch (writeAll(ch, bytes.data(), length, failure)) {
        case Wait::Stopped:
            return false;
        case Wait::Failed:
            return handOver(ch, 0, failure);
        default:
            watchPort = true;
            return true;
    }
}

// One turn of the receive thread: stop before port data before a write. A
// write requested while a chunk was being handed over goes next, before the
// port is read again: the main thread asked for it in answer to that chunk,
// and its purge drops whatever arrived in between.
bool turn(Channel& ch, bool& watchPort) {
    pollfd fds[3] = {
        {ch.stopFd, POLLIN, 0}, {watchPort ? ch.fd : -1, POLLIN, 0}, {ch.writeFd, POLLIN, 0}};
    if (poll(fds, 3, -1) < 0) {
        if (errno == EINTR) return true;
        // A thread that cannot wait has nothing left to do.
        handOver(ch, 0, failureOf("poll"));
        return false;
    }
    if (fds[0].revents != 0) return false;
    if (fds[1].revents != 0 && !receive(ch, watchPort)) return false;
    return writeRequested(ch, watchPort);
}

void receiveThread(std::shared_ptr<Channel> ch) {
    bool watchPort = true;
    while (turn(*ch, watchPort)) {
    }
    std::lock_guard lock(ch->mutex);
    ch->alive = false;
    ch->ended = true;
    ch->changed.notify_all();
}

}  // namespace

struct CSerialPort::Impl {
    std::string deviceDir;
    std::shared_ptr<Channel> channel;
    std::thread thread;
    int openError = 0;
};

CSerialPort::CSerialPort(std::string deviceDir)
    : impl_(new Impl{std::move(deviceDir), {}, {}, 0}) {}

CSerialPort::~CSerialPort() {
    StopThread();
    delete impl_;
}

bool CSerialPort::OpenPort(SerialPortOwner* owner, int portNumber, int baudRate,
                           uint8_t* rxBuffer) {
    return OpenDevice(owner, devicePathForCom(impl_->deviceDir, portNumber), baudRate, rxBuffer);
}

bool CSerialPort::OpenDevice(SerialPortOwner* owner, const std::string& path, int baudRate,
                             uint8_t* rxBuffer) {
    StopThread();
    impl_->channel.reset();
    impl_->openError = EINVAL;
    if (owner == nullptr || rxBuffer == nullptr) return false;
    int fd = openExclusive(path);
    if (fd < 0) {
        impl_->openError = errno;
        return false;
    }
    auto channel = std::make_shared<Channel>(fd, owner, rxBuffer);
    if (!channel->eventsReady()) {
        impl_->openError = errno;
        return false;
    }
    impl_->openError = 0;
    impl_->channel = channel;
    const std::optional<PortFailure> refused = configureLine(fd, baudRate);
    purge(fd);
    if (refused) owner->onPortError(*refused);
    return true;
}

bool CSerialPort::StartThread() {
    std::shared_ptr<Channel> channel = impl_->channel;
    if (!channel || impl_->thread.joinable()) return false;
    {
        std::lock_guard lock(channel->mutex);
        if (channel->stopRequested) return false;
    }
    purge(channel->fd);
    channel->alive = true;
    impl_->thread = std::thread(receiveThread, channel);
    return true;
}

void CSerialPort::QueueWrite(const uint8_t* data, int length) {
    Channel* channel = impl_->channel.get();
    if (channel == nullptr) return;
    int count = data == nullptr ? 0 : std::clamp(length, 0, kWriteBufferSize);
    std::lock_guard lock(channel->mutex);
    std::copy_n(data, count, channel->writeBuffer.begin());
    channel->writeLength = count;
    if (!channel->writeRequested) eventfd_write(channel->writeFd, 1);
    channel->writeRequested = true;
}

void CSerialPort::StopThread() {
    Channel* channel = impl_->channel.get();
    if (channel == nullptr) return;
    {
        std::lock_guard lock(channel->mutex);
        channel->stopRequested = true;
        channel->handOver = HandOver::None;
        eventfd_write(channel->stopFd, 1);
        channel->changed.notify_all();
    }
    if (!impl_->thread.joinable()) return;
    bool ended;
    {
        std::unique_lock lock(channel->mutex);
        ended = channel->changed.wait_for(lock, kStopWait, [&] { return channel->ended; });
    }
    // Every wait of the thread includes the stop, so it ends at once; should
    // it not, it keeps its own reference to what it uses and may run out alone.
    if (ended) {
        impl_->thread.join();
    } else {
        impl_->thread.detach();
    }
}

void CSerialPort::ClosePort() {
    StopThread();
    // A thread left running holds its own reference: the device closes when it ends.
    impl_->channel.reset();
}

void CSerialPort::deliverPending() {
    std::shared_ptr<Channel> channel = impl_->channel;
    if (!channel) return;
    int count;
    std::optional<PortFailure> failure;
    {
        std::lock_guard lock(channel->mutex);
        // Nothing waits after a stop; a chunk being delivered is not delivered
        // twice by a wake-up that a nested event loop runs.
        if (channel->handOver != HandOver::Waiting) return;
        channel->handOver = HandOver::Delivering;
        count = channel->handOverCount;
        failure = channel->handOverFailure;
    }
    if (failure) {
        channel->owner->onPortError(*failure);
    } else {
        channel->owner->onRxChunk(count);
    }
    std::lock_guard lock(channel->mutex);
    if (channel->handOver == HandOver::Delivering) channel->handOver = HandOver::None;
    channel->changed.notify_all();
}

std::string describePortFailure(const PortFailure& failure) {
    std::string text = failure.call;
    text += ": ";
    text += failure.error == 0 ? "the line hung up" : std::strerror(failure.error);
    return text;
}

int CSerialPort::openError() const {
    return impl_->openError;
}

bool CSerialPort::threadAlive() const {
    return impl_->channel && impl_->channel->alive;
}

bool CSerialPort::isOpen() const {
    return impl_->channel != nullptr;
}
