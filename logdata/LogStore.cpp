#include "logdata/LogStore.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* kUnitTexts[] = {"oC", "%RH", "PPM", "mBar", "Lux", "F", "I/O"};
constexpr const char* kUnknownUnitText = "Un";

struct StepRule {
    uint32_t minSpan;
    int32_t step;
};

// The grid step for the axis span, first match wins.
constexpr StepRule kStepRules[] = {
    {20000, 10000}, {10000, 5000}, {5000, 2000}, {2000, 1000}, {1000, 500}, {500, 100},
    {100, 50},      {50, 20},      {10, 5},      {5, 2},       {0, 1},
};

// Values come from files unchecked; clamping keeps the axis arithmetic,
// including the step added below, inside int32.
constexpr float kAxisLimit = 1.0e9f;

int32_t truncateToAxis(float value) {
    if (std::isnan(value)) return 0;
    return static_cast<int32_t>(std::clamp(value, -kAxisLimit, kAxisLimit));
}

int32_t stepForSpan(uint32_t span) {
    for (const StepRule& rule : kStepRules) {
        if (span >= rule.minSpan) return rule.step;
    }
    return 1;
}

int32_t raiseToMultiple(int32_t value, int32_t step) {
    const int32_t rest = value % step;
    if (rest == 0) return value;
    return rest > 0 ? value - rest + step : value - rest;
}

int32_t lowerToMultiple(int32_t value, int32_t step) {
    const int32_t rest = value % step;
    if (rest == 0) return value;
    return rest > 0 ? value - rest : value - rest - step;
}

// Channel 1 sets the axis, rounded outward; further channels widen it; the
// bounds then snap to the grid step.
void computeAxis(LogStore& store) {
    const int used = static_cast<int>(std::min<uint32_t>(store.channelCount, kChannels));
    int32_t top = truncateToAxis(store.maxValue[0]);
    if (static_cast<float>(top) < store.maxValue[0]) ++top;
    int32_t bottom = truncateToAxis(store.minValue[0]);
    if (static_cast<float>(bottom) > store.minValue[0]) --bottom;
    for (int c = 1; c < used; ++c) {
        if (store.maxValue[c] > static_cast<float>(top)) top = truncateToAxis(store.maxValue[c]);
        if (store.minValue[c] < static_cast<float>(bottom)) {
            bottom = truncateToAxis(store.minValue[c]);
        }
    }
    const uint32_t span = static_cast<uint32_t>(top) - static_cast<uint32_t>(bottom);
    const int32_t step = stepForSpan(span);
    top = raiseToMultiple(top, step);
    bottom = lowerToMultiple(bottom, step);
    if (top == bottom) {
        top += step;
        bottom -= step;
    }
    // With several channels every curve keeps a step of room above and below.
    if (used >= 2) {
        for (int c = 0; c < used; ++c) {
            if (store.maxValue[c] > static_cast<float>(top)) {
                top = truncateToAxis(store.maxValue[c] + static_cast<float>(step));
            }
            if (store.minValue[c] <= static_cast<float>(bottom)) {
                bottom = truncateToAxis(store.minValue[c] - static_cast<float>(step));
            }
        }
    }
    store.axisMax = top;
    store.axisMin = bottom;
    store.axisStep = step;
}

}  // namespace

const char* unitText(uint8_t code) {
    return code < std::size(kUnitTexts) ? kUnitTexts[code] : kUnknownUnitText;
}

void LogStore::setChannelUnit(int channel, uint8_t code) {
    if (channel < 0 || channel >= kChannels) return;
    unitTexts[channel] = unitText(code);
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
    computeAxis(*this);
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
    computeAxis(*this);
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
