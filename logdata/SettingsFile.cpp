#include "logdata/SettingsFile.h"

#include <fstream>
#include <string_view>

#include "logdata/UserFiles.h"

namespace {

const char kSettingsFileName[] = "Dravin.ini";

}  // namespace

AppSettings readSettingsFile(const std::string& programDir) {
    std::ifstream in(programDir + kSettingsFileName, std::ios::binary);
    if (!in.is_open()) return defaultSettings();
    std::array<uint8_t, kSettingsFileSize> record{};
    in.read(reinterpret_cast<char*>(record.data()), record.size());
    return decodeSettings(record.data(), static_cast<int>(in.gcount()));
}

bool writeSettingsFile(const std::string& programDir, const AppSettings& settings) {
    const auto record = encodeSettings(settings);
    const std::string_view bytes(reinterpret_cast<const char*>(record.data()), record.size());
    return userFiles()
        .writeBytes({UserFileKind::Settings, programDir + kSettingsFileName, {}}, bytes)
        .ok();
}
