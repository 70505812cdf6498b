#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// A small writer of one JSON object on one line, enough for the tool's
// reports; keys are written in the order they are added.
class JsonObject {
public:
    JsonObject& text(std::string_view key, std::string_view value);
    JsonObject& integer(std::string_view key, int64_t value);
    JsonObject& texts(std::string_view key, std::span<const std::string> values);
    JsonObject& integers(std::string_view key, std::span<const int64_t> values);
    JsonObject& reals(std::string_view key, std::span<const float> values);
    // A value already in JSON form: a number as formatted, null, an object.
    JsonObject& raw(std::string_view key, std::string_view json);
    JsonObject& raws(std::string_view key, std::span<const std::string> json);
    // "{...}"
    std::string str() const { return "{" + body_ + "}"; }

private:
    void key(std::string_view key);
    std::string body_;
};

// A JSON string literal, quotes included. Control characters are escaped;
// other bytes pass as they are.
std::string jsonString(std::string_view text);
// The shortest decimal form that reads back as the same float; null for a
// value JSON cannot hold (NaN, infinity).
std::string jsonNumber(float value);
