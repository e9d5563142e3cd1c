// What the configuration dialog's settings panel shows, as one value: the
// three spin pairs with the ranges their rule left, the hemisphere letters,
// the summer- and winter-time rules fitted to the reference year, the
// switches, the language, the alarm rows, the observer's height, the saved
// places' captions, and every caption and hint of those controls in the
// applied language.
//
// The dialog copies this value into its controls and does nothing else. Each
// user edit is one function below: it takes the form and the program's
// state as they are, applies every rule of that control (the pairs' carries
// and wraps, the fitting of the weekend items, the drop of a chosen zone on
// an edit by hand) and gives back the new form and the new settings. The
// dialog stores the settings, recomputes the shown day, and copies the form
// relabelled for that day (Relabelled) back into the controls, so that a
// value walks one way: control -> form -> settings -> day -> controls.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/settings.h"
#include "present/alarmpanel.h"
#include "present/appstate.h"
#include "present/spinpair.h"

namespace dawn {

inline constexpr int kPairCount = 3;  // latitude, longitude, time zone

// A spin edit as the dialog shows it: its value and its range (the rule's
// range, widened to hold a momentary value one past its end) and whether it
// writes its own sign.
struct SpinView {
    int value = 0;
    int min = 0;
    int max = 0;
    bool signShown = true;
    friend bool operator==(const SpinView&, const SpinView&) = default;
};

struct PairForm {
    // The values with the ranges the rule left; what the next edit starts from.
    SpinPair pair;
    SpinView whole;
    SpinView minutes;
    // The sign of the pair as a whole: the typed numbers without a sign stay
    // on this side.
    bool negative = false;
    std::string title;          // "Latitude"
    std::string hint;           // the group's hint: its default place
    std::string separator;      // the hemisphere letter, or ":" for the zone
    std::string separatorHint;  // "North", "South", ...
    std::string defaultPrompt;  // the question before the default place is restored
    friend bool operator==(const PairForm&, const PairForm&) = default;
};

// The two rules: the change to summer time and the change back.
enum class ClockChange : std::uint8_t { Summer, Winter };

// One of the two rule groups.
struct RuleForm {
    int monthItem = 0;     // 0 January ... 11 December
    int weekendCount = 5;  // 4 or 5: as many occurrences as the month has, when last fitted
    int weekendItem = 0;
    int weekday = 1;      // 1 Sunday ... 7 Saturday; anything else keeps the button's own caption
    bool enabled = true;  // the month and weekend items follow the summer-time switch
    std::string title;    // "Summertime 31/03/2024"
    std::string hint;     // "SummerTime Northern Hemisphere"
    std::string monthTitle;
    std::string monthHint;
    std::string weekendTitle;
    std::string weekendHint;
    std::string weekdayText;
    friend bool operator==(const RuleForm&, const RuleForm&) = default;
};

struct SettingsForm {
    std::array<PairForm, kPairCount> pairs;
    std::array<RuleForm, 2> rules;  // by ClockChange
    // The rule that changes first in the calendar year stands on top:
    // summer time in the north, winter time in the south.
    bool summerOnTop = true;

    int language = 0;
    // Once a language was chosen in the box (or a stored one other than the
    // local language applied), its hint names it and the version loses its
    // "v. ".
    bool languageNamed = false;
    std::string languageHint;
    std::string version;

    bool summerTime = true;
    bool clock = false;
    bool firstWeekNewYear = false;
    bool alarmSound = true;
    bool alarmImage = true;
    bool sunRiseStretch = false;
    bool sunSetStretch = false;
    double heightMetres = 0;

    // The alarms block: its captions and one row per alarm, and the eclipse
    // alarm's row below them.
    AlarmPanelView alarms;
    AlarmRowView eclipseAlarm;

    // The captions of the dialog in the applied language.
    std::string windowTitle;
    std::string languageTitle;
    std::string placeTitle;
    std::string placeSearchHint;
    std::string ephemerisTitle;
    std::string summerSwitchText;
    std::string makers;
    std::string homePageLine;
    std::string mediaTitle;
    std::string mediaButton;     // the panel switch while the settings show
    std::string settingsButton;  // ... and while the media show
    std::string newYearText;
    std::string clockText;
    std::string seasonTitle;
    std::string timeTitle;
    std::string firstWeekTitle;
    std::string activateTitle;
    std::string stretchText;
    std::string playSoundHint;
    std::string imageText;
    std::string alarmText;
    std::string sunriseTitle;
    std::string sunsetTitle;
    // The saved places group: its title and its buttons' captions (add the
    // shown place, rename, remove, move up, move down, show this place).
    std::string savedPlacesTitle;
    std::array<std::string, 6> placeButtons;
    // The ephemeris strip: sunrise, sunset, moonrise, moonset of the shown day.
    std::array<std::string, 4> clocks;

    const PairForm& Pair(PairKind kind) const { return pairs[static_cast<std::size_t>(kind)]; }
    PairForm& Pair(PairKind kind) { return pairs[static_cast<std::size_t>(kind)]; }
    const RuleForm& Rule(ClockChange c) const { return rules[static_cast<std::size_t>(c)]; }
};

// An edit's outcome. `redraw` asks for the shown day to be recomputed and
// the main window to draw it again (the clock switch waits for the clock's
// next tick instead); `languageChosen` that the language now counts as
// chosen by the user (AppState::LanguageChosen: the main window's sunset
// sign names it from then on).
struct FormEdit {
    SettingsForm form;
    SiteSettings settings;
    // The eclipse alarm, kept in a file of its own beside the settings.
    AlarmChoice eclipseAlarm;
    bool redraw = true;
    bool languageChosen = false;
};

// The form of the state's settings as the dialog is filled, and the
// settings as the form brings them in: each pair shows its stored total
// brought within its limits (a hand-edited file), the rules are brought into
// range, and a stored language other than the local one counts as chosen.
FormEdit FillForm(const AppState& state);

// The settings' place, zone and rules shown in `form` (after a place was
// chosen by name), bringing `settings` within the form's limits as
// FillForm does; the language's state stays.
SettingsForm WithSettingsShown(SettingsForm form, const AppState& state, SiteSettings& settings);

// The texts of `form` for the state's settings, labels and shown day (after
// the day was recomputed), with the pairs as they stand: what the dialog
// shows after each edit.
SettingsForm Relabelled(SettingsForm form, const AppState& state);

// The weekend items fitted anew to the state's reference year, and the
// texts, as when the dialog comes back from another window of the program.
// They are fitted when a rule's month or weekday is chosen too; other edits
// leave them.
SettingsForm WithRulesFitted(SettingsForm form, const AppState& state);

// A value of one part of a pair given by its arrows, keys or wheel: clamped
// to the range the edit shows, and nothing happens when it equals the
// shown value.
FormEdit EditPair(const SettingsForm& form, const AppState& state, PairKind kind, PairPart part,
                  int value);
// A number typed into one part and committed (TypedPairTotal).
FormEdit TypePair(const SettingsForm& form, const AppState& state, PairKind kind, PairPart part,
                  long long typed);
// A double click on a pair's group, once confirmed: the default place.
FormEdit RestoreDefault(const SettingsForm& form, const AppState& state, PairKind kind);

FormEdit ChooseMonth(const SettingsForm& form, const AppState& state, ClockChange change,
                     int monthItem);
FormEdit ChooseWeekend(const SettingsForm& form, const AppState& state, ClockChange change,
                       int weekendItem);
enum class WeekdayStep : std::uint8_t { Next, Previous };
FormEdit StepWeekday(const SettingsForm& form, const AppState& state, ClockChange change,
                     WeekdayStep step);

FormEdit SwitchSummerTime(const SettingsForm& form, const AppState& state, bool on);
// The check boxes that are settings of their own: the clock panel, the
// first week holding 1 January, the alarms' sound and picture, and the
// stretching of each picture. Only the first week redraws the day at once
// (its week numbers); the clock follows at its next tick, and the alarms
// when they ring.
enum class FormSwitch : std::uint8_t {
    Clock,
    FirstWeekNewYear,
    AlarmSound,
    AlarmImage,
    SunRiseStretch,
    SunSetStretch
};
FormEdit Switch(const SettingsForm& form, const AppState& state, FormSwitch which, bool on);

// The observer's height in metres, brought within 0..kMaxObserverHeightMetres.
FormEdit EditHeight(const SettingsForm& form, const AppState& state, double metres);
// An alarm row's offset in minutes, or its way (the items of AlarmPanelView's
// ways): rows 0 to 3 are the settings' alarms by AlarmEvent, row 4 the
// eclipse alarm. The alarms ring as they are set; the day stays drawn.
inline constexpr std::size_t kEclipseAlarmRow = 4;
FormEdit EditAlarmOffset(const SettingsForm& form, const AppState& state, std::size_t row,
                         int minutes);
FormEdit ChooseAlarmWay(const SettingsForm& form, const AppState& state, std::size_t row, int way);

// The language box; the main window's sunset sign names the language from
// then on (AppState::LanguageChosen).
FormEdit ChooseLanguage(const SettingsForm& form, const AppState& state, int languageIndex);

// A caption of the main window as a group title: without its alignment
// blanks and its colon ("Sunrise    :" gives "Sunrise").
std::string AsTitle(std::string_view caption);

// The hint of the language box for a language chosen in it.
std::string LanguageHint(int languageIndex);
// The hint of the language box before any language is chosen.
inline constexpr std::string_view kLocaleHintLines =
    "Weekdays and Monthnames\nare fetched from\nthe windows local setting";

}  // namespace dawn
