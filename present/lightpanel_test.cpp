#include "present/lightpanel.h"

#include <gtest/gtest.h>

#include "i18n/labels.h"
#include "present/testsupport_state.h"
#include "present/texts.h"

namespace dawn {
namespace {

LightDay LightOf(const SiteSettings& settings, DayNumber date) {
    LightDay out{};
    ForEachLightDay(settings, date, date, [&](const LightDay& d) {
        out = d;
        return true;
    });
    return out;
}

// The four periods on the user's clock (summer time at Velmoren in June),
// captions right-aligned in one column, and far north in June a morning
// golden hour that only ends and no blue hour at all.
TEST(LightPanel, PeriodsOnTheClock) {
    AppState state = test::EnglishState();
    const DayNumber midsummer = DayNumber::FromYmd(2024, 6, 21);
    const LightPanelView panel = LightPanelOf(LightOf(state.Settings, midsummer), state);
    EXPECT_EQ(panel.hint, "Light");
    const char* kExpected[][3] = {
        {"  Morning blue hour", "04:39", "04:57"},
        {"Morning golden hour", "04:57", "06:18"},
        {"Evening golden hour", "21:02", "22:23"},
        {"  Evening blue hour", "22:23", "22:41"},
    };
    for (std::size_t r = 0; r < kLightPeriodCount; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(panel.rows[r].caption, std::string(" ") + kExpected[r][0]);
        EXPECT_EQ(panel.rows[r].start, kExpected[r][1]);
        EXPECT_EQ(panel.rows[r].end, kExpected[r][2]);
    }

    test::PlaceAt(state.Settings, 69 * 60, 20 * 60, 60);
    const LightPanelView north = LightPanelOf(LightOf(state.Settings, midsummer), state);
    const std::string empty = state.Locale.EmptyClockText();
    EXPECT_EQ(north.rows[0].start, empty);
    EXPECT_EQ(north.rows[0].end, empty);
    EXPECT_EQ(north.rows[1].start, empty);
    EXPECT_NE(north.rows[1].end, empty);
    EXPECT_NE(north.rows[2].start, empty);
    EXPECT_EQ(north.rows[2].end, empty);
}

// With a horizon profile the visible rise and set follow the periods, and
// then the user's events by name, each with the sides it has.
TEST(LightPanel, VisibleRiseAndSetAndOwnEvents) {
    AppState state = test::EnglishState();
    const DayNumber date = DayNumber::FromYmd(2024, 6, 21);
    const std::vector<HorizonPoint> wall = {{0, 3}};
    const std::vector<UserEvent> events = {
        {"Photo", UserEventKind::Elevation, 10, UserEventSide::Both, false, ""},
        {"Before sunset", UserEventKind::Offset, -30, UserEventSide::Both, false, "sunset"}};
    std::optional<SeenDay> visible;
    ForEachVisibleDay(state.Settings, wall, date, date, [&](const SeenDay& d) {
        visible = d;
        return true;
    });
    std::vector<OwnEventOfDay> own;
    for (std::size_t i = 0; i < events.size(); ++i) {
        ForEachOwnEventDay(state.Settings, events, i, date, date, [&](const SeenDay& d) {
            own.push_back({events[i].name, *SidesOf(events, events[i].name), d});
            return true;
        });
    }
    const LightPanelView panel = LightPanelOf(LightOf(state.Settings, date), state, visible, own);
    ASSERT_EQ(panel.more.size(), 4u);
    EXPECT_EQ(panel.more[0].caption, "     Visible sunrise");
    EXPECT_EQ(panel.more[1].caption, "      Visible sunset");
    // Behind a 3° wall the sun shows later and goes earlier than at its
    // designed rise (05:25) and set (21:55).
    EXPECT_GT(panel.more[0].start, "05:25");
    EXPECT_LT(panel.more[1].start, "21:55");
    EXPECT_EQ(panel.more[2].caption, "Photo");
    EXPECT_NE(panel.more[2].start, "");
    EXPECT_NE(panel.more[2].end, "");
    EXPECT_EQ(panel.more[3].caption, "Before sunset");
    EXPECT_EQ(panel.more[3].start, "");
    EXPECT_EQ(panel.more[3].end, "21:25");
    EXPECT_TRUE(LightPanelOf(LightOf(state.Settings, date), state).more.empty());

    // What a screen reader hears, without the captions' padding.
    EXPECT_EQ(panel.rows[0].spoken, "Morning blue hour 04:39 - 04:57");
    EXPECT_EQ(panel.more[0].spoken, "Visible sunrise " + panel.more[0].start);
    EXPECT_EQ(panel.more[3].spoken, "Before sunset, Dusk 21:25");
    EXPECT_EQ(panel.more[2].spoken,
              "Photo, Dawn " + panel.more[2].start + ", Dusk " + panel.more[2].end);

    // The shown date's panel takes the profile and the events of the state;
    // without a profile, a height gives the rise and set seen from it.
    state.ShowDate(date);
    state.HorizonProfile = wall;
    state.OwnEvents = events;
    const LightPanelView shown = ShownLightPanel(state);
    ASSERT_EQ(shown.more.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(shown.more[i].spoken, panel.more[i].spoken);
    state.HorizonProfile.clear();
    state.OwnEvents.clear();
    state.Settings.ObserverHeightMetres = 100;
    const LightPanelView high = ShownLightPanel(state);
    ASSERT_EQ(high.more.size(), 2u);
    EXPECT_LT(high.more[0].start, "05:25");
    EXPECT_GT(high.more[1].start, "21:55");
    state.Settings.ObserverHeightMetres = 0;
    EXPECT_TRUE(ShownLightPanel(state).more.empty());
}

// No caption is cut in any language: each is shown whole, and they all end
// in one column.
TEST(LightPanel, EveryLanguageWhole) {
    AppState state = test::EnglishState();
    const DayNumber date = DayNumber::FromYmd(2024, 3, 20);
    const LightDay light = LightOf(state.Settings, date);
    const SeenDay visible{date, {}};
    for (std::uint8_t language = 0; language < 7; ++language) {
        state.Settings.LanguageIndex = language;
        state.ApplyLanguage();
        const LightPanelView panel = LightPanelOf(light, state, visible);
        SCOPED_TRACE(panel.hint);
        EXPECT_FALSE(panel.hint.empty());
        const std::size_t width = Utf16Length(panel.rows[0].caption);
        const std::pair<const LightRowView*, int> kRows[] = {
            {&panel.rows[0], label::kMorningBlueHour},
            {&panel.rows[1], label::kMorningGoldenHour},
            {&panel.rows[2], label::kEveningGoldenHour},
            {&panel.rows[3], label::kEveningBlueHour},
            {&panel.more.at(0), label::kVisibleSunrise},
            {&panel.more.at(1), label::kVisibleSunset}};
        for (const auto& [row, n] : kRows) {
            const std::string& caption = row->caption;
            const std::string text = state.Label(n);
            EXPECT_FALSE(text.empty()) << n;
            EXPECT_EQ(Utf16Length(caption), width) << n;
            ASSERT_GE(caption.size(), text.size());
            EXPECT_EQ(caption.substr(caption.size() - text.size()), text);
        }
    }
}

}  // namespace
}  // namespace dawn
