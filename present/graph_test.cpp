#include "present/graph.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "core/seenday.h"
#include "core/skyday.h"
#include "core/testsupport_zone.h"
#include "present/dayview.h"
#include "present/testsupport_state.h"
#include "present/texts.h"

namespace dawn {
namespace {

using ::testing::Contains;
using ::testing::SizeIs;

class GraphTest : public ::testing::Test {
protected:
    void SetUp() override { Show(2024, 7, 1); }
    void Show(int y, unsigned m, unsigned d) { state.ShowDate(DayNumber::FromYmd(y, m, d)); }
    static bool HasDay(const std::vector<GraphPoint>& points, DayNumber day) {
        return std::any_of(points.begin(), points.end(),
                           [day](const GraphPoint& p) { return p.day == day; });
    }

    AppState state = test::EnglishState();
};

TEST_F(GraphTest, TitleNamesTheDatesPlaceZoneAndSummerTime) {
    struct Case {
        DayNumber shown;
        bool summerTime;
        Body body;
        std::vector<std::string> title;
    };
    const std::string place = " @ 05E28 50N47  GMT:+01:00";
    const Case cases[] = {
        {DayNumber::FromYmd(2024, 7, 1),
         true,
         Body::Sun,
         {"Dawnhelm 01/01/2024-30/12/2024" + place,
          "Summer time: 31/03/2024-Winter time: 27/10/2024"}},
        // Outside summer time the last autumn change comes first.
        {DayNumber::FromYmd(2024, 1, 15),
         true,
         Body::Sun,
         {"Dawnhelm 17/07/2023-15/07/2024" + place,
          "Winter time: 29/10/2023-Summer time: 31/03/2024"}},
        {DayNumber::FromYmd(2024, 7, 1),
         false,
         Body::Sun,
         {"Dawnhelm 01/01/2024-30/12/2024" + place}},
        // The moon's title ends on the last plotted day: 30 days in a leap year.
        {DayNumber::FromYmd(2024, 7, 1),
         false,
         Body::Moon,
         {"Moonhelm 17/06/2024-17/07/2024" + place}},
        {DayNumber::FromYmd(2023, 7, 1),
         false,
         Body::Moon,
         {"Moonhelm 17/06/2023-16/07/2023" + place}},
    };
    for (const Case& c : cases) {
        test::PlaceAt(state.Settings, 3047, 328, 60, c.summerTime);
        state.ShowDate(c.shown);
        EXPECT_EQ(GraphTitleLines(GraphInputsFor(state), c.body), c.title);
    }
}

TEST_F(GraphTest, RunLengthFollowsTheShownYear) {
    const GraphData leap = BuildGraph(GraphInputsFor(state), Body::Sun);
    EXPECT_EQ(leap.firstDay, DayNumber::FromYmd(2024, 1, 2));
    EXPECT_EQ(leap.lastDay - leap.firstDay + 1, 367);
    EXPECT_THAT(leap.rise, SizeIs(367));
    EXPECT_THAT(leap.set, SizeIs(367));
    Show(2023, 7, 1);
    const GraphData common = BuildGraph(GraphInputsFor(state), Body::Moon);
    EXPECT_EQ(common.firstDay, DayNumber::FromYmd(2023, 6, 18));
    EXPECT_EQ(common.lastDay, DayNumber::FromYmd(2023, 7, 16));
}

TEST_F(GraphTest, PolarDaysLeaveGapsInTheSunLines) {
    // Longyearbyen, 78°13' N 15°38' E.
    const DayNumber polarNight = DayNumber::FromYmd(2023, 12, 21);
    const DayNumber midnightSun = DayNumber::FromYmd(2024, 6, 21);
    const DayNumber equinox = DayNumber::FromYmd(2024, 3, 20);
    for (bool summerTime : {true, false}) {
        test::PlaceAt(state.Settings, 4693, 938, 60, summerTime);
        Show(2024, 3, 21);
        const GraphData g = BuildGraph(GraphInputsFor(state), Body::Sun);
        EXPECT_FALSE(HasDay(g.rise, polarNight));
        EXPECT_FALSE(HasDay(g.set, polarNight));
        EXPECT_TRUE(HasDay(g.rise, equinox));
        // Midnight sun is drawn at 00:00 and 23:59, except inside summer time,
        // where the set time 00:59 comes before the rise time 01:00.
        EXPECT_EQ(HasDay(g.rise, midnightSun), !summerTime);
        if (!summerTime) {
            EXPECT_THAT(g.rise, Contains(GraphPoint{midnightSun, std::chrono::minutes(0)}));
            EXPECT_THAT(g.set,
                        Contains(GraphPoint{midnightSun, std::chrono::minutes(23 * 60 + 59)}));
        }
        EXPECT_EQ(g.rise.size(), g.set.size());
    }
}

// At 50°47' N 5°28' E, in standard time, the moon does not rise on 27 June
// 2024 (it sets at 10:50) and does not set on 15 July 2024 (it rises at
// 15:09); on the summer clock the days without them are 24 June (a set at
// 07:29) and 10 July (a rise at 10:20), as the moon's events near midnight
// move to the dates their clock shows. The event that did happen keeps its
// point, at its clock time, and a shown date of that kind gets only the mark
// of that event.
TEST_F(GraphTest, MoonRiseAndSetArePlottedIndependently) {
    using std::chrono::hours;
    using std::chrono::minutes;
    const struct {
        bool summerTime;
        DayNumber noMoonrise;
        minutes set;
        DayNumber noMoonset;
        minutes rise;
        const char* shownRise;
    } cases[] = {
        {true, DayNumber::FromYmd(2024, 6, 24), hours(7) + minutes(29),
         DayNumber::FromYmd(2024, 7, 10), hours(10) + minutes(20), "01:55"},
        {false, DayNumber::FromYmd(2024, 6, 27), hours(10) + minutes(50),
         DayNumber::FromYmd(2024, 7, 15), hours(15) + minutes(9), "00:55"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.summerTime ? "summer time" : "standard time");
        test::PlaceAt(state.Settings, 3047, 328, 60, c.summerTime);
        Show(2024, 7, 1);
        const GraphData g = BuildGraph(GraphInputsFor(state), Body::Moon);
        EXPECT_FALSE(HasDay(g.rise, c.noMoonrise));
        EXPECT_THAT(g.set, Contains(GraphPoint{c.noMoonrise, c.set}));
        EXPECT_FALSE(HasDay(g.set, c.noMoonset));
        EXPECT_THAT(g.rise, Contains(GraphPoint{c.noMoonset, c.rise}));
        // Every other day of the run has both its points.
        EXPECT_EQ(g.rise.size(), static_cast<std::size_t>(g.lastDay - g.firstDay));
        EXPECT_EQ(g.set.size(), static_cast<std::size_t>(g.lastDay - g.firstDay));
        EXPECT_EQ(g.shownRise->clockText, c.shownRise);
    }
    state.ShowDate(cases[1].noMoonrise);
    const GraphData shownWithoutRise = BuildGraph(GraphInputsFor(state), Body::Moon);
    EXPECT_FALSE(shownWithoutRise.shownRise.has_value());
    ASSERT_TRUE(shownWithoutRise.shownSet.has_value());
    EXPECT_EQ(shownWithoutRise.shownSet->clockText, "10:50");
}

// The band spans of a date, written per limit darkest first: "-" when the sun
// stays below the limit, "all" when it stays above, else "HH:MM-HH:MM" spans.
std::string SpansText(const GraphBandDay& band) {
    std::string text;
    for (const std::vector<ClockSpan>& spans : band.above) {
        if (!text.empty()) text += " | ";
        if (spans.empty()) text += "-";
        for (const ClockSpan& s : spans) {
            if (&s != &spans.front()) text += ",";
            if (s.from.count() == 0 && s.to.count() == 24 * 60) {
                text += "all";
                continue;
            }
            text += FormatClock(s.from, ":") + "-" + FormatClock(s.to, ":");
        }
    }
    return text;
}

TEST_F(GraphTest, TwilightBandsFollowTheSunBelowEachLimit) {
    struct Case {
        std::int32_t latitude;  // minutes; longitude 0, zone 0, no summer time
        DayNumber date;
        bool whole[kBandLimitCount];  // the sun stays above the limit all day
        bool none[kBandLimitCount];   // the sun stays below it all day
    };
    const Case cases[] = {
        // Midsummer at 50° N: no astronomical night.
        {3000, DayNumber::FromYmd(2024, 6, 21), {true, false, false, false}, {}},
        {3000, DayNumber::FromYmd(2024, 12, 21), {}, {}},
        // At 69°39' N: midnight sun, and a polar night with only twilight.
        {4179, DayNumber::FromYmd(2024, 6, 21), {true, true, true, true}, {}},
        {4179, DayNumber::FromYmd(2024, 12, 21), {}, {false, false, false, true}},
    };
    for (const Case& c : cases) {
        test::PlaceAt(state.Settings, c.latitude, 0, 0, false);
        state.ShowDate(c.date);
        GraphInputs in = GraphInputsFor(state);
        EXPECT_TRUE(BuildGraph(in, Body::Sun).bands.empty());
        in.twilightBands = true;
        const GraphData g = BuildGraph(in, Body::Sun);
        ASSERT_EQ(g.bands.size(), static_cast<std::size_t>(PlottedDayCount(Body::Sun, c.date)));
        const GraphBandDay& band = g.bands.at(static_cast<std::size_t>(c.date - g.firstDay));
        ASSERT_EQ(band.day, c.date);
        SCOPED_TRACE(SpansText(band));
        const SkyDay sky = ComputeSkyDay(state.Settings, c.date);
        for (std::size_t i = 0; i < kBandLimitCount; ++i) {
            const std::vector<ClockSpan>& spans = band.above[i];
            if (c.none[i]) {
                EXPECT_THAT(spans, SizeIs(0)) << i;
            } else if (c.whole[i]) {
                EXPECT_THAT(spans, ::testing::ElementsAre(ClockSpan{{}, std::chrono::hours(24)}))
                    << i;
            } else {
                ASSERT_THAT(spans, SizeIs(1)) << i;
                // The same clock as the rise and set lines and the sky day.
                if (i == static_cast<std::size_t>(BandLimit::Day)) {
                    EXPECT_THAT(g.rise, Contains(GraphPoint{c.date, spans[0].from}));
                    EXPECT_THAT(g.set, Contains(GraphPoint{c.date, spans[0].to}));
                } else {
                    // Limits darkest first, twilights civil first.
                    const TwilightEntry& t = sky.Twilight[2 - i];
                    EXPECT_EQ(spans[0].from, t[EventKind::Rise].Clock) << i;
                    EXPECT_EQ(spans[0].to, t[EventKind::Set].Clock) << i;
                }
            }
        }
        // Every day of the year, each band lies inside the darker ones.
        for (const GraphBandDay& day : g.bands) {
            for (std::size_t i = 1; i < kBandLimitCount; ++i) {
                for (const ClockSpan& s : day.above[i]) {
                    EXPECT_TRUE(std::any_of(
                        day.above[i - 1].begin(), day.above[i - 1].end(),
                        [&s](const ClockSpan& d) { return d.from <= s.from && s.to <= d.to; }))
                        << SpansText(day);
                }
            }
        }
    }
}

// The legend names the three twilights with the twilight panel's captions in
// the chosen language, padding and colon dropped; night and day, which no
// label names, and a caption left blank keep their English names.
TEST_F(GraphTest, BandNamesFollowTheChosenLanguage) {
    struct Case {
        int language;
        const char* astronomicalCaption;  // written over the table's, when given
        BandNames names;
    };
    const Case cases[] = {
        {4, nullptr, {"Night", "Astronomical", "Nautical", "Civil", "Day"}},
        {3, nullptr, {"Night", "Astronomisch", "Nautisch", "Bürgerlich", "Day"}},
        {6, nullptr, {"Night", "Astronómico", "Náutico", "Civil", "Day"}},
        {4, "  :  ", {"Night", "Astronomical", "Nautical", "Civil", "Day"}},
        {4, " Deep twilight  :", {"Night", "Deep twilight", "Nautical", "Civil", "Day"}},
    };
    for (const Case& c : cases) {
        AppState s = test::EnglishState();
        s.Settings.LanguageIndex = c.language;
        if (c.astronomicalCaption != nullptr)
            s.Labels.SetCell(c.language + 1, label::kAstronomicalTwilight, c.astronomicalCaption);
        s.ApplyLanguage();
        EXPECT_EQ(BandNamesOf(s), c.names) << c.language;
        GraphInputs in = GraphInputsFor(s);
        in.twilightBands = true;
        EXPECT_EQ(BuildGraph(in, Body::Sun).bandNames, c.names) << c.language;
    }
}

// A day whose sun stays above a limit across one midnight or both.
TEST(GraphBands, SpansReachMidnightWhenACrossingIsMissing) {
    using std::chrono::hours;
    using std::chrono::minutes;
    auto event = [](EventStatus status, std::optional<minutes> crossing) {
        EventValues e;
        e.Status = status;
        e.CrossingClock = crossing;
        return e;
    };
    struct Case {
        EventValues dawn, dusk;
        std::vector<ClockSpan> spans;
    };
    const Case cases[] = {
        {event(EventStatus::Normal, hours(4)),
         event(EventStatus::Normal, hours(22)),
         {{hours(4), hours(22)}}},
        // Dusk after midnight the day before, dawn again before the next.
        {event(EventStatus::Normal, hours(2)),
         event(EventStatus::Normal, minutes(30)),
         {{minutes(0), minutes(30)}, {hours(2), hours(24)}}},
        {event(EventStatus::NoRise, std::nullopt),
         event(EventStatus::NoRise, hours(1)),
         {{minutes(0), hours(1)}}},
        {event(EventStatus::NoSet, hours(23)),
         event(EventStatus::NoSet, std::nullopt),
         {{hours(23), hours(24)}}},
        {event(EventStatus::UpAllDay, std::nullopt),
         event(EventStatus::UpAllDay, std::nullopt),
         {{minutes(0), hours(24)}}},
        {event(EventStatus::DownAllDay, std::nullopt),
         event(EventStatus::DownAllDay, std::nullopt),
         {}},
    };
    for (const Case& c : cases) EXPECT_EQ(SpansAbove(c.dawn, c.dusk), c.spans);
}

// At Tromsø (69°39' N 18°57' E, +01:00 with summer time) the sun first dips
// below each limit in the hour after midnight on the summer clock: the
// sunset of 26 July at 00:23, civil dusk of 14 August at 00:31. That hour
// belongs to the next date on the clock, so the date before stays above all
// day: no column flips to a darker band for one day, and none shows a sliver
// of day at 00:00. Over the whole year the time above each limit changes by
// at most two and a half hours from one date to the next (the first dip
// below a limit, or the first day the sun stays below it, is more than an
// hour long at this latitude: the first nautical night, from 23:48 to 01:50,
// takes two hours from the time above), and a date ends above a limit
// exactly when the next one starts above it.
TEST_F(GraphTest, BandsOfTheFirstNightsAtTromso) {
    using std::chrono::minutes;
    test::PlaceAt(state.Settings, 4179, 1137, 60, true);
    Show(2024, 8, 20);
    GraphInputs in = GraphInputsFor(state);
    in.twilightBands = true;
    const GraphData g = BuildGraph(in, Body::Sun);
    auto day = [&g](int m, int d) {
        return g.bands.at(static_cast<std::size_t>(DayNumber::FromYmd(2024, m, d) - g.firstDay));
    };
    const std::vector<ClockSpan> all = {{minutes(0), minutes(24 * 60)}};
    const auto civil = static_cast<std::size_t>(BandLimit::Civil);
    const auto sun = static_cast<std::size_t>(BandLimit::Day);
    EXPECT_EQ(day(7, 25).above[sun], all) << SpansText(day(7, 25));
    EXPECT_EQ(day(8, 13).above[civil], all) << SpansText(day(8, 13));
    ASSERT_EQ(day(8, 14).above[civil].size(), 2u) << SpansText(day(8, 14));
    EXPECT_EQ(day(8, 14).above[civil][0].from, minutes(0));
    EXPECT_EQ(day(8, 14).above[civil][1].to, minutes(24 * 60));

    auto total = [](const std::vector<ClockSpan>& spans) {
        minutes sum{0};
        for (const ClockSpan& s : spans) sum += s.to - s.from;
        return sum;
    };
    for (std::size_t i = 1; i < g.bands.size(); ++i) {
        const GraphBandDay& before = g.bands[i - 1];
        const GraphBandDay& after = g.bands[i];
        for (std::size_t limit = 0; limit < kBandLimitCount; ++limit) {
            SCOPED_TRACE(SpansText(before) + " / " + SpansText(after));
            EXPECT_LE(std::chrono::abs(total(before.above[limit]) - total(after.above[limit])),
                      minutes(150))
                << limit;
            const bool endsAbove =
                !before.above[limit].empty() && before.above[limit].back().to == minutes(24 * 60);
            const bool startsAbove =
                !after.above[limit].empty() && after.above[limit].front().from == minutes(0);
            EXPECT_EQ(endsAbove, startsAbove) << limit;
        }
    }
}

// The phases of June and July 2024 at zone +01:00: full 22 June 02:08, last
// quarter 28 June 22:53, new 5 July 23:57, first quarter 13 July 23:49. Each
// mark carries the lit side of its date's moon at noon, as the main window
// shows it: waning (lit left) up to the new moon's date, waxing after it.
TEST_F(GraphTest, MoonGraphMarksThePrincipalPhasesOnTheLocalClock) {
    using std::chrono::hours;
    using std::chrono::minutes;
    auto at = [](int month, unsigned day, int h, int m) {
        return GraphPoint{DayNumber::FromYmd(2024, static_cast<unsigned>(month), day),
                          hours(h) + minutes(m)};
    };
    constexpr LitSide R = LitSide::Right;
    constexpr LitSide L = LitSide::Left;
    struct Case {
        bool summerTime;
        std::vector<GraphPhaseMark> marks;
    };
    const Case cases[] = {
        {false,
         {{PrincipalPhase::FullMoon, at(6, 22, 2, 8), L},
          {PrincipalPhase::LastQuarter, at(6, 28, 22, 53), L},
          {PrincipalPhase::NewMoon, at(7, 5, 23, 57), L},
          {PrincipalPhase::FirstQuarter, at(7, 13, 23, 49), R}}},
        // The summer hour carries the new moon and the first quarter into
        // the next day.
        {true,
         {{PrincipalPhase::FullMoon, at(6, 22, 3, 8), L},
          {PrincipalPhase::LastQuarter, at(6, 28, 23, 53), L},
          {PrincipalPhase::NewMoon, at(7, 6, 0, 57), R},
          {PrincipalPhase::FirstQuarter, at(7, 14, 0, 49), R}}},
    };
    for (const Case& c : cases) {
        test::PlaceAt(state.Settings, 3047, 328, 60, c.summerTime);
        Show(2024, 7, 1);
        GraphInputs in = GraphInputsFor(state);
        EXPECT_TRUE(BuildGraph(in, Body::Moon).phases.empty());
        in.principalPhases = true;
        EXPECT_EQ(BuildGraph(in, Body::Moon).phases, c.marks) << c.summerTime;
        EXPECT_TRUE(BuildGraph(in, Body::Sun).phases.empty());
    }
}

// A quarter's disc is lit on the side the main window shows for its date.
// North of the tropics the first quarter is lit on the right and the last on
// the left, south of them the other way round. On the equator the side
// follows the moon: in March 2024 the first quarter (17 March) stands north
// of the zenith and the last quarter (3 March) south of it, so a watcher
// facing the moon sees both lit on the left; in September 2024 the first
// quarter (11 September) stands south and the last (24 September) north,
// and both are lit on the right.
TEST_F(GraphTest, QuarterMarksAreLitOnTheSideTheMainWindowShows) {
    constexpr LitSide R = LitSide::Right;
    constexpr LitSide L = LitSide::Left;
    struct Case {
        const char* place;
        std::int32_t latitude, longitude, zone;
        unsigned month, day;  // the shown date in 2024
        LitSide firstQuarter, lastQuarter;
    };
    const Case cases[] = {
        {"50N47", 3047, 328, 60, 3, 10, R, L},    {"50N47", 3047, 328, 60, 9, 17, R, L},
        {"33S52", -2032, 9072, 600, 3, 10, L, R}, {"33S52", -2032, 9072, 600, 9, 17, L, R},
        {"equator", 0, 0, 0, 3, 10, L, L},        {"equator", 0, 0, 0, 9, 17, R, R},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.place) + " month " + std::to_string(c.month));
        test::PlaceAt(state.Settings, c.latitude, c.longitude, c.zone);
        Show(2024, c.month, c.day);
        GraphInputs in = GraphInputsFor(state);
        in.principalPhases = true;
        int quarters = 0;
        for (const GraphPhaseMark& m : BuildGraph(in, Body::Moon).phases) {
            if (m.phase != PrincipalPhase::FirstQuarter && m.phase != PrincipalPhase::LastQuarter)
                continue;
            ++quarters;
            EXPECT_EQ(m.litSide,
                      m.phase == PrincipalPhase::FirstQuarter ? c.firstQuarter : c.lastQuarter)
                << FormatIsoDate(m.point.day);
            state.ShowDate(m.point.day);
            EXPECT_EQ(m.litSide, BuildDayView(state).phase.litSide) << FormatIsoDate(m.point.day);
        }
        EXPECT_EQ(quarters, 2);
    }
}

// Each mark is read with the clocks of its own date: a zone ten hours ahead
// from 8 April 2024 on shows that day's new moon (18:21 UT) at 04:21 on the
// 9th, where the offset of the shown date would put it on the 8th.
TEST_F(GraphTest, PhaseMarksTakeTheClocksOfTheirOwnDate) {
    test::PlaceAt(state.Settings, 3047, 328, 0);
    state.Settings.Zone =
        std::make_shared<dawn::testing::OneChangeZone>(DayNumber::FromYmd(2024, 4, 8), 0, 600);
    Show(2024, 4, 1);
    GraphInputs in = GraphInputsFor(state);
    in.principalPhases = true;
    const std::vector<GraphPhaseMark> marks = BuildGraph(in, Body::Moon).phases;
    const auto fresh = std::find_if(marks.begin(), marks.end(), [](const GraphPhaseMark& m) {
        return m.phase == PrincipalPhase::NewMoon;
    });
    ASSERT_NE(fresh, marks.end());
    EXPECT_EQ(fresh->point.day, DayNumber::FromYmd(2024, 4, 9));
    EXPECT_EQ(fresh->point.time, std::chrono::minutes(4 * 60 + 21));
}

TEST(GraphDateSeparator, IsTakenFromTheDateFormat) {
    EXPECT_EQ(DateSeparatorOf("dd/MM/yyyy"), "/");
    EXPECT_EQ(DateSeparatorOf("dd.MM.yyyy"), ".");
    EXPECT_EQ(DateSeparatorOf("yyyy-MM-dd"), "-");
    EXPECT_EQ(DateSeparatorOf("d. M. yyyy"), ".");
    EXPECT_EQ(DateSeparatorOf("yyyyMMdd"), "/");
    EXPECT_EQ(DateSeparatorOf("d\xE2\x80\x8F/M/yyyy"), "\xE2\x80\x8F");
}

// The blue and golden hours shade the sun graph on request, as the light
// verb lists them: at Velmoren in June each hour twice a day, the blue ones
// outside the golden ones; at 69° N in June no blue hour, and the golden
// hours run into midnight from both sides.
TEST_F(GraphTest, LightBandsFollowTheLightPeriods) {
    using std::chrono::minutes;
    Show(2024, 6, 21);
    GraphInputs in = GraphInputsFor(state);
    EXPECT_TRUE(BuildGraph(in, Body::Sun).light.empty());
    in.lightBands = true;
    EXPECT_TRUE(BuildGraph(in, Body::Moon).light.empty());
    const GraphData g = BuildGraph(in, Body::Sun);
    ASSERT_EQ(g.light.size(), g.rise.size());
    const GraphLightDay& midsummer =
        g.light.at(static_cast<std::size_t>(DayNumber::FromYmd(2024, 6, 21) - g.firstDay));
    const std::vector<ClockSpan> blue = {{minutes(4 * 60 + 39), minutes(4 * 60 + 57)},
                                         {minutes(22 * 60 + 23), minutes(22 * 60 + 41)}};
    const std::vector<ClockSpan> golden = {{minutes(4 * 60 + 57), minutes(6 * 60 + 18)},
                                           {minutes(21 * 60 + 2), minutes(22 * 60 + 23)}};
    EXPECT_EQ(midsummer.blue, blue);
    EXPECT_EQ(midsummer.golden, golden);

    test::PlaceAt(state.Settings, 69 * 60, 20 * 60, 60, true);
    in = GraphInputsFor(state);
    in.lightBands = true;
    const GraphData north = BuildGraph(in, Body::Sun);
    const GraphLightDay& polar =
        north.light.at(static_cast<std::size_t>(DayNumber::FromYmd(2024, 6, 21) - north.firstDay));
    EXPECT_TRUE(polar.blue.empty());
    ASSERT_EQ(polar.golden.size(), 2u);
    EXPECT_EQ(polar.golden[0].from, minutes(0));
    EXPECT_EQ(polar.golden[1].to, minutes(24 * 60));
}

// From a height the sun's lines are the rise and set seen from there, by the
// designed lines' rule, and named so. The window's curves beside them: the
// visible rise and set behind the profile, and the user's first events, an
// offset from the visible sunrise falling on the visible rise itself.
TEST_F(GraphTest, HeightLinesAndSeenCurves) {
    Show(2024, 6, 21);
    const DayNumber midsummer = DayNumber::FromYmd(2024, 6, 21);
    GraphInputs in = GraphInputsFor(state);
    const GraphData plain = BuildGraph(in, Body::Sun);
    EXPECT_FALSE(plain.heightNames);
    EXPECT_TRUE(plain.curves.empty());

    in.linesFromHeight = 2000;
    const GraphData high = BuildGraph(in, Body::Sun);
    ASSERT_EQ(high.rise.size(), plain.rise.size());
    SiteSettings settings = state.Settings;
    settings.ObserverHeightMetres = 2000;
    std::vector<SeenDay> seen;
    ForEachDayFromHeight(settings, high.firstDay, high.lastDay, [&](const SeenDay& d) {
        seen.push_back(d);
        return true;
    });
    for (std::size_t i = 0; i < high.rise.size(); ++i) {
        EXPECT_EQ(high.rise[i].time, seen[i][EventKind::Rise].Clock);
        EXPECT_EQ(high.set[i].time, seen[i][EventKind::Set].Clock);
        EXPECT_LT(high.rise[i].time, plain.rise[i].time);
    }
    ASSERT_TRUE(high.shownRise);
    EXPECT_EQ(
        high.shownRise->point,
        (GraphPoint{
            midsummer,
            seen[static_cast<std::size_t>(midsummer - high.firstDay)][EventKind::Rise].Clock}));
    EXPECT_EQ(high.heightNames, kEnglishHeightNames);

    // Nothing to see beside the lines without a height, a profile or events.
    AddSeenCurves(state, in);
    EXPECT_TRUE(BuildGraph(in, Body::Sun).curves.empty());

    state.HorizonProfile = {{0, 2}, {90, 5}, {180, 1}, {270, 4}};
    state.OwnEvents = {
        {"Ridge", UserEventKind::Offset, 0, UserEventSide::Both, false, "visible sunrise"},
        {"Photo", UserEventKind::Elevation, 10, UserEventSide::Both, false, ""}};
    for (int i = 0; i < 6; ++i)
        state.OwnEvents.push_back({"More " + std::to_string(i), UserEventKind::Elevation, 20.0 + i,
                                   UserEventSide::Setting, false, ""});
    in = GraphInputsFor(state);
    AddSeenCurves(state, in);
    EXPECT_EQ(in.drawnOwnEvents.size(), kMaxGraphOwnEvents);
    const GraphData g = BuildGraph(in, Body::Sun);
    EXPECT_TRUE(BuildGraph(in, Body::Moon).curves.empty());
    // Visible rise and set, Ridge's one side, Photo's two, four more one each.
    ASSERT_EQ(g.curves.size(), 2u + 1u + 2u + 4u);
    EXPECT_EQ(g.curves[0].kind, GraphCurveKind::VisibleRise);
    EXPECT_EQ(g.curves[0].name, "Visible sunrise");
    EXPECT_EQ(g.curves[1].name, "Visible sunset");
    EXPECT_EQ(g.curves[2].name, "Ridge");
    EXPECT_EQ(g.curves[2].points, g.curves[0].points);
    EXPECT_EQ(g.curves[3].name, "Photo");
    EXPECT_EQ(g.curves[4].name, "");  // Photo's setting side, its colour, not in the legend
    EXPECT_EQ(g.curves[4].ownIndex, 1u);
    EXPECT_EQ(g.curves.back().name, "More 3");
    // Behind the hills the sun shows later than over the flat horizon.
    const auto at = [&](const std::vector<GraphPoint>& points) {
        return std::find_if(points.begin(), points.end(),
                            [&](const GraphPoint& p) { return p.day == midsummer; })
            ->time;
    };
    EXPECT_GT(at(g.curves[0].points), at(g.rise));
    EXPECT_LT(at(g.curves[1].points), at(g.set));
}

}  // namespace
}  // namespace dawn
