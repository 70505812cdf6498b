#pragma once

#include "logdata/ChannelLimits.h"
#include "logdata/KineticTemperature.h"

// How the log's values show: which channels, against which alarm limits, in
// which unit, and the MKT's activation energy.
struct DisplayChoices {
    int channelVisible[4];
    // The alarm limits of the log shown, per channel; none set leaves every
    // picture and file as without them.
    ChannelLimits limits;
    // Temperatures of "oC" channels are shown in °F.
    bool fahrenheit;
    double activationEnergy = kDefaultActivationEnergy;  // J/mol, for the MKT
};
