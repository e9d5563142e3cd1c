#include "reminders/calendarfile.h"

#include <charconv>
#include <cmath>
#include <variant>

#include "core/dayephemeris.h"
#include "present/almanac.h"

namespace dawn {
namespace {

using std::chrono::minutes;

constexpr minutes kOneDay{24 * 60};

// The event of a record as the file takes it: the clock time on its own
// date. A time the summer hour carried past midnight (23:40 standard time
// shown as 00:40) belongs to the next date.
CalendarEvent EventOf(SkyEvent kind, DayNumber date, minutes standard, minutes clock, minutes zone,
                      std::optional<double> azimuth) {
    minutes shift = clock - standard;
    DayNumber day = date;
    if (shift < minutes(0)) {
        shift += kOneDay;
        day = date + 1;
    }
    return CalendarEvent{kind, day, clock, zone + shift, azimuth};
}

std::string Fixed(double value, int decimals) {
    char digits[32];
    const auto end =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals)
            .ptr;
    return std::string(digits, end);
}

// The kind of an almanac item in the file and the words after its time.
struct AlmanacEntry {
    SkyEvent kind;
    std::string detail;
};

struct EntryOf {
    AlmanacEntry operator()(const SeasonEvent& e) const {
        return {static_cast<SkyEvent>(static_cast<int>(SkyEvent::MarchEquinox) +
                                      static_cast<int>(e.season)),
                {}};
    }
    AlmanacEntry operator()(const ApsisEvent& e) const {
        std::string detail = Fixed(e.distanceKm, 0) + " km";
        if (e.supermoon) detail += ", supermoon";
        return {e.apsis == Apsis::Perigee ? SkyEvent::Perigee : SkyEvent::Apogee, detail};
    }
    AlmanacEntry operator()(const LunarEclipse& e) const {
        constexpr const char* kKinds[] = {"penumbral", "partial", "total"};
        return {SkyEvent::LunarEclipse, std::string(kKinds[static_cast<int>(e.kind)]) +
                                            ", magnitude " + Fixed(e.magnitude, 3) +
                                            (e.moonUp ? "" : ", the moon below the horizon")};
    }
    AlmanacEntry operator()(const LocalSolarEclipse& e) const {
        constexpr const char* kKinds[] = {"partial", "annular", "total"};
        return {SkyEvent::SolarEclipse,
                std::string(kKinds[static_cast<int>(e.kind)]) + ", " +
                    Fixed(e.obscuration * 100.0, 1) + " % of the sun covered, the sun " +
                    Fixed(std::round(e.sunAltitudeAtMaximum), 0) + "° high"};
    }
    AlmanacEntry operator()(const MeteorShowerPeak& e) const {
        return {SkyEvent::MeteorShower, std::string(e.shower->name) + ", " +
                                            std::to_string(e.shower->rate) + " an hour, the moon " +
                                            Fixed(e.moonLitFraction * 100.0, 0) + " % lit"};
    }
    AlmanacEntry operator()(const SummerTimeChange& e) const {
        return {e.starts ? SkyEvent::SummerTimeStarts : SkyEvent::SummerTimeEnds, {}};
    }
};

}  // namespace

std::string CalendarZoneOf(const SiteSettings& settings) {
    return settings.ZoneName;
}

std::string CalendarPlaceNameOf(const SiteSettings& settings) {
    return settings.PlaceName;
}

CalendarResult WriteCalendarFile(const CalendarJob& job, const IcsWriter::Sink& sink,
                                 const std::function<bool(DayNumber)>& onDate) {
    const SiteSettings& s = job.settings;
    CalendarHeader header;
    header.place = {s.LatitudeMinutes, s.LongitudeMinutes, CalendarPlaceNameOf(s)};
    header.zone = CalendarZoneOf(s);
    header.from = job.from;
    header.to = job.to + 1;  // an event of the last date carried past midnight
    header.stamp = job.stamp;
    header.words = job.words;

    CalendarResult result;
    IcsWriter writer(header, sink);
    auto failed = [&](IcsStatus status) {
        result.status = status;
        result.error = writer.Error();
        return result;
    };
    if (job.to < job.from) {
        result.status = IcsStatus::BadRange;
        result.error = "the last date lies before the first";
        return result;
    }
    if (const IcsStatus begun = writer.Begin(); begun != IcsStatus::Ok) return failed(begun);

    IcsStatus status = IcsStatus::Ok;
    auto add = [&](const CalendarEvent& e) {
        if (status != IcsStatus::Ok) return;
        status = writer.Add(e);
        if (status == IcsStatus::Ok) ++result.events;
    };
    ForEachDay(s, job.from, job.to, [&](const DayEphemeris& day) {
        if (onDate && !onDate(day.Date)) {
            status = IcsStatus::Stopped;
            result.error = "stopped";
            return false;
        }
        auto body = [&](Body b, SkyEvent rise, SkyEvent set) {
            for (const EventKind k : kEventKinds) {
                const EventEntry& e = day.Event(b, k);
                // The crossing that happened, also on a day without the other.
                if (!e.Crossing || !e.CrossingClock) continue;
                add(EventOf(k == EventKind::Rise ? rise : set, day.Date, *e.Crossing,
                            *e.CrossingClock, day.Clocks.standardOffset, e.Azimuth));
            }
        };
        body(Body::Sun, SkyEvent::Sunrise, SkyEvent::Sunset);
        if (job.moon) body(Body::Moon, SkyEvent::Moonrise, SkyEvent::Moonset);
        if (job.twilight) {
            const Twilight civil = ComputeSunDayEvents(day.Date.ToDate(), PlaceOf(s, day.Date))
                                       .Of(TwilightKind::Civil);
            for (const auto& [kind, e] : {std::pair{SkyEvent::CivilDawn, civil.dawn},
                                          std::pair{SkyEvent::CivilDusk, civil.dusk}}) {
                if (!e.crossing) continue;
                const minutes clock = day.Clocks.ClockTime(day.Date, *e.crossing);
                add(EventOf(kind, day.Date, *e.crossing, clock, day.Clocks.standardOffset,
                            std::nullopt));
            }
        }
        return status == IcsStatus::Ok;
    });
    if (status == IcsStatus::Ok && job.almanac) {
        // Ten years at a time, so that a long range never sits in memory.
        using std::chrono::days;
        const std::chrono::sys_days last = job.to.ToSysDays();
        for (std::chrono::sys_days first = job.from.ToSysDays();
             first <= last && status == IcsStatus::Ok; first += days{3653}) {
            if (onDate && !onDate(DayNumber::FromSysDays(first))) {
                status = IcsStatus::Stopped;
                result.error = "stopped";
                break;
            }
            for (const AlmanacItem& item :
                 AlmanacOf(s, first, std::min(last, first + days{3652}))) {
                const AlmanacEntry entry = std::visit(EntryOf{}, item.event);
                const std::chrono::sys_days date = std::chrono::floor<days>(item.clock);
                add(CalendarEvent{entry.kind, DayNumber::FromSysDays(date), item.clock - date,
                                  item.utcOffset, std::nullopt, entry.detail});
            }
        }
    }
    if (status == IcsStatus::Stopped && !result.error.empty()) {
        result.status = status;
        return result;
    }
    if (status != IcsStatus::Ok) return failed(status);
    if (const IcsStatus done = writer.Finish(); done != IcsStatus::Ok) return failed(done);
    return result;
}

}  // namespace dawn
