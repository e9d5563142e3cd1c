// The position now in words, and the sky view of a date's clock day.
#include "present/skyview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/dayephemeris.h"
#include "core/settings.h"
#include "present/texts.h"

namespace dawn {
namespace {

CurrentLabels EnglishLabels() {
    CurrentLabels labels;
    labels.texts[label::kSunPositionNow] =
        "Sun now: altitude {altitude} geometric, {apparent} apparent (with refraction), azimuth "
        "{azimuth}";
    labels.texts[label::kMoonPositionNow] =
        "Moon now: altitude {altitude} geometric, {apparent} apparent (with refraction), azimuth "
        "{azimuth}, {lit}% lit, {distance} km";
    labels.texts[label::kSkyViewTitle] = "Sky view";
    labels.texts[label::kSkyViewMoment] =
        "{time}: sun {sun_altitude} high at {sun_azimuth}, moon {moon_altitude} high at "
        "{moon_azimuth} (geometric)";
    labels.hemisphere = {"N", "E", "S", "W"};
    return labels;
}

UtInstant At(int y, unsigned m, unsigned d, int h, int min) {
    using namespace std::chrono;
    return UtInstant{sys_days{year{y} / m / d}} + minutes{h * 60 + min};
}

// Velmoren on 1 January 2000 at 12:00 UT, the reference's row: sun
// 16.0679° high at 184.4484°, moon 6.6148° at 242.3998°, 23.0 % lit,
// 401,658 km from the place (ours 401,654). Refraction lifts them by 3.4'
// and 7.6'.
TEST(PositionNow, GeometricAndApparentAltitudesSaidPlainly) {
    const SiteSettings s = DefaultSettings("/app", 2000);
    const PositionNowTexts texts = PositionNowTextsOf(s, EnglishLabels(), At(2000, 1, 1, 12, 0));
    EXPECT_EQ(texts.sun,
              "Sun now: altitude 16°04' geometric, 16°08' apparent (with refraction), azimuth "
              "184°27'");
    EXPECT_EQ(texts.moon,
              "Moon now: altitude 6°37' geometric, 6°45' apparent (with refraction), azimuth "
              "242°24', 23% lit, 401654 km");
}

// The clock day the clocks go forward has 23 hours: 277 points of five
// minutes, no mark at 02:00, the last point at the next midnight. The sun's
// path crosses the rise and set altitude (its centre 50' below the horizon)
// at the azimuths the day record gives, coloured blue, then golden, then
// not, in the morning; the mark stands on the clock's noon, or on now.
TEST(SkyView, PathsOfTheClockDay) {
    const SiteSettings s = DefaultSettings("/app", 2024);
    const DayNumber date = DayNumber::FromYmd(2024, 3, 31);
    const SkyView view = BuildSkyView(s, EnglishLabels(), date, "31/03/2024", std::nullopt);
    EXPECT_EQ(view.title, "Sky view 31/03/2024");
    ASSERT_EQ(view.sun.points.size(), 277u);
    EXPECT_EQ(view.sun.points.front().clock, std::chrono::minutes{0});
    EXPECT_EQ(view.sun.points.back().clock, std::chrono::minutes{1440});
    EXPECT_EQ(view.sun.hourTexts.size(), 23u);
    EXPECT_EQ(std::count(view.sun.hourTexts.begin(), view.sun.hourTexts.end(), "02"), 0);
    EXPECT_EQ(view.sun.hourTexts[2], "03");
    EXPECT_EQ(view.sun.points[view.sun.hourMarks[2]].clock, std::chrono::minutes{180});
    EXPECT_EQ(view.sun.points[view.marked].clock, std::chrono::minutes{720});

    const DayEphemeris day = ComputeDay(s, date);
    for (const EventKind kind : kEventKinds) {
        const std::optional<double> expected = day.Event(Body::Sun, kind).Azimuth;
        ASSERT_TRUE(expected);
        EXPECT_EQ(kind == EventKind::Rise ? view.sun.riseAzimuth : view.sun.setAzimuth, expected);
        // The crossing of -50' between two points, by the path.
        const auto& p = view.sun.points;
        bool seen = false;
        for (std::size_t i = 0; i + 1 < p.size(); ++i) {
            const double a = p[i].position.altitudeDegrees + 50.0 / 60.0;
            const double b = p[i + 1].position.altitudeDegrees + 50.0 / 60.0;
            if ((a < 0) != (b < 0) && (b > a) == (kind == EventKind::Rise)) {
                const double at =
                    p[i].position.azimuthDegrees +
                    (p[i + 1].position.azimuthDegrees - p[i].position.azimuthDegrees) * a / (a - b);
                EXPECT_NEAR(at, *expected, 0.3);
                seen = true;
            }
        }
        EXPECT_TRUE(seen);
    }
    std::vector<SunLight> morning;
    for (const SkyPathPoint& p : view.sun.points) {
        if (p.clock > std::chrono::minutes{720}) break;
        if (morning.empty() || morning.back() != p.light) morning.push_back(p.light);
    }
    EXPECT_EQ(morning, (std::vector<SunLight>{SunLight::Other, SunLight::Blue, SunLight::Golden,
                                              SunLight::Other}));

    // 09:17 summer time is 07:17 UT: the mark stands on 09:15, and the
    // slider's words say where both bodies stand then.
    const SkyView now = BuildSkyView(s, EnglishLabels(), date, "", At(2024, 3, 31, 7, 17));
    EXPECT_EQ(now.sun.points[now.marked].clock, std::chrono::minutes{9 * 60 + 15});
    const SkyPositions then =
        SkyPositionsAt(GeoPlace::FromArcMinutes(3047, 328), At(2024, 3, 31, 7, 15));
    EXPECT_EQ(SkyViewMomentText(now, now.marked, EnglishLabels(), LocaleFormats{}),
              "09:15: sun " + FormatAltitude(then.sun.altitudeDegrees) + " high at " +
                  FormatAzimuth(then.sun.azimuthDegrees) + ", moon " +
                  FormatAltitude(then.moon.altitudeDegrees) + " high at " +
                  FormatAzimuth(then.moon.azimuthDegrees) + " (geometric)");
    EXPECT_EQ(SkyViewMomentText(now, now.sun.points.size(), EnglishLabels(), LocaleFormats{}), "");
}

// The skyline of a profile, a point every degree from north round to north,
// linear between the profile's points and across north; none without one.
// The moment now is kept apart from the marks.
TEST(SkyView, SkylineOfTheProfileAndTheMomentNow) {
    const SiteSettings s = DefaultSettings("/app", 2024);
    const DayNumber date = DayNumber::FromYmd(2024, 6, 21);
    const std::vector<HorizonPoint> profile = {{90, 10}, {180, 2}, {300, 6}};
    const SkyView view = BuildSkyView(s, EnglishLabels(), date, "", std::nullopt, profile);
    ASSERT_EQ(view.skyline.size(), 361u);
    EXPECT_FALSE(view.now.has_value());
    const std::pair<int, double> expected[] = {{0, 7.6}, {90, 10},   {135, 6},  {180, 2},
                                               {240, 4}, {330, 6.8}, {360, 7.6}};
    for (const auto& [azimuth, altitude] : expected) {
        const HorizonPosition& p = view.skyline[static_cast<std::size_t>(azimuth)];
        EXPECT_DOUBLE_EQ(p.azimuthDegrees, azimuth);
        EXPECT_NEAR(p.altitudeDegrees, altitude, 1e-9) << azimuth;
    }
    EXPECT_TRUE(BuildSkyView(s, EnglishLabels(), date, "", std::nullopt).skyline.empty());

    const SkyView today = BuildSkyView(s, EnglishLabels(), date, "", At(2024, 6, 21, 15, 2));
    ASSERT_TRUE(today.now.has_value());
    EXPECT_EQ(today.marked, *today.now);
    EXPECT_EQ(today.sun.points[*today.now].clock, std::chrono::minutes{17 * 60});
}

}  // namespace
}  // namespace dawn
