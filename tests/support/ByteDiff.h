#pragma once

// Compares bytes against a golden copy. A failure names the first offset that
// differs, the lengths, and both sides in hex around it, instead of dumping
// every byte of two long strings. Texts compare line by line: a failure names
// the first line that differs and shows it on both sides among its neighbours.

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

// A text's lines, each with the '\n' that ends it; the last may have none.
inline std::vector<std::string> linesWithEnds(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t from = 0; from < text.size();) {
        const size_t newline = text.find('\n', from);
        const size_t end = newline == std::string::npos ? text.size() : newline + 1;
        lines.push_back(text.substr(from, end - from));
        from = end;
    }
    return lines;
}

// A line with tabs, line ends and unprintable bytes spelled out, so that a
// CR, a bare LF or a missing line end shows.
inline std::string visible(const std::string& line) {
    std::string text;
    for (const char ch : line) {
        const auto byte = static_cast<unsigned char>(ch);
        if (ch == '\t') {
            text += "\\t";
        } else if (ch == '\r') {
            text += "\\r";
        } else if (ch == '\n') {
            text += "\\n";
        } else if (ch == '\\') {
            text += "\\\\";
        } else if (byte < ' ' || byte > '~') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            text += escaped;
        } else {
            text += ch;
        }
    }
    return text;
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

// The text against a golden copy, line by line. A failure names the first line
// that differs and the line counts, shows a few lines before it and a few
// from it on ("-" expected, "+" actual where they differ), and then the bytes
// where they part as sameBytes shows them.
inline ::testing::AssertionResult sameLines(const std::string& actual,
                                            const std::string& expected) {
    if (actual == expected) return ::testing::AssertionSuccess();
    constexpr size_t kContext = 3;
    const std::vector<std::string> a = bytediff::linesWithEnds(actual);
    const std::vector<std::string> e = bytediff::linesWithEnds(expected);
    size_t first = 0;
    while (first < a.size() && first < e.size() && a[first] == e[first]) ++first;
    auto failure = ::testing::AssertionFailure();
    failure << "first difference at line " << first + 1 << ", " << a.size() << " lines against "
            << e.size() << " expected\n";
    for (size_t n = first > kContext ? first - kContext : 0; n < first; ++n)
        failure << "  line " << n + 1 << ": " << bytediff::visible(e[n]) << "\n";
    for (size_t n = first; n <= first + kContext && (n < a.size() || n < e.size()); ++n) {
        if (n > first && n < a.size() && n < e.size() && a[n] == e[n]) {
            failure << "  line " << n + 1 << ": " << bytediff::visible(e[n]) << "\n";
            continue;
        }
        failure << "- line " << n + 1 << ": "
                << (n < e.size() ? bytediff::visible(e[n]) : "(no such line)") << "\n";
        failure << "+ line " << n + 1 << ": "
                << (n < a.size() ? bytediff::visible(a[n]) : "(no such line)") << "\n";
    }
    return failure << sameBytes(actual, expected).message();
}
