#include "sim/SimSetup.h"

#include <algorithm>

#include "sim/SimWire.h"

namespace {

using simwire::getU16;
using simwire::getU32;
using simwire::putU16;
using simwire::putU32;

constexpr int kCapacityRecordSize = 14;

// Offsets inside the setup reply payload (reply offset minus 15).
enum SetupAt : int {
    kSetupStatus = 0,
    kSetupName = 1,
    kSetupConfig = 25,
    kSetupModel = 26,
    kSetupHardware = 32,
    kSetupSampling = 37,
    kSetupLogInterval = 38,
    kSetupLogsCount = 42,
    kSetupCapacity = 46,
    kSetupManuCount = 50,
    kSetupLimits = 51,
};

// Offsets inside the sync payload (frame offset minus 15).
enum SyncAt : int {
    kSyncClock = 1,
    kSyncName = 8,
    kSyncConfig = 32,
    kSyncSampling = 33,
    kSyncLogInterval = 34,
    kSyncLimits = 38,
};

// Channel limits then offsets, in the same layout in both directions:
// ch1 high and low as int32, ch2..ch4 high and low as int16, four int16 offsets.
void putLimits(const SimSetup& s, uint8_t* out) {
    putU32(out, static_cast<uint32_t>(s.ch1High));
    putU32(out + 4, static_cast<uint32_t>(s.ch1Low));
    const int16_t narrow[] = {s.ch2High, s.ch2Low,     s.ch3High,    s.ch3Low,     s.ch4High,
                              s.ch4Low,  s.offsets[0], s.offsets[1], s.offsets[2], s.offsets[3]};
    for (size_t i = 0; i < std::size(narrow); ++i)
        putU16(out + 8 + 2 * i, static_cast<uint16_t>(narrow[i]));
}

void getLimits(const uint8_t* in, SimSetup& s) {
    s.ch1High = static_cast<int32_t>(getU32(in));
    s.ch1Low = static_cast<int32_t>(getU32(in + 4));
    int16_t* narrow[] = {&s.ch2High, &s.ch2Low,     &s.ch3High,    &s.ch3Low,     &s.ch4High,
                         &s.ch4Low,  &s.offsets[0], &s.offsets[1], &s.offsets[2], &s.offsets[3]};
    for (size_t i = 0; i < std::size(narrow); ++i)
        *narrow[i] = static_cast<int16_t>(getU16(in + 8 + 2 * i));
}

}  // namespace

std::array<uint8_t, kSetupPayloadLength> encodeSetupPayload(const SimSetup& s) {
    std::array<uint8_t, kSetupPayloadLength> p{};
    p[kSetupStatus] = 1;
    std::copy(s.name.begin(), s.name.end(), p.begin() + kSetupName);
    p[kSetupConfig] = s.channelConfig;
    std::copy(s.model.begin(), s.model.end(), p.begin() + kSetupModel);
    std::copy(s.hardwareVersion.begin(), s.hardwareVersion.end(), p.begin() + kSetupHardware);
    p[kSetupSampling] = s.samplingInterval;
    putU32(&p[kSetupLogInterval], s.logInterval);
    putU32(&p[kSetupLogsCount], s.logsCount);
    putU32(&p[kSetupCapacity], static_cast<uint32_t>(s.capacity * kCapacityRecordSize));
    p[kSetupManuCount] = static_cast<uint8_t>(s.manuLogsCount);
    putLimits(s, &p[kSetupLimits]);
    return p;
}

std::array<uint8_t, kSyncClockLength> syncClock(std::span<const uint8_t> payload) {
    std::array<uint8_t, kSyncClockLength> clock{};
    std::copy_n(payload.begin() + kSyncClock, kSyncClockLength, clock.begin());
    return clock;
}

void applySyncPayload(std::span<const uint8_t> payload, SimSetup& s) {
    std::copy_n(payload.begin() + kSyncName, s.name.size(), s.name.begin());
    s.channelConfig = payload[kSyncConfig];
    s.samplingInterval = payload[kSyncSampling];
    s.logInterval = getU32(&payload[kSyncLogInterval]);
    getLimits(&payload[kSyncLimits], s);
}
