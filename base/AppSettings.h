#pragma once

#include <array>
#include <cstdint>

// The three settings kept in Dravin.ini beside the program: a 32-byte binary
// record, not a text file despite its extension.
struct AppSettings {
    int comPort;
    int baudRate;
    uint8_t spareByte;
};

inline constexpr int kSettingsFileSize = 32;
inline constexpr int kDefaultComPort = 3;
inline constexpr int kDefaultBaudRate = 38400;
inline constexpr uint8_t kDefaultSpareByte = 10;

AppSettings defaultSettings();

// Decodes what was read from the file; `count` may be less than 32 (a short
// file): the missing bytes count as zeros. A count of zero gives the defaults.
AppSettings decodeSettings(const uint8_t* bytes, int count);
std::array<uint8_t, kSettingsFileSize> encodeSettings(const AppSettings& settings);

// The file itself is read and written in logdata/SettingsFile.h.
