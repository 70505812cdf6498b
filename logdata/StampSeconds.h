#pragma once

#include <cstdint>
#include <optional>

#include "logdata/LogStore.h"

// Seconds since 1970-01-01 00:00:00 of a time stamp read as a civil time
// (no time zone), or nothing when it is no valid date and time.
std::optional<int64_t> stampSeconds(const Timestamp& stamp);

// The time stamp of a count of seconds since 1970-01-01 00:00:00, the
// inverse of stampSeconds; nothing outside the years 0000 to 9999.
std::optional<Timestamp> stampOfSeconds(int64_t seconds);
