#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "link/SerialDevices.h"

namespace {

namespace fs = std::filesystem;

// A device folder of symbolic links and
// plain files, as /dev holds adapters and other devices.
class DeviceFolder {
public:
    DeviceFolder() {
        char folder[] = "/tmp/dravin-devices-XXXXXX";
        if (mkdtemp(folder) != nullptr) dir = folder;
    }
    ~DeviceFolder() {
        if (!dir.empty()) fs::remove_all(dir);
    }
    DeviceFolder(const DeviceFolder&) = delete;
    DeviceFolder& operator=(const DeviceFolder&) = delete;

    void link(const std::string& name) { fs::create_symlink("/dev/ptmx", dir / name); }
    void file(const std::string& name) { std::ofstream(dir / name) << ""; }

    fs::path dir;
};

TEST(SerialDevicesTest, PresentAdaptersAreListedInComOrder) {
    DeviceFolder folder;
    ASSERT_FALSE(folder.dir.empty());
    for (const char* name : {"ttyACM15", "ttyACM0", "ttyUSB2", "ttyUSB15"}) folder.link(name);
    folder.file("ttyUSB0");
    // Not adapters the program knows, or out of the numbered range.
    for (const char* name : {"ttyS0", "ttyUSB16", "ttyACM16", "ttyusb1", "ttyUSB", "USB3"}) {
        folder.link(name);
    }
    fs::create_symlink(folder.dir / "vanished", folder.dir / "ttyUSB5");

    const std::string dir = folder.dir.string();
    std::vector<SerialDevice> devices = listSerialDevices(dir);
    ASSERT_EQ(devices.size(), 5u);
    const std::pair<int, const char*> expected[] = {
        {1, "ttyUSB0"}, {3, "ttyUSB2"}, {16, "ttyUSB15"}, {17, "ttyACM0"}, {32, "ttyACM15"}};
    for (size_t i = 0; i < devices.size(); ++i) {
        EXPECT_EQ(devices[i].comNumber, expected[i].first);
        EXPECT_EQ(devices[i].path, (folder.dir / expected[i].second).string());
    }
}

TEST(SerialDevicesTest, AnEmptyOrMissingFolderHasNoDevices) {
    DeviceFolder folder;
    EXPECT_TRUE(listSerialDevices(folder.dir.string()).empty());
    EXPECT_TRUE(listSerialDevices("/nonexistent/dravin").empty());
}

TEST(SerialDevicesTest, OnlyASearchableFolderIsAList) {
    DeviceFolder folder;
    ASSERT_FALSE(folder.dir.empty());
    EXPECT_TRUE(deviceListAvailable(folder.dir.string()));
    folder.file("plain");
    EXPECT_FALSE(deviceListAvailable((folder.dir / "plain").string()));
    EXPECT_FALSE(deviceListAvailable("/nonexistent/dravin"));
}

TEST(SerialDevicesTest, ComNumbersNameTheirDevicePaths) {
    const struct {
        const char* dir;
        int com;
        const char* path;
    } cases[] = {
        {"/dev", 1, "/dev/ttyUSB0"},       {"/dev", 3, "/dev/ttyUSB2"},
        {"/dev", 16, "/dev/ttyUSB15"},     {"/dev", 17, "/dev/ttyACM0"},
        {"/dev", 32, "/dev/ttyACM15"},     {"/dev", 0, "/dev/ttyUSB0"},
        {"/dev", 33, "/dev/ttyUSB0"},      {"/dev", -1, "/dev/ttyUSB0"},
        {"/tmp/d/", 18, "/tmp/d/ttyACM1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(devicePathForCom(c.dir, c.com), c.path) << c.dir << " COM" << c.com;
    }
}

}  // namespace
