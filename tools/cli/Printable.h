#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Texts from a logger or a log file reach a terminal: a control character in
// them could move the cursor, clear the screen or end a line early.

// Length of the well-formed UTF-8 sequence at text[i], or 0.
size_t utf8Length(std::string_view text, size_t i);
// True when the UTF-8 sequence of `length` bytes at text[i] is a control
// character of the C1 block (U+0080..U+009F), which some terminals obey.
bool isC1Control(std::string_view text, size_t i, size_t length);

// The text with every control character (C0, DEL, C1) and every byte that is
// no UTF-8 written as \xHH, so that it shows on one line and does nothing.
std::string printable(std::string_view text);
