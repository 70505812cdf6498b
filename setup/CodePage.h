#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The logger keeps its texts (the name above all) in its own code page:
// GB18030, the superset of code page 936 (GBK), in which a character takes
// one, two or four bytes. The program's texts are UTF-8.

// The logger's bytes up to the first zero byte, decoded into UTF-8. A byte
// sequence that is no character of the code page (a name cut inside a
// character, say) shows as U+FFFD and the rest is decoded after it.
std::string decodeLoggerText(std::string_view bytes);

// `utf8` in the logger's code page, cut to at most `maxBytes` bytes without
// splitting a character. A byte that is no UTF-8 is left out.
std::string encodeLoggerText(std::string_view utf8, size_t maxBytes);

// The length of the longest start of `bytes` (GB18030) that is at most
// `maxBytes` long and ends between two characters.
size_t characterBoundary(std::string_view bytes, size_t maxBytes);
