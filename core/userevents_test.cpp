#include "core/userevents.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <span>
#include <string>
#include <vector>

#include "core/testsupport_tempdir.h"

namespace dawn {
namespace {

using namespace std::chrono;
using testing::TempDir;

const std::vector<UserEvent> kEvents = {
    {"Photographer's light", UserEventKind::Elevation, 10, UserEventSide::Both, false, ""},
    {"Dawn prayer", UserEventKind::Elevation, -18, UserEventSide::Rising, false, "",
     UserEventAlarm{minutes(-10), AlarmChannel::Both}},
    {"Afternoon prayer", UserEventKind::Shadow, 1, UserEventSide::Setting, true, "",
     UserEventAlarm{minutes(0), AlarmChannel::Notification}},
    {"Before sunset", UserEventKind::Offset, -30, UserEventSide::Both, false, "sunset"},
    {"Before the light", UserEventKind::Offset, -5, UserEventSide::Both, false,
     "Photographer's light"},
};

// The file a save writes reads back as the same events, and the form the
// user writes by hand (blanks around the fields, a '+', notes, CR LF) too.
TEST(UserEvents, ReadAndWrittenAlike) {
    const UserEventsRead again = UserEventsFromLines(UserEventLines(kEvents), "e.txt");
    EXPECT_TRUE(again.messages.empty());
    EXPECT_FALSE(again.keepCopyBeforeSave);
    EXPECT_EQ(again.events, kEvents);

    TempDir dir;
    dir.Write("e.txt",
              "# mine\r\n"
              "\r\n"
              " Photographer's light ; elevation ; +10 ; both\r\n"
              "Dawn prayer;elevation;-18.0;rising; alarm=-10,both\r\n"
              "Afternoon prayer;shadow;1;setting;beyond-noon;alarm=+0,notification\r\n"
              "Before sunset;offset;-30;sunset\r\n"
              "Before the light;offset;-5;Photographer's light\r\n");
    const UserEventsRead read = ReadUserEvents(dir.file("e.txt"));
    EXPECT_TRUE(read.messages.empty()) << read.messages.front();
    EXPECT_EQ(read.events, kEvents);
    EXPECT_TRUE(ReadUserEvents(dir.file("none.txt")).messages.empty());
}

// Each bad line is left out with a message naming it and why; the good
// ones stay, and the file is to be kept as a copy before it is written.
TEST(UserEvents, BadLinesAreNamedAndLeftOut) {
    const std::vector<std::string> lines = {
        "Good;elevation;5;both",       // 1
        "Good;elevation;6;both",       // 2 the name again
        "Short;elevation;5",           // 3
        ";elevation;5;both",           // 4 no name
        "High;elevation;91;both",      // 5
        "Side;elevation;5;up",         // 6
        "Kind;azimuth;5;both",         // 7
        "Ratio;shadow;0;both",         // 8
        "Extra;shadow;1;both;always",  // 9
        "Half;offset;1.5;sunrise",     // 10
        "Far;offset;1441;sunrise",     // 11
        "Nowhere;offset;10;moonrise",  // 12
        "sunrise;elevation;0;both",    // 13 a built-in name
        "A;offset;1;B",                // 14 a circle
        "B;offset;1;A",                // 15
        "D1;offset;1;Good",            // 16 three deep: kept
        "D2;offset;1;D1",              // 17
        "D3;offset;1;D2",              // 18
        "D4;offset;1;D3",              // 19 four deep
        "Nan;elevation;nan;both",      // 20
    };
    const UserEventsRead read = UserEventsFromLines(lines, "e.txt");
    std::vector<std::string> names;
    for (const UserEvent& e : read.events) names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Good", "D1", "D2", "D3"}));
    EXPECT_TRUE(read.keepCopyBeforeSave);
    // Ten lines named, one sentence for the rest, and the copy's.
    ASSERT_EQ(read.messages.size(), 12u);
    EXPECT_EQ(read.messages[0], "e.txt, line 2 repeats the name \"Good\"; the event is left out.");
    EXPECT_EQ(read.messages[3],
              "e.txt, line 5 \"91\" is not an altitude from -90 to 90 degrees; the event is "
              "left out.");
    EXPECT_EQ(read.messages[10], "e.txt: 6 more lines were left out.");
    EXPECT_EQ(read.messages[11], "The file will be kept as e.txt.bak before it is written again.");
}

// The alarm field: a bad one leaves the line out with a message naming it;
// a good one is kept with any kind of event.
TEST(UserEvents, AlarmFields) {
    const struct {
        const char* line;
        const char* message;  // empty: read
    } cases[] = {
        {"A;offset;-5;sunset;alarm=5,both", ""},
        {"A;shadow;2;both;beyond-noon;alarm=-180,picture", ""},
        {"A;elevation;5;both;alarm=181,both", "is not alarm=MINUTES,WAY with whole minutes"},
        {"A;elevation;5;both;alarm=1.5,both", "is not alarm=MINUTES,WAY with whole minutes"},
        {"A;elevation;5;both;alarm=5", "is not alarm=MINUTES,WAY with whole minutes"},
        {"A;elevation;5;both;alarm=5,loud", "alarm way \"loud\" that is not picture"},
        {"A;elevation;5;both;alarm=5,both;more", "has more fields than"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const UserEventsRead read = UserEventsFromLines({c.line}, "e.txt");
        if (*c.message == '\0') {
            ASSERT_EQ(read.events.size(), 1u);
            ASSERT_TRUE(read.events[0].alarm);
            EXPECT_EQ(UserEventLines(read.events)[1], c.line);
            continue;
        }
        EXPECT_TRUE(read.events.empty());
        EXPECT_TRUE(read.keepCopyBeforeSave);
        ASSERT_FALSE(read.messages.empty());
        EXPECT_NE(read.messages[0].find("e.txt, line 1 "), std::string::npos);
        EXPECT_NE(read.messages[0].find(c.message), std::string::npos) << read.messages[0];
    }
}

// Saving after a bad read keeps the old file whole as .bak first: nothing
// of it is lost, and the new file holds the events that were read.
TEST(UserEvents, SaveKeepsTheBadFileAsACopy) {
    TempDir dir;
    const std::string bad = "Good;elevation;5;both\nBad;elevation;500;both\n";
    dir.Write("Dawnevents.txt", bad);
    const UserEventsRead read = ReadUserEvents(dir.file("Dawnevents.txt"));
    ASSERT_TRUE(read.keepCopyBeforeSave);
    ASSERT_TRUE(SaveUserEvents(dir.file("Dawnevents.txt"), read.events, true).ok());
    EXPECT_EQ(dir.Read("Dawnevents.txt.bak"), bad);
    EXPECT_EQ(dir.Read("Dawnevents.txt"),
              "# Dawnhelm's own events: NAME;KIND;VALUE;WHICH\nGood;elevation;5;both\n");
    // A good file is saved without a copy.
    ASSERT_TRUE(SaveUserEvents(dir.file("Dawnevents.txt"), kEvents, false).ok());
    EXPECT_EQ(dir.Read("Dawnevents.txt.bak"), bad);
    EXPECT_EQ(ReadUserEvents(dir.file("Dawnevents.txt")).events, kEvents);

    // A name the file could not read back is refused and nothing is written.
    for (const std::string name : {"two\nlines", "semi;colon", "", "sunset", " padded", "#note"}) {
        std::vector<UserEvent> events = kEvents;
        events[0].name = name;
        const TextFileResult refused = SaveUserEvents(dir.file("Dawnevents.txt"), events, false);
        EXPECT_EQ(refused.status, TextFileStatus::WriteFailed) << name;
        EXPECT_EQ(ReadUserEvents(dir.file("Dawnevents.txt")).events, kEvents) << name;
    }
    std::vector<UserEvent> twice = kEvents;
    twice[1].name = twice[0].name;
    EXPECT_FALSE(SaveUserEvents(dir.file("Dawnevents.txt"), twice, false).ok());
}

// The altitude of a shadow k times an object's height, and k times its
// height beyond the noon shadow, at the equator and at 50° N at the equinox
// (noon altitudes about 90° and 40°).
TEST(UserEvents, ShadowAltitudes) {
    const struct {
        std::int32_t latitudeMinutes;
        double ratio;
        bool beyondNoon;
        double degrees;
    } kCases[] = {
        {0, 1, false, 45.0}, {0, 2, false, 26.57},  {3000, 1, false, 45.0}, {0, 1, true, 45.0},
        {0, 2, true, 26.57}, {3000, 1, true, 24.6}, {3000, 2, true, 17.4},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.latitudeMinutes + c.ratio);
        const std::optional<double> got =
            ShadowAltitude(c.ratio, c.beyondNoon, 2024y / 3 / 20, Place{c.latitudeMinutes, 0, 0});
        ASSERT_TRUE(got);
        EXPECT_NEAR(*got, c.degrees, 0.3);
    }
    // No noon shadow in the polar night.
    EXPECT_FALSE(ShadowAltitude(1, true, 2024y / 12 / 21, Place{4680, 940, 60}));
}

// An elevation event is the sun's crossing of its altitude on its sides; an
// offset moves its base's time and lands on the date it falls on: 20 hours
// after a sunrise is early the next morning.
TEST(UserEvents, TimesOfTheEvents) {
    const Place place{3047, 328, 60};
    const year_month_day date = 2024y / 6 / 21;
    const year_month_day before = 2024y / 6 / 20;
    std::vector<UserEvent> events = kEvents;
    events.push_back(
        {"Next morning", UserEventKind::Offset, 1200, UserEventSide::Both, false, "sunrise"});

    const double ten = 10.0;
    std::array<Twilight, 1> crossing;
    ComputeSunAltitudeCrossings(date, place, std::span<const double>(&ten, 1), crossing);
    EXPECT_EQ(ComputeUserEvent(events, 0, date, place), crossing[0]);

    const Twilight dawnPrayer = ComputeUserEvent(events, 1, date, place);
    EXPECT_FALSE(dawnPrayer.dusk.crossing);

    const Twilight beforeSunset = ComputeUserEvent(events, 3, date, place);
    const RiseSetResult sunset = ComputeSunDay(date, place).set;
    EXPECT_EQ(beforeSunset.dusk.status, EventStatus::Normal);
    EXPECT_EQ(beforeSunset.dusk.minute, sunset.time - 30min);
    EXPECT_FALSE(beforeSunset.dawn.crossing);

    const Twilight beforeLight = ComputeUserEvent(events, 4, date, place);
    EXPECT_EQ(beforeLight.dawn.minute, crossing[0].dawn.minute - 5min);
    EXPECT_EQ(beforeLight.dusk.minute, crossing[0].dusk.minute - 5min);

    const Twilight nextMorning = ComputeUserEvent(events, 5, date, place);
    EXPECT_EQ(nextMorning.dawn.minute, ComputeSunDay(before, place).rise.time + 1200min - 1440min);
}

}  // namespace
}  // namespace dawn
