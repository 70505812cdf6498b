#pragma once

// What the window keeps in the user's profile, for the command line: read
// with the window's own profile code (Qt), so a build without the Qt program
// has none of it.

#include <string_view>

#include "logdata/ChannelLimits.h"

// The limits the window last kept for the logger with this serial number.
ChannelLimits rememberedLimits(std::string_view serialNo);
// The activation energy the window uses for the MKT, in J/mol.
double rememberedActivationEnergy();
