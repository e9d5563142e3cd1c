#include "cli/values.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace dawn::cli {
namespace {

using namespace std::chrono;
using testing::HasSubstr;

TEST(ParseInteger, StrictDecimalWithin32Bits) {
    const struct {
        const char* text;
        std::optional<std::int64_t> expected;
    } cases[] = {
        {"0", 0},
        {"3047", 3047},
        {"-2032", -2032},
        {"+60", 60},
        {"-0", 0},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483648LL},
        {"2147483648", std::nullopt},
        {"99999999999999", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"+-1", std::nullopt},
        {" 1", std::nullopt},
        {"1 ", std::nullopt},
        {"1e3", std::nullopt},
        {"0x10", std::nullopt},
        {"12.5", std::nullopt},
        {"٣", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseInteger(c.text), c.expected) << c.text;
}

TEST(ParseIsoDate, ExactFormAndRealDates) {
    const struct {
        const char* text;
        std::optional<year_month_day> expected;
    } cases[] = {
        {"2024-02-29", 2024y / 2 / 29},  {"1900-01-01", 1900y / 1 / 1},
        {"2500-12-31", 2500y / 12 / 31}, {"2023-02-29", std::nullopt},
        {"2100-02-29", std::nullopt},    {"2024-13-01", std::nullopt},
        {"2024-00-10", std::nullopt},    {"2024-04-31", std::nullopt},
        {"2024-4-1", std::nullopt},      {"24-04-01", std::nullopt},
        {"2024/04/01", std::nullopt},    {"2024-04-01 ", std::nullopt},
        {"2024-04-0x", std::nullopt},    {"", std::nullopt},
        {"+024-04-01", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseIsoDate(c.text), c.expected) << c.text;
    EXPECT_EQ(FormatIsoDate(1900y / 1 / 1), "1900-01-01");
}

TEST(ReadOptions, PlaceAndRangeChecks) {
    const auto command = [](std::map<std::string, std::string, std::less<>> values) {
        Command c;
        c.values = std::move(values);
        return c;
    };
    Place place{};
    EXPECT_EQ(ReadPlace(command({{"lat", "-5400"}, {"lon", "10800"}, {"tz", "-1439"}}), place), "");
    EXPECT_EQ(place.latitudeMinutes, -5400);
    EXPECT_EQ(place.longitudeMinutes, 10800);
    EXPECT_EQ(place.timeZoneMinutes, -1439);

    const struct {
        std::map<std::string, std::string, std::less<>> values;
        const char* message;
    } bad[] = {
        {{{"lat", "5401"}, {"lon", "0"}, {"tz", "0"}},
         "--lat: '5401' is out of range (a whole number from -5400 to 5400)"},
        {{{"lat", "0"}, {"lon", "-10801"}, {"tz", "0"}}, "--lon: '-10801' is out of range"},
        {{{"lat", "0"}, {"lon", "0"}, {"tz", "1440"}}, "--tz: '1440' is out of range"},
        {{{"lat", "north"}, {"lon", "0"}, {"tz", "0"}}, "--lat: 'north' is not a whole number"},
        {{{"lat", "0"}, {"lon", "0"}}, "missing --tz"},
    };
    for (const auto& b : bad) {
        Place untouched{1, 2, 3};
        EXPECT_THAT(ReadPlace(command(b.values), untouched), HasSubstr(b.message));
        EXPECT_EQ(untouched.latitudeMinutes, 1);
    }

    year_month_day from{}, to{};
    EXPECT_EQ(ReadDateRange(command({{"from", "2024-03-01"}, {"to", "2024-03-01"}}), from, to), "");
    EXPECT_EQ(from, 2024y / 3 / 1);
    const struct {
        const char* from;
        const char* to;
        const char* message;
    } ranges[] = {
        {"2024-03-02", "2024-03-01", "--from 2024-03-02 is after --to 2024-03-01"},
        {"2024-02-30", "2024-03-01",
         "--from: '2024-02-30' is not a date of the calendar (expected YYYY-MM-DD)"},
        {"2024-03-01", "03/05/2024", "--to: '03/05/2024' is not a date"},
        {"1582-12-31", "2024-03-01",
         "--from: '1582-12-31' is out of range (1583-01-01 to 9999-12-31)"},
    };
    for (const auto& r : ranges) {
        EXPECT_THAT(ReadDateRange(command({{"from", r.from}, {"to", r.to}}), from, to),
                    HasSubstr(r.message));
    }
}

}  // namespace
}  // namespace dawn::cli
