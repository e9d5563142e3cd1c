// Date navigation: the calendar, the year and month spin edits with the
// month name over them, the jumps of the summer-time captions, the week
// column's first weekday, and the ways to the configuration dialog.
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>

#include "core/calendar.h"
#include "ui/common/qtlocale.h"
#include "ui/main/mainwindow.h"

namespace dawn {
namespace {

constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2500;

// The same day in another month or year, clamped to that month's length
// (31 January -> 28 February, 29 February 2024 -> 28 February 2025).
QDate ClampedDate(int year, int month, int day) {
    return QDate(year, month, std::min<int>(day, DaysInMonth(month, year)));
}

QDate InRange(const QDate& date) {
    return std::clamp(date, QDate(kFirstYear, 1, 1), QDate(kLastYear, 12, 31));
}

// Qt numbers weekdays 1 Monday .. 7 Sunday, the settings 0 Sunday .. 6 Saturday.
Qt::DayOfWeek QtWeekday(int weekStartDay) {
    return weekStartDay == 0 ? Qt::Sunday : static_cast<Qt::DayOfWeek>(weekStartDay);
}
int WeekStartDayOf(Qt::DayOfWeek day) {
    return day == Qt::Sunday ? 0 : int(day);
}

}  // namespace

bool MainWindow::SetCalendarDate(const QDate& date) {
    const QDate target = InRange(date);
    if (target == MonthCalendar->selectedDate()) return false;
    // The change event runs MonthCalendarChange.
    MonthCalendar->setSelectedDate(target);
    return true;
}

void MainWindow::OnCalendarSelectionChanged() {
    SyncSpinEdits();
    MonthCalendarChange();
}

// Paging the calendar (the mouse wheel, keys) keeps the day in the new month.
void MainWindow::OnCalendarPageChanged(int year, int month) {
    const QDate shown = MonthCalendar->selectedDate();
    if (shown.year() == year && shown.month() == month) return;
    SetCalendarDate(ClampedDate(year, month, shown.day()));
}

// The spin edits mirror the calendar; setting them here runs no handler.
void MainWindow::SyncSpinEdits() {
    const QDate shown = MonthCalendar->selectedDate();
    const QSignalBlocker blockYear(YearSpin);
    const QSignalBlocker blockMonth(MonthSpin);
    YearSpin->setValue(shown.year());
    MonthSpin->setValue(shown.month());
}

void MainWindow::ApplyWeekStartDay() {
    MonthCalendar->setFirstDayOfWeek(QtWeekday(state_.Settings.WeekStartDay % 7));
}

void MainWindow::YearSpinChange() {
    const QDate shown = MonthCalendar->selectedDate();
    if (!SetCalendarDate(ClampedDate(YearSpin->value(), shown.month(), shown.day())))
        SyncSpinEdits();
    lbSummerStartHour->update();
    lbDaysSummerTime->update();
    lbSummerDuration->update();
    MonthCalendar->setFocus();
}

void MainWindow::MonthSpinChange() {
    const QDate shown = MonthCalendar->selectedDate();
    int year = shown.year();
    int month = MonthSpin->value();
    // 13 and 0 only pass by: they carry into the next or previous year. At
    // the ends of the year range the month stays where it is.
    if (month == 13) {
        month = year < kLastYear ? 1 : 12;
        if (year < kLastYear) ++year;
    } else if (month == 0) {
        month = year > kFirstYear ? 12 : 1;
        if (year > kFirstYear) --year;
    }
    if (!SetCalendarDate(ClampedDate(year, month, shown.day()))) SyncSpinEdits();
    MonthCalendar->setFocus();
}

void MainWindow::JumpToDate(const QDate& date) {
    if (!date.isValid()) return;
    // One move of the whole date, so a shorter month in between cannot
    // clip the day.
    if (!SetCalendarDate(date)) MonthCalendarChange();
    MonthCalendar->setFocus();
}

void MainWindow::lbSummerTimeClick() {
    JumpToDate(upperRowDate_);
}

void MainWindow::lbWinterTimeClick() {
    JumpToDate(lowerRowDate_);
}

void MainWindow::lbDaysSummerTimeClick() {
    JumpToDate(ToQDate(state_.Today));
}

void MainWindow::lbWeekMouseDown(Qt::MouseButton button) {
    int first = WeekStartDayOf(MonthCalendar->firstDayOfWeek());
    if (button == Qt::LeftButton) first = (first + 1) % 7;
    if (button == Qt::RightButton) first = (first + 6) % 7;
    MonthCalendar->setFirstDayOfWeek(QtWeekday(first));
    state_.Settings.WeekStartDay =
        static_cast<std::uint8_t>(WeekStartDayOf(MonthCalendar->firstDayOfWeek()));
    // The rows may move by a week, and the numbers with them.
    ShowDay();
}

void MainWindow::lbSunRiseHourMouseDown(Qt::MouseButton button) {
    if (button == Qt::RightButton) Button1Click();
}

void MainWindow::Button1Click() {
    emit configurationRequested();
    MonthCalendarChange();
    MonthCalendar->update();
    MonthCalendar->setFocus();
}

void MainWindow::ConfigurationActionClick() {
    SetClockPanelLowered(true);
    Button1Click();
}

void MainWindow::ShowPanel(ShownPanel panel) {
    state_.Panel = panel == ShownPanel::Moon ? Body::Moon : Body::Sun;
    state_.TwilightShown = panel == ShownPanel::Twilight;
    PnLight->setVisible(panel == ShownPanel::Light);
    PnSun->setVisible(panel == ShownPanel::Sun);
    PnTwilight->setVisible(panel == ShownPanel::Twilight);
    PnMoon->setVisible(panel == ShownPanel::Moon);
    ShowDay();
}

void MainWindow::lbdaylightClick() {
    state_.Panel = Body::Moon;
    PnLight->hide();
    PnSun->hide();
    PnMoon->show();
    ShowDay();
}

void MainWindow::lbMoonLightClick() {
    state_.Panel = Body::Sun;
    PnMoon->hide();
    PnSun->show();
    ShowDay();
}

void MainWindow::lbSunriseClick() {
    state_.TwilightShown = true;
    PnSun->hide();
    PnTwilight->show();
    ShowDay();
}

void MainWindow::lbTwilightClick() {
    state_.TwilightShown = false;
    PnTwilight->hide();
    PnSun->show();
    ShowDay();
}

void MainWindow::lbSunsetClick() {
    PnSun->hide();
    PnLight->show();
    ShowDay();
}

void MainWindow::lbLightClick() {
    PnLight->hide();
    PnSun->show();
    ShowDay();
}

}  // namespace dawn
