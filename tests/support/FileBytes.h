#pragma once

// Reads a file the tests look into: all of it, byte for byte, with no
// newline translation. A file that is missing or cannot be read reads as
// nothing, so a test compares it like any other content.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

inline std::string readFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The same bytes, for tests that compare them as numbers.
inline std::vector<uint8_t> readFileByteVector(const std::filesystem::path& path) {
    const std::string bytes = readFileBytes(path);
    return {bytes.begin(), bytes.end()};
}

// The lines of a text as std::getline splits them: at '\n', which is left
// out; a '\r' before it stays; a last line without '\n' is still a line.
inline std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}
