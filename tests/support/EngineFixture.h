#pragma once

// The protocol engine wired to recording fakes, talking to the logger of
// kSerial, with nothing between the test and the engine: no event loop, no
// thread, no sleeping.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "link/ProtocolEngine.h"
#include "record/AppData.h"
#include "support/FakeHosts.h"
#include "support/LoggerReplies.h"
#include "support/TestPaths.h"

inline constexpr const char* kSuccess = "\r\nSuccess.";
inline constexpr const char* kFailed = "\r\nFailed, please try again.";
inline constexpr const char* kSaveFailed = "\r\n Failed.";  // a log that could not be saved

// Replies of one status byte, and what the user is told of each: only a
// reply of the right length with status 1 is a success.
struct StatusReply {
    Bytes payload;
    const char* message;
    bool ok;
};
inline const StatusReply kStatusReplies[] = {
    {{0x01}, kSuccess, true},
    {{0x00}, kFailed, false},
    {{0x01, 0x00}, kFailed, false},  // 22 bytes
    {{0x01, 0x01}, kFailed, false},  // 22 bytes
};

// Whether the logger is connected when the test begins.
enum class Link { Up, Down };

template <class Ui = FakeUi>
class EngineFixture : public ::testing::Test {
protected:
    explicit EngineFixture(Link link = Link::Up) {
        std::memcpy(data->log.setup.serialNo, kSerial.data(), kSerial.size());
        data->link.connected = link == Link::Up;
    }
    ~EngineFixture() override {
        if (!dir.empty()) std::filesystem::remove_all(dir);
    }

    // Saves this test's logs in a fresh folder of the build folder named
    // after the test, gone again when it ends.
    void useLogFolder(std::string_view prefix) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = std::filesystem::path(binaryDir()) / (std::string(prefix) + info->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        data->logDirOverride = dir.string() + "/";
    }

    // A log folder below a plain file cannot be made, so no save succeeds.
    void blockSaving() {
        const std::filesystem::path blocker = dir / "not_a_folder";
        std::ofstream(blocker) << "x";
        data->logDirOverride = (blocker / "Logfiles").string() + "/";
    }

    void receive(const Bytes& chunk) { engine.onReceive(intoRxBuffer(data->link, chunk)); }
    std::string stamp(uint32_t i) const { return std::string(data->log.store.timestamp(i)); }

    std::unique_ptr<AppData> data = std::make_unique<AppData>();
    FakeTimers timers;
    FakePort port;
    Ui ui{*data};
    FakeClock clock;
    ProtocolEngine engine{*data, timers, port, ui, clock};
    std::filesystem::path dir;  // the log folder, once useLogFolder made it
};
