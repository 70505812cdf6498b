// Where Dravin.ini and Logfiles go: beside a portable copy, in the user's
// data folder for an installed one.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>

#include "record/AppData.h"

namespace {

TEST(DataDir, BesideTheProgramWhileItsFolderIsWritable) {
    struct Case {
        const char* name;
        bool writable;
        const char* userFolder;
        const char* expected;
    };
    const Case cases[] = {
        {"portable", true, "/home/ann/.local/share/Dravin/", "/opt/dravin/"},
        {"installed", false, "/home/ann/.local/share/Dravin/", "/home/ann/.local/share/Dravin/"},
        {"installed, no user folder", false, "", "/opt/dravin/"},
        {"user folder without its slash", false, "/home/ann/Dravin", "/home/ann/Dravin/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(chooseDataDir("/opt/dravin/", c.writable, c.userFolder), c.expected);
    }
}

// Sets or clears an environment variable for the test's scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = getenv(name)) old_ = old;
        if (value) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(DataDir, TheUserFolderFollowsTheDesktopsDataHome) {
    struct Case {
        const char* xdg;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"/data/ann", "/home/ann", "/data/ann/Dravin/"},
        {"/data/ann/", "/home/ann", "/data/ann/Dravin/"},
        {nullptr, "/home/ann", "/home/ann/.local/share/Dravin/"},
        {"", "/home/ann", "/home/ann/.local/share/Dravin/"},
        {"relative/data", "/home/ann", "/home/ann/.local/share/Dravin/"},
        {nullptr, nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        ScopedEnv xdg("XDG_DATA_HOME", c.xdg);
        ScopedEnv home("HOME", c.home);
        EXPECT_EQ(userDataDir(), c.expected);
    }
}

TEST(DataDir, TheRunningProgramsFolderIsUsedWhenWritable) {
    // The test's own folder (the build folder) is writable.
    EXPECT_EQ(dataDir(), executableDir());
}

TEST(DataDir, EnsureProgramDirFillsOnlyAnEmptyDir) {
    AppData data{};
    ensureProgramDir(data);
    EXPECT_EQ(data.programDir, dataDir());
    data.programDir = "/elsewhere/";
    ensureProgramDir(data);
    EXPECT_EQ(data.programDir, "/elsewhere/");
}

}  // namespace
