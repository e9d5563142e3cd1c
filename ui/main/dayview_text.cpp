#include "ui/main/dayview_text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/calendar.h"

namespace dawn {
namespace {

std::string TwoDigits(std::int64_t v) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%02lld", static_cast<long long>(v));
    return buf;
}

}  // namespace

std::string PlaceAngleText(std::int32_t arcMinutes, std::string_view positiveLetter,
                           std::string_view negativeLetter) {
    const std::int64_t size = std::llabs(static_cast<long long>(arcMinutes));
    std::string text = TwoDigits(size / 60);
    text += arcMinutes < 0 ? negativeLetter : positiveLetter;
    text += TwoDigits(size % 60);
    return text;
}

std::string LatitudeText(std::int32_t latitudeMinutes, const HemisphereLetters& letters) {
    return PlaceAngleText(latitudeMinutes, letters.north, letters.south);
}

std::string LongitudeText(std::int32_t longitudeMinutes, const HemisphereLetters& letters) {
    return PlaceAngleText(longitudeMinutes, letters.east, letters.west);
}

std::string TimeZoneText(std::int32_t timeZoneMinutes, std::string_view timeSeparator) {
    const std::int64_t size = std::llabs(static_cast<long long>(timeZoneMinutes));
    std::string text = timeZoneMinutes < 0 ? "-" : "+";
    text += TwoDigits(size / 60);
    text += timeSeparator;
    text += TwoDigits(size % 60);
    return text;
}

std::string TimeZoneHint(std::int32_t timeZoneMinutes, std::string_view timeSeparator) {
    const std::string zone = TimeZoneText(timeZoneMinutes, timeSeparator);
    return "TimeZone = " + zone.substr(0, 1) + " " + zone.substr(1);
}

std::array<int, 6> WeekColumn(DayNumber firstOfMonth, bool firstWeekNewYear, bool leadingRow) {
    const int offset = firstWeekNewYear ? 1 : 0;
    const int w = WeekNumber(firstOfMonth) + offset;
    // The week before the first, then the weeks from the first's row on.
    std::array<int, 7> weeks{};
    weeks[1] = w == 0 ? 53 : w;
    weeks[2] = w == 0 ? 1 : w + 1;
    for (int i = 3; i < 7; ++i) weeks[i] = weeks[2] + (i - 2);
    weeks[0] = weeks[1] > 1 ? weeks[1] - 1 : WeekNumber(firstOfMonth - 7) + offset;
    std::array<int, 6> rows{};
    const int from = leadingRow ? 0 : 1;
    for (int i = 0; i < 6; ++i) rows[i] = weeks[from + i];
    return rows;
}

CaptionAlignment AlignCaptions(std::initializer_list<int> lengths) {
    int m = 10;
    for (int n : lengths) m = std::max(m, n);
    return CaptionAlignment{std::max(0, 20 - m), m > 20};
}

}  // namespace dawn
