#pragma once

#include <functional>
#include <memory>

#include "CliOptions.h"
#include "ConsoleLoop.h"
#include "ConsoleUi.h"
#include "link/CSerialPort.h"
#include "link/Clock.h"
#include "link/ProtocolEngine.h"
#include "record/AppData.h"

// One conversation with a logger: the process-wide record, the console hosts,
// the port and the engine, wired as the main frame wires them.
class LoggerSession {
public:
    explicit LoggerSession(const CliOptions& options);

    // Opens the line and identifies the logger, whose serial number then goes
    // into every later frame. False when that fails (the reason is printed).
    bool connect();
    // Starts an operation and runs the loop until the engine reports its end;
    // false when it failed or did not end within `maxSeconds` (the reason is
    // printed; ui().outcome() tells how it ended).
    bool run(const std::function<void()>& start, double maxSeconds);
    // Saved logs go to --dir, else to Logfiles beside the program; false (and
    // printed) when --dir is no folder.
    bool prepareLogFolder();

    AppData& data() { return *data_; }
    ProtocolEngine& engine() { return engine_; }
    ConsoleUi& ui() { return ui_; }
    ConsoleLoop& loop() { return loop_; }

private:
    const CliOptions& options_;
    std::unique_ptr<AppData> data_;
    SystemClock clock_;
    ConsoleLoop loop_;
    ConsoleUi ui_;
    CSerialPort port_;
    ProtocolEngine engine_;
};
