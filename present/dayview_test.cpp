// The day view of the main window, without a window: the rules that decide
// each text, checked on real dates at real places.
#include "present/dayview.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "present/testsupport_state.h"
#include "present/texts.h"

namespace dawn {
namespace {

using std::chrono::minutes;

DayNumber D(int y, unsigned m, unsigned d) {
    return DayNumber::FromYmd(y, m, d);
}

// Velmoren with the program's own labels in English and day/month/year dates.
class DayViewTest : public ::testing::Test {
protected:
    DayView At(DayNumber date, Body panel = Body::Sun) {
        state.Panel = panel;
        state.ShowDate(date);
        return BuildDayView(state);
    }
    void PlaceAt(std::int32_t latitude, std::int32_t longitude) {
        state.Settings.LatitudeMinutes = latitude;
        state.Settings.LongitudeMinutes = longitude;
    }
    std::map<std::string, std::string> Texts(const DayView& v) {
        std::map<std::string, std::string> texts;
        for (auto& [name, text] : v.Texts()) {
            EXPECT_TRUE(texts.emplace(name, text).second) << name << " twice";
        }
        return texts;
    }

    AppState state = test::EnglishState();
};

TEST_F(DayViewTest, AnOrdinaryDayShowsTimesChangesAndSigns) {
    const DayView v = At(D(2024, 10, 15));
    const PanelView& sun = v[Body::Sun];
    const DayEphemeris& day = state.Day;
    EXPECT_EQ(sun[Row::Rise].value, FormatClock(day.Event(Body::Sun, EventKind::Rise).Clock, ":"));
    EXPECT_EQ(sun[Row::Set].value, FormatClock(day.Event(Body::Sun, EventKind::Set).Clock, ":"));
    EXPECT_EQ(sun[Row::Length].value, FormatClock(day[Body::Sun].Length, ":"));
    EXPECT_EQ(sun[Row::Rise].delta, "00:02");
    // Autumn: later sunrises, earlier sunsets, shorter days.
    EXPECT_EQ(sun[Row::Rise].sign + sun[Row::Set].sign + sun[Row::Length].sign, "---");
    EXPECT_EQ(At(D(2024, 4, 15))[Body::Sun][Row::Rise].sign, "+");
    EXPECT_EQ(sun.deltaHint, "14/10/2024");
    EXPECT_EQ(sun[Row::Length].valueHint, "15/10/2024");
    EXPECT_EQ(sun[Row::Rise].valueHint, "Sunrise and sunset: Sky and Telescope, August 1994");
    EXPECT_EQ(sun[Row::Set].valueHint, "Julian day = 2460598.5");
    EXPECT_EQ(v[Body::Moon][Row::Rise].valueHint,
              "Moonrise and moonset: Sky and Telescope, July 1989");
}

// The sign rule compares the day before's standard time with the day's: "+"
// when the rise came no later, the set no earlier, the length grew. The
// clock's jump into or out of summer time is no change of light.
TEST_F(DayViewTest, SignRuleTable) {
    auto body = [](int riseBefore, int rise, int setBefore, int set, int lengthBefore, int length,
                   int shift = 0) {
        BodyEntry b;
        b[EventKind::Rise].Before.Standard = b[EventKind::Rise].Before.Clock = minutes(riseBefore);
        b[EventKind::Rise].Standard = minutes(rise);
        b[EventKind::Rise].Clock = minutes(rise + shift);
        b[EventKind::Set].Before.Standard = b[EventKind::Set].Before.Clock = minutes(setBefore);
        b[EventKind::Set].Standard = minutes(set);
        b[EventKind::Set].Clock = minutes(set + shift);
        b.LengthBefore = minutes(lengthBefore);
        b.Length = minutes(length);
        return b;
    };
    const struct {
        BodyEntry body;
        const char* signs;
    } cases[] = {
        {body(420, 418, 1200, 1202, 780, 784), "+++"},
        {body(418, 420, 1202, 1200, 784, 780), "---"},
        {body(420, 420, 1200, 1200, 780, 780), "+++"},  // no change reads as more light
        // The first day of summer time: the clock jumps an hour later, the sun
        // rises two minutes earlier.
        {body(418, 416, 1200, 1202, 782, 786, 60), "+++"},
        // The first day of winter time, as the record holds it: the day before
        // is not shifted either, so only the light counts.
        {body(476, 478, 1142, 1140, 666, 662), "---"},
    };
    for (const auto& c : cases) {
        std::string signs;
        for (Row r : {Row::Rise, Row::Set, Row::Length}) signs += LightSign(r, c.body);
        EXPECT_EQ(signs, c.signs);
    }
    // At the default place sunrise on 29 March 2026, the first day of summer
    // time, comes earlier than the day before although its clock reads later.
    const PanelView sun = At(D(2026, 3, 29))[Body::Sun];
    EXPECT_EQ(sun[Row::Rise].sign + sun[Row::Set].sign, "++");
}

TEST_F(DayViewTest, PolarNightShowsTheMessageAndNoTimes) {
    PlaceAt(78 * 60, 15 * 60);  // Svalbard
    const DayView v = At(D(2023, 12, 15));
    const PanelView& sun = v[Body::Sun];
    for (Row r : {Row::Rise, Row::Set}) {
        EXPECT_EQ(sun[r].value, "--:--");
        EXPECT_EQ(sun[r].delta, "--:--");
    }
    EXPECT_EQ(sun[Row::Length].value, "00:00");
    EXPECT_EQ(sun[Row::Length].delta, "--:--");
    EXPECT_EQ(Trimmed(sun[Row::Length].caption), "Sun down all day");

    // A message edited in the table shows at the next drawing, and one of 25
    // characters unpads every caption and shrinks them all.
    state.Labels.SetCell(5, 50, std::string(25, 'x'));
    const DayView edited = At(D(2023, 12, 15));
    EXPECT_EQ(edited[Body::Sun][Row::Length].caption, std::string(25, 'x'));
    EXPECT_EQ(edited.captionPointSize, 9);
    EXPECT_EQ(edited.coordinatesCaption, "Coordinates:");
    EXPECT_EQ(edited[Body::Moon][Row::Rise].caption.front(), 'M');
}

// The sun's day length counts the hours it is up on the date; the moon's
// light needs both events.
TEST_F(DayViewTest, LengthsOfDaysWithoutBothEvents) {
    auto entry = [](EventStatus status, std::optional<int> riseClock, std::optional<int> setClock) {
        BodyEntry b;
        for (EventKind kind : kEventKinds) b[kind].Status = status;
        if (riseClock) b[EventKind::Rise].CrossingClock = minutes(*riseClock);
        if (setClock) b[EventKind::Set].CrossingClock = minutes(*setClock);
        b.Length = minutes(12 * 60 + 45);
        return b;
    };
    const struct {
        Body body;
        BodyEntry entry;
        const char* text;
    } cases[] = {
        {Body::Sun, entry(EventStatus::Normal, 400, 1165), "12.45"},
        {Body::Sun, entry(EventStatus::DownAllDay, {}, {}), "00.00"},
        {Body::Sun, entry(EventStatus::UpAllDay, {}, {}), "24.00"},
        {Body::Sun, entry(EventStatus::NoSet, 21 * 60 + 30, {}), "02.30"},  // rise to midnight
        {Body::Sun, entry(EventStatus::NoRise, {}, 2 * 60 + 15), "02.15"},  // midnight to set
        {Body::Moon, entry(EventStatus::Normal, 400, 1165), "12.45"},
        {Body::Moon, entry(EventStatus::UpAllDay, {}, {}), "--.--"},
        {Body::Moon, entry(EventStatus::NoSet, 21 * 60 + 30, {}), "--.--"},
    };
    LocaleFormats fi;
    fi.TimeSeparator.assign(1, '.');
    for (const auto& c : cases) EXPECT_EQ(LengthText(c.body, c.entry, fi), c.text) << c.text;
}

// A day with only one of the moon's events shows the time of the one that
// happened, summer time applied, beside the day's message; the other reads
// the empty clock text, and so do the moonlight and the changes. At 50°47' N
// the moon does not rise on 24 June 2024 and does not set on 10 July 2024 on
// the summer clock; at
// 60°10' N 24°56' E (UTC+2) it rises on 14 January 2027 at 78°27' and does not
// set.
TEST_F(DayViewTest, MoonDaysWithoutAnEventShowTheEventThatHappened) {
    const struct {
        DayNumber date;
        std::int32_t latitude, longitude, zone;
        const char* rise;
        const char* set;
        const char* message;
    } cases[] = {
        {D(2024, 6, 24), 3047, 328, 60, "--:--", "07:29", "No moonrise"},
        {D(2024, 7, 10), 3047, 328, 60, "10:20", "--:--", "No moonset"},
        {D(2027, 1, 14), 3610, 1496, 120, "10:21", "--:--", "No moonset"},
    };
    for (const auto& c : cases) {
        PlaceAt(c.latitude, c.longitude);
        state.Settings.TimeZoneMinutes = c.zone;
        const PanelView moon = At(c.date, Body::Moon)[Body::Moon];
        const std::string at = FormatIsoDate(c.date);
        EXPECT_EQ(moon[Row::Rise].value, c.rise) << at;
        EXPECT_EQ(moon[Row::Set].value, c.set) << at;
        for (Row r : {Row::Rise, Row::Set, Row::Length}) EXPECT_EQ(moon[r].delta, "--:--") << at;
        EXPECT_EQ(moon[Row::Length].value, "--:--") << at;
        EXPECT_EQ(Trimmed(moon[Row::Length].caption), c.message) << at;
    }
    EXPECT_EQ(FormatAzimuth(state.Day.Event(Body::Moon, EventKind::Rise).Azimuth),
              "78\xC2\xB0"
              "27'");
}

// A day before the midnight sun at 69°00' N 20°00' E: it rises at 01:20 on
// the summer clock and sets only at 00:09 of the next date. The rise shows
// its clock time and the day length counts from it to midnight.
TEST_F(DayViewTest, SunDayWithoutASunset) {
    PlaceAt(4140, 1200);
    const PanelView sun = At(D(2024, 5, 19))[Body::Sun];
    const EventEntry& rise = state.Day.Event(Body::Sun, EventKind::Rise);
    ASSERT_EQ(rise.Status, EventStatus::NoSet);
    ASSERT_TRUE(rise.CrossingClock);
    EXPECT_EQ(sun[Row::Rise].value, FormatClock(*rise.CrossingClock, ":"));
    EXPECT_NE(sun[Row::Rise].value, "01:00");
    EXPECT_EQ(sun[Row::Set].value, "--:--");
    EXPECT_EQ(sun[Row::Length].value, FormatClock(minutes(24 * 60) - *rise.CrossingClock, ":"));
    EXPECT_EQ(Trimmed(sun[Row::Length].caption), "No sunset");
}

TEST_F(DayViewTest, CaptionsEndInOneColumnForTheShownPanel) {
    const DayView sun = At(D(2024, 6, 21));
    // "Coordinates:" is the longest English caption (12): 8 spaces in front.
    EXPECT_EQ(sun.coordinatesCaption, "        Coordinates:");
    EXPECT_EQ(sun[Body::Sun][Row::Rise].caption, "        Sunrise    :");
    EXPECT_EQ(sun.captionPointSize, 10);
    // The moon panel's captions take the same indent, decided by the shown
    // panel, and so does the coordinates caption.
    state.Labels.SetCell(5, 45, "Moonlight of the whole night:");
    state.ApplyLanguage();
    EXPECT_EQ(At(D(2024, 6, 21), Body::Sun).coordinatesCaption, "        Coordinates:");
    const DayView moon = At(D(2024, 6, 21), Body::Moon);
    EXPECT_EQ(moon.coordinatesCaption, "Coordinates:");
    EXPECT_EQ(moon.captionPointSize, 9);

    EXPECT_EQ(AlignCaptions({3, 4}).padding, 10);  // never more than 10
    EXPECT_EQ(AlignCaptions({12, 11}).padding, 8);
    EXPECT_EQ(AlignCaptions({20}).padding, 0);
    EXPECT_FALSE(AlignCaptions({20}).smallFont);
    EXPECT_TRUE(AlignCaptions({25, 3}).smallFont);
}

TEST_F(DayViewTest, WeekNumbersOfTheCalendarRows) {
    const struct {
        DayNumber shown;
        int weekStartDay;  // 0 Sunday, 1 Monday
        bool newYearFlag;
        std::array<int, 6> weeks;
    } cases[] = {
        {D(2021, 1, 14), 1, false, {53, 1, 2, 3, 4, 5}},
        {D(2021, 1, 14), 1, true, {1, 2, 3, 4, 5, 6}},
        // The first in the first column: the calendar draws the last week of
        // January above it.
        {D(2021, 2, 10), 1, false, {4, 5, 6, 7, 8, 9}},
        {D(2021, 2, 10), 0, false, {5, 6, 7, 8, 9, 10}},
        {D(2024, 1, 10), 1, false, {52, 1, 2, 3, 4, 5}},
        // A Sunday-first row takes the week of its Thursday.
        {D(2024, 9, 10), 0, false, {35, 36, 37, 38, 39, 40}},
        // The numbers wrap at the year's end, with the flag or without.
        {D(2026, 12, 10), 1, false, {49, 50, 51, 52, 53, 1}},
        {D(2026, 12, 10), 1, true, {49, 50, 51, 52, 1, 2}},
        {D(2028, 1, 10), 1, false, {52, 1, 2, 3, 4, 5}},
        {D(2028, 1, 10), 0, false, {52, 1, 2, 3, 4, 5}},
        // A year that starts on a Thursday: 1 January is week 1 either way.
        {D(2026, 1, 10), 1, true, {1, 2, 3, 4, 5, 6}},
        {D(2026, 1, 10), 1, false, {1, 2, 3, 4, 5, 6}},
        {D(2026, 1, 10), 0, false, {1, 2, 3, 4, 5, 6}},
    };
    for (const auto& c : cases) {
        state.Settings.WeekStartDay = static_cast<std::uint8_t>(c.weekStartDay);
        state.Settings.FirstWeekNewYear = c.newYearFlag;
        EXPECT_EQ(At(c.shown).weeks, c.weeks) << FormatIsoDate(c.shown);
    }
    EXPECT_EQ(At(D(2024, 1, 10)).weekCaption, "Week");
}

TEST_F(DayViewTest, SummerTimeRowsHoldTheLastAndTheNextChange) {
    const struct {
        DayNumber shown;
        bool summerTime;
        const char *upperCaption, *upper, *lowerCaption, *lower, *days, *daysCaption;
        DateRole upperRole;
        const char* hint;
    } cases[] = {
        {D(2024, 3, 31), true, "Summer time:", "31/03/2024", "Winter time:", "27/10/2024", "210",
         "Days to winter time:", DateRole::ShownDate, "31/03/2024 -> 27/10/2024"},
        {D(2024, 1, 15), true, "Winter time:", "29/10/2023", "Summer time:", "31/03/2024", "76",
         "Days to summer time:", DateRole::OtherDate, "15/01/2024 -> 31/03/2024"},
        {D(2024, 10, 27), true, "Winter time:", "27/10/2024", "Summer time:", "30/03/2025", "154",
         "Days to summer time:", DateRole::ShownDate, "27/10/2024 -> 30/03/2025"},
        // Summer time off: the rows say so, and name no dates.
        {D(2024, 5, 10), false, "Summer time:", "none", "Winter time:", "all year", "",
         "No clock changes", DateRole::OtherDate, ""},
        {D(2024, 1, 15), false, "Summer time:", "none", "Winter time:", "all year", "",
         "No clock changes", DateRole::OtherDate, ""},
    };
    for (const auto& c : cases) {
        state.Settings.SummerTimeEnabled = c.summerTime;
        const SummerRows rows = At(c.shown).summer;
        const std::string at = FormatIsoDate(c.shown);
        EXPECT_EQ(rows.upper.caption, c.upperCaption) << at;
        EXPECT_EQ(rows.upper.dateText, c.upper) << at;
        EXPECT_EQ(rows.lower.caption, c.lowerCaption) << at;
        EXPECT_EQ(rows.lower.dateText, c.lower) << at;
        EXPECT_EQ(rows.dayCount, c.days) << at;
        EXPECT_EQ(rows.daysCaption, c.daysCaption) << at;
        EXPECT_EQ(rows.upper.role, c.upperRole) << at;
        EXPECT_EQ(rows.lower.role, DateRole::OtherDate) << at;
        EXPECT_EQ(rows.dayCountHint, c.hint) << at;
    }
}

TEST_F(DayViewTest, PlaceZoneMonthAndTrayHint) {
    PlaceAt(-2032, -7345);
    state.Settings.TimeZoneMinutes = -210;
    const DayView v = At(D(2024, 6, 21));
    EXPECT_EQ(v.latitude, "33S52");
    EXPECT_EQ(v.longitude, "122W25");
    EXPECT_EQ(v.coordinatesHint, "TimeZone = - 03:30");
    EXPECT_EQ(v.monthText, " Jun");
    EXPECT_EQ(v.monthHint, "June");
    EXPECT_EQ(v.monthNumberHint, "6");
    const PanelView& sun = v[Body::Sun];
    EXPECT_EQ(v.trayHint, "Sunrise = " + sun[Row::Rise].value + " Sunset = " + sun[Row::Set].value +
                              "\nCoordinates: 33S52-122W25 21/06/2024");
    // The sunset sign names the language once it was chosen.
    EXPECT_EQ(v.sunSetSymbolHint, "double clic to translator");
    state.LanguageChosen = true;
    EXPECT_EQ(At(D(2024, 6, 21)).sunSetSymbolHint, "English\ndouble clic to translator");
}

TEST_F(DayViewTest, TextsNameEveryControlOnce) {
    const auto texts = Texts(At(D(2024, 1, 15)));
    EXPECT_EQ(texts.at("lbWeek1"), "52");
    EXPECT_EQ(texts.at("lbStartZomerUur"), "29/10/2023");
    EXPECT_EQ(texts.at("lbStartZomerUur.colour"), "gray");
    EXPECT_EQ(texts.at("lbSunSetHour.hint"), "Julian day = 2460324.5");
    EXPECT_EQ(texts.at("lbMoonLightSymbol"), "\xC2\xA4");
    EXPECT_EQ(texts.at("CaptionFontSize"), "10");
    EXPECT_EQ(texts.at("lbCoordinates"), "        Coordinates:");
    EXPECT_EQ(texts.size(), 93u);  // 70 of the designed window, 23 of twilight and phase
}

// The twilight panel: captions in one column, each dawn and dusk that
// happened at its clock time (also the dawn of a day without that dusk), the
// empty clock where the sky never gets that dark or that bright.
TEST_F(DayViewTest, TwilightPanelShowsEveryCrossingThatHappened) {
    const struct {
        const char* name;
        std::int32_t latitude;
        DayNumber date;
        std::array<const char*, 6> times;  // civil, nautical, astronomical: dawn, dusk
    } cases[] = {
        {"Velmoren, midsummer",
         3047,
         D(2024, 6, 21),
         {"04:39", "22:41", "03:29", "23:51", "--:--", "--:--"}},
        // The nautical dusk of the evening before, at 23:49 standard time, is
        // 00:49 on the clock of the 13th.
        {"59N, a nautical dusk after midnight",
         3540,
         D(2024, 5, 13),
         {"04:13", "22:58", "02:19", "00:49", "--:--", "--:--"}},
        {"78N, midwinter: the sky never gets civil",
         4680,
         D(2024, 12, 21),
         {"--:--", "--:--", "11:23", "13:50", "08:15", "16:58"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PlaceAt(c.latitude, 328);
        const TwilightPanelView p = At(c.date).twilight;
        for (std::size_t r = 0; r < 3; ++r) {
            EXPECT_EQ(p.rows[r].first, c.times[2 * r]) << r;
            EXPECT_EQ(p.rows[r].second, c.times[2 * r + 1]) << r;
            EXPECT_EQ(p.rows[r].firstHint, "Dawn");
            EXPECT_EQ(p.rows[r].secondHint, "Dusk");
        }
        ASSERT_TRUE(state.Sky.Noon.has_value());
        EXPECT_EQ(p.rows[3].first, FormatClock(state.Sky.Noon->Clock, ":"));
        EXPECT_EQ(p.rows[3].second, FormatAltitude(state.Sky.Noon->AltitudeDegrees));
        EXPECT_EQ(p.hint, "Twilight");
        for (const TwilightRowView& row : p.rows) {
            EXPECT_EQ(row.caption.size(), 20u) << row.caption;
            EXPECT_EQ(row.caption.back(), ':') << row.caption;
        }
    }
}

// The phase: the date's name, the lit part, and in the hint the age and the
// next full and new moon as dates of the zone's standard time (the full moon
// of 23 April 2024 at 23:49 UT is the 24th in Velmoren). South of the
// tropics the same moon is lit on the other side.
TEST_F(DayViewTest, PhaseNamePercentNextMoonsAndTheLitSide) {
    // Before the instant of the new moon (18:21 UT) the age at noon is near
    // a whole lunation.
    const PhaseView newMoon = At(D(2024, 4, 8)).phase;
    EXPECT_EQ(newMoon.name, "New moon");
    EXPECT_EQ(newMoon.illuminated, "0%");
    EXPECT_EQ(newMoon.hint, "Age = 29.1\nNext full moon = 24/04/2024\nNext new moon = 08/04/2024");

    const PhaseView waxing = At(D(2024, 4, 12)).phase;
    EXPECT_EQ(waxing.name, "Waxing crescent");
    EXPECT_EQ(waxing.litSide, LitSide::Right);
    EXPECT_EQ(
        waxing.illuminated,
        std::to_string(static_cast<int>(std::lround(100 * waxing.illuminatedFraction))) + "%");
    EXPECT_THAT(waxing.hint, ::testing::HasSubstr("Next new moon = 08/05/2024"));

    test::PlaceAt(state.Settings, -2032, 9072, 600);
    const PhaseView south = At(D(2024, 4, 12)).phase;
    EXPECT_EQ(south.name, "Waxing crescent");
    EXPECT_EQ(south.litSide, LitSide::Left);
    EXPECT_EQ(Texts(At(D(2024, 4, 12)))["MoonDisc"], "lit left");
}

}  // namespace
}  // namespace dawn
