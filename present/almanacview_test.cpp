// The almanac's rows and hints as the windows show them: the words in the
// applied language, the contacts on the place's clock, the locale's numbers.
#include "present/almanacview.h"

#include <gtest/gtest.h>

#include "places/zone.h"
#include "present/testsupport_state.h"

namespace dawn {
namespace {

using std::chrono::minutes;
using std::chrono::sys_days;
using std::chrono::sys_time;

sys_time<minutes> At(int y, unsigned m, unsigned d, int h, int min) {
    return sys_time<minutes>{sys_days{std::chrono::year{y} / m / d}} + minutes{h * 60 + min};
}

UtInstant Ut(int y, unsigned m, unsigned d, int h, int min) {
    return UtInstant{At(y, m, d, h, min)};
}

AppState DallasState() {
    AppState state = test::EnglishState();
    test::PlaceAt(state.Settings, 32 * 60 + 47, -(96 * 60 + 48), -360);
    const ZoneOpenResult chicago = OpenZone("America/Chicago");
    EXPECT_TRUE(chicago.zone) << chicago.message;
    state.Settings.Zone = chicago.zone;
    return state;
}

TEST(AlmanacItemText, EachKindInWordsWithTheLocalesNumbersAndTheClocksContacts) {
    AppState state = test::EnglishState();
    // UTC+1 all year, a comma for the decimal point and a dot between hours
    // and minutes.
    state.Settings.SummerTimeEnabled = false;
    state.Locale.DecimalPoint = ",";
    state.Locale.TimeSeparator = ".";
    static const MeteorShower perseids{"Perseids", 140.0, 100};
    LunarEclipse lunar{};
    lunar.kind = LunarEclipseKind::Total;
    lunar.magnitude = 1.1567;
    lunar.p1 = Ut(2025, 3, 14, 3, 57);
    lunar.p4 = Ut(2025, 3, 14, 9, 0);
    lunar.moonAltitudeAtGreatest = -12.5;
    LocalSolarEclipse solar{};
    solar.kind = SolarEclipseKind::Annular;
    solar.magnitude = 0.9321;
    solar.obscuration = 0.86849;
    solar.c1 = Ut(2024, 10, 2, 23, 30);  // 00:30 on the clock, the next date
    solar.c4 = Ut(2024, 10, 3, 1, 5);
    solar.sunAltitudeAtMaximum = 3.25;
    const struct Case {
        decltype(AlmanacItem::event) event;
        std::string text;
    } cases[] = {
        {SeasonEvent{{}, Season::SeptemberEquinox}, "September equinox"},
        {ApsisEvent{{}, Apsis::Perigee, 356419.4, true}, "Perigee: 356419 km, Supermoon"},
        {ApsisEvent{{}, Apsis::Apogee, 406512.6, false}, "Apogee: 406513 km"},
        {lunar, "Lunar eclipse: total, 1,157, 04.57-10.00, -12°30'"},
        {solar, "Solar eclipse: annular, 0,932, 86,8 %, 00.30-02.05, 3°15'"},
        {MeteorShowerPeak{{}, &perseids, 0.994},
         "Meteor shower: Perseids, ZHR 100, Illuminated 99%"},
        {SummerTimeChange{true}, "Summer time starts"},
        {SummerTimeChange{false}, "Summer time ends"},
    };
    for (const Case& c : cases) {
        const AlmanacItem item{AlmanacKind::Season, {}, {}, minutes{0}, c.event};
        EXPECT_EQ(AlmanacItemText(state, item), c.text);
    }

    // Another language's words, the figures alike.
    state.Settings.LanguageIndex = 3;  // Deu
    state.ApplyLanguage();
    EXPECT_EQ(AlmanacItemText(state, {AlmanacKind::Apsis,
                                      {},
                                      {},
                                      minutes{0},
                                      ApsisEvent{{}, Apsis::Perigee, 356419.4, true}}),
              "Perigäum: 356419 km, Supermond");
    EXPECT_EQ(AlmanacItemText(
                  state, {AlmanacKind::SummerTime, {}, {}, minutes{0}, SummerTimeChange{false}}),
              "Sommerzeit endet");
}

TEST(AlmanacRowsOf, AYearAtDallasOnItsClocksAndFilteredByKind) {
    const AppState state = DallasState();
    const std::vector<AlmanacRow> all = AlmanacRowsOf(state, 2024);
    // The total eclipse of 8 April 2024, greatest at Dallas at 13:43 CDT.
    const auto eclipse = std::find_if(all.begin(), all.end(), [](const AlmanacRow& r) {
        return r.kind == AlmanacKind::SolarEclipse;
    });
    ASSERT_NE(eclipse, all.end());
    EXPECT_EQ(eclipse->date, DayNumber::FromYmd(2024, 4, 8));
    EXPECT_EQ(eclipse->time, "08/04/2024 13:43");
    EXPECT_EQ(eclipse->text.rfind("Solar eclipse: total, ", 0), 0u) << eclipse->text;
    // October's annular eclipse is not seen from Dallas.
    EXPECT_EQ(
        std::count_if(all.begin(), all.end(),
                      [](const AlmanacRow& r) { return r.kind == AlmanacKind::SolarEclipse; }),
        1);
    // Every row lies in the year, oldest first; the clocks change twice.
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i].date.Year(), 2024);
        if (i > 0) {
            EXPECT_LE(all[i - 1].date, all[i].date);
        }
    }

    AlmanacKinds onlySummerTime{};
    onlySummerTime[static_cast<std::size_t>(AlmanacKind::SummerTime)] = true;
    const std::vector<AlmanacRow> changes = AlmanacRowsOf(state, 2024, onlySummerTime);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].time, "10/03/2024 02:00");
    EXPECT_EQ(changes[0].text, "Summer time starts");
    EXPECT_EQ(changes[1].time, "03/11/2024 02:00");
    EXPECT_EQ(changes[1].text, "Summer time ends");
}

TEST(AlmanacHintsOfMonth, TheDatesOfAMonthThatHoldAnItem) {
    const AppState state = DallasState();
    const AlmanacMonthHints hints = AlmanacHintsOfMonth(state, std::chrono::year{2024} / 4);
    const std::vector<AlmanacRow> rows = AlmanacRowsOf(state, 2024);
    // The same items as the year's rows of April, on the same dates.
    AlmanacMonthHints expected;
    for (const AlmanacRow& r : rows) {
        if (r.date.Month() != 4) continue;
        std::string& hint = expected[r.date.Day() - 1];
        if (!hint.empty()) hint += '\n';
        hint += r.time.substr(r.time.size() - 5) + " " + r.text;
    }
    EXPECT_EQ(hints, expected);
    EXPECT_EQ(hints[7].rfind("13:43 Solar eclipse: total", 0), 0u) << hints[7];
    EXPECT_TRUE(hints[0].empty());
}

TEST(AlmanacMonthMarks, ComputedOncePerMonthAndAgainAfterAChangeOfPlaceOrLanguage) {
    AppState state = DallasState();
    AlmanacMonthMarks marks;
    const auto april = std::chrono::year{2024} / 4;
    const AlmanacMonthHints* first = marks.Update(state, april);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(*first, AlmanacHintsOfMonth(state, april));
    EXPECT_EQ(marks.Update(state, april), nullptr);  // the calendar shows them already

    struct Change {
        const char* what;
        void (*apply)(AppState&);
        std::chrono::year_month month;
    } changes[] = {
        {"another month", [](AppState&) {}, std::chrono::year{2024} / 5},
        {"another place", [](AppState& s) { s.Settings.LatitudeMinutes = -2000; },
         std::chrono::year{2024} / 5},
        {"another language",
         [](AppState& s) {
             s.Settings.LanguageIndex = 3;
             s.ApplyLanguage();
         },
         std::chrono::year{2024} / 5},
        {"another time separator", [](AppState& s) { s.Locale.TimeSeparator = "."; },
         std::chrono::year{2024} / 5},
    };
    for (const Change& c : changes) {
        c.apply(state);
        const AlmanacMonthHints* hints = marks.Update(state, c.month);
        ASSERT_NE(hints, nullptr) << c.what;
        EXPECT_EQ(*hints, AlmanacHintsOfMonth(state, c.month)) << c.what;
        EXPECT_EQ(marks.Update(state, c.month), nullptr) << c.what;
    }
    marks.Clear();
    EXPECT_NE(marks.Update(state, std::chrono::year{2024} / 5), nullptr);
}

// The moon of the supermoon of 17 October 2024 (00:55 UT, 357,175 km in
// PyEphem), on Dallas's summer clock five hours behind UT.
TEST(MoonSizeText, TheMoonsDistanceAndSizeOnThePlacesClockInTheAppliedLanguage) {
    AppState state = DallasState();
    const UtInstant supermoon = Ut(2024, 10, 17, 0, 55);
    EXPECT_EQ(MoonSizeText(state, supermoon),
              "Moon at 16/10/2024 19:55: 357172 km from the Earth's centre, apparent diameter "
              "33.4' (107.6% of its mean size)");
    state.Settings.LanguageIndex = 3;  // Deu
    state.ApplyLanguage();
    state.Locale.DecimalPoint = ",";
    state.Locale.TimeSeparator = ".";
    EXPECT_EQ(MoonSizeText(state, supermoon),
              "Mond am 16/10/2024 19.55: 357172 km vom Erdmittelpunkt, scheinbarer Durchmesser "
              "33,4' (107,6 % der mittleren Größe)");
}

// A date's line is the moon at 00:00 of its clock day: 05:00 UT in Dallas in
// summer, and where the clocks skip midnight (Santiago, 8 September 2024)
// their first reading, 01:00.
TEST(MoonSizeText, ADatesLineIsTheMoonAtTheStartOfItsClockDay) {
    AppState state = DallasState();
    EXPECT_EQ(MoonSizeTextOfDate(state, DayNumber::FromYmd(2024, 10, 17)),
              MoonSizeText(state, Ut(2024, 10, 17, 5, 0)));
    const ZoneOpenResult santiago = OpenZone("America/Santiago");
    ASSERT_TRUE(santiago.zone) << santiago.message;
    test::PlaceAt(state.Settings, -(33 * 60 + 27), -(70 * 60 + 40), -240);
    state.Settings.Zone = santiago.zone;
    const std::string skipped = MoonSizeTextOfDate(state, DayNumber::FromYmd(2024, 9, 8));
    EXPECT_EQ(skipped.rfind("Moon at 08/09/2024 01:00: ", 0), 0u) << skipped;
    EXPECT_EQ(skipped, MoonSizeText(state, Ut(2024, 9, 8, 4, 0)));
}

// Each row carries its instant: the moon's line of a perigee or an apogee
// tells the distance its row tells.
TEST(MoonSizeText, AnApsisRowsLineTellsItsDistance) {
    const AppState state = DallasState();
    AlmanacKinds onlyApsides{};
    onlyApsides[static_cast<std::size_t>(AlmanacKind::Apsis)] = true;
    const std::vector<AlmanacRow> rows = AlmanacRowsOf(state, 2024, onlyApsides);
    ASSERT_GE(rows.size(), 24u);
    for (const AlmanacRow& row : rows) {
        // "Perigee: 356894 km" or "Apogee: 406295 km, ..."
        const std::string km = row.text.substr(row.text.find(": ") + 2, 9);
        const std::string line = MoonSizeText(state, row.instant);
        EXPECT_EQ(line.rfind("Moon at " + row.time + ": " + km, 0), 0u) << row.text << "\n" << line;
    }
}

TEST(AlmanacKindNames, TheFiltersNamesInTheAppliedLanguage) {
    AppState state = test::EnglishState();
    const auto names = AlmanacKindNames(state);
    EXPECT_EQ(names[static_cast<std::size_t>(AlmanacKind::Season)], "Equinoxes and solstices");
    EXPECT_EQ(names[static_cast<std::size_t>(AlmanacKind::Apsis)], "Perigee / Apogee");
    EXPECT_EQ(names[static_cast<std::size_t>(AlmanacKind::SummerTime)], "Summer time");
    state.Settings.LanguageIndex = 1;  // Ned
    state.ApplyLanguage();
    EXPECT_EQ(AlmanacKindNames(state)[static_cast<std::size_t>(AlmanacKind::MeteorShower)],
              "Meteorenzwerm");
}

}  // namespace
}  // namespace dawn
