// The label table: every language-dependent caption of the program, one row
// per label number and one column per language, read from the label file
// Dawnlabel.txt in the program's folder and editable in the translation grid.
//
// Column 0 describes each row (for translators), row 0 names each column's
// language, and columns 1 to 7 are the languages "Loc", "Ned", "Fra", "Deu",
// "Eng", "Ita", "Esp" (column = language index + 1). Texts are used exactly as
// stored: leading and trailing spaces matter, because the main window shows
// its captions in a fixed-pitch font and lines them up by their colons.
//
// No widgets, no locale and no globals here: the locale's weekday names and
// the program folder come in as values, and the loader returns the one
// message the user should see instead of showing it.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/textfile.h"

namespace dawn {

// Label numbers the windows read by name.
namespace label {
inline constexpr int kLanguageName = 0;
inline constexpr int kFirstWeekday = 1;  // 1 Sunday ... 7 Saturday
inline constexpr int kWeek = 8;
inline constexpr int kSunrise = 9;
inline constexpr int kSunset = 10;
inline constexpr int kDaysSummerTime = 13;  // shown date inside summer time
inline constexpr int kDaysWinterTime = 14;  // shown date outside summer time
inline constexpr int kCoordinates = 15;
inline constexpr int kNorth = 16;
inline constexpr int kEast = 17;
inline constexpr int kSouth = 18;
inline constexpr int kWest = 19;
inline constexpr int kLatitude = 20;
inline constexpr int kLongitude = 21;
inline constexpr int kMonth = 22;
inline constexpr int kWeekend = 23;
inline constexpr int kFirstWeek = 24;
inline constexpr int kNewYear = 25;
inline constexpr int kTimeZone = 26;
inline constexpr int kPlaySound = 27;
inline constexpr int kImage = 28;
inline constexpr int kActivate = 29;
inline constexpr int kAlarm = 30;
inline constexpr int kLanguage = 31;
inline constexpr int kSummerTime = 32;
inline constexpr int kWinterTime = 33;
inline constexpr int kSeason = 34;
inline constexpr int kTime = 35;
inline constexpr int kMedia = 36;
inline constexpr int kStretch = 37;
inline constexpr int kSettings = 38;
inline constexpr int kClock = 39;
inline constexpr int kDaylight = 40;
inline constexpr int kZoneEast = 41;  // time-zone offset >= 0
inline constexpr int kZoneWest = 42;  // time-zone offset < 0
inline constexpr int kMoonrise = 43;
inline constexpr int kMoonset = 44;
inline constexpr int kMoonlight = 45;
inline constexpr int kAzimuth = 47;
inline constexpr int kSunMessages = 48;   // 48 + event status 0..3
inline constexpr int kMoonMessages = 52;  // 52 + event status 0..3

// Twilight, solar noon and the moon's phase (rows written by
// data/tools/make_labels.py).
inline constexpr int kCivilTwilight = 56;  // the twilight panel's four captions
inline constexpr int kNauticalTwilight = 57;
inline constexpr int kAstronomicalTwilight = 58;
inline constexpr int kSolarNoon = 59;
inline constexpr int kTwilight = 60;
inline constexpr int kMoonPhase = 61;
inline constexpr int kPhaseNames = 62;  // 62 + PhaseName 0..7 (new moon .. waning crescent)
inline constexpr int kIlluminated = 70;
inline constexpr int kMoonAge = 71;
inline constexpr int kNextFullMoon = 72;
inline constexpr int kNextNewMoon = 73;
inline constexpr int kDawn = 74;
inline constexpr int kDusk = 75;

// Reminders: the twilight alarms' names, the notification's patterns, the
// export dialog's calendar file and the media panel's alarms.
inline constexpr int kCivilDawn = 76;
inline constexpr int kCivilDusk = 77;
inline constexpr int kNoticeBefore = 78;  // "{event} in {minutes} minutes"
inline constexpr int kNoticeBeforeOne = 79;
inline constexpr int kNoticeAfter = 80;
inline constexpr int kNoticeAfterOne = 81;
inline constexpr int kNoticeBody = 82;  // "{event} at {time}, azimuth {azimuth}"
inline constexpr int kNoticeBodyNoAzimuth = 83;
inline constexpr int kCalendarMoon = 84;
inline constexpr int kCalendarTwilight = 85;
inline constexpr int kCalendarFile = 86;
inline constexpr int kAlarms = 87;
inline constexpr int kAlarmOffset = 88;
inline constexpr int kMinutes = 89;
inline constexpr int kAlarmWays = 90;  // 90 + way 0..3 (picture, notification, both, no alarm)
inline constexpr int kAlarmOffsetHint = 94;
// The summer-time rows of a year without summer time.
inline constexpr int kNoSummerTime = 95;
inline constexpr int kStandardTimeAllYear = 96;
inline constexpr int kNoClockChanges = 97;

// The windows' and menus' own texts beside the designed captions; "&" marks
// a menu's access key (MenuText) and is dropped where the text titles a
// window (PlainText).
inline constexpr int kMenuConfiguration = 100;  // also the configuration dialog's title
inline constexpr int kMenuExport = 101;         // also the export dialog's title
inline constexpr int kExportTextFile = 102;
inline constexpr int kMenuSetUp = 103;  // also the clock panel's "Set up"
inline constexpr int kMenuGraphics = 104;
inline constexpr int kMenuHelpFile = 105;
inline constexpr int kMenuHomePage = 106;
inline constexpr int kMenuEmail = 107;
inline constexpr int kMenuSystray = 108;
inline constexpr int kMenuAbout = 109;  // also the clock panel's "About"
inline constexpr int kMenuExit = 110;
inline constexpr int kMenuSystrayOut = 111;
inline constexpr int kMenuShutdown = 112;
inline constexpr int kHintRightButton = 113;  // the hint line's rotating texts
inline constexpr int kHintCoordinates = 114;
inline constexpr int kHintF1 = 115;
inline constexpr int kPlace = 116;
inline constexpr int kPlaceSearchHint = 117;
inline constexpr int kEphemeris = 118;
inline constexpr int kSummerTimeSwitch = 119;
inline constexpr int kMakers = 120;
inline constexpr int kHomePageLine = 121;
inline constexpr int kMenuSunPanel = 122;
inline constexpr int kMenuTwilightPanel = 123;
inline constexpr int kMenuMoonPanel = 124;
// A screen reader's words for a change since the day before, "{change}" the
// change as shown: a rise or set earlier or later, a length longer or shorter.
inline constexpr int kChangeEarlier = 125;
inline constexpr int kChangeLater = 126;
inline constexpr int kChangeLonger = 127;
inline constexpr int kChangeShorter = 128;
inline constexpr int kYear = 129;
// The sun's and the moon's position now, "{altitude}" the geometric
// altitude, "{apparent}" the one refraction lifts, "{azimuth}", and for the
// moon "{lit}" (percent) and "{distance}" (km).
inline constexpr int kSunPositionNow = 157;
inline constexpr int kMoonPositionNow = 158;
// The sky view: its title, the coloured stretches of the sun's path, the
// paths' names.
inline constexpr int kSkyViewTitle = 159;
inline constexpr int kGoldenHour = 160;
inline constexpr int kBlueHour = 161;
inline constexpr int kSkyViewSun = 162;
inline constexpr int kSkyViewMoon = 163;
// The moment of the sky view's time slider: "{time}", and each body's
// "{..._altitude}" (geometric) and "{..._azimuth}".
inline constexpr int kSkyViewMoment = 165;
// The alignment finder's dialog: its title, the fields, the button and the
// empty result.
inline constexpr int kAlignmentsTitle = 164;
inline constexpr int kAlignmentsAzimuth = 166;
inline constexpr int kAlignmentsTolerance = 167;
inline constexpr int kAlignmentsFrom = 168;
inline constexpr int kAlignmentsTo = 169;
inline constexpr int kAlignmentsRise = 170;
inline constexpr int kAlignmentsSet = 171;
inline constexpr int kAlignmentsLeastLit = 172;
inline constexpr int kAlignmentsFind = 173;
inline constexpr int kAlignmentsNone = 174;
// The saved places: the menu entry (also the places window's title), the
// window's buttons and its zone column.
inline constexpr int kMenuPlaces = 175;
inline constexpr int kPlacesAdd = 176;
inline constexpr int kPlacesRename = 177;
inline constexpr int kPlacesRemove = 178;
inline constexpr int kPlacesUp = 179;
inline constexpr int kPlacesDown = 180;
inline constexpr int kPlacesShow = 181;
inline constexpr int kPlacesZone = 182;
inline constexpr int kMenuLightPanel = 183;
inline constexpr int kSightPage = 184;
inline constexpr int kObserverHeight = 185;
inline constexpr int kHorizonProfile = 186;
inline constexpr int kOwnEvents = 187;
inline constexpr int kOwnEventAdd = 188;
inline constexpr int kOwnEventChange = 189;
inline constexpr int kOwnEventRemove = 190;
inline constexpr int kOwnEventName = 191;
inline constexpr int kOwnEventElevation = 192;
inline constexpr int kOwnEventShadow = 193;
inline constexpr int kOwnEventOffset = 194;
inline constexpr int kOwnEventBeyondNoon = 195;
inline constexpr int kOwnEventValue = 196;
inline constexpr int kOwnEventWhich = 197;
// The almanac: the window's menu entry and title, the names of its events,
// the eclipses' kinds, the filter's caption and one kind's name, the list's
// column head.
inline constexpr int kMenuAlmanac = 130;  // also the almanac window's title
inline constexpr int kSeasonNames = 131;  // 131 + Season 0..3 (March equinox .. December solstice)
inline constexpr int kPerigee = 135;
inline constexpr int kApogee = 136;
inline constexpr int kSupermoon = 137;
inline constexpr int kLunarEclipse = 138;
inline constexpr int kSolarEclipse = 139;
inline constexpr int kPenumbral = 140;
inline constexpr int kPartial = 141;
inline constexpr int kTotal = 142;
inline constexpr int kAnnular = 143;
inline constexpr int kMeteorShower = 144;
inline constexpr int kSummerTimeStarts = 145;
inline constexpr int kSummerTimeEnds = 146;
inline constexpr int kAlmanacShow = 147;
inline constexpr int kAlmanacEvent = 148;
inline constexpr int kEquinoxesAndSolstices = 149;
// The light panel: the blue and golden hours, the sun's visible rise and set
// behind the horizon profile, and the panel's name.
inline constexpr int kMorningBlueHour = 150;
inline constexpr int kMorningGoldenHour = 151;
inline constexpr int kEveningGoldenHour = 152;
inline constexpr int kEveningBlueHour = 153;
inline constexpr int kVisibleSunrise = 154;
inline constexpr int kVisibleSunset = 155;
inline constexpr int kLightPanel = 156;
// The year graph's legend of its blue and golden hours.
inline constexpr int kGraphBlueHour = 198;
inline constexpr int kGraphGoldenHour = 199;
// The almanac's line of the moon's distance and size: "{time}", "{distance}"
// (km), "{diameter}" (arc minutes) and "{percent}" (of the diameter at the
// mean distance); and the line's name for a screen reader.
inline constexpr int kMoonSizeLine = 200;
inline constexpr int kMoonSizeName = 201;
// The year graph's legend of its sunrise and sunset lines drawn from a height.
inline constexpr int kGraphSunriseFromHeight = 202;
inline constexpr int kGraphSunsetFromHeight = 203;
// The configuration dialog's group of saved places.
inline constexpr int kSavedPlaces = 204;
}  // namespace label

inline constexpr int kLabelCount = 205;  // label numbers 0..204
// The rows of the first label files; a file of that time lacks the rows from
// here on, and they come from the program's own table.
inline constexpr int kFirstAddedLabel = 56;
inline constexpr int kLanguageCount = 7;  // "Loc" .. "Esp"
inline constexpr int kLabelColumns = kLanguageCount + 1;
// The file's two-digit column bounds any table to 100 columns, and its row
// field (two digits, three from row 100 on) to 1000 rows.
inline constexpr int kMaxLabelTableSide = 100;
inline constexpr int kMaxLabelRows = 1000;
// Labels are captions: a cell read from a file keeps at most this many
// characters, so that no caption, hint or graph title has to lay out a text
// of megabytes.
inline constexpr std::size_t kMaxLabelChars = 300;

// `text` cut after kMaxLabelChars UTF-8 characters (never inside one).
std::string CapLabelText(std::string text);

// The message label that replaces the day-length (sun) or moonlight (moon)
// caption for a rise or set status other than Normal; status is 0..3
// (NoRise, NoSet, DownAllDay, UpAllDay).
constexpr int SunMessageLabel(int status) {
    return label::kSunMessages + status;
}
constexpr int MoonMessageLabel(int status) {
    return label::kMoonMessages + status;
}

// C columns by R rows of text cells, addressed (column, row) from 0. Any cell
// outside the table reads as empty text and cannot be written.
class LabelTable {
public:
    LabelTable() = default;
    // Columns are clamped to 0..kMaxLabelTableSide, rows to 0..kMaxLabelRows.
    LabelTable(int columns, int rows);

    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    bool Contains(int column, int row) const;

    const std::string& Cell(int column, int row) const;
    // Returns false (and changes nothing) for a cell outside the table.
    bool SetCell(int column, int row, std::string text);

    // The text of a label in a language (column languageIndex + 1); empty for
    // a language or label the table does not have. The day view reads the
    // status messages 48..55 this way, so a message edited in the grid shows at
    // the next drawing of the day.
    const std::string& Label(int languageIndex, int labelNumber) const;

    friend bool operator==(const LabelTable&, const LabelTable&) = default;

private:
    std::size_t Index(int column, int row) const;  // of a cell inside the table

    int columns_ = 0;
    int rows_ = 0;
    std::vector<std::string> cells_;  // column-major: column * rows_ + row
};

// The letters shown in coordinates such as 50N47: each is the first
// character (a whole UTF-8 character) of labels 16..19, empty when the label
// is empty.
struct HemisphereLetters {
    std::string north;
    std::string east;
    std::string south;
    std::string west;
    friend bool operator==(const HemisphereLetters&, const HemisphereLetters&) = default;
};

// The locale's full weekday names, Sunday first.
using WeekdayNames = std::array<std::string, 7>;

// The kLabelCount texts of the applied language, with its hemisphere letters and the
// language index that was applied.
struct CurrentLabels {
    int languageIndex = 0;
    std::array<std::string, kLabelCount> texts;
    HemisphereLetters hemisphere;

    // Label n, or empty text for a number outside 0..kLabelCount-1.
    const std::string& operator[](int n) const;
    friend bool operator==(const CurrentLabels&, const CurrentLabels&) = default;
};

// Copies the column of languageIndex into a CurrentLabels. For "Loc" (index 0)
// labels 1..7 are the locale's weekday names and column 1's rows 1..7 are not
// read. An index without a column in the table gives empty labels.
CurrentLabels ApplyLanguage(const LabelTable& table, int languageIndex,
                            const WeekdayNames& localeWeekdays);

// What loading produced: the table, at least kLabelColumns x kLabelCount so
// that every label of every language has a cell (a short file leaves cells
// empty), and larger when the file has cells beyond (a ninth column, rows of
// a later version): those are kept and saved again. A cell of the rows from
// kFirstAddedLabel on that the file lacks comes from the program's own
// table, so that an older file shows every new caption. And one message to show the user once,
// empty when there is nothing to say; otherwise it names skipped or ignored lines, or an unreadable
// file.
struct LabelLoad {
    LabelTable table;
    std::string message;
    bool builtIn = false;  // the program's own copy was used instead of the file
    // The file had a problem (it could not be read, lines were skipped,
    // ignored, repeated, cut or converted from Windows-1252): the next save
    // first keeps it as Dawnlabel.txt.bak, and the message says so.
    bool keepCopyBeforeSave = false;
};

// Builds the table from the lines of a label file. Each line is "CC-RR-text":
// two-digit column, two-digit row, the text from the seventh character on; a
// row from 100 on has three digits ("05-100-text").
// Lines that do not have that shape are skipped and named in the message;
// cells beyond the built-in size widen the table; when a cell appears twice
// the later line wins; a text longer than kMaxLabelChars is cut and reported.
// Blank lines are skipped silently. Lines without a single usable one give
// the program's own labels (builtIn is set).
LabelLoad ParseLabelLines(const std::vector<std::string>& lines);

// The label file of a folder: folder + "/Dawnlabel.txt".
std::string LabelFilePath(const std::string& appDir);

// Reads the label file of appDir. A missing or empty file, or one without a
// single usable line, gives the program's own copy of the shipped labels
// (builtIn is set; nothing is written to disk). A file that cannot be read
// (or may not be trusted: see core/textfile.h) also gives the built-in copy,
// with a message naming the file and the reason.
LabelLoad LoadLabelTable(const std::string& appDir, UserId user = CurrentUser());

// The program's own copy of the shipped label file, compiled in.
std::string_view BuiltInLabelFile();

// The lines of the label file for a table: exactly one per cell, column by
// column and row by row within a column, "%02d-%02d-text" (three digits for
// a row from 100 on). Line breaks inside
// a text would split its line, so they are written as spaces.
std::vector<std::string> LabelTableLines(const LabelTable& table);

// Writes the table to LabelFilePath(appDir) atomically, UTF-8 with CR LF.
// When `keepCopyFirst` points to true, the file on disk is first kept as
// Dawnlabel.txt.bak, and the flag is cleared once the table is written.
// Returns the message for the user when the file cannot be written
// ("Cannot create file <path>: <the system's reason>"), the copy cannot be
// kept, or the table has no cells; the old file is then untouched.
std::optional<std::string> SaveLabelTable(const LabelTable& table, const std::string& appDir,
                                          bool* keepCopyFirst = nullptr,
                                          UserId user = CurrentUser());

}  // namespace dawn
