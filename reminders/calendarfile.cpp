#include "reminders/calendarfile.h"

#include "core/dayephemeris.h"
#include "core/skyday.h"

namespace dawn {
namespace {

using std::chrono::minutes;

// The event of a clock day as the file takes it: its date, its clock time
// and the clock's offset from UT at that instant.
std::optional<CalendarEvent> EventOf(SkyEvent kind, DayNumber date, const EventValues& e) {
    if (!e.CrossingClock || !e.CrossingOffset) return std::nullopt;
    return CalendarEvent{kind, date, *e.CrossingClock, *e.CrossingOffset, e.Azimuth};
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
    auto add = [&](const std::optional<CalendarEvent>& e) {
        // Only a crossing that happened, also on a day without the other.
        if (!e || status != IcsStatus::Ok || header.to < e->date) return;
        status = writer.Add(*e);
        if (status == IcsStatus::Ok) ++result.events;
    };
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
