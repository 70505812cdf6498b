#pragma once

// The PC's local date and time, behind an interface so that tests fix it.
struct LocalTime {
    int year;    // e.g. 2024
    int month;   // 1..12
    int day;     // 1..31
    int hour;    // 0..23
    int minute;  // 0..59
    int second;  // 0..59
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime now() const = 0;
};

class SystemClock : public Clock {
public:
    LocalTime now() const override;
};
