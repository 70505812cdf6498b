#pragma once

// Compares bytes against a golden copy. A failure names the first offset that
// differs, the lengths, and both sides in hex around it, instead of dumping
// every byte of two long strings.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace bytediff {

template <class Range>
std::vector<uint8_t> toBytes(const Range& range) {
    std::vector<uint8_t> bytes;
    bytes.reserve(range.size());
    for (auto b : range) bytes.push_back(static_cast<uint8_t>(b));
    return bytes;
}

inline std::string hexAround(const std::vector<uint8_t>& bytes, size_t at) {
    constexpr size_t kContext = 8;
    const size_t from = at > kContext ? at - kContext : 0;
    const size_t to = std::min(bytes.size(), at + kContext + 1);
    std::string text;
    char pair[8];
    for (size_t i = from; i < to; ++i) {
        std::snprintf(pair, sizeof pair, i == at ? "[%02X]" : " %02X ", bytes[i]);
        text += pair;
    }
    return text.empty() ? "(nothing)" : text;
}

}  // namespace bytediff

template <class Actual, class Expected>
::testing::AssertionResult sameBytes(const Actual& actualRange, const Expected& expectedRange) {
    const std::vector<uint8_t> actual = bytediff::toBytes(actualRange);
    const std::vector<uint8_t> expected = bytediff::toBytes(expectedRange);
    if (actual == expected) return ::testing::AssertionSuccess();
    const auto first =
        std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    const size_t at = static_cast<size_t>(first.first - actual.begin());
    char offset[48];
    std::snprintf(offset, sizeof offset, "%zu (0x%zX)", at, at);
    return ::testing::AssertionFailure()
           << "first difference at byte " << offset << ", " << actual.size() << " bytes against "
           << expected.size() << " expected\n"
           << "  actual:   " << bytediff::hexAround(actual, at) << "\n"
           << "  expected: " << bytediff::hexAround(expected, at);
}
