#include "present/settingsform.h"

#include <algorithm>

#include "core/calendar.h"
#include "core/site.h"
#include "dawn_version.h"
#include "present/dayview.h"
#include "present/placechoice.h"
#include "present/summerrules.h"
#include "present/texts.h"

namespace dawn {
namespace {

// What does not follow the language: each pair's labels, its default place
// and the hints naming that place.
struct PairDesign {
    int captionLabel;
    int positiveHintLabel;
    int negativeHintLabel;
    int defaultWhole;
    int defaultMinutes;
    const char* hint;
    const char* prompt;
};

// The default place is Velmoren.
constexpr std::array<PairDesign, kPairCount> kPairDesigns = {{
    {label::kLatitude, label::kNorth, label::kSouth, 50, 47, "Velmoren = 50n47",
     "50n47 (Velmoren)"},
    {label::kLongitude, label::kEast, label::kWest, 5, 28, "Velmoren = 5e28", "5e28 (Velmoren)"},
    {label::kTimeZone, label::kZoneEast, label::kZoneWest, 1, 0, "Velmoren = +1",
     "+1h00 (Velmoren)"},
}};

const PairDesign& DesignOf(PairKind kind) {
    return kPairDesigns[static_cast<std::size_t>(kind)];
}

constexpr std::array<PairKind, kPairCount> kPairKinds = {PairKind::Latitude, PairKind::Longitude,
                                                         PairKind::TimeZone};

std::int32_t SiteSettings::*StoredTotal(PairKind kind) {
    switch (kind) {
        case PairKind::Latitude:
            return &SiteSettings::LatitudeMinutes;
        case PairKind::Longitude:
            return &SiteSettings::LongitudeMinutes;
        case PairKind::TimeZone:
            break;
    }
    return &SiteSettings::TimeZoneMinutes;
}

// A chosen zone gives way to the manual rules at an edit by hand.
void DropZoneByHand(SiteSettings& s) {
    if (!s.ZoneName.empty()) DropZone(s);
}

// The pair's outcome into the settings. The zone's whole hours have a line
// of their own; a new offset typed by hand drops a chosen zone.
void StorePair(SiteSettings& s, PairKind kind, const SpinPair& pair) {
    const int total = PairTotal(pair);
    if (kind == PairKind::TimeZone) {
        s.TimeZoneHours = pair.whole.value;
        if (total != s.TimeZoneMinutes) DropZoneByHand(s);
    }
    s.*StoredTotal(kind) = total;
}

// The pair showing the settings' total, with the ranges its rule leaves.
SpinPair PairOfSettings(const SiteSettings& s, PairKind kind) {
    SpinPair pair = PairShowing(kind, s.*StoredTotal(kind));
    NormalizeSpinPair(kind, pair, PairPart::Whole);
    return pair;
}

std::int32_t& RuleOf(SiteSettings& s, ClockChange change) {
    return change == ClockChange::Summer ? s.SummerRule : s.WinterRule;
}
std::uint8_t& WeekdayOf(SiteSettings& s, ClockChange change) {
    return change == ClockChange::Summer ? s.SummerWeekday : s.WinterWeekday;
}

// The spin edit's range is the rule's, widened to hold a value it left one
// past the end (0°-01' shows -1 in a range that starts at 0 one edit later).
SpinView ViewOf(const SpinPart& part, bool signShown) {
    return {part.value, std::min(part.min, part.value), std::max(part.max, part.value), signShown};
}

// A place shows its hemisphere letter between the parts; a zone shows the
// sign of its hours, or of its minutes beside 0 hours.
void ShowPairParts(PairForm& p, PairKind kind) {
    const bool zone = kind == PairKind::TimeZone;
    p.whole = ViewOf(p.pair.whole, zone);
    p.minutes = ViewOf(p.pair.minutes, zone && p.pair.whole.value == 0);
    p.negative = PairTotal(p.pair) < 0;
}

void LabelPair(PairForm& p, PairKind kind, const CurrentLabels& labels) {
    const PairDesign& design = DesignOf(kind);
    const int total = PairTotal(p.pair);
    ShowPairParts(p, kind);
    p.title = labels[design.captionLabel];
    p.hint = design.hint;
    p.defaultPrompt = design.prompt;
    p.separatorHint = labels[total >= 0 ? design.positiveHintLabel : design.negativeHintLabel];
    const HemisphereLetters& letters = labels.hemisphere;
    switch (kind) {
        case PairKind::Latitude:
            p.separator = total >= 0 ? letters.north : letters.south;
            break;
        case PairKind::Longitude:
            p.separator = total >= 0 ? letters.east : letters.west;
            break;
        case PairKind::TimeZone:
            p.separator = ":";
            break;
    }
}

// The weekend items offer as many occurrences as the month has in the
// reference year. "4" and "5" both mean the last such weekday, so the
// fitting never changes the rule: a stored fifth shows as "4" in a month of
// four.
void FitRules(SettingsForm& f, const SiteSettings& settings, int referenceYear) {
    SiteSettings s = settings;
    for (ClockChange change : {ClockChange::Summer, ClockChange::Winter}) {
        const int n = CountWeekdayInMonth(RuleMonthItem(RuleOf(s, change)) + 1, referenceYear,
                                          WeekdayOf(s, change));
        f.rules[static_cast<std::size_t>(change)].weekendCount = n >= 5 ? 5 : 4;
    }
}

void LabelRule(RuleForm& r, ClockChange change, const SiteSettings& settings,
               const AppState& state) {
    SiteSettings s = settings;
    const std::int32_t rule = RuleOf(s, change);
    const int weekday = WeekdayOf(s, change);
    r.monthItem = RuleMonthItem(rule);
    r.weekendItem = std::clamp(RuleOccurrence(rule), 0, r.weekendCount - 1);
    r.weekday = weekday;
    r.enabled = s.SummerTimeEnabled;

    const CurrentLabels& labels = state.Current;
    const bool summer = change == ClockChange::Summer;
    const std::string& word = labels[summer ? label::kSummerTime : label::kWinterTime];
    const DstWindow& window = state.Day.Clocks.window;
    r.title = word + ' ' + state.Locale.DateText(summer ? window.SummerStart : window.WinterStart);
    const char* hemisphere = s.LatitudeMinutes < 0 ? "Southern" : "Northern";
    r.hint = std::string(summer ? "SummerTime " : "WinterTime ") + hemisphere + " Hemisphere";
    r.monthTitle = labels[label::kMonth];
    r.monthHint = labels[label::kMonth] + ' ' + word;
    r.weekendTitle = labels[label::kWeekend];
    r.weekendHint = labels[label::kWeek] + ' ' + word;
    r.weekdayText =
        weekday >= 1 && weekday <= 7 ? labels[label::kFirstWeekday + weekday - 1] : "Weekday";
}

// Every text and every value that follows from the settings, for the
// state's labels, locale and shown day; the pairs keep their ranges.
SettingsForm Labelled(SettingsForm f, const SiteSettings& s, const AppState& state) {
    const CurrentLabels& labels = state.Current;
    for (PairKind kind : kPairKinds) LabelPair(f.Pair(kind), kind, labels);
    for (ClockChange change : {ClockChange::Summer, ClockChange::Winter})
        LabelRule(f.rules[static_cast<std::size_t>(change)], change, s, state);
    f.summerOnTop = s.LatitudeMinutes >= 0;

    f.language = std::clamp(static_cast<int>(s.LanguageIndex), 0, kLanguageCount - 1);
    f.languageHint = f.languageNamed ? LanguageHint(f.language) : std::string(kLocaleHintLines);
    f.version = f.languageNamed ? std::string(kVersionText) : std::string("v. ") + kVersionText;

    f.summerTime = s.SummerTimeEnabled;
    f.clock = s.ShowClock;
    f.firstWeekNewYear = s.FirstWeekNewYear;
    f.alarmSound = s.AlarmSoundEnabled;
    f.alarmImage = s.AlarmImageEnabled;
    f.sunRiseStretch = s.SunRiseImageStretch;
    f.sunSetStretch = s.SunSetImageStretch;
    f.heightMetres = s.ObserverHeightMetres;

    f.alarms = AlarmPanelOf(s.Alarms, labels);
    f.eclipseAlarm = EclipseAlarmRowOf(state.EclipseAlarm, labels);

    f.windowTitle = WithoutAccessKey(labels[label::kMenuConfiguration]);
    f.languageTitle = AsTitle(labels[label::kLanguage]);
    f.placeTitle = labels[label::kPlace];
    f.placeSearchHint = labels[label::kPlaceSearchHint];
    f.ephemerisTitle = labels[label::kEphemeris];
    f.summerSwitchText = labels[label::kSummerTimeSwitch];
    f.makers = labels[label::kMakers];
    f.homePageLine = labels[label::kHomePageLine];
    f.mediaTitle = AsTitle(labels[label::kMedia]);
    f.mediaButton = labels[label::kMedia];
    f.settingsButton = labels[label::kSettings];
    f.newYearText = labels[label::kNewYear];
    f.clockText = labels[label::kClock];
    f.seasonTitle = labels[label::kSeason];
    f.timeTitle = labels[label::kTime];
    f.firstWeekTitle = labels[label::kFirstWeek];
    f.activateTitle = labels[label::kActivate];
    f.stretchText = labels[label::kStretch];
    f.playSoundHint = labels[label::kPlaySound];
    f.imageText = labels[label::kImage];
    f.alarmText = labels[label::kAlarm];
    f.sunriseTitle = AsTitle(labels[label::kSunrise]);
    f.sunsetTitle = AsTitle(labels[label::kSunset]);

    f.savedPlacesTitle = labels[label::kSavedPlaces];
    const int buttons[] = {label::kPlacesAdd, label::kPlacesRename, label::kPlacesRemove,
                           label::kPlacesUp,  label::kPlacesDown,   label::kPlacesShow};
    for (std::size_t i = 0; i < f.placeButtons.size(); ++i)
        f.placeButtons[i] = WithoutAccessKey(labels[buttons[i]]);

    const DayEphemeris& day = state.Day;
    const LocaleFormats& loc = state.Locale;
    f.clocks = {EventClockText(day.Event(Body::Sun, EventKind::Rise), loc),
                EventClockText(day.Event(Body::Sun, EventKind::Set), loc),
                EventClockText(day.Event(Body::Moon, EventKind::Rise), loc),
                EventClockText(day.Event(Body::Moon, EventKind::Set), loc)};
    return f;
}

FormEdit Unchanged(const SettingsForm& form, const AppState& state) {
    return {form, state.Settings, state.EclipseAlarm, false, false};
}

FormEdit Edited(SettingsForm form, SiteSettings settings, const AppState& state) {
    SettingsForm labelled = Labelled(std::move(form), settings, state);
    return {std::move(labelled), std::move(settings), state.EclipseAlarm, true, false};
}

// One alarm row changed by `change`: the settings' alarm of that row, or the
// eclipse alarm.
template <typename Change>
FormEdit EditedAlarm(const SettingsForm& form, const AppState& state, std::size_t row,
                     Change change) {
    SiteSettings s = state.Settings;
    AlarmChoice eclipse = state.EclipseAlarm;
    if (row == kEclipseAlarmRow) {
        eclipse = change(eclipse);
    } else if (row < s.Alarms.size()) {
        s.Alarms[row] = change(s.Alarms[row]);
    } else {
        return Unchanged(form, state);
    }
    FormEdit e = Edited(form, std::move(s), state);
    e.eclipseAlarm = eclipse;
    e.form.eclipseAlarm = EclipseAlarmRowOf(eclipse, state.Current);
    e.redraw = false;
    return e;
}

// An edit of a rule: the weekend items fitted to its month and weekday.
FormEdit EditedRule(SettingsForm form, SiteSettings settings, const AppState& state) {
    FitRules(form, settings, state.ReferenceYear);
    return Edited(std::move(form), std::move(settings), state);
}

// One part of a pair set to a value its edit can show, and the rule run.
bool SetPairPart(SettingsForm& f, SiteSettings& s, PairKind kind, PairPart part, int value) {
    PairForm& p = f.Pair(kind);
    const SpinView& shown = part == PairPart::Whole ? p.whole : p.minutes;
    const int v = std::clamp(value, shown.min, shown.max);
    if (v == shown.value) return false;
    (part == PairPart::Whole ? p.pair.whole : p.pair.minutes).value = v;
    NormalizeSpinPair(kind, p.pair, part);
    StorePair(s, kind, p.pair);
    // The next edit of the same pair starts from the values just shown.
    ShowPairParts(p, kind);
    return true;
}

}  // namespace

std::string AsTitle(std::string_view caption) {
    std::string_view t = Trimmed(caption);
    if (!t.empty() && t.back() == ':') t.remove_suffix(1);
    return std::string(Trimmed(t));
}

std::string LanguageHint(int languageIndex) {
    return "Language = " + std::string(LanguageName(languageIndex)) +
           "\ndouble clic to translator\n" + std::string(kLocaleHintLines);
}

FormEdit FillForm(const AppState& state) {
    SettingsForm f;
    SiteSettings s = state.Settings;
    FormEdit e;
    // A stored language other than the local one is applied as if chosen in
    // the box.
    const int language = std::clamp(static_cast<int>(s.LanguageIndex), 0, kLanguageCount - 1);
    if (language != 0) {
        s.LanguageIndex = static_cast<std::uint8_t>(language);
        f.languageNamed = true;
        e.languageChosen = true;
    }
    e.form = WithSettingsShown(f, state, s);
    e.settings = std::move(s);
    e.eclipseAlarm = state.EclipseAlarm;
    return e;
}

SettingsForm WithSettingsShown(SettingsForm form, const AppState& state, SiteSettings& settings) {
    // The pairs show the stored values; a value beyond a pair's limits (a
    // hand-edited file) is brought within. Rules are brought into range as
    // the file's are when read.
    for (PairKind kind : kPairKinds) {
        form.Pair(kind).pair = PairOfSettings(settings, kind);
        settings.*StoredTotal(kind) = PairTotal(form.Pair(kind).pair);
    }
    settings.TimeZoneHours = form.Pair(PairKind::TimeZone).pair.whole.value;
    settings.SummerRule = ClampedRule(settings.SummerRule);
    settings.WinterRule = ClampedRule(settings.WinterRule);
    FitRules(form, settings, state.ReferenceYear);
    return Labelled(std::move(form), settings, state);
}

SettingsForm Relabelled(SettingsForm form, const AppState& state) {
    return Labelled(std::move(form), state.Settings, state);
}

SettingsForm WithRulesFitted(SettingsForm form, const AppState& state) {
    FitRules(form, state.Settings, state.ReferenceYear);
    return Labelled(std::move(form), state.Settings, state);
}

FormEdit EditPair(const SettingsForm& form, const AppState& state, PairKind kind, PairPart part,
                  int value) {
    SettingsForm f = form;
    SiteSettings s = state.Settings;
    if (!SetPairPart(f, s, kind, part, value)) return Unchanged(form, state);
    return Edited(std::move(f), std::move(s), state);
}

FormEdit TypePair(const SettingsForm& form, const AppState& state, PairKind kind, PairPart part,
                  long long typed) {
    SettingsForm f = form;
    SiteSettings s = state.Settings;
    PairForm& p = f.Pair(kind);
    p.pair = PairShowing(kind, TypedPairTotal(kind, form.Pair(kind).pair, part, typed));
    NormalizeSpinPair(kind, p.pair, PairPart::Whole);
    StorePair(s, kind, p.pair);
    return Edited(std::move(f), std::move(s), state);
}

FormEdit RestoreDefault(const SettingsForm& form, const AppState& state, PairKind kind) {
    // The whole part first, then the minutes, each as if set in its edit.
    SettingsForm f = form;
    SiteSettings s = state.Settings;
    const PairDesign& design = DesignOf(kind);
    const bool whole = SetPairPart(f, s, kind, PairPart::Whole, design.defaultWhole);
    const bool minutes = SetPairPart(f, s, kind, PairPart::Minutes, design.defaultMinutes);
    if (!whole && !minutes) return Unchanged(form, state);
    return Edited(std::move(f), std::move(s), state);
}

FormEdit ChooseMonth(const SettingsForm& form, const AppState& state, ClockChange change,
                     int monthItem) {
    SiteSettings s = state.Settings;
    std::int32_t& rule = RuleOf(s, change);
    const int item = std::max(monthItem, 0);
    if (RuleMonthItem(rule) != item) {
        rule = RuleWithMonthItem(rule, item);
        DropZoneByHand(s);
    }
    return EditedRule(form, std::move(s), state);
}

FormEdit ChooseWeekend(const SettingsForm& form, const AppState& state, ClockChange change,
                       int weekendItem) {
    SiteSettings s = state.Settings;
    std::int32_t& rule = RuleOf(s, change);
    rule = RuleWithOccurrence(rule, std::max(weekendItem, 0));
    DropZoneByHand(s);
    return Edited(form, std::move(s), state);
}

FormEdit StepWeekday(const SettingsForm& form, const AppState& state, ClockChange change,
                     WeekdayStep step) {
    SiteSettings s = state.Settings;
    std::uint8_t& weekday = WeekdayOf(s, change);
    weekday = static_cast<std::uint8_t>(step == WeekdayStep::Next ? NextWeekday(weekday)
                                                                  : PreviousWeekday(weekday));
    DropZoneByHand(s);
    return EditedRule(form, std::move(s), state);
}

FormEdit SwitchSummerTime(const SettingsForm& form, const AppState& state, bool on) {
    SiteSettings s = state.Settings;
    if (on != s.SummerTimeEnabled) DropZoneByHand(s);
    s.SummerTimeEnabled = on;
    return Edited(form, std::move(s), state);
}

FormEdit Switch(const SettingsForm& form, const AppState& state, FormSwitch which, bool on) {
    SiteSettings s = state.Settings;
    bool redraw = false;
    switch (which) {
        case FormSwitch::Clock:
            s.ShowClock = on;
            break;
        case FormSwitch::FirstWeekNewYear:
            s.FirstWeekNewYear = on;
            redraw = true;
            break;
        case FormSwitch::AlarmSound:
            s.AlarmSoundEnabled = on;
            break;
        case FormSwitch::AlarmImage:
            s.AlarmImageEnabled = on;
            break;
        case FormSwitch::SunRiseStretch:
            s.SunRiseImageStretch = on;
            break;
        case FormSwitch::SunSetStretch:
            s.SunSetImageStretch = on;
            break;
    }
    FormEdit e = Edited(form, std::move(s), state);
    e.redraw = redraw;
    return e;
}

FormEdit EditHeight(const SettingsForm& form, const AppState& state, double metres) {
    SiteSettings s = state.Settings;
    s.ObserverHeightMetres = std::clamp(metres, 0.0, kMaxObserverHeightMetres);
    return Edited(form, std::move(s), state);
}

FormEdit EditAlarmOffset(const SettingsForm& form, const AppState& state, std::size_t row,
                         int minutes) {
    return EditedAlarm(form, state, row,
                       [minutes](const AlarmChoice& a) { return WithAlarmOffset(a, minutes); });
}

FormEdit ChooseAlarmWay(const SettingsForm& form, const AppState& state, std::size_t row, int way) {
    return EditedAlarm(form, state, row,
                       [way](const AlarmChoice& a) { return WithAlarmWay(a, way); });
}

FormEdit ChooseLanguage(const SettingsForm& form, const AppState& state, int languageIndex) {
    SettingsForm f = form;
    f.languageNamed = true;
    SiteSettings s = state.Settings;
    s.LanguageIndex = static_cast<std::uint8_t>(std::clamp(languageIndex, 0, kLanguageCount - 1));
    FormEdit e = EditedRule(std::move(f), std::move(s), state);
    e.languageChosen = true;
    return e;
}

}  // namespace dawn
