#include "logdata/ValueAxis.h"

#include <algorithm>
#include <cmath>

namespace {

struct StepRule {
    uint32_t minSpan;
    int32_t step;
};

// The grid step for the axis span, first match wins.
constexpr StepRule kStepRules[] = {
    {20000, 10000}, {10000, 5000}, {5000, 2000}, {2000, 1000}, {1000, 500}, {500, 100},
    {100, 50},      {50, 20},      {10, 5},      {5, 2},       {0, 1},
};

int32_t truncateToAxis(float value) {
    if (std::isnan(value)) return 0;
    return static_cast<int32_t>(std::clamp(value, -kAxisLimit, kAxisLimit));
}

}  // namespace

int32_t axisStepForSpan(uint32_t span) {
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

ValueAxis valueAxisFor(std::span<const float> maxima, std::span<const float> minima) {
    const std::size_t used = std::min(maxima.size(), minima.size());
    if (used == 0) return {};
    int32_t top = truncateToAxis(maxima[0]);
    if (static_cast<float>(top) < maxima[0]) ++top;
    int32_t bottom = truncateToAxis(minima[0]);
    if (static_cast<float>(bottom) > minima[0]) --bottom;
    for (std::size_t c = 1; c < used; ++c) {
        if (maxima[c] > static_cast<float>(top)) top = truncateToAxis(maxima[c]);
        if (minima[c] < static_cast<float>(bottom)) bottom = truncateToAxis(minima[c]);
    }
    const uint32_t span = static_cast<uint32_t>(top) - static_cast<uint32_t>(bottom);
    const int32_t step = axisStepForSpan(span);
    top = raiseToMultiple(top, step);
    bottom = lowerToMultiple(bottom, step);
    if (top == bottom) {
        top += step;
        bottom -= step;
    }
    if (used >= 2) {
        for (std::size_t c = 0; c < used; ++c) {
            if (maxima[c] > static_cast<float>(top)) {
                top = truncateToAxis(maxima[c] + static_cast<float>(step));
            }
            if (minima[c] <= static_cast<float>(bottom)) {
                bottom = truncateToAxis(minima[c] - static_cast<float>(step));
            }
        }
    }
    return {top, bottom, step};
}
