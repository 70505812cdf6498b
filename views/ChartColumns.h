#pragma once

#include <span>
#include <vector>

struct ChartGeometry;

// The points of one curve that fall on one pixel column of the plot: where
// the curve enters the column, where it leaves it, and how far it reaches up
// and down in between.
struct ChartColumn {
    int x = 0;
    int firstY = 0;
    int lastY = 0;
    int minY = 0;
    int maxY = 0;
    bool operator==(const ChartColumn&) const = default;
};

// Reduces a curve of thousands of records to one entry per occupied pixel
// column: the column's vertical span plus the join from the previous column
// cover exactly the pixels of every segment between consecutive records.
// `values` holds the channel's records from record 0; records beyond
// g.recordCount or the span are not read. `columns` is cleared and refilled;
// its capacity is kept from one drawing to the next. `channel` (index 0 .. 3)
// draws the values as g shows that channel (in °F, say); -1 as they are.
void reduceToColumns(const ChartGeometry& g, std::span<const float> values,
                     std::vector<ChartColumn>& columns, int channel = -1);
