#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "link/Clock.h"
#include "link/Protocol.h"

struct LogStore;

// The logger's identity and setup as the program holds it. One instance for
// the whole process. Limits and offsets are raw logger integers, never scaled.
struct LoggerSetup {
    char name[25];  // 24 characters and a terminating zero byte
    uint16_t channelConfig;
    char model[6];
    char serialNo[10];
    char hardwareVersion[5];
    uint8_t samplingInterval;
    uint32_t logInterval;
    uint32_t logsCount;
    int32_t capacity;
    int8_t manuLogsCount;
    int32_t ch1High;
    int32_t ch1Low;
    int16_t ch2High, ch2Low;
    int16_t ch3High, ch3Low;
    int16_t ch4High, ch4Low;
    int16_t offsets[4];
};

// Fills every field of the setup reply (exactly kSetupReplyLength bytes);
// false and nothing changed for any other length.
bool parseSetupReply(std::span<const uint8_t> reply, LoggerSetup& setup);
// Sets the store's channel count and unit codes by the channel configuration
// table, then the unit texts of all four channels.
void applyChannelConfig(uint16_t code, LogStore& store);
// The unit code that configuration `code` gives channel index 0..3; a
// channel the configuration leaves as it was counts as a temperature (0).
uint8_t channelUnitCode(uint16_t code, int channel);
// The 86 bytes of the sync frame from the current fields and the clock's time.
std::array<uint8_t, kSyncFrameLength> encodeSyncFrame(const LoggerSetup& setup, const Clock& clock);
