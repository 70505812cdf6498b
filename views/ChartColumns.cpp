#include "views/ChartColumns.h"

#include <algorithm>
#include <cstdint>

#include "views/ChartGeometry.h"

void reduceToColumns(const ChartGeometry& g, std::span<const float> values,
                     std::vector<ChartColumn>& columns) {
    columns.clear();
    const auto count = static_cast<uint32_t>(std::min<size_t>(values.size(), g.recordCount));
    if (count == 0) return;
    // No more columns than pixels across the plot (plus the edges), so the
    // loop below never allocates once the buffer has grown to this.
    columns.reserve(std::min<size_t>(count, static_cast<size_t>(std::max(g.plotW, 0)) + 2));
    for (uint32_t k = 0; k < count; ++k) {
        const int x = g.xOfRecord(k);
        const int y = g.yOfValue(values[k]);
        if (columns.empty() || columns.back().x != x) {
            columns.push_back({x, y, y, y, y});
            continue;
        }
        ChartColumn& column = columns.back();
        column.lastY = y;
        column.minY = std::min(column.minY, y);
        column.maxY = std::max(column.maxY, y);
    }
}
