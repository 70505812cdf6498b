#pragma once

#include <cstdint>

#include "base/FrameUi.h"

// The protocol engine reaches timers and the port only through these
// interfaces (and the user through FrameUi). The main frame implements them
// with Qt, the command-line tool with console versions, and tests with fakes.

class TimerHost {
public:
    virtual ~TimerHost() = default;
    // (Re)starts timer `id` with the period; a running timer of that id restarts.
    virtual void startTimer(int id, int periodMs) = 0;
    // Stopping a timer that does not run does nothing.
    virtual void stopTimer(int id) = 0;
};

class PortHost {
public:
    virtual ~PortHost() = default;
    // Hands bytes to the receive thread for writing; not awaited.
    virtual void queueWrite(const uint8_t* data, int length) = 0;
    // Ends the receive thread; the port stays open.
    virtual void stopThread() = 0;
    // Ends the receive thread and closes the port: the next Connect opens it anew.
    virtual void closePort() = 0;
};
