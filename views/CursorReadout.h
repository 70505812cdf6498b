#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "logdata/ChannelLimits.h"

struct LogStore;

// What the status bar shows for the record under the chart cursor: its time
// ("2024-01-05 10:00:00") and one text per channel ("  21.5 oC"); the
// channels beyond the log's channel count stay empty.
struct CursorReadout {
    std::string time;
    std::array<std::string, 4> values;
};

// `record` must be below store.recordCount. A value above its channel's high
// limit reads "  31.5 oC high", one below its low limit "   1.5 oC low";
// "oC" channels read in °F ("  88.7 F") when `fahrenheit` is on.
CursorReadout cursorReadout(const LogStore& store, uint32_t record,
                            const ChannelLimits& limits = {}, bool fahrenheit = false);
