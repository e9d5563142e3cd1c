#include "reminders/icswriter.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <map>
#include <set>
#include <vector>

namespace dawn {
namespace {

using std::chrono::days;
using std::chrono::minutes;
using std::chrono::sys_seconds;

constexpr DayNumber D(int y, unsigned m, unsigned d) {
    return DayNumber::FromYmd(y, m, d);
}
constexpr minutes HM(int h, int m) {
    return minutes(h * 60 + m);
}

const CalendarPlace kVelmoren{3047, 328, "Velmoren"};
const sys_seconds kStamp = sys_seconds(D(2024, 6, 1).ToSysDays()) + std::chrono::hours(12);

CalendarHeader Header(std::string zone, DayNumber from, DayNumber to,
                      CalendarPlace place = kVelmoren) {
    CalendarHeader h;
    h.place = std::move(place);
    h.zone = std::move(zone);
    h.from = from;
    h.to = to;
    h.stamp = kStamp;
    return h;
}

struct Written {
    IcsStatus status = IcsStatus::Ok;
    std::string text;
};

// The whole file of these events, or the first status that was not Ok.
Written Write(const CalendarHeader& header, const std::vector<CalendarEvent>& events) {
    Written w;
    IcsWriter writer(header, [&w](std::string_view piece) {
        w.text += piece;
        return true;
    });
    w.status = writer.Begin();
    for (const CalendarEvent& e : events)
        if (w.status == IcsStatus::Ok) w.status = writer.Add(e);
    if (w.status == IcsStatus::Ok) w.status = writer.Finish();
    return w;
}

struct ComponentDeleter {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

// One VEVENT as a calendar reads it back.
struct ReadEvent {
    std::string uid;
    std::string summary;
    std::string tzid;        // empty for a time in UTC
    std::string localStart;  // DTSTART as written, "YYYYMMDDTHHMMSS"
    sys_seconds instant;     // DTSTART through the file's own VTIMEZONE
};

std::vector<ReadEvent> ReadBack(const std::string& text) {
    Component calendar(icalparser_parse_string(text.c_str()));
    if (!calendar) {
        ADD_FAILURE() << "libical cannot read the file";
        return {};
    }
    EXPECT_EQ(icalcomponent_count_errors(calendar.get()), 0) << text;
    std::vector<ReadEvent> events;
    for (icalcomponent* e =
             icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
         e != nullptr;
         e = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT)) {
        ReadEvent r;
        r.uid = icalcomponent_get_uid(e);
        r.summary = icalcomponent_get_summary(e);
        icalproperty* start = icalcomponent_get_first_property(e, ICAL_DTSTART_PROPERTY);
        icaltimetype t = icalproperty_get_dtstart(start);
        icaltimezone* zone = icaltimezone_get_utc_timezone();
        if (icalparameter* p = icalproperty_get_first_parameter(start, ICAL_TZID_PARAMETER)) {
            r.tzid = icalparameter_get_tzid(p);
            zone = icalcomponent_get_timezone(calendar.get(), r.tzid.c_str());
            EXPECT_NE(zone, nullptr) << "no VTIMEZONE for " << r.tzid;
        }
        r.localStart = icaltime_as_ical_string(t);
        r.instant = sys_seconds(std::chrono::seconds(icaltime_as_timet_with_zone(t, zone)));
        EXPECT_EQ(icalcomponent_get_first_component(e, ICAL_VALARM_COMPONENT), nullptr);
        events.push_back(std::move(r));
    }
    return events;
}

// libical's own check of the rules of RFC 5545 and of publishing (RFC 5546),
// where only the organizer may be missing: the file is published by nobody.
void ExpectValid(const std::string& text) {
    Component calendar(icalparser_parse_string(text.c_str()));
    ASSERT_TRUE(calendar);
    EXPECT_TRUE(icalrestriction_check(calendar.get()));
    icalcomponent_add_property(calendar.get(), icalproperty_new_method(ICAL_METHOD_PUBLISH));
    icalrestriction_check(calendar.get());
    for (icalcomponent* e = icalcomponent_get_first_component(calendar.get(), ICAL_ANY_COMPONENT);
         e != nullptr; e = icalcomponent_get_next_component(calendar.get(), ICAL_ANY_COMPONENT)) {
        for (icalproperty* p = icalcomponent_get_first_property(e, ICAL_XLICERROR_PROPERTY);
             p != nullptr; p = icalcomponent_get_next_property(e, ICAL_XLICERROR_PROPERTY)) {
            const std::string error = icalproperty_get_xlicerror(p);
            EXPECT_NE(error.find("ORGANIZER"), std::string::npos) << error;
        }
    }
    // Lines end in CR LF, hold at most 75 octets, and folding splits no character.
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t end = text.find("\r\n", begin);
        ASSERT_NE(end, std::string::npos) << "a line without CR LF at " << begin;
        const std::string line = text.substr(begin, end - begin);
        EXPECT_LE(line.size(), 75u) << line;
        EXPECT_EQ(line.find('\n'), std::string::npos) << line;
        if (!line.empty()) {
            EXPECT_NE(static_cast<unsigned char>(line[0]) & 0xC0, 0x80) << line;
        }
        if (line.size() > 1) {
            EXPECT_NE(static_cast<unsigned char>(line[1]) & 0xC0, 0x80) << "split after " << line;
        }
        begin = end + 2;
    }
}

sys_seconds Instant(const CalendarEvent& e) {
    return sys_seconds(e.date.ToSysDays()) + e.wallTime - e.utcOffset;
}

TEST(IcsWriter, LocalTimesInTheZoneReadBackToTheRightInstant) {
    struct Row {
        SkyEvent kind;
        DayNumber date;
        minutes wall;
        minutes offset;  // the zone's offset then, from the time-zone database
        bool repeated;   // the zone's clocks show this time twice: written in UTC
    };
    struct Zone {
        const char* zone;
        std::vector<Row> rows;
    };
    const Zone zones[] = {
        {"Europe/Helsinki",
         {{SkyEvent::Sunrise, D(2024, 1, 15), HM(9, 20), minutes(120), false},
          {SkyEvent::Sunrise, D(2024, 6, 21), HM(3, 54), minutes(180), false},
          // Summer time ends at 04:00 on 27 October: 03:00-04:00 comes twice.
          {SkyEvent::Moonrise, D(2024, 10, 27), HM(3, 30), minutes(180), true},
          {SkyEvent::Moonset, D(2024, 10, 27), HM(3, 30), minutes(120), true},
          {SkyEvent::Sunrise, D(2024, 10, 27), HM(8, 5), minutes(120), false},
          {SkyEvent::CivilDusk, D(2024, 3, 31), HM(20, 10), minutes(180), false}}},
        {"Europe/Moscow",
         {{SkyEvent::Sunset, D(2010, 6, 21), HM(22, 17), minutes(240), false},
          {SkyEvent::Sunset, D(2012, 12, 21), HM(16, 58), minutes(240), false},
          {SkyEvent::Sunset, D(2015, 12, 21), HM(15, 58), minutes(180), false}}},
        {"America/New_York",  // summer time from April in 2006, from March in 2007
         {{SkyEvent::Sunrise, D(2006, 3, 20), HM(7, 2), minutes(-300), false},
          {SkyEvent::Sunrise, D(2007, 3, 20), HM(7, 2), minutes(-240), false}}},
        {"Australia/Sydney",
         {{SkyEvent::Sunset, D(2023, 12, 31), HM(20, 9), minutes(660), false},
          {SkyEvent::Sunset, D(2024, 7, 1), HM(16, 58), minutes(600), false}}},
        {"Australia/Lord_Howe",  // half an hour of summer time
         {{SkyEvent::Sunrise, D(2024, 1, 15), HM(6, 5), minutes(660), false},
          {SkyEvent::Sunrise, D(2024, 7, 15), HM(6, 35), minutes(630), false}}},
        {"Asia/Kolkata", {{SkyEvent::Sunrise, D(2024, 6, 21), HM(5, 23), minutes(330), false}}},
    };
    for (const Zone& z : zones) {
        std::vector<CalendarEvent> events;
        DayNumber from = z.rows.front().date, to = from;
        for (const Row& r : z.rows) {
            events.push_back({r.kind, r.date, r.wall, r.offset, 90.0});
            from = std::min(from, r.date);
            to = std::max(to, r.date);
        }
        const Written w = Write(Header(z.zone, from, to), events);
        ASSERT_EQ(w.status, IcsStatus::Ok) << z.zone;
        ExpectValid(w.text);
        const std::vector<ReadEvent> read = ReadBack(w.text);
        ASSERT_EQ(read.size(), events.size()) << z.zone;
        for (std::size_t i = 0; i < read.size(); ++i) {
            const Row& r = z.rows[i];
            const std::string what = std::string(z.zone) + " " + FormatIsoDate(r.date);
            EXPECT_EQ(read[i].instant, Instant(events[i])) << what;
            EXPECT_EQ(read[i].tzid, r.repeated ? "" : z.zone) << what;
            if (!r.repeated) {
                const auto hm = std::chrono::hh_mm_ss<minutes>(r.wall);
                char local[32];
                std::snprintf(local, sizeof local, "%04d%02u%02uT%02d%02d00", r.date.Year(),
                              r.date.Month(), r.date.Day(), static_cast<int>(hm.hours().count()),
                              static_cast<int>(hm.minutes().count()));
                EXPECT_EQ(read[i].localStart, local) << what;
            }
        }
    }
}

// The zone's parts: summer time is DAYLIGHT under its own name, also where
// the summer is half an hour (Lord Howe) or the database marks the winter as
// its daylight period (Ireland); offsets keep their seconds.
TEST(IcsWriter, TheZonesPartsNameSummerTimeAndKeepTheSeconds) {
    struct Part {
        bool daylight;
        std::string name;
        int offsetTo;
        int offsetFrom;
    };
    const struct {
        const char* zone;
        DayNumber date;
        std::vector<Part> parts;
    } cases[] = {
        {"Australia/Lord_Howe", D(2024, 1, 15), {{true, "+11", 39600, 39600}}},
        {"Australia/Lord_Howe",
         D(2024, 4, 7),
         {{true, "+11", 39600, 39600}, {false, "+1030", 37800, 39600}}},
        {"Europe/Dublin", D(2024, 1, 15), {{false, "GMT", 0, 0}}},
        {"Europe/Dublin", D(2024, 7, 15), {{true, "IST", 3600, 3600}}},
        {"Europe/Brussels", D(1850, 1, 15), {{false, "LMT", 1050, 1050}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + FormatIsoDate(c.date));
        const Written w =
            Write(Header(c.zone, c.date, c.date),
                  {{SkyEvent::Sunrise, c.date, HM(6, 0), minutes(c.parts[0].offsetTo / 60), {}}});
        ASSERT_EQ(w.status, IcsStatus::Ok);
        ExpectValid(w.text);
        Component calendar(icalparser_parse_string(w.text.c_str()));
        icalcomponent* zone =
            icalcomponent_get_first_component(calendar.get(), ICAL_VTIMEZONE_COMPONENT);
        ASSERT_NE(zone, nullptr);
        std::vector<Part> parts;
        for (icalcomponent* p = icalcomponent_get_first_component(zone, ICAL_ANY_COMPONENT);
             p != nullptr; p = icalcomponent_get_next_component(zone, ICAL_ANY_COMPONENT)) {
            icalproperty* name = icalcomponent_get_first_property(p, ICAL_TZNAME_PROPERTY);
            parts.push_back({icalcomponent_isa(p) == ICAL_XDAYLIGHT_COMPONENT,
                             name ? icalproperty_get_tzname(name) : "",
                             icalproperty_get_tzoffsetto(
                                 icalcomponent_get_first_property(p, ICAL_TZOFFSETTO_PROPERTY)),
                             icalproperty_get_tzoffsetfrom(
                                 icalcomponent_get_first_property(p, ICAL_TZOFFSETFROM_PROPERTY))});
        }
        ASSERT_EQ(parts.size(), c.parts.size());
        for (std::size_t k = 0; k < parts.size(); ++k) {
            EXPECT_EQ(parts[k].daylight, c.parts[k].daylight) << k;
            EXPECT_EQ(parts[k].name, c.parts[k].name) << k;
            EXPECT_EQ(parts[k].offsetTo, c.parts[k].offsetTo) << k;
            EXPECT_EQ(parts[k].offsetFrom, c.parts[k].offsetFrom) << k;
        }
    }
}

TEST(IcsWriter, WithoutAZoneEveryTimeIsUtc) {
    const std::vector<CalendarEvent> events = {
        {SkyEvent::Sunrise, D(2024, 6, 21), HM(5, 29), minutes(120), 52.4},
        {SkyEvent::Moonset, D(2024, 6, 21), HM(0, 30), minutes(120), std::nullopt},
    };
    for (const char* zone : {"", "UTC"}) {
        const Written w = Write(Header(zone, D(2024, 6, 21), D(2024, 6, 21)), events);
        ASSERT_EQ(w.status, IcsStatus::Ok) << zone;
        ExpectValid(w.text);
        EXPECT_EQ(w.text.find("VTIMEZONE"), std::string::npos) << zone;
        const std::vector<ReadEvent> read = ReadBack(w.text);
        ASSERT_EQ(read.size(), 2u);
        EXPECT_EQ(read[0].localStart, "20240621T032900Z");
        EXPECT_EQ(read[0].summary, "Sunrise 05:29 (52°)");
        // 00:30 local, two hours ahead of UT: the evening before in UTC.
        EXPECT_EQ(read[1].localStart, "20240620T223000Z");
        EXPECT_EQ(read[1].summary, "Moonset 00:30");
    }
}

TEST(IcsWriter, UidsNameDateKindAndPlace) {
    const CalendarEvent sunrise{SkyEvent::Sunrise, D(2024, 6, 21), HM(5, 29), minutes(120), 52.4};
    EXPECT_EQ(CalendarUid(sunrise, kVelmoren), "20240621-sunrise-3047N-328E@dawnhelm");
    EXPECT_EQ(CalendarUid({SkyEvent::CivilDusk, D(987, 1, 5), HM(17, 0), minutes(0), {}},
                          {-2032, -4440, "x"}),
              "09870105-civildusk-2032S-4440W@dawnhelm");

    // Made again with other words, zone, stamp and times: the same UIDs.
    std::vector<CalendarEvent> events;
    for (DayNumber d = D(2024, 3, 30); d <= D(2024, 4, 1); ++d)
        for (std::size_t k = 0; k < kSkyEventCount; ++k) {
            events.push_back({static_cast<SkyEvent>(k), d, HM(6, 0), minutes(60), std::nullopt});
            // The user's own events are named; the name is part of the UID.
            const auto kind = static_cast<SkyEvent>(k);
            if (kind == SkyEvent::OwnRising || kind == SkyEvent::OwnSetting)
                events.back().name = "Pri\xC3\xA8re, aube";
        }
    CalendarHeader first = Header("Europe/Brussels", D(2024, 3, 30), D(2024, 4, 1));
    CalendarHeader again = Header("", D(2024, 3, 30), D(2024, 4, 1));
    again.words.names[0] = "Zonsopgang";
    again.stamp += days(30);
    std::vector<CalendarEvent> moved = events;
    for (CalendarEvent& e : moved) e.wallTime += minutes(1);
    const auto uidsOf = [](const Written& w) {
        std::vector<std::string> uids;
        for (const ReadEvent& e : ReadBack(w.text)) uids.push_back(e.uid);
        return uids;
    };
    const std::vector<std::string> uids = uidsOf(Write(first, events));
    EXPECT_EQ(uidsOf(Write(again, moved)), uids);
    // Every kind and date apart, and another place apart from all of them.
    std::set<std::string> distinct(uids.begin(), uids.end());
    EXPECT_EQ(distinct.size(), 3 * kSkyEventCount);
    EXPECT_TRUE(distinct.count("20240401-ownsetting-Pri_C3_A8re_2C_20aube-3047N-328E@dawnhelm"));
    // Another name, even one that differs only where the name is escaped, is
    // another event.
    for (const char* name : {"Pri\xC3\xA8re_2C aube", "Priere, aube", "Pri\xC3\xA8re,aube"}) {
        CalendarEvent own = events.back();
        own.name = name;
        EXPECT_FALSE(distinct.count(CalendarUid(own, kVelmoren))) << name;
    }
    for (const CalendarPlace& other : {CalendarPlace{3047, 329, ""}, CalendarPlace{-3047, 328, ""},
                                       CalendarPlace{3047, -328, ""}}) {
        first.place = other;
        for (const std::string& uid : uidsOf(Write(first, events)))
            EXPECT_FALSE(distinct.count(uid)) << uid;
    }
}

TEST(IcsWriter, RefusesWhatItCannotWriteAndGoesOn) {
    const CalendarEvent good{SkyEvent::Sunset, D(2024, 6, 21), HM(21, 40), minutes(120), 305.0};
    struct Case {
        const char* what;
        CalendarHeader header;
        IcsStatus begin;
    };
    const Case headers[] = {
        {"unknown zone", Header("Nowhere/Zone", D(2024, 6, 1), D(2024, 6, 30)),
         IcsStatus::UnknownZone},
        {"a path for a zone", Header("../../etc/passwd", D(2024, 6, 1), D(2024, 6, 30)),
         IcsStatus::UnknownZone},
        {"a zone name with a newline",
         Header("Europe/Helsinki\nX-EVIL:1", D(2024, 6, 1), D(2024, 6, 30)),
         IcsStatus::UnknownZone},
        {"from after to", Header("", D(2024, 6, 30), D(2024, 6, 1)), IcsStatus::BadRange},
        {"year 10000", Header("", D(2024, 6, 1), D(10000, 1, 1)), IcsStatus::BadRange},
    };
    for (const Case& c : headers) {
        std::string text;
        IcsWriter writer(c.header, [&](std::string_view piece) {
            text += piece;
            return true;
        });
        EXPECT_EQ(writer.Begin(), c.begin) << c.what;
        EXPECT_FALSE(writer.Error().empty()) << c.what;
        EXPECT_EQ(writer.Error().find('\n'), std::string::npos) << c.what;
        EXPECT_EQ(text, "") << c.what;
        EXPECT_EQ(writer.Add(good), IcsStatus::OutOfOrder) << c.what;
    }

    std::string text;
    IcsWriter writer(Header("Europe/Helsinki", D(2024, 6, 1), D(2024, 6, 30)),
                     [&](std::string_view piece) {
                         text += piece;
                         return true;
                     });
    EXPECT_EQ(writer.Add(good), IcsStatus::OutOfOrder);
    ASSERT_EQ(writer.Begin(), IcsStatus::Ok);
    const std::pair<const char*, CalendarEvent> events[] = {
        {"before the range", {SkyEvent::Sunset, D(2024, 5, 31), HM(21, 40), minutes(180), {}}},
        {"after the range", {SkyEvent::Sunset, D(2024, 7, 1), HM(21, 40), minutes(180), {}}},
        {"minute 1440", {SkyEvent::Sunset, D(2024, 6, 21), minutes(1440), minutes(180), {}}},
        {"negative minute", {SkyEvent::Sunset, D(2024, 6, 21), minutes(-1), minutes(180), {}}},
        {"an own event without a name",
         {SkyEvent::OwnRising, D(2024, 6, 21), HM(5, 0), minutes(180), {}}},
        {"a day's offset", {SkyEvent::Sunset, D(2024, 6, 21), HM(21, 40), minutes(1440), {}}},
        {"no kind", {SkyEvent::Count, D(2024, 6, 21), HM(21, 40), minutes(180), {}}},
    };
    for (const auto& [what, event] : events)
        EXPECT_EQ(writer.Add(event), IcsStatus::BadEvent) << what;
    ASSERT_EQ(writer.Add(good), IcsStatus::Ok);
    ASSERT_EQ(writer.Finish(), IcsStatus::Ok);
    EXPECT_EQ(writer.Finish(), IcsStatus::OutOfOrder);
    EXPECT_EQ(ReadBack(text).size(), 1u);
}

TEST(IcsWriter, WritesAsItGoesAndStopsWhenTheSinkDoes) {
    std::vector<std::string> pieces;
    int refuseAt = -1;
    const auto writerWith = [&](int refuse) {
        pieces.clear();
        refuseAt = refuse;
        return std::make_unique<IcsWriter>(Header("Europe/Helsinki", D(2024, 6, 1), D(2024, 6, 30)),
                                           [&](std::string_view p) {
                                               pieces.emplace_back(p);
                                               return static_cast<int>(pieces.size()) != refuseAt;
                                           });
    };
    const CalendarEvent event{SkyEvent::Sunset, D(2024, 6, 21), HM(22, 50), minutes(180), 320.0};

    auto writer = writerWith(-1);
    ASSERT_EQ(writer->Begin(), IcsStatus::Ok);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
    EXPECT_NE(pieces[0].find("END:VTIMEZONE\r\n"), std::string::npos);
    EXPECT_EQ(pieces[0].find("END:VCALENDAR"), std::string::npos);
    ASSERT_EQ(writer->Add(event), IcsStatus::Ok);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[1].rfind("BEGIN:VEVENT\r\n", 0), 0u);
    ASSERT_EQ(writer->Finish(), IcsStatus::Ok);
    EXPECT_EQ(pieces.back(), "END:VCALENDAR\r\n");

    // Cancelled at the third piece: nothing more reaches the sink.
    writer = writerWith(3);
    ASSERT_EQ(writer->Begin(), IcsStatus::Ok);
    ASSERT_EQ(writer->Add(event), IcsStatus::Ok);
    EXPECT_EQ(writer->Add(event), IcsStatus::Stopped);
    EXPECT_FALSE(writer->Error().empty());
    EXPECT_EQ(writer->Add(event), IcsStatus::Stopped);
    EXPECT_EQ(writer->Finish(), IcsStatus::Stopped);
    EXPECT_EQ(pieces.size(), 3u);
}

TEST(IcsWriter, TextFromFilesArrivesCleanAndWhole) {
    CalendarHeader header = Header("Europe/Helsinki", D(2024, 6, 21), D(2024, 6, 21));
    std::string longName;
    for (int i = 0; i < 40; ++i) longName += "Ääkkösjärvi, ";
    const struct {
        std::string name;
        std::string label;
        std::string location;  // as read back; empty: none
        std::string summary;
    } cases[] = {
        {"Säynätsalo; \"Keski-Suomi\", FI", "Aurinko\\nousee", "Säynätsalo; \"Keski-Suomi\", FI",
         "Aurinko\\nousee 03:54 (37°)"},
        {"line\r\nEND:VCALENDAR\r\nBEGIN:VEVENT", "Sun\x01rise", "lineEND:VCALENDARBEGIN:VEVENT",
         "Sunrise 03:54 (37°)"},
        {"bad \xC3\x28 utf-8 \xFF", "Sonnen\xE2\x82ufgang", "bad \uFFFD( utf-8 \uFFFD",
         "Sonnen\uFFFDufgang 03:54 (37°)"},
        {"", "Sunrise", "", "Sunrise 03:54 (37°)"},
        {longName, "Sunrise", longName.substr(0, 0), "Sunrise 03:54 (37°)"},
    };
    for (const auto& c : cases) {
        header.place.name = c.name;
        header.words.names[0] = c.label;
        const Written w =
            Write(header, {{SkyEvent::Sunrise, D(2024, 6, 21), HM(3, 54), minutes(180), 37.0}});
        ASSERT_EQ(w.status, IcsStatus::Ok);
        ExpectValid(w.text);
        Component calendar(icalparser_parse_string(w.text.c_str()));
        icalcomponent* e = icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(icalcomponent_get_summary(e), c.summary);
        const char* location = icalcomponent_get_location(e);
        if (c.name == longName) {
            // Cut at a character boundary, well short of the whole name.
            ASSERT_NE(location, nullptr);
            EXPECT_LE(std::string(location).size(), 520u);
            EXPECT_EQ(longName.rfind(location, 0), 0u);
        } else {
            EXPECT_EQ(location ? location : "", c.location);
        }
    }
}

}  // namespace
}  // namespace dawn
