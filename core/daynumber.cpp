#include "core/daynumber.h"

#include <cstdio>

namespace dawn {

std::string FormatIsoDate(DayNumber date) {
    const auto ymd = date.ToDate();
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
    return buf;
}

std::optional<DayNumber> ParseIsoDate(std::string_view t) {
    if (t.size() != 10 || t[4] != '-' || t[7] != '-') return std::nullopt;
    auto digits = [&](std::size_t from, std::size_t count, int& out) {
        out = 0;
        for (std::size_t i = from; i < from + count; ++i) {
            if (t[i] < '0' || t[i] > '9') return false;
            out = out * 10 + (t[i] - '0');
        }
        return true;
    };
    int y = 0, m = 0, d = 0;
    if (!digits(0, 4, y) || !digits(5, 2, m) || !digits(8, 2, d)) return std::nullopt;
    const std::chrono::year_month_day ymd{std::chrono::year(y),
                                          std::chrono::month(static_cast<unsigned>(m)),
                                          std::chrono::day(static_cast<unsigned>(d))};
    if (!ymd.ok()) return std::nullopt;
    return DayNumber::FromDate(ymd);
}

}  // namespace dawn
