#include "link/LoggerSetup.h"

#include <algorithm>

#include "base/ByteOrder.h"
#include "link/CommandFrame.h"
#include "logdata/LogStore.h"

namespace {

constexpr int kUnchanged = -1;

struct ChannelConfig {
    uint16_t code;
    uint32_t channelCount;
    int units[kChannels];  // kUnchanged keeps the channel's unit code
};

constexpr ChannelConfig kChannelConfigs[] = {
    {2, 2, {0, 0, 0, 0}},
    {4, 4, {0, 0, 0, 0}},
    {5, 2, {0, 1, 0, 1}},
    {6, 4, {0, 1, 0, 1}},
};
// Codes 1 and 3 and every unknown code: one temperature channel.
constexpr ChannelConfig kSingleChannel = {0, 1, {0, kUnchanged, kUnchanged, kUnchanged}};

const ChannelConfig& channelConfigFor(uint16_t code) {
    for (const ChannelConfig& config : kChannelConfigs) {
        if (config.code == code) return config;
    }
    return kSingleChannel;
}

uint8_t toBcd(int value) {
    return static_cast<uint8_t>(((value / 10) % 10) << 4 | (value % 10));
}

void copyBytes(std::span<const uint8_t> from, int offset, char* to, int length) {
    std::copy_n(from.begin() + offset, length, to);
}

void writeTime(std::span<uint8_t> frame, const LocalTime& time) {
    frame[kSyncSecondOffset] = toBcd(time.second);
    frame[kSyncMinuteOffset] = toBcd(time.minute);
    frame[kSyncHourOffset] = toBcd(time.hour);
    frame[kSyncDayOffset] = toBcd(time.day);
    frame[kSyncMonthOffset] = toBcd(time.month);
    frame[kSyncCenturyOffset] = toBcd(time.year / 100);
    frame[kSyncYearOffset] = toBcd(time.year % 100);
}

void writeLimits(std::span<uint8_t> frame, const LoggerSetup& setup) {
    writeI32le(frame, kSyncCh1HighOffset, setup.ch1High);
    writeI32le(frame, kSyncCh1LowOffset, setup.ch1Low);
    writeI16le(frame, kSyncCh2HighOffset, setup.ch2High);
    writeI16le(frame, kSyncCh2LowOffset, setup.ch2Low);
    writeI16le(frame, kSyncCh3HighOffset, setup.ch3High);
    writeI16le(frame, kSyncCh3LowOffset, setup.ch3Low);
    writeI16le(frame, kSyncCh4HighOffset, setup.ch4High);
    writeI16le(frame, kSyncCh4LowOffset, setup.ch4Low);
    for (int c = 0; c < kChannels; ++c) {
        writeI16le(frame, kSyncOffsetsOffset + 2 * c, setup.offsets[c]);
    }
}

}  // namespace

bool parseSetupReply(std::span<const uint8_t> reply, LoggerSetup& setup) {
    if (reply.size() != kSetupReplyLength) return false;
    copyBytes(reply, kFrameSerialOffset, setup.serialNo, kFrameSerialLength);
    copyBytes(reply, kSetupNameOffset, setup.name, kSetupNameLength);
    setup.name[kSetupNameLength] = '\0';
    setup.channelConfig = reply[kSetupConfigOffset];
    copyBytes(reply, kSetupModelOffset, setup.model, kSetupModelLength);
    copyBytes(reply, kSetupHardwareOffset, setup.hardwareVersion, kSetupHardwareLength);
    setup.samplingInterval = reply[kSetupSamplingOffset];
    setup.logInterval = readU32le(reply, kSetupLogIntervalOffset);
    setup.logsCount = readU32le(reply, kSetupLogsCountOffset);
    setup.capacity = readI32le(reply, kSetupCapacityOffset) / kStoredRecordSize;
    setup.manuLogsCount = static_cast<int8_t>(reply[kSetupManuCountOffset]);
    setup.ch1High = readI32le(reply, kSetupCh1HighOffset);
    setup.ch1Low = readI32le(reply, kSetupCh1LowOffset);
    setup.ch2High = readI16le(reply, kSetupCh2HighOffset);
    setup.ch2Low = readI16le(reply, kSetupCh2LowOffset);
    setup.ch3High = readI16le(reply, kSetupCh3HighOffset);
    setup.ch3Low = readI16le(reply, kSetupCh3LowOffset);
    setup.ch4High = readI16le(reply, kSetupCh4HighOffset);
    setup.ch4Low = readI16le(reply, kSetupCh4LowOffset);
    for (int c = 0; c < kChannels; ++c) {
        setup.offsets[c] = readI16le(reply, kSetupOffsetsOffset + 2 * c);
    }
    return true;
}

void applyChannelConfig(uint16_t code, LogStore& store) {
    const ChannelConfig& config = channelConfigFor(code);
    store.channelCount = config.channelCount;
    for (int c = 0; c < kChannels; ++c) {
        if (config.units[c] != kUnchanged)
            store.unitCodes[c] = static_cast<uint8_t>(config.units[c]);
    }
    for (int c = 0; c < kChannels; ++c) store.setChannelUnit(c, store.unitCodes[c]);
}

uint8_t channelUnitCode(uint16_t code, int channel) {
    if (channel < 0 || channel >= kChannels) return 0;
    const int unit = channelConfigFor(code).units[channel];
    return unit == kUnchanged ? 0 : static_cast<uint8_t>(unit);
}

std::array<uint8_t, kSyncFrameLength> encodeSyncFrame(const LoggerSetup& setup,
                                                      const Clock& clock) {
    std::array<uint8_t, kSyncFrameLength> frame{};
    std::copy(std::begin(kFrameLead), std::end(kFrameLead), frame.begin());
    std::copy_n(setup.serialNo, kFrameSerialLength, frame.begin() + kFrameSerialOffset);
    frame[kFrameCodeOffset] = CMD_SYNC_SETUP;
    frame[kSyncFlagOffset] = kSyncFlag;
    // One reading for all fields: reading per field could mix two seconds.
    writeTime(frame, clock.now());
    std::copy_n(setup.name, kSetupNameLength, frame.begin() + kSyncNameOffset);
    frame[kSyncConfigOffset] = static_cast<uint8_t>(setup.channelConfig);
    frame[kSyncSamplingOffset] = setup.samplingInterval;
    writeU32le(frame, kSyncLogIntervalOffset, setup.logInterval);
    writeLimits(frame, setup);
    frame[kSyncCheckOffset] = checkByte(std::span<const uint8_t>(frame).subspan(
        kFrameCheckedFirst, kSyncCheckOffset - kFrameCheckedFirst));
    std::copy(std::begin(kFrameTrailer), std::end(kFrameTrailer),
              frame.begin() + kSyncTrailerOffset);
    return frame;
}
