#include "ui/main/localetexts.h"

#include <gtest/gtest.h>

#include "ui/main/dayview_text.h"

namespace dawn {
namespace {

TEST(LocaleTexts, SeparatorAndFormatsFollowTheLocale) {
    struct Case {
        const char* locale;
        const char* separator;
        const char* dateFormat;
        const char* sample;  // 5 July 2024 07:05
    };
    const Case cases[] = {
        {"en_US", ":", "M/d/yyyy", "7/5/2024 07:05"},
        {"de_DE", ":", "dd.MM.yyyy", "05.07.2024 07:05"},
        {"en_GB", ":", "dd/MM/yyyy", "05/07/2024 07:05"},
        {"fi_FI", ".", "d.M.yyyy", "5.7.2024 07.05"},
        {"da_DK", ".", "dd.MM.yyyy", "05.07.2024 07.05"},
    };
    for (const Case& c : cases) {
        const LocaleTexts t = MakeLocaleTexts(QLocale(QLatin1String(c.locale)));
        EXPECT_EQ(t.TimeSeparator, QLatin1String(c.separator)) << c.locale;
        EXPECT_EQ(t.DateFormat, QLatin1String(c.dateFormat)) << c.locale;
        const QString sample =
            t.DateText(QDate(2024, 7, 5)) + QLatin1Char(' ') + t.ClockText(7 * 60 + 5);
        EXPECT_EQ(sample, QLatin1String(c.sample)) << c.locale;
        EXPECT_EQ(t.ParseClockText(t.ClockText(23 * 60 + 59)), QTime(23, 59)) << c.locale;
        EXPECT_EQ(t.EmptyClockText(),
                  QStringLiteral("--") + t.TimeSeparator + QStringLiteral("--"));
    }
}

TEST(LocaleTexts, TimeSeparatorOfUnusualFormats) {
    EXPECT_EQ(TimeSeparatorOf(QStringLiteral("h:mm AP")), QStringLiteral(":"));
    EXPECT_EQ(TimeSeparatorOf(QStringLiteral("HH 'h' mm")), QStringLiteral("h"));
    EXPECT_EQ(TimeSeparatorOf(QStringLiteral("HHmm")), QStringLiteral(":"));
    EXPECT_EQ(TimeSeparatorOf(QStringLiteral("AP h.mm")), QStringLiteral("."));
    // A letter as separator is quoted in the clock format, so it still reads.
    LocaleTexts t;
    t.TimeSeparator = QStringLiteral("h");
    t.TimeFormat = QStringLiteral("HH'h'mm");
    EXPECT_EQ(t.ParseClockText(t.ClockText(7 * 60 + 5)), QTime(7, 5));
}

TEST(LocaleTexts, YearAlwaysInFourDigitsQuotedTextLeftAlone) {
    EXPECT_EQ(WithFourDigitYear(QStringLiteral("dd.MM.yy")), QStringLiteral("dd.MM.yyyy"));
    EXPECT_EQ(WithFourDigitYear(QStringLiteral("yyyy-MM-dd")), QStringLiteral("yyyy-MM-dd"));
    EXPECT_EQ(WithFourDigitYear(QStringLiteral("d 'yy' yy")), QStringLiteral("d 'yy' yyyy"));
}

TEST(LocaleTexts, NamesAreStandAloneAndWeekdaysStartOnSunday) {
    const LocaleTexts t = MakeLocaleTexts(QLocale(QStringLiteral("en_US")));
    EXPECT_EQ(t.ShortMonthNames[0], QStringLiteral("Jan"));
    EXPECT_EQ(t.LongMonthNames[11], QStringLiteral("December"));
    EXPECT_EQ(t.LongWeekdayNames[0], "Sunday");
    EXPECT_EQ(t.LongWeekdayNames[4], "Thursday");
    const LocaleTexts fi = MakeLocaleTexts(QLocale(QStringLiteral("fi_FI")));
    EXPECT_EQ(fi.LongMonthNames[0], QStringLiteral("tammikuu"));  // not the genitive "tammikuuta"
}

TEST(DayViewText, PlaceAngles) {
    const HemisphereLetters en{"N", "E", "S", "W"};
    EXPECT_EQ(LatitudeText(3047, en), "50N47");
    EXPECT_EQ(LongitudeText(328, en), "05E28");
    EXPECT_EQ(LongitudeText(-7345, en), "122W25");
    EXPECT_EQ(LatitudeText(-2032, en), "33S52");
    EXPECT_EQ(LatitudeText(0, en), "00N00");
    EXPECT_EQ(LongitudeText(-10800, en), "180W00");
    const HemisphereLetters noSouth{"N", "E", "", "W"};
    EXPECT_EQ(LatitudeText(-2032, noSouth), "3352");
}

TEST(DayViewText, TimeZoneTextsAndCaptionAlignment) {
    EXPECT_EQ(TimeZoneText(-210, ":"), "-03:30");
    EXPECT_EQ(TimeZoneText(60, "."), "+01.00");
    EXPECT_EQ(TimeZoneText(0, ":"), "+00:00");
    EXPECT_EQ(TimeZoneHint(-210, ":"), "TimeZone = - 03:30");
    EXPECT_EQ(TimeZoneHint(345, ":"), "TimeZone = + 05:45");

    EXPECT_EQ(AlignCaptions({3, 4}).padding, 10);  // never more than 10
    EXPECT_EQ(AlignCaptions({12, 11}).padding, 8);
    EXPECT_EQ(AlignCaptions({20}).padding, 0);
    EXPECT_FALSE(AlignCaptions({20}).smallFont);
    EXPECT_EQ(AlignCaptions({25, 3}).padding, 0);
    EXPECT_TRUE(AlignCaptions({25, 3}).smallFont);
}

}  // namespace
}  // namespace dawn
