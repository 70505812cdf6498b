#pragma once

#include <cstdint>
#include <vector>

// One record stored in the simulated logger, as its clock and sensors gave it.
// Channel values are signed tenths; channel 1 is 32 bits wide, the others 16.
struct SimRecord {
    int year;
    int month;
    int day;
    int hour;
    int minute;
    int second;
    int32_t ch1;
    int16_t ch2;
    int16_t ch3;
    int16_t ch4;
};

// `count` records `intervalSeconds` apart, the first at `first`'s time, with
// values that wander a few tenths around those of `first`.
std::vector<SimRecord> makeSimRecords(int count, const SimRecord& first, int intervalSeconds);
