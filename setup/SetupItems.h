#pragma once

#include <span>
#include <string>
#include <string_view>

struct LoggerSetup;

// The items of the Setup pane's grid: seven categories, 22 items. Each item's
// id is the number of its string resource, which holds its caption and, after
// a line break, its description.

inline constexpr int kItemName = 106;
inline constexpr int kItemCatalogue = 107;
inline constexpr int kItemModel = 108;
inline constexpr int kItemSerialNo = 109;
inline constexpr int kItemHardware = 110;
inline constexpr int kItemSamplingInterval = 113;
inline constexpr int kItemLogInterval = 114;
inline constexpr int kItemLogsCount = 121;
inline constexpr int kItemCapacity = 122;
inline constexpr int kItemCh1High = 126;
inline constexpr int kItemCh1Low = 127;
inline constexpr int kItemCh2High = 129;
inline constexpr int kItemCh2Low = 130;
inline constexpr int kItemCh3Low = 147;
inline constexpr int kItemCh3High = 148;
inline constexpr int kItemCh4High = 149;
inline constexpr int kItemCh4Low = 150;
inline constexpr int kItemCh1Offset = 151;
inline constexpr int kItemCh2Offset = 152;
inline constexpr int kItemCh3Offset = 153;
inline constexpr int kItemCh4Offset = 154;
inline constexpr int kItemManuLogs = 155;

inline constexpr int kSetupItemCount = 22;

// What the catalogue item always shows.
inline constexpr const char* kCatalogueText = "Instruments";

enum class SetupItemKind {
    Text,    // free text
    Number,  // a whole number the user types
};

struct SetupItemSpec {
    int id;
    const char* resource;  // caption, then "\n" and the description (or nothing)
    SetupItemKind kind;
    bool editable;
};

struct SetupCategorySpec {
    const char* caption;
    std::span<const SetupItemSpec> items;
};

// The categories in display order, each with its items in display order.
std::span<const SetupCategorySpec> setupCategories();
// The item with this id; nullptr for any other id.
const SetupItemSpec* findSetupItem(int id);

// The two halves of an item's string resource.
std::string_view itemCaption(const SetupItemSpec& item);
std::string_view itemDescription(const SetupItemSpec& item);

// What the description area says of item `id` for `setup`, in UTF-8: its
// string resource's description; for a limit or an offset, which the logger
// holds in tenths of its channel's unit, that scale with the item's value
// ("Tenths of the channel's unit: 300 is 30.0 oC."), the unit being the one
// the setup's channel configuration gives the channel. Empty for an unknown id.
std::string setupItemDescription(const LoggerSetup& setup, int id);

// What item `id` shows for `setup`, in UTF-8: texts up to their first zero
// byte, decoded from the logger's code page; numbers in decimal. Empty for an
// unknown id.
std::string setupItemText(const LoggerSetup& setup, int id);
