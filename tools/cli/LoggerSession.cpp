#include "LoggerSession.h"

#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "ArchiveCommands.h"
#include "link/SerialDevices.h"
#include "logdata/SettingsFile.h"

namespace {

// Identify gives up after ten resends a second apart; this only guards the loop.
constexpr double kIdentifySeconds = 60;

void traceLine(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
}

// Why the device could not be opened, from the error of the failed open.
std::string openFailureText(int error) {
    // The line is locked by another program (or another dravin-cli).
    if (error == EWOULDBLOCK || error == EBUSY) return "it is in use by another program";
    return std::strerror(error);
}

// What the line refused when it was set up.
std::string refusalText(const PortFailure& failure, int baud) {
    const std::string reason = " (" + describePortFailure(failure) + ")";
    if (failure.error == ENOTTY) return " is not a serial line" + reason;
    if (std::strcmp(failure.call, "cfsetspeed") == 0)
        return " does not take " + std::to_string(baud) + " baud" + reason;
    return " refused its line settings" + reason;
}

}  // namespace

LoggerSession::LoggerSession(const CliOptions& options)
    : options_(options),
      data_(std::make_unique<AppData>()),
      ui_(*data_, isatty(STDERR_FILENO) != 0),
      engine_(*data_, loop_, port_, ui_, clock_) {
    // Where the window keeps Dravin.ini and Logfiles: beside the programs, or
    // the user's own folder when they are installed where nobody may write.
    data_->programDir = cliDataDir(options_);
    data_->settings = readSettingsFile(data_->programDir);
    loop_.attach(port_, engine_);
    if (options_.trace) engine_.setTrace(traceLine);
}

bool LoggerSession::connect() {
    const int baud = options_.baud != 0 ? options_.baud : data_->settings.baudRate;
    const std::string path = options_.device.empty()
                                 ? devicePathForCom(kDefaultDeviceDir, options_.port)
                                 : options_.device;
    const std::string line =
        options_.device.empty() ? "COM" + std::to_string(options_.port) + " (" + path + ")" : path;
    ui_.beginOperation();
    loop_.holdPortErrors(true);
    const bool opened = port_.OpenDevice(&loop_, path, baud, data_->link.rxBuffer.data());
    loop_.holdPortErrors(false);
    if (!opened) {
        ui_.print("Connect failed: " + line +
                  " can not be opened: " + openFailureText(port_.openError()) + ".");
        return false;
    }
    if (const std::optional<PortFailure>& refused = loop_.heldFailure()) {
        if (options_.trace) traceLine("port error: " + describePortFailure(*refused));
        ui_.print("Connect failed: " + line + refusalText(*refused, baud) + ".");
        return false;
    }
    port_.StartThread();
    return run([this] { engine_.startIdentify(); }, kIdentifySeconds);
}

bool LoggerSession::run(const std::function<void()>& start, double maxSeconds) {
    ui_.beginOperation();
    start();
    if (!loop_.runUntil([this] { return ui_.ended(); }, maxSeconds)) {
        ui_.print("The operation did not end within " + std::to_string(std::lround(maxSeconds)) +
                  " seconds.");
        return false;
    }
    const Outcome& outcome = ui_.outcome();
    // The window's "Failed." says no more; a script wants the file and the reason.
    if (outcome.kind == OutcomeKind::SaveFailed) ui_.print("Saving failed: " + outcome.detail);
    return outcome.ok();
}

bool LoggerSession::prepareLogFolder() {
    if (options_.dir.empty()) {
        makeLogFilesDir(*data_);
        return true;
    }
    std::error_code error;
    if (!std::filesystem::is_directory(options_.dir, error)) {
        ui_.print("Cannot save into " + options_.dir + ": no such folder.");
        return false;
    }
    data_->logDirOverride = options_.dir;
    return true;
}
