#include "core/dayephemeris.h"

#include "core/clockday.h"

namespace dawn {
namespace {

using std::chrono::minutes;

constexpr minutes kOneDay{24 * 60};
// A change larger than this is taken as a move across midnight.
constexpr minutes kFoldAbove{23 * 60};

using KindValues = std::array<EventValues, kEventKindCount>;

bool IsNormal(EventStatus s) {
    return s == EventStatus::Normal;
}

// From rise to set; when the set comes first on the clock day (rise > set),
// one day less the gap.
minutes Span(minutes rise, minutes set) {
    return rise > set ? kOneDay - (rise - set) : set - rise;
}

// The same from the events: from rise to set in elapsed time, so that a day
// whose clocks change between them is as long as it really was.
minutes Span(const EventValues& rise, const EventValues& set) {
    if (rise.CrossingOffset && set.CrossingOffset && rise.Clock <= set.Clock)
        return (set.Clock - *set.CrossingOffset) - (rise.Clock - *rise.CrossingOffset);
    return Span(rise.Clock, set.Clock);
}

minutes AbsDiff(minutes a, minutes b) {
    return a > b ? a - b : b - a;
}

minutes FoldAcrossMidnight(minutes delta) {
    return delta > kFoldAbove ? kOneDay - delta : delta;
}

void FillBody(BodyEntry& body, const KindValues& now, const KindValues& before) {
    for (EventKind kind : kEventKinds) {
        EventEntry& e = body[kind];
        static_cast<EventValues&>(e) = now[IndexOf(kind)];
        e.Before = before[IndexOf(kind)];
        const minutes d = IsNormal(e.Status) && IsNormal(e.Before.Status)
                              ? AbsDiff(e.Before.Clock, e.Clock)
                              : minutes{0};
        e.Delta = FoldAcrossMidnight(d);
    }
    const EventEntry& rise = body[EventKind::Rise];
    const EventEntry& set = body[EventKind::Set];
    body.Length = body.Normal() ? Span(rise, set) : minutes{0};
    body.LengthBefore = IsNormal(rise.Before.Status) && IsNormal(set.Before.Status)
                            ? Span(rise.Before, set.Before)
                            : Span(rise.Before.Clock, set.Before.Clock);
    body.LengthDelta = body.NormalBothDays() ? AbsDiff(body.Length, body.LengthBefore) : minutes{0};
}

// A body's standard days, oldest first, as the clock days take them.
struct BodyDays {
    std::optional<ScannedDay> twoBefore;
    ScannedDay before;
    ScannedDay date;
};

DayEphemeris Record(DayNumber date, double julianDay, const ClockRules& clocks,
                    const std::array<KindValues, kBodyCount>& now,
                    const std::array<KindValues, kBodyCount>& before) {
    DayEphemeris e;
    e.Date = date;
    e.PrevDate = date - 1;
    e.Clocks = clocks;
    for (Body b : kBodies) FillBody(e[b], now[IndexOf(b)], before[IndexOf(b)]);
    e.JulianDay = julianDay;
    return e;
}

// The scan of a standard day when the clock of that day can carry a crossing
// into the next date; none otherwise.
std::optional<DayEvents> ScanIfItRunsOn(const Site& site, Body body, DayNumber date) {
    if (!MayRunIntoNextDate(ClockRulesOf(site, date), date)) return std::nullopt;
    return ComputeBodyDay(body, date.ToDate(), PlaceOf(site, date));
}

}  // namespace

bool BodyEntry::Normal() const {
    return IsNormal((*this)[EventKind::Rise].Status) && IsNormal((*this)[EventKind::Set].Status);
}

bool BodyEntry::NormalBothDays() const {
    return Normal() && IsNormal((*this)[EventKind::Rise].Before.Status) &&
           IsNormal((*this)[EventKind::Set].Before.Status);
}

Place PlaceOf(const Site& s, DayNumber date) {
    return Place{s.LatitudeMinutes, s.LongitudeMinutes,
                 static_cast<std::int32_t>(StandardOffsetOf(s, date).count())};
}

DayEvents ComputeBodyDay(Body body, std::chrono::year_month_day date, const Place& place) {
    return body == Body::Sun ? ComputeSunDay(date, place) : ComputeMoonDay(date, place);
}

DayEphemeris AssembleDay(const Site& site, DayNumber date, const BodyScans& sun,
                         const BodyScans& moon) {
    const ClockRules clocks = ClockRulesOf(site, date);
    const ClockRules clocksBefore = ClockRulesOf(site, date - 1);
    const ClockRules clocksTwoBefore = ClockRulesOf(site, date - 2);
    std::array<KindValues, kBodyCount> now;
    std::array<KindValues, kBodyCount> before;
    for (Body b : kBodies) {
        const BodyScans& scans = b == Body::Sun ? sun : moon;
        const ScannedDay today = ScannedDayOf(date, clocks, scans.date);
        const ScannedDay dayBefore = ScannedDayOf(date - 1, clocksBefore, scans.before);
        std::optional<ScannedDay> twoBefore;
        if (scans.twoBefore) twoBefore = ScannedDayOf(date - 2, clocksTwoBefore, *scans.twoBefore);
        now[IndexOf(b)] = ClockDayEvents(dayBefore, today);
        before[IndexOf(b)] = ClockDayEvents(twoBefore, dayBefore);
    }
    return Record(date, sun.date.rise.julianDay, clocks, now, before);
}

DayEphemeris ComputeDay(const Site& site, DayNumber date) {
    auto scans = [&](Body b) {
        return BodyScans{ComputeBodyDay(b, date.ToDate(), PlaceOf(site, date)),
                         ComputeBodyDay(b, (date - 1).ToDate(), PlaceOf(site, date - 1)),
                         ScanIfItRunsOn(site, b, date - 2)};
    };
    return AssembleDay(site, date, scans(Body::Sun), scans(Body::Moon));
}

void ForEachDay(const Site& site, DayNumber from, DayNumber to,
                const std::function<bool(const DayEphemeris&)>& onDay) {
    if (to < from) return;
    // Each date's standard days and clock days serve again as the next
    // date's day before.
    std::array<ScannedDay, kBodyCount> last;
    std::array<KindValues, kBodyCount> lastValues;
    {
        const DayNumber d = from - 1;
        const ClockRules clocks = ClockRulesOf(site, d);
        for (Body b : kBodies) {
            std::optional<ScannedDay> twoBefore;
            if (auto scan = ScanIfItRunsOn(site, b, d - 1))
                twoBefore = ScannedDayOf(d - 1, ClockRulesOf(site, d - 1), *scan);
            last[IndexOf(b)] =
                ScannedDayOf(d, clocks, ComputeBodyDay(b, d.ToDate(), PlaceOf(site, d)));
            lastValues[IndexOf(b)] = ClockDayEvents(twoBefore, last[IndexOf(b)]);
        }
    }
    for (DayNumber d = from;; ++d) {
        const auto ymd = d.ToDate();
        const Place place = PlaceOf(site, d);
        const ClockRules clocks = ClockRulesOf(site, d);
        const DayEvents sun = ComputeSunDay(ymd, place);
        const DayEvents moon = ComputeMoonDay(ymd, place);
        std::array<KindValues, kBodyCount> now;
        std::array<ScannedDay, kBodyCount> scanned = {ScannedDayOf(d, clocks, sun),
                                                      ScannedDayOf(d, clocks, moon)};
        for (Body b : kBodies)
            now[IndexOf(b)] = ClockDayEvents(last[IndexOf(b)], scanned[IndexOf(b)]);
        if (!onDay(Record(d, sun.rise.julianDay, clocks, now, lastValues))) return;
        if (d == to) return;
        last = scanned;
        lastValues = now;
    }
}

BodyDay BodyDayOf(const DayEphemeris& e, Body body) {
    BodyDay out{e.Date, {}};
    for (EventKind kind : kEventKinds) out.Events[IndexOf(kind)] = e[body][kind];
    return out;
}

void ForEachBodyDay(const Site& site, Body body, DayNumber from, DayNumber to,
                    const std::function<bool(const BodyDay&)>& onDay) {
    if (to < from) return;
    Place place = PlaceOf(site, from);
    std::optional<ScannedDay> before;
    if (auto scan = ScanIfItRunsOn(site, body, from - 1))
        before = ScannedDayOf(from - 1, ClockRulesOf(site, from - 1), *scan);
    BodyDay out;
    for (DayNumber d = from;; ++d) {
        const ClockRules clocks = ClockRulesOf(site, d);
        place.timeZoneMinutes = static_cast<std::int32_t>(clocks.standardOffset.count());
        const ScannedDay today = ScannedDayOf(d, clocks, ComputeBodyDay(body, d.ToDate(), place));
        out.Date = d;
        out.Events = ClockDayEvents(before, today);
        if (!onDay(out) || d == to) return;
        before = today;
    }
}

}  // namespace dawn
