#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <vector>

#include "sim/LoggerSim.h"
#include "sim/SimWire.h"

namespace {

using Bytes = std::vector<uint8_t>;
using simwire::SerialNo;

const SerialNo kSerial = {'1', '2', '3', '4', '5', '6', '7', '8', '9', '0'};
const SerialNo kNoSerial{};
constexpr int kWaitMs = 5000;  // generous: the simulator answers at once

Bytes request(uint8_t code, std::span<const uint8_t> payload = {}) {
    return simwire::encodeFrame(code == simwire::kIdentify ? kNoSerial : kSerial, code, payload);
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

// The program's side of the line: the slave end of the simulator's terminal.
class Port {
public:
    explicit Port(const std::string& path) : fd_(open(path.c_str(), O_RDWR | O_NOCTTY)) {
        termios raw{};
        tcgetattr(fd_, &raw);
        cfmakeraw(&raw);
        tcsetattr(fd_, TCSANOW, &raw);
    }
    ~Port() {
        if (fd_ >= 0) close(fd_);
    }
    bool isOpen() const { return fd_ >= 0; }
    void send(const Bytes& bytes) {
        ASSERT_EQ(write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // Reads until `n` bytes have come, or the line falls silent or hangs up.
    Bytes receive(size_t n) {
        Bytes got;
        uint8_t buffer[4096];
        while (got.size() < n) {
            pollfd pfd{fd_, POLLIN, 0};
            if (poll(&pfd, 1, kWaitMs) <= 0) break;
            ssize_t r = read(fd_, buffer, std::min(sizeof buffer, n - got.size()));
            if (r <= 0) break;
            got.insert(got.end(), buffer, buffer + r);
        }
        return got;
    }
    // True when a byte comes within `ms`.
    bool byteWithin(int ms) {
        pollfd pfd{fd_, POLLIN, 0};
        return poll(&pfd, 1, ms) > 0;
    }
    // True when the line has been closed from the other side.
    bool hungUp() {
        pollfd pfd{fd_, POLLIN, 0};
        if (poll(&pfd, 1, kWaitMs) <= 0) return false;
        uint8_t byte;
        return read(fd_, &byte, 1) <= 0;
    }

private:
    int fd_;
};

LoggerSim::Config standardConfig() {
    LoggerSim::Config config;
    config.setup.name = fixedText<24>("Cold room 3");
    config.setup.model = fixedText<6>("TH-200");
    config.setup.hardwareVersion = fixedText<5>("V2.10");
    config.setup.channelConfig = 5;
    config.setup.capacity = 10000;
    return config;
}

constexpr SimRecord kFirst{2023, 12, 25, 13, 45, 30, 235, 253, -32768, 0};

// ---- the encoder against the worked examples of the wire description ----

TEST(SimWire, FramesMatchTheWorkedExamples) {
    EXPECT_EQ(request(simwire::kReadSetup),
              (Bytes{0x01, 0x16, 0x7B, 0x28, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36,
                     0x37, 0x38, 0x39, 0x30, 0x53, 0x52, 0x29, 0x7D, 0x7E, 0x04}));
    EXPECT_EQ(request(simwire::kAutoLogs),
              (Bytes{0x01, 0x16, 0x7B, 0x28, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36,
                     0x37, 0x38, 0x39, 0x30, 0x57, 0x56, 0x29, 0x7D, 0x7E, 0x04}));
    EXPECT_EQ(request(simwire::kIdentify),
              (Bytes{0x01, 0x16, 0x7B, 0x28, 0,    0,    0,    0,    0,    0,
                     0,    0,    0,    0,    0x51, 0x51, 0x29, 0x7D, 0x7E, 0x04}));
}

TEST(SimWire, RecordsPackAsTheWireSays) {
    struct Case {
        SimRecord record;
        Bytes bytes;
    } cases[] = {
        {kFirst, {0x5E, 0xDB, 0x32, 0x5F, 0xEB, 0, 0, 0, 0xFD, 0, 0x00, 0x80, 0, 0}},
        {{2000, 1, 1, 0, 0, 0, -200, -200, 0, 1},
         {0x00, 0x00, 0x42, 0x00, 0x38, 0xFF, 0xFF, 0xFF, 0x38, 0xFF, 0, 0, 1, 0}},
        {{2063, 12, 31, 23, 59, 59, 0, 0, 0, 0},
         {0xFB, 0x7E, 0x3F, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        uint8_t out[15];
        std::fill(std::begin(out), std::end(out), 0xAA);
        simwire::packRecord(c.record, out, simwire::kManuRecordSize);
        EXPECT_EQ(Bytes(out, out + 14), c.bytes) << c.record.year;
        EXPECT_EQ(out[14], 0) << "the spare byte of a Manu record";
    }
}

TEST(SimWire, ScannerFindsFramesAmongNoiseAndPieces) {
    std::array<uint8_t, simwire::kSyncPayloadLength> payload{};
    payload[0] = 1;
    const Bytes sync = request(simwire::kSync, payload);
    Bytes broken = request(simwire::kRealtime);
    broken[15] ^= 0x01;  // wrong check byte: line noise, not a request
    const Bytes stream = concat({{0x00, 0x01, 0x16}, broken, request(simwire::kIdentify), sync});

    simwire::RequestScanner scanner;
    std::vector<uint8_t> codes;
    for (size_t i = 0; i < stream.size(); i += 7) {
        scanner.feed(std::span(stream).subspan(i, std::min<size_t>(7, stream.size() - i)));
        while (auto r = scanner.next()) codes.push_back(r->code);
    }
    EXPECT_EQ(codes, (std::vector<uint8_t>{simwire::kIdentify, simwire::kSync}));
}

TEST(SimRecords, FollowOneAnotherAtTheInterval) {
    auto records = makeSimRecords(3, {2024, 2, 29, 23, 59, 0, 100, 200, 300, 400}, 60);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].ch1, 100);
    EXPECT_EQ((std::array{records[2].year, records[2].month, records[2].day, records[2].hour,
                          records[2].minute}),
              (std::array{2024, 3, 1, 0, 1}));
}

// ---- the simulator answering on its terminal ----

TEST(LoggerSim, AnswersIdentifyWithSerialAndChannelConfig) {
    LoggerSim sim(standardConfig());
    ASSERT_TRUE(sim.running());
    Port port(sim.devicePath());
    ASSERT_TRUE(port.isOpen());
    port.send(request(simwire::kIdentify));
    EXPECT_EQ(port.receive(22),
              (Bytes{0x01, 0x16, 0x7B, 0x28, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37,
                     0x38, 0x39, 0x30, 0x52, 0x01, 0x05, 0x57, 0x29, 0x7D, 0x7E, 0x04}));
    EXPECT_EQ(sim.requestCount(simwire::kIdentify), 1);
    EXPECT_EQ(sim.lastRequest(), request(simwire::kIdentify));
}

TEST(LoggerSim, AnswersReadSetupWithTheSetupRecord) {
    LoggerSim::Config config = standardConfig();
    config.setup.samplingInterval = 10;
    config.setup.logInterval = 0x01020304;
    config.setup.logsCount = 250;
    config.setup.manuLogsCount = 7;
    config.setup.ch1High = 1000;
    config.setup.ch1Low = -300;
    config.setup.ch2High = -50;
    config.setup.ch2Low = -100;
    config.setup.offsets = {1, -2, 3, -4};
    LoggerSim sim(config);
    Port port(sim.devicePath());
    port.send(request(simwire::kReadSetup));
    Bytes r = port.receive(99);
    ASSERT_EQ(r.size(), 99u);
    EXPECT_EQ(r[14], 0x54);
    EXPECT_EQ(std::string(r.begin() + 16, r.begin() + 27), "Cold room 3");
    EXPECT_EQ(r[27], 0);
    EXPECT_EQ(r[40], 5);
    EXPECT_EQ(std::string(r.begin() + 41, r.begin() + 47), "TH-200");
    EXPECT_EQ(std::string(r.begin() + 47, r.begin() + 52), "V2.10");
    EXPECT_EQ(r[52], 10);
    EXPECT_EQ(Bytes(r.begin() + 53, r.begin() + 57), (Bytes{4, 3, 2, 1}));
    EXPECT_EQ(simwire::getU32(&r[57]), 250u);
    EXPECT_EQ(simwire::getU32(&r[61]), 140000u) << "capacity goes out as records * 14";
    EXPECT_EQ(r[65], 7);
    EXPECT_EQ(simwire::getU32(&r[66]), 1000u);
    EXPECT_EQ(static_cast<int32_t>(simwire::getU32(&r[70])), -300);
    EXPECT_EQ(static_cast<int16_t>(simwire::getU16(&r[74])), -50);
    EXPECT_EQ(static_cast<int16_t>(simwire::getU16(&r[76])), -100);
    EXPECT_EQ(static_cast<int16_t>(simwire::getU16(&r[92])), -4);
    EXPECT_EQ(r[94], simwire::xorOf(std::span(r).subspan(4, 90)));
    EXPECT_EQ(Bytes(r.begin() + 95, r.end()), (Bytes{0x29, 0x7D, 0x7E, 0x04}));
}

// The Auto logs as three packages in a row, whatever the writes they travel in.
TEST(LoggerSim, SendsAutoLogsAsPackages) {
    const auto records = makeSimRecords(250, kFirst, 60);
    LoggerSim::Pacing pacings[3];
    pacings[1].packagesPerWrite = 3;
    pacings[2].splitPackage = 2;
    for (const LoggerSim::Pacing& pacing : pacings) {
        LoggerSim::Config config = standardConfig();
        config.autoRecords = records;
        config.pacing = pacing;
        LoggerSim sim(config);
        Port port(sim.devicePath());
        port.send(request(simwire::kAutoLogs));
        const size_t sizes[] = {26 + 14 * 100, 26 + 14 * 100, 26 + 14 * 50};
        Bytes all = port.receive(sizes[0] + sizes[1] + sizes[2]);
        ASSERT_EQ(all.size(), sizes[0] + sizes[1] + sizes[2]);
        size_t at = 0;
        for (int number = 1; number <= 3; ++number) {
            std::span<const uint8_t> p(all.data() + at, sizes[number - 1]);
            at += p.size();
            EXPECT_EQ(p[14], 0x58);
            EXPECT_EQ(simwire::getU16(&p[16]), 3);
            EXPECT_EQ(simwire::getU16(&p[18]), number);
            EXPECT_EQ(p[20], number < 3 ? 100 : 50);
            EXPECT_EQ(p[p.size() - 5], simwire::xorOf(p.subspan(4, p.size() - 9)));
            uint8_t first[14];
            simwire::packRecord(records[(number - 1) * 100], first, 14);
            EXPECT_EQ(Bytes(p.begin() + 21, p.begin() + 35), Bytes(first, first + 14));
        }
    }
}

TEST(LoggerSim, AnswersNoLogsAndManuLogs) {
    LoggerSim sim(standardConfig());
    Port port(sim.devicePath());
    port.send(request(simwire::kAutoLogs));
    Bytes none = port.receive(21);
    ASSERT_EQ(none.size(), 21u);
    EXPECT_EQ(none[14], 0x58);
    port.send(request(simwire::kManuLogs));
    Bytes manuNone = port.receive(26);
    ASSERT_EQ(manuNone.size(), 26u);
    EXPECT_EQ(manuNone[14], 0x5C);
    EXPECT_EQ(manuNone[20], 0);

    sim.setManuRecords(makeSimRecords(3, kFirst, 1));
    port.send(request(simwire::kManuLogs));
    Bytes manu = port.receive(26 + 15 * 3);
    ASSERT_EQ(manu.size(), 26u + 45u);
    EXPECT_EQ(simwire::getU16(&manu[16]), 1);
    EXPECT_EQ(simwire::getU16(&manu[18]), 1);
    EXPECT_EQ(manu[20], 3);
    EXPECT_EQ(Bytes(manu.begin() + 21, manu.begin() + 35),
              (Bytes{0x5E, 0xDB, 0x32, 0x5F, 0xEB, 0, 0, 0, 0xFD, 0, 0x00, 0x80, 0, 0}));
    EXPECT_EQ(manu[35], 0);
    EXPECT_EQ(manu[36 + 0], 0x5F) << "the second record starts at 36, one second later";
}

TEST(LoggerSim, DeleteClearsTheLogsOfItsKind) {
    LoggerSim::Config config = standardConfig();
    config.autoRecords = makeSimRecords(5, kFirst, 60);
    config.manuRecords = makeSimRecords(2, kFirst, 60);
    LoggerSim sim(config);
    Port port(sim.devicePath());
    port.send(request(simwire::kDeleteAuto));
    Bytes r = port.receive(21);
    ASSERT_EQ(r.size(), 21u);
    EXPECT_EQ(r[14], 0x5A);
    EXPECT_EQ(r[15], 1);
    EXPECT_EQ(sim.autoRecordCount(), 0u);
    EXPECT_EQ(sim.manuRecordCount(), 2u);
    port.send(request(simwire::kDeleteManu));
    EXPECT_EQ(port.receive(21)[14], 0x5E);
    EXPECT_EQ(sim.manuRecordCount(), 0u);
}

TEST(LoggerSim, AnswersRealtimeWithItsValues) {
    LoggerSim sim(standardConfig());
    Port port(sim.devicePath());
    port.send(request(simwire::kRealtime));
    Bytes r = port.receive(31);
    ASSERT_EQ(r.size(), 31u);
    EXPECT_EQ(r[14], 0x68);
    EXPECT_EQ(Bytes(r.begin() + 16, r.begin() + 26),
              (Bytes{0xEB, 0, 0, 0, 0xFD, 0, 0x38, 0xFF, 0x00, 0x80}));
    EXPECT_EQ(r[26], simwire::xorOf(std::span(r).subspan(4, 22)));

    sim.setRealtime({-1, 2, 3, 4});
    port.send(request(simwire::kRealtime));
    r = port.receive(31);
    EXPECT_EQ(Bytes(r.begin() + 16, r.begin() + 26),
              (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 2, 0, 3, 0, 4, 0}));
}

TEST(LoggerSim, AnswersRealtimeFromItsLiveSamplesInTurn) {
    LoggerSim::Config config = standardConfig();
    config.liveSamples = [](int n) { return LoggerSim::RealtimeValues{100 + n, 7, 0, 0}; };
    LoggerSim sim(config);
    Port port(sim.devicePath());
    for (uint8_t n = 0; n < 3; ++n) {
        port.send(request(simwire::kRealtime));
        Bytes r = port.receive(31);
        ASSERT_EQ(r.size(), 31u);
        EXPECT_EQ(Bytes(r.begin() + 16, r.begin() + 22), (Bytes{uint8_t(100 + n), 0, 0, 0, 7, 0}));
    }
}

TEST(LoggerSim, DeleteZeroesTheSetupsCountOfThoseLogs) {
    LoggerSim::Config config = standardConfig();
    config.setup.logsCount = 5;
    config.setup.manuLogsCount = 2;
    LoggerSim sim(config);
    Port port(sim.devicePath());
    port.send(request(simwire::kDeleteAuto));
    ASSERT_EQ(port.receive(21).size(), 21u);
    EXPECT_EQ(sim.setup().logsCount, 0u);
    EXPECT_EQ(sim.setup().manuLogsCount, 2);
    port.send(request(simwire::kDeleteManu));
    ASSERT_EQ(port.receive(21).size(), 21u);
    EXPECT_EQ(sim.setup().manuLogsCount, 0);
}

TEST(LoggerSim, SyncStoresTheClockAndTheFields) {
    LoggerSim sim(standardConfig());
    Port port(sim.devicePath());
    std::array<uint8_t, simwire::kSyncPayloadLength> payload{};
    payload[0] = 0x01;
    const uint8_t clock[] = {0x02, 0x05, 0x07, 0x09, 0x03, 0x20, 0x24};
    std::copy(std::begin(clock), std::end(clock), payload.begin() + 1);
    const char name[] = "Freezer";
    std::copy(name, name + 7, payload.begin() + 8);
    payload[32] = 6;                                             // channel configuration
    payload[33] = 30;                                            // sampling interval
    payload[34] = 120;                                           // log interval, low byte
    simwire::putU32(&payload[38], static_cast<uint32_t>(-150));  // ch1 high
    simwire::putU32(&payload[42], static_cast<uint32_t>(-400));  // ch1 low
    simwire::putU16(&payload[56], static_cast<uint16_t>(-7));    // ch4 low
    simwire::putU16(&payload[64], 9);                            // offset of channel 4
    port.send(request(simwire::kSync, payload));
    Bytes r = port.receive(21);
    ASSERT_EQ(r.size(), 21u);
    EXPECT_EQ(r[14], 0x56);
    EXPECT_EQ(r[15], 1);

    auto sync = sim.lastSync();
    ASSERT_TRUE(sync.has_value());
    EXPECT_TRUE(std::equal(sync->clock.begin(), sync->clock.end(), std::begin(clock)));
    SimSetup expected = standardConfig().setup;
    expected.name = fixedText<24>("Freezer");
    expected.channelConfig = 6;
    expected.samplingInterval = 30;
    expected.logInterval = 120;
    expected.ch1High = -150;
    expected.ch1Low = -400;
    expected.ch2High = expected.ch2Low = expected.ch3High = expected.ch3Low = 0;
    expected.ch4High = 0;
    expected.ch4Low = -7;
    expected.offsets = {0, 0, 0, 9};
    EXPECT_EQ(sync->setup, expected);
    EXPECT_EQ(sim.setup(), expected);
}

// ---- faults ----

// Each fault hits the identify reply only; the setup reply behind it comes whole,
// which shows where the faulty reply ended.
TEST(LoggerSim, FaultsSpoilTheRepliesTheyAimAt) {
    const Bytes good = {0x01, 0x16, 0x7B, 0x28, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37,
                        0x38, 0x39, 0x30, 0x52, 0x01, 0x05, 0x57, 0x29, 0x7D, 0x7E, 0x04};
    Bytes badCheck = good;
    badCheck[17] ^= 0xFF;
    Bytes statusZero = good;
    statusZero[15] = 0;
    statusZero[17] ^= 0x01;
    Bytes shortReply = simwire::encodeFrame(kSerial, 0x52, Bytes{0x01});
    struct Case {
        const char* name;
        LoggerSim::Faults faults;
        Bytes identifyReply;
    } cases[] = {
        {"silent", {.silent = true, .onlyCode = simwire::kIdentify}, {}},
        {"bad check", {.badCheck = true, .onlyCode = simwire::kIdentify}, badCheck},
        {"status 0", {.statusZero = true, .onlyCode = simwire::kIdentify}, statusZero},
        {"wrong length", {.wrongLength = true, .onlyCode = simwire::kIdentify}, shortReply},
    };
    for (const Case& c : cases) {
        LoggerSim sim(standardConfig());
        sim.setFaults(c.faults);
        Port port(sim.devicePath());
        port.send(concat({request(simwire::kIdentify), request(simwire::kReadSetup)}));
        Bytes r = port.receive(c.identifyReply.size() + 99);
        ASSERT_EQ(r.size(), c.identifyReply.size() + 99) << c.name;
        EXPECT_EQ(Bytes(r.begin(), r.begin() + c.identifyReply.size()), c.identifyReply) << c.name;
        EXPECT_EQ(r[c.identifyReply.size() + 14], 0x54) << c.name;
        EXPECT_EQ(sim.requestCount(simwire::kIdentify), 1) << c.name;
    }
}

TEST(LoggerSim, HangsUpAtTheRequestAsked) {
    LoggerSim sim(standardConfig());
    sim.setFaults({.hangUpAtRequest = 2});
    Port port(sim.devicePath());
    port.send(request(simwire::kIdentify));
    EXPECT_EQ(port.receive(22).size(), 22u);
    port.send(request(simwire::kReadSetup));
    EXPECT_TRUE(port.hungUp());
    EXPECT_FALSE(sim.running());
}

TEST(LoggerSim, HangsUpOnCall) {
    LoggerSim sim(standardConfig());
    Port port(sim.devicePath());
    port.send(request(simwire::kIdentify));
    EXPECT_EQ(port.receive(22).size(), 22u);
    sim.hangUp();
    EXPECT_TRUE(port.hungUp());
}

TEST(LoggerSim, StallsAfterThePackageAsked) {
    LoggerSim::Config config = standardConfig();
    config.autoRecords = makeSimRecords(250, kFirst, 60);
    config.faults.stallAfterPackage = 2;
    config.pacing.pauseMs = 50;
    LoggerSim sim(config);
    Port port(sim.devicePath());
    port.send(request(simwire::kAutoLogs));
    Bytes two = port.receive(2 * (26 + 1400));
    ASSERT_EQ(two.size(), 2u * 1426u);
    EXPECT_EQ(two[1426 + 18], 2);
    // What comes next answers the next request: package 3 never went out.
    port.send(request(simwire::kRealtime));
    Bytes next = port.receive(31);
    ASSERT_EQ(next.size(), 31u);
    EXPECT_EQ(next[14], 0x68);
}

// At a set baud rate the bytes take their time on the wire and no less: a
// whole download at 19200 baud, ten bits a byte, and every byte of it intact.
TEST(LoggerSim, PacesItsBytesAtTheBaudRateAsked) {
    constexpr int kBaud = 19200;
    LoggerSim::Config config = standardConfig();
    config.autoRecords = makeSimRecords(120, kFirst, 60);
    config.pacing = {.pauseMs = 0, .baud = kBaud};
    LoggerSim sim(config);
    Port port(sim.devicePath());
    const size_t bytes = (26 + 1400) + (26 + 14 * 20);  // two packages
    const auto start = std::chrono::steady_clock::now();
    port.send(request(simwire::kAutoLogs));
    const Bytes got = port.receive(bytes);
    const auto took = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(got.size(), bytes);
    EXPECT_EQ(got[26 + 1400 + 18], 2);  // the second package's number
    // The first slice goes out at once; the rest waits for the line.
    const auto wire = std::chrono::microseconds((bytes - 16) * 10 * 1'000'000 / kBaud);
    EXPECT_GE(took, wire);
    EXPECT_FALSE(port.byteWithin(50));
}

// The split package's first write holds the bytes asked (half when none is
// asked), and the rest follows after the pause between writes.
TEST(LoggerSim, SplitsThePackageAtTheByteAsked) {
    constexpr int kPackage = 26 + 14 * 100;
    struct Case {
        int splitAt;
        int firstWrite;
    } cases[] = {{0, kPackage / 2},
                 {9, 9},
                 {21 + 14 * 2 + 5, 21 + 14 * 2 + 5},
                 {kPackage - 1, kPackage - 1},
                 {kPackage + 50, kPackage - 1}};
    const auto records = makeSimRecords(250, kFirst, 60);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.splitAt);
        LoggerSim::Config config = standardConfig();
        config.autoRecords = records;
        config.pacing = {.splitPackage = 2, .splitAt = c.splitAt, .pauseMs = 1000};
        LoggerSim sim(config);
        Port port(sim.devicePath());
        port.send(request(simwire::kAutoLogs));
        const Bytes one = port.receive(kPackage);
        ASSERT_EQ(one.size(), static_cast<size_t>(kPackage));
        const Bytes head = port.receive(static_cast<size_t>(c.firstWrite));
        ASSERT_EQ(head.size(), static_cast<size_t>(c.firstWrite));
        EXPECT_FALSE(port.byteWithin(200)) << "the rest waits for the pause";
        const Bytes tail = port.receive(static_cast<size_t>(kPackage - c.firstWrite));
        const Bytes two = concat({head, tail});
        ASSERT_EQ(two.size(), static_cast<size_t>(kPackage));
        EXPECT_EQ(simwire::getU16(&two[18]), 2);
        EXPECT_EQ(two[two.size() - 5], simwire::xorOf(std::span(two).subspan(4, two.size() - 9)));
    }
}

// A skipped package never comes, though the total counts it; an over-declared
// one says a record more than it carries, with a check byte that fits what it says.
TEST(LoggerSim, SpoilsTheAutoPackageAsked) {
    const auto records = makeSimRecords(250, kFirst, 60);
    struct Case {
        const char* name;
        LoggerSim::Faults faults;
        std::vector<int> numbers;  // of the packages that come
        std::vector<int> counts;   // their record count bytes
    } cases[] = {
        {"skip", {.skipPackage = 2}, {1, 3}, {100, 50}},
        {"over-declare", {.overDeclarePackage = 2}, {1, 2, 3}, {100, 101, 50}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoggerSim::Config config = standardConfig();
        config.autoRecords = records;
        config.faults = c.faults;
        config.pacing.pauseMs = 50;
        LoggerSim sim(config);
        Port port(sim.devicePath());
        port.send(request(simwire::kAutoLogs));
        for (size_t i = 0; i < c.numbers.size(); ++i) {
            const size_t carried = c.numbers[i] == 3 ? 50 : 100;
            const Bytes p = port.receive(26 + 14 * carried);
            ASSERT_EQ(p.size(), 26 + 14 * carried);
            EXPECT_EQ(simwire::getU16(&p[16]), 3) << "the total";
            EXPECT_EQ(simwire::getU16(&p[18]), c.numbers[i]);
            EXPECT_EQ(p[20], c.counts[i]);
            EXPECT_EQ(p[p.size() - 5], simwire::xorOf(std::span(p).subspan(4, p.size() - 9)));
        }
        // What comes next answers the next request: nothing else was sent.
        port.send(request(simwire::kRealtime));
        const Bytes next = port.receive(31);
        ASSERT_EQ(next.size(), 31u);
        EXPECT_EQ(next[14], 0x68);
    }
}

TEST(LoggerSim, StopsCleanlyAndTwice) {
    LoggerSim sim(standardConfig());
    const std::string path = sim.devicePath();
    EXPECT_FALSE(path.empty());
    sim.stop();
    EXPECT_FALSE(sim.running());
    sim.stop();
}

}  // namespace
