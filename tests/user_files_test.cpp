// The user-file door on its own: every step it takes, done or failed, is told
// to each observer with its kind, its paths, its log and its outcome, and
// its files are whole or not there.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "base/AppSettings.h"
#include "logdata/SettingsFile.h"
#include "logdata/UserFiles.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"
#include "support/UserFilesRecorder.h"

namespace {

// A folder with "log.drav", "taken.drav" and a plain file "plain" that no
// file can be made in.
struct Folder {
    Folder() {
        std::ofstream(dir() + "log.drav") << "log";
        std::ofstream(dir() + "taken.drav") << "taken";
        std::ofstream(dir() + "plain") << "x";
    }
    std::string dir() const { return temp.dir(); }
    TempDir temp;
};

struct StepCase {
    const char* what;
    std::function<Outcome(const std::string& dir)> step;
    UserFileKind kind;
    const char* path;     // relative to the folder
    const char* newPath;  // relative to the folder, or ""
    const char* log;      // relative to the folder, or ""
    int error;            // 0: done
    OutcomeKind failedAs;
    const char* content;  // what `path` (`newPath` for a rename) holds after, or nullptr: nothing
};

bool writeText(std::ostream& out) {
    out << "text";
    return static_cast<bool>(out);
}

const StepCase kSteps[] = {
    {"a write",
     [](const std::string& dir) {
         return userFiles().write({UserFileKind::TextExport, dir + "out.txt", dir + "log.drav"},
                                  writeText);
     },
     UserFileKind::TextExport, "out.txt", "", "log.drav", 0, OutcomeKind::Ok, "text"},
    {"a write into a folder that is a file",
     [](const std::string& dir) {
         return userFiles().write({UserFileKind::CsvExport, dir + "plain/out.csv", {}}, writeText);
     },
     UserFileKind::CsvExport, "plain/out.csv", "", "", ENOTDIR, OutcomeKind::SaveFailed, nullptr},
    {"a writer that gives up",
     [](const std::string& dir) {
         return userFiles().write({UserFileKind::SavedAs, dir + "taken.drav", dir + "log.drav"},
                                  [](std::ostream&) { return false; });
     },
     UserFileKind::SavedAs, "taken.drav", "", "log.drav", ECANCELED, OutcomeKind::SaveFailed,
     "taken"},
    {"bytes",
     [](const std::string& dir) {
         return userFiles().writeBytes({UserFileKind::PdfExport, dir + "out.pdf", {}}, "%PDF");
     },
     UserFileKind::PdfExport, "out.pdf", "", "", 0, OutcomeKind::Ok, "%PDF"},
    {"a refused write",
     [](const std::string& dir) {
         return userFiles().refuse({UserFileKind::BitmapExport, dir + "out.bmp", {}}, EINVAL);
     },
     UserFileKind::BitmapExport, "out.bmp", "", "", EINVAL, OutcomeKind::SaveFailed, nullptr},
    {"a rename",
     [](const std::string& dir) { return userFiles().rename(dir, "log.drav", "new_name.drav"); },
     UserFileKind::Renamed, "log.drav", "new_name.drav", "log.drav", 0, OutcomeKind::Ok, "log"},
    {"a rename onto a file",
     [](const std::string& dir) { return userFiles().rename(dir, "log.drav", "taken.drav"); },
     UserFileKind::Renamed, "log.drav", "taken.drav", "log.drav", EEXIST, OutcomeKind::FileFailed,
     "taken"},
    {"a delete", [](const std::string& dir) { return userFiles().remove(dir, "log.drav"); },
     UserFileKind::Deleted, "log.drav", "", "log.drav", 0, OutcomeKind::Ok, nullptr},
    {"a delete of a file that is gone",
     [](const std::string& dir) { return userFiles().remove(dir, "gone.drav"); },
     UserFileKind::Deleted, "gone.drav", "", "gone.drav", ENOENT, OutcomeKind::FileFailed, nullptr},
    {"the settings",
     [](const std::string& dir) {
         return Outcome{writeSettingsFile(dir, defaultSettings()) ? OutcomeKind::Ok
                                                                  : OutcomeKind::SaveFailed};
     },
     UserFileKind::Settings, "Dravin.ini", "", "", 0, OutcomeKind::Ok, nullptr},
    {"the settings in a folder that is a file",
     [](const std::string& dir) {
         return Outcome{writeSettingsFile(dir + "plain/", defaultSettings())
                            ? OutcomeKind::Ok
                            : OutcomeKind::SaveFailed};
     },
     UserFileKind::Settings, "plain/Dravin.ini", "", "", ENOTDIR, OutcomeKind::SaveFailed, nullptr},
};

std::string under(const std::string& dir, const char* relative) {
    return *relative == '\0' ? std::string() : dir + relative;
}

}  // namespace

TEST(UserFiles, EveryStepIsToldOnceWithItsPathsItsLogAndItsOutcome) {
    for (const StepCase& c : kSteps) {
        SCOPED_TRACE(c.what);
        Folder folder;
        const std::string dir = folder.dir();
        UserFilesRecorder recorder;
        const Outcome returned = c.step(dir);

        const std::vector<UserFileEvent> events = recorder.events();
        ASSERT_EQ(events.size(), 1u);
        const UserFileEvent& told = events[0];
        EXPECT_EQ(told.kind, c.kind);
        EXPECT_EQ(told.path, dir + c.path);
        EXPECT_EQ(told.newPath, under(dir, c.newPath));
        EXPECT_EQ(told.log, under(dir, c.log));
        EXPECT_EQ(told.outcome.error, c.error);
        EXPECT_EQ(told.outcome.kind, c.failedAs);
        EXPECT_EQ(returned.kind, c.failedAs);
        if (c.error != 0) {
            EXPECT_FALSE(told.outcome.ok());
            EXPECT_EQ(told.outcome.detail,
                      dir + c.path + ": " + std::generic_category().message(c.error));
        }
        const std::string result = dir + (*c.newPath != '\0' ? c.newPath : c.path);
        if (c.content != nullptr) {
            EXPECT_EQ(readFileBytes(result), c.content);
        } else if (c.kind != UserFileKind::Settings) {
            EXPECT_FALSE(std::filesystem::exists(result));
        }
        for (const std::string& name : folder.temp.names())
            EXPECT_NE(name[0], '.') << "left behind: " << name;
    }
}

TEST(UserFiles, EachObserverIsToldAndOneRemovedIsToldNoMore) {
    Folder folder;
    UserFilesRecorder first;
    std::vector<UserFileEvent> second;
    {
        UserFilesRecorder leaving;
        userFiles().writeBytes({UserFileKind::TextExport, folder.dir() + "a.txt", {}}, "a");
        EXPECT_EQ(leaving.events().size(), 1u);
        second = leaving.events();
    }
    userFiles().writeBytes({UserFileKind::TextExport, folder.dir() + "b.txt", {}}, "b");
    ASSERT_EQ(first.events().size(), 2u);
    EXPECT_EQ(first.events()[0].path, second[0].path);
    EXPECT_EQ(first.events()[1].path, folder.dir() + "b.txt");
}

TEST(UserFiles, TheSettingsAreWrittenWholeOverTheOldFile) {
    Folder folder;
    std::ofstream(folder.dir() + "Dravin.ini") << std::string(40, '\x05');
    UserFilesRecorder recorder;
    ASSERT_TRUE(writeSettingsFile(folder.dir(), defaultSettings()));
    const auto record = encodeSettings(defaultSettings());
    EXPECT_EQ(readFileBytes(folder.dir() + "Dravin.ini"),
              std::string(reinterpret_cast<const char*>(record.data()), record.size()));
    ASSERT_EQ(recorder.of(UserFileKind::Settings).size(), 1u);
    EXPECT_TRUE(recorder.of(UserFileKind::Settings)[0].outcome.ok());
}
