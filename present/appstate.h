// The plain part of the program's state, shared by every window: the folder
// it works in, the locale formats captured at start-up, today, the settings,
// the label table with its applied language, the shown date and panel, and
// the day record of the shown date. The main window draws what this state
// says; a window that changes it asks the main window to draw again.
//
// No widgets and no toolkit: the command line builds the same state and so
// writes what the windows show.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "astro/horizon.h"
#include "core/dayephemeris.h"
#include "core/daynumber.h"
#include "core/settings.h"
#include "core/skyday.h"
#include "core/userevents.h"
#include "dawn_version.h"
#include "i18n/labels.h"
#include "present/eclipsealarm.h"
#include "present/locale.h"

namespace dawn {

inline constexpr const char* kApplicationTitle = "dawnhelm";

struct AppState {
    // The working folder at start-up, captured once; the settings file, the
    // label file and the default media are looked up there ("/" separated,
    // no trailing separator).
    std::string AppDir;
    LocaleFormats Locale;
    // Today's date: set at start-up and moved on by the clock.
    DayNumber Today;
    // The year the summer-time rules are resolved for: today's year at
    // start-up, then the year of the shown date.
    int ReferenceYear = 1900;

    SiteSettings Settings;
    LabelTable Labels;
    CurrentLabels Current;
    // The label file had a problem when it was read: the first save keeps it
    // as Dawnlabel.txt.bak (SaveLabelTable clears this).
    bool KeepLabelFileBeforeSave = false;
    // Set once the language was chosen in the configuration dialog: from
    // then on the sunset sign names it in its hint.
    bool LanguageChosen = false;

    // The date and the panel the main window shows, and the record of that
    // date (the alarms read it).
    DayNumber Shown;
    Body Panel = Body::Sun;
    DayEphemeris Day;
    // The sun's twilight and noon and the moon's phase of the shown date.
    SkyDay Sky;
    // The twilight panel stands over the sun panel (Panel stays Sun).
    bool TwilightShown = false;

    // The eclipse alarm (present/eclipsealarm.h), kept in its own file, and
    // the choice that file holds: the configuration dialog writes the file
    // when it closes with another choice.
    AlarmChoice EclipseAlarm = DefaultEclipseAlarm();
    AlarmChoice EclipseAlarmOnDisk = DefaultEclipseAlarm();

    // Messages of the loaders (a settings line that is not a number, skipped
    // label lines), shown once after the main window is up.
    std::vector<std::string> PendingMessages;

    // Applies Settings.LanguageIndex to Current, with the locale's weekdays.
    void ApplyLanguage();
    // Makes `date` the shown date: its record and its sky day are computed
    // and its year becomes the reference year.
    void ShowDate(DayNumber date);
    // Label n of the applied language.
    const std::string& Label(int n) const { return Current[n]; }
    // Label n read straight from the table at the applied language's column
    // (the day view's status messages, so that an edit in the grid shows at
    // the next drawing).
    const std::string& TableLabel(int n) const { return Labels.Label(Current.languageIndex, n); }

    // The user's own events (Dawnevents.txt in AppDir) and whether the file
    // had a problem when it was read (the next save keeps it as .bak first),
    // and the points of the settings' horizon profile (empty: flat). The
    // light panel shows them; the own events' alarms ring with the others.
    std::vector<UserEvent> OwnEvents;
    bool KeepOwnEventsBeforeSave = false;
    std::vector<HorizonPoint> HorizonProfile;
};

// The standard offset of the shown date in minutes: the zone's on that date,
// else the manual TimeZoneMinutes.
std::int32_t ShownStandardOffset(const AppState& state);

// Writes the eclipse alarm's file when the choice differs from the file's
// (so a folder where it was never set gets no file); the message for the
// user when it could not be written.
std::optional<std::string> SaveEclipseAlarmIfChanged(AppState& state);

// Fills a fresh state: the folder, the locale formats, today and the
// reference year, the settings file and the label file of the folder, and
// the applied language, and the zone of the settings (OpenSettingsZone); the
// shown date is today (its record is computed by the first drawing). Loader
// messages, and a zone the system does not know, end up in PendingMessages.
void LoadAppState(AppState& state, const std::string& appDir, const LocaleFormats& locale,
                  DayNumber today);

}  // namespace dawn
