#include "reminders/calendarfile.h"

#include <charconv>
#include <cmath>
#include <variant>

#include "core/dayephemeris.h"
#include "core/skyday.h"
#include "present/almanac.h"
#include "present/texts.h"

namespace dawn {
namespace {

using std::chrono::minutes;

// The event of a clock day as the file takes it: its date, its clock time
// and the clock's offset from UT at that instant.
std::optional<CalendarEvent> EventOf(SkyEvent kind, DayNumber date, const EventValues& e) {
    if (!e.CrossingClock || !e.CrossingOffset) return std::nullopt;
    return CalendarEvent{kind, date, *e.CrossingClock, *e.CrossingOffset, e.Azimuth};
}

// Each blue and golden hour by the bounds it runs between (LightWalk::Bound).
struct LightPeriodEvent {
    SkyEvent kind;
    std::size_t start;
    std::size_t end;
    EventKind side;
};
constexpr std::array<LightPeriodEvent, kLightPeriodCount> kLightPeriodEvents = {{
    {SkyEvent::MorningBlueHour, 0, 1, EventKind::Rise},
    {SkyEvent::MorningGoldenHour, 1, 2, EventKind::Rise},
    {SkyEvent::EveningGoldenHour, 2, 1, EventKind::Set},
    {SkyEvent::EveningBlueHour, 1, 0, EventKind::Set},
}};

// The light's events of `date`, in the order of the options.
template <typename Add>
void AddLightEvents(LightWalk& walk, const LightOptions& options, DayNumber date,
                    std::string_view timeSeparator, const Add& add) {
    for (const LightPeriodEvent& p : kLightPeriodEvents) {
        std::optional<CalendarEvent> e = EventOf(p.kind, date, walk.Bound(p.start, date)[p.side]);
        if (!e) continue;
        // The end, when the period ends later on the same date.
        const EventValues& end = walk.Bound(p.end, date)[p.side];
        if (end.CrossingClock && *end.CrossingClock > e->wallTime) {
            e->detail = "until ";
            AppendClock(e->detail, *end.CrossingClock, timeSeparator);
        }
        e->azimuthDegrees.reset();
        add(e);
    }
    auto seen = [&](const SeenDay* day, SkyEvent rise, SkyEvent set) {
        if (day == nullptr) return;
        add(EventOf(rise, date, (*day)[EventKind::Rise]));
        add(EventOf(set, date, (*day)[EventKind::Set]));
    };
    seen(walk.FromHeight(date), SkyEvent::SunriseFromHeight, SkyEvent::SunsetFromHeight);
    seen(walk.Visible(date), SkyEvent::VisibleSunrise, SkyEvent::VisibleSunset);
    for (std::size_t i = 0; i < options.ownEvents.size(); ++i) {
        const UserEventSide sides = ShownSides(options.ownEvents, i);
        const SeenDay& own = walk.Own(i, date);
        auto side = [&](SkyEvent kind, EventKind which) {
            std::optional<CalendarEvent> e = EventOf(kind, date, own[which]);
            if (e) e->name = options.ownEvents[i].name;
            add(e);
        };
        if (sides != UserEventSide::Setting) side(SkyEvent::OwnRising, EventKind::Rise);
        if (sides != UserEventSide::Rising) side(SkyEvent::OwnSetting, EventKind::Set);
    }
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
    // An event of the last date carried past midnight; none past the last
    // date a calendar file can write.
    const DayNumber kLastWritable = DayNumber::FromYmd(9999, 12, 31);
    header.to = job.to < kLastWritable ? job.to + 1 : job.to;
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
    auto add = [&](const std::optional<CalendarEvent>& e) {
        // Only a crossing that happened, also on a day without the other.
        if (!e || status != IcsStatus::Ok || header.to < e->date) return;
        status = writer.Add(*e);
        if (status == IcsStatus::Ok) ++result.events;
    };
    std::optional<LightWalk> light;
    if (job.light) light.emplace(s, *job.light, job.to);
    ForEachDay(s, job.from, job.to, [&](const DayEphemeris& day) {
        if (onDate && !onDate(day.Date)) {
            status = IcsStatus::Stopped;
            result.error = "stopped";
            return false;
        }
        auto body = [&](Body b, SkyEvent rise, SkyEvent set) {
            add(EventOf(rise, day.Date, day.Event(b, EventKind::Rise)));
            add(EventOf(set, day.Date, day.Event(b, EventKind::Set)));
        };
        body(Body::Sun, SkyEvent::Sunrise, SkyEvent::Sunset);
        if (job.moon) body(Body::Moon, SkyEvent::Moonrise, SkyEvent::Moonset);
        if (job.twilight) {
            const SkyDay sky = ComputeSkyDay(s, day.Date);
            const TwilightEntry& civil = sky[TwilightKind::Civil];
            add(EventOf(SkyEvent::CivilDawn, day.Date, civil[EventKind::Rise]));
            add(EventOf(SkyEvent::CivilDusk, day.Date, civil[EventKind::Set]));
        }
        if (light) AddLightEvents(*light, *job.light, day.Date, job.words.timeSeparator, add);
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
