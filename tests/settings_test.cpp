#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <vector>

#include "base/AppSettings.h"
#include "logdata/SettingsFile.h"
#include "record/AppData.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using ::testing::ElementsAreArray;

namespace {

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> withZeros(std::vector<uint8_t> head) {
    head.resize(kSettingsFileSize, 0);
    return head;
}

}  // namespace

TEST(Settings, DefaultsAreComPort3At38400WithSpareByte10) {
    const AppSettings s = defaultSettings();
    EXPECT_EQ(s.comPort, 3);
    EXPECT_EQ(s.baudRate, 38400);
    EXPECT_EQ(s.spareByte, 10);
}

TEST(Settings, MissingFileGivesDefaultsAndFirstExitWritesThem) {
    TempDir temp;
    const AppSettings read = readSettingsFile(temp.dir());
    EXPECT_EQ(read.comPort, 3);
    EXPECT_EQ(read.baudRate, 38400);
    EXPECT_EQ(read.spareByte, 10);

    ASSERT_TRUE(writeSettingsFile(temp.dir(), read));
    EXPECT_THAT(readFileByteVector(temp.dir() + "Dravin.ini"),
                ElementsAreArray(withZeros({0x03, 0x00, 0x96, 0x00, 0x00, 0x0A})));
}

TEST(Settings, Port7At9600RoundTripsAndKeepsTheSpareByte) {
    TempDir temp;
    writeBytes(temp.dir() + "Dravin.ini", withZeros({0x07, 0x80, 0x25, 0x00, 0x00, 0x5C, 0xFF}));
    const AppSettings read = readSettingsFile(temp.dir());
    EXPECT_EQ(read.comPort, 7);
    EXPECT_EQ(read.baudRate, 9600);
    EXPECT_EQ(read.spareByte, 0x5C);

    ASSERT_TRUE(writeSettingsFile(temp.dir(), read));
    // The reserved bytes are written as zeros whatever they held.
    EXPECT_THAT(readFileByteVector(temp.dir() + "Dravin.ini"),
                ElementsAreArray(withZeros({0x07, 0x80, 0x25, 0x00, 0x00, 0x5C})));
}

TEST(Settings, ReaderTakesAllFourRateBytesWriterStoresThree) {
    const auto bytes = withZeros({0x01, 0x00, 0x00, 0x00, 0x01, 0x02});
    const AppSettings read = decodeSettings(bytes.data(), kSettingsFileSize);
    EXPECT_EQ(read.baudRate, 0x01000000);

    const AppSettings fast{1, 0x01C20000 + 115200, 2};
    const auto record = encodeSettings(fast);
    EXPECT_EQ(record[1], static_cast<uint8_t>(fast.baudRate));
    EXPECT_EQ(record[2], static_cast<uint8_t>(fast.baudRate >> 8));
    EXPECT_EQ(record[3], static_cast<uint8_t>(fast.baudRate >> 16));
    EXPECT_EQ(record[4], 0);
}

struct ShortFileCase {
    std::vector<uint8_t> bytes;
    int comPort;
    int baudRate;
    int spareByte;
};

class ShortSettingsFile : public ::testing::TestWithParam<ShortFileCase> {};

TEST_P(ShortSettingsFile, MissingBytesCountAsZeros) {
    TempDir temp;
    writeBytes(temp.dir() + "Dravin.ini", GetParam().bytes);
    const AppSettings read = readSettingsFile(temp.dir());
    EXPECT_EQ(read.comPort, GetParam().comPort);
    EXPECT_EQ(read.baudRate, GetParam().baudRate);
    EXPECT_EQ(read.spareByte, GetParam().spareByte);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, ShortSettingsFile,
    ::testing::Values(ShortFileCase{{}, 3, 38400, 10},                // empty file: defaults
                      ShortFileCase{{0x05}, 5, 0, 0},                 // port only
                      ShortFileCase{{0x05, 0x80, 0x25}, 5, 9600, 0},  // half a rate
                      ShortFileCase{{0x04, 0x00, 0xC2, 0x01, 0x00}, 4, 115200, 0},
                      ShortFileCase{{0x02, 0x00, 0x4B, 0x00, 0x00, 0x07}, 2, 19200, 7}));

TEST(Settings, UnwritableFolderReportsFailure) {
    TempDir temp;
    writeBytes(temp.dir() + "plain", {1});
    EXPECT_FALSE(writeSettingsFile(temp.dir() + "plain/", defaultSettings()));
}

TEST(ProgramFolders, ExecutableDirEndsInSlashAndHoldsThisTest) {
    const std::string dir = executableDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    EXPECT_TRUE(fs::exists(dir + "settings_test"));
}

TEST(ProgramFolders, EnsureProgramDirFillsOnlyAnEmptyDir) {
    auto data = std::make_unique<AppData>();
    ensureProgramDir(*data);
    EXPECT_EQ(data->programDir, executableDir());
    data->programDir = "/elsewhere/";
    ensureProgramDir(*data);
    EXPECT_EQ(data->programDir, "/elsewhere/");
}

TEST(ProgramFolders, LogFilesDirFollowsTheOverride) {
    auto data = std::make_unique<AppData>();
    data->programDir = "/opt/dravin/";
    EXPECT_EQ(logFilesDir(*data), "/opt/dravin/Logfiles/");
    data->logDirOverride = "/data/logs";
    EXPECT_EQ(logFilesDir(*data), "/data/logs/");
    data->logDirOverride = "/data/logs/";
    EXPECT_EQ(logFilesDir(*data), "/data/logs/");
}

TEST(ProgramFolders, MakeLogFilesDirCreatesKeepsAndToleratesAFile) {
    TempDir temp;
    auto data = std::make_unique<AppData>();
    data->programDir = temp.dir();
    makeLogFilesDir(*data);
    ASSERT_TRUE(fs::is_directory(temp.dir() + "Logfiles"));
    writeBytes(temp.dir() + "Logfiles/kept.drav", {1, 2});
    makeLogFilesDir(*data);
    EXPECT_TRUE(fs::exists(temp.dir() + "Logfiles/kept.drav"));

    TempDir other;
    writeBytes(other.dir() + "Logfiles", {9});
    data->programDir = other.dir();
    makeLogFilesDir(*data);
    EXPECT_TRUE(fs::is_regular_file(other.dir() + "Logfiles"));
}
