#pragma once
// The Qt side of the plain values: the locale formats of a Qt locale (what
// the windows capture from the system's locale at start-up, and what the
// command line's table of locales is made from, so that both write dates and
// times alike), and the one conversion between day numbers and QDate.
#include <QDate>
#include <QLocale>
#include <QString>
#include <string_view>

#include "core/daynumber.h"
#include "present/locale.h"

namespace dawn {

LocaleFormats MakeLocaleFormats(const QLocale& locale);

// QDate counts Julian day numbers; 30 December 1899, day 0 of DayNumber, is
// Julian day 2415019.
inline constexpr qint64 kJulianDayOfDayZero = 2415019;
inline QDate ToQDate(DayNumber d) {
    return QDate::fromJulianDay(d.Value() + kJulianDayOfDayZero);
}
inline DayNumber ToDayNumber(const QDate& d) {
    if (!d.isValid()) return DayNumber();
    return DayNumber(static_cast<std::int32_t>(d.toJulianDay() - kJulianDayOfDayZero));
}

// A UTF-8 text of the plain code as a QString.
inline QString Q(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace dawn
