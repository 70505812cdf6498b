#include "link/LogRecordCodec.h"

#include <algorithm>
#include <array>

#include "base/ByteOrder.h"
#include "link/CommandFrame.h"
#include "link/Protocol.h"

namespace {

// Where the channel values lie: channel 1 is 32 bits wide, channels 2..4 16.
struct ChannelLayout {
    int ch1;
    int others[3];
};
constexpr ChannelLayout kRecordChannels{kRecordCh1Offset,
                                        {kRecordCh2Offset, kRecordCh3Offset, kRecordCh4Offset}};
constexpr ChannelLayout kSampleChannels{kSampleCh1Offset,
                                        {kSampleCh2Offset, kSampleCh3Offset, kSampleCh4Offset}};

constexpr float kNoReadingBelow = -200.0f;

// The first N bytes of what was received, zeros where fewer came: a short
// span is never read past its end.
template <size_t N>
std::array<uint8_t, N> firstBytes(std::span<const uint8_t> bytes) {
    std::array<uint8_t, N> out{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), N), out.begin());
    return out;
}

void decodeChannels(std::span<const uint8_t> bytes, const ChannelLayout& layout,
                    float values[kChannels]) {
    values[0] = decodeTenths(readI32le(bytes, layout.ch1));
    for (int c = 0; c < 3; ++c) values[c + 1] = decodeTenths(readI16le(bytes, layout.others[c]));
}

// Every packed field is below 100, so two digits always suffice.
void putTwoDigits(char* out, uint32_t value) {
    out[0] = static_cast<char>('0' + value / 10);
    out[1] = static_cast<char>('0' + value % 10);
}

uint32_t bitField(uint32_t packed, int first, int count) {
    return (packed >> first) & ((1u << count) - 1);
}

}  // namespace

float decodeTenths(int32_t raw) {
    const float value = static_cast<float>(raw / 10.0);
    return value < kNoReadingBelow ? 0.0f : value;
}

void decodeLogRecord(std::span<const uint8_t> record, Timestamp& time, float values[kChannels]) {
    const auto bytes = firstBytes<kAutoRecordSize>(record);
    const uint32_t packed = readU32le(bytes, kRecordTimeOffset);
    // "20%02d%02d%02d%02d%02d%02d": year-2000, month, day, hour, minute, second.
    time[0] = '2';
    time[1] = '0';
    putTwoDigits(&time[2], bitField(packed, 26, 6));
    putTwoDigits(&time[4], bitField(packed, 22, 4));
    putTwoDigits(&time[6], bitField(packed, 17, 5));
    putTwoDigits(&time[8], bitField(packed, 12, 5));
    putTwoDigits(&time[10], bitField(packed, 6, 6));
    putTwoDigits(&time[12], bitField(packed, 0, 6));
    decodeChannels(bytes, kRecordChannels, values);
}

void decodeRealtimeSample(std::span<const uint8_t> reply, float values[kChannels]) {
    decodeChannels(firstBytes<kSampleValuesEnd>(reply), kSampleChannels, values);
}

namespace {

bool startsWith(std::span<const uint8_t> bytes, size_t at, std::span<const uint8_t> expected) {
    return std::equal(expected.begin(), expected.end(), bytes.begin() + static_cast<long>(at));
}

// A frame of `length` bytes at the start of `bytes`: its check byte and
// trailer are where the length puts them.
bool frameChecksOut(std::span<const uint8_t> bytes, size_t length) {
    const size_t checkAt = length - 1 - std::size(kFrameTrailer);
    return checkByte(bytes.subspan(kFrameCheckedFirst, checkAt - kFrameCheckedFirst)) ==
               bytes[checkAt] &&
           startsWith(bytes, checkAt + 1, kFrameTrailer);
}

}  // namespace

LogPackage decodeLogPackage(std::span<const uint8_t> bytes, uint8_t code, int recordSize) {
    LogPackage package;
    const size_t leadBytes = std::min(bytes.size(), std::size(kFrameLead));
    if (!std::equal(bytes.begin(), bytes.begin() + static_cast<long>(leadBytes), kFrameLead) ||
        (bytes.size() > kFrameCodeOffset && bytes[kFrameCodeOffset] != code)) {
        package.status = LogPackage::Foreign;
        return package;
    }
    if (code == REPLY_AUTO_LOGS && bytes.size() >= kAutoNoLogsLength &&
        frameChecksOut(bytes, kAutoNoLogsLength)) {
        package.status = LogPackage::NoLogs;
        package.used = kAutoNoLogsLength;
        return package;
    }
    if (bytes.size() < kPackageRecordsOffset) return package;
    const int count = bytes[kPackageCountOffset];
    const size_t length = kPackageOverhead + static_cast<size_t>(count * recordSize);
    if (bytes.size() < length) return package;
    if (!frameChecksOut(bytes, length)) {
        package.status = LogPackage::Bad;
        return package;
    }
    package.status = LogPackage::Whole;
    package.total = readU16le(bytes, kPackageTotalOffset);
    package.number = readU16le(bytes, kPackageNumberOffset);
    package.count = count;
    package.records = bytes.subspan(kPackageRecordsOffset, static_cast<size_t>(count * recordSize));
    package.used = length;
    return package;
}

size_t nextFrameLead(std::span<const uint8_t> bytes) {
    for (size_t at = 1; at < bytes.size(); ++at) {
        const size_t have = std::min(bytes.size() - at, std::size(kFrameLead));
        if (std::equal(kFrameLead, kFrameLead + have, bytes.begin() + static_cast<long>(at)))
            return at;
    }
    return bytes.size();
}
