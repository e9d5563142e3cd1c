// The main window's tick driven second by second with a hand-set clock.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QDataStream>
#include <QFile>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <memory>

#include "present/eclipsealarm.h"
#include "present/skyview.h"
#include "present/texts.h"
#include "ui/common/qtlocale.h"
#include "ui/common/testsupport/recording_messages.h"
#include "ui/main/clock.h"
#include "ui/main/mainwindow.h"
#include "ui/picture/picturewindow.h"
#include "ui/sound/mediasound.h"

namespace dawn {
namespace {

using std::chrono::minutes;

constexpr auto kToday = std::chrono::year{2024} / 6 / 21;

struct ImageCall {
    QString file;
    bool stretch;
    QString caption;
    minutes time;
    DayNumber date;
};

class ClockTickTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        form = std::make_unique<MainWindow>(
            state, StartupInputs{dir.path(), QLocale(QStringLiteral("en_GB")), kToday, false,
                                 nullptr, &messages, MakeMediaSound});
        state.Settings.LanguageIndex = 4;  // English
        state.ApplyLanguage();
        form->MonthCalendarChange();
        clock.Set(At(10, 3, 0));
        form->SetClock(clock);
        QObject::connect(form.get(), &MainWindow::imageRequested, form.get(),
                         [this](const QString& file, bool stretch, const QString& caption,
                                minutes time, DayNumber date) {
                             images.push_back({file, stretch, caption, time, date});
                         });
        QObject::connect(form.get(), &MainWindow::trayHintChanged, form.get(),
                         [this] { ++redraws; });
    }

    static QDateTime At(int h, int m, int s, QDate date = QDate(2024, 6, 21)) {
        return QDateTime(date, QTime(h, m, s));
    }
    void TickAt(const QDateTime& t) {
        clock.Set(t);
        form->ClockTick();
    }
    QString Path(const QString& name) const { return dir.filePath(name); }
    void WriteTone(const QString& name) {
        QFile f(Path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QDataStream out(&f);
        out.setByteOrder(QDataStream::LittleEndian);
        const quint32 samples = 800;
        out.writeRawData("RIFF", 4);
        out << quint32(36 + 2 * samples);
        out.writeRawData("WAVEfmt ", 8);
        out << quint32(16) << quint16(1) << quint16(1) << quint32(8000) << quint32(16000)
            << quint16(2) << quint16(16);
        out.writeRawData("data", 4);
        out << quint32(2 * samples);
        for (quint32 i = 0; i < samples; ++i) out << qint16(6000 * std::sin(i * 0.3));
    }
    // Alarm media in the working folder, both alarms switched on.
    void UseMedia(const QString& sound, const QString& picture) {
        state.Settings.AlarmSoundEnabled = true;
        state.Settings.AlarmImageEnabled = true;
        state.Settings.SunRiseSoundFile = state.Settings.SunSetSoundFile =
            Path(sound).toStdString();
        state.Settings.SunRiseImageFile = state.Settings.SunSetImageFile =
            Path(picture).toStdString();
    }
    EventEntry& Sun(EventKind kind) { return state.Day[Body::Sun][kind]; }
    QString Azimuths(Body body) {
        return QStringLiteral("Azimuth: ") +
               Q(FormatAzimuth(state.Day.Event(body, EventKind::Rise).Azimuth)) + " " +
               Q(FormatAzimuth(state.Day.Event(body, EventKind::Set).Azimuth));
    }
    void SetSunrise(int h, int m) {
        Sun(EventKind::Rise).Status = EventStatus::Normal;
        Sun(EventKind::Rise).Clock = minutes(h * 60 + m);
        Sun(EventKind::Rise).CrossingClock = Sun(EventKind::Rise).Clock;
    }

    QTemporaryDir dir;
    test::RecordingMessages messages;
    AppState state;
    std::unique_ptr<MainWindow> form;
    ManualClock clock;
    std::vector<ImageCall> images;
    int redraws = 0;
};

// Every tick says where the sun and the moon stand at its moment, in the
// chosen language, with the geometric and the apparent altitude named.
TEST_F(ClockTickTest, EveryTickShowsThePositionNow) {
    for (const QDateTime& t : {At(10, 3, 0), At(22, 45, 30)}) {
        TickAt(t);
        const PositionNowTexts texts =
            PositionNowTextsOf(state.Settings, state.Current,
                               UtInstant{std::chrono::milliseconds{t.toMSecsSinceEpoch()}});
        EXPECT_EQ(form->lbPositionNow->text(), Q(texts.sun + "\n" + texts.moon));
        EXPECT_TRUE(form->lbPositionNow->text().startsWith(QStringLiteral("Sun now: altitude ")));
        EXPECT_TRUE(
            form->lbPositionNow->text().contains(QStringLiteral("apparent (with refraction)")));
    }
    EXPECT_EQ(form->lbPositionNow->textFormat(), Qt::PlainText);
}

TEST_F(ClockTickTest, PanelAndHelpLineThroughTheMinute) {
    const QString azimuths = Azimuths(Body::Sun);
    struct Case {
        int second;
        bool showClock;
        const char* panel;
        bool lowered;
        QString help;
        bool helpEnabled;
    };
    const Case cases[] = {
        {0, true, "10:03:00", false, "Right mouse-button = setup", false},
        {1, true, "10:03:01", false, "Right mouse-button = setup", false},
        {2, true, "10:03:02", false, azimuths, true},
        {15, true, "10:03:15", false, "Set your local coordinates", false},
        {30, false, "Set up", false, "Functionkey F1 = help", false},
        {45, false, "Set up", false, "Language = English", false},
        {58, true, "10:03:58", false, azimuths, true},
        {59, true, "About", true, azimuths, true},  // the help line keeps second 58's
        {0, false, "Set up", false, "Right mouse-button = setup", false},
        {58, false, "Set up", false, azimuths, true},
        {59, false, "10:03:59", true, azimuths, true},
    };
    for (const Case& c : cases) {
        state.Settings.ShowClock = c.showClock;
        TickAt(At(10, 3, c.second));
        EXPECT_EQ(form->ClockPanel->text(), c.panel) << c.second;
        EXPECT_EQ(form->ClockPanel->frameShadow(), c.lowered ? QFrame::Sunken : QFrame::Raised)
            << c.second;
        EXPECT_EQ(form->lbSetupHelp->text(), c.help) << c.second;
        EXPECT_EQ(form->lbSetupHelp->isEnabled(), c.helpEnabled) << c.second;
    }
    // With the moon panel shown the line carries the moon's azimuths.
    form->lbdaylightClick();
    TickAt(At(10, 4, 2));
    EXPECT_EQ(form->lbSetupHelp->text(), Azimuths(Body::Moon));
}

TEST_F(ClockTickTest, FiveMinutesUnusedReturnToToday) {
    form->JumpToDate(QDate(2024, 9, 30));
    redraws = 0;
    TickAt(At(10, 3, 1));  // the first tick starts the count
    // A key pressed at 10:06 while the user reads September puts it off.
    clock.Set(At(10, 6, 0));
    QTest::keyClick(form->MonthCalendar, Qt::Key_Shift);
    TickAt(At(10, 8, 30));
    EXPECT_EQ(form->MonthCalendar->selectedDate(), QDate(2024, 9, 30));
    // So does moving the mouse over the window.
    clock.Set(At(10, 9, 0));
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(form->MonthCalendar, &move);
    TickAt(At(10, 13, 59));
    EXPECT_EQ(form->MonthCalendar->selectedDate(), QDate(2024, 9, 30));
    TickAt(At(10, 14, 0));
    EXPECT_EQ(form->MonthCalendar->selectedDate(), QDate(2024, 6, 21));
    EXPECT_EQ(form->YearSpin->value(), 2024);
    EXPECT_EQ(form->MonthSpin->value(), 6);
    EXPECT_EQ(state.Day.Date, DayNumber::FromYmd(2024, 6, 21));
    EXPECT_EQ(redraws, 1);
    // Already on today: nothing is recomputed.
    TickAt(At(10, 20, 0));
    EXPECT_EQ(redraws, 1);
}

TEST_F(ClockTickTest, MidnightMovesTheCalendarToTheNewDayWithinTheTick) {
    TickAt(At(23, 59, 59));
    EXPECT_EQ(state.Day.Date, DayNumber::FromYmd(2024, 6, 21));
    TickAt(At(0, 0, 0, QDate(2024, 6, 22)));
    EXPECT_EQ(form->MonthCalendar->selectedDate(), QDate(2024, 6, 22));
    EXPECT_EQ(state.Day.Date, DayNumber::FromYmd(2024, 6, 22));
    EXPECT_EQ(state.Today, DayNumber::FromYmd(2024, 6, 22));
}

TEST_F(ClockTickTest, SunriseFiresInItsOwnSecondOnly) {
    WriteTone("rise.wav");
    UseMedia("rise.wav", "rise.jpg");
    state.Settings.SunRiseImageStretch = false;
    SetSunrise(7, 23);
    // Sound first, then the picture.
    QString playingWhenShown;
    QObject::connect(
        form.get(), &MainWindow::imageRequested, form.get(),
        [this, &playingWhenShown] { playingWhenShown = form->AlarmSounds->CurrentFile(); });
    TickAt(At(7, 22, 59));
    EXPECT_TRUE(images.empty());
    EXPECT_EQ(form->AlarmSounds, nullptr);
    TickAt(At(7, 23, 0));
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].file, Path("rise.jpg"));
    EXPECT_FALSE(images[0].stretch);
    EXPECT_EQ(images[0].caption, form->lbSunrise->text().trimmed());
    EXPECT_EQ(images[0].time, minutes(7 * 60 + 23));
    EXPECT_EQ(images[0].date, DayNumber::FromYmd(2024, 6, 21));
    EXPECT_EQ(playingWhenShown, Path("rise.wav"));
    TickAt(At(7, 23, 1));
    EXPECT_EQ(images.size(), 1u);
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join('|').toStdString();
}

TEST_F(ClockTickTest, ALateTickCatchesTheAlarmUpOnce) {
    state.Settings.AlarmSoundEnabled = false;
    SetSunrise(7, 23);
    TickAt(At(7, 22, 58));
    TickAt(At(7, 23, 2));  // the seconds in between had no tick
    EXPECT_EQ(images.size(), 1u);
    TickAt(At(7, 23, 3));
    // Back and forth over the date does not repeat it either.
    form->JumpToDate(QDate(2024, 6, 22));
    form->JumpToDate(QDate(2024, 6, 21));
    SetSunrise(7, 23);
    TickAt(At(7, 23, 0));
    EXPECT_EQ(images.size(), 1u);
}

// The eclipse alarm rings once, half an hour before the first contact of
// the partial solar eclipse of 29 March 2025 at Velmoren, by the instant.
TEST_F(ClockTickTest, TheEclipseAlarmRingsBeforeTheFirstContact) {
    state.Settings.AlarmSoundEnabled = false;
    state.Settings.AlarmImageEnabled = true;
    state.EclipseAlarm = AlarmChoice{true, minutes{-30}, AlarmChannel::Picture};
    const std::chrono::sys_days day{std::chrono::year{2025} / 3 / 29};
    const auto rings = EclipseRingsBetween(state.Settings, state.EclipseAlarm, day, day);
    ASSERT_EQ(rings.size(), 1u);
    ASSERT_EQ(rings[0].kind, AlmanacKind::SolarEclipse);
    const qint64 ring =
        std::chrono::ceil<std::chrono::seconds>(rings[0].ring).time_since_epoch().count();
    TickAt(QDateTime::fromSecsSinceEpoch(ring - 2));
    TickAt(QDateTime::fromSecsSinceEpoch(ring - 1));
    EXPECT_TRUE(images.empty());
    TickAt(QDateTime::fromSecsSinceEpoch(ring));
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].caption, QStringLiteral("Solar eclipse"));
    EXPECT_EQ(images[0].time, rings[0].clockTime);
    EXPECT_EQ(images[0].date, DayNumber::FromYmd(2025, 3, 29));
    TickAt(QDateTime::fromSecsSinceEpoch(ring + 1));
    EXPECT_EQ(images.size(), 1u);
}

TEST_F(ClockTickTest, TwoAlarmsOfOneTickRunSunriseFirst) {
    state.Settings.AlarmSoundEnabled = false;
    SetSunrise(7, 23);
    Sun(EventKind::Set).Status = EventStatus::Normal;
    Sun(EventKind::Set).Clock = minutes(7 * 60 + 24);
    Sun(EventKind::Set).CrossingClock = Sun(EventKind::Set).Clock;
    TickAt(At(7, 22, 59));
    TickAt(At(7, 24, 0));  // a late tick that covers both
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].caption, form->lbSunrise->text().trimmed());
    EXPECT_EQ(images[1].caption, form->lbSunset->text().trimmed());
    EXPECT_EQ(images[1].time, minutes(7 * 60 + 24));
}

// An alarm on one of the user's own events rings at the event's minute
// plus its offset, named by the event, with the setting side's picture.
TEST_F(ClockTickTest, AnOwnEventRingsWithItsOffset) {
    state.Settings.AlarmSoundEnabled = false;
    state.Settings.Alarms = DefaultAlarmChoices();
    for (AlarmChoice& a : state.Settings.Alarms) a.On = false;
    state.OwnEvents = {{"Photo", UserEventKind::Elevation, 10, UserEventSide::Setting, false, "",
                        UserEventAlarm{minutes(-20), AlarmChannel::Picture}}};
    const std::optional<AlarmEventTime> event =
        OwnAlarmEventAt(state.Settings, state.OwnEvents, "Photo", AlarmEvent::SunSet,
                        DayNumber::FromYmd(2024, 6, 21));
    ASSERT_TRUE(event && event->status == EventStatus::Normal);
    const int ring = event->secondOfDay - 20 * 60;
    TickAt(At(ring / 3600, ring / 60 % 60, 59).addSecs(-60));
    EXPECT_TRUE(images.empty());
    TickAt(At(ring / 3600, ring / 60 % 60, 0));
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].caption, QStringLiteral("Photo"));
    EXPECT_EQ(images[0].time, minutes(event->secondOfDay / 60));
    EXPECT_EQ(images[0].file, QString::fromStdString(state.Settings.SunSetImageFile));
    TickAt(At(ring / 3600, ring / 60 % 60, 1));
    EXPECT_EQ(images.size(), 1u);
}

TEST_F(ClockTickTest, TodaysAlarmRingsWhileAnotherDateIsShown) {
    state.Settings.AlarmSoundEnabled = false;
    const minutes sunrise = Sun(EventKind::Rise).Clock;
    form->JumpToDate(QDate(2024, 12, 21));
    const int s = int(std::chrono::seconds(sunrise).count());
    TickAt(At(s / 3600, s / 60 % 60, 0));
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].time, sunrise);
    EXPECT_EQ(images[0].date, DayNumber::FromYmd(2024, 6, 21));
}

TEST_F(ClockTickTest, NoAlarmOnADayWithoutSunriseOrSunset) {
    state.Settings.AlarmSoundEnabled = false;
    state.Settings.LatitudeMinutes =
        78 * 60;  // Svalbard: midnight sun in June, polar night in December
    state.Settings.LongitudeMinutes = 15 * 60;
    form->MonthCalendarChange();
    for (QDate date : {QDate(2024, 6, 21), QDate(2024, 12, 21)}) {
        // The clock runs into the day; the midnight tick shows it.
        TickAt(At(23, 59, 59, date.addDays(-1)));
        TickAt(At(0, 0, 0, date));
        ASSERT_EQ(state.Day.Date,
                  DayNumber::FromYmd(date.year(), unsigned(date.month()), unsigned(date.day())));
        ASSERT_NE(Sun(EventKind::Rise).Status, EventStatus::Normal);
        // The placeholder times of the record (00:00, 23:59 or 12:00, shifted in summer time).
        for (minutes t : {Sun(EventKind::Rise).Clock, Sun(EventKind::Set).Clock}) {
            const int s = int(std::chrono::seconds(t).count());
            TickAt(At(s / 3600, s / 60 % 60, 0, date));
        }
    }
    EXPECT_TRUE(images.empty());
}

// 69°00' N 20°00' E on 19 May 2024: the sun rises at 01:20 on the summer
// clock and sets only after midnight, at 00:09 of the 20th. The sunrise rings
// at its time; the sunset's placeholder rings nothing.
TEST_F(ClockTickTest, TheSunriseOfADayWithoutSunsetRings) {
    state.Settings.AlarmSoundEnabled = false;
    state.Settings.LatitudeMinutes = 4140;
    state.Settings.LongitudeMinutes = 1200;
    const QDate date(2024, 5, 19);
    TickAt(At(23, 59, 59, date.addDays(-1)));
    TickAt(At(0, 0, 0, date));
    ASSERT_EQ(Sun(EventKind::Set).Status, EventStatus::NoSet);
    ASSERT_TRUE(Sun(EventKind::Rise).CrossingClock);
    const minutes sunrise = *Sun(EventKind::Rise).CrossingClock;
    const int placeholder = int(std::chrono::seconds(Sun(EventKind::Set).Clock).count());
    TickAt(At(placeholder / 3600, placeholder / 60 % 60, 0, date));
    EXPECT_TRUE(images.empty());
    const int s = int(std::chrono::seconds(sunrise).count());
    TickAt(At(s / 3600, s / 60 % 60, 0, date));
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].time, sunrise);
    EXPECT_EQ(images[0].caption, form->lbSunrise->text().trimmed());
}

TEST_F(ClockTickTest, MissingSoundAndPictureAreReported) {
    UseMedia("gone.wav", "gone.jpg");
    PictureWindow pictures(state, form.get(), nullptr, messages);
    QObject::connect(form.get(), &MainWindow::imageRequested, &pictures,
                     [&pictures](const QString& f, bool s, const QString& c, minutes t,
                                 DayNumber d) { pictures.ShowImage(f, s, c, t, d); });
    SetSunrise(7, 23);
    TickAt(At(7, 23, 0));
    EXPECT_EQ(messages.shown, QStringList({"Missing SoundFile", "Missing ImageFile"}));
    EXPECT_FALSE(pictures.isVisible());
}

TEST_F(ClockTickTest, AnUnplayableSoundEndsTheTick) {
    QFile notes(Path("notes.wav"));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write(QByteArray("no sound in here\n").repeated(40));
    notes.close();
    UseMedia("notes.wav", "rise.jpg");
    form->AlarmSounds = new SoundPlayer(messages, form.get(), form.get(), MakeMediaSound);
    form->AlarmSounds->setOpenTimeout(10000);
    SetSunrise(7, 23);
    TickAt(At(7, 23, 0));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].endsWith(Path("notes.wav")));
    EXPECT_TRUE(images.empty());
}

// At the sunrise second of today the default chime plays and the default
// picture opens; ticks go on inside it, and a sunset alarm raised there
// puts its picture into the same window.
TEST_F(ClockTickTest, DefaultMediaAtSunriseAndANestedSunsetAlarm) {
    for (const char* name : {"sunrise.wav", "sunrise.jpg", "sunset.wav", "sunset.jpg"}) {
        ASSERT_TRUE(QFile::copy(QStringLiteral(DAWN_SOURCE_DIR "/data/") + name, Path(name)))
            << name;
    }
    const SiteSettings defaults = DefaultSettings(state.AppDir, 2024);
    state.Settings.SunRiseSoundFile = defaults.SunRiseSoundFile;
    state.Settings.SunRiseImageFile = defaults.SunRiseImageFile;
    state.Settings.SunSetSoundFile = defaults.SunSetSoundFile;
    state.Settings.SunSetImageFile = defaults.SunSetImageFile;
    ASSERT_TRUE(state.Settings.AlarmSoundEnabled && state.Settings.AlarmImageEnabled);
    PictureWindow pictures(state, form.get(), nullptr, messages);
    QObject::connect(form.get(), &MainWindow::imageRequested, &pictures,
                     [&pictures](const QString& f, bool s, const QString& c, minutes t,
                                 DayNumber d) { pictures.ShowImage(f, s, c, t, d); });
    state.Settings.ShowClock = true;
    const int rise = int(std::chrono::seconds(Sun(EventKind::Rise).Clock).count());
    Sun(EventKind::Set).Clock =
        Sun(EventKind::Rise).Clock + minutes(1);  // so that it falls while the picture is open
    Sun(EventKind::Set).CrossingClock = Sun(EventKind::Set).Clock;
    Sun(EventKind::Set).Status = EventStatus::Normal;

    // The sound's start runs events too, so the checks wait for the window.
    bool checked = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, &pictures, [&] {
        if (checked || !pictures.isVisible()) return;
        checked = true;
        poll.stop();
        EXPECT_TRUE(pictures.isVisible());
        EXPECT_FALSE(pictures.ImageView->Picture().isNull());
        EXPECT_EQ(
            pictures.windowTitle(),
            "21/06/2024  " + Q(state.Locale.ClockText(minutes(rise / 60))) + " at 05E28 50N47");
        EXPECT_EQ(form->AlarmSounds->CurrentFile(),
                  QString::fromStdString(defaults.SunRiseSoundFile));
        // Nested ticks keep the clock running; the sunset picture replaces the sunrise one.
        TickAt(At(rise / 3600, rise / 60 % 60, 30));
        EXPECT_EQ(form->ClockPanel->text(), Q(state.Locale.ClockText(minutes(rise / 60))) + ":30");
        TickAt(At(rise / 3600, rise / 60 % 60 + 1, 0));
        EXPECT_EQ(form->AlarmSounds->CurrentFile(),
                  QString::fromStdString(defaults.SunSetSoundFile));
        EXPECT_EQ(pictures.ImageView->toolTip(), form->lbSunset->text().trimmed());
        EXPECT_TRUE(pictures.isVisible());
        pictures.close();
    });
    poll.start();
    TickAt(At(rise / 3600, rise / 60 % 60, 0));
    EXPECT_TRUE(checked);
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join('|').toStdString();
}

}  // namespace
}  // namespace dawn
