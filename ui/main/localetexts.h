#pragma once
// The texts the program takes from the user's locale: the time separator and
// the clock and date formats, the decimal point, and the month and weekday
// names. They are read once at start-up from the system locale and then
// passed around as values, so every rule can be tested with any locale
// (QLocale("fi_FI") writes 07.05, QLocale("en_US") 7/5/2024).
#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>
#include <array>
#include <string>

#include "i18n/labels.h"

namespace dawn {

struct LocaleTexts {
    QLocale Locale = QLocale::c();
    // The character the locale's short time format puts between hours and
    // minutes: ":" for most locales, "." for fi_FI and da_DK; ":" when the
    // format has none.
    QString TimeSeparator = QStringLiteral(":");
    // Two-digit 24-hour hours, the separator and two-digit minutes, as a
    // QTime format ("HH:mm", "HH.mm"), whatever the locale's own clock says.
    // Every clock text is written and read with it.
    QString TimeFormat = QStringLiteral("HH:mm");
    // The locale's short date format with the year always in four digits
    // ("M/d/yy" becomes "M/d/yyyy").
    QString DateFormat = QStringLiteral("dd/MM/yyyy");
    QString DecimalPoint = QStringLiteral(".");
    // Stand-alone names; months January first, weekdays Sunday first.
    std::array<QString, 12> ShortMonthNames;
    std::array<QString, 12> LongMonthNames;
    WeekdayNames LongWeekdayNames;  // UTF-8, for the "Loc" language

    std::string TimeSeparatorUtf8() const { return TimeSeparator.toStdString(); }
    // "hh<sep>mm" of a count of minutes (a time of day or a span below a day).
    QString ClockText(int minutes) const;
    // "--<sep>--": the clock text of a time that does not exist.
    QString EmptyClockText() const;
    // A date written with DateFormat and the locale's names.
    QString DateText(const QDate& date) const;
    // Reads a clock text written with TimeFormat; invalid QTime otherwise.
    QTime ParseClockText(const QString& text) const;
};

// Everything above from one locale.
LocaleTexts MakeLocaleTexts(const QLocale& locale);

// The separator between the hour and the minute field of a QTime format
// ("HH:mm" -> ":", "H.mm" -> ".", "h:mm AP" -> ":", "HH 'h' mm" -> "h");
// ":" when there is none.
QString TimeSeparatorOf(const QString& timeFormat);

// A QDate format with every year field widened to four digits; quoted
// literal text is left alone ("dd.MM.yy" -> "dd.MM.yyyy").
QString WithFourDigitYear(const QString& dateFormat);

}  // namespace dawn
