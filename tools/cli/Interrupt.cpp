#include "Interrupt.h"

#include <csignal>

namespace {

// The only thing the handler touches: a signal handler may do no more.
volatile std::sig_atomic_t interrupted = 0;
struct sigaction previous {};

extern "C" void recordInterrupt(int) {
    interrupted = 1;
}

}  // namespace

InterruptCatcher::InterruptCatcher() {
    interrupted = 0;
    struct sigaction action {};
    action.sa_handler = recordInterrupt;
    sigemptyset(&action.sa_mask);
    // The port's thread and the loop wait in calls that a signal would cut.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &previous);
}

InterruptCatcher::~InterruptCatcher() {
    sigaction(SIGINT, &previous, nullptr);
}

bool InterruptCatcher::take() const {
    if (interrupted == 0) return false;
    interrupted = 0;
    return true;
}
