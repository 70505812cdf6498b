#include "logdata/Units.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>

#include "logdata/LogStore.h"

TEST(Units, EachCodeHasItsText) {
    const char* const texts[] = {"oC", "%RH", "PPM", "mBar", "Lux", "F", "I/O"};
    for (std::size_t code = 0; code < std::size(texts); ++code) {
        EXPECT_STREQ(unitText(static_cast<uint8_t>(code)), texts[code]) << code;
    }
    EXPECT_STREQ(unitText(7), "Un");
    EXPECT_STREQ(unitText(255), "Un");
}

TEST(Units, OnlyCelsiusAndFahrenheitAreTemperatures) {
    const struct {
        std::string_view unit;
        bool temperature;
        bool fahrenheit;
        bool shownInFahrenheit;  // while °F is chosen
    } cases[] = {
        {"oC", true, false, true},    {"F", true, true, false},    {"%RH", false, false, false},
        {"PPM", false, false, false}, {"Un", false, false, false}, {"", false, false, false},
        {"oc", false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.unit));
        EXPECT_EQ(isTemperatureUnit(c.unit), c.temperature);
        EXPECT_EQ(isFahrenheitUnit(c.unit), c.fahrenheit);
        EXPECT_EQ(showsFahrenheit(c.unit, true), c.shownInFahrenheit);
        EXPECT_FALSE(showsFahrenheit(c.unit, false));
    }
}

TEST(Units, DoublesConvertAsFloatsDo) {
    const struct {
        double celsius;
        double fahrenheit;
    } cases[] = {{0.0, 32.0}, {100.0, 212.0}, {-40.0, -40.0}, {37.0, 98.6}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.celsius);
        EXPECT_DOUBLE_EQ(toFahrenheit(c.celsius), c.fahrenheit);
        EXPECT_DOUBLE_EQ(toCelsius(c.fahrenheit), c.celsius);
        EXPECT_FLOAT_EQ(toFahrenheit(static_cast<float>(c.celsius)),
                        static_cast<float>(c.fahrenheit));
    }
}

TEST(Units, AStoreChannelShowsItsValueAndUnitAsChosen) {
    auto store = std::make_unique<LogStore>();
    store->setChannelUnit(0, 0);  // oC
    store->setChannelUnit(1, 1);  // %RH
    store->setChannelUnit(2, 5);  // F
    store->setChannelUnit(3, 0);
    EXPECT_DOUBLE_EQ(shownValue(*store, 0, 25.0, true), 77.0);
    EXPECT_FLOAT_EQ(shownValue(*store, 0, 25.0f, true), 77.0f);
    EXPECT_DOUBLE_EQ(shownValue(*store, 0, 25.0, false), 25.0);
    EXPECT_DOUBLE_EQ(shownValue(*store, 1, 25.0, true), 25.0);
    EXPECT_DOUBLE_EQ(shownValue(*store, 2, 77.0, true), 77.0);
    EXPECT_DOUBLE_EQ(shownValue(*store, kChannels, 25.0, true), 25.0);
    EXPECT_EQ(shownUnitText(*store, 0, true), "F");
    EXPECT_EQ(shownUnitText(*store, 0, false), "oC");
    EXPECT_EQ(shownUnitText(*store, 1, true), "%RH");
    EXPECT_EQ(shownUnitText(*store, -1, true), "");
}
