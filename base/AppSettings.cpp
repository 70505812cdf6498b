#include "base/AppSettings.h"

#include <algorithm>
#include <span>

#include "base/ByteOrder.h"

namespace {

constexpr int kComPortOffset = 0;
constexpr int kBaudRateOffset = 1;
constexpr int kSpareByteOffset = 5;

}  // namespace

AppSettings defaultSettings() {
    return {kDefaultComPort, kDefaultBaudRate, kDefaultSpareByte};
}

AppSettings decodeSettings(const uint8_t* bytes, int count) {
    if (count <= 0) return defaultSettings();
    // A short file is taken as far as it goes; what it lacks reads as zeros.
    std::array<uint8_t, kSettingsFileSize> record{};
    const int used = count < kSettingsFileSize ? count : kSettingsFileSize;
    std::copy(bytes, bytes + used, record.begin());
    return {record[kComPortOffset], static_cast<int>(readU32le(record, kBaudRateOffset)),
            record[kSpareByteOffset]};
}

std::array<uint8_t, kSettingsFileSize> encodeSettings(const AppSettings& settings) {
    std::array<uint8_t, kSettingsFileSize> record{};
    record[kComPortOffset] = static_cast<uint8_t>(settings.comPort);
    // Only three bytes of the rate are stored; the fourth stays zero.
    writeU32le(record, kBaudRateOffset, static_cast<uint32_t>(settings.baudRate) & 0xFFFFFFu);
    record[kSpareByteOffset] = settings.spareByte;
    return record;
}
