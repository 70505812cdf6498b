#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "record/AppData.h"
#include "support/FakeHosts.h"
#include "support/TempDir.h"
#include "views/ExportPaths.h"

TEST(ExportPaths, TheExtensionIsAddedToAFileNameWithoutADot) {
    const struct {
        const char* chosen;
        const char* extension;
        const char* final;
    } cases[] = {
        {"/home/john/report", kTextExtension, "/home/john/report.txt"},
        {"/home/john/report", kSpreadsheetExtension, "/home/john/report.xls"},
        {"/home/john/report", kBitmapExtension, "/home/john/report.bmp"},
        // A dot in a folder name does not count.
        {"/home/john.doe/report", kTextExtension, "/home/john.doe/report.txt"},
        {"/data.old/logs/report", kBitmapExtension, "/data.old/logs/report.bmp"},
        {"report", kTextExtension, "report.txt"},
        // Any dot in the file name keeps it as it is.
        {"/home/john/report.csv", kTextExtension, "/home/john/report.csv"},
        {"report.csv", kSpreadsheetExtension, "report.csv"},
        {"/home/john.doe/report.tar.gz", kTextExtension, "/home/john.doe/report.tar.gz"},
        {"/home/john/report.", kTextExtension, "/home/john/report."},
        {"/home/john/.report", kTextExtension, "/home/john/.report"},
        {"/home/john/report.txt", kTextExtension, "/home/john/report.txt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(exportFinalPath(c.chosen, c.extension), c.final)
            << c.chosen << " with " << c.extension;
    }
}

TEST(ExportPaths, TheOverwriteQuestionIsAskedForTheFinalPath) {
    // The user picks "report" where report.txt exists: the save dialog saw no
    // file of that name, the final path has one.
    TempDir temp;
    std::ofstream(temp.dir() + "report.txt") << "earlier export";
    const std::string chosen = temp.dir() + "report";
    EXPECT_FALSE(exportReplacesFile(chosen));
    EXPECT_TRUE(exportReplacesFile(exportFinalPath(chosen, kTextExtension)));
    EXPECT_FALSE(exportReplacesFile(exportFinalPath(chosen, kSpreadsheetExtension)));
}

TEST(ExportPaths, AnythingAtTheFinalPathIsAskedAbout) {
    TempDir temp;
    std::filesystem::create_directory(temp.dir() + "folder.txt");
    ASSERT_EQ(::symlink((temp.dir() + "nowhere").c_str(), (temp.dir() + "dangling.txt").c_str()),
              0);
    const struct {
        std::string path;
        bool asked;
    } cases[] = {
        {temp.dir() + "folder.txt", true},
        {temp.dir() + "dangling.txt", true},
        {temp.dir() + "new.txt", false},
        {temp.dir() + "missing/new.txt", false},
    };
    for (const auto& c : cases) EXPECT_EQ(exportReplacesFile(c.path), c.asked) << c.path;
}

TEST(ExportPaths, TheUserIsAskedThroughThePromptsBeforeAFileIsReplaced) {
    TempDir temp;
    std::ofstream(temp.dir() + "report.txt") << "earlier export";
    auto data = std::make_unique<AppData>();
    FakeUi ui(*data);
    const std::string chosen = temp.dir() + "report";
    const std::string final = chosen + kTextExtension;

    EXPECT_EQ(exportTarget(chosen, kSpreadsheetExtension, ui), chosen + kSpreadsheetExtension);
    EXPECT_TRUE(ui.replaceQuestions.empty()) << "nothing there to replace";

    EXPECT_EQ(exportTarget(chosen, kTextExtension, ui), std::nullopt) << "the user said no";
    ui.answerReplace = true;
    EXPECT_EQ(exportTarget(chosen, kTextExtension, ui), final);
    EXPECT_THAT(ui.replaceQuestions, ::testing::ElementsAre(final, final));
}
