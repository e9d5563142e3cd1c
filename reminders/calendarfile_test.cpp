#include "reminders/calendarfile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <libical/ical.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/dayephemeris.h"
#include "core/horizonprofile.h"
#include "core/light.h"
#include "core/skyday.h"
#include "places/zone.h"
#include "present/texts.h"

namespace dawn {
namespace {

using std::chrono::minutes;
using std::chrono::sys_seconds;

struct ComponentDeleter {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

struct ReadEvent {
    std::string uid;
    std::string summary;
    std::string tzid;
    std::string start;    // DTSTART as written
    sys_seconds instant;  // DTSTART through the file's own VTIMEZONE
    bool lastsNoTime = false;
};

struct ReadFile {
    std::vector<ReadEvent> events;
    std::vector<std::string> zones;  // TZIDs of the VTIMEZONEs
    std::size_t zoneParts = 0;       // their STANDARD and DAYLIGHT parts
};

ReadFile ReadBack(const std::string& text) {
    ReadFile file;
    Component calendar(icalparser_parse_string(text.c_str()));
    if (!calendar) {
        ADD_FAILURE() << "libical cannot read the file";
        return file;
    }
    EXPECT_EQ(icalcomponent_count_errors(calendar.get()), 0);
    for (icalcomponent* z =
             icalcomponent_get_first_component(calendar.get(), ICAL_VTIMEZONE_COMPONENT);
         z != nullptr;
         z = icalcomponent_get_next_component(calendar.get(), ICAL_VTIMEZONE_COMPONENT)) {
        file.zones.push_back(
            icalproperty_get_tzid(icalcomponent_get_first_property(z, ICAL_TZID_PROPERTY)));
        file.zoneParts +=
            static_cast<std::size_t>(icalcomponent_count_components(z, ICAL_XSTANDARD_COMPONENT) +
                                     icalcomponent_count_components(z, ICAL_XDAYLIGHT_COMPONENT));
    }
    for (icalcomponent* e =
             icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
         e != nullptr;
         e = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT)) {
        ReadEvent r;
        r.uid = icalcomponent_get_uid(e);
        r.summary = icalcomponent_get_summary(e);
        icalproperty* start = icalcomponent_get_first_property(e, ICAL_DTSTART_PROPERTY);
        icaltimezone* zone = icaltimezone_get_utc_timezone();
        if (icalparameter* p = icalproperty_get_first_parameter(start, ICAL_TZID_PARAMETER)) {
            r.tzid = icalparameter_get_tzid(p);
            zone = icalcomponent_get_timezone(calendar.get(), r.tzid.c_str());
            EXPECT_NE(zone, nullptr) << "no VTIMEZONE for " << r.tzid;
        }
        const icaltimetype t = icalproperty_get_dtstart(start);
        r.start = icaltime_as_ical_string(t);
        r.instant = sys_seconds(std::chrono::seconds(icaltime_as_timet_with_zone(t, zone)));
        const icalproperty* duration = icalcomponent_get_first_property(e, ICAL_DURATION_PROPERTY);
        r.lastsNoTime = duration != nullptr &&
                        icaldurationtype_as_int(icalproperty_get_duration(duration)) == 0 &&
                        icalcomponent_get_first_property(e, ICAL_DTEND_PROPERTY) == nullptr;
        EXPECT_EQ(icalcomponent_get_first_component(e, ICAL_VALARM_COMPONENT), nullptr);
        file.events.push_back(std::move(r));
    }
    return file;
}

std::string Stamp(DayNumber date, minutes time) {
    const std::chrono::year_month_day ymd = date.ToDate();
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02u%02uT%02d%02d00", int(ymd.year()),
                  unsigned(ymd.month()), unsigned(ymd.day()), int(time.count() / 60),
                  int(time.count() % 60));
    return text;
}

std::string Write(const CalendarJob& job, CalendarResult* result = nullptr) {
    std::string text;
    const CalendarResult r = WriteCalendarFile(job, [&text](std::string_view piece) {
        text += piece;
        return true;
    });
    EXPECT_EQ(r.status, IcsStatus::Ok) << r.error;
    if (result) *result = r;
    return text;
}

const sys_seconds kStamp{std::chrono::sys_days{std::chrono::year{2024} / 5 / 1}};

// A month of Velmoren in its zone, with the moon and civil twilight: every
// event that happens, once, at its local time in the zone of the file.
TEST(CalendarFile, AMonthInTheZoneReadsBackAtTheLocalTimes) {
    SiteSettings s = DefaultSettings("/app", 2024);
    s.ZoneName = "Europe/Brussels";
    s.PlaceName = "Velmoren";
    const DayNumber from = DayNumber::FromYmd(2024, 4, 1);
    const DayNumber to = DayNumber::FromYmd(2024, 4, 30);
    CalendarResult result;
    const std::string text = Write({s, from, to, true, true, kStamp, {}}, &result);
    const ReadFile file = ReadBack(text);

    // What the file must hold, from the day and sky records: each event that
    // happened, on its clock date at its clock time.
    std::multiset<std::string> expected;
    auto expect = [&](DayNumber date, const EventValues& e) {
        if (e.CrossingClock) expected.insert(Stamp(date, *e.CrossingClock));
    };
    ForEachDay(s, from, to, [&](const DayEphemeris& day) {
        for (const Body b : kBodies)
            for (const EventKind k : kEventKinds) expect(day.Date, day.Event(b, k));
        const SkyDay sky = ComputeSkyDay(s, day.Date);
        for (const EventKind k : kEventKinds) expect(day.Date, sky[TwilightKind::Civil][k]);
        return true;
    });
    std::multiset<std::string> starts;
    std::set<std::string> uids;
    for (const ReadEvent& e : file.events) {
        starts.insert(e.start);
        uids.insert(e.uid);
        EXPECT_EQ(e.tzid, "Europe/Brussels");
        // The summary's time is the start's.
        EXPECT_NE(e.summary.find(e.start.substr(9, 2) + ":" + e.start.substr(11, 2)),
                  std::string::npos)
            << e.summary << " " << e.start;
    }
    EXPECT_EQ(starts, expected);
    EXPECT_EQ(file.events.size(), result.events);
    EXPECT_EQ(uids.size(), file.events.size());
    EXPECT_EQ(file.zones, std::vector<std::string>{"Europe/Brussels"});
    EXPECT_TRUE(uids.count("20240421-sunrise-3047N-328E@dawnhelm"));
    EXPECT_TRUE(uids.count("20240401-civildusk-3047N-328E@dawnhelm"));

    // Made again later: the same events under the same UIDs.
    const ReadFile again =
        ReadBack(Write({s, from, to, true, true, kStamp + std::chrono::days(9), {}}));
    std::set<std::string> againUids;
    for (const ReadEvent& e : again.events) againUids.insert(e.uid);
    EXPECT_EQ(againUids, uids);
}

// Every year a file takes, in zones north and south and across the date
// line: the events come back from the file's own VTIMEZONE at the day
// records' instants, at the clock times their summaries give, and last no
// time. Before a zone's first change its local mean time (with seconds)
// serves; the program's clocks take it to the minute, so the instant may
// differ by those seconds.
TEST(CalendarFile, EveryYearAndZoneReadsBackAtTheDayRecordsInstants) {
    struct Range {
        int year;
        unsigned month;
        unsigned first;
        unsigned last;
    };
    std::vector<Range> ranges;
    for (const int year : {1850, 2024, 2585, 3500, 9999}) {
        ranges.push_back({year, 1, 1, 7});
        ranges.push_back({year, 7, 1, 7});
    }
    ranges.push_back({9999, 12, 25, 31});
    for (const char* zoneName :
         {"Europe/Brussels", "America/New_York", "Australia/Sydney", "Pacific/Apia"}) {
        SiteSettings s = DefaultSettings("/app", 2024);
        s.ZoneName = zoneName;
        s.Zone = OpenZone(zoneName).zone;
        ASSERT_NE(s.Zone, nullptr) << zoneName;
        for (const Range& r : ranges) {
            const DayNumber from = DayNumber::FromYmd(r.year, r.month, r.first);
            const DayNumber to = DayNumber::FromYmd(r.year, r.month, r.last);
            SCOPED_TRACE(std::string(zoneName) + " " + FormatIsoDate(from));
            const ReadFile file = ReadBack(Write({s, from, to, false, false, kStamp, {}}));
            EXPECT_GE(file.zoneParts, 1u);

            std::vector<sys_seconds> expected;
            ForEachDay(s, from, to, [&](const DayEphemeris& day) {
                for (const EventKind k : kEventKinds) {
                    const EventEntry& e = day.Event(Body::Sun, k);
                    if (e.Crossing)
                        expected.push_back(sys_seconds(day.Date.ToSysDays()) + *e.Crossing -
                                           day.Clocks.standardOffset);
                }
                return true;
            });
            std::vector<sys_seconds> read;
            for (const ReadEvent& e : file.events) {
                read.push_back(e.instant);
                EXPECT_EQ(e.tzid, zoneName);
                EXPECT_TRUE(e.lastsNoTime) << e.uid;
                EXPECT_EQ(e.start.substr(13, 2), "00") << e.start;
                EXPECT_NE(e.summary.find(e.start.substr(9, 2) + ":" + e.start.substr(11, 2)),
                          std::string::npos)
                    << e.summary << " " << e.start;
            }
            std::sort(expected.begin(), expected.end());
            std::sort(read.begin(), read.end());
            ASSERT_EQ(read.size(), expected.size());
            for (std::size_t i = 0; i < read.size(); ++i) {
                const auto off = read[i] - expected[i];
                if (r.year == 1850) {
                    EXPECT_LE(std::chrono::abs(off), std::chrono::seconds(30)) << i;
                } else {
                    EXPECT_EQ(off, std::chrono::seconds(0)) << i;
                }
            }
        }
    }
}

TEST(CalendarFile, WithoutAZoneInUtcAndOnlyEventsThatHappen) {
    SiteSettings s = DefaultSettings("/app", 2024);
    const DayNumber day = DayNumber::FromYmd(2024, 6, 21);
    const DayEphemeris record = ComputeDay(s, day);
    const ReadFile file = ReadBack(Write({s, day, day, false, false, kStamp, {}}));
    ASSERT_EQ(file.events.size(), 2u);
    EXPECT_TRUE(file.zones.empty());
    // Summer time: two hours ahead of UT.
    EXPECT_EQ(file.events[0].start,
              Stamp(day, record.Event(Body::Sun, EventKind::Rise).Clock - minutes(120)) + "Z");
    EXPECT_EQ(file.events[0].tzid, "");

    // The first sunset after the midnight sun, at 23:18 standard time on 22
    // July, is 00:18 on the summer clock of the 23rd: the 22nd has no event,
    // the 23rd that sunset and its sunrise.
    SiteSettings north = s;
    north.LatitudeMinutes = 4140;
    north.LongitudeMinutes = 1200;
    const DayNumber july = DayNumber::FromYmd(2024, 7, 22);
    EXPECT_TRUE(ReadBack(Write({north, july, july, false, false, kStamp, {}})).events.empty());
    const ReadFile sunsetOnly =
        ReadBack(Write({north, july + 1, july + 1, false, false, kStamp, {}}));
    ASSERT_EQ(sunsetOnly.events.size(), 2u);
    const DayEphemeris julyDay = ComputeDay(north, july + 1);
    const EventEntry& set = julyDay.Event(Body::Sun, EventKind::Set);
    ASSERT_EQ(set.Crossing, minutes(23 * 60 + 18));
    const ReadEvent& sunset = sunsetOnly.events[1];
    EXPECT_EQ(sunset.uid, "20240723-sunset-4140N-1200E@dawnhelm");
    EXPECT_EQ(sunset.start, "20240722T221800Z");
    EXPECT_EQ(sunset.summary.rfind("Sunset 00:18 (", 0), 0u);

    // Midnight sun and polar night: no sunrise, no sunset, no civil twilight.
    s.LatitudeMinutes = 78 * 60;
    for (const DayNumber polar : {day, DayNumber::FromYmd(2024, 12, 21)}) {
        CalendarResult result;
        const ReadFile none = ReadBack(Write({s, polar, polar, false, true, kStamp, {}}, &result));
        EXPECT_TRUE(none.events.empty());
    }
}

TEST(CalendarFile, AStopOrAnUnknownZoneEndsTheWriting) {
    SiteSettings s = DefaultSettings("/app", 2024);
    int dates = 0;
    std::string text;
    const CalendarResult stopped = WriteCalendarFile(
        {s,
         DayNumber::FromYmd(1950, 1, 1),
         DayNumber::FromYmd(2049, 12, 31),
         true,
         true,
         kStamp,
         {}},
        [&text](std::string_view piece) {
            text += piece;
            return true;
        },
        [&dates](DayNumber) { return ++dates <= 10; });
    EXPECT_EQ(stopped.status, IcsStatus::Stopped);
    EXPECT_EQ(dates, 11);
    EXPECT_EQ(text.find("END:VCALENDAR"), std::string::npos);

    s.ZoneName = "Mars/Olympus_Mons";
    const CalendarResult unknown = WriteCalendarFile({s,
                                                      DayNumber::FromYmd(2024, 1, 1),
                                                      DayNumber::FromYmd(2024, 1, 2),
                                                      false,
                                                      false,
                                                      kStamp,
                                                      {}},
                                                     [](std::string_view) { return true; });
    EXPECT_EQ(unknown.status, IcsStatus::UnknownZone);
    EXPECT_NE(unknown.error.find("Mars/Olympus_Mons"), std::string::npos) << unknown.error;
}

}  // namespace
}  // namespace dawn

namespace dawn {
namespace {

// Spring 2024 in Dallas with the almanac: its events after the days', at
// their clock times in the zone, with the UIDs of their kinds. The change to
// summer time is at 02:00 by the clocks before it, 03:00 by those after.
TEST(CalendarFile, TheAlmanacsEventsInTheZone) {
    SiteSettings s = DefaultSettings("/app", 2024);
    s.LatitudeMinutes = 1967;
    s.LongitudeMinutes = -5808;
    s.TimeZoneMinutes = -360;
    s.ZoneName = "America/Chicago";
    s.PlaceName = "Dallas";
    const ZoneOpenResult zone = OpenZone(s.ZoneName);
    ASSERT_TRUE(zone.zone) << zone.message;
    s.Zone = zone.zone;
    CalendarJob job{s,
                    DayNumber::FromYmd(2024, 3, 1),
                    DayNumber::FromYmd(2024, 4, 30),
                    false,
                    false,
                    kStamp,
                    {},
                    true};
    const ReadFile file = ReadBack(Write(job));
    std::vector<ReadEvent> almanac;
    for (const ReadEvent& e : file.events)
        if (e.uid.find("-sunrise-") == std::string::npos &&
            e.uid.find("-sunset-") == std::string::npos)
            almanac.push_back(e);
    const std::vector<std::vector<std::string>> expected = {
        {"20240310-perigee-1967N-5808W@dawnhelm", "20240310T010300", "Perigee 01:03: 356894 km"},
        {"20240310-summertimestarts-1967N-5808W@dawnhelm", "20240310T030000",
         "Summer time starts 02:00"},
        {"20240319-marchequinox-1967N-5808W@dawnhelm", "20240319T220600", "March equinox 22:06"},
        {"20240323-apogee-1967N-5808W@dawnhelm", "20240323T104300", "Apogee 10:43: 406295 km"},
        {"20240325-lunareclipse-1967N-5808W@dawnhelm", "20240325T021300",
         "Lunar eclipse 02:13: penumbral, magnitude 0.960"},
        {"20240407-perigee-1967N-5808W@dawnhelm", "20240407T125000", "Perigee 12:50: 358851 km"},
        {"20240408-solareclipse-1967N-5808W@dawnhelm", "20240408T134300",
         "Solar eclipse 13:43: total, 100.0 % of the sun covered, the sun 65° high"},
        {"20240419-apogee-1967N-5808W@dawnhelm", "20240419T210900", "Apogee 21:09: 405623 km"},
        {"20240422-meteorshower-1967N-5808W@dawnhelm", "20240422T022300",
         "Meteor shower 02:23: Lyrids, 18 an hour, the moon 97 % lit"},
    };
    ASSERT_EQ(almanac.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(almanac[i].uid, expected[i][0]);
        EXPECT_EQ(almanac[i].start, expected[i][1]) << expected[i][0];
        EXPECT_EQ(almanac[i].tzid, "America/Chicago") << expected[i][0];
        EXPECT_EQ(almanac[i].summary, expected[i][2]);
    }
    // Without --almanac none of them.
    job.almanac = false;
    EXPECT_EQ(ReadBack(Write(job)).events.size(), file.events.size() - expected.size());
}

// The light's events: each blue and golden hour at its start on the
// light's own clock times, the sun from a height and behind a skyline, and
// the user's events under UIDs that hold their names, read back by libical
// and the same when the file is made again.
TEST(CalendarFile, TheLightsEventsReadBackWithTheirUids) {
    SiteSettings s = DefaultSettings("/app", 2024);
    s.ZoneName = "Europe/Brussels";
    const DayNumber from = DayNumber::FromYmd(2024, 6, 18);
    const DayNumber to = DayNumber::FromYmd(2024, 6, 24);
    LightOptions light;
    light.heightMetres = 100;
    light.horizon =
        ReadHorizonProfile(std::string(DAWN_SOURCE_DIR) + "/astro/testdata/jagged_horizon.txt")
            .points;
    light.ownEvents =
        UserEventsFromLines({"Pri\xC3\xA8re, aube;elevation;-12;rising", "Photo;elevation;10;both"},
                            "test")
            .events;
    ASSERT_EQ(light.ownEvents.size(), 2u);
    CalendarJob job{s, from, to, false, false, kStamp, {}, false, light};
    CalendarResult result;
    const ReadFile file = ReadBack(Write(job, &result));
    EXPECT_EQ(file.events.size(), result.events);

    std::set<std::string> uids;
    std::map<std::string, std::string> midsummer;  // UID to the summary
    for (const ReadEvent& e : file.events) {
        EXPECT_TRUE(uids.insert(e.uid).second) << e.uid;
        if (e.uid.starts_with("20240621-")) midsummer[e.uid] = e.summary;
    }
    const std::string place = "-3047N-328E@dawnhelm";
    std::vector<std::string> kinds;
    for (const auto& [uid, summary] : midsummer)
        kinds.push_back(uid.substr(9, uid.size() - 9 - place.size()));
    EXPECT_THAT(
        kinds, ::testing::UnorderedElementsAre(
                   "sunrise", "sunset", "morningbluehour", "morninggoldenhour", "eveninggoldenhour",
                   "eveningbluehour", "sunrisefromheight", "sunsetfromheight", "visiblesunrise",
                   "visiblesunset", "ownrising-Pri_C3_A8re_2C_20aube", "ownrising-Photo",
                   "ownsetting-Photo"));
    EXPECT_EQ(midsummer["20240621-visiblesunrise" + place].substr(0, 21), "Visible sunrise 05:42");
    EXPECT_EQ(midsummer["20240621-sunrisefromheight" + place].substr(0, 25),
              "Sunrise from height 05:22");
    EXPECT_EQ(midsummer["20240621-ownrising-Photo" + place].substr(0, 13), "Photo rising ");

    // The blue and golden hours at the light's own times: each begins at
    // its start and names its end.
    constexpr const char* kTokens[] = {"morningbluehour", "morninggoldenhour", "eveninggoldenhour",
                                       "eveningbluehour"};
    std::map<std::string, std::string> byUid;
    for (const ReadEvent& e : file.events) byUid[e.uid] = e.summary;
    ForEachLightDay(s, from, to, [&](const LightDay& day) -> bool {
        for (std::size_t k = 0; k < kLightPeriodCount; ++k) {
            const LightPeriod& p = day.periods[k];
            EXPECT_TRUE(p.start && p.end);
            if (!p.start || !p.end) continue;
            const std::string uid =
                Stamp(day.date, minutes(0)).substr(0, 8) + "-" + kTokens[k] + place;
            EXPECT_NE(byUid[uid].find(" " + FormatClock(*p.start, ":") + ": until " +
                                      FormatClock(*p.end, ":")),
                      std::string::npos)
                << uid << " " << byUid[uid];
        }
        return true;
    });

    job.stamp += std::chrono::days(3);
    std::set<std::string> again;
    for (const ReadEvent& e : ReadBack(Write(job)).events) again.insert(e.uid);
    EXPECT_EQ(again, uids);
}

}  // namespace
}  // namespace dawn
