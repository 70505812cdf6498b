#include "link/SerialDevices.h"

#include <unistd.h>

#include <filesystem>
#include <mutex>
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

// The virtual device's path; empty when there is none. Both the window and
// the tests' threads may ask.
std::mutex virtualMutex;
std::string virtualPath;

std::string currentVirtualPath() {
    std::lock_guard lock(virtualMutex);
    return virtualPath;
}

}  // namespace

VirtualSerialDevice::VirtualSerialDevice(const std::string& path) {
    std::lock_guard lock(virtualMutex);
    virtualPath = path;
}

VirtualSerialDevice::~VirtualSerialDevice() {
    std::lock_guard lock(virtualMutex);
    virtualPath.clear();
}

std::string devicePathForCom(const std::string& deviceDir, int comNumber) {
    if (comNumber == kVirtualComNumber) {
        std::string path = currentVirtualPath();
        if (!path.empty()) return path;
    }
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
    std::string path = currentVirtualPath();
    if (!path.empty()) devices.push_back({kVirtualComNumber, std::move(path)});
    return devices;
}
