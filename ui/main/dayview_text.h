#pragma once
// The short texts of the place and the time zone, as the day view, the graph
// titles and the export header show them: 50N47, 05E28, 122W25, +01:00.
// Plain functions of plain values (no Qt), so that every window and the
// command line write them alike.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/daynumber.h"
#include "i18n/labels.h"

namespace dawn {

// Whole degrees, the hemisphere letter, two-digit minutes; degrees below ten
// get a leading "0": 3047 -> "50N47", -2032 -> "33S52", 328 -> "05E28",
// -7345 -> "122W25". An empty letter leaves the digits side by side.
std::string PlaceAngleText(std::int32_t arcMinutes, std::string_view positiveLetter,
                           std::string_view negativeLetter);
std::string LatitudeText(std::int32_t latitudeMinutes, const HemisphereLetters& letters);
std::string LongitudeText(std::int32_t longitudeMinutes, const HemisphereLetters& letters);

// "+" or "-" and the clock text of the offset's size: 60 -> "+01:00",
// -210 -> "-03:30".
std::string TimeZoneText(std::int32_t timeZoneMinutes, std::string_view timeSeparator);

// The hint of the coordinates caption: "TimeZone = + 01:00" or
// "TimeZone = - 03:30".
std::string TimeZoneHint(std::int32_t timeZoneMinutes, std::string_view timeSeparator);

// The week numbers beside the six rows of the month calendar. The row of
// the first of the month reads w = WeekNumber(first), one more with the
// New-Year flag; the rows below count on from it and do not wrap at the
// year's end. A week 0 (the days before the year's first Monday) reads 53,
// and the row after it 1. When the calendar draws a whole week of the
// previous month above the first (`leadingRow`), that row reads the week
// before: 2024-01-01 on a Monday-first calendar gives 52 1 2 3 4 5.
std::array<int, 6> WeekColumn(DayNumber firstOfMonth, bool firstWeekNewYear, bool leadingRow);

// Spaces in front of the day-view captions so that they end in one column:
// m is the longest of 10 and the given lengths; 20 - m spaces (none when
// m >= 20). `smallFont` tells whether the captions must shrink (m > 20).
struct CaptionAlignment {
    int padding = 0;
    bool smallFont = false;
};
CaptionAlignment AlignCaptions(std::initializer_list<int> lengths);

}  // namespace dawn
