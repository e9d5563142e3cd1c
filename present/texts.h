// The texts of numbers, made once at the edge where a value becomes text:
// clock times, azimuths, the place and the zone, the Julian day. The locale's
// separators come in as values.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "i18n/labels.h"

namespace dawn {

// Two-digit hours, the separator, two-digit minutes: (07:05, ":") -> "07:05".
// A value outside one day is first brought into it (24:40 -> 00:40,
// -1 -> 23:59).
std::string FormatClock(std::chrono::minutes timeOfDay, std::string_view timeSeparator);
void AppendClock(std::string& out, std::chrono::minutes timeOfDay, std::string_view timeSeparator);
// "--<sep>--": the clock text of a time that does not exist.
std::string EmptyClockText(std::string_view timeSeparator);

// Whole degrees, "°", minutes rounded half up to two digits, "'":
// 126.964 -> "126°58'". Minutes that round to 60 carry into the degrees
// (126.999 -> "127°00'") and a full turn is written 0°00'. No azimuth (no
// crossing of that kind) is the empty text.
std::string FormatAzimuth(double degrees);
std::string FormatAzimuth(const std::optional<double>& degrees);
void AppendAzimuth(std::string& out, const std::optional<double>& degrees);
// The azimuth those texts show, in whole arc minutes 0..21599.
int AzimuthArcMinutes(double degrees);

// An altitude above the horizon as an azimuth is written, with a "-" below
// it and the arc minutes rounded: 61.62 -> "61°37'", -0.1 -> "-0°06'",
// -89.999 -> "-90°00'". Values outside -90..90 are held at the ends.
std::string FormatAltitude(double degrees);
void AppendAltitude(std::string& out, double degrees);

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

// A Julian day with up to 15 significant digits and the locale's decimal
// point: 2451544.5 -> "2451544,5" with ",".
std::string JulianDayText(double julianDay, std::string_view decimalPoint);

// The text without the white space at its ends (or at its start): blanks,
// tabs, line breaks and the Unicode spaces (no-break, thin, ideographic ...).
std::string_view Trimmed(std::string_view utf8);
std::string_view WithoutLeadingSpaces(std::string_view utf8);

// A window caption without the padding and the colon that line it up in its
// column: "Sunrise     :" -> "Sunrise".
std::string_view CaptionWithoutColon(std::string_view utf8);

// A menu caption as a window title or a panel's caption: without the "&"
// that marks its access key ("Export &Data" -> "Export Data"; "&&" is one "&").
std::string WithoutAccessKey(std::string_view caption);

// The first character of a text (a whole UTF-8 sequence); empty for none.
std::string_view FirstCharacter(std::string_view utf8);

// The length of a text as the windows count it, in UTF-16 code units: a
// letter outside the Basic Multilingual Plane counts two.
std::size_t Utf16Length(std::string_view utf8);

}  // namespace dawn
