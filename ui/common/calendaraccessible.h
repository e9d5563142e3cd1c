#pragma once
// The month calendar as a screen reader meets it. Qt's own description of a
// QCalendarWidget's day table counts its hidden header views as children,
// named "1".."7", and so answers a cell's column header with a number. This
// description keeps the places the view's focus and selection events count
// on, but the hidden headers' places hold nameless invisible fillers: the
// weekday row is the column headers, named with the weekday's full name, and
// a day cell tells its full date.
class QCalendarWidget;
class QDate;
class QModelIndex;

namespace dawn {

// Describes `calendar`'s day table as above from now on. The first call
// installs the accessibility factory that reads the mark.
void DescribeCalendarCells(QCalendarWidget* calendar);

// The date that the day table's cell `index` shows; invalid for a header
// cell. The calendar lays out six weeks and starts on its first day of the
// week, with at least one day of the month before in the first row.
QDate CalendarCellDate(const QCalendarWidget& calendar, const QModelIndex& index);

}  // namespace dawn
