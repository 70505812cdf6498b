#pragma once

#include <string>

struct AppData;
struct LoggerSetup;
struct LogStore;

// What the commands print on stdout: "key: value" lines, or one JSON object
// with the same keys.
std::string identityText(const LoggerSetup& setup, const LogStore& store);
std::string setupText(const LoggerSetup& setup);
std::string setupJson(const LoggerSetup& setup);
// A log's facts; then the MKT of every temperature channel in its unit with
// data.display.activationEnergy, and for each channel with data.display.limits set the time
// above and below them and the excursions. The text gives these as the
// printed report's lines, the JSON as "mkt" (one value a channel, null for
// one that is no temperature) and, when any limit is set, "limits" (an
// object a channel, null for one without limits).
std::string logInfoText(const AppData& data);
std::string logInfoJson(const AppData& data);
