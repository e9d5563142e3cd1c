// The one-second tick of the main window: the return to today when unused,
// the clock panel, the help line and the sunrise and sunset alarms. The rules
// are plain routines (core/clocktick.h, core/alarm.h); this file reads the
// clock and writes the controls.
#include <QApplication>
#include <QCalendarWidget>
#include <QEvent>
#include <QLabel>
#include <functional>

#include "core/alarmevents.h"
#include "core/clocktick.h"
#include "present/alarmpanel.h"
#include "present/skyview.h"
#include "present/texts.h"
#include "reminders/remindertext.h"
#include "ui/common/helpwindow.h"
#include "ui/common/mediapath.h"
#include "ui/common/qtlocale.h"
#include "ui/main/alarmnotifier.h"
#include "ui/main/mainwindow.h"

namespace dawn {

void MainWindow::SetClock(const ClockSource& clock) {
    clock_ = &clock;
    alarms_ = AlarmState();
    lastUse_ = QDateTime();
}

namespace {

// Notes every use of the keyboard, the mouse or the wheel in the program.
class UseWatcher final : public QObject {
public:
    UseWatcher(QObject* parent, std::function<void()> used)
        : QObject(parent), used_(std::move(used)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::MouseButtonPress:
            case QEvent::MouseMove:
            case QEvent::Wheel:
            case QEvent::TouchBegin:
                used_();
                break;
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> used_;
};

}  // namespace

void MainWindow::WatchUse() {
    qApp->installEventFilter(new UseWatcher(this, [this] { lastUse_ = clock_->Now(); }));
}

SoundStart MainWindow::PlaySound(const QString& fileName) {
    if (AlarmSounds == nullptr) AlarmSounds = new SoundPlayer(messages_, this, this, sounds_);
    return AlarmSounds->PlaySound(fileName);
}

void MainWindow::ShowPositionNow(const QDateTime& now) {
    const UtInstant instant{std::chrono::milliseconds{now.toMSecsSinceEpoch()}};
    const PositionNowTexts texts = PositionNowTextsOf(state_.Settings, state_.Current, instant);
    lbPositionNow->setText(QString::fromStdString(texts.sun + "\n" + texts.moon));
}

void MainWindow::ClockTick() {
    // The time is read once; a tick that opens the alarm picture finishes
    // with this time after the picture is closed.
    const QDateTime now = clock_->Now();
    const WallTime time = WallTimeOf(now.time());
    const TickMoment moment = TickMomentOf(now);
    const std::optional<TickMoment> previous = alarms_.BeginTick(moment);
    ShowPositionNow(now);
    // Today follows the clock over midnight (or when the clock is set to
    // another day). The first tick only catches a midnight that fell between
    // reading the start-up date and this reading.
    const DayNumber oldToday = state_.Today;
    if (previous ? previous->date != moment.date : moment.date == state_.Today + 1)
        state_.Today = moment.date;

    // Left alone for five minutes, the calendar returns to today; one that
    // showed today follows it to the new day at midnight, recomputed before
    // the alarms below. A clock set back starts the count again.
    if (!lastUse_.isValid() || lastUse_ > now) lastUse_ = now;
    if (state_.Shown != state_.Today &&
        ReturnsToToday(lastUse_.secsTo(now), state_.Shown == oldToday, state_.Today != oldToday)) {
        SetCalendarDate(ToQDate(state_.Today));
    }

    const PanelLook panel =
        PanelLookAt(time, state_.Settings.ShowClock, state_.Locale.TimeSeparator,
                    PanelWords{WithoutAccessKey(state_.Label(label::kMenuSetUp)),
                               WithoutAccessKey(state_.Label(label::kMenuAbout))});
    ClockPanel->setText(Q(panel.caption));
    SetClockPanelLowered(panel.bevel == Bevel::Lowered);

    const DayEphemeris& shown = state_.Day;
    const HelpTexts help{state_.Label(label::kAzimuth),
                         state_.Label(label::kLanguage),
                         state_.Label(label::kLanguageName),
                         FormatAzimuth(shown.Event(state_.Panel, EventKind::Rise).Azimuth),
                         FormatAzimuth(shown.Event(state_.Panel, EventKind::Set).Azimuth),
                         state_.Label(label::kHintRightButton),
                         state_.Label(label::kHintCoordinates),
                         state_.Label(label::kHintF1)};
    if (const std::optional<HelpLine> line = HelpLineAt(time.second, help)) {
        lbSetupHelp->setText(Q(line->caption));
        lbSetupHelp->setEnabled(line->enabled);
    }

    // The alarms ring for today's events (and, moved by an offset across
    // midnight, for the day before's or the next day's), also in the minutes
    // after the user moved the calendar to another date. Each alarm of the
    // settings in turn, as AlarmState::FireDue takes them, so that a sound
    // that cannot be played ends the tick before the next alarm counts as
    // fired.
    // The alarms of the user's own events follow the designed ones.
    std::vector<AlarmSetup> alarms = ActiveAlarms(state_.Settings.Alarms);
    for (AlarmSetup& own : OwnEventAlarms(state_.OwnEvents)) alarms.push_back(std::move(own));
    const WallClockOf wall = WallClockAt(state_.Settings);
    for (const AlarmSetup& a : alarms) {
        for (DayNumber date : AlarmEventDates(moment.date, a.offset)) {
            AlarmEventDetail event;
            if (a.own.empty()) {
                event = AlarmEventOfDate(a.kind, date);
            } else if (const std::optional<AlarmEventTime> time =
                           OwnAlarmEventAt(state_.Settings, state_.OwnEvents, a.own, a.kind, date,
                                           EventSight{state_.Settings.ObserverHeightMetres,
                                                      state_.HorizonProfile})) {
                event.time = *time;
            } else {
                continue;
            }
            if (!alarms_.Fire(a, event.time, previous, moment, wall)) continue;
            const TickMoment at = AlarmMoment(event.time, a.offset, wall);
            if (!RaiseAlarm(
                    DueAlarm{at.secondOfDay, a.kind, a.offset, a.channel, event.time, a.own},
                    event.azimuth))
                return;
        }
    }
    // The eclipse alarm goes by the instant, whatever the clocks show.
    const std::chrono::sys_seconds instant{std::chrono::seconds{now.toSecsSinceEpoch()}};
    for (const EclipseRing& ring :
         eclipseAlarms_.Tick(state_.Settings, state_.EclipseAlarm, instant))
        if (!RaiseEclipseAlarm(ring)) return;
}

AlarmEventDetail MainWindow::AlarmEventOfDate(AlarmEvent kind, DayNumber date) const {
    // The shown day's record serves for its own sunrise and sunset.
    const DayEphemeris& shown = state_.Day;
    if (shown.Date == date && (kind == AlarmEvent::SunRise || kind == AlarmEvent::SunSet)) {
        if (const std::optional<AlarmEventTime> time = AlarmEventOf(shown, kind)) {
            const EventKind k = kind == AlarmEvent::SunRise ? EventKind::Rise : EventKind::Set;
            return {*time, shown.Event(Body::Sun, k).Azimuth};
        }
    }
    return AlarmEventAt(state_.Settings, kind, date);
}

AlarmNotifier* MainWindow::Notifier() {
    if (Notifier1 == nullptr)
        Notifier1 = new AlarmNotifier(QDBusConnection::sessionBus(), ProgramIcon(), this);
    return Notifier1;
}

bool MainWindow::RaiseAlarm(const DueAlarm& alarm, std::optional<double> azimuth) {
    const bool rise = alarm.kind == AlarmEvent::SunRise || alarm.kind == AlarmEvent::CivilDawn;
    // The main window's own caption for the sun's events, so that an edit
    // in the label grid shows at once; the twilight alarms' names otherwise.
    QString caption;
    switch (alarm.own.empty() ? alarm.kind : AlarmEvent::Count) {
        case AlarmEvent::SunRise:
            caption = lbSunrise->text().trimmed();
            break;
        case AlarmEvent::SunSet:
            caption = lbSunset->text().trimmed();
            break;
        case AlarmEvent::Count:
            caption = QString::fromStdString(alarm.own);
            break;
        default:
            caption = Q(AlarmEventName(alarm.kind, state_.Current));
            break;
    }
    return RingAlarm(caption, rise, alarm.channel, alarm.offset,
                     std::chrono::minutes{alarm.event.secondOfDay / 60}, alarm.event.date, azimuth);
}

bool MainWindow::RaiseEclipseAlarm(const EclipseRing& ring) {
    const int name =
        ring.kind == AlmanacKind::SolarEclipse ? label::kSolarEclipse : label::kLunarEclipse;
    return RingAlarm(Q(Trimmed(state_.Label(name))), true, state_.EclipseAlarm.Channel,
                     state_.EclipseAlarm.Offset, ring.clockTime, ring.date, std::nullopt);
}

bool MainWindow::RingAlarm(const QString& caption, bool rise, AlarmChannel alarmChannel,
                           std::chrono::minutes offset, std::chrono::minutes eventTime,
                           DayNumber eventDate, std::optional<double> azimuth) {
    const SiteSettings& s = state_.Settings;
    const QString picture = MediaFileForQt(rise ? s.SunRiseImageFile : s.SunSetImageFile);
    const bool stretch = rise ? s.SunRiseImageStretch : s.SunSetImageStretch;
    // Sound first: a sound the media layer cannot play ends the tick here
    // (its error was shown); a missing one was reported and the rest follows.
    if (s.AlarmSoundEnabled &&
        PlaySound(MediaFileForQt(rise ? s.SunRiseSoundFile : s.SunSetSoundFile)) ==
            SoundStart::Failed) {
        return false;
    }
    auto showPicture = [this, picture, stretch, caption, eventTime, eventDate] {
        emit imageRequested(picture, stretch, caption, eventTime, eventDate);
    };
    // The designed alarm: the picture window, when pictures are on.
    if (alarmChannel == AlarmChannel::Picture) {
        if (s.AlarmImageEnabled) showPicture();
        return true;
    }
    const NoticeWords words = NoticeWordsOf(state_.Current, state_.Locale.TimeSeparator);
    // The caption lines up its colon with the other rows ("Sunset     :");
    // the notification names the event alone.
    QString name = caption;
    while (!name.isEmpty() && (name.back() == QLatin1Char(':') || name.back().isSpace()))
        name.chop(1);
    const NoticeText text = AlarmNoticeText(name.toStdString(), offset, eventTime, azimuth, words);
    // With pictures off, "both" is the notification alone; the picture window
    // stays the last way when nothing else reaches the user.
    const AlarmChannel channel = s.AlarmImageEnabled ? alarmChannel : AlarmChannel::Notification;
    Notifier()->Deliver(
        channel, AlarmNotice{Q(text.title), Q(text.body)},
        AlarmFallbacks{TrayMessageVia(TrayIcon), showPicture, NoticeWindowOver(this)});
    return true;
}

}  // namespace dawn
