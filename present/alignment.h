// The alignment finder: the dates on which the sun or the moon rises or sets
// at a given azimuth, the line from the place to a landmark, within a
// tolerance.
//
// The dates come from the day records the rest of the program shows, so a
// date is found exactly when the azimuth shown for its event (rounded to the
// arc minute, as the windows, the table and `events` write it) lies within
// the tolerance of the target, measured the short way round: a target of
// 359° with 2° of tolerance takes 0°30'.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "astro/astro.h"
#include "astro/moonphase.h"
#include "core/dayephemeris.h"
#include "core/daynumber.h"
#include "core/site.h"
#include "present/locale.h"

namespace dawn {

struct AlignmentQuery {
    Body body = Body::Sun;
    EventKind event = EventKind::Rise;
    double azimuthDegrees = 0.0;    // from north through east
    double toleranceDegrees = 1.0;  // 0..180
    // The moon only: the least lit percentage of its disc at the event.
    std::optional<double> minLitPercent;
};

// Which days the finder reads. Clock: the user's clock days (ForEachBodyDay),
// as the main window shows them, with clock times. Standard: the days of the
// zone's standard time, as `events` lists them, with standard times.
enum class AlignmentDays : bool { Clock, Standard };

struct Alignment {
    DayNumber date;
    std::chrono::minutes time{0};  // of the day's kind (clock or standard)
    double azimuthDegrees = 0.0;
    UtInstant instant;
    // The moon's lit percentage at the event, for the moon only.
    std::optional<double> moonLitPercent;
};

// Whether an azimuth, as the texts show it, lies within the query's
// tolerance of its target.
bool AzimuthMatches(const AlignmentQuery& query, double azimuthDegrees);

// The alignments from `from` to `to` inclusive, oldest first, handed to
// `onFound`, which returns false to stop.
void ForEachAlignment(const Site& site, const AlignmentQuery& query, DayNumber from, DayNumber to,
                      AlignmentDays days, const std::function<bool(const Alignment&)>& onFound);

// A line of the window's list: the date as the windows write it, the
// clock time, the azimuth and, for the moon, its lit percentage:
// "21/06/2024  04:25  49°42'  97%".
std::string AlignmentText(const Alignment& found, const LocaleFormats& formats);

}  // namespace dawn
