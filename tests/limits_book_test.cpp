#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "link/LoggerSetup.h"
#include "logdata/KineticTemperature.h"
#include "logdata/LimitsBook.h"
#include "logdata/ProfileFile.h"
#include "support/TempDir.h"

namespace {

LoggerSetup setupWithSerial(std::string_view serial) {
    LoggerSetup setup{};
    std::memcpy(setup.serialNo, serial.data(), std::min(serial.size(), sizeof setup.serialNo));
    return setup;
}

// A book in memory that counts what is kept in it.
class MemoryBook : public LimitsBook {
public:
    ChannelLimits limits(std::string_view serialNo) const override {
        const auto found = kept.find(limitsKeeperName(serialNo));
        return found == kept.end() ? ChannelLimits{} : found->second;
    }
    void setLimits(std::string_view serialNo, const ChannelLimits& limits) override {
        const std::string name = limitsKeeperName(serialNo);
        if (name.empty()) return;
        kept[name] = limits;
        ++writes;
    }
    double activationEnergy() const override { return energy; }
    void setActivationEnergy(double joulesPerMole) override { energy = joulesPerMole; }

    std::map<std::string, ChannelLimits> kept;
    int writes = 0;
    double energy = kDefaultActivationEnergy;
};

ChannelLimits oneLimit(float high, std::optional<float> low = std::nullopt) {
    ChannelLimits limits{};
    limits[0] = {high, low};
    return limits;
}

// Sets an environment variable for the test's time, as it was before after.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

}  // namespace

TEST(LimitsBook, ALoggerGoesByItsSerialNumberUpToAZeroByte) {
    EXPECT_EQ(loggerSerial(setupWithSerial("1234567890")), "1234567890");
    EXPECT_EQ(loggerSerial(setupWithSerial("KM30")), "KM30");
    EXPECT_EQ(loggerSerial(setupWithSerial("")), "");
}

TEST(LimitsBook, TheKeeperNameKeepsOnlyPlainCharacters) {
    const struct {
        std::string_view serial;
        std::string name;
    } cases[] = {
        {"1234567890", "1234567890"},
        {"KM-30_a", "KM-30_a"},
        {"KM 30", "KM_30"},
        {"KM30    ", "KM30"},                                // blank padding goes
        {std::string_view("KM30\0\0\0\0\0\0", 10), "KM30"},  // so does zero padding
        {std::string_view("AB\0CD", 5), "AB"},               // nothing after a zero byte counts
        {"A/B\\C", "A_B_C"},                                 // no group inside a group
        {"__", ""},
        {"   ", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.serial));
        EXPECT_EQ(limitsKeeperName(c.serial), c.name);
    }
}

TEST(LimitsBook, TheLoggersTenthsBecomeValues) {
    LoggerSetup setup{};
    setup.ch1High = 300;
    setup.ch1Low = -55;
    setup.ch2High = 800;
    setup.ch2Low = 200;
    setup.ch3High = 0;
    setup.ch3Low = -1;
    setup.ch4High = 32767;
    setup.ch4Low = -32768;
    const ChannelLimits limits = loggerLimits(setup);
    const ChannelLimit expected[] = {
        {30.0f, -5.5f}, {80.0f, 20.0f}, {0.0f, -0.1f}, {3276.7f, -3276.8f}};
    for (int c = 0; c < kChannels; ++c) {
        SCOPED_TRACE(c);
        const auto& limit = limits[static_cast<std::size_t>(c)];
        ASSERT_TRUE(limit.high && limit.low);
        EXPECT_FLOAT_EQ(*limit.high, *expected[c].high);
        EXPECT_FLOAT_EQ(*limit.low, *expected[c].low);
    }
}

TEST(LimitsBook, ALogShowsItsLoggersKeptLimits) {
    const struct {
        const char* name;
        const char* serial;
        bool shownAreKept;
        bool keptBefore;  // "KM30" has limits kept
        float shownHigh;  // what the limits become
        int writes;       // times the book was written
    } cases[] = {
        {"its own kept limits", "KM30", false, true, 8.0f, 0},
        {"its own over another logger's", "KM30", true, true, 8.0f, 0},
        {"none kept, after another logger's: none", "KM30", true, false, -1.0f, 0},
        {"none kept, set while no logger was known: they stay and are kept", "KM30", false, false,
         5.0f, 1},
        {"no name, set while none was known: they stay, kept nowhere", "", false, false, 5.0f, 0},
        {"no name, after a logger's: none", "", true, false, -1.0f, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryBook book;
        if (c.keptBefore) book.kept["KM30"] = oneLimit(8.0f);
        const ChannelLimits shown = oneLimit(5.0f);
        const ChannelLimits limits = limitsForLog(book, c.serial, c.shownAreKept, shown);
        if (c.shownHigh < 0) {
            EXPECT_FALSE(anyLimit(limits));
        } else {
            EXPECT_EQ(limits, oneLimit(c.shownHigh));
        }
        EXPECT_EQ(book.writes, c.writes);
        if (c.writes > 0) {
            EXPECT_EQ(book.limits(c.serial), shown);
        }
    }
}

TEST(ProfileFile, ReadsEachLoggersLimitsAndTheEnergy) {
    const ProfileFile profile = ProfileFile::fromText(
        "[General]\n"
        "Recent%20File%20List=/tmp/a.dsl\n"
        "\n"
        "[Limits]\n"
        "KM30012345\\Channel1High=30\n"
        "KM30012345\\Channel1Low=-5.5\n"
        "KM30012345\\Channel4Low = 1e-3 \r\n"
        "OTHER\\Channel2High=12\n"
        "\n"
        "; a comment\n"
        "[View]\n"
        "ActivationEnergy=100000\n"
        "Fahrenheit=true\n");
    const ChannelLimits limits = profile.limits("KM30012345");
    EXPECT_EQ(limits[0], (ChannelLimit{30.0f, -5.5f}));
    EXPECT_EQ(limits[1], ChannelLimit{});
    EXPECT_EQ(limits[2], ChannelLimit{});
    EXPECT_EQ(limits[3], (ChannelLimit{std::nullopt, 1e-3f}));
    EXPECT_EQ(profile.limits("OTHER")[1], (ChannelLimit{12.0f, std::nullopt}));
    EXPECT_FALSE(anyLimit(profile.limits("UNKNOWN")));
    EXPECT_FALSE(anyLimit(profile.limits("")));
    EXPECT_DOUBLE_EQ(profile.activationEnergy(), 100000.0);
    ASSERT_NE(profile.value("View/Fahrenheit"), nullptr);
    EXPECT_EQ(*profile.value("View/Fahrenheit"), "true");
}

TEST(ProfileFile, EachLimitKeepsItsRuleAndAnUnreadableRuleIsTheStrictest) {
    const ProfileFile profile = ProfileFile::fromText(
        "[Limits]\n"
        "KM30\\Channel1High=8\n"
        "KM30\\Channel1HighRule=single:30\n"
        "KM30\\Channel1Low=2\n"
        "KM30\\Channel1LowRule=total:-5\n"
        "KM30\\Channel2High=9\n"
        "KM30\\Channel2HighRule=total:120\n");
    const ChannelLimits limits = profile.limits("KM30");
    EXPECT_EQ(limits[0].highRule, (AlarmRule{AlarmRuleKind::SingleLonger, 30}));
    EXPECT_EQ(limits[0].lowRule, AlarmRule{}) << "no rule reads as any reading outside";
    EXPECT_EQ(limits[1].highRule, (AlarmRule{AlarmRuleKind::TotalLonger, 120}));
    EXPECT_EQ(limits[1].lowRule, AlarmRule{});
}

TEST(ProfileFile, AValueThatIsNoNumberIsNoLimit) {
    const struct {
        const char* value;
        std::optional<float> high;
    } cases[] = {
        {"8.5", 8.5f},
        {"\"8.5\"", 8.5f},
        {"-0", -0.0f},
        {"", std::nullopt},
        {"8,5", std::nullopt},
        {"8.5x", std::nullopt},
        {"@Invalid()", std::nullopt},
        {"1e999", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        const ProfileFile profile =
            ProfileFile::fromText(std::string("[Limits]\nKM30\\Channel1High=") + c.value + "\n");
        EXPECT_EQ(profile.limits("KM30")[0].high, c.high);
    }
}

TEST(ProfileFile, AnEnergyNotKeptOrNotPositiveIsTheDefault) {
    for (const char* text : {"", "[View]\nActivationEnergy=0\n", "[View]\nActivationEnergy=-5\n",
                             "[View]\nActivationEnergy=much\n"}) {
        SCOPED_TRACE(text);
        EXPECT_DOUBLE_EQ(ProfileFile::fromText(text).activationEnergy(), kDefaultActivationEnergy);
    }
}

TEST(ProfileFile, AFileIsReadAndAMissingOneHoldsNothing) {
    const TempDir dir;
    const std::string path = dir.dir() + "profile.conf";
    std::ofstream(path) << "[Limits]\nKM30\\Channel1High=30\n[View]\nActivationEnergy=90000\n";
    const ProfileFile profile(path);
    EXPECT_EQ(profile.limits("KM30")[0].high, 30.0f);
    EXPECT_DOUBLE_EQ(profile.activationEnergy(), 90000.0);

    const ProfileFile missing(dir.dir() + "none.conf");
    EXPECT_FALSE(anyLimit(missing.limits("KM30")));
    EXPECT_DOUBLE_EQ(missing.activationEnergy(), kDefaultActivationEnergy);
}

TEST(ProfileFile, TheUsersProfileIsInTheConfigFolder) {
    {
        const ScopedEnv xdg("XDG_CONFIG_HOME", "/cfg");
        const ScopedEnv home("HOME", "/home/u");
        EXPECT_EQ(
            userProfilePath(),
            "/cfg/Local AppWizard-Generated Applications/Dravin Software for Data Logger.conf");
    }
    {
        const ScopedEnv xdg("XDG_CONFIG_HOME", "relative");  // invalid, ignored
        const ScopedEnv home("HOME", "/home/u");
        EXPECT_EQ(userProfilePath(),
                  "/home/u/.config/Local AppWizard-Generated Applications/"
                  "Dravin Software for Data Logger.conf");
    }
    {
        const ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
        const ScopedEnv home("HOME", nullptr);
        EXPECT_EQ(userProfilePath(), "");
    }
}

TEST(ProfileFile, TheLimitKeysNameChannelAndSide) {
    EXPECT_EQ(limitKeyName(0, true), "Channel1High");
    EXPECT_EQ(limitKeyName(3, false), "Channel4Low");
}
