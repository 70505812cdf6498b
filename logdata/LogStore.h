#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr uint32_t kLogCapacity = 140000;
inline constexpr int kTimestampLength = 14;  // YYYYMMDDhhmmss, no terminator
inline constexpr int kChannels = 4;

using Timestamp = std::array<char, kTimestampLength>;

// The one in-memory log. Fixed arrays sized once; records 0 .. recordCount-1
// are valid, the rest of every array is stale.
struct LogStore {
    uint32_t recordCount;
    uint32_t channelCount;
    uint8_t unitCodes[kChannels];
    std::string unitTexts[kChannels];
    std::array<Timestamp, kLogCapacity> timestamps;
    std::array<std::array<float, kLogCapacity>, kChannels> values;
    float maxValue[kChannels];
    float minValue[kChannels];
    float avgValue[kChannels];
    int32_t axisMax;
    int32_t axisMin;
    int32_t axisStep;
    std::string currentFilePath;
    std::string currentFileName;
    // The running sums behind avgValue, and the record count the statistics
    // were made for.
    float valueSum[kChannels];
    uint32_t statisticsCount;

    // recordCount := 0; everything else keeps its contents.
    void clear() { recordCount = 0; }
    // Sets unitTexts[channel] (0..3) from the unit code table.
    void setChannelUnit(int channel, uint8_t code);
    void computeStatistics();
    // The same figures as computeStatistics after one record was appended,
    // without reading the whole store again: a realtime sample comes every
    // second into a store of up to a day's records. Falls back to
    // computeStatistics unless the figures were made for the records before it.
    void appendStatistics();
    // Keeps records start .. end-1; nothing happens when start >= end.
    void keepRange(int32_t start, int32_t end);
    // axisMax, axisMin and axisStep from the statistics of the used channels.
    void setAxis();
    std::string_view timestamp(uint32_t i) const {
        return {timestamps[i].data(), timestamps[i].size()};
    }
};
