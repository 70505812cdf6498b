#include "setup/SetupItems.h"

#include <cstdint>
#include <cstring>
#include <iterator>
#include <optional>

#include "base/NumberFormat.h"
#include "base/Texts.h"
#include "link/LoggerSetup.h"
#include "logdata/LogStore.h"
#include "logdata/Units.h"
#include "setup/CodePage.h"

namespace {

using enum SetupItemKind;

constexpr SetupItemSpec kSystem[] = {
    {kItemName, txNoop("1. Name"), Text, true},
    {kItemSerialNo, txNoop("2. SN "), Text, true},
    {kItemCatalogue, txNoop("3. Catalogue"), Text, false},
    {kItemModel, txNoop("4. Model"), Text, false},
    {kItemHardware, txNoop("5. Hardware"), Text, false},
};

constexpr SetupItemSpec kSampling[] = {
    {kItemSamplingInterval, txNoop("1. Sampling Interval\n 1-240 seconds."), Number, true},
    {kItemLogInterval, txNoop("2. Log Interval\n 2 - 86400 seconds"), Number, true},
};

constexpr SetupItemSpec kStorage[] = {
    {kItemLogsCount, txNoop("1. Logs Count"), Text, false},
    {kItemManuLogs, txNoop("2. MANU Logs"), Text, false},
    {kItemCapacity, txNoop("3. Capacity"), Text, false},
};

constexpr SetupItemSpec kChannel1[] = {
    {kItemCh1High, txNoop("1. CH1 High Limit"), Number, true},
    {kItemCh1Low, txNoop("2. CH1 Low Limit"), Number, true},
    {kItemCh1Offset, txNoop("3. Offset"), Number, true},
};

constexpr SetupItemSpec kChannel2[] = {
    {kItemCh2High, txNoop("1. Upper Limit"), Number, true},
    {kItemCh2Low, txNoop("2. Low Limit"), Number, true},
    {kItemCh2Offset, txNoop("3. Offset"), Number, true},
};

constexpr SetupItemSpec kChannel3[] = {
    {kItemCh3High, txNoop("1. CH3 High"), Number, true},
    {kItemCh3Low, txNoop("2. CH3 Low"), Number, true},
    {kItemCh3Offset, txNoop("3. Offset"), Number, true},
};

constexpr SetupItemSpec kChannel4[] = {
    {kItemCh4High, txNoop("1. CH4 High"), Number, true},
    {kItemCh4Low, txNoop("2. CH4 Low"), Number, true},
    {kItemCh4Offset, txNoop("3. Offset"), Number, true},
};

constexpr SetupCategorySpec kCategories[] = {
    {txNoop("A.System"), kSystem},   {txNoop("B.Sampling"), kSampling},
    {txNoop("C.Storage"), kStorage}, {txNoop("D1.CH1"), kChannel1},
    {txNoop("D2.CH2"), kChannel2},   {txNoop("D3.CH3"), kChannel3},
    {txNoop("D4.CH4"), kChannel4},
};

// A fixed-length text field of the setup, up to its first zero byte.
template <size_t N>
std::string fieldText(const char (&field)[N]) {
    return decodeLoggerText(std::string_view(field, N));
}

constexpr double kTenthsPerUnit = 10.0;
constexpr std::size_t kDescriptionBuffer = 160;

// A limit or an offset: a whole number of tenths of channel index 0..3's unit.
struct ChannelTenths {
    int channel;
    int64_t tenths;
};

std::optional<ChannelTenths> channelTenths(const LoggerSetup& s, int id) {
    switch (id) {
        case kItemCh1High:
            return ChannelTenths{0, s.ch1High};
        case kItemCh1Low:
            return ChannelTenths{0, s.ch1Low};
        case kItemCh2High:
            return ChannelTenths{1, s.ch2High};
        case kItemCh2Low:
            return ChannelTenths{1, s.ch2Low};
        case kItemCh3High:
            return ChannelTenths{2, s.ch3High};
        case kItemCh3Low:
            return ChannelTenths{2, s.ch3Low};
        case kItemCh4High:
            return ChannelTenths{3, s.ch4High};
        case kItemCh4Low:
            return ChannelTenths{3, s.ch4Low};
        case kItemCh1Offset:
        case kItemCh2Offset:
        case kItemCh3Offset:
        case kItemCh4Offset:
            return ChannelTenths{id - kItemCh1Offset, s.offsets[id - kItemCh1Offset]};
        default:
            return std::nullopt;
    }
}

std::string tenthsDescription(const LoggerSetup& s, const ChannelTenths& value) {
    const std::string whole = std::to_string(value.tenths);
    const std::string inUnits = fixedText(static_cast<double>(value.tenths) / kTenthsPerUnit, 1);
    const char* unit = unitText(channelUnitCode(s.channelConfig, value.channel));
    char text[kDescriptionBuffer];
    formatC(text, tx("Tenths of the channel's unit: %s is %s %s."), whole.c_str(), inUnits.c_str(),
            unit);
    return text;
}

}  // namespace

std::span<const SetupCategorySpec> setupCategories() {
    return kCategories;
}

const SetupItemSpec* findSetupItem(int id) {
    for (const SetupCategorySpec& category : kCategories) {
        for (const SetupItemSpec& item : category.items) {
            if (item.id == id) return &item;
        }
    }
    return nullptr;
}

std::string_view itemCaption(const SetupItemSpec& item) {
    const std::string_view resource = tx(item.resource);
    return resource.substr(0, resource.find('\n'));
}

std::string_view itemDescription(const SetupItemSpec& item) {
    const std::string_view resource = tx(item.resource);
    const size_t lineBreak = resource.find('\n');
    return lineBreak == std::string_view::npos ? std::string_view()
                                               : resource.substr(lineBreak + 1);
}

std::string setupItemDescription(const LoggerSetup& setup, int id) {
    if (const std::optional<ChannelTenths> value = channelTenths(setup, id))
        return tenthsDescription(setup, *value);
    const SetupItemSpec* item = findSetupItem(id);
    return item ? std::string(itemDescription(*item)) : std::string();
}

std::string setupItemText(const LoggerSetup& s, int id) {
    if (const std::optional<ChannelTenths> value = channelTenths(s, id))
        return std::to_string(value->tenths);
    switch (id) {
        case kItemName:
            // The held name is 24 bytes and a zero byte; a name from a logger
            // or a file may fill all 24.
            return decodeLoggerText(std::string_view(s.name, kSetupNameLength));
        case kItemSerialNo:
            return fieldText(s.serialNo);
        case kItemCatalogue:
            return kCatalogueText;
        case kItemModel:
            return fieldText(s.model);
        case kItemHardware:
            return fieldText(s.hardwareVersion);
        case kItemSamplingInterval:
            return std::to_string(s.samplingInterval);
        case kItemLogInterval:
            return std::to_string(s.logInterval);
        case kItemLogsCount:
            return std::to_string(s.logsCount);
        case kItemManuLogs:
            return std::to_string(s.manuLogsCount);
        case kItemCapacity:
            return std::to_string(s.capacity);
        default:
            return {};
    }
}
