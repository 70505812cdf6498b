// The file list's rules without a window: which names it lists, how it groups
// them, which new names a rename takes, and the rename and delete themselves.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "logdata/LogNames.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

namespace {

void touch(const std::string& path, const std::string& text = "x") {
    std::ofstream(path, std::ios::binary) << text;
}

// Groups as "text: file file ..." for short comparisons.
std::vector<std::string> shown(const std::vector<LogGroup>& groups) {
    std::vector<std::string> lines;
    for (const LogGroup& group : groups) {
        std::string line = group.text + ":";
        for (const std::string& file : group.files) line += " " + file;
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

// ---- which names are listed ---------------------------------------------

TEST(LogNames, ListsNamesOfThePatternWithAtLeastEightCharacters) {
    EXPECT_TRUE(isListedLogName("1234567890_20100305_1422.drav"));
    EXPECT_TRUE(isListedLogName("a_b.drav"));
    EXPECT_FALSE(isListedLogName("a_.drav")) << "7 characters";
    EXPECT_TRUE(isListedLogName("ab_.drav")) << "8 characters, nothing after the _";
    EXPECT_TRUE(isListedLogName("_abc.drav")) << "the pattern's first * matches nothing";
    EXPECT_FALSE(isListedLogName("abcdefgh.drav")) << "no _";
    EXPECT_FALSE(isListedLogName("abc.drav_x")) << "the _ only after the extension";
    EXPECT_FALSE(isListedLogName("x_y.dravbak"));
    EXPECT_FALSE(isListedLogName("x_y.drav.txt"));
    EXPECT_TRUE(isListedLogName("X_Y.DRAV")) << "the extension in any case";
    EXPECT_TRUE(isListedLogName("x_y.drav.drav"));
}

TEST(LogNames, GroupTextIsThePartBeforeTheFirstUnderscore) {
    EXPECT_EQ(logGroupText("1234567890_20100305_1422.drav"), "1234567890");
    EXPECT_EQ(logGroupText("a_b.drav"), "a");
    EXPECT_EQ(logGroupText("_abc.drav"), "");
}

// ---- grouping -----------------------------------------------------------

TEST(LogNames, TheThreeFileExampleGivesTwoGroups) {
    const auto groups =
        groupLogNames({"1234567890_20100305_1422.drav", "1234567890_20100306_0900.drav",
                       "2222222222_20100101_0000.drav"});
    EXPECT_THAT(
        shown(groups),
        ElementsAre("1234567890: 1234567890_20100305_1422.drav 1234567890_20100306_0900.drav",
                    "2222222222: 2222222222_20100101_0000.drav"));
}

TEST(LogNames, OneGroupPerSerialNumberWhateverTheOrderGiven) {
    const auto groups = groupLogNames(
        {"1234567890_20100306_0900.drav", "2222222222_20100101_0000.drav",
         "1234567890_20100305_1422.drav", "12_x.drav", "123_a.drav", "12-x_a.drav", "12_a.drav"});
    EXPECT_THAT(
        shown(groups),
        ElementsAre("12-x: 12-x_a.drav",
                    "1234567890: 1234567890_20100305_1422.drav 1234567890_20100306_0900.drav",
                    "123: 123_a.drav", "12: 12_a.drav 12_x.drav",
                    "2222222222: 2222222222_20100101_0000.drav"));
}

TEST(LogNames, GroupingLeavesOutNamesTheListDoesNotShow) {
    EXPECT_THAT(shown(groupLogNames({"a_.drav", "a_b.drav", "notes.txt", "x_y.dravbak"})),
                ElementsAre("a: a_b.drav"));
    EXPECT_THAT(groupLogNames({}), IsEmpty());
}

// ---- the folder ---------------------------------------------------------

TEST(LogNames, ListsTheLogFilesOfTheFolderOnly) {
    TempDir dir;
    touch(dir.dir() + "1234567890_20100305_1422.drav");
    touch(dir.dir() + "a_.drav");
    touch(dir.dir() + "a_b.drav");
    touch(dir.dir() + "x_y.dravbak");
    touch(dir.dir() + "readme.txt");
    fs::create_directory(dir.dir() + "folder_1.drav");
    fs::create_symlink(dir.dir() + "a_b.drav", dir.dir() + "link_1.drav");
    fs::create_symlink(dir.dir() + "gone", dir.dir() + "dangling_1.drav");
    EXPECT_THAT(listLogNames(dir.dir()),
                UnorderedElementsAre("1234567890_20100305_1422.drav", "a_b.drav", "link_1.drav"));
}

TEST(LogNames, AMissingFolderListsNothing) {
    TempDir dir;
    EXPECT_THAT(listLogNames(dir.dir() + "Logfiles/"), IsEmpty());
}

// ---- new names ----------------------------------------------------------

TEST(LogNames, ANewNameNeedsAnUnderscoreAndDravAfterTheStart) {
    EXPECT_EQ(checkNewLogName("x_y.drav"), NewNameCheck::Ok);
    EXPECT_EQ(checkNewLogName("x_y.dravbak"), NewNameCheck::Ok) << ".drav anywhere";
    EXPECT_EQ(checkNewLogName("x.drav_y"), NewNameCheck::Ok);
    EXPECT_EQ(checkNewLogName(""), NewNameCheck::Invalid);
    EXPECT_EQ(checkNewLogName("xy.drav"), NewNameCheck::Invalid) << "no _";
    EXPECT_EQ(checkNewLogName("_xy.drav"), NewNameCheck::Invalid) << "_ at the start";
    EXPECT_EQ(checkNewLogName("_x_y.drav"), NewNameCheck::Invalid) << "the first _ counts";
    EXPECT_EQ(checkNewLogName("x_y.txt"), NewNameCheck::Invalid) << "no .drav";
    EXPECT_EQ(checkNewLogName(".drav_x"), NewNameCheck::Invalid) << ".drav at the start";
}

TEST(LogNames, ANewNameWithACharacterNoFileNameHoldsIsRefused) {
    // The dialog's starting text passes the name test and is then refused.
    EXPECT_EQ(checkNewLogName("*_*.drav"), NewNameCheck::Refused);
    for (const char ch : std::string("\\/:*?\"<>|")) {
        SCOPED_TRACE(std::string(1, ch));
        EXPECT_EQ(checkNewLogName(std::string("x_y") + ch + ".drav"), NewNameCheck::Refused);
    }
    EXPECT_EQ(checkNewLogName("../x_y.drav"), NewNameCheck::Refused) << "out of Logfiles";
    EXPECT_EQ(checkNewLogName("x_\ny.drav"), NewNameCheck::Refused);
    EXPECT_EQ(checkNewLogName("x_\ty.drav"), NewNameCheck::Refused);
    EXPECT_EQ(checkNewLogName(std::string("x_\x7fy.drav")), NewNameCheck::Refused);
    EXPECT_EQ(checkNewLogName(std::string("x_y\0.drav", 9)), NewNameCheck::Refused);
    EXPECT_EQ(checkNewLogName("x y_é.drav"), NewNameCheck::Ok) << "blanks and non-ASCII are fine";
}

// ---- rename and delete --------------------------------------------------

TEST(LogNames, RenameGivesTheFileItsNewName) {
    TempDir dir;
    touch(dir.dir() + "a_b.drav", "log");
    EXPECT_EQ(renameLogFile(dir.dir(), "a_b.drav", "x_y.dravbak").error, 0);
    EXPECT_THAT(dir.names(), ElementsAre("x_y.dravbak"));
    EXPECT_EQ(readFileBytes(dir.dir() + "x_y.dravbak"), "log");
}

TEST(LogNames, RenameNeverReplacesAnotherFile) {
    TempDir dir;
    touch(dir.dir() + "a_b.drav", "first");
    touch(dir.dir() + "c_d.drav", "second");
    EXPECT_EQ(renameLogFile(dir.dir(), "a_b.drav", "c_d.drav").error, EEXIST);
    EXPECT_THAT(dir.names(), ElementsAre("a_b.drav", "c_d.drav"));
    EXPECT_EQ(readFileBytes(dir.dir() + "a_b.drav"), "first");
    EXPECT_EQ(readFileBytes(dir.dir() + "c_d.drav"), "second");
    EXPECT_EQ(renameLogFile(dir.dir(), "a_b.drav", "a_b.drav").error, EEXIST) << "onto itself";
}

TEST(LogNames, RenameOfAMissingFileFails) {
    TempDir dir;
    EXPECT_EQ(renameLogFile(dir.dir(), "a_b.drav", "c_d.drav").error, ENOENT);
    EXPECT_THAT(dir.names(), IsEmpty());
}

TEST(LogNames, DeleteRemovesTheFileAndReportsAFailure) {
    TempDir dir;
    touch(dir.dir() + "a_b.drav");
    EXPECT_EQ(deleteLogFile(dir.dir(), "a_b.drav").error, 0);
    EXPECT_THAT(dir.names(), IsEmpty());
    EXPECT_EQ(deleteLogFile(dir.dir(), "a_b.drav").error, ENOENT);
    fs::create_directory(dir.dir() + "c_d.drav");
    EXPECT_NE(deleteLogFile(dir.dir(), "c_d.drav").error, 0) << "a folder is no log";
    EXPECT_THAT(dir.names(), ElementsAre("c_d.drav"));
}
