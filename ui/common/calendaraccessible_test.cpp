#include "ui/common/calendaraccessible.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QLocale>
#include <QTableView>
#include <tuple>

namespace dawn {
namespace {

// The main window's calendar: no week numbers, short day names on top.
struct Calendar {
    QCalendarWidget widget;
    QTableView* view = nullptr;
    explicit Calendar(Qt::DayOfWeek firstDay = Qt::Monday) {
        widget.setLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
        widget.setNavigationBarVisible(false);
        widget.setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        widget.setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
        widget.setFirstDayOfWeek(firstDay);
        widget.resize(400, 300);
        widget.show();
        view = widget.findChild<QTableView*>();
        DescribeCalendarCells(&widget);
    }
    QAccessibleInterface* Table() const { return QAccessible::queryAccessibleInterface(view); }
};

// The date of a cell is the date Qt selects there and the day number it
// shows, whichever day the week starts on and wherever the month's first day
// falls (a month starting on the week's first day shows a whole week of the
// month before).
TEST(CalendarCells, DateOfACellIsTheDateTheCalendarShowsThere) {
    const std::tuple<Qt::DayOfWeek, int, int> pages[] = {
        {Qt::Monday, 2024, 2},     // leap February
        {Qt::Monday, 2021, 2},     // starts on a Monday: a week of January above
        {Qt::Sunday, 2026, 11},    // starts on a Sunday, weeks from Sunday
        {Qt::Saturday, 2026, 12},  // weeks from Saturday
        {Qt::Monday, 1900, 1},     // the first month of the calendar's range
    };
    for (const auto& [firstDay, year, month] : pages) {
        Calendar calendar(firstDay);
        const QDate first(year, month, 1);
        for (QDate d = first; d.month() == month; d = d.addDays(1)) {
            calendar.widget.setSelectedDate(d);
            EXPECT_EQ(CalendarCellDate(calendar.widget, calendar.view->currentIndex()), d)
                << d.toString(Qt::ISODate).toStdString() << ", weeks from " << firstDay;
        }
        const QAbstractItemModel* model = calendar.view->model();
        QDate previous;
        for (int row = 1; row <= 6; ++row) {
            for (int column = 0; column < 7; ++column) {
                const QModelIndex index = model->index(row, column);
                const QDate date = CalendarCellDate(calendar.widget, index);
                ASSERT_TRUE(date.isValid());
                EXPECT_EQ(date.day(), index.data(Qt::DisplayRole).toInt())
                    << year << "-" << month << " cell " << row << "," << column;
                if (previous.isValid()) {
                    EXPECT_EQ(previous.addDays(1), date);
                }
                previous = date;
            }
        }
        EXPECT_LT(CalendarCellDate(calendar.widget, model->index(1, 0)), first);
        // The header row has no date.
        EXPECT_FALSE(CalendarCellDate(calendar.widget, model->index(0, 3)).isValid());
    }
}

TEST(CalendarCells, ScreenReaderReadsWeekdayHeadersAndFullDates) {
    Calendar calendar(Qt::Monday);
    calendar.widget.setSelectedDate(QDate(2026, 12, 11));
    QAccessibleInterface* table = calendar.Table();
    ASSERT_NE(table, nullptr);
    ASSERT_NE(table->tableInterface(), nullptr);
    // The cells (the weekday row and six weeks) on the grid Qt's focus events
    // count on, with a first row and column for the hidden header views:
    // those say nothing, so no header reads "1".."7".
    EXPECT_EQ(table->childCount(), 8 * 8);
    for (int i = 0; i < table->childCount(); ++i) {
        QAccessibleInterface* child = table->child(i);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(table->indexOfChild(child), i);
        const bool headerPlace = i < 8 || i % 8 == 0;
        EXPECT_EQ(child->tableCellInterface() == nullptr, headerPlace) << i;
        if (headerPlace) {
            EXPECT_TRUE(child->state().invisible);
            EXPECT_TRUE(child->text(QAccessible::Name).isEmpty());
        } else {
            EXPECT_EQ(child->tableCellInterface()->rowIndex(), i / 8 - 1);
            EXPECT_EQ(child->tableCellInterface()->columnIndex(), i % 8 - 1);
        }
    }
    const QStringList days = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                              "Friday", "Saturday", "Sunday"};
    for (int column = 0; column < 7; ++column) {
        QAccessibleInterface* header = table->tableInterface()->cellAt(0, column);
        EXPECT_EQ(header->role(), QAccessible::ColumnHeader);
        EXPECT_EQ(header->text(QAccessible::Name), days[column]);
        EXPECT_EQ(table->tableInterface()->columnDescription(column), days[column]);
        // Asked of the first row, as the desktop's bridge asks it.
        const auto own = header->tableCellInterface()->columnHeaderCells();
        ASSERT_EQ(own.size(), 1);
        EXPECT_EQ(own.front(), header);
    }
    // Friday 11 December 2026 stands in the Friday column, with its full date.
    const QModelIndex current = calendar.view->currentIndex();
    QAccessibleInterface* cell = table->tableInterface()->cellAt(current.row(), current.column());
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(QAccessible::Name), QStringLiteral("11"));
    EXPECT_EQ(cell->text(QAccessible::Description), QStringLiteral("Friday, 11 December 2026"));
    EXPECT_TRUE(cell->state().selected);
    const auto headers = cell->tableCellInterface()->columnHeaderCells();
    ASSERT_EQ(headers.size(), 1);
    EXPECT_EQ(headers.front()->text(QAccessible::Name), QStringLiteral("Friday"));
    // The same interface each time: a screen reader keeps track of it.
    EXPECT_EQ(table->tableInterface()->cellAt(current.row(), current.column()), cell);
}

TEST(CalendarCells, PressingADayChoosesIt) {
    Calendar calendar(Qt::Monday);
    calendar.widget.setSelectedDate(QDate(2026, 12, 11));
    QAccessibleInterface* table = calendar.Table();
    // Row 1 of December 2026 (weeks from Monday) starts on Monday 30 November.
    QAccessibleInterface* cell = table->tableInterface()->cellAt(1, 0);
    ASSERT_NE(cell->actionInterface(), nullptr);
    EXPECT_EQ(cell->text(QAccessible::Description), QStringLiteral("Monday, 30 November 2026"));
    cell->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(calendar.widget.selectedDate(), QDate(2026, 11, 30));
    // A header does nothing.
    QAccessibleInterface* header = table->tableInterface()->cellAt(0, 2);
    EXPECT_TRUE(header->actionInterface()->actionNames().isEmpty());
}

}  // namespace
}  // namespace dawn
