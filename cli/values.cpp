#include "cli/values.h"

#include <limits>

#include "core/daynumber.h"

namespace dawn::cli {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<std::int64_t> ParseInteger(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 12) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (!IsDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    value = negative ? -value : value;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::chrono::year_month_day> ParseIsoDate(std::string_view text) {
    const std::optional<DayNumber> day = dawn::ParseIsoDate(text);
    if (!day) return std::nullopt;
    return day->ToDate();
}

std::string FormatIsoDate(std::chrono::year_month_day date) {
    return dawn::FormatIsoDate(DayNumber::FromDate(date));
}

std::string ReadInteger(const Command& command, std::string_view option, std::int32_t min,
                        std::int32_t max, std::int32_t& out) {
    const std::string name = "--" + std::string(option);
    const std::string* text = command.Value(option);
    if (text == nullptr) return "missing " + name;
    const std::string range =
        " (a whole number from " + std::to_string(min) + " to " + std::to_string(max) + ")";
    const auto value = ParseInteger(*text);
    if (!value) return name + ": " + QuotedArgument(*text) + " is not a whole number" + range;
    if (*value < min || *value > max)
        return name + ": " + QuotedArgument(*text) + " is out of range" + range;
    out = static_cast<std::int32_t>(*value);
    return {};
}

std::string ReadDate(const Command& command, std::string_view option,
                     std::chrono::year_month_day& out) {
    const std::string name = "--" + std::string(option);
    const std::string* text = command.Value(option);
    if (text == nullptr) return "missing " + name;
    const auto date = ParseIsoDate(*text);
    if (!date)
        return name + ": " + QuotedArgument(*text) +
               " is not a date of the calendar (expected YYYY-MM-DD)";
    if (*date < kFirstDate || *date > kLastDate) {
        return name + ": " + QuotedArgument(*text) + " is out of range (" +
               FormatIsoDate(kFirstDate) + " to " + FormatIsoDate(kLastDate) + ")";
    }
    out = *date;
    return {};
}

std::string ReadPlace(const Command& command, Place& out) {
    Place place{};
    if (auto e = ReadInteger(command, kLatitudeOption.name, -5400, 5400, place.latitudeMinutes);
        !e.empty())
        return e;
    if (auto e = ReadInteger(command, kLongitudeOption.name, -10800, 10800, place.longitudeMinutes);
        !e.empty()) {
        return e;
    }
    if (auto e = ReadInteger(command, kTimeZoneOption.name, -1439, 1439, place.timeZoneMinutes);
        !e.empty())
        return e;
    out = place;
    return {};
}

std::string ReadDateRange(const Command& command, std::chrono::year_month_day& from,
                          std::chrono::year_month_day& to) {
    std::chrono::year_month_day first{};
    std::chrono::year_month_day last{};
    if (auto e = ReadDate(command, kFromOption.name, first); !e.empty()) return e;
    if (auto e = ReadDate(command, kToOption.name, last); !e.empty()) return e;
    if (first > last)
        return "--from " + FormatIsoDate(first) + " is after --to " + FormatIsoDate(last);
    from = first;
    to = last;
    return {};
}

}  // namespace dawn::cli
