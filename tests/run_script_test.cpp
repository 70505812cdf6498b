// scripts/run.sh, the README's run command: with no serial adapter it starts
// the program with the demo logger and says so; with one it starts as usual.
// Run on a copy beside a stand-in build step and program.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/TestPaths.h"

namespace {

namespace fs = std::filesystem;

void writeScript(const fs::path& path, const std::string& body) {
    std::ofstream(path) << "#!/usr/bin/env bash\n" << body;
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
}

std::string runAndRead(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return output;
    std::array<char, 256> buffer;
    while (fgets(buffer.data(), buffer.size(), pipe) != nullptr) output += buffer.data();
    pclose(pipe);
    return output;
}

TEST(RunScript, StartsTheDemoLoggerOnlyWithoutAnAdapter) {
    struct Case {
        const char* device;  // nullptr: none
        const char* expected;
    };
    const Case cases[] = {
        {nullptr, "No serial adapter found: starting with the demo logger\nargs: --demo a.drav\n"},
        {"ttyUSB0", "args: a.drav\n"},
        {"ttyACM3", "args: a.drav\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.device ? c.device : "none");
        char folder[] = "/tmp/dravin-run-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        const fs::path top = folder;
        fs::create_directories(top / "scripts");
        fs::create_directories(top / "build");
        fs::create_directories(top / "dev");
        fs::copy_file(fs::path(testDataDir()) / ".." / ".." / "scripts" / "run.sh",
                      top / "scripts" / "run.sh");
        writeScript(top / "scripts" / "build.sh", "exit 0\n");
        writeScript(top / "build" / "dravin", "echo \"args: $*\"\n");
        if (c.device) std::ofstream(top / "dev" / c.device) << "";

        const std::string command = "DRAVIN_DEVICE_DIR=" + (top / "dev").string() + " bash " +
                                    (top / "scripts" / "run.sh").string() + " a.drav";
        EXPECT_EQ(runAndRead(command), c.expected);
        fs::remove_all(top);
    }
}

}  // namespace
