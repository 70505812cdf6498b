#pragma once

#include <cstdint>
#include <string>

#include "logdata/ChannelLimits.h"

struct LogStore;

// The lines the printed report and the tools give for a channel's alarm
// limits and its mean kinetic temperature, with values and units as shown.

// "h:mm" of whole minutes (seconds rounded down): 0 -> "0:00", 5400 -> "1:30",
// 97500 -> "27:05"; hours go on past a day. A negative count reads "0:00".
std::string hoursMinutes(int64_t seconds);

// "2024-01-05 08:10:00" of a count of seconds since 1970 (civil); "-" for
// one that no time stamp can hold.
std::string readableTime(int64_t seconds);

// "1, no data 0:59, longest 0:59 from 2024-01-05 08:10:00": the count of
// gaps, their time together and the longest with its start; "0" without one.
std::string gapsText(const GapSummary& gaps);

// "CH1 limits 2.0 .. 8.0 oC: above 1:30, below 0:00, excursions 3": low and
// high (an unset one "-") and the unit as shown, °F for an "oC" channel when
// `fahrenheit`, and where the log has gaps ", gaps " and their gapsText;
// empty for a channel that is none of the store's four or has no limit set.
std::string limitsReportLine(const LogStore& store, int channel, const ChannelLimit& limit,
                             bool fahrenheit);

// "CH1 MKT 5.3 oC (83.144 kJ/mol)": the MKT as shown and the activation
// energy (given in J/mol); empty for a channel without an MKT.
std::string mktReportLine(const LogStore& store, int channel, double activationEnergy,
                          bool fahrenheit);
