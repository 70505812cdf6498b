#pragma once

#include <cstdint>
#include <string>

struct LogStore;
struct LoggerSetup;

// The texts of the chart picture, in UTF-8. Like the C strings they were
// always printed into, each ends at a zero byte in the record it shows.

// "%s Records Report (%c..%c)": the logger's name (GB18030, up to its first
// zero byte, at most 24 bytes) and the ten characters of its serial number.
std::string chartTitleText(const LoggerSetup& setup);
// "TOTAL LOGS:%d, CHANNELS:%d, BEGIN:..., END:...." of the first and last
// record; the store holds at least one record.
std::string chartSummaryText(const LogStore& store);
// The statistics row of channel c (1..4); an "oC" channel's figures and unit
// in °F when `fahrenheit` is on.
std::string chartChannelRowText(const LogStore& store, int channel, bool fahrenheit = false);
// "%d".
std::string chartValueLabelText(int value);
// "hh:mm" and "YYYY/MM/DD" of record i.
std::string chartTimeLabelText(const LogStore& store, uint32_t i);
std::string chartDateLabelText(const LogStore& store, uint32_t i);
// The unit text(s) along the value axis, "F" for "oC" when `fahrenheit` is on.
std::string chartValueAxisTitle(const LogStore& store, bool fahrenheit = false);
// A limit line's value as drawn, "%.1f".
std::string chartLimitLabelText(float value);
