#include "reminders/icswriter.h"

#include <libical/ical.h>

#include <cstdio>
#include <cstdlib>

#include "reminders/remindertext.h"

namespace dawn {
namespace {

using std::chrono::days;
using std::chrono::minutes;
using std::chrono::seconds;
using std::chrono::sys_seconds;

// Longest name or label the file takes, in bytes; longer ones are cut at a
// character boundary.
constexpr std::size_t kMaxTextBytes = 512;
// How far the zone's VTIMEZONE reaches beyond the exported dates, so that
// the first and last local dates are covered whatever the zone's offset.
constexpr days kZoneMargin{2};

// libical hands out strings it allocated; they go back to libical.
struct IcalText {
    char* text;
    explicit IcalText(char* t) : text(t) {}
    ~IcalText() { icalmemory_free_buffer(text); }
    IcalText(const IcalText&) = delete;
    IcalText& operator=(const IcalText&) = delete;
    std::string_view View() const { return text ? std::string_view(text) : std::string_view(); }
};

struct ComponentDeleter {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

// Text safe for a TEXT value: valid UTF-8 (a broken sequence becomes
// U+FFFD), no control characters, at most kMaxTextBytes.
std::string CleanText(std::string_view in) {
    std::string out;
    std::size_t i = 0;
    while (i < in.size() && out.size() < kMaxTextBytes) {
        const auto b = static_cast<unsigned char>(in[i]);
        std::size_t len = b < 0x80         ? 1
                          : (b >> 5) == 6  ? 2
                          : (b >> 4) == 14 ? 3
                          : (b >> 3) == 30 ? 4
                                           : 0;
        bool valid = len > 0 && i + len <= in.size();
        for (std::size_t k = 1; valid && k < len; ++k)
            valid = (static_cast<unsigned char>(in[i + k]) & 0xC0) == 0x80;
        if (valid && len > 1) {
            // No overlong forms, surrogates or values past U+10FFFF.
            const auto b1 = static_cast<unsigned char>(in[i + 1]);
            valid = !(len == 2 && b < 0xC2) && !(len == 3 && b == 0xE0 && b1 < 0xA0) &&
                    !(len == 3 && b == 0xED && b1 >= 0xA0) &&
                    !(len == 4 && b == 0xF0 && b1 < 0x90) &&
                    !(len == 4 && (b > 0xF4 || (b == 0xF4 && b1 >= 0x90)));
        }
        if (!valid) {
            // One replacement for the broken sequence: its lead byte and
            // the continuation bytes that follow it.
            out += "\uFFFD";
            ++i;
            for (std::size_t k = 1;
                 k < len && i < in.size() && (static_cast<unsigned char>(in[i]) & 0xC0) == 0x80;
                 ++k)
                ++i;
            continue;
        }
        const bool control =
            len == 1 ? (b < 0x20 || b == 0x7F)
                     : (len == 2 && b == 0xC2 && static_cast<unsigned char>(in[i + 1]) < 0xA0);
        if (!control) out.append(in.substr(i, len));
        i += len;
    }
    return out;
}

icaltimetype IcalTime(sys_seconds t, bool utc) {
    const auto day = std::chrono::floor<days>(t);
    const std::chrono::year_month_day ymd(day);
    const std::chrono::hh_mm_ss<seconds> hms(t - day);
    icaltimetype out = icaltime_null_time();
    out.year = static_cast<int>(ymd.year());
    out.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    out.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    out.hour = static_cast<int>(hms.hours().count());
    out.minute = static_cast<int>(hms.minutes().count());
    out.second = static_cast<int>(hms.seconds().count());
    out.is_date = 0;
    out.zone = utc ? icaltimezone_get_utc_timezone() : nullptr;
    return out;
}

bool YearWritable(DayNumber d) {
    return d.Year() >= 1 && d.Year() <= 9999;
}

// A zone name as the time-zone database spells them: letters, digits and
// "/_-+", no empty or dot-led part. Anything else is no zone (and never
// reaches the file system).
bool ZoneNameShaped(std::string_view name) {
    if (name.empty() || name.size() > 64) return false;
    bool partStart = true;
    for (char c : name) {
        const bool word = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '+';
        if (c == '/') {
            if (partStart) return false;
            partStart = true;
        } else if (word) {
            partStart = false;
        } else {
            return false;
        }
    }
    return !partStart;
}

std::string UidPart(std::int32_t minutes, char positive, char negative) {
    return std::to_string(std::abs(static_cast<long long>(minutes))) +
           (minutes < 0 ? negative : positive);
}

}  // namespace

// The zone of the file: libical's zone for conversions and the VTIMEZONE
// written in the head.
struct IcsWriter::Zone {
    icaltimezone* zone = nullptr;  // owned by libical's cache of the system zones
    std::string name;

    // The clock offset of the zone at `t`.
    seconds OffsetAt(sys_seconds t) const {
        icaltimetype u = IcalTime(t, true);
        return seconds(icaltimezone_get_utc_offset_of_utc_time(zone, &u, nullptr));
    }

    // Whether the zone's clocks show the local time of `t` more than once.
    bool Repeated(sys_seconds t) const {
        const seconds own = OffsetAt(t);
        const sys_seconds local = t + own;
        for (seconds away : {std::chrono::hours(-6), std::chrono::hours(6)}) {
            const seconds other = OffsetAt(t + away);
            if (other != own && OffsetAt(local - other) == other) return true;
        }
        return false;
    }
};

std::string_view SkyEventToken(SkyEvent kind) {
    switch (kind) {
        case SkyEvent::Sunrise:
            return "sunrise";
        case SkyEvent::Sunset:
            return "sunset";
        case SkyEvent::Moonrise:
            return "moonrise";
        case SkyEvent::Moonset:
            return "moonset";
        case SkyEvent::CivilDawn:
            return "civildawn";
        case SkyEvent::CivilDusk:
            return "civildusk";
        case SkyEvent::MarchEquinox:
            return "marchequinox";
        case SkyEvent::JuneSolstice:
            return "junesolstice";
        case SkyEvent::SeptemberEquinox:
            return "septemberequinox";
        case SkyEvent::DecemberSolstice:
            return "decembersolstice";
        case SkyEvent::Perigee:
            return "perigee";
        case SkyEvent::Apogee:
            return "apogee";
        case SkyEvent::LunarEclipse:
            return "lunareclipse";
        case SkyEvent::SolarEclipse:
            return "solareclipse";
        case SkyEvent::MeteorShower:
            return "meteorshower";
        case SkyEvent::SummerTimeStarts:
            return "summertimestarts";
        case SkyEvent::SummerTimeEnds:
            return "summertimeends";
        case SkyEvent::Count:
            break;
    }
    return {};
}

std::string CalendarUid(const CalendarEvent& event, const CalendarPlace& place) {
    const DayNumber d = event.date;
    char date[16];
    std::snprintf(date, sizeof date, "%04d%02u%02u", d.Year(), d.Month(), d.Day());
    std::string uid = date;
    uid += '-';
    uid += SkyEventToken(event.kind);
    uid += '-' + UidPart(place.latitudeMinutes, 'N', 'S');
    uid += '-' + UidPart(place.longitudeMinutes, 'E', 'W');
    uid += "@dawnhelm";
    return uid;
}

IcsWriter::IcsWriter(CalendarHeader header, Sink sink)
    : header_(std::move(header)), sink_(std::move(sink)) {
    // The words reach every event: cleaned once.
    for (std::string& name : header_.words.names) name = CleanText(name);
    header_.words.timeSeparator = CleanText(header_.words.timeSeparator);
    header_.place.name = CleanText(header_.place.name);
}

IcsWriter::~IcsWriter() = default;

IcsStatus IcsWriter::Fail(IcsStatus status, std::string message) {
    error_ = std::move(message);
    return status;
}

IcsStatus IcsWriter::Put(std::string_view text) {
    if (sink_(text)) return IcsStatus::Ok;
    stage_ = Stage::Stopped;
    return Fail(IcsStatus::Stopped, "the calendar file was not written to the end");
}

IcsStatus IcsWriter::Begin() {
    if (stage_ == Stage::Stopped) return IcsStatus::Stopped;
    if (stage_ != Stage::New)
        return Fail(IcsStatus::OutOfOrder, "the calendar file was begun twice");
    error_.clear();
    if (header_.to < header_.from || !YearWritable(header_.from) || !YearWritable(header_.to))
        return Fail(IcsStatus::BadRange, "the dates of the calendar file are out of range");

    Component calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(),
                               icalproperty_new_prodid("-//Dawnhelm//Sun and moon calendar//EN"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));

    if (!header_.zone.empty()) {
        icaltimezone* zone = ZoneNameShaped(header_.zone)
                                 ? icaltimezone_get_builtin_timezone(header_.zone.c_str())
                                 : nullptr;
        icalcomponent* vtimezone = zone ? icaltimezone_get_component(zone) : nullptr;
        if (zone == nullptr)
            return Fail(IcsStatus::UnknownZone, "unknown time zone: " + CleanText(header_.zone));
        // UTC itself has no VTIMEZONE: its times are written with a Z.
        if (vtimezone != nullptr) {
            Component own(icalcomponent_new_clone(vtimezone));
            // Calendars know the zone by its plain name.
            icalproperty* tzid = icalcomponent_get_first_property(own.get(), ICAL_TZID_PROPERTY);
            icalproperty_set_tzid(tzid, header_.zone.c_str());
            const sys_seconds start = header_.from.ToSysDays() - kZoneMargin;
            const sys_seconds end = header_.to.ToSysDays() + kZoneMargin;
            icaltimezone_truncate_vtimezone(own.get(), IcalTime(start, true), IcalTime(end, true),
                                            0);
            icalcomponent_add_component(calendar.get(), own.release());
            zone_ = std::make_unique<Zone>(Zone{zone, header_.zone});
        }
    }

    IcalText text(icalcomponent_as_ical_string_r(calendar.get()));
    // The head is all of the calendar but its last line, which closes the file.
    const std::string_view whole = text.View();
    const std::size_t end = whole.rfind("END:VCALENDAR");
    if (end == std::string_view::npos) return Fail(IcsStatus::Stopped, "libical wrote no calendar");
    tail_ = std::string(whole.substr(end));
    if (Put(whole.substr(0, end)) != IcsStatus::Ok) return IcsStatus::Stopped;
    stage_ = Stage::Open;
    return IcsStatus::Ok;
}

IcsStatus IcsWriter::Add(const CalendarEvent& event) {
    if (stage_ == Stage::Stopped) return IcsStatus::Stopped;
    if (stage_ != Stage::Open) return Fail(IcsStatus::OutOfOrder, "an event outside the calendar");
    error_.clear();
    const auto kind = static_cast<std::size_t>(event.kind);
    if (kind >= kSkyEventCount || event.date < header_.from || header_.to < event.date ||
        event.wallTime < minutes(0) || event.wallTime >= days(1) ||
        std::chrono::abs(event.utcOffset) >= days(1))
        return Fail(IcsStatus::BadEvent, "an event out of bounds on " + FormatIsoDate(event.date));

    const sys_seconds local = event.date.ToSysDays() + event.wallTime;
    const sys_seconds instant = local - event.utcOffset;

    Component vevent(icalcomponent_new_vevent());
    icalcomponent* e = vevent.get();
    icalcomponent_add_property(e, icalproperty_new_uid(CalendarUid(event, header_.place).c_str()));
    icalcomponent_add_property(e, icalproperty_new_dtstamp(IcalTime(header_.stamp, true)));
    if (zone_ && !zone_->Repeated(instant)) {
        // The zone's own clock time of the instant.
        icalproperty* start =
            icalproperty_new_dtstart(IcalTime(instant + zone_->OffsetAt(instant), false));
        icalproperty_add_parameter(start, icalparameter_new_tzid(zone_->name.c_str()));
        icalcomponent_add_property(e, start);
    } else {
        icalcomponent_add_property(e, icalproperty_new_dtstart(IcalTime(instant, true)));
    }
    std::string summary = EventSummary(header_.words.names[kind], event.wallTime,
                                       event.azimuthDegrees, header_.words.timeSeparator);
    if (!event.detail.empty()) summary += ": " + CleanText(event.detail);
    icalcomponent_add_property(e, icalproperty_new_summary(summary.c_str()));
    icalgeotype geo;
    geo.lat = header_.place.latitudeMinutes / 60.0;
    geo.lon = header_.place.longitudeMinutes / 60.0;
    icalcomponent_add_property(e, icalproperty_new_geo(geo));
    if (!header_.place.name.empty())
        icalcomponent_add_property(e, icalproperty_new_location(header_.place.name.c_str()));
    icalcomponent_add_property(e, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));

    IcalText text(icalcomponent_as_ical_string_r(e));
    return Put(text.View());
}

IcsStatus IcsWriter::Finish() {
    if (stage_ == Stage::Stopped) return IcsStatus::Stopped;
    if (stage_ != Stage::Open) return Fail(IcsStatus::OutOfOrder, "the calendar file is not open");
    error_.clear();
    if (Put(tail_) != IcsStatus::Ok) return IcsStatus::Stopped;
    stage_ = Stage::Done;
    return IcsStatus::Ok;
}

}  // namespace dawn
