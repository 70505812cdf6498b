#include "sim/LoggerSim.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <deque>
#include <memory>

using simwire::Code;
using SteadyClock = std::chrono::steady_clock;

namespace {

constexpr uint8_t kStatusOk = 1;
constexpr int kMaxRecordsPerPackage = 255;
constexpr int kReadChunk = 4096;
constexpr size_t kPackageHeader = 6;  // reply bytes 15..20
constexpr int kBitsPerByte = 10;      // start, eight data bits, stop
// A paced line writes this much at a time, well under the program's 200 ms
// quiet gap even at 1200 baud.
constexpr size_t kPacedSlice = 16;
// Later than this after the last byte's time, a paced line counts as quiet.
constexpr auto kLineQuiet = std::chrono::milliseconds(20);

// One write to the line, sent `delayMs` after the previous write has gone out.
struct Outgoing {
    std::vector<uint8_t> bytes;
    int delayMs;
};

LoggerSim::Faults effectiveFaults(const LoggerSim::Faults& faults, uint8_t requestCode) {
    if (faults.onlyCode != 0 && faults.onlyCode != requestCode) return {};
    return faults;
}

void closeFd(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

}  // namespace

// The terminal and everything only the serving thread touches.
struct LoggerSim::Line {
    int master = -1;
    int slave = -1;  // held open so the master reads no EIO before the program opens the port
    int wake = -1;   // eventfd: stop() and hangUp() wake the thread with it
    simwire::RequestScanner scanner;
    std::deque<Outgoing> out;
    size_t sent = 0;  // bytes of out.front() already written
    SteadyClock::time_point frontDue;
    int baud = 0;                      // 0: unpaced
    SteadyClock::time_point lineFree;  // a paced line has sent its last byte by then

    void push(std::vector<uint8_t> bytes, int delayMs) {
        if (out.empty()) frontDue = SteadyClock::now() + std::chrono::milliseconds(delayMs);
        out.push_back({std::move(bytes), delayMs});
    }

    SteadyClock::time_point dueAt() const {
        return baud > 0 ? std::max(frontDue, lineFree) : frontDue;
    }

    bool frontIsDue() const { return !out.empty() && SteadyClock::now() >= dueAt(); }

    int pollTimeoutMs() const {
        if (out.empty()) return -1;
        auto left = std::chrono::ceil<std::chrono::milliseconds>(dueAt() - SteadyClock::now());
        return static_cast<int>(std::max<int64_t>(0, left.count()));
    }

    // The bytes take the line for their time on the wire after the bytes
    // before them. A line that went quiet starts again from now; a thread
    // woken a little late keeps the schedule and catches up, as a UART
    // sending from its buffer never pauses.
    void occupyLine(size_t bytes) {
        const auto wire =
            std::chrono::duration_cast<SteadyClock::duration>(std::chrono::nanoseconds(
                static_cast<int64_t>(bytes) * kBitsPerByte * 1'000'000'000 / baud));
        const auto now = SteadyClock::now();
        lineFree = (now - lineFree > kLineQuiet ? now : lineFree) + wire;
    }

    // Writes what is due; false when the line is gone.
    bool flush() {
        while (frontIsDue()) {
            const auto& bytes = out.front().bytes;
            size_t want = bytes.size() - sent;
            if (baud > 0) want = std::min(want, kPacedSlice);
            ssize_t n = write(master, bytes.data() + sent, want);
            if (n < 0) return errno == EAGAIN || errno == EINTR;
            if (baud > 0) occupyLine(static_cast<size_t>(n));
            sent += static_cast<size_t>(n);
            if (sent < bytes.size()) return true;
            out.pop_front();
            sent = 0;
            if (!out.empty())
                frontDue = SteadyClock::now() + std::chrono::milliseconds(out.front().delayMs);
        }
        return true;
    }
};

LoggerSim::LoggerSim() : LoggerSim(Config{}) {}

LoggerSim::LoggerSim(Config config) : config_(std::move(config)) {
    std::copy_n(config_.serialNo.begin(), std::min<size_t>(config_.serialNo.size(), serial_.size()),
                serial_.begin());
    auto line = std::make_unique<Line>();
    if (openpty(&line->master, &line->slave, nullptr, nullptr, nullptr) != 0) return;
    termios raw{};
    tcgetattr(line->slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(line->slave, TCSANOW, &raw);
    // Descriptors must not leak into a program spawned to talk to this logger.
    fcntl(line->master, F_SETFD, FD_CLOEXEC);
    fcntl(line->slave, F_SETFD, FD_CLOEXEC);
    fcntl(line->master, F_SETFL, fcntl(line->master, F_GETFL) | O_NONBLOCK);
    line->wake = eventfd(0, EFD_CLOEXEC);
    char path[256];
    if (line->wake < 0 || ttyname_r(line->slave, path, sizeof path) != 0) {
        closeFd(line->master);
        closeFd(line->slave);
        closeFd(line->wake);
        return;
    }
    devicePath_ = path;
    line_ = std::move(line);
    thread_ = std::thread([this] { serve(); });
}

LoggerSim::~LoggerSim() {
    stop();
}

bool LoggerSim::running() const {
    std::lock_guard lock(mutex_);
    return line_ != nullptr && !lineClosed_;
}

void LoggerSim::stop() {
    if (line_ == nullptr) return;
    const uint64_t one = 1;
    (void)!write(line_->wake, &one, sizeof one);
    if (thread_.joinable()) thread_.join();
    std::unique_ptr<Line> line;
    {
        std::lock_guard lock(mutex_);
        line = std::move(line_);
        lineClosed_ = true;
    }
    closeFd(line->master);
    closeFd(line->slave);
    closeFd(line->wake);
}

void LoggerSim::hangUp() {
    if (line_ == nullptr) return;
    {
        std::lock_guard lock(mutex_);
        hangUpWanted_ = true;
    }
    const uint64_t one = 1;
    (void)!write(line_->wake, &one, sizeof one);
}

void LoggerSim::serve() {
    Line& line = *line_;
    std::array<uint8_t, kReadChunk> buffer;
    for (;;) {
        const bool due = line.frontIsDue();
        pollfd fds[2] = {{line.wake, POLLIN, 0},
                         {line.master, static_cast<short>(POLLIN | (due ? POLLOUT : 0)), 0}};
        if (poll(fds, 2, due ? -1 : line.pollTimeoutMs()) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (fds[0].revents & POLLIN) {
            std::lock_guard lock(mutex_);
            if (hangUpWanted_) {
                closeFd(line.master);
                lineClosed_ = true;
            }
            return;
        }
        if (fds[1].revents & POLLIN) {
            ssize_t n = read(line.master, buffer.data(), buffer.size());
            if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) break;
            if (n > 0) line.scanner.feed({buffer.data(), static_cast<size_t>(n)});
            while (auto request = line.scanner.next()) {
                handle(*request);
                if (line.master < 0) return;
            }
        } else if (fds[1].revents & (POLLHUP | POLLERR)) {
            break;
        }
        if (!line.flush()) break;
    }
    std::lock_guard lock(mutex_);
    lineClosed_ = true;
}

void LoggerSim::handle(const simwire::Request& request) {
    Config now;
    {
        std::lock_guard lock(mutex_);
        ++counts_[request.code];
        ++total_;
        lastRequest_ = request.bytes;
        if (config_.faults.hangUpAtRequest == total_) {
            closeFd(line_->master);
            lineClosed_ = true;
            return;
        }
        if (request.code == Code::kSync) {
            SyncReceived sync{syncClock(request.payload()), config_.setup};
            applySyncPayload(request.payload(), sync.setup);
            lastSync_ = sync;
        }
        now = snapshot(request.code);
    }
    line_->baud = std::max(0, now.pacing.baud);
    answer(request, now);
}

LoggerSim::Config LoggerSim::snapshot(uint8_t requestCode) const {
    Config copy;
    copy.serialNo = config_.serialNo;
    copy.setup = config_.setup;
    copy.realtime = config_.liveSamples && requestCode == Code::kRealtime
                        ? config_.liveSamples(counts_[Code::kRealtime] - 1)
                        : config_.realtime;
    copy.pacing = config_.pacing;
    copy.faults = config_.faults;
    // The records are copied only for the download that sends them.
    if (requestCode == Code::kAutoLogs) copy.autoRecords = config_.autoRecords;
    if (requestCode == Code::kManuLogs) copy.manuRecords = config_.manuRecords;
    return copy;
}

void LoggerSim::answer(const simwire::Request& request, const Config& now) {
    const Faults faults = effectiveFaults(now.faults, request.code);
    if (faults.silent) return;
    const uint8_t reply = static_cast<uint8_t>(request.code + 1);
    const bool succeeds = !faults.statusZero;
    switch (request.code) {
        case Code::kIdentify: {
            const uint8_t payload[] = {kStatusOk, now.setup.channelConfig};
            queueReply(reply, payload, faults);
            break;
        }
        case Code::kReadSetup:
            queueReply(reply, encodeSetupPayload(now.setup), faults);
            break;
        case Code::kSync: {
            if (succeeds) {
                std::lock_guard lock(mutex_);
                config_.setup = lastSync_->setup;
            }
            const uint8_t payload[] = {kStatusOk};
            queueReply(reply, payload, faults);
            break;
        }
        case Code::kAutoLogs:
            queueDownload(now);
            break;
        case Code::kManuLogs:
            queueManu(now);
            break;
        case Code::kDeleteAuto:
        case Code::kDeleteManu: {
            if (succeeds) deleteLogs(request.code);
            const uint8_t payload[] = {kStatusOk};
            queueReply(reply, payload, faults);
            break;
        }
        case Code::kRealtime: {
            uint8_t payload[11] = {kStatusOk};
            simwire::putU32(payload + 1, static_cast<uint32_t>(now.realtime.ch1));
            simwire::putU16(payload + 5, static_cast<uint16_t>(now.realtime.ch2));
            simwire::putU16(payload + 7, static_cast<uint16_t>(now.realtime.ch3));
            simwire::putU16(payload + 9, static_cast<uint16_t>(now.realtime.ch4));
            queueReply(reply, payload, faults);
            break;
        }
        default:
            break;  // a code this logger does not know goes unanswered
    }
}

std::vector<uint8_t> LoggerSim::encodeReply(uint8_t code, std::span<const uint8_t> payload,
                                            const Faults& faults) const {
    std::vector<uint8_t> body(payload.begin(), payload.end());
    if (faults.statusZero && !body.empty()) body[0] = 0;
    if (faults.wrongLength && !body.empty()) body.pop_back();
    std::vector<uint8_t> frame = simwire::encodeFrame(serial_, code, body);
    if (faults.badCheck) frame[frame.size() - simwire::kTrailer.size() - 1] ^= 0xFF;
    return frame;
}

void LoggerSim::queueReply(uint8_t code, std::span<const uint8_t> payload, const Faults& faults) {
    line_->push(encodeReply(code, payload, faults), 0);
}

// One log package: byte 15, total packages, this package's number, its record
// count, then the records.
std::vector<uint8_t> LoggerSim::encodePackage(uint8_t code, std::span<const SimRecord> records,
                                              int recordSize, int number, int total,
                                              const Faults& faults) const {
    std::vector<uint8_t> payload(kPackageHeader + records.size() * recordSize);
    payload[0] = kStatusOk;
    simwire::putU16(&payload[1], static_cast<uint16_t>(total));
    simwire::putU16(&payload[3], static_cast<uint16_t>(number));
    const bool overDeclared = faults.overDeclarePackage > 0 && number == faults.overDeclarePackage;
    payload[5] = static_cast<uint8_t>(
        std::min<size_t>(records.size() + (overDeclared ? 1 : 0), kMaxRecordsPerPackage));
    for (size_t i = 0; i < records.size(); ++i)
        simwire::packRecord(records[i], &payload[kPackageHeader + i * recordSize], recordSize);
    return encodeReply(code, payload, faults);
}

void LoggerSim::queueDownload(const Config& now) {
    const Faults faults = effectiveFaults(now.faults, Code::kAutoLogs);
    const uint8_t reply = Code::kAutoLogs + 1;
    const std::vector<SimRecord>& records = now.autoRecords;
    if (records.empty()) {
        const uint8_t payload[] = {kStatusOk};
        queueReply(reply, payload, faults);
        return;
    }
    const Pacing& pacing = now.pacing;
    const size_t perPackage =
        static_cast<size_t>(std::clamp(pacing.recordsPerPackage, 1, kMaxRecordsPerPackage));
    const int total = static_cast<int>((records.size() + perPackage - 1) / perPackage);
    const int last =
        faults.stallAfterPackage > 0 ? std::min(total, faults.stallAfterPackage) : total;
    const int perWrite = std::max(1, pacing.packagesPerWrite);
    std::vector<uint8_t> write;
    int inWrite = 0;
    auto send = [&](std::vector<uint8_t> bytes) {
        line_->push(std::move(bytes), line_->out.empty() ? 0 : pacing.pauseMs);
    };
    for (int number = 1; number <= last; ++number) {
        if (number == faults.skipPackage) continue;
        const size_t first = (number - 1) * perPackage;
        std::span<const SimRecord> part(records.data() + first,
                                        std::min(perPackage, records.size() - first));
        std::vector<uint8_t> package =
            encodePackage(reply, part, simwire::kAutoRecordSize, number, total, faults);
        if (number == pacing.splitPackage) {
            if (inWrite > 0) send(std::move(write));
            write.clear();
            inWrite = 0;
            queueSplit(std::move(package), pacing.splitAt, pacing.pauseMs);
            continue;
        }
        write.insert(write.end(), package.begin(), package.end());
        if (++inWrite == perWrite) {
            send(std::move(write));
            write.clear();
            inWrite = 0;
        }
    }
    if (inWrite > 0) send(std::move(write));
}

// The package in two writes, the first of `splitAt` bytes (half when 0; at
// least one byte in each).
void LoggerSim::queueSplit(std::vector<uint8_t> package, int splitAt, int pauseMs) {
    const long size = static_cast<long>(package.size());
    const long at = std::clamp<long>(splitAt > 0 ? splitAt : size / 2, 1, size - 1);
    line_->push(std::vector<uint8_t>(package.begin(), package.begin() + at),
                line_->out.empty() ? 0 : pauseMs);
    line_->push(std::vector<uint8_t>(package.begin() + at, package.end()), pauseMs);
}

// The Manu logs go out as one package, "no logs" included (a package of no record).
void LoggerSim::queueManu(const Config& now) {
    const Faults faults = effectiveFaults(now.faults, Code::kManuLogs);
    const size_t count = std::min<size_t>(now.manuRecords.size(), kMaxRecordsPerPackage);
    std::span<const SimRecord> records(now.manuRecords.data(), count);
    const int total = count > 0 ? 1 : 0;
    line_->push(
        encodePackage(Code::kManuLogs + 1, records, simwire::kManuRecordSize, total, total, faults),
        0);
}

// The logs go, and the setup's count of them says so.
void LoggerSim::deleteLogs(uint8_t code) {
    std::lock_guard lock(mutex_);
    if (code == Code::kDeleteAuto) {
        config_.autoRecords.clear();
        config_.setup.logsCount = 0;
    } else {
        config_.manuRecords.clear();
        config_.setup.manuLogsCount = 0;
    }
}

void LoggerSim::setFaults(const Faults& faults) {
    std::lock_guard lock(mutex_);
    config_.faults = faults;
}

void LoggerSim::setPacing(const Pacing& pacing) {
    std::lock_guard lock(mutex_);
    config_.pacing = pacing;
}

void LoggerSim::setSetup(const SimSetup& setup) {
    std::lock_guard lock(mutex_);
    config_.setup = setup;
}

void LoggerSim::setAutoRecords(std::vector<SimRecord> records) {
    std::lock_guard lock(mutex_);
    config_.autoRecords = std::move(records);
}

void LoggerSim::setManuRecords(std::vector<SimRecord> records) {
    std::lock_guard lock(mutex_);
    config_.manuRecords = std::move(records);
}

void LoggerSim::setRealtime(const RealtimeValues& values) {
    std::lock_guard lock(mutex_);
    config_.realtime = values;
}

SimSetup LoggerSim::setup() const {
    std::lock_guard lock(mutex_);
    return config_.setup;
}

size_t LoggerSim::autoRecordCount() const {
    std::lock_guard lock(mutex_);
    return config_.autoRecords.size();
}

size_t LoggerSim::manuRecordCount() const {
    std::lock_guard lock(mutex_);
    return config_.manuRecords.size();
}

int LoggerSim::requestCount(uint8_t code) const {
    std::lock_guard lock(mutex_);
    return counts_[code];
}

int LoggerSim::totalRequests() const {
    std::lock_guard lock(mutex_);
    return total_;
}

std::vector<uint8_t> LoggerSim::lastRequest() const {
    std::lock_guard lock(mutex_);
    return lastRequest_;
}

std::optional<LoggerSim::SyncReceived> LoggerSim::lastSync() const {
    std::lock_guard lock(mutex_);
    return lastSync_;
}
