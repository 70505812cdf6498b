#pragma once

#include "CliOptions.h"

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Runs the command; the process's exit status.
int runCommand(const CliOptions& options);
