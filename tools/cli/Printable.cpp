#include "Printable.h"

#include <cstdio>

namespace {

constexpr unsigned char kDelete = 0x7F;
constexpr unsigned char kC1Lead = 0xC2;
constexpr unsigned char kC1Last = 0x9F;

void appendEscaped(std::string& out, unsigned char byte) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned>(byte));
    out += escaped;
}

}  // namespace

size_t utf8Length(std::string_view text, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    const size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                          : lead >= 0xE0                 ? 3
                          : lead >= 0xC2 && lead <= 0xDF ? 2
                                                         : 0;
    if (length == 0 || i + length > text.size()) return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    }
    return length;
}

bool isC1Control(std::string_view text, size_t i, size_t length) {
    return length == 2 && static_cast<unsigned char>(text[i]) == kC1Lead &&
           static_cast<unsigned char>(text[i + 1]) <= kC1Last;
}

std::string printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80) {
            const size_t length = utf8Length(text, i);
            if (length > 0 && !isC1Control(text, i, length)) {
                out.append(text.substr(i, length));
                i += length - 1;
            } else {
                appendEscaped(out, byte);
            }
        } else if (byte < 0x20 || byte == kDelete) {
            appendEscaped(out, byte);
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}
