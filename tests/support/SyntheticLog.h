#pragma once

// Logs made up for the chart: one record a second from 2024-05-06 00:00:00,
// each channel a slow wave around its own level with a little deterministic
// noise, so a full store draws like a real one.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "logdata/LogStore.h"

// Up to 20 days of seconds, all within May 2024.
inline void writeSyntheticTime(LogStore& store, uint32_t i) {
    char text[kTimestampLength + 1];
    std::snprintf(text, sizeof text, "202405%02u%02u%02u%02u", 6 + i / 86400 % 20, i / 3600 % 24,
                  i / 60 % 60, i % 60);
    std::memcpy(store.timestamps[i].data(), text, kTimestampLength);
}

// Noise in [-1, 1] from the record and channel alone.
inline float syntheticNoise(uint32_t i, int channel) {
    uint32_t h = i * 2654435761u + static_cast<uint32_t>(channel) * 40503u;
    h ^= h >> 15;
    h *= 2246822519u;
    h ^= h >> 13;
    return static_cast<float>(h % 2001) / 1000.0f - 1.0f;
}

// Record i of all four channels; `noise` is the noise's amplitude.
inline void writeSyntheticRecord(LogStore& store, uint32_t i, float noise) {
    writeSyntheticTime(store, i);
    for (int c = 0; c < kChannels; ++c) {
        const double wave = 5.0 * std::sin(i * 6.283185307 / 5000.0 + c);
        store.values[c][i] =
            static_cast<float>(20.0 + 10.0 * c + wave) + noise * syntheticNoise(i, c);
    }
}

// `count` records of `channels` channels (units oC, %RH, oC, %RH), the
// statistics computed.
inline void fillSyntheticLog(LogStore& store, uint32_t count, uint32_t channels,
                             float noise = 0.5f) {
    store.channelCount = channels;
    for (int c = 0; c < kChannels; ++c) {
        store.unitCodes[c] = static_cast<uint8_t>(c % 2);
        store.setChannelUnit(c, store.unitCodes[c]);
    }
    for (uint32_t i = 0; i < count; ++i) writeSyntheticRecord(store, i, noise);
    store.recordCount = count;
    store.computeStatistics();
}

// The next realtime sample: one record appended and folded into the
// statistics, as the engine does.
inline void appendSyntheticSample(LogStore& store, float noise = 0.5f) {
    if (store.recordCount >= kLogCapacity) return;
    writeSyntheticRecord(store, store.recordCount, noise);
    ++store.recordCount;
    store.appendStatistics();
}
