#include "core/daynumber.h"

#include <cstdio>

namespace dawn {

std::string FormatIsoDate(DayNumber date) {
    const auto ymd = date.ToDate();
    const int y = static_cast<int>(ymd.year());
    const auto m = static_cast<unsigned>(ymd.month());
    const auto d = static_cast<unsigned>(ymd.day());
    if (y < 0 || y > 9999) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", y, m, d);
        return buf;
    }
    // The common case without the formatting machinery: tables print
    // hundreds of thousands of dates.
    std::string out = "0000-00-00";
    out[0] = static_cast<char>('0' + y / 1000);
    out[1] = static_cast<char>('0' + y / 100 % 10);
    out[2] = static_cast<char>('0' + y / 10 % 10);
    out[3] = static_cast<char>('0' + y % 10);
    out[5] = static_cast<char>('0' + m / 10);
    out[6] = static_cast<char>('0' + m % 10);
    out[8] = static_cast<char>('0' + d / 10);
    out[9] = static_cast<char>('0' + d % 10);
    return out;
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
