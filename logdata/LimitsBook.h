#pragma once

#include <string>
#include <string_view>

#include "link/LoggerSetup.h"
#include "logdata/ChannelLimits.h"

// Where the alarm limits the user gave each logger and the activation energy
// of the MKT are kept between runs, and the rules of which limits belong to
// which logger. The window keeps them in its profile; the command line reads
// the same.

// The serial number a logger goes by: the setup's ten characters up to the
// first zero byte.
std::string_view loggerSerial(const LoggerSetup& setup);

// The name a logger's limits are kept under: the serial number up to its
// first zero byte, each character other than a letter, digit, '-' or '_' as
// '_', the trailing '_' dropped. Empty when nothing names the logger: its
// limits are then kept nowhere.
std::string limitsKeeperName(std::string_view serialNo);

// The limits the logger's own setup holds, whole tenths of each channel's
// stored unit, as values.
ChannelLimits loggerLimits(const LoggerSetup& setup);

// The kept limits and energy, read.
class LimitsSource {
public:
    virtual ~LimitsSource() = default;
    // The limits last kept for the logger with this serial number; none for
    // one without a keeper name.
    virtual ChannelLimits limits(std::string_view serialNo) const = 0;
    // J/mol; the default one when none was kept or the kept one is not positive.
    virtual double activationEnergy() const = 0;
};

// The kept limits and energy, read and kept.
class LimitsBook : public LimitsSource {
public:
    // Replaces the logger's kept limits; nothing for a serial number without
    // a keeper name.
    virtual void setLimits(std::string_view serialNo, const ChannelLimits& limits) = 0;
    virtual void setActivationEnergy(double joulesPerMole) = 0;
};

// The limits a log of the logger `serialNo` shows when it follows a log
// shown with `shown`, which belong to a logger when `shownAreKept`. The
// logger's kept limits, except that limits set while no logger was known stay
// with the first logger that has none kept, and are kept for it.
ChannelLimits limitsForLog(LimitsBook& book, std::string_view serialNo, bool shownAreKept,
                           const ChannelLimits& shown);
