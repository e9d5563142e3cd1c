#include "core/exportlines.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

namespace dawn {
namespace {

using ::testing::ElementsAre;
using ::testing::SizeIs;

// Day/month/year with a four-digit year, as a European locale writes it.
std::string DayMonthYear(DayNumber d) {
    char text[16];
    std::snprintf(text, sizeof text, "%02u/%02u/%04d", d.Day(), d.Month(), d.Year());
    return text;
}

ExportHeader HeaderOf(std::int32_t timeZoneMinutes) {
    return ExportHeader{"1.1.0.0", " Coordinates", "50N47", "05E28", "TimeZone", timeZoneMinutes};
}

SiteSettings SettingsAt(std::int32_t latitude, std::int32_t longitude, std::int32_t zone) {
    SiteSettings s = DefaultSettings("/nowhere", 2024);
    s.LatitudeMinutes = latitude;
    s.LongitudeMinutes = longitude;
    s.TimeZoneMinutes = zone;
    ResolveDstRules(s, 2024);
    return s;
}

std::vector<std::string> Build(const SiteSettings& s, DayNumber from, DayNumber to, ExportBody body,
                               std::string_view separator = ":") {
    auto lines =
        BuildExportLines(HeaderOf(s.TimeZoneMinutes), body, s, from, to, separator, DayMonthYear);
    EXPECT_TRUE(lines.has_value());
    return lines.value_or(std::vector<std::string>{});
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> out(1);
    for (char c : line) {
        if (c == ';') {
            out.emplace_back();
        } else {
            out.back() += c;
        }
    }
    return out;
}

TEST(ExportLines, OneDateGivesTheHeaderAndOneLine) {
    const SiteSettings s = SettingsAt(3047, 328, 60);
    const DayNumber d = DayNumber::FromYmd(2024, 6, 21);
    const DayEphemeris day = ComputeDay(s, d, ":");
    const std::vector<std::string> lines = Build(s, d, d, ExportBody::Sun);
    EXPECT_THAT(lines, ElementsAre("Dawnhelm 1.1.0.0  Coordinates: 50N47 05E28   TimeZone 1 0",
                                   "Dawnhelm by the Dawnhelm developers", std::string(68, '-'),
                                   "Date;Sun Rise;Sun Set;Azimuth Sun Rise;Azimuth Sun Set",
                                   "21/06/2024;" + day.SunRiseClock + ";" + day.SunSetClock + ";" +
                                       day.SunRiseAzimuth + ";" + day.SunSetAzimuth));
}

TEST(ExportLines, MoonHeaderAndFileNames) {
    const SiteSettings s = SettingsAt(3047, 328, 60);
    const DayNumber d = DayNumber::FromYmd(2024, 6, 21);
    const DayEphemeris day = ComputeDay(s, d, ":");
    const std::vector<std::string> lines = Build(s, d, d, ExportBody::Moon);
    ASSERT_THAT(lines, SizeIs(5));
    EXPECT_EQ(lines[3], "Date;Moon Rise;Moon Set;Azimuth Moon Rise;Azimuth Moon Set");
    EXPECT_EQ(lines[4], "21/06/2024;" + day.MoonRiseClock + ";" + day.MoonSetClock + ";" +
                            day.MoonRiseAzimuth + ";" + day.MoonSetAzimuth);
    EXPECT_EQ(ExportFileName(ExportBody::Moon), "moonhelm_data.txt");
    EXPECT_EQ(ExportFileName(ExportBody::Sun), "dawnhelm_data.txt");
}

TEST(ExportLines, CaptionColonIsNotDoubled) {
    for (const char* caption : {"Coordinates:", "   Coordonn\u00e9es       :"}) {
        ExportHeader h = HeaderOf(60);
        h.coordinatesCaption = caption;
        EXPECT_EQ(ExportHeaderLines(h, ExportBody::Sun)[0],
                  std::string("Dawnhelm 1.1.0.0 ") + caption + " 50N47 05E28   TimeZone 1 0");
    }
}

TEST(ExportLines, TimeZoneIsWrittenAsTheTwoSpinEditsShowIt) {
    struct Case {
        std::int32_t minutes;
        const char* tail;
    };
    for (const Case& c : {Case{60, "TimeZone 1 0"}, Case{0, "TimeZone 0 0"},
                          Case{-210, "TimeZone -3 -30"}, Case{-30, "TimeZone 0 -30"},
                          Case{345, "TimeZone 5 45"}, Case{-1439, "TimeZone -23 -59"}}) {
        const std::string first = ExportHeaderLines(HeaderOf(c.minutes), ExportBody::Sun)[0];
        EXPECT_TRUE(first.ends_with(std::string("   ") + c.tail)) << first;
    }
}

TEST(ExportLines, ClockFieldsJumpAnHourOnTheFirstDayOfSummerTime) {
    // Summer time starts on Sunday 31 March 2024 with the default rules.
    const SiteSettings s = SettingsAt(3047, 328, 60);
    const std::vector<std::string> lines =
        Build(s, DayNumber::FromYmd(2024, 3, 29), DayNumber::FromYmd(2024, 4, 1), ExportBody::Sun);
    ASSERT_THAT(lines, SizeIs(8));
    std::vector<int> riseMinutes;
    std::vector<int> setMinutes;
    for (std::size_t i = 4; i < lines.size(); ++i) {
        const std::vector<std::string> f = Fields(lines[i]);
        ASSERT_THAT(f, SizeIs(5));
        std::chrono::minutes rise{}, set{};
        ASSERT_TRUE(ParseClock(f[1], rise));
        ASSERT_TRUE(ParseClock(f[2], set));
        riseMinutes.push_back(static_cast<int>(rise.count()));
        setMinutes.push_back(static_cast<int>(set.count()));
    }
    EXPECT_EQ(Fields(lines[4])[0], "29/03/2024");
    EXPECT_EQ(Fields(lines[7])[0], "01/04/2024");
    // Sunrise comes about two minutes earlier every day and sunset later; on
    // the 31st both clock times move one hour on.
    EXPECT_NEAR(riseMinutes[1] - riseMinutes[0], -2, 1);
    EXPECT_NEAR(riseMinutes[2] - riseMinutes[1], 58, 1);
    EXPECT_NEAR(riseMinutes[3] - riseMinutes[2], -2, 1);
    EXPECT_NEAR(setMinutes[2] - setMinutes[1], 61, 1);
    EXPECT_NEAR(setMinutes[3] - setMinutes[2], 1, 1);
}

TEST(ExportLines, DaysWithoutTheEventKeepThePlaceholderTimes) {
    // Longyearbyen, 78°13' N 15°38' E: polar night in December, midnight sun in
    // June (inside summer time, so 00:00 and 23:59 are written an hour later).
    const SiteSettings s = SettingsAt(4693, 938, 60);
    const DayNumber december = DayNumber::FromYmd(2024, 12, 21);
    const DayNumber june = DayNumber::FromYmd(2024, 6, 21);
    EXPECT_EQ(Build(s, december, december, ExportBody::Sun)[4], "21/12/2024;12:00;12:00;;");
    EXPECT_EQ(Build(s, june, june, ExportBody::Sun)[4], "21/06/2024;01:00;00:59;;");
    // The locale's time separator is used throughout.
    EXPECT_EQ(Build(s, december, december, ExportBody::Sun, ".")[4], "21/12/2024;12.00;12.00;;");
}

TEST(ExportLines, ProgressCanCancel) {
    const SiteSettings s = SettingsAt(3047, 328, 60);
    std::vector<std::int64_t> seen;
    auto lines = BuildExportLines(HeaderOf(60), ExportBody::Sun, s, DayNumber::FromYmd(2000, 1, 1),
                                  DayNumber::FromYmd(2019, 12, 31), ":", DayMonthYear,
                                  [&](std::int64_t done, std::int64_t total) {
                                      EXPECT_EQ(total, 7305);
                                      seen.push_back(done);
                                      return done < 4096;
                                  });
    EXPECT_FALSE(lines.has_value());
    EXPECT_THAT(seen, ElementsAre(2048, 4096));

    seen.clear();
    lines = BuildExportLines(HeaderOf(60), ExportBody::Sun, s, DayNumber::FromYmd(2000, 1, 1),
                             DayNumber::FromYmd(2000, 1, 10), ":", DayMonthYear,
                             [&](std::int64_t done, std::int64_t) {
                                 seen.push_back(done);
                                 return true;
                             });
    ASSERT_TRUE(lines.has_value());
    EXPECT_THAT(*lines, SizeIs(14));
    EXPECT_THAT(seen, ElementsAre(10));
}

}  // namespace
}  // namespace dawn
