#include "views/ChartColumns.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "views/ChartGeometry.h"

namespace {

struct ValueRange {
    float low;
    float high;
};

// No number draws where +infinity does (far above the plot), so it counts as
// the highest value; the comparisons below pass it over.
ValueRange rangeOf(std::span<const float> values) {
    const float infinity = std::numeric_limits<float>::infinity();
    const float start = std::isnan(values[0]) ? infinity : values[0];
    ValueRange range{start, start};
    bool noNumber = false;
    for (const float v : values.subspan(1)) {
        noNumber |= std::isnan(v);
        range.low = std::min(range.low, v);
        range.high = std::max(range.high, v);
    }
    if (noNumber) range.high = infinity;
    return range;
}

// The pixel of a value only moves one way as the value grows, so the
// column's extremes are the pixels of its lowest and highest values: two
// conversions per column instead of one per record. A shown value (°F) grows
// with the stored one, so the same holds for it.
ChartColumn columnOf(const ChartGeometry& g, int channel, int x, std::span<const float> values) {
    const ValueRange range = rangeOf(values);
    const int lowY = g.yOfStored(channel, range.low);
    const int highY = g.yOfStored(channel, range.high);
    return {x, g.yOfStored(channel, values.front()), g.yOfStored(channel, values.back()),
            std::min(lowY, highY), std::max(lowY, highY)};
}

}  // namespace

void reduceToColumns(const ChartGeometry& g, std::span<const float> values,
                     std::vector<ChartColumn>& columns, int channel) {
    columns.clear();
    const auto count = static_cast<uint32_t>(std::min<size_t>(values.size(), g.recordCount));
    if (count == 0) return;
    // No more columns than pixels across the plot (plus the edges), so the
    // loop below never allocates once the buffer has grown to this.
    columns.reserve(std::min<size_t>(count, static_cast<size_t>(std::max(g.plotW, 0)) + 2));
    uint32_t first = 0;
    while (first < count) {
        const int x = g.xOfRecord(first);
        const uint32_t end = std::clamp(g.firstRecordFrom(int64_t{x} + 1), first + 1, count);
        columns.push_back(columnOf(g, channel, x, values.subspan(first, end - first)));
        first = end;
    }
}
