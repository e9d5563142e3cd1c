// The calendar file of a range of dates for the settings' place: sunrise and
// sunset always, moonrise and moonset, civil dawn and dusk and the almanac on
// request, and the light (present/export.h: the blue and golden hours, the
// rise and set from a height and behind a skyline, the user's own events)
// when asked for. Only events that happen are written: each crossing that happened,
// also on a day without the other one (the sunset of a day without a
// sunrise), and never the placeholder time of a day without one. The command
// line's ics verb and the export dialog write it alike.
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "core/daynumber.h"
#include "core/settings.h"
#include "present/export.h"
#include "reminders/icswriter.h"

namespace dawn {

struct CalendarJob {
    const SiteSettings& settings;  // rules resolved
    DayNumber from;
    DayNumber to;
    bool moon = false;
    bool twilight = false;
    std::chrono::sys_seconds stamp;  // DTSTAMP: when the file is made
    CalendarWords words;
    // The almanac's events too (present/almanac.h): seasons, perigees and
    // apogees, eclipses seen from the place, meteor showers and the changes
    // of summer time, after the days' events.
    bool almanac = false;
    // The light's events after each date's others: every blue and golden
    // hour at its start, the summary naming its end ("Morning golden hour
    // 05:02: until 05:58"), then the events the options hold.
    std::optional<LightOptions> light{};
};

// The zone the file's times are given in: the settings' time-zone line, empty
// for UTC; and the place's name line.
std::string CalendarZoneOf(const SiteSettings& settings);
std::string CalendarPlaceNameOf(const SiteSettings& settings);

struct CalendarResult {
    IcsStatus status = IcsStatus::Ok;
    std::string error;  // in words, empty on success
    std::size_t events = 0;
};

// Writes the whole file to `sink`. `onDate` is called before each date (for
// a progress bar) and stops the writing (status Stopped) when it returns
// false; it may be empty.
CalendarResult WriteCalendarFile(const CalendarJob& job, const IcsWriter::Sink& sink,
                                 const std::function<bool(DayNumber)>& onDate = {});

}  // namespace dawn
