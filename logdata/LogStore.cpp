#include "logdata/LogStore.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "logdata/Units.h"
#include "logdata/ValueAxis.h"

void LogStore::setChannelUnit(int channel, uint8_t code) {
    if (channel < 0 || channel >= kChannels) return;
    unitTexts[channel] = unitText(code);
}

void LogStore::setAxis() {
    // Channel 1 sets the axis even when the count says none.
    const std::size_t used = std::clamp<uint32_t>(channelCount, 1, kChannels);
    const ValueAxis axis = valueAxisFor(std::span(maxValue, used), std::span(minValue, used));
    axisMax = axis.max;
    axisMin = axis.min;
    axisStep = axis.step;
}

void LogStore::computeStatistics() {
    if (recordCount == 0) {
        // Nothing is shown for an empty store; zero axis step means nothing is drawn.
        std::fill(std::begin(maxValue), std::end(maxValue), 0.0f);
        std::fill(std::begin(minValue), std::end(minValue), 0.0f);
        std::fill(std::begin(avgValue), std::end(avgValue), 0.0f);
        axisMax = axisMin = axisStep = 0;
        std::fill(std::begin(valueSum), std::end(valueSum), 0.0f);
        statisticsCount = 0;
        return;
    }
    const uint32_t count = std::min(recordCount, kLogCapacity);
    for (int c = 0; c < kChannels; ++c) {
        const auto& channel = values[c];
        float max = channel[0];
        float min = channel[0];
        float sum = channel[0];
        for (uint32_t i = 1; i < count; ++i) {
            const float v = channel[i];
            if (v > max) max = v;
            if (v < min) min = v;
            sum += v;
        }
        maxValue[c] = max;
        minValue[c] = min;
        avgValue[c] = sum / static_cast<float>(count);
        valueSum[c] = sum;
    }
    statisticsCount = count;
    setAxis();
}

void LogStore::appendStatistics() {
    if (recordCount < 2 || recordCount > kLogCapacity || statisticsCount + 1 != recordCount) {
        computeStatistics();
        return;
    }
    // The comparisons and the float sum run as computeStatistics's loop does,
    // so the figures are the same to the bit.
    const uint32_t last = recordCount - 1;
    for (int c = 0; c < kChannels; ++c) {
        const float v = values[c][last];
        if (v > maxValue[c]) maxValue[c] = v;
        if (v < minValue[c]) minValue[c] = v;
        valueSum[c] += v;
        avgValue[c] = valueSum[c] / static_cast<float>(recordCount);
    }
    statisticsCount = recordCount;
    setAxis();
}

void LogStore::keepRange(int32_t start, int32_t end) {
    // Callers pass indexes of valid records; anything else is refused rather
    // than read past the valid records.
    if (start >= end || start < 0 || static_cast<uint32_t>(end) > recordCount) return;
    const auto first = static_cast<std::size_t>(start);
    const auto last = static_cast<std::size_t>(end);
    // Slots move down, so a forward copy never overwrites a record it still needs.
    std::copy(timestamps.begin() + first, timestamps.begin() + last, timestamps.begin());
    for (auto& channel : values) {
        std::copy(channel.begin() + first, channel.begin() + last, channel.begin());
    }
    recordCount = static_cast<uint32_t>(end - start);
    computeStatistics();
}
