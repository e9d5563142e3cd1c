#include "reminders/remindertext.h"

#include <gtest/gtest.h>

#include <cmath>

#include "present/testsupport_state.h"

namespace dawn {
namespace {

using std::chrono::minutes;

TEST(AzimuthText, WholeDegreesFromNorth) {
    const struct {
        double degrees;
        const char* text;
    } cases[] = {
        {82.4, "82°"},   {82.5, "83°"}, {359.7, "0°"}, {-0.4, "0°"},
        {-10.0, "350°"}, {720.2, "0°"}, {NAN, ""},     {INFINITY, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(AzimuthText(c.degrees), c.text) << c.degrees;
}

TEST(AlarmNoticeText, NamesTheOffsetTheTimeAndTheAzimuth) {
    const struct {
        minutes offset;
        std::optional<double> azimuth;
        NoticeText text;
    } cases[] = {
        {minutes(-15), 305.2, {"Sunset in 15 minutes", "Sunset at 21:40, azimuth 305°"}},
        {minutes(-1), 305.2, {"Sunset in 1 minute", "Sunset at 21:40, azimuth 305°"}},
        {minutes(0), 305.2, {"Sunset", "Sunset at 21:40, azimuth 305°"}},
        {minutes(1), std::nullopt, {"Sunset 1 minute ago", "Sunset at 21:40"}},
        {minutes(30), std::nullopt, {"Sunset 30 minutes ago", "Sunset at 21:40"}},
        {minutes(-180), NAN, {"Sunset in 180 minutes", "Sunset at 21:40"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AlarmNoticeText("Sunset", c.offset, minutes(21 * 60 + 40), c.azimuth), c.text)
            << c.offset.count();
    }
}

TEST(AlarmNoticeText, TakesTheCallersWordsAndLeavesTheirBracesAlone) {
    NoticeWords dutch;
    dutch.before = "Over {minutes} minuten: {event}";
    dutch.body = "{event} om {time}, azimut {azimuth}";
    dutch.timeSeparator = ".";
    EXPECT_EQ(
        AlarmNoticeText("Zonsondergang", minutes(-15), minutes(21 * 60 + 40), 305.0, dutch),
        (NoticeText{"Over 15 minuten: Zonsondergang", "Zonsondergang om 21.40, azimut 305°"}));
    // A name that looks like a pattern is shown as it is.
    EXPECT_EQ(AlarmNoticeText("{minutes} {x}", minutes(-5), minutes(0), std::nullopt).title,
              "{minutes} {x} in 5 minutes");
}

TEST(NoticeWordsOf, TheAppliedLanguagesPatterns) {
    AppState state = test::EnglishState();
    const struct {
        int language;
        int offset;
        NoticeText expected;
    } cases[] = {
        {4, -15, {"Sunset in 15 minutes", "Sunset at 21.40, azimuth 305°"}},
        {4, 1, {"Sunset 1 minute ago", "Sunset at 21.40, azimuth 305°"}},
        {3, -15, {"Sunset in 15 Minuten", "Sunset um 21.40, Azimut 305°"}},
        {2, 30, {"Sunset il y a 30 minutes", "Sunset à 21.40, azimut 305°"}},
    };
    for (const auto& c : cases) {
        state.Settings.LanguageIndex = static_cast<std::uint8_t>(c.language);
        state.ApplyLanguage();
        EXPECT_EQ(AlarmNoticeText("Sunset", minutes(c.offset), minutes(21 * 60 + 40), 305.0,
                                  NoticeWordsOf(state.Current, ".")),
                  c.expected)
            << c.language << " " << c.offset;
    }
    // A pattern emptied in the label grid keeps the English one.
    state.Current.texts[label::kNoticeBefore] = " ";
    EXPECT_EQ(NoticeWordsOf(state.Current, ":").before, NoticeWords{}.before);
}

TEST(EventSummary, NameTimeAndAzimuth) {
    EXPECT_EQ(EventSummary("Sunrise", minutes(7 * 60 + 15), 82.0, ":"), "Sunrise 07:15 (82°)");
    EXPECT_EQ(EventSummary("Moonset", minutes(23 * 60 + 59), std::nullopt, "."), "Moonset 23.59");
}

}  // namespace
}  // namespace dawn
