#pragma once

#include <string>

// printf into a string as long as the text needs: for a looked-up text whose
// arguments (a path, what the user typed) have no bound of their own.
[[gnu::format(printf, 1, 2)]] std::string formatText(const char* format, ...);
