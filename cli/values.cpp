#include "cli/values.h"

#include <cstdio>
#include <limits>

namespace dawn::cli {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string Quoted(std::string_view text) {
    std::string shown = "'";
    for (const char c : text.substr(0, 40))
        shown.push_back(static_cast<unsigned char>(c) < 0x20 || c == 0x7f ? '?' : c);
    if (text.size() > 40) shown += "...";
    return shown + "'";
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
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const auto number = [&](std::size_t at, std::size_t length) -> int {
        int value = 0;
        for (std::size_t i = at; i < at + length; ++i) {
            if (!IsDigit(text[i])) return -1;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const int y = number(0, 4);
    const int m = number(5, 2);
    const int d = number(8, 2);
    if (y < 0 || m < 0 || d < 0) return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year{y}, std::chrono::month{unsigned(m)},
                                           std::chrono::day{unsigned(d)}};
    if (!date.ok()) return std::nullopt;
    return date;
}

std::string FormatIsoDate(std::chrono::year_month_day date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

std::string ReadInteger(const Command& command, std::string_view option, std::int32_t min,
                        std::int32_t max, std::int32_t& out) {
    const std::string name = "--" + std::string(option);
    const std::string* text = command.Value(option);
    if (text == nullptr) return "missing " + name;
    const std::string range =
        " (a whole number from " + std::to_string(min) + " to " + std::to_string(max) + ")";
    const auto value = ParseInteger(*text);
    if (!value) return name + ": " + Quoted(*text) + " is not a whole number" + range;
    if (*value < min || *value > max)
        return name + ": " + Quoted(*text) + " is out of range" + range;
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
        return name + ": " + Quoted(*text) + " is not a date of the calendar (expected YYYY-MM-DD)";
    if (*date < kFirstDate || *date > kLastDate) {
        return name + ": " + Quoted(*text) + " is out of range (" + FormatIsoDate(kFirstDate) +
               " to " + FormatIsoDate(kLastDate) + ")";
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
