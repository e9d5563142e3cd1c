#include "core/clockday.h"

namespace dawn {
namespace {

using std::chrono::minutes;

// A crossing the clock keeps on the date: its standard minute on its own
// standard day, the clock's minute and the clock's offset from UT then.
struct OnTheClock {
    minutes standard;
    minutes clock;
    minutes offset;
    std::optional<double> azimuth;
};

std::optional<OnTheClock> KeptOn(DayNumber clockDate, const ScannedDay& day,
                                 std::optional<minutes> standard, std::optional<double> azimuth) {
    if (!standard) return std::nullopt;
    const ClockMoment read = day.clocks.ClockAt(day.date, *standard);
    if (read.date != clockDate) return std::nullopt;
    return OnTheClock{*standard, read.time,
                      day.clocks.standardOffset + day.clocks.ShiftAt(day.date, *standard), azimuth};
}

// The last crossing of one kind on the clock date of `day`.
std::optional<OnTheClock> LastOnTheDate(const std::optional<ScannedDay>& before,
                                        const ScannedDay& day, EventKind kind) {
    const DayNumber date = day.date;
    const ScannedCrossings& own = day.crossings[IndexOf(kind)];
    if (auto c = KeptOn(date, day, own.last, own.lastAzimuth)) return c;
    if (auto c = KeptOn(date, day, own.earlier, own.earlierAzimuth)) return c;
    if (!before) return std::nullopt;
    const ScannedCrossings& prev = before->crossings[IndexOf(kind)];
    return KeptOn(date, *before, prev.last, prev.lastAzimuth);
}

// Whether the body is above the event altitude all through a clock day
// without crossings: the standard day's own status when it has none, else
// the side its first crossing leaves (all of them lie after the clock day's
// end).
bool UpThroughout(const ScannedDay& day) {
    const std::optional<minutes>& rise = day.crossings[IndexOf(EventKind::Rise)].last;
    const std::optional<minutes>& set = day.crossings[IndexOf(EventKind::Set)].last;
    if (!rise && !set) return day.status == EventStatus::UpAllDay;
    if (!rise) return true;
    if (!set) return false;
    return *set < *rise;
}

}  // namespace

ScannedCrossings ScannedOf(const RiseSetResult& r) {
    return {r.crossing, r.azimuth, r.earlierCrossing, r.earlierAzimuth};
}

ScannedCrossings ScannedOf(const EventMinutes& e) {
    return {e.crossing, std::nullopt, e.earlierCrossing, std::nullopt};
}

ScannedDay ScannedDayOf(DayNumber date, const ClockRules& clocks, const DayEvents& events) {
    return {date, clocks, events.rise.status, {ScannedOf(events.rise), ScannedOf(events.set)}};
}

ScannedDay ScannedDayOf(DayNumber date, const ClockRules& clocks, const Twilight& twilight) {
    return {
        date, clocks, twilight.dawn.status, {ScannedOf(twilight.dawn), ScannedOf(twilight.dusk)}};
}

std::array<EventValues, kEventKindCount> ClockDayEvents(const std::optional<ScannedDay>& before,
                                                        const ScannedDay& day) {
    const std::optional<OnTheClock> rise = LastOnTheDate(before, day, EventKind::Rise);
    const std::optional<OnTheClock> set = LastOnTheDate(before, day, EventKind::Set);
    const double finalAltitude = UpThroughout(day) ? 1.0 : -1.0;
    std::array<EventValues, kEventKindCount> out;
    for (EventKind kind : kEventKinds) {
        const std::optional<OnTheClock>& found = kind == EventKind::Rise ? rise : set;
        const ResolvedDay resolved =
            ResolveDayStatus(rise.has_value(), set.has_value(), finalAltitude, kind, ClockTime{});
        EventValues& v = out[IndexOf(kind)];
        v.Status = resolved.status;
        if (resolved.status == EventStatus::Normal) {
            v.Standard = found->standard;
            v.Clock = found->clock;
        } else {
            // The fixed time of the status, read on the date's clock as the
            // record always did.
            v.Standard = resolved.time.OfDay();
            v.Clock = day.clocks.ClockAt(day.date, v.Standard).time;
        }
        if (found) {
            v.Azimuth = found->azimuth;
            v.Crossing = found->standard;
            v.CrossingClock = found->clock;
            v.CrossingOffset = found->offset;
        }
    }
    return out;
}

bool MayRunIntoNextDate(const ClockRules& clocks, DayNumber date) {
    // Inside summer time, or on the first day of winter time before the
    // clocks go back.
    return clocks.InSummer(date) || (clocks.summerTimeEnabled && date == clocks.window.WinterStart);
}

}  // namespace dawn
