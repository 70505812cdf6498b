#include "setup/SetupItems.h"

#include <cstring>
#include <iterator>

#include "base/Texts.h"
#include "link/LoggerSetup.h"
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
