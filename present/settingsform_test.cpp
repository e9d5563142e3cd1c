#include "present/settingsform.h"

#include <gtest/gtest.h>

#include "core/calendar.h"
#include "present/testsupport_state.h"

namespace dawn {
namespace {

class SettingsFormTest : public ::testing::Test {
protected:
    SettingsFormTest() { state.ShowDate(state.Today); }

    // The form as the dialog is filled, its settings stored as the dialog does.
    SettingsForm Fill() {
        FormEdit e = FillForm(state);
        state.Settings = e.settings;
        return e.form;
    }
    // An edit's settings stored and the day recomputed, as the dialog does.
    SettingsForm Take(const FormEdit& e) {
        state.Settings = e.settings;
        state.ApplyLanguage();
        state.ShowDate(state.Shown);
        return Relabelled(e.form, state);
    }
    // One arrow step on a part, as its spin edit gives it.
    FormEdit Step(const SettingsForm& f, PairKind kind, PairPart part, int delta) {
        const PairForm& p = f.Pair(kind);
        const int shown = part == PairPart::Whole ? p.whole.value : p.minutes.value;
        return EditPair(f, state, kind, part, shown + delta);
    }
    std::string L(int n) const { return state.Label(n); }

    AppState state = test::EnglishState();
};

std::int32_t& TotalOf(SiteSettings& s, PairKind kind) {
    if (kind == PairKind::Latitude) return s.LatitudeMinutes;
    if (kind == PairKind::Longitude) return s.LongitudeMinutes;
    return s.TimeZoneMinutes;
}

// The pairs' edges as the form shows them: what each spin edit holds, its
// range (one past its end where the rule still has to carry), which edit
// writes the sign, and the letter between the parts.
TEST_F(SettingsFormTest, PairEditsAtTheEdges) {
    struct Case {
        const char* what;
        PairKind kind;
        int start;
        PairPart part;
        int delta;
        int total;                   // stored afterwards
        int whole, minutes;          // shown afterwards
        int minutesMin, minutesMax;  // the minutes edit's range afterwards
        const char* separator;
    };
    const Case cases[] = {
        {"89°59' N one minute up", PairKind::Latitude, 89 * 60 + 59, PairPart::Minutes, +1, 5400,
         90, 0, -1, 0, "N"},
        {"90°00' N one more minute stays", PairKind::Latitude, 5400, PairPart::Minutes, +1, 5400,
         90, 0, -1, 0, "N"},
        {"0°00' one minute down crosses to the south", PairKind::Latitude, 0, PairPart::Minutes, -1,
         -1, 0, -1, -60, 60, "S"},
        {"0°-30' one degree up carries the sign north", PairKind::Latitude, -30, PairPart::Whole,
         +1, 90, 1, 30, -1, 60, "N"},
        {"179°59' E one minute up", PairKind::Longitude, 179 * 60 + 59, PairPart::Minutes, +1,
         10800, 180, 0, -1, 0, "E"},
        {"180°00' E never wraps to the west", PairKind::Longitude, 10800, PairPart::Whole, +1,
         10800, 180, 0, -1, 0, "E"},
        {"0°00' one minute down goes west", PairKind::Longitude, 0, PairPart::Minutes, -1, -1, 0,
         -1, -60, 60, "W"},
        {"-180°00' W one minute down stays", PairKind::Longitude, -10800, PairPart::Minutes, -1,
         -10800, -180, 0, 0, 1, "W"},
        {"zone 0:00 one minute down", PairKind::TimeZone, 0, PairPart::Minutes, -1, -1, 0, -1, -60,
         60, ":"},
        {"zone 23:59 stops", PairKind::TimeZone, 23 * 60 + 59, PairPart::Minutes, +1, 1439, 23, 59,
         -1, 59, ":"},
        {"zone -23:59 stops", PairKind::TimeZone, -1439, PairPart::Whole, -1, -1439, -23, -59, -59,
         1, ":"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TotalOf(state.Settings, c.kind) = c.start;
        SettingsForm f = Fill();
        f = Take(Step(f, c.kind, c.part, c.delta));
        const PairForm& p = f.Pair(c.kind);
        EXPECT_EQ(TotalOf(state.Settings, c.kind), c.total);
        EXPECT_EQ(p.whole.value, c.whole);
        EXPECT_EQ(p.minutes.value, c.minutes);
        EXPECT_EQ(p.minutes.min, c.minutesMin);
        EXPECT_EQ(p.minutes.max, c.minutesMax);
        EXPECT_EQ(p.separator, c.separator);
    }
}

// Only the zone writes a sign: on its hours, or on its minutes beside 0
// hours; its whole hours have a settings line of their own.
TEST_F(SettingsFormTest, TheZoneShowsItsSignAndStoresItsHours) {
    state.Settings.TimeZoneMinutes = -(3 * 60 + 30);
    SettingsForm f = Fill();
    const PairForm& zone = f.Pair(PairKind::TimeZone);
    EXPECT_TRUE(zone.whole.signShown);
    EXPECT_FALSE(zone.minutes.signShown);
    EXPECT_TRUE(zone.negative);
    EXPECT_EQ(zone.separatorHint, L(label::kZoneWest));
    EXPECT_FALSE(f.Pair(PairKind::Latitude).whole.signShown);
    EXPECT_FALSE(f.Pair(PairKind::Latitude).minutes.signShown);

    f = Take(TypePair(f, state, PairKind::TimeZone, PairPart::Whole, 0));
    EXPECT_EQ(state.Settings.TimeZoneMinutes, -30);
    EXPECT_EQ(state.Settings.TimeZoneHours, 0);
    EXPECT_TRUE(f.Pair(PairKind::TimeZone).minutes.signShown);
    f = Take(TypePair(f, state, PairKind::TimeZone, PairPart::Whole, 5));
    EXPECT_EQ(state.Settings.TimeZoneMinutes, 5 * 60 + 30);
    EXPECT_EQ(state.Settings.TimeZoneHours, 5);
    EXPECT_EQ(f.Pair(PairKind::TimeZone).separatorHint, L(label::kZoneEast));
}

// A value the spin edit cannot show is clamped to its range, and a value
// equal to the shown one changes nothing and asks for no redraw.
TEST_F(SettingsFormTest, PairEditsStayWithinTheShownRange) {
    SettingsForm f = Fill();  // Velmoren, 50°47' N
    const FormEdit same = EditPair(f, state, PairKind::Latitude, PairPart::Whole, 50);
    EXPECT_FALSE(same.redraw);
    EXPECT_EQ(same.form.Pair(PairKind::Latitude), f.Pair(PairKind::Latitude));
    EXPECT_EQ(same.settings.LatitudeMinutes, state.Settings.LatitudeMinutes);
    f = Take(EditPair(f, state, PairKind::Latitude, PairPart::Whole, 500));
    EXPECT_EQ(state.Settings.LatitudeMinutes, 89 * 60 + 47);
}

TEST_F(SettingsFormTest, FillingBringsTheStoredValuesWithin) {
    state.Settings.LatitudeMinutes = 100000;
    state.Settings.LongitudeMinutes = -20000;
    state.Settings.TimeZoneMinutes = 5000;
    state.Settings.WinterRule = 1599;
    state.Settings.LanguageIndex = 9;
    const FormEdit e = FillForm(state);
    EXPECT_EQ(e.settings.LatitudeMinutes, 5400);
    EXPECT_EQ(e.settings.LongitudeMinutes, -10800);
    EXPECT_EQ(e.settings.TimeZoneMinutes, 1439);
    EXPECT_EQ(e.settings.TimeZoneHours, 23);
    EXPECT_EQ(e.settings.WinterRule, 1104);
    // A stored language other than the local one counts as chosen.
    EXPECT_EQ(e.settings.LanguageIndex, 6);
    EXPECT_TRUE(e.languageChosen);
    EXPECT_EQ(e.form.Pair(PairKind::Latitude).whole.value, 90);
}

// An edit by hand of the zone's offset or of the summer time hands a chosen
// zone back to the manual rules; the place, a rule that stays, and the
// switches of the view keep it.
TEST_F(SettingsFormTest, EditsByHandDropAChosenZone) {
    using Edit = FormEdit (*)(const SettingsForm&, const AppState&);
    const struct {
        const char* what;
        Edit edit;
        bool drops;
    } cases[] = {
        {"zone minute",
         [](const SettingsForm& f, const AppState& s) {
             return EditPair(f, s, PairKind::TimeZone, PairPart::Minutes, 1);
         },
         true},
        {"latitude degree",
         [](const SettingsForm& f, const AppState& s) {
             return EditPair(f, s, PairKind::Latitude, PairPart::Whole, 40);
         },
         false},
        {"summer month",
         [](const SettingsForm& f, const AppState& s) {
             return ChooseMonth(f, s, ClockChange::Summer, 3);
         },
         true},
        {"the same summer month",
         [](const SettingsForm& f, const AppState& s) {
             return ChooseMonth(f, s, ClockChange::Summer, 2);
         },
         false},
        {"winter weekend",
         [](const SettingsForm& f, const AppState& s) {
             return ChooseWeekend(f, s, ClockChange::Winter, 1);
         },
         true},
        {"weekday",
         [](const SettingsForm& f, const AppState& s) {
             return StepWeekday(f, s, ClockChange::Summer, WeekdayStep::Previous);
         },
         true},
        {"summer time off",
         [](const SettingsForm& f, const AppState& s) { return SwitchSummerTime(f, s, false); },
         true},
        {"summer time on, as it is",
         [](const SettingsForm& f, const AppState& s) { return SwitchSummerTime(f, s, true); },
         false},
        {"clock",
         [](const SettingsForm& f, const AppState& s) {
             return Switch(f, s, FormSwitch::Clock, true);
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        state.Settings = test::EnglishState().Settings;
        state.Settings.ZoneName = "Europe/Amsterdam";
        const SettingsForm f = Fill();
        const FormEdit e = c.edit(f, state);
        EXPECT_EQ(e.settings.ZoneName.empty(), c.drops);
    }
}

// The weekend items follow the month of the reference year: March has five
// Sundays in 2024 but four in 2023, and the stored fifth Sunday, the last,
// shows as "4" there without being changed.
TEST_F(SettingsFormTest, WeekendItemsFitTheReferenceYear) {
    struct Case {
        int year;
        std::int32_t rule;
        std::uint8_t weekday;
        int count, item;
    };
    const Case cases[] = {
        {2024, 204, 1, 5, 4},                        // March 2024: five Sundays
        {2023, 204, 1, 4, 3},                        // March 2023: four
        {2024, 204, 2, 4, 3},                        // March 2024: four Mondays
        {2024, 200, 1, 5, 0}, {2024, 904, 1, 4, 3},  // October 2024: four Sundays
        {2024, 204, 0, 4, 3},                        // no weekday at all: four items
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.year << " rule " << c.rule << " weekday " << int{c.weekday});
        ASSERT_EQ(c.count,
                  std::max<int>(4, CountWeekdayInMonth(c.rule / 100 + 1, c.year, c.weekday)));
        state.ReferenceYear = c.year;
        state.Settings.SummerRule = c.rule;
        state.Settings.SummerWeekday = c.weekday;
        const SettingsForm f = Fill();
        EXPECT_EQ(f.Rule(ClockChange::Summer).weekendCount, c.count);
        EXPECT_EQ(f.Rule(ClockChange::Summer).weekendItem, c.item);
        EXPECT_EQ(state.Settings.SummerRule, c.rule);
    }

    // Refitted when the rule's weekday changes, and when asked (the dialog
    // coming back from a window that showed another year); other edits
    // leave the items as they were fitted.
    state.ReferenceYear = 2024;
    state.Settings.SummerRule = 204;
    state.Settings.SummerWeekday = 1;
    SettingsForm f = Fill();
    f = Take(StepWeekday(f, state, ClockChange::Summer, WeekdayStep::Next));
    EXPECT_EQ(state.Settings.SummerWeekday, 2);
    EXPECT_EQ(f.Rule(ClockChange::Summer).weekendCount, 4);
    EXPECT_EQ(f.Rule(ClockChange::Summer).weekdayText, L(label::kFirstWeekday + 1));
    f = Take(StepWeekday(f, state, ClockChange::Summer, WeekdayStep::Previous));
    EXPECT_EQ(f.Rule(ClockChange::Summer).weekendCount, 5);
    state.ReferenceYear = 2023;
    EXPECT_EQ(Relabelled(f, state).Rule(ClockChange::Summer).weekendCount, 5);
    EXPECT_EQ(WithRulesFitted(f, state).Rule(ClockChange::Summer).weekendCount, 4);
}

TEST_F(SettingsFormTest, RuleEditsStoreTheRuleAndCaptionTheGroup) {
    SettingsForm f = Fill();
    f = Take(ChooseMonth(f, state, ClockChange::Summer, 3));
    f = Take(ChooseWeekend(f, state, ClockChange::Summer, 0));
    EXPECT_EQ(state.Settings.SummerRule, 300);
    const RuleForm& summer = f.Rule(ClockChange::Summer);
    EXPECT_EQ(summer.monthItem, 3);
    EXPECT_EQ(summer.weekendItem, 0);
    // The first Sunday of April 2024.
    EXPECT_EQ(summer.title, L(label::kSummerTime) + " 07/04/2024");
    EXPECT_EQ(summer.monthHint, L(label::kMonth) + ' ' + L(label::kSummerTime));
    EXPECT_EQ(summer.weekendHint, L(label::kWeek) + ' ' + L(label::kSummerTime));

    f = Take(SwitchSummerTime(f, state, false));
    EXPECT_FALSE(f.Rule(ClockChange::Summer).enabled);
    EXPECT_FALSE(f.Rule(ClockChange::Winter).enabled);
    EXPECT_FALSE(f.summerTime);
}

// The captions that depend on the place and the language.
TEST_F(SettingsFormTest, HintsFollowThePlaceAndTheLanguage) {
    state.Settings.LanguageIndex = 0;
    SettingsForm f = Fill();
    EXPECT_EQ(f.languageHint, kLocaleHintLines);
    EXPECT_EQ(f.version, std::string("v. ") + kVersionText);
    EXPECT_TRUE(f.summerOnTop);
    EXPECT_EQ(f.Rule(ClockChange::Summer).hint, "SummerTime Northern Hemisphere");
    EXPECT_EQ(f.Pair(PairKind::Latitude).separatorHint, L(label::kNorth));

    f = Take(TypePair(f, state, PairKind::Latitude, PairPart::Whole, -34));
    EXPECT_FALSE(f.summerOnTop);
    EXPECT_EQ(f.Rule(ClockChange::Winter).hint, "WinterTime Southern Hemisphere");
    EXPECT_EQ(f.Pair(PairKind::Latitude).separatorHint, L(label::kSouth));
    EXPECT_EQ(f.Pair(PairKind::Latitude).separator, state.Current.hemisphere.south);

    const FormEdit chosen = ChooseLanguage(f, state, 5);
    EXPECT_TRUE(chosen.languageChosen);
    f = Take(chosen);
    EXPECT_EQ(state.Current.languageIndex, 5);
    EXPECT_EQ(f.languageHint,
              "Language = Italiano\ndouble clic to translator\nWeekdays and Monthnames\n"
              "are fetched from\nthe windows local setting");
    EXPECT_EQ(f.version, kVersionText);
    EXPECT_EQ(f.Pair(PairKind::TimeZone).title, state.Labels.Label(5, label::kTimeZone));
    EXPECT_EQ(f.Rule(ClockChange::Summer).weekdayText, state.Labels.Label(5, label::kFirstWeekday));
}

// A double click on a pair restores the default place, Velmoren, after the
// question the form words; an out-of-range weekday keeps the button's
// design caption.
TEST_F(SettingsFormTest, DefaultPlaceAndItsPrompts) {
    const struct {
        PairKind kind;
        const char* prompt;
        const char* hint;
        int total;
    } cases[] = {
        {PairKind::Latitude, "50n47 (Velmoren)", "Velmoren = 50n47", 3047},
        {PairKind::Longitude, "5e28 (Velmoren)", "Velmoren = 5e28", 328},
        {PairKind::TimeZone, "+1h00 (Velmoren)", "Velmoren = +1", 60},
    };
    test::PlaceAt(state.Settings, -(33 * 60 + 52), 151 * 60 + 12, -210);
    state.Settings.SummerWeekday = 9;
    SettingsForm f = Fill();
    EXPECT_EQ(f.Rule(ClockChange::Summer).weekdayText, "Weekday");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.prompt);
        EXPECT_EQ(f.Pair(c.kind).defaultPrompt, c.prompt);
        EXPECT_EQ(f.Pair(c.kind).hint, c.hint);
        f = Take(RestoreDefault(f, state, c.kind));
        EXPECT_EQ(TotalOf(state.Settings, c.kind), c.total);
    }
    EXPECT_FALSE(RestoreDefault(f, state, PairKind::Latitude).redraw);
}

// Each alarm row edits its own alarm: the four rows the settings' alarms,
// the last the eclipse alarm in its own file; a row turned off shows no
// offset to edit, and the day is not recomputed for an alarm.
TEST_F(SettingsFormTest, AlarmRowsEditTheirOwnAlarm) {
    const SettingsForm f = Fill();
    const FormEdit sunset = EditAlarmOffset(f, state, 1, -20);
    EXPECT_EQ(sunset.settings.Alarms[1].Offset, std::chrono::minutes(-20));
    EXPECT_EQ(sunset.form.alarms.rows[1].offsetMinutes, -20);
    EXPECT_EQ(sunset.eclipseAlarm, state.EclipseAlarm);
    EXPECT_FALSE(sunset.redraw);

    const FormEdit eclipse = ChooseAlarmWay(f, state, kEclipseAlarmRow, kNoAlarmWay);
    EXPECT_FALSE(eclipse.eclipseAlarm.On);
    EXPECT_FALSE(eclipse.form.eclipseAlarm.offsetEnabled);
    EXPECT_EQ(eclipse.settings.Alarms, state.Settings.Alarms);

    const FormEdit beyond = EditAlarmOffset(f, state, kEclipseAlarmRow + 1, 5);
    EXPECT_EQ(beyond.settings.Alarms, state.Settings.Alarms);
    EXPECT_EQ(beyond.eclipseAlarm, state.EclipseAlarm);
}

}  // namespace
}  // namespace dawn
