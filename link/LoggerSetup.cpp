#include "link/LoggerSetup.h"

#include <algorithm>

#include "link/ByteOrder.h"
#include "link/CommandFrame.h"
#include "logdata/LogStore.h"

namespace {

constexpr int kNameLength = 24;
constexpr int kSerialLength = 10;
constexpr int kModelLength = 6;
constexpr int kHardwareLength = 5;
// The logger stores one record in 14 bytes; capacity arrives in bytes.
constexpr int32_t kStoredRecordSize = 14;

// Setup reply layout.
constexpr int kReplySerialOffset = 4;
constexpr int kReplyNameOffset = 16;
constexpr int kReplyConfigOffset = 40;
constexpr int kReplyModelOffset = 41;
constexpr int kReplyHardwareOffset = 47;
constexpr int kReplySamplingOffset = 52;
constexpr int kReplyLogIntervalOffset = 53;
constexpr int kReplyLogsCountOffset = 57;
constexpr int kReplyCapacityOffset = 61;
constexpr int kReplyManuCountOffset = 65;
constexpr int kReplyCh1HighOffset = 66;
constexpr int kReplyCh1LowOffset = 70;
constexpr int kReplyCh2HighOffset = 74;
constexpr int kReplyCh2LowOffset = 76;
constexpr int kReplyCh3HighOffset = 78;
constexpr int kReplyCh3LowOffset = 80;
constexpr int kReplyCh4HighOffset = 82;
constexpr int kReplyCh4LowOffset = 84;
constexpr int kReplyOffsetsOffset = 86;

// Sync frame layout.
constexpr int kSyncSerialOffset = 4;
constexpr int kSyncCodeOffset = 14;
constexpr int kSyncFlagOffset = 15;
constexpr uint8_t kSyncFlag = 0x01;
constexpr int kSyncSecondOffset = 16;
constexpr int kSyncMinuteOffset = 17;
constexpr int kSyncHourOffset = 18;
constexpr int kSyncDayOffset = 19;
constexpr int kSyncMonthOffset = 20;
constexpr int kSyncCenturyOffset = 21;
constexpr int kSyncYearOffset = 22;
constexpr int kSyncNameOffset = 23;
constexpr int kSyncConfigOffset = 47;
constexpr int kSyncSamplingOffset = 48;
constexpr int kSyncLogIntervalOffset = 49;
constexpr int kSyncCh1HighOffset = 53;
constexpr int kSyncCh1LowOffset = 57;
constexpr int kSyncCh2HighOffset = 61;
constexpr int kSyncCh2LowOffset = 63;
constexpr int kSyncCh3HighOffset = 65;
constexpr int kSyncCh3LowOffset = 67;
constexpr int kSyncCh4HighOffset = 69;
constexpr int kSyncCh4LowOffset = 71;
constexpr int kSyncOffsetsOffset = 73;
constexpr int kSyncCheckedFirst = 4;
constexpr int kSyncCheckOffset = 81;
constexpr int kSyncTrailerOffset = 82;

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
    copyBytes(reply, kReplySerialOffset, setup.serialNo, kSerialLength);
    copyBytes(reply, kReplyNameOffset, setup.name, kNameLength);
    setup.name[kNameLength] = '\0';
    setup.channelConfig = reply[kReplyConfigOffset];
    copyBytes(reply, kReplyModelOffset, setup.model, kModelLength);
    copyBytes(reply, kReplyHardwareOffset, setup.hardwareVersion, kHardwareLength);
    setup.samplingInterval = reply[kReplySamplingOffset];
    setup.logInterval = readU32le(reply, kReplyLogIntervalOffset);
    setup.logsCount = readU32le(reply, kReplyLogsCountOffset);
    setup.capacity = readI32le(reply, kReplyCapacityOffset) / kStoredRecordSize;
    setup.manuLogsCount = static_cast<int8_t>(reply[kReplyManuCountOffset]);
    setup.ch1High = readI32le(reply, kReplyCh1HighOffset);
    setup.ch1Low = readI32le(reply, kReplyCh1LowOffset);
    setup.ch2High = readI16le(reply, kReplyCh2HighOffset);
    setup.ch2Low = readI16le(reply, kReplyCh2LowOffset);
    setup.ch3High = readI16le(reply, kReplyCh3HighOffset);
    setup.ch3Low = readI16le(reply, kReplyCh3LowOffset);
    setup.ch4High = readI16le(reply, kReplyCh4HighOffset);
    setup.ch4Low = readI16le(reply, kReplyCh4LowOffset);
    for (int c = 0; c < kChannels; ++c) {
        setup.offsets[c] = readI16le(reply, kReplyOffsetsOffset + 2 * c);
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

std::array<uint8_t, kSyncFrameLength> encodeSyncFrame(const LoggerSetup& setup,
                                                      const Clock& clock) {
    std::array<uint8_t, kSyncFrameLength> frame{};
    std::copy(std::begin(kFrameLead), std::end(kFrameLead), frame.begin());
    std::copy_n(setup.serialNo, kSerialLength, frame.begin() + kSyncSerialOffset);
    frame[kSyncCodeOffset] = CMD_SYNC_SETUP;
    frame[kSyncFlagOffset] = kSyncFlag;
    // One reading for all fields: reading per field could mix two seconds.
    writeTime(frame, clock.now());
    std::copy_n(setup.name, kNameLength, frame.begin() + kSyncNameOffset);
    frame[kSyncConfigOffset] = static_cast<uint8_t>(setup.channelConfig);
    frame[kSyncSamplingOffset] = setup.samplingInterval;
    writeU32le(frame, kSyncLogIntervalOffset, setup.logInterval);
    writeLimits(frame, setup);
    frame[kSyncCheckOffset] = checkByte(std::span<const uint8_t>(frame).subspan(
        kSyncCheckedFirst, kSyncCheckOffset - kSyncCheckedFirst));
    std::copy(std::begin(kFrameTrailer), std::end(kFrameTrailer),
              frame.begin() + kSyncTrailerOffset);
    return frame;
}
