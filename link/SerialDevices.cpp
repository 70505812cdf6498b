#include "link/SerialDevices.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace {

constexpr int kFirstCom = 1;
constexpr int kLastCom = 32;
// ttyUSB0..15 are COM1..16, ttyACM0..15 are COM17..32.
constexpr int kAdaptersPerKind = 16;

std::string deviceName(int comNumber) {
    const int index = comNumber - kFirstCom;
    if (index < kAdaptersPerKind) return "ttyUSB" + std::to_string(index);
    return "ttyACM" + std::to_string(index - kAdaptersPerKind);
}

}  // namespace

std::string devicePathForCom(const std::string& deviceDir, int comNumber) {
    if (comNumber < kFirstCom || comNumber > kLastCom) comNumber = kFirstCom;
    return (std::filesystem::path(deviceDir) / deviceName(comNumber)).string();
}

bool deviceListAvailable(const std::string& deviceDir) {
    std::error_code error;
    return std::filesystem::is_directory(deviceDir, error) && access(deviceDir.c_str(), X_OK) == 0;
}

std::vector<SerialDevice> listSerialDevices(const std::string& deviceDir) {
    std::vector<SerialDevice> devices;
    for (int com = kFirstCom; com <= kLastCom; ++com) {
        std::string path = devicePathForCom(deviceDir, com);
        std::error_code error;
        // Follows symbolic links: a link to a vanished device is no device.
        if (std::filesystem::exists(path, error)) devices.push_back({com, std::move(path)});
    }
    return devices;
}
