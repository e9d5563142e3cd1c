// Time and angle conventions shared by the sun and the moon: the calendar
// arithmetic, the sidereal angle and the rule that turns a day's scan into a
// status.
#include <cmath>
#include <cstdlib>

#include "astro/astro.h"
#include "astro/numbers.h"

namespace dawn {

double MinutesToHourDotMinutes(std::int32_t minutes) {
    // 64 bits so that the most negative count has a magnitude too.
    const std::int64_t a = std::llabs(static_cast<std::int64_t>(minutes));
    const double x = static_cast<double>(a / 60) + static_cast<double>(a % 60) / 100.0;
    // Zero stays +0.0 so that it never shows as "-0.00".
    return minutes >= 0 ? x : -x;
}

double JulianDay0h(int year, int month, int day, int switchYear) {
    using std::floor;
    const double Y = year;
    const double M = month;
    const double g = year < switchYear ? 0.0 : 1.0;
    double j = -floor(7.0 * (floor((M + 9.0) / 12.0) + Y) / 4.0);
    double k = 0.0;
    if (g == 1.0) {
        const double s = M > 9.0 ? 1.0 : (M < 9.0 ? -1.0 : 0.0);
        const double a = std::fabs(M - 9.0);
        const double y = floor(Y + s * floor(a / 7.0));
        k = -floor((floor(y / 100.0) + 1.0) * 3.0 / 4.0);
    }
    j = j + floor(275.0 * M / 9.0) + day + g * k + 1721027.0 + 2.0 * g + 367.0 * Y;
    return j - 0.5;
}

double SiderealAtMidnight(double daysFromJ2000, double zoneDays, double longitudeDegrees) {
    const double t0 = daysFromJ2000 / 36525.0;
    // Sidereal seconds at 0h UT, plus those from 0h UT to local midnight,
    // plus the longitude as time.
    double s =
        24110.5 + 8640184.813 * t0 + 86636.6 * zoneDays + 86400.0 * (longitudeDegrees / 360.0);
    s = s / 86400.0;
    s = s - std::floor(s);
    return s * 360.0 * kRadiansPerDegree;
}

ResolvedDay ResolveDayStatus(bool riseFound, bool setFound, double finalAltitude, EventKind kind,
                             ClockTime scanTime) {
    constexpr ClockTime kStartOfDay{0, 0};
    constexpr ClockTime kEndOfDay{23, 59};
    constexpr ClockTime kNoon{12, 0};
    const ClockTime edge = kind == EventKind::Rise ? kStartOfDay : kEndOfDay;

    ResolvedDay day{EventStatus::Normal, scanTime};
    if (!riseFound && !setFound) {
        // Without a crossing the body stays on one side all day; the end of
        // the day tells which. Ending exactly at the event altitude is not
        // above it, so that (theoretical) day counts as spent below.
        if (finalAltitude > 0.0) {
            day = {EventStatus::UpAllDay, edge};
        } else {
            day = {EventStatus::DownAllDay, kNoon};
        }
    } else if (!riseFound) {
        day = {EventStatus::NoRise, edge};
    } else if (!setFound) {
        day = {EventStatus::NoSet, edge};
    }
    day.time = WithinTheDay(day.time);
    return day;
}

}  // namespace dawn
