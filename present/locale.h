// What the program takes from the user's locale: the time separator, the
// short date format, the decimal point, the digits and the names of months
// and weekdays. They are captured once at start-up (by the windows from the
// system's locale, by the command line from its table of locales) and passed
// around as values, so every rule can be tested with any locale.
//
// Dates are written by the locale's pattern, in the notation of the windows'
// toolkit: d and dd the day, M and MM the month number, MMM and MMMM its
// short and long name, ddd and dddd the weekday's, yy and yyyy the year,
// 'quoted' text as it stands ('' is a quote); every other character is
// copied. "dd/MM/yyyy" writes 5 July 2024 as 05/07/2024, "d MMM yyyy" as
// 5 Jul 2024.
#pragma once

#include <array>
#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "core/daynumber.h"
#include "i18n/labels.h"

namespace dawn {

struct LocaleFormats {
    // Between hours and minutes: ":" for most locales, "." for fi_FI.
    std::string TimeSeparator = ":";
    // The short date format with the year always in four digits.
    std::string DateFormat = "dd/MM/yyyy";
    std::string DecimalPoint = ".";
    // The locale's digit zero; the other digits follow it in Unicode.
    std::string ZeroDigit = "0";
    // Names as they stand in a date, January and Sunday first.
    std::array<std::string, 12> MonthNames{"January",   "February", "March",    "April",
                                           "May",       "June",     "July",     "August",
                                           "September", "October",  "November", "December"};
    std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 7> DayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                        "Thursday", "Friday", "Saturday"};
    std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    // Names standing on their own (a month heading, a weekday button).
    std::array<std::string, 12> StandaloneMonthNames = MonthNames;
    std::array<std::string, 12> StandaloneShortMonthNames = ShortMonthNames;
    WeekdayNames StandaloneDayNames = DayNames;

    // "hh<sep>mm" of a time of day or a span below a day.
    std::string ClockText(std::chrono::minutes m) const;
    // "--<sep>--": the clock text of a time that does not exist.
    std::string EmptyClockText() const;
    // A date written with DateFormat.
    std::string DateText(DayNumber date) const;

    friend bool operator==(const LocaleFormats&, const LocaleFormats&) = default;
};

// A date pattern read once and then applied to many dates (the export writes
// hundreds of thousands).
class DateWriter {
public:
    DateWriter(std::string_view pattern, const LocaleFormats& locale);
    void Append(std::string& out, DayNumber date) const;
    std::string Text(DayNumber date) const;

private:
    enum class Field : unsigned char {
        Literal,
        Day,
        Day2,
        DayName,
        LongDayName,
        Month,
        Month2,
        MonthName,
        LongMonthName,
        Year2,
        Year4
    };
    struct Piece {
        Field field;
        std::string literal;
    };
    void AppendNumber(std::string& out, int value, int width) const;

    std::vector<Piece> pieces_;
    const LocaleFormats* locale_;
    char32_t zero_ = U'0';
};

// The separator between the hour and the minute field of a time format
// ("HH:mm" -> ":", "H.mm" -> ".", "h:mm AP" -> ":", "HH 'h' mm" -> "h");
// ":" when there is none.
std::string TimeSeparatorOf(std::string_view timeFormat);

// A date format with every year field widened to four digits; quoted
// literal text is left alone ("dd.MM.yy" -> "dd.MM.yyyy").
std::string WithFourDigitYear(std::string_view dateFormat);

}  // namespace dawn
