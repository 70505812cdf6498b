#pragma once

#include <cstdint>
#include <span>
#include <string>

// Bytes as upper-case hex pairs separated by single spaces ("01 16 7B 28"),
// for traffic traces.
std::string hexDump(std::span<const uint8_t> bytes);
