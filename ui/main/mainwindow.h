#pragma once
// MainWindow, the main window: the month calendar with its week numbers, the sun
// or moon panel of the shown day, the summer-time rows, the place, the clock
// panel and the menu.
//
// The window is thin. The records it shows live in the AppState it is given
// (shared with every other window); what it shows of the shown date is one
// value, the DayView of present/dayview.h, which ShowDay copies into the
// controls. The handlers only forward events to the state and copy values.
// The day view is in mainwindow_dayview.cpp, the date navigation in
// mainwindow_navigation.cpp and the clock tick in mainwindow_clock.cpp.
//
// Actions that belong to other windows are signals, connected by the program
// entry: a slot connected to configurationRequested() must show the dialog
// modally (exec), because the window redraws the day when the signal returns.
// A window that changed the shared state asks for a redraw through ShowDay.
#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QMainWindow>
#include <QString>
#include <array>
#include <functional>
#include <vector>

#include "core/alarm.h"
#include "core/alarmevents.h"
#include "present/appstate.h"
#include "present/dayview.h"
#include "present/eclipsealarm.h"
#include "ui/common/messages.h"
#include "ui/main/almanacmarks.h"
#include "ui/main/clock.h"
#include "ui/main/soundplayer.h"
#include "ui/main/startup.h"
#include "ui/main/traypreference.h"

class QAction;
class QCalendarWidget;
class QFrame;
class QScrollArea;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QSpinBox;
class QTableWidget;
class QTimer;
class QSystemTrayIcon;
class QCloseEvent;

namespace dawn {

class AlarmNotifier;

// Halfway between two colours.
QColor Blend(const QColor& a, const QColor& b);

// The panels under the calendar, one shown at a time.
enum class ShownPanel { Sun, Twilight, Moon, Light };

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Runs the whole start-up: fills `state` from `inputs` (settings, labels,
    // locale texts, today), builds the controls and shows today's values.
    // `state` must outlive the window.
    MainWindow(AppState& state, const StartupInputs& inputs, QWidget* parent = nullptr);
    // Saves the settings to AppDir (a failure is shown to the user).
    ~MainWindow() override;

    AppState& State() { return state_; }

    // Controls.
    QCalendarWidget* MonthCalendar = nullptr;
    QSpinBox* YearSpin = nullptr;    // year 1900..2500, arrows only
    QSpinBox* MonthSpin = nullptr;   // month 0..13, arrows only (0 and 13 wrap the year)
    QLineEdit* MonthEdit = nullptr;  // short month name laid over MonthSpin
    QLabel* lbWeek = nullptr;
    // The week numbers of the calendar's six rows, top to bottom. Their object
    // names lbWeek1..lbWeek6 are the keys the day view gives them.
    std::array<QLabel*, 6> WeekNumberLabels{};

    QFrame* PnSun = nullptr;
    QLabel* lbSunrise = nullptr;
    QLabel* lbSunRiseHour = nullptr;
    QLabel* lbSunRiseSign = nullptr;
    QLabel* lbSunRiseDelta = nullptr;
    QLabel* lbSunRiseSymbol = nullptr;
    QLabel* lbSunset = nullptr;
    QLabel* lbSunSetHour = nullptr;
    QLabel* lbSunSetSign = nullptr;
    QLabel* lbSunSetDelta = nullptr;
    QLabel* lbSunSetSymbol = nullptr;
    QLabel* lbdaylight = nullptr;
    QLabel* lbDayLightHour = nullptr;
    QLabel* lbDayLightSign = nullptr;
    QLabel* lbDayLightDelta = nullptr;
    QLabel* lbDayLightSymbol = nullptr;

    QFrame* PnMoon = nullptr;  // hidden at start, same place as PnSun
    QLabel* lbMoonrise = nullptr;
    QLabel* lbMoonriseHour = nullptr;
    QLabel* lbMoonRiseSign = nullptr;
    QLabel* lbMoonRiseDelta = nullptr;
    QLabel* lbMoonRiseSymbol = nullptr;
    QLabel* lbMoonSet = nullptr;
    QLabel* lbMoonSetHour = nullptr;
    QLabel* lbMoonSetSign = nullptr;
    QLabel* lbMoonSetDelta = nullptr;
    QLabel* lbMoonSetSymbol = nullptr;
    QLabel* lbMoonLight = nullptr;
    QLabel* lbMoonLightHour = nullptr;
    QLabel* lbMoonLightSign = nullptr;
    QLabel* lbMoonLightDelta = nullptr;
    QLabel* lbMoonLightSymbol = nullptr;

    // The twilight panel, in the sun panel's place: a click on the sunrise
    // caption shows it, a click on one of its captions the sun panel again.
    // Rows: civil, nautical, astronomical (caption, dawn, dusk) and solar
    // noon (caption, time, the sun's altitude).
    QFrame* PnTwilight = nullptr;  // hidden at start
    std::array<std::array<QLabel*, 3>, 4> TwilightRows{};

    // The light panel, in the sun panel's place: a click on the sunset
    // caption shows it, a click on one of its captions the sun panel again.
    // Rows (caption, start, end): the morning blue and golden hours, the
    // evening golden and blue hours, then the visible sunrise and sunset and
    // the user's own events; the rows scroll when the panel cannot hold them.
    QScrollArea* PnLight = nullptr;  // hidden at start
    QWidget* LightArea = nullptr;    // the rows, inside PnLight
    std::vector<std::array<QLabel*, 3>> LightRows;

    // The moon's phase beside the place, shown with the moon panel: the disc,
    // the name (the age and the next full and new moon in its hint) and the
    // lit part.
    QLabel* MoonDisc = nullptr;
    QLabel* lbMoonPhase = nullptr;
    QLabel* lbMoonIlluminated = nullptr;

    QLabel* lbSummerTime = nullptr;
    QLabel* lbWinterTime = nullptr;
    QLabel* lbDaysSummerTime = nullptr;
    QLabel* lbSummerStartHour = nullptr;
    QLabel* lbWinterStartHour = nullptr;
    QLabel* lbSummerDuration = nullptr;

    QLabel* lbCoordinates = nullptr;
    QLabel* lbLatitude = nullptr;
    QLabel* lbLongitude = nullptr;
    QLabel* lbSetupHelp = nullptr;

    // The clock display, a panel used as a button; its bevels are drawn
    // raised or lowered (SetClockPanelLowered).
    QLabel* ClockPanel = nullptr;
    QLabel* SunGraphThumbnail = nullptr;  // small graph picture, hint "Sungraph"
    QFrame* FocusRing = nullptr;          // around the focused calendar or caption
    QScrollArea* ClientScroll = nullptr;  // the central widget, around ClientArea
    QWidget* ClientArea = nullptr;        // the controls at their fixed places
    QTableWidget* LabelGrid = nullptr;    // translation grid, hidden

    QMenuBar* MenuBar = nullptr;
    QMenu* SetUp = nullptr;
    QAction* ConfigurationAction = nullptr;
    QAction* GraphicsAction = nullptr;
    QAction* ExportAction = nullptr;
    QAction* PlacesAction = nullptr;
    QAction* AlmanacAction = nullptr;  // the almanac window
    QAction* HelpFileAction = nullptr;
    QAction* HomePageAction = nullptr;
    QAction* EmailAction = nullptr;
    QAction* PanelsSeparator = nullptr;
    QAction* SunPanelAction = nullptr;  // Ctrl+1, Ctrl+2, Ctrl+3
    QAction* TwilightPanelAction = nullptr;
    QAction* MoonPanelAction = nullptr;
    QAction* LightPanelAction = nullptr;  // Ctrl+4
    QAction* SystraySeparator = nullptr;
    QAction* SystrayMenu = nullptr;  // checkable
    QAction* AboutSeparator = nullptr;
    QAction* AboutAction = nullptr;
    QAction* ExitSeparator = nullptr;
    QAction* ExitAction = nullptr;

    // The notification-area icon and its menu (mainwindow_tray.cpp). The icon is
    // shown exactly while tray mode (the tick of SystrayMenu) is on.
    QSystemTrayIcon* TrayIcon = nullptr;
    QMenu* TrayMenu = nullptr;
    QAction* TrayConfiguration = nullptr;
    QAction* TrayAbout = nullptr;
    QAction* TrayPlaces = nullptr;
    QAction* TrayAlmanac = nullptr;
    QAction* TraySeparator = nullptr;
    QAction* TraySystrayOut = nullptr;
    QAction* Shutdown = nullptr;
    // Where tray mode is remembered, and whether the desktop has a
    // notification area; tests replace both before TrayIconStartup.
    TrayPreference TrayStore;
    std::function<bool()> TrayAvailable;
    // Decides at start whether the window is shown: false when tray mode was
    // left on (the program then starts hidden, with its icon). The program
    // entry calls it once, right after creating the window.
    bool TrayIconStartup();

    // The translation grid (mainwindow_grid.cpp): true when the last password
    // confirmation carried the access code; never saved.
    bool GridUnlocked = false;
    // Whether the grid may select (and so edit) cell (column, row) of the
    // label table.
    bool LabelGridSelectCell(int column, int row) const;

    // Where the sun and the moon stand now, refreshed by the clock tick; the
    // sky view and the alignment finder from the menu and the tray.
    QLabel* lbPositionNow = nullptr;
    QAction* SkyViewSeparator = nullptr;
    QAction* SkyViewAction = nullptr;
    QAction* AlignmentsAction = nullptr;
    QAction* TraySkyView = nullptr;
    void ShowPositionNow(const QDateTime& now);

    QTimer* ClockTimer = nullptr;  // 1000 ms, precise, runs for the window's whole life

    // The alarms (mainwindow_clock.cpp). AlarmSounds plays the alarm sounds; it
    // is made on first use. PlaySound is also the configuration dialog's
    // sound preview.
    SoundPlayer* AlarmSounds = nullptr;
    SoundStart PlaySound(const QString& fileName);
    // The way of the alarms that go out as a desktop notification; made on
    // the session bus on first use, set by tests beforehand.
    AlarmNotifier* Notifier1 = nullptr;
    AlarmNotifier* Notifier();
    // The tick reads the time from `clock` from now on (the system clock
    // until then); the tick's memory of the previous tick starts afresh.
    void SetClock(const ClockSource& clock);

    // The hint of the notification-area icon, rewritten by every
    // MonthCalendarChange (also sent as trayHintChanged).
    QString TrayHint;

    // The date the calendar shows.
    QDate ShownDate() const;
    DayNumber ShownDay() const;
    bool MoonPanelShown() const;
    void SetClockPanelLowered(bool lowered);

public slots:
    // The calendar's date changed (or the day must be drawn anew): the shared
    // state shows that date, and the window copies its day view.
    void MonthCalendarChange();
    // Copies the day view of the shared state into the controls; the slot a
    // window connects to after it changed the state.
    void ShowDay();
    // The one-second tick (defined in mainwindow_clock.cpp).
    void ClockTick();

    void YearSpinChange();
    void MonthSpinChange();
    // Moves the calendar exactly onto `date` (clamped to 1900..2500), the spin
    // edits follow, and the day view is recomputed.
    void JumpToDate(const QDate& date);
    void lbSummerTimeClick();
    void lbWinterTimeClick();
    void lbDaysSummerTimeClick();
    // Left button: the calendar's first weekday one day later; right button:
    // one day earlier. WeekStartDay follows the calendar in any case.
    void lbWeekMouseDown(Qt::MouseButton button);
    // The right button on the window or on most of its controls opens the
    // configuration dialog; other buttons do nothing.
    void lbSunRiseHourMouseDown(Qt::MouseButton button);
    // Opens the configuration dialog and redraws the day when it closes.
    void Button1Click();
    void ConfigurationActionClick();
    // The panel switches: sun panel -> moon panel and back.
    void lbdaylightClick();
    void lbMoonLightClick();
    // Sun panel -> twilight panel and back.
    void lbSunriseClick();
    void lbTwilightClick();
    // Sun panel -> light panel and back.
    void lbSunsetClick();
    void lbLightClick();
    // The sun, twilight or moon panel (with the moon's phase), from the menu
    // or its keys.
    void ShowPanel(dawn::ShownPanel panel);
    void SunGraphPictureClick();
    void ExitActionClick();
    // Tray mode on or off (SystrayMenu and TraySystrayOut).
    void SystrayMenuClick();
    // Left or middle button on the tray icon: the window comes back.
    void TrayIconMouseDown(Qt::MouseButton button);
    // Ends the program with tray mode off.
    void ShutdownClick();
    void OpenMailLink();
    // Double-click on the sunset sign (sun or moon panel): asks for the
    // password dialog (translationGridRequested).
    void lbSunSetSymbolDblClick();
    // The password dialog was confirmed: fills and shows the grid, every
    // language editable when `unlocked`, only the local one otherwise.
    void ShowTranslationGrid(bool unlocked);
    // Saves the label table and hides the grid; a write error is shown and
    // the grid stays open with the edits.
    void LabelGridDblClick();

signals:
    void configurationRequested();  // connect to the dialog's exec()
    void sunGraphRequested();
    void moonGraphRequested();
    void exportRequested();
    void placesRequested();
    void almanacRequested();  // the almanac window, from the menu or the tray menu
    void helpRequested(int context);
    void homePageRequested();
    void mailRequested();
    void aboutRequested();
    void translationGridRequested();
    void skyViewRequested();
    void alignmentsRequested();
    void trayHintChanged(const QString& hint);
    // An alarm's picture: connect directly to PictureWindow::ShowImage, which
    // returns when the picture window is closed.
    void imageRequested(const QString& fileName, bool stretch, const QString& caption,
                        std::chrono::minutes eventTime, DayNumber eventDate);
    // The close was accepted: the program ends (the entry quits its loop).
    void programEnds();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // FormClose: in tray mode a close only hides the window in the tray.
    void closeEvent(QCloseEvent* event) override;
    // A new palette (a dark style) recolours the calendar and the rows.
    void changeEvent(QEvent* event) override;

private:
    void BuildControls();
    void BuildMenu();
    void PlaceControls();
    void WireMouse();
    void WireKeyboard();
    void ApplyPaletteColours();
    // The ring around the calendar or the caption that has the focus.
    void MoveFocusRing(QWidget* focused);
    // What a click on `watched` does; false when a click does nothing there.
    bool ActivateControl(QObject* watched);
    QList<QWidget*> keyTargets_;
    QMetaObject::Connection focusWatch_;
    void ShowPendingMessages();
    // Sets the calendar to `date` when it differs; true when it changed
    // (the change event then ran MonthCalendarChange).
    bool SetCalendarDate(const QDate& date);
    void OnCalendarSelectionChanged();
    void OnCalendarPageChanged(int year, int month);
    void SyncSpinEdits();
    void ApplyWeekStartDay();
    void ShowView(const DayView& view);
    // The light panel of the shown date: its rows made as many as it needs.
    void ShowLightPanel();
    bool IsLightCaption(QObject* watched) const;
    void LayLightRows();
    // The light rows' boxes, set by PlaceControls.
    int lightRowHeight_ = 0;
    std::array<int, 3> lightColumns_{};
    // The menus' captions in the applied language.
    void PutLabelsOnMenus();
    void BuildTray();
    void BuildGrid();
    void ShowMainWindow();
    void HideMainWindow();
    void FillGrid();
    void UpdateGridLock();
    // One alarm of the tick; false when the rest of the tick is skipped.
    bool RaiseAlarm(const DueAlarm& alarm, std::optional<double> azimuth);
    // The eclipse alarm's ring, with the sunrise's sound and picture.
    bool RaiseEclipseAlarm(const EclipseRing& ring);
    // What both alarms do: the sound, then the picture or the notification.
    bool RingAlarm(const QString& caption, bool rise, AlarmChannel channel,
                   std::chrono::minutes offset, std::chrono::minutes eventTime, DayNumber eventDate,
                   std::optional<double> azimuth);
    AlarmEventDetail AlarmEventOfDate(AlarmEvent kind, DayNumber date) const;

    AppState& state_;
    MessageBoxes& messages_;
    // The user's locale, for the calendar's weekday names.
    QLocale locale_;
    SoundOutputFactory sounds_;  // makes the media layer of AlarmSounds
    const ClockSource* clock_ = &SystemClock();
    AlarmState alarms_;
    EclipseAlarmClock eclipseAlarms_;
    // The calendar's marks of the almanac's events, computed per shown month.
    AlmanacCalendarMarks almanacMarks_;
    // When a key, the mouse or the wheel was last used over a window of the
    // program (by the clock above); invalid until the first use or tick.
    QDateTime lastUse_;
    void WatchUse();
    // The dates shown in the two summer-time rows, for the caption clicks.
    QDate upperRowDate_;
    QDate lowerRowDate_;
};

}  // namespace dawn
