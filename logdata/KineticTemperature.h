#pragma once

#include <optional>

struct LogStore;

// The mean kinetic temperature: the single temperature that would age goods
// as much as the recorded ones did,
//   MKT = (dH / R) / -ln( sum_i exp(-dH / (R * T_i)) / n ),  T_i in kelvin.
inline constexpr double kDefaultActivationEnergy = 83144.0;  // J/mol, 83.144 kJ/mol
inline constexpr double kGasConstant = 8.314462618;          // J/(mol K)

// The MKT of the channel's records, in the channel's own unit (°C for "oC",
// °F for "F"); nothing for a channel that is no temperature, an empty store,
// an activation energy that is not positive or a value below absolute zero.
std::optional<double> meanKineticTemperature(const LogStore& store, int channel,
                                             double activationEnergy = kDefaultActivationEnergy);
