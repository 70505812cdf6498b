#pragma once

#include <cstddef>
#include <span>
#include <string>

// Numbers as printf writes them in the C locale, whatever locale the process
// runs under: a window's toolkit sets the process locale from the user's
// environment, and there "%3.1f" would give "24,9". Every figure the program
// shows, prints or writes reads "24.9".

// The most characters putOneDecimal writes: the largest float has 39 digits
// before the point, then a sign, the point and one decimal.
inline constexpr std::size_t kOneDecimalMaxChars = 48;

// Writes `value` as printf's "%3.1f" does (also for a negative zero, NaN and
// infinity) at `out` and returns the end; no terminating zero. Fast enough
// for every value of an export.
char* putOneDecimal(char* out, float value);

// printf's "%.*f" of `value` with `decimals` places (0 .. 17), rounded as
// printf rounds, right-aligned in `width` characters as "%*.*f" does.
std::string fixedText(double value, int decimals, int width = 0);

// The shortest text that reads back as `value` ("24.9", "1e+20", "nan"),
// as std::to_chars writes it.
std::string shortestText(float value);

// snprintf with its format and arguments, in the C locale: the printf forms
// of the program's texts ("MAX:%3.1f", "%6.1f %s") keep their "." under any
// locale. Writes at most out.size() - 1 characters and a zero byte; returns
// the characters written (0 for an empty `out` or a format error).
std::size_t formatC(std::span<char> out, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
