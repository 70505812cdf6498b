#include "views/CursorReadout.h"

#include <algorithm>
#include <cstdio>

#include "base/NumberFormat.h"
#include "logdata/LogStore.h"
#include "logdata/StampText.h"
#include "logdata/Units.h"

namespace {

const char* sideText(LimitSide side) {
    switch (side) {
        case LimitSide::Above:
            return " high";
        case LimitSide::Below:
            return " low";
        case LimitSide::Inside:
            break;
    }
    return "";
}

}  // namespace

CursorReadout cursorReadout(const LogStore& store, uint32_t record, const ChannelLimits& limits,
                            bool fahrenheit) {
    CursorReadout readout;
    readout.time = stampText(store.timestamps[record]);
    char text[64];
    const uint32_t channels = std::min<uint32_t>(store.channelCount, kChannels);
    for (uint32_t c = 0; c < channels; ++c) {
        const int channel = static_cast<int>(c);
        const float value = store.values[c][record];
        const std::string unit(shownUnitText(store, channel, fahrenheit));
        formatC(text, "%6.1f %s",
                static_cast<double>(shownValue(store, channel, value, fahrenheit)), unit.c_str());
        // The limits are in the stored unit, so the stored value is compared.
        readout.values[c] = std::string(text) + sideText(limitSide(limits[c], value));
    }
    return readout;
}
