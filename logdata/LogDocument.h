#pragma once

#include "link/LoggerSetup.h"
#include "logdata/LogStore.h"

// The log shown: its records, the file they came from (the store names it)
// and the setup of the logger that recorded them, read from that file or from
// the logger itself.
struct LogDocument {
    LoggerSetup setup;
    LogStore store;
};
