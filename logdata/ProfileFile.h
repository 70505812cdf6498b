#pragma once

#include <map>
#include <string>
#include <string_view>

#include "logdata/LimitsBook.h"

// The window's profile: its names, and its limits and energy read from the
// INI file the window's settings keep, without the window's toolkit, so that
// the command line finds what the window kept.

inline constexpr char kProfileOrganization[] = "Local AppWizard-Generated Applications";
inline constexpr char kProfileApplication[] = "Dravin Software for Data Logger";
// The group of every logger's limits; "Limits/<keeper name>" is one logger's.
inline constexpr char kLimitsGroupName[] = "Limits";
inline constexpr char kActivationEnergyKeyName[] = "View/ActivationEnergy";

// A channel's (0..3) limit key in a logger's group: "Channel1High", "Channel4Low".
std::string limitKeyName(int channel, bool high);
// The key of that limit's rule, "Channel1HighRule", when it is not "any".
std::string limitRuleKeyName(int channel, bool high);

// The profile file of the user: <XDG_CONFIG_HOME or ~/.config>/<organization>/
// <application>.conf; empty when neither folder is known.
std::string userProfilePath();

class ProfileFile : public LimitsSource {
public:
    // Reads the file; one that is missing or unreadable holds nothing.
    explicit ProfileFile(const std::string& path);
    // The profile's INI text.
    static ProfileFile fromText(std::string_view text);

    ChannelLimits limits(std::string_view serialNo) const override;
    double activationEnergy() const override;

    // The text of a key ("View/ActivationEnergy"), if the file has it.
    const std::string* value(const std::string& key) const;

private:
    ProfileFile() = default;
    void read(std::string_view text);

    std::map<std::string, std::string> values_;  // full key -> value text
};
