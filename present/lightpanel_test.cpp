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

// No caption is cut in any language: each is shown whole, and they all end
// in one column.
TEST(LightPanel, EveryLanguageWhole) {
    AppState state = test::EnglishState();
    const LightDay light = LightOf(state.Settings, DayNumber::FromYmd(2024, 3, 20));
    for (std::uint8_t language = 0; language < 7; ++language) {
        state.Settings.LanguageIndex = language;
        state.ApplyLanguage();
        const LightPanelView panel = LightPanelOf(light, state);
        SCOPED_TRACE(panel.hint);
        EXPECT_FALSE(panel.hint.empty());
        const std::size_t width = Utf16Length(panel.rows[0].caption);
        const int kRows[] = {label::kMorningBlueHour, label::kMorningGoldenHour,
                             label::kEveningGoldenHour, label::kEveningBlueHour};
        for (std::size_t r = 0; r < kLightPeriodCount; ++r) {
            const std::string& caption = panel.rows[r].caption;
            const std::string text = state.Label(kRows[r]);
            EXPECT_FALSE(text.empty());
            EXPECT_EQ(Utf16Length(caption), width);
            ASSERT_GE(caption.size(), text.size());
            EXPECT_EQ(caption.substr(caption.size() - text.size()), text);
        }
    }
}

}  // namespace
}  // namespace dawn
