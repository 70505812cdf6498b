#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "sim/SimRecords.h"
#include "sim/SimSetup.h"
#include "sim/SimWire.h"

// A data logger on a pseudo-terminal: the program opens devicePath() as its
// serial port, and a thread answers its requests as a logger of the
// configured serial number, setup and stored logs would, with faults on
// request. All setters and getters may be called from any thread at any time.
class LoggerSim {
public:
    // How a download goes out on the line.
    struct Pacing {
        int recordsPerPackage = 100;  // 1..255: the package header counts them in one byte
        int packagesPerWrite = 1;
        int splitPackage = 0;  // this package (from 1) goes out in two writes; 0 = none
        int splitAt = 0;       // bytes of the split package in its first write; 0 = half
        // Between writes, so that each write reaches the program as its own
        // chunk: the program ends a chunk at a pause of 200 ms.
        int pauseMs = 500;  // well clear of 200 ms even on a busy machine
        // Bits per second of the line, every reply's bytes going out no
        // faster than a start bit, eight data bits and a stop bit each allow;
        // 0 writes as fast as the terminal takes them.
        int baud = 0;
    };

    // Faults, applied to the replies of every request or, with `onlyCode`, of
    // requests with that code only.
    struct Faults {
        bool silent = false;        // requests are read and counted, never answered
        bool badCheck = false;      // the check byte of each reply is inverted
        bool statusZero = false;    // byte 15 of each reply is 0 (failure)
        bool wrongLength = false;   // each reply lacks its last payload byte (check kept sound)
        int hangUpAtRequest = 0;    // the line closes when request number N (from 1) arrives
        int stallAfterPackage = 0;  // an Auto download stops after this package; 0 = never
        // An Auto download never sends this package, though the total counts it.
        int skipPackage = 0;
        // This package's record count says one record more than it carries (the
        // Manu package is package 1; a package of 255 records cannot say more).
        int overDeclarePackage = 0;
        uint8_t onlyCode = 0;
    };

    struct RealtimeValues {
        int32_t ch1 = 235;
        int16_t ch2 = 253;
        int16_t ch3 = -200;
        int16_t ch4 = -32768;

        bool operator==(const RealtimeValues&) const = default;
    };

    struct Config {
        std::string serialNo = "1234567890";
        SimSetup setup;
        std::vector<SimRecord> autoRecords;
        std::vector<SimRecord> manuRecords;
        RealtimeValues realtime;
        // When set, answers realtime request n (from 0) instead of `realtime`:
        // live values that move. Called on the serving thread; must not block.
        std::function<RealtimeValues(int n)> liveSamples;
        Pacing pacing;
        Faults faults;
    };

    // What the last sync frame carried.
    struct SyncReceived {
        std::array<uint8_t, kSyncClockLength> clock;  // second, minute, hour, day, month,
                                                      // century, year; BCD
        SimSetup setup;  // the logger's setup with the frame's fields written in
    };

    // Opens the terminal and starts serving; running() tells whether that worked.
    LoggerSim();
    explicit LoggerSim(Config config);
    ~LoggerSim();
    LoggerSim(const LoggerSim&) = delete;
    LoggerSim& operator=(const LoggerSim&) = delete;

    bool running() const;
    std::string devicePath() const { return devicePath_; }
    // Ends the thread and closes the terminal; the destructor does the same.
    void stop();
    // Closes the line as an unplugged cable would.
    void hangUp();

    void setFaults(const Faults& faults);
    void setPacing(const Pacing& pacing);
    void setSetup(const SimSetup& setup);
    void setAutoRecords(std::vector<SimRecord> records);
    void setManuRecords(std::vector<SimRecord> records);
    void setRealtime(const RealtimeValues& values);

    SimSetup setup() const;
    size_t autoRecordCount() const;
    size_t manuRecordCount() const;
    int requestCount(uint8_t code) const;
    int totalRequests() const;
    std::vector<uint8_t> lastRequest() const;
    std::optional<SyncReceived> lastSync() const;

private:
    struct Line;

    void serve();
    void handle(const simwire::Request& request);
    void answer(const simwire::Request& request, const Config& snapshot);
    void queueDownload(const Config& snapshot);
    void queueManu(const Config& snapshot);
    void deleteLogs(uint8_t code);
    std::vector<uint8_t> encodeReply(uint8_t code, std::span<const uint8_t> payload,
                                     const Faults& faults) const;
    std::vector<uint8_t> encodePackage(uint8_t code, std::span<const SimRecord> records,
                                       int recordSize, int number, int total,
                                       const Faults& faults) const;
    void queueSplit(std::vector<uint8_t> package, int splitAt, int pauseMs);
    void queueReply(uint8_t code, std::span<const uint8_t> payload, const Faults& faults);
    Config snapshot(uint8_t requestCode) const;

    simwire::SerialNo serial_{};
    std::string devicePath_;
    std::unique_ptr<Line> line_;  // null once stopped
    std::thread thread_;

    mutable std::mutex mutex_;  // guards everything below
    Config config_;
    std::array<int, 256> counts_{};
    int total_ = 0;
    std::vector<uint8_t> lastRequest_;
    std::optional<SyncReceived> lastSync_;
    bool hangUpWanted_ = false;
    bool lineClosed_ = false;
};
