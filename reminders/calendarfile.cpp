#include "reminders/calendarfile.h"

#include "core/dayephemeris.h"

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
    auto add = [&](const CalendarEvent& e) {
        if (status != IcsStatus::Ok || header.to < e.date) return;
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
    if (status == IcsStatus::Stopped && !result.error.empty()) {
        result.status = status;
        return result;
    }
    if (status != IcsStatus::Ok) return failed(status);
    if (const IcsStatus done = writer.Finish(); done != IcsStatus::Ok) return failed(done);
    return result;
}

}  // namespace dawn
