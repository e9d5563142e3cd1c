#include "present/texts.h"

#include <gtest/gtest.h>

#include <limits>

namespace dawn {
namespace {

using std::chrono::minutes;

TEST(FormatClock, TwoDigitsAroundTheLocaleSeparatorWithinOneDay) {
    const struct {
        int minutes;
        const char* separator;
        const char* expected;
    } cases[] = {
        {7 * 60 + 5, ":", "07:05"},
        {12 * 60, ".", "12.00"},
        {23 * 60 + 59, ":", "23:59"},
        {0, ":", "00:00"},
        {24 * 60 + 40, ":", "00:40"},
        {-1, "h", "23h59"},
        {9 * 60 + 41, "\xE2\x88\xB6",
         "09\xE2\x88\xB6"
         "41"},  // a multi-byte separator
        {10 * 60 + 10, "", "1010"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatClock(minutes(c.minutes), c.separator), c.expected) << c.minutes;
    }
    EXPECT_EQ(EmptyClockText("."), "--.--");
}

TEST(FormatAzimuth, DegreesAndRoundedMinutes) {
    const struct {
        double degrees;
        const char* expected;
    } cases[] = {
        {126.964, "126°58'"},
        {7.05, "7°03'"},
        {0.0, "0°00'"},
        {45.5, "45°30'"},
        {359.9916, "359°59'"},
        // Minutes that round to 60 carry into the degrees, and a full turn is north.
        {126.995, "127°00'"},
        {359.995, "0°00'"},
        {360.0, "0°00'"},
        // Out of the scan's range: brought into one turn, never garbage.
        {-0.0, "0°00'"},
        {-90.0, "270°00'"},
        {450.25, "90°15'"},
        {std::numeric_limits<double>::quiet_NaN(), "0°00'"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatAzimuth(c.degrees), c.expected) << c.degrees;
    }
    EXPECT_EQ(FormatAzimuth(std::optional<double>()), "");
}

TEST(FormatAltitude, SignedDegreesAndRoundedMinutes) {
    const struct {
        double degrees;
        const char* expected;
    } cases[] = {
        {61.62, "61°37'"},  {0.0, "0°00'"},
        {-0.1, "-0°06'"},   {-0.004, "0°00'"},  // rounds to nothing: no sign on a zero
        {-12.5, "-12°30'"}, {89.999, "90°00'"},
        {-95.0, "-90°00'"}, {std::numeric_limits<double>::quiet_NaN(), "0°00'"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatAltitude(c.degrees), c.expected) << c.degrees;
}

TEST(PlaceTexts, AnglesZonesAndTheJulianDay) {
    const HemisphereLetters en{"N", "E", "S", "W"};
    EXPECT_EQ(LatitudeText(3047, en), "50N47");
    EXPECT_EQ(LongitudeText(328, en), "05E28");
    EXPECT_EQ(LongitudeText(-7345, en), "122W25");
    EXPECT_EQ(LatitudeText(-2032, en), "33S52");
    EXPECT_EQ(LatitudeText(0, en), "00N00");
    EXPECT_EQ(LongitudeText(-10800, en), "180W00");
    EXPECT_EQ(LatitudeText(-2032, HemisphereLetters{"N", "E", "", "W"}), "3352");

    EXPECT_EQ(TimeZoneText(-210, ":"), "-03:30");
    EXPECT_EQ(TimeZoneText(60, "."), "+01.00");
    EXPECT_EQ(TimeZoneText(0, ":"), "+00:00");
    EXPECT_EQ(TimeZoneHint(-210, ":"), "TimeZone = - 03:30");
    EXPECT_EQ(TimeZoneHint(345, ":"), "TimeZone = + 05:45");

    EXPECT_EQ(JulianDayText(2451544.5, "."), "2451544.5");
    EXPECT_EQ(JulianDayText(2460598.5, ","), "2460598,5");
    EXPECT_EQ(JulianDayText(2415020.0, ","), "2415020");
}

TEST(Trimmed, RemovesEveryKindOfSpaceAtTheEndsOnly) {
    EXPECT_EQ(Trimmed("  Sunrise    :  "), "Sunrise    :");
    EXPECT_EQ(Trimmed("\t\r\n"), "");
    // No-break, narrow no-break and ideographic spaces count; letters do not.
    EXPECT_EQ(Trimmed("\xC2\xA0"
                      "Lever\xE2\x80\xAF"
                      "du soleil\xE3\x80\x80"),
              "Lever\xE2\x80\xAF"
              "du soleil");
    EXPECT_EQ(WithoutLeadingSpaces("   Zon op "), "Zon op ");
    EXPECT_EQ(Trimmed("\xC3\xA9t\xC3\xA9"), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(FirstCharacter("\xC3\xA9t\xC3\xA9"), "\xC3\xA9");
}

TEST(Utf16Length, CountsAsTheWindowsDo) {
    EXPECT_EQ(Utf16Length("Coordinates:"), 12u);
    EXPECT_EQ(Utf16Length("Coordonn\xC3\xA9"
                          "es"),
              11u);
    EXPECT_EQ(Utf16Length("\xF0\x9F\x8C\x85"), 2u);  // a sunrise picture, outside the BMP
}

}  // namespace
}  // namespace dawn
