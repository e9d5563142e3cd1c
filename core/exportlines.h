// The lines of an export file: four header lines naming the program, the
// place and the time zone, then one semicolon-separated line per date with the
// rise and set clock times and azimuths of the sun or of the moon.
//
//   Dawnhelm 1.1.0.0        Coordinates: 50N47 05E28   Time zone 1 0
//   Dawnhelm by the Dawnhelm developers
//   --------------------------------------------------------------------
//   Date;Sun Rise;Sun Set;Azimuth Sun Rise;Azimuth Sun Set
//   21/06/2024;05:30;22:01;52°07';307°51'
//
// The clock fields are the day record's local times with summer time applied.
// A date whose event does not happen holds the record's placeholder time
// (12:00 for a sun below the horizon all day) and, when the body did not
// cross the horizon that way at all, an empty azimuth field. Fields are
// neither quoted nor padded. Both the export dialog and the command line
// build their files here, so the two agree byte for byte.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/dayephemeris.h"
#include "core/daynumber.h"
#include "core/settings.h"

namespace dawn {

enum class ExportBody : std::uint8_t { Sun, Moon };

// The header's values as the windows show them.
struct ExportHeader {
    std::string versionText;  // "1.1.0.0"
    // The main window's coordinates caption, leading blanks kept; followed by
    // ": ", or by a blank when the caption ends in a colon itself.
    std::string coordinatesCaption;
    std::string latitudeText;   // "50N47"
    std::string longitudeText;  // "05E28"
    std::string timeZoneLabel;  // the time-zone word of the applied language
    // The zone offset; the header writes it as the configuration dialog's two
    // spin edits show it: hours and minutes, both carrying the sign (-210 is
    // "-3 -30", -30 is "0 -30").
    std::int32_t timeZoneMinutes = 0;
};

inline constexpr std::string_view kExportMakerLine = "Dawnhelm by the Dawnhelm developers";
inline constexpr std::size_t kExportRuleLength = 68;

// "dawnhelm_data.txt" for the sun, "moonhelm_data.txt" for the moon.
std::string_view ExportFileName(ExportBody body);

// Lines 1 to 4.
std::vector<std::string> ExportHeaderLines(const ExportHeader& header, ExportBody body);

// "date;rise;set;rise azimuth;set azimuth" of one day record.
std::string ExportDataLine(std::string_view dateText, const DayEphemeris& day, ExportBody body);

// The text of a date in the locale's short date format.
using ExportDateFormatter = std::function<std::string(DayNumber)>;
// Called every few thousand dates with the dates done and the total; returns
// false to abandon the export.
using ExportProgress = std::function<bool(std::int64_t done, std::int64_t total)>;

// The whole file for the dates from `from` to `to`, both included: the header
// and one line per date. Empty optional when `progress` cancelled. `settings`
// must have its rules resolved. `to` before `from` gives only the header
// (callers refuse such a range first).
std::optional<std::vector<std::string>> BuildExportLines(
    const ExportHeader& header, ExportBody body, const SiteSettings& settings, DayNumber from,
    DayNumber to, std::string_view timeSeparator, const ExportDateFormatter& formatDate,
    const ExportProgress& progress = {});

}  // namespace dawn
