#include "present/locale.h"

#include <gtest/gtest.h>

namespace dawn {
namespace {

TEST(DateWriter, WritesThePatternsOfTheLocales) {
    LocaleFormats en;
    LocaleFormats ar;  // digits from U+0660
    ar.ZeroDigit = "\xD9\xA0";
    const DayNumber july5 = DayNumber::FromYmd(2024, 7, 5);  // a Friday
    const struct {
        const LocaleFormats* locale;
        const char* pattern;
        const char* expected;
    } cases[] = {
        {&en, "dd/MM/yyyy", "05/07/2024"},
        {&en, "M/d/yyyy", "7/5/2024"},
        {&en, "d MMM yyyy", "5 Jul 2024"},
        {&en, "dddd d MMMM yy", "Friday 5 July 24"},
        {&en, "ddd", "Fri"},
        // Quoted text stands as it is, '' is a quote; other letters are copied.
        {&en, "d 'de' MMMM 'yy''s' ''x", "5 de July yy's 'x"},
        {&en, "yyyy. MM. dd.", "2024. 07. 05."},
        // More than four letters start a second field; a lone y is a letter.
        {&en, "ddddd", "Friday5"},
        {&en, "yyy y", "24y y"},
        {&ar, "d/M/yyyy", "\xD9\xA5/\xD9\xA7/\xD9\xA2\xD9\xA0\xD9\xA2\xD9\xA4"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DateWriter(c.pattern, *c.locale).Text(july5), c.expected) << c.pattern;
    }
    EXPECT_EQ(en.DateText(DayNumber::FromYmd(1900, 1, 1)), "01/01/1900");
    EXPECT_EQ(en.ClockText(std::chrono::minutes(7 * 60 + 5)), "07:05");
    EXPECT_EQ(en.EmptyClockText(), "--:--");
}

TEST(TimeSeparatorOf, TheCharacterBetweenHoursAndMinutes) {
    const struct {
        const char* format;
        const char* separator;
    } cases[] = {
        {"HH:mm", ":"},   {"h:mm AP", ":"},  {"HH 'h' mm", "h"},        {"HHmm", ":"},
        {"AP h.mm", "."}, {"HH.mm.ss", "."}, {"H\xE2\x80\xAF:mm", ":"},
    };
    for (const auto& c : cases) EXPECT_EQ(TimeSeparatorOf(c.format), c.separator) << c.format;
}

TEST(WithFourDigitYear, WidensEveryYearFieldAndLeavesQuotedTextAlone) {
    EXPECT_EQ(WithFourDigitYear("dd.MM.yy"), "dd.MM.yyyy");
    EXPECT_EQ(WithFourDigitYear("yyyy-MM-dd"), "yyyy-MM-dd");
    EXPECT_EQ(WithFourDigitYear("d 'yy' yy"), "d 'yy' yyyy");
    EXPECT_EQ(WithFourDigitYear("y/M/d"), "yyyy/M/d");
}

}  // namespace
}  // namespace dawn
