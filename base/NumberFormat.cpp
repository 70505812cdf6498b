#include "base/NumberFormat.h"

#include <locale.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>

namespace {

// Below this many tenths a value is written from a whole number of tenths.
constexpr double kWholeTenthsLimit = 1e18;
constexpr int kMostDecimals = 17;
// A double's longest fixed form: some 310 digits, the sign, point and decimals.
constexpr std::size_t kFixedMaxChars = 400;

// The C locale, made once; a thread switches to it only while it formats.
locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

}  // namespace

char* putOneDecimal(char* out, float value) {
    const double v = value;
    // A float times ten is exact in a double, and rounding that to a whole
    // number in the default mode breaks ties to even, as printf does.
    const double tenths = std::nearbyint(std::fabs(v) * 10.0);
    if (!(tenths < kWholeTenthsLimit))
        return std::to_chars(out, out + kOneDecimalMaxChars, v, std::chars_format::fixed, 1).ptr;
    const auto whole = static_cast<uint64_t>(tenths);
    if (std::signbit(v)) *out++ = '-';
    out = std::to_chars(out, out + kOneDecimalMaxChars, whole / 10).ptr;
    *out++ = '.';
    *out++ = static_cast<char>('0' + whole % 10);
    return out;
}

// to_chars with a precision writes what printf's "%.*f" writes in the C locale.
std::string fixedText(double value, int decimals, int width) {
    char text[kFixedMaxChars];
    const int places = std::clamp(decimals, 0, kMostDecimals);
    const char* end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, places).ptr;
    const auto length = static_cast<std::size_t>(end - text);
    const auto shown = static_cast<std::size_t>(std::max(width, 0));
    std::string padded(shown > length ? shown - length : 0, ' ');
    return padded.append(text, length);
}

std::string shortestText(float value) {
    char text[kOneDecimalMaxChars];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::size_t formatC(std::span<char> out, const char* format, ...) {
    if (out.empty()) return 0;
    const locale_t previous = uselocale(cLocale());
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(out.data(), out.size(), format, arguments);
    va_end(arguments);
    uselocale(previous);
    if (length < 0) {
        out[0] = '\0';
        return 0;
    }
    return std::min(static_cast<std::size_t>(length), out.size() - 1);
}
