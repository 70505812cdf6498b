#pragma once

#include <functional>

// Runs the event loop until `done` holds or `timeoutMs` passes, looking at it
// every 10 ms; returns what `done` says last. A `done` that holds at once
// returns before any event is delivered.
bool runUntil(const std::function<bool()>& done, int timeoutMs);

// Lets the event loop deliver what is pending.
void settleEvents();
