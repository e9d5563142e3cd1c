#include "core/calendar.h"

#include <algorithm>

namespace dawn {

int WeekNumber(DayNumber date) {
    const DayNumber jan1 = DayNumber::FromYmd(date.Year(), 1, 1);
    // Day of the year (1..7) of the year's first Monday.
    const int b = ((9 - jan1.WeekdayNumber()) % 7) + 1;
    const int d0 = date - jan1;
    return (d0 + 8 - b) / 7 + (b > 4 ? 1 : 0);
}

namespace {

// The Monday on or before `date`.
DayNumber MondayOf(DayNumber date) {
    return date - static_cast<std::int32_t>((date.Weekday().c_encoding() + 6) % 7);
}

}  // namespace

int IsoWeekNumber(DayNumber date) {
    const DayNumber thursday = MondayOf(date) + 3;
    const DayNumber jan1 = DayNumber::FromYmd(thursday.Year(), 1, 1);
    return (thursday - jan1) / 7 + 1;
}

int NewYearWeekNumber(DayNumber date) {
    const DayNumber monday = MondayOf(date);
    // The week belongs to the year of its Sunday: a week that holds 1 January
    // ends in the new year.
    const DayNumber jan1 = DayNumber::FromYmd((monday + 6).Year(), 1, 1);
    return (monday - MondayOf(jan1)) / 7 + 1;
}

std::uint8_t DaysInMonth(int month, int year) {
    switch (month) {
        case 1:
        case 3:
        case 5:
        case 7:
        case 8:
        case 10:
        case 12:
            return 31;
        case 4:
        case 6:
        case 9:
        case 11:
            return 30;
        case 2:
            return (year % 4 == 0 && (year % 100 != 0 || year % 400 == 0)) ? 29 : 28;
        default:
            return 28;
    }
}

std::uint16_t CountWeekdayInMonth(int month, int year, int weekday) {
    if (weekday < 1 || weekday > 7) return 0;
    const int days = DaysInMonth(month, year);
    const int m = std::clamp(month, 1, 12);
    const int firstWd = DayNumber::FromYmd(year, static_cast<unsigned>(m), 1).WeekdayNumber();
    // Day of the month (1..7) of the first such weekday.
    const int first = 1 + ((weekday - firstWd + 7) % 7);
    return static_cast<std::uint16_t>((days - first) / 7 + 1);
}

DayNumber NthWeekdayFromMonthEnd(int year, int month, int n, int weekday) {
    const int m = std::clamp(month, 1, 12);
    const DayNumber last = DayNumber::FromYmd(year, static_cast<unsigned>(m), DaysInMonth(m, year));
    if (weekday < 1 || weekday > 7) return last;
    const int count = CountWeekdayInMonth(m, year, weekday);
    const DayNumber lastMatch = last - ((last.WeekdayNumber() - weekday + 7) % 7);
    // n = 0 and a count beyond the month's occurrences walk through to day 1,
    // which leaves the earliest occurrence.
    const int k = (n < 1 || n > count) ? count : n;
    return lastMatch - 7 * (k - 1);
}

DayNumber RuleDate(int year, int month, int occurrence, int weekday) {
    const int m = std::clamp(month, 1, 12);
    const int days = DaysInMonth(m, year);
    if (weekday < 1 || weekday > 7) return DayNumber::FromYmd(year, static_cast<unsigned>(m), days);
    const DayNumber first = DayNumber::FromYmd(year, static_cast<unsigned>(m), 1);
    const DayNumber firstMatch = first + ((weekday - first.WeekdayNumber() + 7) % 7);
    if (occurrence >= 3) {
        const DayNumber last = first + (days - 1);
        return last - ((last.WeekdayNumber() - weekday + 7) % 7);
    }
    return firstMatch + 7 * std::max(occurrence, 0);
}

DstWindow ComputeDstWindow(const DstRuleParams& p, DayNumber date) {
    const int year = date.Year();
    if (!p.summerTimeEnabled) {
        return DstWindow{DayNumber::FromYmd(year, 1, 1), DayNumber::FromYmd(year, 12, 31)};
    }
    auto S = [&](int y) { return p.summer.In(y); };
    auto W = [&](int y) { return p.winter.In(y); };
    const bool spansNewYear =
        p.summer.month != p.winter.month ? p.summer.month > p.winter.month : S(year) > W(year);
    DstWindow w;
    if (!spansNewYear) {
        w.WinterStart = S(year) > date ? W(year - 1) : W(year);
        w.SummerStart = W(year) > date ? S(year) : S(year + 1);
    } else {
        w.SummerStart = W(year) > date ? S(year - 1) : S(year);
        w.WinterStart = S(year) > date ? W(year) : W(year + 1);
    }
    return w;
}

std::chrono::minutes ApplySummerTime(const DstWindow& window, bool summerTimeEnabled,
                                     DayNumber date, std::chrono::minutes time,
                                     std::chrono::minutes shift) {
    constexpr std::int64_t kDay = 24 * 60;
    std::int64_t m = time.count();
    if (summerTimeEnabled && window.Contains(date)) m += shift.count();
    m %= kDay;
    if (m < 0) m += kDay;
    return std::chrono::minutes(m);
}

std::chrono::minutes ClockRules::ShiftAt(DayNumber date, std::chrono::minutes standard) const {
    using std::chrono::minutes;
    if (!summerTimeEnabled) return minutes{0};
    const bool inSummer = window.Contains(date);
    // Inside summer time only its first day can be a change day, and outside
    // it only the first day of winter time.
    if (inSummer && date == window.SummerStart) return standard < changeAt ? minutes{0} : shift;
    if (!inSummer && date == window.WinterStart) return standard < changeAt ? shift : minutes{0};
    return inSummer ? shift : minutes{0};
}

ClockMoment ClockRules::ClockAt(DayNumber date, std::chrono::minutes standard) const {
    constexpr std::int64_t kDay = 24 * 60;
    const std::int64_t m = standard.count() + ShiftAt(date, standard).count();
    std::int64_t days = m / kDay;
    std::int64_t rest = m % kDay;
    if (rest < 0) {
        rest += kDay;
        --days;
    }
    return {date + static_cast<std::int32_t>(days), std::chrono::minutes(rest)};
}

}  // namespace dawn
