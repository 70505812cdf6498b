#pragma once

// Ctrl+C (SIGINT) while an operation can be cut short: the signal handler
// only records it, and the console loop asks take() and acts on its own
// thread. While an InterruptCatcher lives SIGINT is caught; before and after,
// it ends the program as usual.
class InterruptCatcher {
public:
    InterruptCatcher();
    ~InterruptCatcher();
    InterruptCatcher(const InterruptCatcher&) = delete;
    InterruptCatcher& operator=(const InterruptCatcher&) = delete;

    // True once for each interrupt that came since the last call.
    bool take() const;
};
