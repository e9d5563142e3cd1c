// Where the sun and the moon stand, as the windows show it: the position
// now in words, and the sky view of a date (the bodies' paths across the
// sky of its clock day) as plain values a painter draws.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "astro/horizon.h"
#include "astro/precise/position.h"
#include "core/daynumber.h"
#include "core/site.h"
#include "i18n/labels.h"
#include "present/locale.h"

namespace dawn {

// The instant the settings' clocks show `clock` (minutes after midnight)
// on `date`: in standard time, or in summer time from the date's standard
// time or the day before's. Where the clocks go back and show a reading
// twice, the first (in summer time); none for a reading the clocks skip.
std::optional<UtInstant> InstantOfClockReading(const Site& site, DayNumber date,
                                               std::chrono::minutes clock);
// The start of the date's clock day: its 00:00, or where the clocks skip
// midnight, the first reading after it.
UtInstant ClockDayStart(const Site& site, DayNumber date);

// The two lines of the position now: each altitude geometric and as
// refraction lifts it, the azimuth, and the moon's lit part and distance.
struct PositionNowTexts {
    std::string sun;
    std::string moon;
    friend bool operator==(const PositionNowTexts&, const PositionNowTexts&) = default;
};
PositionNowTexts PositionNowTextsOf(const Site& site, const CurrentLabels& labels, UtInstant now);

// The light the sun's centre gives at a point of its path: the blue hour
// between -6° and -4°, the golden hour between -4° and +6° (the bounds of
// core/light.h).
enum class SunLight : unsigned char { Other, Blue, Golden };

struct SkyPathPoint {
    std::chrono::minutes clock{0};  // the clock reading, minutes after the date's midnight
    HorizonPosition position;
    SunLight light = SunLight::Other;  // the sun's path only
};

struct SkyPath {
    std::string name;
    // Every step of the clock day, from its midnight to the next.
    std::vector<SkyPathPoint> points;
    // The points on whole hours of the clock, with their hour as text.
    std::vector<std::size_t> hourMarks;
    std::vector<std::string> hourTexts;
    // The rise and set of the date as the main window shows them (none when
    // the body did not cross the horizon that way on the date).
    std::optional<double> riseAzimuth, setAzimuth;
};

struct SkyView {
    std::string title;
    SkyPath sun, moon;
    // North, east, south, west in the chosen language.
    std::array<std::string, 4> compass;
    std::string goldenHour, blueHour;
    // The point the marks stand on (the position now on today's date, noon
    // otherwise); a time slider moves it.
    std::size_t marked = 0;
    // The point closest to the moment now when it falls on the date's clock
    // day: a window following the clock moves the marks on with it.
    std::optional<std::size_t> now;
    // The skyline of the horizon profile, a point every degree of azimuth
    // from north round to north again; empty for the flat horizon.
    std::vector<HorizonPosition> skyline;
};

inline constexpr std::chrono::minutes kSkyViewStep{5};

// The sky view of `date` for the settings' place. `now` marks the point
// closest to it when it falls on the date's clock day. `dateText` is the
// date as the windows write it. `profile` (sorted by azimuth) gives the
// skyline; none is the flat horizon.
SkyView BuildSkyView(const Site& site, const CurrentLabels& labels, DayNumber date,
                     const std::string& dateText, std::optional<UtInstant> now,
                     std::span<const HorizonPoint> profile = {});

// The time slider's words for a point of the view: its clock time and
// where both bodies stand then.
std::string SkyViewMomentText(const SkyView& view, std::size_t point, const CurrentLabels& labels,
                              const LocaleFormats& formats);

}  // namespace dawn
