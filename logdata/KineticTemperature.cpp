#include "logdata/KineticTemperature.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "logdata/LogStore.h"
#include "logdata/Units.h"

namespace {

constexpr double kZeroCelsius = 273.15;

}  // namespace

std::optional<double> meanKineticTemperature(const LogStore& store, int channel,
                                             double activationEnergy) {
    if (channel < 0 || channel >= kChannels || !(activationEnergy > 0.0)) return std::nullopt;
    const std::string& unit = store.unitTexts[static_cast<std::size_t>(channel)];
    if (!isTemperatureUnit(unit)) return std::nullopt;
    const bool fahrenheit = isFahrenheitUnit(unit);
    const uint32_t count = std::min(store.recordCount, kLogCapacity);
    if (count == 0) return std::nullopt;
    const double ratio = activationEnergy / kGasConstant;  // kelvin
    const auto& values = store.values[static_cast<std::size_t>(channel)];
    const auto kelvinOf = [&](float value) {
        return (fahrenheit ? toCelsius(static_cast<double>(value)) : value) + kZeroCelsius;
    };
    // The exponents are near -30: sum them relative to the largest so that
    // nothing underflows, whatever the energy.
    double largest = -std::numeric_limits<double>::infinity();
    for (uint32_t i = 0; i < count; ++i) {
        const double kelvin = kelvinOf(values[i]);
        if (!(kelvin > 0.0) || !std::isfinite(kelvin)) return std::nullopt;
        largest = std::max(largest, -ratio / kelvin);
    }
    double sum = 0.0;
    for (uint32_t i = 0; i < count; ++i) {
        sum += std::exp(-ratio / kelvinOf(values[i]) - largest);
    }
    const double kelvin = ratio / -(std::log(sum / count) + largest);
    const double celsius = kelvin - kZeroCelsius;
    return fahrenheit ? toFahrenheit(celsius) : celsius;
}
