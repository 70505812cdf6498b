// A device that is no adapter in the device folder (the demo logger's
// terminal) is listed and opened like one while it is registered.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "link/SerialDevices.h"

namespace {

namespace fs = std::filesystem;

TEST(VirtualSerialDevice, IsListedAfterTheAdaptersAndNamedByItsNumber) {
    char folder[] = "/tmp/dravin-virtual-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    fs::create_symlink("/dev/ptmx", fs::path(folder) / "ttyUSB2");
    {
        VirtualSerialDevice device("/dev/pts/77");
        const std::vector<SerialDevice> devices = listSerialDevices(folder);
        ASSERT_EQ(devices.size(), 2u);
        EXPECT_EQ(devices[0].comNumber, 3);
        EXPECT_EQ(devices[1].comNumber, kVirtualComNumber);
        EXPECT_EQ(devices[1].path, "/dev/pts/77");
        EXPECT_EQ(devicePathForCom(folder, kVirtualComNumber), "/dev/pts/77");
        EXPECT_EQ(devicePathForCom(folder, 3), std::string(folder) + "/ttyUSB2");
    }
    // Gone with the object: the number names COM1 again, as any stray number does.
    EXPECT_EQ(listSerialDevices(folder).size(), 1u);
    EXPECT_EQ(devicePathForCom(folder, kVirtualComNumber), std::string(folder) + "/ttyUSB0");
    fs::remove_all(folder);
}

}  // namespace
