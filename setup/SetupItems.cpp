#include "setup/SetupItems.h"

#include <cstring>
#include <iterator>

#include "link/LoggerSetup.h"
#include "setup/CodePage.h"

namespace {

using enum SetupItemKind;

constexpr SetupItemSpec kSystem[] = {
    {kItemName, "1. Name", Text, true},
    {kItemSerialNo, "2. SN ", Text, true},
    {kItemCatalogue, "3. Catalogue", Text, false},
    {kItemModel, "4. Model", Text, false},
    {kItemHardware, "5. Hardware", Text, false},
};

constexpr SetupItemSpec kSampling[] = {
    {kItemSamplingInterval, "1. Sampling Interval\n 1-240 seconds.", Number, true},
    {kItemLogInterval, "2. Log Interval\n 2 - 86400 seconds", Number, true},
};

constexpr SetupItemSpec kStorage[] = {
    {kItemLogsCount, "1. Logs Count", Text, false},
    {kItemManuLogs, "2. MANU Logs", Text, false},
    {kItemCapacity, "3. Capacity", Text, false},
};

constexpr SetupItemSpec kChannel1[] = {
    {kItemCh1High, "1. CH1 High Limit", Number, true},
    {kItemCh1Low, "2. CH1 Low Limit", Number, true},
    {kItemCh1Offset, "3. Offset", Number, true},
};

constexpr SetupItemSpec kChannel2[] = {
    {kItemCh2High, "1. Upper Limit", Number, true},
    {kItemCh2Low, "2. Low Limit", Number, true},
    {kItemCh2Offset, "3. Offset", Number, true},
};

constexpr SetupItemSpec kChannel3[] = {
    {kItemCh3High, "1. CH3 High", Number, true},
    {kItemCh3Low, "2. CH3 Low", Number, true},
    {kItemCh3Offset, "3. Offset", Number, true},
};

constexpr SetupItemSpec kChannel4[] = {
    {kItemCh4High, "1. CH4 High", Number, true},
    {kItemCh4Low, "2. CH4 Low", Number, true},
    {kItemCh4Offset, "3. Offset", Number, true},
};

constexpr SetupCategorySpec kCategories[] = {
    {"A.System", kSystem}, {"B.Sampling", kSampling}, {"C.Storage", kStorage},
    {"D1.CH1", kChannel1}, {"D2.CH2", kChannel2},     {"D3.CH3", kChannel3},
    {"D4.CH4", kChannel4},
};

// A fixed-length text field of the setup, up to its first zero byte.
template <size_t N>
std::string fieldText(const char (&field)[N]) {
    return decodeLoggerText(std::string_view(field, N));
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
    const std::string_view resource = item.resource;
    return resource.substr(0, resource.find('\n'));
}

std::string_view itemDescription(const SetupItemSpec& item) {
    const std::string_view resource = item.resource;
    const size_t lineBreak = resource.find('\n');
    return lineBreak == std::string_view::npos ? std::string_view()
                                               : resource.substr(lineBreak + 1);
}

std::string setupItemText(const LoggerSetup& s, int id) {
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
        case kItemCh1High:
            return std::to_string(s.ch1High);
        case kItemCh1Low:
            return std::to_string(s.ch1Low);
        case kItemCh2High:
            return std::to_string(s.ch2High);
        case kItemCh2Low:
            return std::to_string(s.ch2Low);
        case kItemCh3High:
            return std::to_string(s.ch3High);
        case kItemCh3Low:
            return std::to_string(s.ch3Low);
        case kItemCh4High:
            return std::to_string(s.ch4High);
        case kItemCh4Low:
            return std::to_string(s.ch4Low);
        case kItemCh1Offset:
        case kItemCh2Offset:
        case kItemCh3Offset:
        case kItemCh4Offset:
            return std::to_string(s.offsets[id - kItemCh1Offset]);
        default:
            return {};
    }
}
