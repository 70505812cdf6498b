#include "views/TemperatureUnit.h"

#include "logdata/LogStore.h"

float toFahrenheit(float celsius) {
    return celsius * 9.0f / 5.0f + 32.0f;
}

float toCelsius(float fahrenheit) {
    return (fahrenheit - 32.0f) * 5.0f / 9.0f;
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

std::string_view shownUnitText(const LogStore& store, int channel, bool fahrenheit) {
    if (channel < 0 || channel >= kChannels) return {};
    if (showsFahrenheit(store, channel, fahrenheit)) return kFahrenheitUnitText;
    return store.unitTexts[static_cast<std::size_t>(channel)];
}
