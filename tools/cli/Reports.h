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
std::string logInfoText(const AppData& data);
std::string logInfoJson(const AppData& data);
