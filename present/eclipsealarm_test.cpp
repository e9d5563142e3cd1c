// The eclipse alarm: its file, the rings of a year at Dallas, and the clock
// that rings each once, also after a late tick.
#include "present/eclipsealarm.h"

#include <gtest/gtest.h>

#include "core/testsupport_tempdir.h"
#include "places/zone.h"
#include "present/appstate.h"

namespace dawn {
namespace {

using std::chrono::minutes;
using std::chrono::seconds;
using std::chrono::sys_days;
using std::chrono::sys_seconds;

SiteSettings Dallas() {
    SiteSettings s = DefaultSettings("/nowhere", 2024);
    s.LatitudeMinutes = 1967;
    s.LongitudeMinutes = -5808;
    s.TimeZoneMinutes = -360;
    const ZoneOpenResult chicago = OpenZone("America/Chicago");
    EXPECT_TRUE(chicago.zone) << chicago.message;
    s.Zone = chicago.zone;
    return s;
}

AlarmChoice On(minutes offset, AlarmChannel channel = AlarmChannel::Notification) {
    AlarmChoice c;
    c.On = true;
    c.Offset = offset;
    c.Channel = channel;
    return c;
}

TEST(EclipseAlarmFile, LinesDefaultsAndRoundTrip) {
    const struct Case {
        std::vector<std::string> lines;
        bool on;
        int offset;
        AlarmChannel channel;
        bool message;
    } cases[] = {
        {{}, false, -60, AlarmChannel::Picture, false},
        {{"-30", "1"}, true, -30, AlarmChannel::Notification, false},
        {{"-500", "2"}, true, -180, AlarmChannel::Both, false},  // held at the bounds
        {{"15", "3"}, false, 15, AlarmChannel::Picture, false},
        {{"soon", "7"}, false, -60, AlarmChannel::Picture, true},
        {{"", "0"}, true, -60, AlarmChannel::Picture, false},
    };
    for (const Case& c : cases) {
        const EclipseAlarmLoad load = ParseEclipseAlarmLines(c.lines);
        EXPECT_EQ(load.choice.On, c.on);
        EXPECT_EQ(load.choice.Offset, minutes{c.offset});
        if (c.on) {
            EXPECT_EQ(load.choice.Channel, c.channel);
        }
        EXPECT_EQ(!load.message.empty(), c.message) << load.message;
    }
    EXPECT_EQ(ParseEclipseAlarmLines({"x", "y"}).message,
              "Dawneclipse.txt: line 1 and line 2 not understood; the default is used");

    testing::TempDir dir;
    const EclipseAlarmLoad none = LoadEclipseAlarm(dir.str());
    EXPECT_FALSE(none.choice.On);
    EXPECT_TRUE(none.message.empty());
    EXPECT_EQ(SaveEclipseAlarm(On(minutes{-45}, AlarmChannel::Both), dir.str()), std::nullopt);
    EXPECT_EQ(dir.Read("Dawneclipse.txt"), "-45\r\n2\r\n");
    EXPECT_EQ(LoadEclipseAlarm(dir.str()).choice, On(minutes{-45}, AlarmChannel::Both));
    // A folder in the file's place: the defaults and a message.
    testing::TempDir other;
    std::filesystem::create_directory(other.file("Dawneclipse.txt"));
    const EclipseAlarmLoad unreadable = LoadEclipseAlarm(other.str());
    EXPECT_FALSE(unreadable.choice.On);
    EXPECT_NE(unreadable.message.find("Dawneclipse.txt"), std::string::npos);
}

TEST(EclipseAlarmFile, LoadedWithTheStateAndWrittenOnlyWhenChanged) {
    testing::TempDir dir;
    AppState state;
    LoadAppState(state, dir.str(), LocaleFormats{}, DayNumber::FromYmd(2024, 7, 1));
    EXPECT_FALSE(state.EclipseAlarm.On);
    EXPECT_EQ(SaveEclipseAlarmIfChanged(state), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(dir.file("Dawneclipse.txt")));  // never set: no file
    state.EclipseAlarm = On(minutes{-20});
    EXPECT_EQ(SaveEclipseAlarmIfChanged(state), std::nullopt);
    EXPECT_EQ(dir.Read("Dawneclipse.txt"), "-20\r\n1\r\n");

    dir.Write("Dawneclipse.txt", "-20\r\nloud\r\n");
    AppState again;
    LoadAppState(again, dir.str(), LocaleFormats{}, DayNumber::FromYmd(2024, 7, 1));
    EXPECT_EQ(again.EclipseAlarm.Offset, minutes{-20});
    EXPECT_FALSE(again.EclipseAlarm.On);
    ASSERT_FALSE(again.PendingMessages.empty());
    EXPECT_NE(again.PendingMessages.back().find("Dawneclipse.txt: line 2"), std::string::npos);
}

TEST(EclipseRingsBetween, TheFirstContactsOfAYearAtDallas) {
    const SiteSettings s = Dallas();
    const sys_days first{std::chrono::year{2024} / 1 / 1}, last{std::chrono::year{2024} / 12 / 31};
    EXPECT_TRUE(EclipseRingsBetween(s, DefaultEclipseAlarm(), first, last).empty());  // off
    const auto rings = EclipseRingsBetween(s, On(minutes{-60}), first, last);
    // The total solar eclipse of 8 April (C1 17:23:18 UT, 12:23 CDT) and the
    // lunar eclipses of 25 March and 18 September, with the moon up at Dallas.
    ASSERT_EQ(rings.size(), 3u);
    EXPECT_EQ(rings[0].kind, AlmanacKind::LunarEclipse);
    EXPECT_EQ(rings[1].kind, AlmanacKind::SolarEclipse);
    EXPECT_EQ(rings[1].clockTime, minutes{12 * 60 + 23});
    EXPECT_EQ(rings[1].date, DayNumber::FromYmd(2024, 4, 8));
    const auto c1 =
        sys_seconds{sys_days{std::chrono::year{2024} / 4 / 8}} + seconds{17 * 3600 + 23 * 60 + 18};
    EXPECT_NEAR(std::chrono::duration<double>(rings[1].firstContact - c1).count(), 0.0, 2.0);
    EXPECT_EQ(rings[1].ring, rings[1].firstContact - minutes{60});
    EXPECT_EQ(rings[2].kind, AlmanacKind::LunarEclipse);
}

TEST(EclipseAlarmClock, RingsOnceAlsoAfterALateTickAndNeverAgain) {
    const SiteSettings s = Dallas();
    const AlarmChoice choice = On(minutes{-60});
    const auto rings = EclipseRingsBetween(s, choice, sys_days{std::chrono::year{2024} / 4 / 8},
                                           sys_days{std::chrono::year{2024} / 4 / 8});
    ASSERT_EQ(rings.size(), 1u);
    const sys_seconds ring = std::chrono::ceil<seconds>(rings[0].ring);

    // Second by second over the ring: one tick raises it.
    EclipseAlarmClock clock;
    int raised = 0;
    for (sys_seconds t = ring - seconds{5}; t <= ring + seconds{5}; t += seconds{1}) {
        const auto due = clock.Tick(s, choice, t);
        if (!due.empty()) {
            EXPECT_EQ(t, ring);
            EXPECT_EQ(due[0].kind, AlmanacKind::SolarEclipse);
        }
        raised += static_cast<int>(due.size());
    }
    EXPECT_EQ(raised, 1);
    // The clock set back over it: not again.
    EXPECT_TRUE(clock.Tick(s, choice, ring - seconds{10}).empty());
    EXPECT_TRUE(clock.Tick(s, choice, ring + seconds{10}).empty());

    // A tick 40 seconds late still raises it; one more than a minute late does not.
    EclipseAlarmClock late;
    late.Tick(s, choice, ring - seconds{10});
    EXPECT_EQ(late.Tick(s, choice, ring + seconds{30}).size(), 1u);
    EclipseAlarmClock tooLate;
    tooLate.Tick(s, choice, ring - seconds{10});
    EXPECT_TRUE(tooLate.Tick(s, choice, ring + seconds{90}).empty());
    // Switched off: nothing.
    EclipseAlarmClock off;
    off.Tick(s, DefaultEclipseAlarm(), ring - seconds{1});
    EXPECT_TRUE(off.Tick(s, DefaultEclipseAlarm(), ring).empty());
}

}  // namespace
}  // namespace dawn
