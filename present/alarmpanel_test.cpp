#include "present/alarmpanel.h"

#include <gtest/gtest.h>

#include "present/eclipsealarm.h"
#include "present/testsupport_state.h"

namespace dawn {
namespace {

using std::chrono::minutes;

AlarmChoice Alarm(bool on, int offset, AlarmChannel channel) {
    return AlarmChoice{on, minutes{offset}, channel};
}

TEST(AlarmPanel, ControlsShowEachAlarmInTheAppliedLanguage) {
    AppState state = test::EnglishState();
    AlarmChoices alarms = DefaultAlarmChoices();
    alarms[0] = Alarm(true, -15, AlarmChannel::Notification);
    alarms[1] = Alarm(true, 30, AlarmChannel::Both);
    alarms[2] = Alarm(false, -20, AlarmChannel::Both);    // off: shows "no alarm"
    alarms[3] = Alarm(true, 240, AlarmChannel::Picture);  // set beyond the range by hand

    const AlarmPanelView view = AlarmPanelOf(alarms, state.Current);
    const AlarmRowView expected[] = {
        {"Sunrise", -15, 1, true},
        {"Sunset", 30, 2, true},
        {"Civil dawn", -20, 3, false},
        {"Civil dusk", 180, 0, true},
    };
    for (std::size_t i = 0; i < kAlarmEventCount; ++i) EXPECT_EQ(view.rows[i], expected[i]) << i;
    EXPECT_EQ(view.title, "Alarms");
    EXPECT_EQ(view.offset, "Offset");
    EXPECT_EQ(view.offsetHint, "Minus: before the event, plus: after it");
    EXPECT_EQ(view.minutes, "minutes");
    EXPECT_EQ(view.ways,
              (std::array<std::string, 4>{"Picture", "Notification", "Both", "No alarm"}));

    // The main window's captions lose their padding and colon (French puts a
    // space before it).
    state.Settings.LanguageIndex = 2;
    state.ApplyLanguage();
    const AlarmPanelView french = AlarmPanelOf(DefaultAlarmChoices(), state.Current);
    EXPECT_EQ(french.rows[0].name, "Lever du soleil");
    EXPECT_EQ(french.rows[1].name, "Coucher du soleil");
    EXPECT_EQ(french.rows[2].name, "Aube civile");
    EXPECT_EQ(french.rows[2].way, kNoAlarmWay);
    EXPECT_EQ(french.ways[1], "Notification");
    // The eclipse alarm's row, off by default with its hour before.
    EXPECT_EQ(EclipseAlarmRowOf(DefaultEclipseAlarm(), state.Current),
              (AlarmRowView{"Éclipse de soleil / Éclipse de lune", -60, kNoAlarmWay, false}));
    EXPECT_EQ(EclipseAlarmRowOf(Alarm(true, -30, AlarmChannel::Both), state.Current),
              (AlarmRowView{"Éclipse de soleil / Éclipse de lune", -30, 2, true}));
}

TEST(AlarmPanel, AnEditGivesTheAlarmTheControlShows) {
    const AlarmChoice picture = Alarm(true, -15, AlarmChannel::Picture);
    const AlarmChoice off = Alarm(false, 30, AlarmChannel::Both);
    const struct {
        AlarmChoice from;
        int way;
        AlarmChoice expected;
    } ways[] = {
        {picture, 1, Alarm(true, -15, AlarmChannel::Notification)},
        {picture, 2, Alarm(true, -15, AlarmChannel::Both)},
        {picture, 3, Alarm(false, -15, AlarmChannel::Picture)},
        {off, 0, Alarm(true, 30, AlarmChannel::Picture)},
        {off, 3, off},
        {picture, -1, picture},  // no item selected
        {picture, 4, picture},
    };
    for (const auto& c : ways) EXPECT_EQ(WithAlarmWay(c.from, c.way), c.expected) << c.way;

    // Turning an alarm off and on again keeps its channel.
    const AlarmChoice both = Alarm(true, 0, AlarmChannel::Both);
    EXPECT_EQ(WithAlarmWay(WithAlarmWay(both, 3), 2), both);

    const struct {
        int minutes;
        int expected;
    } offsets[] = {{-15, -15}, {0, 0}, {180, 180}, {-180, -180}, {181, 180}, {-1000, -180}};
    for (const auto& c : offsets) {
        const AlarmChoice got = WithAlarmOffset(off, c.minutes);
        EXPECT_EQ(got.Offset, minutes{c.expected}) << c.minutes;
        EXPECT_EQ(got.On, off.On);
        EXPECT_EQ(got.Channel, off.Channel);
    }
}

}  // namespace
}  // namespace dawn
