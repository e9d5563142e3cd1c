// Date navigation: the calendar, the year and month spin edits with the
// month name over them, the jumps of the summer-time captions, the week
// column's first weekday, and the ways to the configuration dialog.
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>

#include "core/calendar.h"
#include "ui/locale/qtlocale.h"
#include "ui/main/tform1.h"

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

bool TForm1::SetCalendarDate(const QDate& date) {
    const QDate target = InRange(date);
    if (target == Calendar1->selectedDate()) return false;
    // The change event runs Calendar1Change.
    Calendar1->setSelectedDate(target);
    return true;
}

void TForm1::OnCalendarSelectionChanged() {
    SyncSpinEdits();
    Calendar1Change();
}

// Paging the calendar (the mouse wheel, keys) keeps the day in the new month.
void TForm1::OnCalendarPageChanged(int year, int month) {
    const QDate shown = Calendar1->selectedDate();
    if (shown.year() == year && shown.month() == month) return;
    SetCalendarDate(ClampedDate(year, month, shown.day()));
}

// The spin edits mirror the calendar; setting them here runs no handler.
void TForm1::SyncSpinEdits() {
    const QDate shown = Calendar1->selectedDate();
    const QSignalBlocker blockYear(SpinEdit1);
    const QSignalBlocker blockMonth(SpinEdit2);
    SpinEdit1->setValue(shown.year());
    SpinEdit2->setValue(shown.month());
}

void TForm1::ApplyWeekStartDay() {
    Calendar1->setFirstDayOfWeek(QtWeekday(state_.Settings.WeekStartDay % 7));
}

void TForm1::SpinEdit1Change() {
    const QDate shown = Calendar1->selectedDate();
    if (!SetCalendarDate(ClampedDate(SpinEdit1->value(), shown.month(), shown.day())))
        SyncSpinEdits();
    lbStartZomerUur->update();
    lbDaysSummerTime->update();
    lbZomerduur->update();
    Calendar1->setFocus();
}

void TForm1::SpinEdit2Change() {
    const QDate shown = Calendar1->selectedDate();
    int year = shown.year();
    int month = SpinEdit2->value();
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
    Calendar1->setFocus();
}

void TForm1::JumpToDate(const QDate& date) {
    if (!date.isValid()) return;
    // One move of the whole date, so a shorter month in between cannot
    // clip the day.
    if (!SetCalendarDate(date)) Calendar1Change();
    Calendar1->setFocus();
}

void TForm1::lbSummerTimeClick() {
    JumpToDate(upperRowDate_);
}

void TForm1::lbWinterTimeClick() {
    JumpToDate(lowerRowDate_);
}

void TForm1::lbDaysSummerTimeClick() {
    JumpToDate(ToQDate(state_.Today));
}

void TForm1::lbWeekMouseDown(Qt::MouseButton button) {
    int first = WeekStartDayOf(Calendar1->firstDayOfWeek());
    if (button == Qt::LeftButton) first = (first + 1) % 7;
    if (button == Qt::RightButton) first = (first + 6) % 7;
    Calendar1->setFirstDayOfWeek(QtWeekday(first));
    state_.Settings.WeekStartDay =
        static_cast<std::uint8_t>(WeekStartDayOf(Calendar1->firstDayOfWeek()));
    // The rows may move by a week, and the numbers with them.
    ShowDay();
}

void TForm1::lbSunRiseHourMouseDown(Qt::MouseButton button) {
    if (button == Qt::RightButton) Button1Click();
}

void TForm1::Button1Click() {
    emit configurationRequested();
    Calendar1Change();
    Calendar1->update();
    Calendar1->setFocus();
}

void TForm1::Configuration1Click() {
    SetPanel1Lowered(true);
    Button1Click();
}

void TForm1::ShowPanel(ShownPanel panel) {
    state_.Panel = panel == ShownPanel::Moon ? Body::Moon : Body::Sun;
    state_.TwilightShown = panel == ShownPanel::Twilight;
    PnSun->setVisible(panel == ShownPanel::Sun);
    PnTwilight->setVisible(panel == ShownPanel::Twilight);
    PnMoon->setVisible(panel == ShownPanel::Moon);
    ShowDay();
}

void TForm1::lbdaylightClick() {
    state_.Panel = Body::Moon;
    PnSun->hide();
    PnMoon->show();
    ShowDay();
}

void TForm1::lbMoonLightClick() {
    state_.Panel = Body::Sun;
    PnMoon->hide();
    PnSun->show();
    ShowDay();
}

void TForm1::lbSunriseClick() {
    state_.TwilightShown = true;
    PnSun->hide();
    PnTwilight->show();
    ShowDay();
}

void TForm1::lbTwilightClick() {
    state_.TwilightShown = false;
    PnTwilight->hide();
    PnSun->show();
    ShowDay();
}

}  // namespace dawn
