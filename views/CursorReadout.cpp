#include "views/CursorReadout.h"

#include <algorithm>
#include <cstdio>

#include "logdata/LogStore.h"

CursorReadout cursorReadout(const LogStore& store, uint32_t record) {
    CursorReadout readout;
    const Timestamp& t = store.timestamps[record];
    char text[64];
    std::snprintf(text, sizeof text, "%.4s-%.2s-%.2s %.2s:%.2s:%.2s", &t[0], &t[4], &t[6], &t[8],
                  &t[10], &t[12]);
    readout.time = text;
    const uint32_t channels = std::min<uint32_t>(store.channelCount, kChannels);
    for (uint32_t c = 0; c < channels; ++c) {
        std::snprintf(text, sizeof text, "%6.1f %s", store.values[c][record],
                      store.unitTexts[c].c_str());
        readout.values[c] = text;
    }
    return readout;
}
