#pragma once

#include <QStringList>
#include <memory>
#include <string>

#include "base/AppSettings.h"
#include "link/SerialDevices.h"
#include "sim/LoggerSim.h"
#include "sim/SimDemo.h"

// The built-in demo logger of `dravin --demo`: the logger simulator serving
// a pseudo-terminal from a thread of the program, listed as a serial device
// so that Connect finds and opens it as it would an adapter, down the same
// serial path. It lives as long as the program's window.
class DemoLogger {
public:
    static constexpr const char* kOption = "--demo";
    // What the status bar's last pane says while it runs.
    static constexpr const char* kPaneText = kDemoName;

    // Logs that end at the PC's clock, now.
    DemoLogger();
    // Logs that end at `last`.
    explicit DemoLogger(const SimTime& last);

    bool running() const { return sim_.running(); }
    std::string devicePath() const { return sim_.devicePath(); }
    LoggerSim& logger() { return sim_; }

    // The demo's port is no adapter and must not be saved as the port of a
    // real one: the port the settings held at start goes back.
    static void keepPortOutOfSettings(AppSettings& settings, int portAtStart);

private:
    LoggerSim sim_;
    std::unique_ptr<VirtualSerialDevice> device_;  // listed only while it serves
};

// Takes kOption out of the command line; true when it was there. What is
// left is the command line as the program knows it (a log file to open).
bool takeDemoOption(QStringList& arguments);
