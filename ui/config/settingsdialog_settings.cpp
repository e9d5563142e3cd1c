// The settings panel of the configuration dialog: the place and time zone,
// the summer-time rules, the three check boxes and the language. Each
// control forwards its edit to the settings form (present/settingsform.h);
// the form's outcome is stored, the day recomputed, and the whole form copied
// back into the controls with their signals blocked.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/common/links.h"
#include "ui/common/messages.h"
#include "ui/config/radiogroup.h"
#include "ui/config/settingsdialog.h"
#include "ui/config/settingsdialog_impl.h"
#include "ui/config/widgets.h"

namespace dawn {

const SettingsForm& SettingsDialog::Form() const {
    return d->form;
}

PairControls SettingsDialog::ControlsOf(PairKind kind) {
    switch (kind) {
        case PairKind::Latitude:
            return {LatitudeDegreesSpin, LatitudeMinutesSpin, LatitudeBox, lbLatitudeSeparator};
        case PairKind::Longitude:
            return {LongitudeDegreesSpin, LongitudeMinutesSpin, LongitudeBox, lbLongitudeSeparator};
        case PairKind::TimeZone:
            break;
    }
    return {TimeZoneHoursSpin, TimeZoneMinutesSpin, TimezoneBox, lbTimeZoneSeparator};
}

SettingsDialog::RuleControls SettingsDialog::RuleControlsOf(ClockChange change) {
    if (change == ClockChange::Summer)
        return {SummerTime, SummerMonth, SummerWeekends, btnSummerStartDay};
    return {WinterTime, WinterMonth, WinterWeekends, btnWinterStartDay};
}

// --- from the controls to the form ----------------------------------------

void SettingsDialog::Apply(const FormEdit& edit) {
    AppState& st = d->state;
    st.Settings = edit.settings;
    st.EclipseAlarm = edit.eclipseAlarm;
    if (edit.languageChosen) st.LanguageChosen = true;
    d->form = edit.form;
    if (edit.redraw) {
        ApplyEdits();
    } else {
        ShowForm();
    }
    // The height, profile and own events keep what is being edited there;
    // only a new language captions them anew.
    if (edit.languageChosen) ShowSight();
}

void SettingsDialog::EditPairPart(PairKind kind, PairPart part, int value) {
    Apply(EditPair(d->form, d->state, kind, part, value));
}

void SettingsDialog::TypePairPart(PairKind kind, PairPart part, long long typed) {
    Apply(TypePair(d->form, d->state, kind, part, typed));
}

bool SettingsDialog::ConfirmDefault(const QString& message) {
    return d->messages.confirm(this, message);
}

void SettingsDialog::PlaceDefault(PairKind kind) {
    if (!ConfirmDefault(Q(d->form.Pair(kind).defaultPrompt))) return;
    Apply(RestoreDefault(d->form, d->state, kind));
}

void SettingsDialog::LatitudeBoxDblClick() {
    PlaceDefault(PairKind::Latitude);
}
void SettingsDialog::LongitudeBoxDblClick() {
    PlaceDefault(PairKind::Longitude);
}
void SettingsDialog::TimezoneBoxDblClick() {
    PlaceDefault(PairKind::TimeZone);
}

void SettingsDialog::WeekdayMouseDown(ClockChange change, Qt::MouseButton button) {
    if (button == Qt::LeftButton)
        Apply(StepWeekday(d->form, d->state, change, WeekdayStep::Next));
    else if (button == Qt::RightButton)
        Apply(StepWeekday(d->form, d->state, change, WeekdayStep::Previous));
}

void SettingsDialog::btnSummerStartDayMouseDown(Qt::MouseButton button) {
    WeekdayMouseDown(ClockChange::Summer, button);
}
void SettingsDialog::btnWinterStartDayMouseDown(Qt::MouseButton button) {
    WeekdayMouseDown(ClockChange::Winter, button);
}

void SettingsDialog::LanguageBoxClick() {
    Apply(ChooseLanguage(d->form, d->state, LanguageBox->itemIndex()));
}

// --- the day behind the dialog -------------------------------------------

void SettingsDialog::ApplyEdits() {
    AppState& st = d->state;
    // The labels are applied before the main window redraws, so that it draws
    // in the language now chosen.
    st.ApplyLanguage();
    st.ShowDate(st.Shown);
    emit dayChanged();
    d->form = Relabelled(d->form, st);
    ShowForm();
}

// --- from the form to the controls ----------------------------------------

void SettingsDialog::ShowPair(PairKind kind) {
    const PairControls c = ControlsOf(kind);
    const PairForm& p = d->form.Pair(kind);
    for (auto [spin, view] : {std::pair{c.whole, p.whole}, std::pair{c.minutes, p.minutes}}) {
        const QSignalBlocker block(spin);
        spin->setRange(view.min, view.max);
        spin->setValue(view.value);
        if (auto* edit = qobject_cast<PairSpinBox*>(spin))
            edit->SetSign(view.signShown, p.negative);
    }
    c.separator->setText(Q(p.separator));
    c.separator->setToolTip(Q(p.separatorHint));
    c.group->setTitle(Q(p.title));
    c.group->setToolTip(Q(p.hint));
}

void SettingsDialog::ShowRuleGroup(ClockChange change) {
    const RuleControls c = RuleControlsOf(change);
    const RuleForm& r = d->form.Rule(change);
    c.group->setTitle(Q(r.title));
    c.group->setToolTip(Q(r.hint));
    {
        const QSignalBlocker block(c.month);
        c.month->setItemIndex(r.monthItem);
    }
    c.month->setTitle(Q(r.monthTitle));
    c.month->setToolTip(Q(r.monthHint));
    c.month->setEnabled(r.enabled);
    {
        const QSignalBlocker block(c.weekends);
        if (r.weekendCount < c.weekends->count()) {
            c.weekends->removeItem(4);
        } else if (r.weekendCount > c.weekends->count()) {
            c.weekends->insertItem(4, QStringLiteral("5"));
        }
        c.weekends->setItemIndex(r.weekendItem);
    }
    c.weekends->setTitle(Q(r.weekendTitle));
    c.weekends->setToolTip(Q(r.weekendHint));
    c.weekends->setEnabled(r.enabled);
    c.button->setText(Q(r.weekdayText));
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

void SettingsDialog::ShowForm() {
    const SettingsForm& f = d->form;
    auto setChecked = [](QCheckBox* check, bool on) {
        const QSignalBlocker block(check);
        check->setChecked(on);
    };
    setWindowTitle(Q(f.windowTitle));
    {
        const QSignalBlocker block(LanguageBox);
        LanguageBox->setItemIndex(f.language);
    }
    LanguageBox->setTitle(Q(f.languageTitle));
    LanguageBox->setToolTip(Q(f.languageHint));
    for (PairKind kind : {PairKind::Latitude, PairKind::Longitude, PairKind::TimeZone})
        ShowPair(kind);
    for (ClockChange change : {ClockChange::Summer, ClockChange::Winter}) ShowRuleGroup(change);
    PlaceRuleGroups(f.summerOnTop);

    GroupSaison->setTitle(Q(f.seasonTitle));
    SaisonCheckBox->setText(Q(f.summerSwitchText));
    setChecked(SaisonCheckBox, f.summerTime);
    GroupTime->setTitle(Q(f.timeTitle));
    ClockCheckBox->setText(Q(f.clockText));
    setChecked(ClockCheckBox, f.clock);
    GroupFirstWeek->setTitle(Q(f.firstWeekTitle));
    GroupFirstWeek->setToolTip(Q(f.firstWeekTitle));
    CheckNewYear->setText(Q(f.newYearText));
    CheckNewYear->setToolTip(Q(f.newYearText));
    setChecked(CheckNewYear, f.firstWeekNewYear);

    PlaceBox->setTitle(Q(f.placeTitle));
    // A disabled search says why in its place.
    if (PlaceSearchEdit->isEnabled()) PlaceSearchEdit->setPlaceholderText(Q(f.placeSearchHint));
    SavedPlacesBox->setTitle(Q(f.savedPlacesTitle));
    for (auto [button, text] : {std::pair{PlaceAddButton, &f.placeButtons[0]},
                                std::pair{PlaceRenameButton, &f.placeButtons[1]},
                                std::pair{PlaceRemoveButton, &f.placeButtons[2]},
                                std::pair{PlaceUpButton, &f.placeButtons[3]},
                                std::pair{PlaceDownButton, &f.placeButtons[4]},
                                std::pair{PlaceShowButton, &f.placeButtons[5]}})
        button->setText(Q(*text));
    gbEphemeride->setTitle(Q(f.ephemerisTitle));
    for (auto [shown, text] :
         {std::pair{lbAboutSunrise, &f.clocks[0]}, std::pair{lbAboutSunSet, &f.clocks[1]},
          std::pair{lbAboutMoonRise, &f.clocks[2]}, std::pair{lbAboutMoonset, &f.clocks[3]}})
        shown->setText(Q(*text));
    lbMakers->setText(Q(f.makers));
    lbHomePage->setText(Q(f.homePageLine) + QLatin1Char(' ') + QLatin1String(kHomePageAddress));
    lbVersion->setText(Q(f.version));
    // The caption names the panel the button switches to.
    MediaFiles->setText(Q(PanelFiles->isHidden() ? f.mediaButton : f.settingsButton));

    FileGroupBox->setTitle(Q(f.mediaTitle));
    SunRiseFileBox->setTitle(Q(f.sunriseTitle));
    SunSetFileBox->setTitle(Q(f.sunsetTitle));
    Activate->setTitle(Q(f.activateTitle));
    for (QCheckBox* stretch : {ImageSunRiseStretch, ImageSunSetStretch})
        stretch->setText(Q(f.stretchText));
    setChecked(ImageSunRiseStretch, f.sunRiseStretch);
    setChecked(ImageSunSetStretch, f.sunSetStretch);
    SunRiseSoundButton->setToolTip(Q(f.playSoundHint));
    SunSetSoundButton->setToolTip(Q(f.playSoundHint));
    ShowSunRiseImage->setToolTip(Q(f.imageText));
    ShowSunSetImage->setToolTip(Q(f.imageText));
    ImageCheckFileName->setText(Q(f.imageText));
    SoundCheckFileName->setText(Q(f.alarmText));
    setChecked(SoundCheckFileName, f.alarmSound);
    setChecked(ImageCheckFileName, f.alarmImage);
    ShowAlarmRows();
}

}  // namespace dawn
