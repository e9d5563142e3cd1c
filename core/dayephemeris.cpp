#include "core/dayephemeris.h"

#include <cstdlib>

namespace dawn {
namespace {

using std::chrono::minutes;

constexpr minutes kOneDay{24 * 60};
// A change larger than this is taken as a move across midnight.
constexpr minutes kFoldAbove{23 * 60};

bool IsNormal(EventStatus s) {
    return s == EventStatus::Normal;
}

minutes WrapDay(minutes m) {
    auto v = m.count() % kOneDay.count();
    if (v < 0) v += kOneDay.count();
    return minutes(v);
}

// From rise to set; when the shifted set lies after midnight (rise > set),
// one day less the gap.
minutes Span(minutes rise, minutes set) {
    return rise > set ? kOneDay - (rise - set) : set - rise;
}

minutes AbsDiff(minutes a, minutes b) {
    return a > b ? a - b : b - a;
}

minutes FoldAcrossMidnight(minutes delta) {
    return delta > kFoldAbove ? kOneDay - delta : delta;
}

struct Shifter {
    const DstWindow& window;
    bool enabled;
    DayNumber date;
    minutes operator()(const std::string& text) const {
        minutes t{0};
        ParseClock(text, t);
        return ApplySummerTime(window, enabled, date, t);
    }
};

Place PlaceOf(const SiteSettings& s) {
    return Place{s.LatitudeMinutes, s.LongitudeMinutes, s.TimeZoneMinutes};
}

// One event of the date: what the calculation said, and the local clock time.
void TakeEvent(const RiseSetResult& r, const Shifter& shift, std::string_view sep,
               EventStatus& status, std::string& text, std::string& azimuth, minutes& time,
               std::string& clock) {
    status = r.status;
    text = r.timeText;
    azimuth = r.azimuthText;
    time = shift(text);
    clock = FormatClock(time, sep);
}

// One event of the day before: its azimuth and clock text are not kept.
void TakePrevEvent(const RiseSetResult& r, const Shifter& shift, EventStatus& status,
                   std::string& text, minutes& time) {
    status = r.status;
    text = r.timeText;
    time = shift(text);
}

}  // namespace

DayEphemeris AssembleDay(const SiteSettings& settings, DayNumber date, std::string_view sep,
                         const DayEvents& sun, const DayEvents& moon, const DayEvents& prevSun,
                         const DayEvents& prevMoon) {
    DayEphemeris e;
    e.Date = date;
    e.PrevDate = date - 1;
    e.Window = ComputeDstWindow(settings, date);
    const Shifter shiftDate{e.Window, settings.SummerTimeEnabled, e.Date};
    // The day before is shifted with the window of the date itself.
    const Shifter shiftPrev{e.Window, settings.SummerTimeEnabled, e.PrevDate};

    TakeEvent(sun.rise, shiftDate, sep, e.SunRiseStatus, e.SunRiseText, e.SunRiseAzimuth,
              e.SunRiseTime, e.SunRiseClock);
    TakeEvent(sun.set, shiftDate, sep, e.SunSetStatus, e.SunSetText, e.SunSetAzimuth, e.SunSetTime,
              e.SunSetClock);
    e.JulianDay = sun.rise.julianDay;
    const bool sunNormal = IsNormal(e.SunRiseStatus) && IsNormal(e.SunSetStatus);
    if (sunNormal) e.DayLength = Span(e.SunRiseTime, e.SunSetTime);

    TakeEvent(moon.rise, shiftDate, sep, e.MoonRiseStatus, e.MoonRiseText, e.MoonRiseAzimuth,
              e.MoonRiseTime, e.MoonRiseClock);
    TakeEvent(moon.set, shiftDate, sep, e.MoonSetStatus, e.MoonSetText, e.MoonSetAzimuth,
              e.MoonSetTime, e.MoonSetClock);
    const bool moonNormal = IsNormal(e.MoonRiseStatus) && IsNormal(e.MoonSetStatus);
    if (moonNormal) e.MoonLightLength = Span(e.MoonRiseTime, e.MoonSetTime);

    TakePrevEvent(prevSun.rise, shiftPrev, e.PrevSunRiseStatus, e.PrevSunRiseText,
                  e.PrevSunRiseTime);
    TakePrevEvent(prevSun.set, shiftPrev, e.PrevSunSetStatus, e.PrevSunSetText, e.PrevSunSetTime);
    TakePrevEvent(prevMoon.rise, shiftPrev, e.PrevMoonRiseStatus, e.PrevMoonRiseText,
                  e.PrevMoonRiseTime);
    TakePrevEvent(prevMoon.set, shiftPrev, e.PrevMoonSetStatus, e.PrevMoonSetText,
                  e.PrevMoonSetTime);

    e.PrevDayLength = Span(e.PrevSunRiseTime, e.PrevSunSetTime);
    e.PrevMoonLightLength = Span(e.PrevMoonRiseTime, e.PrevMoonSetTime);

    auto delta = [](EventStatus now, EventStatus before, minutes t, minutes prev) {
        const minutes d = IsNormal(now) && IsNormal(before) ? AbsDiff(prev, t) : minutes{0};
        return FoldAcrossMidnight(d);
    };
    e.SunRiseDelta = delta(e.SunRiseStatus, e.PrevSunRiseStatus, e.SunRiseTime, e.PrevSunRiseTime);
    e.SunSetDelta = delta(e.SunSetStatus, e.PrevSunSetStatus, e.SunSetTime, e.PrevSunSetTime);
    e.MoonRiseDelta =
        delta(e.MoonRiseStatus, e.PrevMoonRiseStatus, e.MoonRiseTime, e.PrevMoonRiseTime);
    e.MoonSetDelta = delta(e.MoonSetStatus, e.PrevMoonSetStatus, e.MoonSetTime, e.PrevMoonSetTime);

    if (sunNormal && IsNormal(e.PrevSunRiseStatus) && IsNormal(e.PrevSunSetStatus)) {
        e.DayLengthDelta = AbsDiff(e.DayLength, e.PrevDayLength);
    }
    if (moonNormal && IsNormal(e.PrevMoonRiseStatus) && IsNormal(e.PrevMoonSetStatus)) {
        e.MoonLightDelta = AbsDiff(e.MoonLightLength, e.PrevMoonLightLength);
    }
    return e;
}

std::string FormatClock(minutes timeOfDay, std::string_view timeSeparator) {
    const auto m = WrapDay(timeOfDay).count();
    const int h = static_cast<int>(m / 60);
    const int mm = static_cast<int>(m % 60);
    std::string out;
    out.reserve(4 + timeSeparator.size());
    out += static_cast<char>('0' + h / 10);
    out += static_cast<char>('0' + h % 10);
    out += timeSeparator;
    out += static_cast<char>('0' + mm / 10);
    out += static_cast<char>('0' + mm % 10);
    return out;
}

bool ParseClock(std::string_view text, minutes& out) {
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const std::size_t n = text.size();
    // The calculations write two-digit hours, the separator and two-digit
    // minutes; reading the ends keeps any separator, even one with digits.
    if (n >= 5 && isDigit(text[0]) && isDigit(text[1]) && !isDigit(text[2]) &&
        isDigit(text[n - 2]) && isDigit(text[n - 1]) && !isDigit(text[n - 3])) {
        const int m = (text[n - 2] - '0') * 10 + (text[n - 1] - '0');
        if (m > 59) return false;
        out = WrapDay(minutes(((text[0] - '0') * 10 + (text[1] - '0')) * 60 + m));
        return true;
    }
    std::size_t i = 0;
    auto number = [&](long& v) {
        while (i < n && !isDigit(text[i])) ++i;
        if (i == n) return false;
        v = 0;
        int digits = 0;
        while (i < n && isDigit(text[i])) {
            if (++digits <= 6) v = v * 10 + (text[i] - '0');
            ++i;
        }
        return true;
    };
    long h = 0, m = 0;
    if (!number(h) || !number(m) || m > 59) return false;
    out = WrapDay(minutes(h * 60 + m));
    return true;
}

DayEphemeris ComputeDay(const SiteSettings& settings, DayNumber date,
                        std::string_view timeSeparator) {
    const Place place = PlaceOf(settings);
    const auto today = date.ToDate();
    const auto before = (date - 1).ToDate();
    // The plain order: sunrise, sunset, moonrise, moonset of the date, then the
    // same four of the day before, each its own calculation.
    DayEvents sun{ComputeSunEvent(EventKind::Rise, today, place, timeSeparator),
                  ComputeSunEvent(EventKind::Set, today, place, timeSeparator)};
    DayEvents moon{ComputeMoonEvent(EventKind::Rise, today, place, timeSeparator),
                   ComputeMoonEvent(EventKind::Set, today, place, timeSeparator)};
    DayEvents prevSun{ComputeSunEvent(EventKind::Rise, before, place, timeSeparator),
                      ComputeSunEvent(EventKind::Set, before, place, timeSeparator)};
    DayEvents prevMoon{ComputeMoonEvent(EventKind::Rise, before, place, timeSeparator),
                       ComputeMoonEvent(EventKind::Set, before, place, timeSeparator)};
    return AssembleDay(settings, date, timeSeparator, sun, moon, prevSun, prevMoon);
}

void ForEachDay(const SiteSettings& settings, DayNumber from, DayNumber to,
                std::string_view timeSeparator,
                const std::function<bool(const DayEphemeris&)>& onDay) {
    if (to < from) return;
    const Place place = PlaceOf(settings);
    DayEvents prevSun = ComputeSunDay((from - 1).ToDate(), place, timeSeparator);
    DayEvents prevMoon = ComputeMoonDay((from - 1).ToDate(), place, timeSeparator);
    for (DayNumber d = from;; ++d) {
        const auto ymd = d.ToDate();
        DayEvents sun = ComputeSunDay(ymd, place, timeSeparator);
        DayEvents moon = ComputeMoonDay(ymd, place, timeSeparator);
        if (!onDay(AssembleDay(settings, d, timeSeparator, sun, moon, prevSun, prevMoon))) return;
        if (d == to) return;
        prevSun = std::move(sun);
        prevMoon = std::move(moon);
    }
}

BodyDay BodyDayOf(const DayEphemeris& e, Body body) {
    if (body == Body::Sun) {
        return BodyDay{e.Date,        e.SunRiseStatus,  e.SunSetStatus,
                       e.SunRiseTime, e.SunSetTime,     e.SunRiseClock,
                       e.SunSetClock, e.SunRiseAzimuth, e.SunSetAzimuth};
    }
    return BodyDay{e.Date,         e.MoonRiseStatus,  e.MoonSetStatus,
                   e.MoonRiseTime, e.MoonSetTime,     e.MoonRiseClock,
                   e.MoonSetClock, e.MoonRiseAzimuth, e.MoonSetAzimuth};
}

void ForEachBodyDay(const SiteSettings& settings, Body body, DayNumber from, DayNumber to,
                    std::string_view timeSeparator,
                    const std::function<bool(const BodyDay&)>& onDay) {
    if (to < from) return;
    const Place place = PlaceOf(settings);
    BodyDay out;
    for (DayNumber d = from;; ++d) {
        const auto ymd = d.ToDate();
        DayEvents ev = body == Body::Sun ? ComputeSunDay(ymd, place, timeSeparator)
                                         : ComputeMoonDay(ymd, place, timeSeparator);
        const DstWindow window = ComputeDstWindow(settings, d);
        const Shifter shift{window, settings.SummerTimeEnabled, d};
        out.Date = d;
        out.RiseStatus = ev.rise.status;
        out.SetStatus = ev.set.status;
        out.RiseTime = shift(ev.rise.timeText);
        out.SetTime = shift(ev.set.timeText);
        out.RiseClock = FormatClock(out.RiseTime, timeSeparator);
        out.SetClock = FormatClock(out.SetTime, timeSeparator);
        out.RiseAzimuth = std::move(ev.rise.azimuthText);
        out.SetAzimuth = std::move(ev.set.azimuthText);
        if (!onDay(out) || d == to) return;
    }
}

}  // namespace dawn
