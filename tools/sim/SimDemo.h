#pragma once

#include <vector>

#include "sim/LoggerSim.h"
#include "sim/SimRecords.h"

// The demo logger: a two-channel temperature (oC) and humidity (%RH) logger
// in a store room, holding what such a logger would after a few days there.
// Its name and serial number say plainly that its logs are not real ones.

inline constexpr const char* kDemoSerialNo = "DEMO000001";
inline constexpr const char* kDemoName = "Demo logger";
inline constexpr int kDemoChannelConfig = 5;  // temperature and humidity
inline constexpr int kDemoLogInterval = 300;  // seconds
inline constexpr int kDemoDays = 4;
inline constexpr int kDemoAutoRecords = kDemoDays * 86400 / kDemoLogInterval;

// A moment on the logger's clock.
struct SimTime {
    int year;
    int month;
    int day;
    int hour;
    int minute;
    int second;
};

// The Auto log: kDemoAutoRecords records kDemoLogInterval apart, the last at
// `last`. A daily cycle (warmest and driest mid-afternoon) with sensor noise,
// and one door left open on the morning of the day before the last for half
// an hour: cold damp air, then a slow recovery. The same `last` always gives
// the same records.
std::vector<SimRecord> makeDemoAutoRecords(const SimTime& last);
// The Manu log: spot readings taken by hand at 09:00 and 16:30 over the last
// days, none after `last`.
std::vector<SimRecord> makeDemoManuRecords(const SimTime& last);
// Live sample n (from 0), one a second: near the room's value, drifting
// slowly with a little jitter.
LoggerSim::RealtimeValues demoLiveSample(int n);
// The whole logger, its logs ending at `last`.
LoggerSim::Config demoLoggerConfig(const SimTime& last);
