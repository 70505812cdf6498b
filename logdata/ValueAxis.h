#pragma once

#include <cstdint>
#include <span>

// The value axis of the chart: the store makes it of its statistics, the
// chart of figures the store never holds (°F, limits).

// Top, bottom and the step between labels.
struct ValueAxis {
    int32_t max = 0, min = 0, step = 0;
    bool operator==(const ValueAxis&) const = default;
};

// Values come from files unchecked; clamping keeps the axis arithmetic,
// including a step added beyond it, inside int32.
inline constexpr float kAxisLimit = 1.0e9f;

// The axis for these per-channel maxima and minima (channel 1 first, as many
// as the log has): channel 1's range rounded outward, widened by the others,
// snapped to a step that suits the span; with several channels every curve
// keeps a step of room above and below.
ValueAxis valueAxisFor(std::span<const float> maxima, std::span<const float> minima);

// The grid step for a span of the axis.
int32_t axisStepForSpan(uint32_t span);
// The nearest multiple of `step` at or above / at or below `value`.
int32_t raiseToMultiple(int32_t value, int32_t step);
int32_t lowerToMultiple(int32_t value, int32_t step);
