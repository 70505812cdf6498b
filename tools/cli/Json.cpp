#include "Json.h"

#include <cmath>
#include <cstdio>

#include "Printable.h"
#include "base/NumberFormat.h"

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        // Loggers hold texts in a local code page: a byte that is no UTF-8
        // is written as the code point of its value, so the output stays JSON.
        if (static_cast<unsigned char>(c) >= 0x80) {
            const size_t length = utf8Length(text, i);
            unsigned codePoint = static_cast<unsigned char>(c);
            if (isC1Control(text, i, length)) {
                // A control as UTF-8: escaped as the control it is.
                codePoint = static_cast<unsigned char>(text[++i]);
            } else if (length > 0) {
                out.append(text.substr(i, length));
                i += length - 1;
                continue;
            }
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", codePoint);
            out += escaped;
            continue;
        }
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                // Controls are escaped, DEL included, so that no terminal obeys them.
                if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

std::string jsonNumber(float value) {
    return std::isfinite(value) ? shortestText(value) : "null";
}

void JsonObject::key(std::string_view key) {
    if (!body_.empty()) body_ += ',';
    body_ += jsonString(key);
    body_ += ':';
}

JsonObject& JsonObject::text(std::string_view k, std::string_view value) {
    key(k);
    body_ += jsonString(value);
    return *this;
}

JsonObject& JsonObject::integer(std::string_view k, int64_t value) {
    key(k);
    body_ += std::to_string(value);
    return *this;
}

JsonObject& JsonObject::texts(std::string_view k, std::span<const std::string> values) {
    key(k);
    body_ += '[';
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) body_ += ',';
        body_ += jsonString(values[i]);
    }
    body_ += ']';
    return *this;
}

JsonObject& JsonObject::integers(std::string_view k, std::span<const int64_t> values) {
    key(k);
    body_ += '[';
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) body_ += ',';
        body_ += std::to_string(values[i]);
    }
    body_ += ']';
    return *this;
}

JsonObject& JsonObject::reals(std::string_view k, std::span<const float> values) {
    key(k);
    body_ += '[';
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) body_ += ',';
        body_ += jsonNumber(values[i]);
    }
    body_ += ']';
    return *this;
}

JsonObject& JsonObject::raw(std::string_view k, std::string_view json) {
    key(k);
    body_ += json;
    return *this;
}

JsonObject& JsonObject::raws(std::string_view k, std::span<const std::string> json) {
    key(k);
    body_ += '[';
    for (size_t i = 0; i < json.size(); ++i) {
        if (i > 0) body_ += ',';
        body_ += json[i];
    }
    body_ += ']';
    return *this;
}
