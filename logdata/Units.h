#pragma once

#include <cstdint>
#include <string_view>

struct LogStore;

// The units a channel's values come in, their texts, and the °C / °F choice
// of the window: "oC" channels may be shown in °F. Files and the txt/xls
// exports keep the stored values; only what is shown (and the CSV export)
// follows the choice.
inline constexpr char kCelsiusUnitText[] = "oC";
inline constexpr char kFahrenheitUnitText[] = "F";

// The text of a unit code as the logger sends it, "Un" for an unknown code.
const char* unitText(uint8_t code);

// "oC" and "F" are the temperature units a channel can have.
bool isTemperatureUnit(std::string_view unitText);
bool isFahrenheitUnit(std::string_view unitText);

float toFahrenheit(float celsius);
float toCelsius(float fahrenheit);
double toFahrenheit(double celsius);
double toCelsius(double fahrenheit);
// A difference of °C as °F (a span, a step): no offset.
float toFahrenheitSpan(float celsius);

// A channel of this unit shows in °F: it is "oC" and °F is chosen.
bool showsFahrenheit(std::string_view unitText, bool fahrenheit);
// The same for a channel of the store.
bool showsFahrenheit(const LogStore& store, int channel, bool fahrenheit);
// A value of the channel as shown.
float shownValue(const LogStore& store, int channel, float value, bool fahrenheit);
double shownValue(const LogStore& store, int channel, double value, bool fahrenheit);
// The channel's unit text as shown: "F" for an "oC" channel shown in °F.
std::string_view shownUnitText(const LogStore& store, int channel, bool fahrenheit);
