// The one-second tick of the main window: the five-minute return to today,
// the clock panel, the help line and the sunrise and sunset alarms. The rules
// are plain routines (core/clocktick.h, core/alarm.h); this file reads the
// clock and writes the controls.
#include <QCalendarWidget>
#include <QLabel>

#include "core/clocktick.h"
#include "present/texts.h"
#include "ui/locale/qtlocale.h"
#include "ui/main/tform1.h"

namespace dawn {

void TForm1::SetClock(const ClockSource& clock) {
    clock_ = &clock;
    alarms_ = AlarmState();
}

SoundStart TForm1::PlaySound(const QString& fileName) {
    if (MediaPlayer1 == nullptr) MediaPlayer1 = new SoundPlayer(messages_, this, this);
    return MediaPlayer1->PlaySound(fileName);
}

void TForm1::Timer1Timer() {
    // The time is read once; a tick that opens the alarm picture finishes
    // with this time after the picture is closed.
    const QDateTime now = clock_->Now();
    const WallTime time = WallTimeOf(now.time());
    const TickMoment moment = TickMomentOf(now);
    const std::optional<TickMoment> previous = alarms_.BeginTick(moment);
    // Today follows the clock over midnight (or when the clock is set to
    // another day). The first tick only catches a midnight that fell between
    // reading the start-up date and this reading.
    if (previous ? previous->date != moment.date : moment.date == state_.Today + 1)
        state_.Today = moment.date;

    // Every five minutes the calendar returns to today; at midnight this
    // moves it to the new day, recomputed before the alarms below.
    if (IsFiveMinuteMark(time)) SetCalendarDate(ToQDate(state_.Today));

    const PanelLook panel =
        PanelLookAt(time, state_.Settings.ShowClock, state_.Locale.TimeSeparator);
    Panel1->setText(Q(panel.caption));
    SetPanel1Lowered(panel.bevel == Bevel::Lowered);

    const DayEphemeris& shown = state_.Day;
    const HelpTexts help{state_.Label(label::kAzimuth), state_.Label(label::kLanguage),
                         state_.Label(label::kLanguageName),
                         FormatAzimuth(shown.Event(state_.Panel, EventKind::Rise).Azimuth),
                         FormatAzimuth(shown.Event(state_.Panel, EventKind::Set).Azimuth)};
    if (const std::optional<HelpLine> line = HelpLineAt(time.second, help)) {
        lbSetupHelp->setText(Q(line->caption));
        lbSetupHelp->setEnabled(line->enabled);
    }

    // The alarms ring for today's sunrise and sunset, also in the minutes
    // after the user moved the calendar to another date.
    const DayEphemeris today =
        shown.Date == state_.Today ? shown : ComputeDay(state_.Settings, state_.Today);
    if (!RaiseAlarm(AlarmEvent::SunRise, today, previous, moment)) return;
    RaiseAlarm(AlarmEvent::SunSet, today, previous, moment);
}

bool TForm1::RaiseAlarm(AlarmEvent event, const DayEphemeris& day,
                        const std::optional<TickMoment>& previous, TickMoment now) {
    const bool rise = event == AlarmEvent::SunRise;
    // A sunset also rings on a day without a sunrise, and the reverse.
    const std::optional<AlarmEventTime> sun = AlarmEventOf(day, event);
    if (!sun || !alarms_.Fire(event, *sun, std::chrono::minutes{0}, previous, now)) return true;
    const std::chrono::minutes eventTime =
        std::chrono::duration_cast<std::chrono::minutes>(std::chrono::seconds(sun->secondOfDay));

    const SiteSettings& s = state_.Settings;
    const bool showPicture = s.AlarmImageEnabled;
    const QString picture = Q(rise ? s.SunRiseImageFile : s.SunSetImageFile);
    const bool stretch = rise ? s.SunRiseImageStretch : s.SunSetImageStretch;
    const QString caption = (rise ? lbSunrise : lbSunset)->text().trimmed();
    // Sound first: a sound the media layer cannot play ends the tick here
    // (its error was shown); a missing one was reported and the picture follows.
    if (s.AlarmSoundEnabled &&
        PlaySound(Q(rise ? s.SunRiseSoundFile : s.SunSetSoundFile)) == SoundStart::Failed) {
        return false;
    }
    if (showPicture) emit imageRequested(picture, stretch, caption, eventTime, day.Date);
    return true;
}

}  // namespace dawn
