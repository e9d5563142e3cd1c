#include "core/dayephemeris.h"

namespace dawn {
namespace {

using std::chrono::minutes;

constexpr minutes kOneDay{24 * 60};
// A change larger than this is taken as a move across midnight.
constexpr minutes kFoldAbove{23 * 60};

bool IsNormal(EventStatus s) {
    return s == EventStatus::Normal;
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

// One event of `date` as the calculation gave it, with its local clock time.
EventValues ValuesOf(const RiseSetResult& r, const ClockRules& clocks, DayNumber date) {
    EventValues v{r.status,  r.time,     clocks.ClockTime(date, r.time),
                  r.azimuth, r.crossing, std::nullopt};
    if (r.crossing) v.CrossingClock = clocks.ClockTime(date, *r.crossing);
    return v;
}

void FillBody(BodyEntry& body, const DayEvents& now, const DayEvents& before,
              const ClockRules& clocks, DayNumber date) {
    for (EventKind kind : kEventKinds) {
        const RiseSetResult& r = kind == EventKind::Rise ? now.rise : now.set;
        const RiseSetResult& p = kind == EventKind::Rise ? before.rise : before.set;
        EventEntry& e = body[kind];
        static_cast<EventValues&>(e) = ValuesOf(r, clocks, date);
        // The day before is shifted with the summer time of the date itself.
        e.Before = ValuesOf(p, clocks, date - 1);
        const minutes d = IsNormal(e.Status) && IsNormal(e.Before.Status)
                              ? AbsDiff(e.Before.Clock, e.Clock)
                              : minutes{0};
        e.Delta = FoldAcrossMidnight(d);
    }
    const EventEntry& rise = body[EventKind::Rise];
    const EventEntry& set = body[EventKind::Set];
    body.Length = body.Normal() ? Span(rise.Clock, set.Clock) : minutes{0};
    body.LengthBefore = Span(rise.Before.Clock, set.Before.Clock);
    body.LengthDelta = body.NormalBothDays() ? AbsDiff(body.Length, body.LengthBefore) : minutes{0};
}

}  // namespace

bool BodyEntry::Normal() const {
    return IsNormal((*this)[EventKind::Rise].Status) && IsNormal((*this)[EventKind::Set].Status);
}

bool BodyEntry::NormalBothDays() const {
    return Normal() && IsNormal((*this)[EventKind::Rise].Before.Status) &&
           IsNormal((*this)[EventKind::Set].Before.Status);
}

Place PlaceOf(const SiteSettings& s, DayNumber date) {
    return Place{s.LatitudeMinutes, s.LongitudeMinutes,
                 static_cast<std::int32_t>(StandardOffsetOf(s, date).count())};
}

DayEvents ComputeBodyDay(Body body, std::chrono::year_month_day date, const Place& place) {
    return body == Body::Sun ? ComputeSunDay(date, place) : ComputeMoonDay(date, place);
}

DayEphemeris AssembleDay(const SiteSettings& settings, DayNumber date, const DayEvents& sun,
                         const DayEvents& moon, const DayEvents& prevSun,
                         const DayEvents& prevMoon) {
    DayEphemeris e;
    e.Date = date;
    e.PrevDate = date - 1;
    e.Clocks = ClockRulesOf(settings, date);
    FillBody(e[Body::Sun], sun, prevSun, e.Clocks, date);
    FillBody(e[Body::Moon], moon, prevMoon, e.Clocks, date);
    e.JulianDay = sun.rise.julianDay;
    return e;
}

DayEphemeris ComputeDay(const SiteSettings& settings, DayNumber date) {
    const Place place = PlaceOf(settings, date);
    const Place placeBefore = PlaceOf(settings, date - 1);
    const auto today = date.ToDate();
    const auto before = (date - 1).ToDate();
    return AssembleDay(settings, date, ComputeSunDay(today, place), ComputeMoonDay(today, place),
                       ComputeSunDay(before, placeBefore), ComputeMoonDay(before, placeBefore));
}

void ForEachDay(const SiteSettings& settings, DayNumber from, DayNumber to,
                const std::function<bool(const DayEphemeris&)>& onDay) {
    if (to < from) return;
    const Place placeBefore = PlaceOf(settings, from - 1);
    DayEvents prevSun = ComputeSunDay((from - 1).ToDate(), placeBefore);
    DayEvents prevMoon = ComputeMoonDay((from - 1).ToDate(), placeBefore);
    for (DayNumber d = from;; ++d) {
        const auto ymd = d.ToDate();
        const Place place = PlaceOf(settings, d);
        const DayEvents sun = ComputeSunDay(ymd, place);
        const DayEvents moon = ComputeMoonDay(ymd, place);
        if (!onDay(AssembleDay(settings, d, sun, moon, prevSun, prevMoon))) return;
        if (d == to) return;
        prevSun = sun;
        prevMoon = moon;
    }
}

BodyDay BodyDayOf(const DayEphemeris& e, Body body) {
    BodyDay out{e.Date, {}};
    for (EventKind kind : kEventKinds) out.Events[IndexOf(kind)] = e[body][kind];
    return out;
}

void ForEachBodyDay(const SiteSettings& settings, Body body, DayNumber from, DayNumber to,
                    const std::function<bool(const BodyDay&)>& onDay) {
    if (to < from) return;
    Place place = PlaceOf(settings, from);
    BodyDay out;
    for (DayNumber d = from;; ++d) {
        const ClockRules clocks = ClockRulesOf(settings, d);
        place.timeZoneMinutes = static_cast<std::int32_t>(clocks.standardOffset.count());
        const DayEvents ev = ComputeBodyDay(body, d.ToDate(), place);
        out.Date = d;
        out.Events[IndexOf(EventKind::Rise)] = ValuesOf(ev.rise, clocks, d);
        out.Events[IndexOf(EventKind::Set)] = ValuesOf(ev.set, clocks, d);
        if (!onDay(out) || d == to) return;
    }
}

}  // namespace dawn
