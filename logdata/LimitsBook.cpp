#include "logdata/LimitsBook.h"

#include <cstring>

namespace {

// The logger's limits come in tenths of the channel's unit.
constexpr float kTenthsPerUnit = 10.0f;

bool namesKeeper(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' ||
           c == '_';
}

ChannelLimit limitOfTenths(int32_t high, int32_t low) {
    return {static_cast<float>(high) / kTenthsPerUnit, static_cast<float>(low) / kTenthsPerUnit};
}

}  // namespace

std::string_view loggerSerial(const LoggerSetup& setup) {
    return {setup.serialNo, strnlen(setup.serialNo, sizeof setup.serialNo)};
}

std::string limitsKeeperName(std::string_view serialNo) {
    std::string name;
    for (const char c : serialNo) {
        if (c == '\0') break;
        name += namesKeeper(c) ? c : '_';
    }
    while (!name.empty() && name.back() == '_') name.pop_back();
    return name;
}

ChannelLimits loggerLimits(const LoggerSetup& setup) {
    return {limitOfTenths(setup.ch1High, setup.ch1Low), limitOfTenths(setup.ch2High, setup.ch2Low),
            limitOfTenths(setup.ch3High, setup.ch3Low), limitOfTenths(setup.ch4High, setup.ch4Low)};
}

ChannelLimits limitsForLog(LimitsBook& book, std::string_view serialNo, bool shownAreKept,
                           const ChannelLimits& shown) {
    const ChannelLimits kept = book.limits(serialNo);
    if (anyLimit(kept) || shownAreKept) return kept;
    if (!limitsKeeperName(serialNo).empty()) book.setLimits(serialNo, shown);
    return shown;
}
