// SiteSettings: the observer's place, time zone, summer-time rules, language,
// alarm media and display choices, and the settings file that keeps them.
//
// The file, Dawncode.txt in the program's folder (AppDir), holds one value per
// line in this order (zero-based line numbers):
//    0 LanguageIndex        0..6 (0 local, 1 Dutch, 2 French, 3 German,
//                           4 English, 5 Italian, 6 Spanish)
//    1 SummerRule           (month - 1) * 100 + occurrence of SummerWeekday:
//                           0 first, 1 second, 2 third, 3 and 4 the last
//                           one of the month, in every year (RuleDate)
//    2 WinterRule           the same for the start of winter time
//    3 TimeZoneHours, FirstWeekNewYear, ShowClock, packed (PackLine3)
//    4 AlarmSoundEnabled    "0" or "1"
//    5 SunRiseSoundFile     path
//    6 SunSetSoundFile      path
//    7 AlarmImageEnabled    "0" or "1"
//    8 SunRiseImageFile     path
//    9 SunRiseImageStretch  "0" or "1"
//   10 SunSetImageFile      path
//   11 SunSetImageStretch   "0" or "1"
//   12 LongitudeMinutes     arc minutes, east positive
//   13 LatitudeMinutes      arc minutes, north positive
//   14 TimeZoneMinutes      minutes ahead of UT
//   15 SummerTimeEnabled    "0" or "1"
//   16 SummerWeekday        1 Sunday .. 7 Saturday
//   17 WinterWeekday        1 Sunday .. 7 Saturday
//   18 WeekStartDay         first column of the month calendar, 0 Sunday .. 6 Saturday
//   19 ZoneName             IANA time-zone name ("Europe/Helsinki"); empty
//                           means the manual rules above
//   20 PlaceName            the name of the place chosen by name; may be empty
// With a zone, line 14 holds the zone's standard offset of today and lines 1,
// 2 and 15 to 17 the zone's rule where the controls can express it, so that a
// copy of the program that knows only the first 19 lines still reads the file.
// The alarms' lines follow:
//   21 SunRiseAlarmOffset   minutes from the event, -180..180 (clamped)
//   22 SunRiseAlarmWay      0 picture, 1 notification, 2 both, 3 no alarm
//   23 SunSetAlarmOffset    24 SunSetAlarmWay
//   25 CivilDawnAlarmOffset 26 CivilDawnAlarmWay
//   27 CivilDuskAlarmOffset 28 CivilDuskAlarmWay
// The alarms' defaults are the designed ones: sunrise and sunset at their
// event with the picture window, no alarm at civil dawn or dusk. An empty
// alarm line takes its default silently; a way outside 0..3 is reported like
// a line that is no integer. Lines 19 and 20 are written only when one of
// them, or a later line, holds something, and the alarms' lines only when the
// alarms are not all at their defaults or later lines are kept, so a file
// the zone and the alarms were never set in keeps its 19 lines. Then the
// observer's sight:
//   29 ObserverHeightMetres the height above the land around, 0..10000 metres
//                           (decimals allowed); empty for 0
//   30 HorizonProfilePath   the horizon profile file (core/horizonprofile.h);
//                           empty for the flat horizon
// written, like the zone's and the place's, only when one of them or a later
// line holds something (and then with the alarms' lines before them), so a
// file without them keeps its lines. A height that is no number or out of
// range is reported and 0 is used. Then the year graph's light switch:
//   31 GraphLightShown      "1" when the graph opens with its blue and golden
//                           hours (and the curves beside the lines) shown;
//                           empty (or "0") for off
// written when it is on, when the file read held it (whatever it held), or
// when a later line holds something, so that every file keeps its lines; a
// file without it reads as off. Lines beyond these 32 are kept
// as they were read and written back after them. Lines are
// written with CR LF; CR, LF and CR LF are read. Each line is
// read as UTF-8, or as Windows-1252 when it is not valid UTF-8, and written as
// UTF-8. The four media paths are file names, and a file name is bytes: a path
// that is not UTF-8 but names an existing file (a folder named in another
// encoding) keeps its bytes; a line break in a path is refused on saving, as
// it would shift every later line.
//
// Missing lines (a missing, empty or short file) take their defaults, which
// describe Velmoren (50°47' N, 5°28' E, UTC+1, summer time from the last Sunday
// of March to the last Sunday of October). A numeric line that is not an
// integer takes its default too and is reported; values outside their ranges
// are clamped to the nearest valid value and reported as well.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/alarm.h"
#include "core/calendar.h"
#include "core/daynumber.h"
#include "core/site.h"
#include "core/textfile.h"

namespace dawn {

inline constexpr int kSettingsLineCount = 19;
// The lines of the zone and of the place name, after the 19.
inline constexpr int kZoneNameLine = 19;
inline constexpr int kPlaceNameLine = 20;

inline constexpr const char* kSettingsFileName = "Dawncode.txt";
// The alarms' lines, after those of the zone and the place.
inline constexpr int kAlarmLinesStart = kPlaceNameLine + 1;
inline constexpr int kAlarmLineCount = 2 * static_cast<int>(kAlarmEventCount);
// The observer's height and horizon profile, after the alarms'.
inline constexpr int kObserverHeightLine = kAlarmLinesStart + kAlarmLineCount;
inline constexpr int kHorizonProfileLine = kObserverHeightLine + 1;
// The year graph's light switch, after the horizon profile's.
inline constexpr int kGraphLightLine = kHorizonProfileLine + 1;
inline constexpr double kMaxObserverHeightMetres = 10000.0;

// One alarm as the settings keep it. Off: the event rings no alarm.
struct AlarmChoice {
    bool On = true;
    std::chrono::minutes Offset = kDefaultAlarmOffset;
    AlarmChannel Channel = AlarmChannel::Picture;
    friend bool operator==(const AlarmChoice&, const AlarmChoice&) = default;
};
using AlarmChoices = std::array<AlarmChoice, kAlarmEventCount>;  // indexed by AlarmEvent

// Sunrise and sunset with the picture at the event; civil dawn and dusk off.
AlarmChoices DefaultAlarmChoices();

// The alarms that ring, one per kind that is on, in the order of AlarmEvent.
std::vector<AlarmSetup> ActiveAlarms(const AlarmChoices& choices);

// The settings: the shown site (its fields are lines 12..17, 19 and 20, and
// the manual rules' lines 1 and 2) and the program's other choices.
struct SiteSettings : Site {
    // Stored fields, in file order (the site's between them).
    std::uint8_t LanguageIndex = 0;
    std::int32_t TimeZoneHours = 0;  // kept only for line 3; the zone in use is TimeZoneMinutes
    bool FirstWeekNewYear = false;
    bool ShowClock = false;
    bool AlarmSoundEnabled = true;
    std::string SunRiseSoundFile;
    std::string SunSetSoundFile;
    bool AlarmImageEnabled = true;
    std::string SunRiseImageFile;
    bool SunRiseImageStretch = true;
    std::string SunSetImageFile;
    bool SunSetImageStretch = true;
    std::uint8_t WeekStartDay = 1;

    // The alarms (lines 21..28).
    AlarmChoices Alarms = DefaultAlarmChoices();
    // The observer's height above the land around and the horizon profile's
    // path (lines 29 and 30).
    double ObserverHeightMetres = 0;
    std::string HorizonProfilePath;
    // Whether the year graph opens with its light shown (line 31).
    bool GraphLightShown = false;
    // Whether the file that was read held line 31: it is then written back,
    // so that a file keeps its lines whatever that line held.
    bool GraphLightLineRead = false;

    // Lines after the graph's light switch (line 32 on, zero-based) of the
    // file that was read, written back unchanged.
    std::vector<std::string> ExtraLines;
    // Set when the file that was read had any problem (it could not be read,
    // a line was no integer, a line was converted from Windows-1252): the next
    // save first keeps it as Dawncode.txt.bak, so that nothing the program
    // could not take over is lost.
    bool KeepCopyBeforeSave = false;
};

// Valid ranges; values read outside them are clamped, and the message says so.
inline constexpr std::int32_t kMaxLatitudeMinutes = 5400;
inline constexpr std::int32_t kMaxLongitudeMinutes = 10800;
inline constexpr std::int32_t kMaxTimeZoneMinutes = 1439;
inline constexpr int kMaxLanguageIndex = 6;

// AppDir joined with a file name by "/" (no doubled separator).
std::string JoinPath(const std::string& dir, const std::string& name);
std::string SettingsFilePath(const std::string& appDir);

// Every field at its default. The rule defaults are the last Sunday of March
// and of October, written as 199 or 899 plus the number of Sundays in that
// month of `referenceYear` (either form means the last); the media defaults
// are AppDir + "/sunrise.wav", "/sunset.wav", "/sunrise.jpg" and
// "/sunset.jpg".
SiteSettings DefaultSettings(const std::string& appDir, int referenceYear);

// The 19 lines as they are written (line 3 packed, booleans "0"/"1").
std::vector<std::string> SettingsToLines(const SiteSettings& s);
// Every line of the file as a save writes it: the 19, the zone and place
// lines, the alarms' lines and the kept extra lines, each group when needed.
std::vector<std::string> SettingsFileLines(const SiteSettings& s);

// Line 3: hours * 100 + FirstWeekNewYear + 2 * ShowClock, the flags taking the
// sign of the hours (0 hours adds them). -5 h with both flags is -503; 0 h
// with only the clock is 2.
std::int32_t PackLine3(std::int32_t hours, bool firstWeekNewYear, bool showClock);
struct Line3 {
    std::int32_t hours;
    bool firstWeekNewYear;
    bool showClock;
};
Line3 UnpackLine3(std::int32_t v);

// Parses a decimal integer (optional sign, surrounding blanks allowed) that
// fits 32 bits. False for anything else.
bool ParseSettingsInteger(const std::string& text, std::int32_t& out);

struct SettingsLoadResult {
    SiteSettings settings;
    // Messages for the user, one per problem, in English: a line that is not an
    // integer or holds a value out of range (naming the file, the line number
    // counted from 1, the text found and the value used), lines read as
    // Windows-1252, or a file that could not be read;
    // then a last one saying that the file will be kept as Dawncode.txt.bak.
    // Show them together in one box. Empty for a good or a missing file.
    std::vector<std::string> messages;
};

// Reads AppDir/Dawncode.txt. Never fails: what cannot be used takes its
// default and is reported in `messages`. `todayYear` gives the defaults of a
// missing file. The zone of line 20 is not opened here. `user` is whom the file must belong to in a
// shared folder.
SettingsLoadResult LoadSettings(const std::string& appDir, int todayYear,
                                UserId user = CurrentUser());

// The same for a settings file given by its path (the command line's
// --settings); the folder of that file stands for AppDir in the defaults.
SettingsLoadResult LoadSettingsFile(const std::string& path, int todayYear,
                                    UserId user = CurrentUser());

// For a reader that never saves them (the command line): the settings of the
// file at `path`, or the defaults when there is no such file. A file that is
// there but cannot be used (a folder, a pipe, a device, a loop of links, too
// large, no permission, not trusted) is an error, never the defaults in
// disguise; and no copy is promised, as nothing is saved.
struct SettingsReadResult {
    SiteSettings settings;
    // The problems read around (as LoadSettings names them), without the note
    // on the copy.
    std::vector<std::string> messages;
    // Set when the file cannot be used: the sentence for the user.
    std::string error;
};
SettingsReadResult ReadSettingsFile(const std::string& path, const std::string& appDir,
                                    int todayYear, UserId user = CurrentUser());

// The same from lines already read.
SettingsLoadResult SettingsFromLines(const std::vector<std::string>& lines,
                                     const std::string& appDir, int todayYear,
                                     const std::string& fileNameForMessages);

struct SettingsSaveResult {
    bool ok = true;
    std::string error;  // the reason with the file name, for the user
};

// Writes SettingsFileLines to AppDir/Dawncode.txt,
// replacing the file atomically; with KeepCopyBeforeSave the old file is first
// kept as Dawncode.txt.bak. A path holding a line break is refused. On failure
// the file on disk and every field of `s` stay as they were. On success
// KeepCopyBeforeSave is cleared.
SettingsSaveResult SaveSettings(SiteSettings& s, const std::string& appDir,
                                UserId user = CurrentUser());

// True when `path` holds a CR or LF, which a line of the file cannot hold.
bool HasLineBreak(const std::string& path);

}  // namespace dawn
