// The almanac against an independent ephemeris (astronomy-engine, see
// data/tools/make_almanac_reference.mjs), and its rules on made-up cases.
//
// DAWN_ALMANAC_REFERENCE=FILE measures against the long table that
// `make_almanac_reference.mjs --all` writes (1900-2100) and prints the
// median and largest differences, the figures in the README.
#include "astro/precise/almanac.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace dawn {
namespace {

using std::chrono::days;
using std::chrono::sys_days;

UtInstant Date(int y, unsigned m, unsigned d) {
    return UtInstant{sys_days{std::chrono::year{y} / std::chrono::month{m} / std::chrono::day{d}}};
}

// "YYYY-MM-DD HH:MM:SS", UT.
UtInstant Parse(const std::string& text) {
    int y = 0;
    unsigned mo = 0, d = 0, h = 0, mi = 0, s = 0;
    std::sscanf(text.c_str(), "%d-%u-%u %u:%u:%u", &y, &mo, &d, &h, &mi, &s);
    return Date(y, mo, d) + UtInstant::duration{(h * 3600.0 + mi * 60.0 + s) / 86400.0};
}

double Seconds(UtInstant a, UtInstant b) {
    return (a - b).count() * 86400.0;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> out;
    std::stringstream in(line);
    std::string field;
    while (std::getline(in, field, ';')) out.push_back(field);
    if (!line.empty() && line.back() == ';') out.emplace_back();
    return out;
}

struct Reference {
    bool longTable = false;
    std::vector<std::vector<std::string>> rows;
    std::vector<std::vector<std::string>> Of(const std::string& kind) const {
        std::vector<std::vector<std::string>> out;
        for (const auto& r : rows)
            if (r[0] == kind) out.push_back(r);
        return out;
    }
};

const Reference& Table() {
    static const Reference ref = [] {
        Reference r;
        const char* other = std::getenv("DAWN_ALMANAC_REFERENCE");
        r.longTable = other != nullptr && *other != '\0';
        std::ifstream in(r.longTable ? std::string(other)
                                     : std::string(DAWN_SOURCE_DIR) +
                                           "/astro/precise/testdata/almanac_reference.txt");
        std::string line;
        while (std::getline(in, line))
            if (!line.empty() && line[0] != '#') r.rows.push_back(Fields(line));
        return r;
    }();
    return ref;
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
double Largest(const std::vector<double>& v) {
    double m = 0.0;
    for (double x : v) m = std::max(m, std::fabs(x));
    return m;
}
std::vector<double> Absolute(std::vector<double> v) {
    for (double& x : v) x = std::fabs(x);
    return v;
}
void Report(const char* what, const std::vector<double>& v, const char* unit) {
    if (Table().longTable)
        std::printf("%s: %zu compared, median %.1f %s, largest %.1f %s\n", what, v.size(),
                    Median(Absolute(v)), unit, Largest(v), unit);
}

TEST(Almanac, SeasonsAgreeWithinAMinute) {
    const auto rows = Table().Of("season");
    ASSERT_GE(rows.size(), 24u);
    const char* names[] = {"march", "june", "september", "december"};
    std::vector<double> errors;
    for (const auto& r : rows) {
        const UtInstant expected = Parse(r[2]);
        const auto found = SeasonsBetween(expected - days{3}, expected + days{3});
        ASSERT_EQ(found.size(), 1u) << r[2];
        EXPECT_EQ(names[static_cast<int>(found[0].season)], r[1]) << r[2];
        errors.push_back(Seconds(found[0].instant, expected));
        EXPECT_LT(std::fabs(errors.back()), 60.0) << r[1] << " " << r[2];
    }
    Report("seasons", errors, "s");
}

TEST(Almanac, ApsidesAgreeInTimeAndDistance) {
    const auto rows = Table().Of("apsis");
    ASSERT_FALSE(rows.empty());
    const UtInstant first = Parse(rows.front()[2]) - days{1};
    const UtInstant last = Parse(rows.back()[2]) + days{1};
    const auto found = LunarApsidesBetween(first, last);
    ASSERT_EQ(found.size(), rows.size());
    std::vector<double> times, distances;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(found[i].apsis == Apsis::Perigee ? "perigee" : "apogee", rows[i][1])
            << rows[i][2];
        times.push_back(Seconds(found[i].instant, Parse(rows[i][2])) / 60.0);
        distances.push_back(found[i].distanceKm - std::stod(rows[i][3]));
        EXPECT_LT(std::fabs(times.back()), 30.0) << rows[i][2];
        EXPECT_LT(std::fabs(distances.back()), 20.0) << rows[i][2];
    }
    EXPECT_LT(Median(Absolute(times)), 5.0);
    Report("apsis times", times, "min");
    Report("apsis distances", distances, "km");
}

TEST(Almanac, SupermoonsOf2024) {
    // The full moons of 18 September (02:34 UT) and 17 October 2024 (11:26
    // UT) came within half a day of perigee; the perigee of 14 November, with
    // the full moon 10 hours after... of 15 November 21:28, did not.
    std::vector<std::string> supermoons;
    for (const ApsisEvent& e : LunarApsidesBetween(Date(2024, 1, 1), Date(2025, 1, 1))) {
        if (!e.supermoon) continue;
        EXPECT_EQ(e.apsis, Apsis::Perigee);
        const auto d = std::chrono::year_month_day{std::chrono::floor<days>(e.instant)};
        supermoons.push_back(std::to_string(static_cast<unsigned>(d.month())) + "-" +
                             std::to_string(static_cast<unsigned>(d.day())));
    }
    EXPECT_EQ(supermoons, (std::vector<std::string>{"9-18", "10-17"}));
}

TEST(Almanac, LunarEclipsesAgreeInKindAndTimes) {
    const auto rows = Table().Of("lunar");
    ASSERT_FALSE(rows.empty());
    const UtInstant first = Parse(rows.front()[2]) - days{1};
    const UtInstant last = Parse(rows.back()[2]) + days{1};
    const auto found = LunarEclipsesBetween(first, last, GeoPlace::FromArcMinutes(3047, 328));
    ASSERT_EQ(found.size(), rows.size());
    const char* kinds[] = {"penumbral", "partial", "total"};
    std::vector<double> greatest;
    int kindMismatches = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const LunarEclipse& e = found[i];
        const UtInstant peak = Parse(rows[i][2]);
        greatest.push_back(Seconds(e.greatest, peak));
        EXPECT_LT(std::fabs(greatest.back()), 60.0) << rows[i][2];
        if (kinds[static_cast<int>(e.kind)] != rows[i][1]) {
            ++kindMismatches;
            if (Table().longTable)
                std::printf("lunar eclipse %s: %s here, %s there (umbral %.4f, penumbral %.4f)\n",
                            rows[i][2].c_str(), kinds[static_cast<int>(e.kind)], rows[i][1].c_str(),
                            e.umbralMagnitude, e.penumbralMagnitude);
        }
        if (Table().longTable) continue;
        EXPECT_EQ(kinds[static_cast<int>(e.kind)], rows[i][1]) << rows[i][2];
        // The contacts as the semi-durations give them; the two ephemerides
        // enlarge the Earth's shadow a little differently, which moves the
        // contacts by up to a minute or two.
        const auto minutes = [&](int field) { return std::stod(rows[i][field]); };
        const auto near = [&](UtInstant t, double offsetMinutes) {
            EXPECT_LT(std::fabs(Seconds(t, peak) - offsetMinutes * 60.0), 180.0) << rows[i][2];
        };
        near(e.p1, -minutes(3));
        near(e.p4, minutes(3));
        ASSERT_EQ(e.u1.has_value(), minutes(4) > 0.0);
        if (e.u1) {
            near(*e.u1, -minutes(4));
            near(*e.u4, minutes(4));
        }
        ASSERT_EQ(e.u2.has_value(), minutes(5) > 0.0);
        if (e.u2) {
            near(*e.u2, -minutes(5));
            near(*e.u3, minutes(5));
        }
    }
    if (Table().longTable) {
        std::printf("lunar eclipse kinds differing: %d\n", kindMismatches);
    } else {
        EXPECT_EQ(kindMismatches, 0);
    }
    Report("lunar eclipse greatest", greatest, "s");
}

TEST(Almanac, LunarEclipseMagnitudesAndTheMoonAtThePlace) {
    // 14 March 2025, total over the Americas: the moon was up in Dallas, and
    // below the horizon in Delhi from the first contact to the last (09:27 to
    // 15:30 there, the moon rising at sunset).
    const auto dallas = LunarEclipsesBetween(Date(2025, 3, 13), Date(2025, 3, 15),
                                             GeoPlace::FromArcMinutes(1967, -5808));
    ASSERT_EQ(dallas.size(), 1u);
    EXPECT_EQ(dallas[0].kind, LunarEclipseKind::Total);
    EXPECT_NEAR(dallas[0].magnitude, 1.178, 0.01);  // NASA's catalogue: umbral 1.1783
    EXPECT_TRUE(dallas[0].moonUp);
    EXPECT_GT(dallas[0].moonAltitudeAtGreatest, 20.0);
    const auto delhi = LunarEclipsesBetween(Date(2025, 3, 13), Date(2025, 3, 15),
                                            GeoPlace::FromArcMinutes(1717, 4633));
    ASSERT_EQ(delhi.size(), 1u);
    EXPECT_FALSE(delhi[0].moonUp);
    EXPECT_LT(delhi[0].moonAltitudeAtGreatest, -30.0);
}

struct SolarRow {
    std::string kind;
    double obscuration;
    UtInstant c1, peak, c4;
    std::optional<UtInstant> c2, c3;
    bool sunUp;
};

TEST(Almanac, LocalSolarEclipsesAgree) {
    const char* kinds[] = {"partial", "annular", "total"};
    std::map<std::string, std::vector<std::vector<std::string>>> byPlace;
    for (const auto& r : Table().Of("solar")) byPlace[r[1]].push_back(r);
    ASSERT_FALSE(byPlace.empty());
    std::vector<double> contacts, maxima, obscurations;
    int kindMismatches = 0;
    for (const auto& [name, rows] : byPlace) {
        const GeoPlace place{std::stod(rows[0][2]) * 3.14159265358979323846 / 180.0,
                             std::stod(rows[0][3]) * 3.14159265358979323846 / 180.0};
        std::vector<std::vector<std::string>> visible;
        for (const auto& r : rows) {
            // The reference gives the altitudes at the contacts and the
            // maximum; an eclipse with the sun up at one of them is visible.
            if (std::stod(r[11]) > 0.0 || std::stod(r[12]) > 0.0 || std::stod(r[13]) > 0.0)
                visible.push_back(r);
        }
        const UtInstant first = Parse(rows.front()[8]) - days{1};
        const UtInstant last = Parse(rows.back()[8]) + days{1};
        const auto found = LocalSolarEclipsesBetween(first, last, place);
        std::size_t j = 0;
        for (const auto& r : visible) {
            const UtInstant peak = Parse(r[8]);
            while (j < found.size() && found[j].maximum < peak - days{1}) ++j;
            ASSERT_LT(j, found.size()) << name << " " << r[8];
            const LocalSolarEclipse& e = found[j];
            ASSERT_LT(std::fabs(Seconds(e.maximum, peak)), 3600.0) << name << " " << r[8];
            if (kinds[static_cast<int>(e.kind)] != r[4]) {
                ++kindMismatches;
                if (Table().longTable)
                    std::printf("solar eclipse %s %s: %s here, %s there (magnitude %.4f)\n",
                                name.c_str(), r[8].c_str(), kinds[static_cast<int>(e.kind)],
                                r[4].c_str(), e.magnitude);
                else
                    ADD_FAILURE() << name << " " << r[8] << " " << r[4];
                continue;
            }
            maxima.push_back(Seconds(e.maximum, peak));
            contacts.push_back(Seconds(e.c1, Parse(r[6])));
            contacts.push_back(Seconds(e.c4, Parse(r[10])));
            if (e.c2) contacts.push_back(Seconds(*e.c2, Parse(r[7])));
            if (e.c3) contacts.push_back(Seconds(*e.c3, Parse(r[9])));
            obscurations.push_back(e.obscuration * 100.0 - std::stod(r[5]));
        }
        // Every eclipse listed here with the sun up at its maximum is one
        // of the reference's, which leaves out those with the maximum after
        // sunset or before sunrise.
        for (const LocalSolarEclipse& e : found) {
            if (e.sunAltitudeAtMaximum < 0.0) continue;
            const bool known = std::any_of(rows.begin(), rows.end(), [&](const auto& r) {
                return std::fabs(Seconds(e.maximum, Parse(r[8]))) < 3600.0;
            });
            EXPECT_TRUE(known) << name << " " << e.magnitude;
        }
    }
    if (!Table().longTable) {
        EXPECT_EQ(kindMismatches, 0);
        EXPECT_LT(Largest(maxima), 60.0);
        EXPECT_LT(Largest(contacts), 60.0);
        EXPECT_LT(Largest(obscurations), 1.0);
    } else {
        std::printf("solar eclipse kinds differing: %d\n", kindMismatches);
    }
    Report("solar eclipse maxima", maxima, "s");
    Report("solar eclipse contacts", contacts, "s");
    Report("solar eclipse obscuration", obscurations, "points");
}

TEST(Almanac, TheEclipseOf8April2024FromDallas) {
    // Dallas (32°47'N, 96°48'W): total, the sun 64.6° high. The reference
    // table has the contacts; this checks the shape of the answer.
    const auto found = LocalSolarEclipsesBetween(Date(2024, 1, 1), Date(2025, 1, 1),
                                                 GeoPlace::FromArcMinutes(1967, -5808));
    ASSERT_EQ(found.size(), 1u);  // the annular eclipse of 2 October is not seen there
    const LocalSolarEclipse& e = found[0];
    EXPECT_EQ(e.kind, SolarEclipseKind::Total);
    EXPECT_GT(e.magnitude, 1.0);
    EXPECT_DOUBLE_EQ(e.obscuration, 1.0);
    ASSERT_TRUE(e.c2 && e.c3);
    EXPECT_NEAR(Seconds(*e.c3, *e.c2), 236.0, 10.0);  // 3 min 56 s of totality
    EXPECT_NEAR(e.sunAltitudeAtMaximum, 64.6, 0.2);
}

TEST(Almanac, NoEclipseSeenWhereTheSunIsDown) {
    // 8 April 2024 at 18:42 UT it was night in Perth (31°57'S, 115°52'E), and
    // Berlin saw no solar eclipse in 2024.
    EXPECT_TRUE(LocalSolarEclipsesBetween(Date(2024, 1, 1), Date(2025, 1, 1),
                                          GeoPlace::FromArcMinutes(-1917, 6952))
                    .empty());
    EXPECT_TRUE(LocalSolarEclipsesBetween(Date(2024, 1, 1), Date(2025, 1, 1),
                                          GeoPlace::FromArcMinutes(3151, 804))
                    .empty());
}

TEST(Almanac, ObscurationOfTwoDiscs) {
    struct Case {
        double sun, moon, separation, expected;
    } cases[] = {
        {1.0, 1.0, 2.0, 0.0},   // touching from outside
        {1.0, 1.1, 0.05, 1.0},  // total
        {1.0, 0.9, 0.0, 0.81},  // annular, centred
        {1.0, 0.9, 0.1, 0.81},  // annular, inner contact
        {1.0, 1.0, 1.0, (2.0 * std::acos(0.5) - std::sqrt(3.0) / 2.0) / 3.14159265358979323846},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(Obscuration(c.sun, c.moon, c.separation), c.expected, 1e-9) << c.separation;
}

TEST(Almanac, MeteorShowersAndTheMoon) {
    const auto peaks = MeteorShowerPeaksBetween(Date(2024, 1, 1), Date(2025, 1, 1));
    ASSERT_EQ(peaks.size(), MajorMeteorShowers().size());
    for (std::size_t i = 1; i < peaks.size(); ++i) EXPECT_LT(peaks[i - 1].peak, peaks[i].peak);
    const auto of = [&](std::string_view name) {
        return *std::find_if(peaks.begin(), peaks.end(),
                             [&](const MeteorShowerPeak& p) { return p.shower->name == name; });
    };
    // The Geminids of 2024 peaked on the night before the full moon of 15
    // December (09:02 UT), the eta Aquariids of 2024 two days before a new
    // moon. The IMO's calendar for 2024 gives 14 December 01h UT and
    // 4 January 09h UT for the Geminids and the Quadrantids.
    EXPECT_GT(of("Geminids").moonLitFraction, 0.95);
    EXPECT_LT(of("eta Aquariids").moonLitFraction, 0.1);
    EXPECT_LT(std::fabs(Seconds(of("Geminids").peak, Parse("2024-12-14 01:00:00"))), 3600.0);
    EXPECT_LT(std::fabs(Seconds(of("Quadrantids").peak, Parse("2024-01-04 09:00:00"))), 3600.0);
}

TEST(Almanac, MoonDistanceAndSize) {
    // PyEphem 4.1.4 (python3-ephem): 356895 km at 07:03:30 UT on 10 March
    // 2024, the year's closest perigee.
    const MoonDistanceAndSize m = MoonDistanceAndSizeAt(Parse("2024-03-10 07:03:30"));
    EXPECT_NEAR(m.distanceKm, 356895.0, 5.0);
    EXPECT_NEAR(m.apparentDiameterDegrees, 0.5578, 0.001);
}

}  // namespace
}  // namespace dawn
