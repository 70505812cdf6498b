#include "sim/SimDemo.h"

#include <cmath>
#include <cstdint>
#include <ctime>
#include <numbers>

namespace {

// Tenths of a degree and of a percent, as the logger measures.
constexpr double kMeanTemperature = 210.0;
constexpr double kDailyTemperatureSwing = 25.0;
constexpr double kMeanHumidity = 480.0;
constexpr double kDailyHumiditySwing = 60.0;
constexpr double kWarmestHour = 15.0;
constexpr int kTemperatureNoise = 3;  // +-tenths
constexpr int kHumidityNoise = 6;

// The door: opened on the day before the last, at 10:20, for 30 minutes.
constexpr int kDoorDayBeforeLast = 1;
constexpr int kDoorOpensAt = 10 * 3600 + 20 * 60;  // seconds into the day
constexpr int kDoorOpenFor = 30 * 60;
constexpr double kDoorFallMinutes = 8.0;       // how fast the room follows the open door
constexpr double kDoorRecoveryMinutes = 35.0;  // and recovers once it is shut
constexpr double kDoorTemperatureDrop = 75.0;
constexpr double kDoorHumidityRise = 180.0;

constexpr int kManuTimes[] = {9 * 3600, 16 * 3600 + 30 * 60};

constexpr int kSecondsPerDay = 86400;
constexpr double kHoursPerDay = 24.0;

std::time_t toSeconds(const SimTime& t) {
    std::tm tm{};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    // Calendar arithmetic in UTC, so that no daylight-saving step moves a record.
    return timegm(&tm);
}

SimRecord recordAt(std::time_t t, int32_t ch1, int16_t ch2) {
    std::tm tm{};
    gmtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
            tm.tm_sec,         ch1,           ch2,        0,          0};
}

// A small deterministic generator: the same log on every machine.
uint32_t nextRandom(uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

int noise(uint32_t& state, int amplitude) {
    return static_cast<int>(nextRandom(state) % static_cast<uint32_t>(2 * amplitude + 1)) -
           amplitude;
}

// The daily cycle as a sine: 1 at kWarmestHour, -1 twelve hours later.
double dailyPhase(std::time_t t) {
    const double hour = static_cast<double>(t % kSecondsPerDay) / 3600.0;
    return std::sin(2.0 * std::numbers::pi * (hour - kWarmestHour + kHoursPerDay / 4.0) /
                    kHoursPerDay);
}

// How far the room has gone toward the open door's air, 0..1.
double doorEffect(std::time_t t, std::time_t opens) {
    const double minutes = static_cast<double>(t - opens) / 60.0;
    if (minutes < 0) return 0.0;
    const double openMinutes = kDoorOpenFor / 60.0;
    const double atClose = 1.0 - std::exp(-openMinutes / kDoorFallMinutes);
    if (minutes <= openMinutes) return 1.0 - std::exp(-minutes / kDoorFallMinutes);
    return atClose * std::exp(-(minutes - openMinutes) / kDoorRecoveryMinutes);
}

struct RoomValue {
    double temperature;
    double humidity;
};

RoomValue roomAt(std::time_t t, std::time_t doorOpens) {
    const double phase = dailyPhase(t);
    const double door = doorEffect(t, doorOpens);
    return {kMeanTemperature + kDailyTemperatureSwing * phase - kDoorTemperatureDrop * door,
            kMeanHumidity - kDailyHumiditySwing * phase + kDoorHumidityRise * door};
}

std::time_t doorOpensBefore(std::time_t last) {
    const std::time_t lastMidnight = last - last % kSecondsPerDay;
    return lastMidnight - kDoorDayBeforeLast * kSecondsPerDay + kDoorOpensAt;
}

}  // namespace

std::vector<SimRecord> makeDemoAutoRecords(const SimTime& last) {
    const std::time_t end = toSeconds(last);
    const std::time_t first =
        end - static_cast<std::time_t>(kDemoAutoRecords - 1) * kDemoLogInterval;
    const std::time_t door = doorOpensBefore(end);
    std::vector<SimRecord> records;
    records.reserve(kDemoAutoRecords);
    uint32_t state = 1;
    for (int i = 0; i < kDemoAutoRecords; ++i) {
        const std::time_t t = first + static_cast<std::time_t>(i) * kDemoLogInterval;
        const RoomValue room = roomAt(t, door);
        records.push_back(recordAt(
            t,
            static_cast<int32_t>(std::lround(room.temperature)) + noise(state, kTemperatureNoise),
            static_cast<int16_t>(std::lround(room.humidity) + noise(state, kHumidityNoise))));
    }
    return records;
}

std::vector<SimRecord> makeDemoManuRecords(const SimTime& last) {
    const std::time_t end = toSeconds(last);
    const std::time_t door = doorOpensBefore(end);
    const std::time_t lastMidnight = end - end % kSecondsPerDay;
    std::vector<SimRecord> records;
    for (int day = kDemoDays - 1; day >= 0; --day) {
        for (int at : kManuTimes) {
            const std::time_t t =
                lastMidnight - static_cast<std::time_t>(day) * kSecondsPerDay + at;
            if (t > end) continue;
            const RoomValue room = roomAt(t, door);
            records.push_back(recordAt(t, static_cast<int32_t>(std::lround(room.temperature)),
                                       static_cast<int16_t>(std::lround(room.humidity))));
        }
    }
    return records;
}

LoggerSim::RealtimeValues demoLiveSample(int n) {
    // A ten-minute swell, a faster ripple and a tenth of jitter.
    const double x = static_cast<double>(n);
    const double slow = std::sin(2.0 * std::numbers::pi * x / 600.0);
    const double ripple = std::sin(2.0 * std::numbers::pi * x / 47.0);
    uint32_t state = static_cast<uint32_t>(n) * 2654435761u;
    const int temperature =
        static_cast<int>(std::lround(kMeanTemperature + 12.0 * slow + 3.0 * ripple)) +
        noise(state, 1);
    const int humidity =
        static_cast<int>(std::lround(kMeanHumidity - 30.0 * slow - 6.0 * ripple)) + noise(state, 2);
    return {temperature, static_cast<int16_t>(humidity), 0, 0};
}

LoggerSim::Config demoLoggerConfig(const SimTime& last) {
    LoggerSim::Config config;
    config.serialNo = kDemoSerialNo;
    SimSetup& setup = config.setup;
    setup.name = fixedText<24>(kDemoName);
    setup.channelConfig = kDemoChannelConfig;
    setup.model = fixedText<6>("DEMO");
    setup.hardwareVersion = fixedText<5>("V1.00");
    setup.samplingInterval = 10;
    setup.logInterval = kDemoLogInterval;
    setup.capacity = 16000;
    setup.ch1High = 300;
    setup.ch1Low = 100;
    setup.ch2High = 700;
    setup.ch2Low = 300;
    config.autoRecords = makeDemoAutoRecords(last);
    config.manuRecords = makeDemoManuRecords(last);
    setup.logsCount = static_cast<uint32_t>(config.autoRecords.size());
    setup.manuLogsCount = static_cast<int8_t>(config.manuRecords.size());
    config.liveSamples = demoLiveSample;
    // Fewer, fuller packages: a few days download in a few seconds.
    config.pacing.recordsPerPackage = 200;
    return config;
}
