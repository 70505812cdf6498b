#pragma once

#include <string>
#include <vector>

// The system's list of serial devices: the USB serial adapters present in the
// device directory. ttyUSB<k> is COM k+1 (COM1..COM16) and ttyACM<k> is
// COM k+17 (COM17..COM32).
struct SerialDevice {
    int comNumber;
    std::string path;  // e.g. /dev/ttyUSB0
};

inline constexpr const char* kDefaultDeviceDir = "/dev";
// The number of a virtual device: past the adapters' COM1..COM32.
inline constexpr int kVirtualComNumber = 33;

// A serial device that is no adapter in the device directory (the built-in
// demo logger's pseudo-terminal). While the object lives it is listed after
// the adapters of every device directory as COM kVirtualComNumber, and that
// number names its path. One at a time.
class VirtualSerialDevice {
public:
    explicit VirtualSerialDevice(const std::string& path);
    ~VirtualSerialDevice();
    VirtualSerialDevice(const VirtualSerialDevice&) = delete;
    VirtualSerialDevice& operator=(const VirtualSerialDevice&) = delete;
};

// Whether the device directory can be searched at all; without it there is no
// list of serial devices, not even an empty one.
bool deviceListAvailable(const std::string& deviceDir);
// Present adapters in COM order (ttyUSB0..15, then ttyACM0..15), then the
// virtual device if there is one.
std::vector<SerialDevice> listSerialDevices(const std::string& deviceDir);
// The device path that a COM number names (whether or not it exists); numbers
// outside 1..32 name COM1, except the virtual device's while it lives.
std::string devicePathForCom(const std::string& deviceDir, int comNumber);
