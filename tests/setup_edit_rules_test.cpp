// The rules by which an edit in the Setup pane's grid reaches LoggerSetup,
// without a window: the ranges of the number fields, the name in the
// logger's code page and the serial number.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "link/LoggerSetup.h"
#include "setup/CodePage.h"
#include "setup/SetupEdits.h"
#include "setup/SetupItems.h"
#include "support/CommaLocale.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

// Twenty Chinese characters, two bytes each in the logger's code page.
constexpr const char* kChineseName = "冷库一号温度记录仪东区二号仓库三层北侧门";
// The first twelve of them: 24 bytes.
constexpr const char* kChineseNameCut = "冷库一号温度记录仪东区二";
// U+1F600, four bytes in GB18030 (94 39 FC 36).
constexpr const char* kFourByteCharacter = "\xF0\x9F\x98\x80";

std::unique_ptr<LoggerSetup> makeSetup() {
    return std::make_unique<LoggerSetup>();
}

std::string nameBytes(const LoggerSetup& setup) {
    return std::string(setup.name, strnlen(setup.name, sizeof setup.name));
}

// ---- code page ------------------------------------------------------------

TEST(CodePage, ChineseTakesTwoBytesOfCodePage936) {
    EXPECT_EQ(encodeLoggerText("温度", 24), "\xCE\xC2\xB6\xC8");
    EXPECT_EQ(decodeLoggerText("\xCE\xC2\xB6\xC8"), "温度");
    EXPECT_EQ(encodeLoggerText("Cold room 3", 24), "Cold room 3");
}

TEST(CodePage, BeyondCodePage936TheGb18030FourByteFormIsUsed) {
    EXPECT_EQ(encodeLoggerText(kFourByteCharacter, 24), "\x94\x39\xFC\x36");
    EXPECT_EQ(decodeLoggerText("\x94\x39\xFC\x36"), kFourByteCharacter);
}

TEST(CodePage, DecodingStopsAtTheFirstZeroByte) {
    EXPECT_EQ(decodeLoggerText(std::string_view("AB\0CD", 5)), "AB");
    EXPECT_EQ(decodeLoggerText(std::string_view("\0\0\0", 3)), "");
}

TEST(CodePage, ABrokenCharacterShowsAsTheReplacementCharacter) {
    // A lead byte without its trail byte, at the end and in the middle.
    EXPECT_EQ(decodeLoggerText("AB\xCE"), "AB\xEF\xBF\xBD");
    EXPECT_EQ(decodeLoggerText("\xFF"
                               "AB"),
              "\xEF\xBF\xBD"
              "AB");
}

TEST(CodePage, TheCutNeverSplitsACharacter) {
    const std::string twoByte = "A\xCE\xC2\xB6\xC8";  // A, then two characters of two bytes
    EXPECT_EQ(characterBoundary(twoByte, 5), 5u);
    EXPECT_EQ(characterBoundary(twoByte, 4), 3u);
    EXPECT_EQ(characterBoundary(twoByte, 2), 1u);
    const std::string fourByte = "AB\x94\x39\xFC\x36";
    EXPECT_EQ(characterBoundary(fourByte, 6), 6u);
    EXPECT_EQ(characterBoundary(fourByte, 5), 2u);
    EXPECT_EQ(characterBoundary(fourByte, 3), 2u);
    // A lead byte the bytes end in is no character.
    EXPECT_EQ(characterBoundary("AB\xCE", 24), 2u);
}

TEST(CodePage, AByteThatIsNoUtf8IsLeftOut) {
    EXPECT_EQ(encodeLoggerText("A\xFF"
                               "B",
                               24),
              "AB");
}

// ---- name -----------------------------------------------------------------

TEST(NameEdit, AThirtyCharacterNameIsStoredAsItsFirst24) {
    auto setup = makeSetup();
    const SetupEdit edit = applySetupEdit(*setup, kItemName, "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234");
    EXPECT_TRUE(edit.stored);
    EXPECT_THAT(edit.note, HasSubstr("Cut to \"ABCDEFGHIJKLMNOPQRSTUVWX\""));
    EXPECT_EQ(std::string(setup->name, 25), std::string("ABCDEFGHIJKLMNOPQRSTUVWX\0", 25));
    EXPECT_EQ(setupItemText(*setup, kItemName), "ABCDEFGHIJKLMNOPQRSTUVWX");
}

TEST(NameEdit, TwentyChineseCharactersAreCutAt24BytesBetweenCharacters) {
    auto setup = makeSetup();
    EXPECT_TRUE(applySetupEdit(*setup, kItemName, kChineseName).stored);
    EXPECT_EQ(nameBytes(*setup), encodeLoggerText(kChineseNameCut, 24));
    EXPECT_EQ(nameBytes(*setup).size(), 24u);
    EXPECT_EQ(setup->name[24], '\0');
    EXPECT_EQ(setupItemText(*setup, kItemName), kChineseNameCut);
}

TEST(NameEdit, ACharacterThatWouldCrossByte24IsLeftOutWhole) {
    auto setup = makeSetup();
    // One ASCII letter, then two-byte characters: 23 bytes fit, the 25th would not.
    applySetupEdit(*setup, kItemName, std::string("A") + kChineseName);
    EXPECT_EQ(nameBytes(*setup).size(), 23u);
    EXPECT_EQ(setupItemText(*setup, kItemName), std::string("A") + "冷库一号温度记录仪东区");

    // A four-byte character that would end at byte 26.
    applySetupEdit(*setup, kItemName, std::string("ABCDEFGHIJKLMNOPQRSTUV") + kFourByteCharacter);
    EXPECT_EQ(nameBytes(*setup), "ABCDEFGHIJKLMNOPQRSTUV");
    // One that ends at byte 24 fits.
    applySetupEdit(*setup, kItemName, std::string("ABCDEFGHIJKLMNOPQRST") + kFourByteCharacter);
    EXPECT_EQ(nameBytes(*setup), "ABCDEFGHIJKLMNOPQRST\x94\x39\xFC\x36");
}

TEST(NameEdit, AShortNameLeavesZeroBytesBehindIt) {
    auto setup = makeSetup();
    std::memset(setup->name, 'x', sizeof setup->name);
    const SetupEdit edit = applySetupEdit(*setup, kItemName, "温度");
    EXPECT_TRUE(edit.stored);
    EXPECT_EQ(edit.note, "");
    EXPECT_EQ(std::string(setup->name, 25),
              std::string("\xCE\xC2\xB6\xC8") + std::string(21, '\0'));
}

TEST(NameEdit, AnEmptyNameStores25ZeroBytes) {
    auto setup = makeSetup();
    std::memset(setup->name, 'x', sizeof setup->name);
    EXPECT_TRUE(applySetupEdit(*setup, kItemName, "").stored);
    EXPECT_EQ(std::string(setup->name, 25), std::string(25, '\0'));
}

// ---- serial number --------------------------------------------------------

TEST(SerialNoEdit, TenCharactersAreStored) {
    auto setup = makeSetup();
    std::memcpy(setup->serialNo, "1234567890", 10);
    const SetupEdit edit = applySetupEdit(*setup, kItemSerialNo, "KM-52 0017");
    EXPECT_TRUE(edit.stored);
    EXPECT_EQ(std::string(setup->serialNo, 10), "KM-52 0017");
}

TEST(SerialNoEdit, NineOrElevenCharactersAreIgnored) {
    for (const char* typed : {"123456789", "12345678901", ""}) {
        SCOPED_TRACE(typed);
        auto setup = makeSetup();
        std::memcpy(setup->serialNo, "1234567890", 10);
        const SetupEdit edit = applySetupEdit(*setup, kItemSerialNo, typed);
        EXPECT_FALSE(edit.stored);
        EXPECT_EQ(std::string(setup->serialNo, 10), "1234567890");
        EXPECT_THAT(edit.note, HasSubstr("exactly 10 printable ASCII characters"));
    }
}

TEST(SerialNoEdit, SlashesControlAndNonAsciiCharactersAreRefused) {
    const char* refused[] = {"12345/7890",
                             "12345\\7890",
                             "12345\t7890",
                             ("1234567\x7F"
                              "90"),
                             "温3456789",
                             "1234567é9"};
    for (const char* typed : refused) {
        SCOPED_TRACE(typed);
        auto setup = makeSetup();
        std::memcpy(setup->serialNo, "1234567890", 10);
        EXPECT_FALSE(applySetupEdit(*setup, kItemSerialNo, typed).stored);
        EXPECT_EQ(std::string(setup->serialNo, 10), "1234567890");
    }
    EXPECT_TRUE(isValidSerialNo("~!@#$%^&*("));
}

// ---- numbers --------------------------------------------------------------

TEST(NumberEdit, ASamplingIntervalOf300IsRefusedNotCutTo44) {
    auto setup = makeSetup();
    setup->samplingInterval = 10;
    const SetupEdit edit = applySetupEdit(*setup, kItemSamplingInterval, "300");
    EXPECT_FALSE(edit.stored);
    EXPECT_EQ(setup->samplingInterval, 10);
    EXPECT_EQ(edit.note, "Not stored: \"300\". Allowed: a whole number from 0 to 255.");

    EXPECT_TRUE(applySetupEdit(*setup, kItemSamplingInterval, "255").stored);
    EXPECT_EQ(setup->samplingInterval, 255);
    // Sync, not the grid, holds the interval to 1..240.
    EXPECT_TRUE(applySetupEdit(*setup, kItemSamplingInterval, "0").stored);
    EXPECT_EQ(setup->samplingInterval, 0);
    EXPECT_FALSE(applySetupEdit(*setup, kItemSamplingInterval, "-1").stored);
    EXPECT_EQ(setup->samplingInterval, 0);
}

TEST(NumberEdit, AChannel2LimitOf70000IsRefusedAndMinus50Accepted) {
    auto setup = makeSetup();
    setup->ch2High = 900;
    const SetupEdit edit = applySetupEdit(*setup, kItemCh2High, "70000");
    EXPECT_FALSE(edit.stored);
    EXPECT_EQ(setup->ch2High, 900);
    EXPECT_EQ(edit.note, "Not stored: \"70000\". Allowed: a whole number from -32768 to 32767.");

    EXPECT_TRUE(applySetupEdit(*setup, kItemCh2High, "-50").stored);
    EXPECT_EQ(setup->ch2High, -50);
    EXPECT_EQ(setupItemText(*setup, kItemCh2High), "-50");
}

TEST(NumberEdit, EachFieldTakesTheRangeOfItsWidthOnTheWire) {
    struct Case {
        int item;
        int64_t lowest;
        int64_t highest;
    };
    const Case cases[] = {
        {kItemSamplingInterval, 0, 255},         {kItemLogInterval, 0, 4294967295},
        {kItemCh1High, -2147483648, 2147483647}, {kItemCh1Low, -2147483648, 2147483647},
        {kItemCh2High, -32768, 32767},           {kItemCh2Low, -32768, 32767},
        {kItemCh3High, -32768, 32767},           {kItemCh3Low, -32768, 32767},
        {kItemCh4High, -32768, 32767},           {kItemCh4Low, -32768, 32767},
        {kItemCh1Offset, -32768, 32767},         {kItemCh2Offset, -32768, 32767},
        {kItemCh3Offset, -32768, 32767},         {kItemCh4Offset, -32768, 32767},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        const auto range = numberRange(c.item);
        ASSERT_TRUE(range.has_value());
        EXPECT_EQ(range->lowest, c.lowest);
        EXPECT_EQ(range->highest, c.highest);
        auto setup = makeSetup();
        for (int64_t value : {c.lowest, c.highest}) {
            EXPECT_TRUE(applySetupEdit(*setup, c.item, std::to_string(value)).stored);
            EXPECT_EQ(setupItemText(*setup, c.item), std::to_string(value));
        }
        const std::string held = setupItemText(*setup, c.item);
        EXPECT_FALSE(applySetupEdit(*setup, c.item, std::to_string(c.lowest - 1)).stored);
        EXPECT_FALSE(applySetupEdit(*setup, c.item, std::to_string(c.highest + 1)).stored);
        EXPECT_EQ(setupItemText(*setup, c.item), held);
    }
}

TEST(NumberEdit, EachItemReachesItsOwnField) {
    auto setup = makeSetup();
    const int items[] = {kItemSamplingInterval, kItemLogInterval, kItemCh1High,   kItemCh1Low,
                         kItemCh2High,          kItemCh2Low,      kItemCh3High,   kItemCh3Low,
                         kItemCh4High,          kItemCh4Low,      kItemCh1Offset, kItemCh2Offset,
                         kItemCh3Offset,        kItemCh4Offset};
    int value = 1;
    for (int item : items)
        ASSERT_TRUE(applySetupEdit(*setup, item, std::to_string(value++)).stored);
    EXPECT_EQ(setup->samplingInterval, 1);
    EXPECT_EQ(setup->logInterval, 2u);
    EXPECT_EQ(setup->ch1High, 3);
    EXPECT_EQ(setup->ch1Low, 4);
    EXPECT_EQ(setup->ch2High, 5);
    EXPECT_EQ(setup->ch2Low, 6);
    EXPECT_EQ(setup->ch3High, 7);
    EXPECT_EQ(setup->ch3Low, 8);
    EXPECT_EQ(setup->ch4High, 9);
    EXPECT_EQ(setup->ch4Low, 10);
    EXPECT_THAT(setup->offsets, ElementsAre(11, 12, 13, 14));
}

TEST(NumberEdit, OnlyAWholeNumberIsTaken) {
    EXPECT_EQ(parseWholeNumber("42"), 42);
    EXPECT_EQ(parseWholeNumber(" -42 "), -42);
    EXPECT_EQ(parseWholeNumber("+42"), 42);
    EXPECT_EQ(parseWholeNumber("007"), 7);
    for (const char* text :
         {"", " ", "-", "+", "+-4", "4.5", "4e2", "0x10", "12a", "1 2", "99999999999999999999"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(parseWholeNumber(text).has_value());
    }
    auto setup = makeSetup();
    setup->logInterval = 60;
    const SetupEdit edit = applySetupEdit(*setup, kItemLogInterval, "1 minute");
    EXPECT_FALSE(edit.stored);
    EXPECT_EQ(setup->logInterval, 60u);
    EXPECT_THAT(edit.note, HasSubstr("from 0 to 4294967295"));
}

TEST(NumberEdit, ReadOnlyItemsTakeNothing) {
    for (int item : {kItemCatalogue, kItemModel, kItemHardware, kItemLogsCount, kItemManuLogs,
                     kItemCapacity, 0}) {
        SCOPED_TRACE(item);
        auto setup = makeSetup();
        EXPECT_FALSE(applySetupEdit(*setup, item, "7").stored);
        EXPECT_EQ(setup->logsCount, 0u);
        EXPECT_EQ(setup->capacity, 0);
        EXPECT_EQ(setup->manuLogsCount, 0);
        EXPECT_EQ(setup->model[0], '\0');
    }
}

// ---- the items ------------------------------------------------------------

TEST(SetupItems, SevenCategoriesOf22Items) {
    std::vector<std::string> categories;
    std::vector<int> ids;
    for (const SetupCategorySpec& category : setupCategories()) {
        categories.emplace_back(category.caption);
        for (const SetupItemSpec& item : category.items) ids.push_back(item.id);
    }
    EXPECT_THAT(categories, ElementsAre("A.System", "B.Sampling", "C.Storage", "D1.CH1", "D2.CH2",
                                        "D3.CH3", "D4.CH4"));
    EXPECT_THAT(ids, ElementsAre(106, 109, 107, 108, 110, 113, 114, 121, 155, 122, 126, 127, 151,
                                 129, 130, 152, 148, 147, 153, 149, 150, 154));
    EXPECT_EQ(ids.size(), static_cast<size_t>(kSetupItemCount));
}

TEST(SetupItems, CaptionsDescriptionsAndWhatCanBeEdited) {
    const SetupItemSpec* sn = findSetupItem(kItemSerialNo);
    ASSERT_NE(sn, nullptr);
    EXPECT_EQ(itemCaption(*sn), "2. SN ");
    EXPECT_EQ(itemDescription(*sn), "");
    const SetupItemSpec* sampling = findSetupItem(kItemSamplingInterval);
    ASSERT_NE(sampling, nullptr);
    EXPECT_EQ(itemCaption(*sampling), "1. Sampling Interval");
    EXPECT_EQ(itemDescription(*sampling), " 1-240 seconds.");
    EXPECT_EQ(itemDescription(*findSetupItem(kItemLogInterval)), " 2 - 86400 seconds");
    EXPECT_EQ(itemCaption(*findSetupItem(kItemCh2High)), "1. Upper Limit");
    EXPECT_EQ(itemCaption(*findSetupItem(kItemCh3Low)), "2. CH3 Low");
    EXPECT_EQ(findSetupItem(999), nullptr);

    std::vector<int> readOnly;
    for (const SetupCategorySpec& category : setupCategories()) {
        for (const SetupItemSpec& item : category.items) {
            if (!item.editable) readOnly.push_back(item.id);
            // Every editable item has its rule, every read-only one none.
            const bool hasRule = item.id == kItemName || item.id == kItemSerialNo ||
                                 numberRange(item.id).has_value();
            EXPECT_EQ(hasRule, item.editable) << item.id;
            EXPECT_EQ(item.kind == SetupItemKind::Number, numberRange(item.id).has_value())
                << item.id;
        }
    }
    EXPECT_THAT(readOnly, ElementsAre(107, 108, 110, 121, 155, 122));
}

// The logger holds limits and offsets in tenths of the channel's unit, which
// its channel configuration decides.
TEST(SetupItems, LimitsAndOffsetsAreDescribedInTenthsOfTheChannelsUnit) {
    auto setup = makeSetup();
    setup->ch1High = 300;
    setup->ch1Low = INT32_MIN;
    setup->ch2High = 650;
    setup->ch3Low = -1;
    setup->offsets[3] = -5;
    const struct {
        uint16_t config;
        int id;
        const char* description;
    } cases[] = {
        {5, kItemCh1High, "Tenths of the channel's unit: 300 is 30.0 oC."},
        {5, kItemCh1Low, "Tenths of the channel's unit: -2147483648 is -214748364.8 oC."},
        {5, kItemCh2High, "Tenths of the channel's unit: 650 is 65.0 %RH."},
        {5, kItemCh3Low, "Tenths of the channel's unit: -1 is -0.1 oC."},
        {5, kItemCh4Offset, "Tenths of the channel's unit: -5 is -0.5 %RH."},
        {6, kItemCh4Offset, "Tenths of the channel's unit: -5 is -0.5 %RH."},
        {4, kItemCh2High, "Tenths of the channel's unit: 650 is 65.0 oC."},
        // A one-channel logger's other channels count as temperatures.
        {0, kItemCh2High, "Tenths of the channel's unit: 650 is 65.0 oC."},
        {5, kItemCh1Offset, "Tenths of the channel's unit: 0 is 0.0 oC."},
        {5, kItemSamplingInterval, " 1-240 seconds."},
        {5, kItemLogInterval, " 2 - 86400 seconds"},
        {5, kItemName, ""},
        {5, kItemCapacity, ""},
        {5, 999, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "config " << c.config << ", item " << c.id);
        setup->channelConfig = c.config;
        EXPECT_EQ(setupItemDescription(*setup, c.id), c.description);
    }
    CommaLocale comma;
    ASSERT_TRUE(comma.active()) << kCommaLocaleMissing;
    EXPECT_EQ(setupItemDescription(*setup, kItemCh3Low),
              "Tenths of the channel's unit: -1 is -0.1 oC.");
}

TEST(SetupItems, AZeroSetupShowsEmptyTextsAndZeros) {
    auto setup = makeSetup();
    for (const SetupCategorySpec& category : setupCategories()) {
        for (const SetupItemSpec& item : category.items) {
            SCOPED_TRACE(item.id);
            const std::string text = setupItemText(*setup, item.id);
            if (item.id == kItemCatalogue)
                EXPECT_EQ(text, "Instruments");
            else if (item.kind == SetupItemKind::Number || item.id == kItemLogsCount ||
                     item.id == kItemManuLogs || item.id == kItemCapacity)
                EXPECT_EQ(text, "0");
            else
                EXPECT_EQ(text, "");
        }
    }
}

TEST(SetupItems, FieldsShowAsTheLoggerHoldsThem) {
    auto setup = makeSetup();
    std::memcpy(setup->name, "\xCE\xC2\xB6\xC8 3\0", 7);
    std::memcpy(setup->serialNo, "KM52000017", 10);
    std::memcpy(setup->model, "KM520A", 6);
    std::memcpy(setup->hardwareVersion, "V2.10", 5);
    setup->samplingInterval = 200;
    setup->logInterval = 86400;
    setup->logsCount = 4000000000u;
    setup->manuLogsCount = -2;
    setup->capacity = 10000;
    setup->ch1High = -2147483647 - 1;
    setup->ch4Low = -32768;
    setup->offsets[3] = 257;
    EXPECT_EQ(setupItemText(*setup, kItemName), "温度 3");
    EXPECT_EQ(setupItemText(*setup, kItemSerialNo), "KM52000017");
    EXPECT_EQ(setupItemText(*setup, kItemModel), "KM520A");
    EXPECT_EQ(setupItemText(*setup, kItemHardware), "V2.10");
    EXPECT_EQ(setupItemText(*setup, kItemSamplingInterval), "200");
    EXPECT_EQ(setupItemText(*setup, kItemLogInterval), "86400");
    EXPECT_EQ(setupItemText(*setup, kItemLogsCount), "4000000000");
    EXPECT_EQ(setupItemText(*setup, kItemManuLogs), "-2");
    EXPECT_EQ(setupItemText(*setup, kItemCapacity), "10000");
    EXPECT_EQ(setupItemText(*setup, kItemCh1High), "-2147483648");
    EXPECT_EQ(setupItemText(*setup, kItemCh4Low), "-32768");
    EXPECT_EQ(setupItemText(*setup, kItemCh4Offset), "257");
    // A name of all 24 bytes, without its zero byte.
    std::memset(setup->name, 'N', sizeof setup->name);
    EXPECT_EQ(setupItemText(*setup, kItemName), std::string(24, 'N'));
}

}  // namespace
