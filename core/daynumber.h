// DayNumber: a civil date as a whole number of days counted from
// 30 December 1899 (day 0), in the proleptic Gregorian calendar. 1 January 1900
// is day 2, 1 January 2000 is day 36526; dates before the epoch are negative.
//
// The <chrono> calendar types do the civil arithmetic; this type only fixes
// the count the program stores and compares, and keeps it from mixing with
// other integers.
#pragma once

#include <chrono>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dawn {

class DayNumber {
public:
    // Days between 1970-01-01 (the std::chrono::sys_days epoch) and 1899-12-30.
    static constexpr std::int32_t kUnixEpochOffset = 25569;

    constexpr DayNumber() = default;
    constexpr explicit DayNumber(std::int32_t days) : days_(days) {}

    static constexpr DayNumber FromSysDays(std::chrono::sys_days d) {
        return DayNumber(static_cast<std::int32_t>(d.time_since_epoch().count()) +
                         kUnixEpochOffset);
    }
    static constexpr DayNumber FromDate(std::chrono::year_month_day ymd) {
        return FromSysDays(std::chrono::sys_days(ymd));
    }
    static constexpr DayNumber FromYmd(int year, unsigned month, unsigned day) {
        return FromDate(std::chrono::year_month_day(
            std::chrono::year(year), std::chrono::month(month), std::chrono::day(day)));
    }

    constexpr std::int32_t Value() const { return days_; }
    constexpr std::chrono::sys_days ToSysDays() const {
        return std::chrono::sys_days(std::chrono::days(days_ - kUnixEpochOffset));
    }
    constexpr std::chrono::year_month_day ToDate() const {
        return std::chrono::year_month_day(ToSysDays());
    }
    constexpr int Year() const { return static_cast<int>(ToDate().year()); }
    constexpr unsigned Month() const { return static_cast<unsigned>(ToDate().month()); }
    constexpr unsigned Day() const { return static_cast<unsigned>(ToDate().day()); }

    constexpr std::chrono::weekday Weekday() const { return std::chrono::weekday(ToSysDays()); }
    // 1 Sunday, 2 Monday ... 7 Saturday: the numbering of the settings file.
    constexpr int WeekdayNumber() const { return static_cast<int>(Weekday().c_encoding()) + 1; }

    constexpr DayNumber& operator+=(std::int32_t n) {
        days_ += n;
        return *this;
    }
    constexpr DayNumber& operator-=(std::int32_t n) {
        days_ -= n;
        return *this;
    }
    constexpr DayNumber& operator++() {
        ++days_;
        return *this;
    }
    constexpr DayNumber& operator--() {
        --days_;
        return *this;
    }

    friend constexpr DayNumber operator+(DayNumber d, std::int32_t n) {
        return DayNumber(d.days_ + n);
    }
    friend constexpr DayNumber operator-(DayNumber d, std::int32_t n) {
        return DayNumber(d.days_ - n);
    }
    friend constexpr DayNumber operator+(DayNumber d, std::chrono::days n) {
        return DayNumber(d.days_ + static_cast<std::int32_t>(n.count()));
    }
    friend constexpr DayNumber operator-(DayNumber d, std::chrono::days n) {
        return DayNumber(d.days_ - static_cast<std::int32_t>(n.count()));
    }
    // Whole days from b to a.
    friend constexpr std::int32_t operator-(DayNumber a, DayNumber b) { return a.days_ - b.days_; }

    friend constexpr bool operator==(DayNumber, DayNumber) = default;
    friend constexpr auto operator<=>(DayNumber, DayNumber) = default;

private:
    std::int32_t days_ = 0;
};

// "2024-06-21". Years outside 0..9999 are written with as many digits as
// they need (and a '-' before the year).
std::string FormatIsoDate(DayNumber date);

// Reads exactly "YYYY-MM-DD" (four-digit year, two-digit month and day) of
// a date that exists; nothing for anything else ("2023-02-29", "2024-6-1").
std::optional<DayNumber> ParseIsoDate(std::string_view text);

}  // namespace dawn
