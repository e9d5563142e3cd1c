// The settings panel of the configuration dialog: the place and time zone,
// the summer-time rules, the three check boxes and the language.
#include <QCheckBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "core/calendar.h"
#include "present/dayview.h"
#include "present/summerrules.h"
#include "present/texts.h"
#include "ui/common/links.h"
#include "ui/common/messages.h"
#include "ui/config/radiogroup.h"
#include "ui/config/settingsdialog.h"
#include "ui/config/settingsdialog_impl.h"
#include "ui/config/widgets.h"

namespace dawn {
namespace {

// A caption of the main window as a group title: without its alignment
// blanks and its colon ("Sunrise    :" gives "Sunrise").
QString AsTitle(QString caption) {
    caption = caption.trimmed();
    if (caption.endsWith(QLatin1Char(':'))) caption.chop(1);
    return caption.trimmed();
}

}  // namespace

// The controls and fields of one of the two summer-time rules.
struct SettingsDialog::RuleSide {
    QGroupBox* group;
    RadioGroup* month;
    RadioGroup* weekends;
    QPushButton* button;
    int& tag;
    std::int32_t& rule;
    std::uint8_t& weekday;
    int captionLabel;
    DayNumber start;
};

SettingsDialog::RuleSide SettingsDialog::Side(Season season) {
    SiteSettings& s = d->state.Settings;
    const DstWindow& w = d->state.Day.Clocks.window;
    if (season == Season::Summer)
        return {SummerTime,        SummerMonth,          SummerWeekends,
                btnSummerStartDay, btnSummerStartDayTag, s.SummerRule,
                s.SummerWeekday,   label::kSummerTime,   w.SummerStart};
    return {WinterTime,        WinterMonth,          WinterWeekends,
            btnWinterStartDay, btnWinterStartDayTag, s.WinterRule,
            s.WinterWeekday,   label::kWinterTime,   w.WinterStart};
}

// --- the spin pairs -----------------------------------------------------

PairControls SettingsDialog::ControlsOf(PairKind kind) {
    switch (kind) {
        case PairKind::Latitude:
            return {LatitudeDegreesSpin, LatitudeMinutesSpin, LatitudeBox,   lbLatitudeSeparator,
                    &LatitudeBoxTag,     label::kLatitude,    label::kNorth, label::kSouth};
        case PairKind::Longitude:
            return {LongitudeDegreesSpin, LongitudeMinutesSpin, LongitudeBox, lbLongitudeSeparator,
                    &LongitudeBoxTag,     label::kLongitude,    label::kEast, label::kWest};
        case PairKind::TimeZone:
            break;
    }
    return {TimeZoneHoursSpin, TimeZoneMinutesSpin, TimezoneBox,      lbTimeZoneSeparator,
            &TimezoneBoxTag,   label::kTimeZone,    label::kZoneEast, label::kZoneWest};
}

void SettingsDialog::RunPair(PairKind kind, bool changedMinutes) {
    const PairControls c = ControlsOf(kind);

    // The rule works on the values the edits show and the ranges it left
    // last time; its carries re-run it in place (spinpair.h), and the edits
    // are then given the outcome at once.
    SpinPair& pair = d->pairs[PairIndex(kind)];
    pair.whole.value = c.whole->value();
    pair.minutes.value = c.minutes->value();
    NormalizeSpinPair(kind, pair, changedMinutes ? PairPart::Minutes : PairPart::Whole);
    {
        const QSignalBlocker blockWhole(c.whole);
        const QSignalBlocker blockMinutes(c.minutes);
        for (auto [spin, part] :
             {std::pair{c.whole, pair.whole}, std::pair{c.minutes, pair.minutes}}) {
            spin->setRange(std::min(part.min, part.value), std::max(part.max, part.value));
            spin->setValue(part.value);
        }
    }
    if (kind == PairKind::TimeZone) {
        d->state.Settings.TimeZoneHours = pair.whole.value;
        if (PairTotal(pair) != d->state.Settings.TimeZoneMinutes) DropZoneByHand();
    }

    const int total = PairTotal(pair);
    *c.tag = total;
    const HemisphereLetters& letters = d->state.Current.hemisphere;
    QString sign;
    switch (kind) {
        case PairKind::Latitude:
            sign = Q(total >= 0 ? letters.north : letters.south);
            break;
        case PairKind::Longitude:
            sign = Q(total >= 0 ? letters.east : letters.west);
            break;
        case PairKind::TimeZone:
            // The hours carry the sign, or the minutes beside 0 hours.
            sign = QStringLiteral(":");
            break;
    }
    const bool zone = kind == PairKind::TimeZone;
    for (auto [spin, shown] :
         {std::pair{c.whole, zone}, std::pair{c.minutes, zone && pair.whole.value == 0}}) {
        if (auto* edit = qobject_cast<PairSpinBox*>(spin)) edit->SetSign(shown, total < 0);
    }
    c.separator->setText(sign);
    c.separator->setToolTip(d->Label(total >= 0 ? c.positiveHintLabel : c.negativeHintLabel));
    c.group->setTitle(d->Label(c.captionLabel));
    ApplyEdits();
}

void SettingsDialog::LatitudeDegreesSpinChange() {
    RunPair(PairKind::Latitude, false);
}
void SettingsDialog::LongitudeDegreesSpinChange() {
    RunPair(PairKind::Longitude, false);
}
void SettingsDialog::TimeZoneHoursSpinChange() {
    RunPair(PairKind::TimeZone, false);
}

bool SettingsDialog::ConfirmDefault(const QString& message) {
    return d->messages.confirm(this, message);
}

void SettingsDialog::PlaceDefault(PairKind kind, const QString& message, int whole, int minutes) {
    if (!ConfirmDefault(message)) return;
    const PairControls c = ControlsOf(kind);
    BeginBatch();
    c.whole->setValue(whole);
    c.minutes->setValue(minutes);
    EndBatch();
}

void SettingsDialog::LatitudeBoxDblClick() {
    PlaceDefault(PairKind::Latitude, QStringLiteral("50n47 (Velmoren)"), 50, 47);
}
void SettingsDialog::LongitudeBoxDblClick() {
    PlaceDefault(PairKind::Longitude, QStringLiteral("5e28 (Velmoren)"), 5, 28);
}
void SettingsDialog::TimezoneBoxDblClick() {
    PlaceDefault(PairKind::TimeZone, QStringLiteral("+1h00 (Velmoren)"), 1, 0);
}

// --- the day behind the dialog -------------------------------------------

void SettingsDialog::ApplyEdits() {
    if (d->batch > 0) {
        d->redrawPending = true;
        return;
    }
    AppState& st = d->state;
    st.Settings.LatitudeMinutes = LatitudeDegreesSpin->value() * 60 + LatitudeMinutesSpin->value();
    st.Settings.LongitudeMinutes =
        LongitudeDegreesSpin->value() * 60 + LongitudeMinutesSpin->value();
    st.Settings.TimeZoneMinutes = TimezoneBoxTag;
    // The labels are applied before the main window redraws, so that it draws
    // in the language now chosen.
    st.ApplyLanguage();
    st.ShowDate(st.Shown);
    emit dayChanged();

    const LocaleFormats& loc = st.Locale;
    lbAboutSunrise->setText(Q(EventClockText(st.Day.Event(Body::Sun, EventKind::Rise), loc)));
    lbAboutSunSet->setText(Q(EventClockText(st.Day.Event(Body::Sun, EventKind::Set), loc)));
    lbAboutMoonRise->setText(Q(EventClockText(st.Day.Event(Body::Moon, EventKind::Rise), loc)));
    lbAboutMoonset->setText(Q(EventClockText(st.Day.Event(Body::Moon, EventKind::Set), loc)));
    ShowSummerRule();
    ShowWinterRule();

    // The upper group is the change that comes first in the calendar year:
    // summer time in the north, winter time in the south.
    const bool south = st.Settings.LatitudeMinutes < 0;
    PlaceRuleGroups(!south);
    const QString hemisphere = south ? QStringLiteral("Southern") : QStringLiteral("Northern");
    SummerTime->setToolTip(QStringLiteral("SummerTime ") + hemisphere +
                           QStringLiteral(" Hemisphere"));
    WinterTime->setToolTip(QStringLiteral("WinterTime ") + hemisphere +
                           QStringLiteral(" Hemisphere"));
}

void SettingsDialog::PlaceRuleGroups(bool summerOnTop) {
    if (d->summerOnTop == summerOnTop) return;
    d->summerOnTop = summerOnTop;
    d->ruleColumn->removeWidget(SummerTime);
    d->ruleColumn->removeWidget(WinterTime);
    d->ruleColumn->insertWidget(0, summerOnTop ? SummerTime : WinterTime);
    d->ruleColumn->insertWidget(1, summerOnTop ? WinterTime : SummerTime);
}

bool SettingsDialog::SummerGroupOnTop() const {
    return d->ruleColumn->indexOf(SummerTime) == 0;
}

// --- the summer-time rules ------------------------------------------------

void SettingsDialog::ShowRule(Season season) {
    const RuleSide side = Side(season);
    const QString word = d->Label(side.captionLabel);
    side.group->setTitle(word + QLatin1Char(' ') + Q(d->state.Locale.DateText(side.start)));
    side.month->setToolTip(d->Label(label::kMonth) + QLatin1Char(' ') + word);
    side.weekends->setToolTip(d->Label(label::kWeek) + QLatin1Char(' ') + word);
    side.month->setTitle(d->Label(label::kMonth));
    side.weekends->setTitle(d->Label(label::kWeekend));
}

void SettingsDialog::ShowSummerRule() {
    ShowRule(Season::Summer);
}
void SettingsDialog::ShowWinterRule() {
    ShowRule(Season::Winter);
}

void SettingsDialog::MonthClick(Season season) {
    const RuleSide side = Side(season);
    const int monthItem = std::max(side.month->itemIndex(), 0);
    if (RuleMonthItem(side.rule) != monthItem) {
        side.rule = RuleWithMonthItem(side.rule, monthItem);
        DropZoneByHand();
    }
    const int n = CountWeekdayInMonth(monthItem + 1, d->state.ReferenceYear, side.weekday);
    // The weekend group offers as many occurrences as the month has in the
    // reference year. "4" and "5" both mean the last such weekday, so fitting
    // the items never changes the rule: a stored fifth shows as "4" in a
    // month of four.
    {
        const QSignalBlocker block(side.weekends);
        if (n < side.weekends->count() && side.weekends->count() > 4) {
            side.weekends->removeItem(4);
        } else if (n > side.weekends->count() && side.weekends->count() == 4) {
            side.weekends->insertItem(4, QStringLiteral("5"));
        }
        side.weekends->setItemIndex(
            std::clamp(RuleOccurrence(side.rule), 0, side.weekends->count() - 1));
    }
    ApplyEdits();
    ShowRule(season);
}

void SettingsDialog::WeekendsClick(Season season) {
    const RuleSide side = Side(season);
    side.rule = RuleWithOccurrence(side.rule, std::max(side.weekends->itemIndex(), 0));
    DropZoneByHand();
    ApplyEdits();
    ShowRule(season);
}

void SettingsDialog::SummerMonthClick() {
    MonthClick(Season::Summer);
}
void SettingsDialog::WinterMonthClick() {
    MonthClick(Season::Winter);
}
void SettingsDialog::SummerWeekendsClick() {
    WeekendsClick(Season::Summer);
}
void SettingsDialog::WinterWeekendsClick() {
    WeekendsClick(Season::Winter);
}

void SettingsDialog::WeekdayMouseDown(Season season, Qt::MouseButton button) {
    const RuleSide side = Side(season);
    if (button == Qt::LeftButton) side.tag = NextWeekday(side.tag);
    if (button == Qt::RightButton) side.tag = PreviousWeekday(side.tag);
    side.weekday = static_cast<std::uint8_t>(std::clamp(side.tag, 0, 255));
    DropZoneByHand();
    BeginBatch();
    WeekdayEnter(season);
    MonthClick(season);
    EndBatch();
}

void SettingsDialog::btnSummerStartDayMouseDown(Qt::MouseButton button) {
    WeekdayMouseDown(Season::Summer, button);
}
void SettingsDialog::btnWinterStartDayMouseDown(Qt::MouseButton button) {
    WeekdayMouseDown(Season::Winter, button);
}

void SettingsDialog::WeekdayEnter(Season season) {
    const RuleSide side = Side(season);
    if (side.tag >= 1 && side.tag <= 7)
        side.button->setText(d->Label(label::kFirstWeekday + side.tag - 1));
}

void SettingsDialog::btnSummerStartDayEnter() {
    WeekdayEnter(Season::Summer);
}
void SettingsDialog::btnWinterStartDayEnter() {
    WeekdayEnter(Season::Winter);
}

// --- the check boxes ------------------------------------------------------

void SettingsDialog::SaisonCheckBoxClick() {
    const bool on = SaisonCheckBox->isChecked();
    if (on != d->state.Settings.SummerTimeEnabled) DropZoneByHand();
    d->state.Settings.SummerTimeEnabled = on;
    for (RadioGroup* g : {SummerMonth, SummerWeekends, WinterMonth, WinterWeekends})
        g->setEnabled(on);
    GroupSaison->setTitle(d->Label(label::kSeason));
    ApplyEdits();
}

void SettingsDialog::CheckNewYearClick() {
    d->state.Settings.FirstWeekNewYear = CheckNewYear->isChecked();
    CheckNewYear->setText(d->Label(label::kNewYear));
    CheckNewYear->setToolTip(d->Label(label::kNewYear));
    GroupFirstWeek->setTitle(d->Label(label::kFirstWeek));
    // The week numbers of the main window follow at once.
    ApplyEdits();
}

void SettingsDialog::ClockCheckBoxClick() {
    // The clock panel of the main window follows at its next tick.
    d->state.Settings.ShowClock = ClockCheckBox->isChecked();
    ClockCheckBox->setText(d->Label(label::kClock));
    GroupTime->setTitle(d->Label(label::kTime));
}

// --- the language ---------------------------------------------------------

void SettingsDialog::LanguageBoxClick() {
    const int index = std::clamp(LanguageBox->itemIndex(), 0, kLanguageCount - 1);
    d->state.Settings.LanguageIndex = static_cast<std::uint8_t>(index);
    // The main window's sunset sign names the language from now on.
    d->state.LanguageChosen = true;
    const QString hint = Q(LanguageName(index)) + QStringLiteral("\ndouble clic to translator");
    LanguageBox->setToolTip(QStringLiteral("Language = ") + hint + QLatin1Char('\n') +
                            kLocaleHintLines);
    d->state.ApplyLanguage();
    PutLabelsOnControls();
    // The editors caption their own controls and redraw the main window in
    // the new language.
    BeginBatch();
    LatitudeDegreesSpinChange();
    LongitudeDegreesSpinChange();
    TimeZoneHoursSpinChange();
    SummerMonthClick();
    WinterMonthClick();
    btnSummerStartDayEnter();
    btnWinterStartDayEnter();
    EndBatch();
}

void SettingsDialog::PutLabelsOnControls() {
    setWindowTitle(Q(WithoutAccessKey(d->state.Label(label::kMenuConfiguration))));
    LanguageBox->setTitle(AsTitle(d->Label(label::kLanguage)));
    PlaceBox->setTitle(d->Label(label::kPlace));
    // A disabled search says why in its place.
    if (PlaceSearchEdit->isEnabled())
        PlaceSearchEdit->setPlaceholderText(d->Label(label::kPlaceSearchHint));
    gbEphemeride->setTitle(d->Label(label::kEphemeris));
    SaisonCheckBox->setText(d->Label(label::kSummerTimeSwitch));
    lbMakers->setText(d->Label(label::kMakers));
    lbHomePage->setText(d->Label(label::kHomePageLine) + QLatin1Char(' ') +
                        QLatin1String(kHomePageAddress));
    FileGroupBox->setTitle(AsTitle(d->Label(label::kMedia)));
    TimezoneBox->setTitle(d->Label(label::kTimeZone));
    CheckNewYear->setText(d->Label(label::kNewYear));
    CheckNewYear->setToolTip(d->Label(label::kNewYear));
    ClockCheckBox->setText(d->Label(label::kClock));
    GroupSaison->setTitle(d->Label(label::kSeason));
    GroupTime->setTitle(d->Label(label::kTime));
    GroupFirstWeek->setTitle(d->Label(label::kFirstWeek));
    GroupFirstWeek->setToolTip(d->Label(label::kFirstWeek));
    MediaFiles->setText(d->Label(PanelFiles->isHidden() ? label::kMedia : label::kSettings));
    lbVersion->setText(QLatin1String(kVersionText));
    Activate->setTitle(d->Label(label::kActivate));
    ImageSunRiseStretch->setText(d->Label(label::kStretch));
    ImageSunSetStretch->setText(d->Label(label::kStretch));
    SunRiseSoundButton->setToolTip(d->Label(label::kPlaySound));
    SunSetSoundButton->setToolTip(d->Label(label::kPlaySound));
    ShowSunRiseImage->setToolTip(d->Label(label::kImage));
    ShowSunSetImage->setToolTip(d->Label(label::kImage));
    ImageCheckFileName->setText(d->Label(label::kImage));
    SoundCheckFileName->setText(d->Label(label::kAlarm));
    SunRiseFileBox->setTitle(AsTitle(d->Label(label::kSunrise)));
    SunSetFileBox->setTitle(AsTitle(d->Label(label::kSunset)));
    ShowAlarms();
}

}  // namespace dawn
