#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>

#include "logdata/AtomicFile.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;

namespace {

const std::string kOld = "the good log that was there before the save";

void writeText(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Bytes that differ from position to position, so a shifted or cut copy shows.
std::string pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) % 256);
    return bytes;
}

FileWriter writing(const std::string& bytes) {
    return [bytes](std::ostream& out) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(out);
    };
}

}  // namespace

TEST(AtomicFile, WritesANewFileWholeAndLeavesNothingElse) {
    // Sizes around the write buffer, so the content crosses it several times.
    for (std::size_t size : {0u, 1u, 65535u, 65536u, 65537u, 200001u}) {
        TempDir temp;
        const std::string content = pattern(size);
        ASSERT_EQ(writeFileAtomically(temp.dir() + "log.drav", writing(content)), 0) << size;
        EXPECT_EQ(readFileBytes(temp.dir() + "log.drav"), content) << size;
        EXPECT_THAT(temp.names(), ElementsAre("log.drav")) << size;
    }
}

TEST(AtomicFile, ASaveOverAnExistingFileReplacesItWhole) {
    TempDir temp;
    const std::string path = temp.dir() + "log.drav";
    writeText(path, pattern(5000));
    ASSERT_EQ(writeFileAtomically(path, writing("short")), 0);
    EXPECT_EQ(readFileBytes(path), "short");
    EXPECT_THAT(temp.names(), ElementsAre("log.drav"));
}

TEST(AtomicFile, AWriterThatGivesUpAfterAnyByteLeavesTheOldFile) {
    TempDir temp;
    const std::string path = temp.dir() + "log.drav";
    writeText(path, kOld);
    const std::string content = pattern(141);
    for (std::size_t n = 0; n <= content.size(); ++n) {
        const int error = writeFileAtomically(path, [&](std::ostream& out) {
            out.write(content.data(), static_cast<std::streamsize>(n));
            return false;
        });
        EXPECT_EQ(error, ECANCELED) << n;
        EXPECT_EQ(readFileBytes(path), kOld) << n;
        EXPECT_THAT(temp.names(), ElementsAre("log.drav")) << n;
    }
}

TEST(AtomicFile, AFullDiskAfterAnyByteIsReportedAndLeavesTheOldFile) {
    TempDir temp;
    const std::string path = temp.dir() + "log.drav";
    writeText(path, kOld);
    const std::string content = pattern(141);
    for (rlim_t n = 0; n < content.size(); ++n) {
        int error = 0;
        {
            FileSizeLimit disk(n);
            error = writeFileAtomically(path, writing(content));
        }
        EXPECT_EQ(error, EFBIG) << n;
        EXPECT_EQ(readFileBytes(path), kOld) << n;
        EXPECT_THAT(temp.names(), ElementsAre("log.drav")) << n;
    }
}

TEST(AtomicFile, AWriterThatForgetsItsStreamFailedIsStillCaught) {
    TempDir temp;
    const std::string path = temp.dir() + "log.drav";
    writeText(path, kOld);
    int error = 0;
    {
        FileSizeLimit disk(10);
        error = writeFileAtomically(path, [](std::ostream& out) {
            out << pattern(100);
            return true;
        });
    }
    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(readFileBytes(path), kOld);
    EXPECT_THAT(temp.names(), ElementsAre("log.drav"));
}

TEST(AtomicFile, TheSystemsReasonIsReportedWhenTheFileCannotBeMade) {
    TempDir temp;
    writeText(temp.dir() + "plain", "x");
    fs::create_directory(temp.dir() + "taken.drav");
    const struct {
        std::string path;
        int error;
    } cases[] = {
        {temp.dir() + "missing/log.drav", ENOENT},
        {temp.dir() + "plain/log.drav", ENOTDIR},
        {temp.dir() + "taken.drav", EISDIR},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(writeFileAtomically(c.path, writing("new")), c.error) << c.path;
    }
    EXPECT_THAT(temp.names(), ElementsAre("plain", "taken.drav"));
    EXPECT_TRUE(fs::is_empty(temp.dir() + "taken.drav"));
    EXPECT_EQ(readFileBytes(temp.dir() + "plain"), "x");
}

TEST(AtomicFile, AKillDuringTheSaveLeavesTheOldFileWhole) {
    TempDir temp;
    const std::string path = temp.dir() + "log.drav";
    writeText(path, kOld);
    EXPECT_EXIT(writeFileAtomically(path,
                                    [](std::ostream& out) {
                                        out << pattern(100000);
                                        out.flush();
                                        std::raise(SIGKILL);
                                        return true;
                                    }),
                ::testing::KilledBySignal(SIGKILL), "");
    EXPECT_EQ(readFileBytes(path), kOld);
    // What the kill left behind is hidden and is no log.
    for (const std::string& name : temp.names()) {
        if (name == "log.drav") continue;
        EXPECT_EQ(name.front(), '.') << name;
        EXPECT_FALSE(name.ends_with(".drav")) << name;
    }
}

TEST(AtomicFile, ASymbolicLinkKeepsPointingToTheReplacedFile) {
    TempDir temp;
    fs::create_directory(temp.dir() + "real");
    writeText(temp.dir() + "real/log.drav", kOld);
    fs::create_symlink(temp.dir() + "real/log.drav", temp.dir() + "link.drav");
    ASSERT_EQ(writeFileAtomically(temp.dir() + "link.drav", writing("new")), 0);
    EXPECT_TRUE(fs::is_symlink(temp.dir() + "link.drav"));
    EXPECT_EQ(readFileBytes(temp.dir() + "real/log.drav"), "new");
    EXPECT_THAT(temp.names("real"), ElementsAre("log.drav"));
}

TEST(AtomicFile, TheReplacedFileKeepsItsPermissions) {
    TempDir temp;
    const std::string path = temp.dir() + "log.drav";
    writeText(path, kOld);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_EQ(writeFileAtomically(path, writing("new")), 0);
    EXPECT_EQ(fs::status(path).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}
