#pragma once

#include <QSize>

// The smallest picture in which any log's chart, drawn with a base font of
// `baseFontHeight` pixels (a line's height), gives every text room of its
// own: the widest chart's texts measured with the chart's fonts. An empty
// size when no picture up to the largest side tried does.
QSize smallestReadableChart(int baseFontHeight);
