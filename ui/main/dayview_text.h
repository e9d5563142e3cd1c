#pragma once
// The short texts of the place and the time zone, as the day view, the graph
// titles and the export header show them: 50N47, 05E28, 122W25, +01:00.
// Plain functions of plain values (no Qt), so that every window and the
// command line write them alike.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

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

// Spaces in front of the day-view captions so that they end in one column:
// m is the longest of 10 and the given lengths; 20 - m spaces (none when
// m >= 20). `smallFont` tells whether the captions must shrink (m > 20).
struct CaptionAlignment {
    int padding = 0;
    bool smallFont = false;
};
CaptionAlignment AlignCaptions(std::initializer_list<int> lengths);

}  // namespace dawn
