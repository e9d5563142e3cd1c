// What the main window shows for the shown date, as one value: every caption,
// time, change and sign of the two panels, the status messages that stand in
// for an event that does not happen, the week numbers beside the calendar, the
// summer-time rows, the place and the zone, the hints, the colour and size
// choices, and the hint of the notification-area icon.
//
// The main window copies this value into its controls and does nothing else;
// `dawnhelm-cli view` prints it. Each rule of the view is one function below,
// so that it can be read, tested and changed in one place.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/calendar.h"
#include "core/dayephemeris.h"
#include "core/daynumber.h"
#include "core/skyday.h"
#include "present/appstate.h"

namespace dawn {

// The three rows of a panel: the rise, the set and the length of the light
// between them (day length, moonlight).
enum class Row : std::uint8_t { Rise, Set, Length };
inline constexpr std::size_t kRowCount = 3;

// The colour of a summer-time date and its caption: the shown date itself
// stands out (black), other dates are gray.
enum class DateRole : std::uint8_t { ShownDate, OtherDate };

struct RowView {
    std::string caption;  // aligned, or the status message in the length row
    std::string value;    // the clock time or the length
    std::string valueHint;
    std::string sign;  // "+" for more light than the day before, "-" for less
    std::string delta;
};

struct PanelView {
    std::array<RowView, kRowCount> rows;
    // The date the changes are measured against: the hint of each change.
    std::string deltaHint;

    const RowView& operator[](Row r) const { return rows[static_cast<std::size_t>(r)]; }
};

// One summer-time row: its caption, the date of the change and its colour.
struct SummerRowView {
    std::string caption;
    DayNumber date;
    std::string dateText;
    DateRole role = DateRole::OtherDate;
};

// The two rows: the upper holds the last change of regime, the lower the
// next one, and below them the days until the next.
struct SummerRows {
    SummerRowView upper;
    SummerRowView lower;
    std::string daysCaption;
    std::string dayCount;
    std::string dayCountHint;  // "<shown date> -> <next change>"
};

// The twilight panel, shown in the sun panel's place: one row per twilight
// with its dawn and its dusk, and a row of solar noon with the sun's altitude
// then.
inline constexpr std::size_t kTwilightRowCount = 4;  // civil, nautical, astronomical, noon

struct TwilightRowView {
    std::string caption;  // aligned among the panel's four captions
    std::string first;    // the dawn, or the time of noon
    std::string firstHint;
    std::string second;  // the dusk, or the sun's altitude at noon
    std::string secondHint;
};

struct TwilightPanelView {
    std::array<TwilightRowView, kTwilightRowCount> rows;
    std::string hint;  // the panel's name: "Twilight"
};

// The moon's phase of the shown date, shown with the moon panel: a small disc
// lit on `litSide` (as the moon is seen from the place), the phase's name and
// the lit part of the disc.
struct PhaseView {
    std::string name;
    std::string illuminated;  // "23%"
    // The age and the dates of the next full and new moon, one per line.
    std::string hint;
    double illuminatedFraction = 0.0;
    LitSide litSide = LitSide::Right;
    std::string litSideText;  // "lit right" or "lit left": the disc's description
};

struct DayView {
    DayNumber date;
    std::array<PanelView, kBodyCount> panels;  // by Body
    // The point size of the seven aligned captions: 10, or 9 when one of the
    // captions of the shown panel is longer than 20 characters.
    int captionPointSize = 10;

    std::string weekCaption;
    std::array<int, 6> weeks{};

    std::string coordinatesCaption;  // aligned with the panel's captions
    std::string coordinatesHint;     // the time zone, and the place chosen by name
    std::string latitude;            // 50N47
    std::string longitude;           // 05E28

    SummerRows summer;

    std::string symbol;  // the sign beside each row
    // The way to the translation grid, with the language once it was chosen.
    std::string sunSetSymbolHint;

    std::string monthText;        // " Jul" over the month box
    std::string monthHint;        // "July"
    std::string monthNumberHint;  // "7"

    std::string trayHint;

    TwilightPanelView twilight;
    PhaseView phase;

    const PanelView& operator[](Body b) const { return panels[IndexOf(b)]; }

    // Every text as (control name, text): the captions and values of the
    // window, "name.hint" for a hint, "name.colour" for a colour role. The
    // order is the window's, from the top, and then the twilight panel and
    // the phase.
    std::vector<std::pair<std::string, std::string>> Texts() const;
};

// The whole view of the state's shown date, for the panel the state shows.
DayView BuildDayView(const AppState& state);

// --- the rules, one function each ------------------------------------------

// The twilight panel of a sky day. A dawn or dusk shows its clock time
// whenever that crossing happened, also on a day that lacks the other one;
// otherwise the empty clock text.
TwilightPanelView TwilightPanelOf(const SkyDay& sky, const AppState& state);

// The phase of a sky day, with the next full and new moon from `next`.
PhaseView PhaseViewOf(const SkyDay& sky, const NextMoons& next, const AppState& state);

// "+" when the row's value brings more light than the day before, "-" when
// less: an earlier rise, a later set, a longer length. Rises and sets compare
// their standard times, so the change to or from summer time shows no sign of
// its own.
std::string_view LightSign(Row row, const BodyEntry& body);

// The length row's value. With both events, the length between them. The
// sun's day without both: 00:00 when it stays down, 24:00 when it stays up,
// from the rise to midnight when it only rises, from midnight to the set when
// it only sets. The moon's light without both events is the empty clock text.
std::string LengthText(Body body, const BodyEntry& entry, const LocaleFormats& locale);

// The clock text of an event as the window shows it: the crossing that
// happened on the date, summer time applied, also on a day whose status
// replaces the event's time; the empty clock text when none happened.
std::string EventClockText(const EventValues& event, const LocaleFormats& locale);

// The summer-time rows of the shown date from its summer-time window.
SummerRows SummerRowsOf(const DstWindow& window, DayNumber shown, const AppState& state);
// The same for the clocks of the shown date; without summer time around it
// (a zone without changes, or the manual rules switched off) the rows say
// so in words instead of naming the first and last day of the year.
SummerRows SummerRowsOf(const ClockRules& clocks, DayNumber shown, const AppState& state);

// The week numbers beside the six rows of the month calendar, whose weeks
// start on `weekStartDay` (0 Sunday .. 6 Saturday). Each row reads the week of
// its Thursday: the ISO 8601 week, or with the New-Year flag the Monday-start
// week counted from the one holding 1 January. Both wrap at the turn of the
// year. When the calendar draws a whole week of the previous month above the
// first, that row is the first: 2024-01-01 on a Monday-first calendar gives
// 52 1 2 3 4 5.
std::array<int, 6> WeekColumn(DayNumber firstOfMonth, int weekStartDay, bool firstWeekNewYear);

// Whether the calendar, starting its weeks on `weekStartDay` (0 Sunday ..
// 6 Saturday), draws a whole week of the previous month above the first.
bool CalendarHasLeadingRow(DayNumber firstOfMonth, int weekStartDay);

// Spaces in front of the day-view captions so that they end in one column:
// m is the longest of 10 and the given lengths; 20 - m spaces (none when
// m >= 20). `smallFont` tells whether the captions must shrink (m > 20).
struct CaptionAlignment {
    int padding = 0;
    bool smallFont = false;
};
CaptionAlignment AlignCaptions(std::initializer_list<std::size_t> lengths);

// The name of each language of the label table, as its hints give it.
std::string_view LanguageName(int languageIndex);

}  // namespace dawn
