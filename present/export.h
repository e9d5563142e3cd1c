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
// Beside them, two more kinds of file with the same header lines 1 to 3 and
// these fourth lines (the first one here cut in two):
//
//   Date;Civil Dawn;Nautical Dawn;Astronomical Dawn;
//        Civil Dusk;Nautical Dusk;Astronomical Dusk;Solar Noon
//   21/06/2024;04:39;03:29;;22:41;23:51;;13:40
//
//   Date;Moon Phase;Illuminated;Age
//   21/06/2024;Waxing gibbous;99.4;14.9
//
// A twilight field holds the local clock time of the crossing when it
// happened that day and is empty when it did not (the sky never got that
// dark or that bright); the noon field is empty on a date without a transit.
// The phase is named in the applied language; the lit part in percent and
// the age in days are taken at local noon of the zone's standard time and
// written with one decimal and the locale's decimal point.
//
// The clock fields are the local times with summer time applied. On a date
// without both events a crossing that did happen (the set of a day without a
// rise) still gives its time; an event that did not happen at all leaves its
// clock and azimuth fields empty. Fields are neither quoted nor padded. The export dialog and the
// command line both write their files with WriteExport, so the two agree byte for byte.
//
// With the light columns asked for (ExportJob::light), every kind of file
// carries more fields after all of the above, in this order, each the local
// clock time of a crossing, empty when the sun did not cross that day:
//
//   Morning Blue Hour Start;Morning Blue Hour End;Morning Golden Hour Start;
//   Morning Golden Hour End;Evening Golden Hour Start;Evening Golden Hour End;
//   Evening Blue Hour Start;Evening Blue Hour End
//   Sun Rise From Height;Sun Set From Height     with an observer's height
//   Visible Sun Rise;Visible Sun Set             with a horizon profile
//   <name> Rising;<name> Setting                 per event of the user's, only
//                                                the sides the event has
//
// A file without them is the same byte for byte as before they existed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "astro/horizon.h"
#include "core/dayephemeris.h"
#include "core/daynumber.h"
#include "core/light.h"
#include "core/seenday.h"
#include "core/settings.h"
#include "core/skyday.h"
#include "core/textfile.h"
#include "core/userevents.h"
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

// What a file lists: the rise and set of the job's body, or the sun's
// twilight and noon, or the moon's phase.
enum class ExportKind : std::uint8_t { RiseSet, Twilight, MoonPhase };

// "dawnhelm_data.txt" for the sun, "moonhelm_data.txt" for the moon.
std::string_view ExportFileName(Body body);
// The same for each kind: the body's name for RiseSet, "dawnhelm_twilight.txt"
// and "moonhelm_phase.txt" for the others.
std::string_view ExportFileName(ExportKind kind, Body body);

// The names of the eight phases in the applied language, new moon first.
using PhaseNames = std::array<std::string, 8>;
PhaseNames PhaseNamesOf(const AppState& state);

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
std::vector<std::string> ExportHeaderLines(const ExportHeader& header, ExportKind kind, Body body);

// "date;rise;set;rise azimuth;set azimuth" of one body's day.
void AppendExportDataLine(std::string& out, const DateWriter& dates, const BodyDay& day,
                          std::string_view timeSeparator);

// The sun's light beside the designed events, which the export and the
// calendar file add on request: the blue and golden hours always, the rise
// and set from a height, the visible rise and set behind a skyline, and the
// user's own events.
struct LightOptions {
    std::optional<double> heightMetres;                // rise and set from this height
    std::optional<std::vector<HorizonPoint>> horizon;  // visible rise and set behind it
    std::vector<UserEvent> ownEvents;                  // every one of them, in order
};

// The light options of the settings' place: its observer's height when it
// is above 0, its horizon profile when it names one, and the events of
// `eventsPath` (none when it is empty or the file is missing). The messages
// of the two files go to `messages`; what could be read is used.
LightOptions LightOptionsOf(const SiteSettings& settings, const std::string& eventsPath,
                            std::vector<std::string>& messages);

// The light of a run of dates, walked beside another walk over the same
// dates: each kind is computed when first asked for, some hundred dates at a
// time, with the clock days' carrying over midnight as the panels have it.
// Dates are best asked for in order (a date outside the block at hand starts
// a new block there); `settings` and `options` must outlive the walk.
class LightWalk {
public:
    LightWalk(const SiteSettings& settings, const LightOptions& options, DayNumber last);
    ~LightWalk();
    LightWalk(const LightWalk&) = delete;
    LightWalk& operator=(const LightWalk&) = delete;

    const LightDay& Light(DayNumber date);
    // Only with a height, or with a horizon profile; nullptr without.
    const SeenDay* FromHeight(DayNumber date);
    const SeenDay* Visible(DayNumber date);
    // Event `index` of the options' events.
    const SeenDay& Own(std::size_t index, DayNumber date);
    // The sun's centre crossing a bound of the blue and golden hours (0: the
    // blue hour's lowest, 1: the golden hour's lowest, 2: its highest), with
    // the clocks' offsets the calendar file needs.
    const SeenDay& Bound(std::size_t bound, DayNumber date);

private:
    struct Walks;
    std::unique_ptr<Walks> walks_;
};

// The sides of the user's event `index` the light columns show.
UserEventSide ShownSides(const std::vector<UserEvent>& events, std::size_t index);

// The names of the light columns, each after a ';', as line 4 ends with them.
std::string LightColumnNames(const LightOptions& options);

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
    ExportKind kind = ExportKind::RiseSet;  // RiseSet exports `body`
    PhaseNames phaseNames{};                // for MoonPhase
    // The light columns after the designed ones; none when empty.
    std::optional<LightOptions> light{};
};

enum class ExportEnd : std::uint8_t { Done, Cancelled, SinkFailed };

// Writes the whole file to `sink` as it is made: the header, then the line of
// every date, oldest first. Only the exported body is computed, one scan per
// date, and at most a few dozen kilobytes are held at a time.
ExportEnd WriteExport(const ExportJob& job, TextSink& sink, const ExportProgress& progress = {});

}  // namespace dawn
