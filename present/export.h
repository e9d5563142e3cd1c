// The export file: four header lines naming the program, the place and the
// time zone, then one semicolon-separated line per date with the rise and set
// clock times and azimuths of the sun or of the moon, every line ended by
// CR LF.
//
//   Dawnhelm 1.1.0.0        Coordinates: 50N47 05E28   Time zone 1 0
//   Dawnhelm by the Dawnhelm developers
//   --------------------------------------------------------------------
//   Date;Sun Rise;Sun Set;Azimuth Sun Rise;Azimuth Sun Set
//   21/06/2024;05:30;22:01;52°07';307°51'
//
// The clock fields are the local times with summer time applied. On a date
// without both events a crossing that did happen (the set of a day without a
// rise) still gives its time; an event that did not happen at all leaves its
// clock and azimuth fields empty. Fields are neither quoted nor padded. The export dialog and the
// command line both write their files with WriteExport, so the two agree byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/dayephemeris.h"
#include "core/daynumber.h"
#include "core/settings.h"
#include "core/textfile.h"
#include "present/appstate.h"
#include "present/locale.h"

namespace dawn {

// The header's values as the main window shows them.
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
std::string_view ExportFileName(Body body);

// The header of the shown panel's body as the main window shows it: the
// coordinates caption lined up with the panel's captions on the shown date.
ExportHeader ExportHeaderFor(const AppState& state);

// "<caption>: 50N47 05E28", the place as the first line of the file names it.
std::string CoordinatesLine(const ExportHeader& header);

// The subject of the mail link, naming the version, the place, the zone and
// the shown date as the main window shows them:
// "Dawnhelm 1.1.0.0 Coordinates: 50N47 05E28   TimeZone 1 0  [21/06/2024]",
// the place written by CoordinatesLine as in the export's first line.
std::string MailSubject(const AppState& state);

// Lines 1 to 4.
std::vector<std::string> ExportHeaderLines(const ExportHeader& header, Body body);

// "date;rise;set;rise azimuth;set azimuth" of one body's day.
void AppendExportDataLine(std::string& out, const DateWriter& dates, const BodyDay& day,
                          std::string_view timeSeparator);

// Called every few thousand dates with the dates done and the total, and
// once at the end; returns false to abandon the export.
using ExportProgress = std::function<bool(std::int64_t done, std::int64_t total)>;

struct ExportJob {
    ExportHeader header;
    Body body = Body::Sun;
    SiteSettings settings;  // rules resolved
    DayNumber from;
    DayNumber to;  // both included; not before `from`
    LocaleFormats locale;
};

enum class ExportEnd : std::uint8_t { Done, Cancelled, SinkFailed };

// Writes the whole file to `sink` as it is made: the header, then the line of
// every date, oldest first. Only the exported body is computed, one scan per
// date, and at most a few dozen kilobytes are held at a time.
ExportEnd WriteExport(const ExportJob& job, TextSink& sink, const ExportProgress& progress = {});

}  // namespace dawn
