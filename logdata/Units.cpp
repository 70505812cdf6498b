#include "logdata/Units.h"

#include <iterator>

#include "logdata/LogStore.h"

namespace {

// Indexed by the logger's unit code.
constexpr const char* kUnitTexts[] = {kCelsiusUnitText,    "%RH", "PPM", "mBar", "Lux",
                                      kFahrenheitUnitText, "I/O"};
constexpr const char* kUnknownUnitText = "Un";

// 0 °C in °F; a degree Celsius is 9/5 of one Fahrenheit, multiplied by 9
// first and then divided by 5 so that whole degrees stay exact.
constexpr double kFahrenheitAtZeroCelsius = 32.0;
constexpr float kFahrenheitAtZeroCelsiusF = 32.0f;

}  // namespace

const char* unitText(uint8_t code) {
    return code < std::size(kUnitTexts) ? kUnitTexts[code] : kUnknownUnitText;
}

bool isTemperatureUnit(std::string_view unitText) {
    return unitText == kCelsiusUnitText || isFahrenheitUnit(unitText);
}

bool isFahrenheitUnit(std::string_view unitText) {
    return unitText == kFahrenheitUnitText;
}

float toFahrenheit(float celsius) {
    return celsius * 9.0f / 5.0f + kFahrenheitAtZeroCelsiusF;
}

float toCelsius(float fahrenheit) {
    return (fahrenheit - kFahrenheitAtZeroCelsiusF) * 5.0f / 9.0f;
}

double toFahrenheit(double celsius) {
    return celsius * 9.0 / 5.0 + kFahrenheitAtZeroCelsius;
}

double toCelsius(double fahrenheit) {
    return (fahrenheit - kFahrenheitAtZeroCelsius) * 5.0 / 9.0;
}

float toFahrenheitSpan(float celsius) {
    return celsius * 9.0f / 5.0f;
}

bool showsFahrenheit(std::string_view unitText, bool fahrenheit) {
    return fahrenheit && unitText == kCelsiusUnitText;
}

bool showsFahrenheit(const LogStore& store, int channel, bool fahrenheit) {
    return channel >= 0 && channel < kChannels &&
           showsFahrenheit(store.unitTexts[static_cast<std::size_t>(channel)], fahrenheit);
}

float shownValue(const LogStore& store, int channel, float value, bool fahrenheit) {
    return showsFahrenheit(store, channel, fahrenheit) ? toFahrenheit(value) : value;
}

double shownValue(const LogStore& store, int channel, double value, bool fahrenheit) {
    return showsFahrenheit(store, channel, fahrenheit) ? toFahrenheit(value) : value;
}

std::string_view shownUnitText(const LogStore& store, int channel, bool fahrenheit) {
    if (channel < 0 || channel >= kChannels) return {};
    if (showsFahrenheit(store, channel, fahrenheit)) return kFahrenheitUnitText;
    return store.unitTexts[static_cast<std::size_t>(channel)];
}
