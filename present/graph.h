#pragma once
// What the year graph draws, worked out from plain values: the title lines,
// the rise and set points of a run of consecutive days around the shown date,
// and the shown date's own rise and set with their clock texts.
//
// The sun graph's window starts 182 days before the shown date and plots 366
// days from the day after that start (367 when the shown date's year is a
// leap year), so the run ends 184 or 185 days after the shown date. The moon
// graph's window starts 14 days before and plots 29 days (30 in a leap year).
//
// A sun day gets its two points only when the set clock time is later than
// the rise clock time: a day whose sunset falls after local midnight, or a
// day below the horizon (both placeholder times 12:00), leaves a gap in both
// lines, while a day of midnight sun is drawn at 00:00 and 23:59. Moonrise and
// moonset are plotted independently, each only on a day it happens and at the
// time it happens: a day without a moonrise still has its moonset point, and
// a shown date without a moonrise only its set mark.
//
// With the twilight bands asked for, every plotted sun day also carries the
// spans of the day in which the sun stands above each of the band limits, on
// the same clock as the rise and set lines.
//
// With the principal phases asked for, the moon graph carries the instants of
// new moon, first quarter, full moon and last quarter in its window, on the
// local clock (summer time applied, which may carry one into the next day),
// each with the side its disc is lit on for the place: the side the main
// window's disc shows on the mark's date. A watcher north of the moon's
// declination faces south to see it highest and sees a waxing moon lit on the
// right; one south of it faces north and sees it lit on the left. In the
// tropics the side so follows the moon as well as the latitude.
//
// The sun graph may draw its rise and set lines from the observer's height
// instead (the horizon lowered by the height's dip), and carry curves beside
// them: the visible rise and set (behind a horizon profile, or from the
// observer's height without one) and the sides of the user's own events.
// Each curve has a point on every day its crossing happens, at the clock
// time it happens, as the moon's lines have.
//
// Dates come in and go out as DayNumber, times of day as minutes.
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "astro/moonphase.h"
#include "core/calendar.h"
#include "core/dayephemeris.h"
#include "core/daynumber.h"
#include "core/settings.h"
#include "core/userevents.h"
#include "present/appstate.h"

namespace dawn {

struct GraphPoint {
    DayNumber day;
    std::chrono::minutes time{0};  // local clock time, summer time applied
    friend bool operator==(const GraphPoint&, const GraphPoint&) = default;
};

// A point of the shown date with the clock text written beside it.
struct GraphMark {
    GraphPoint point;
    std::string clockText;
    friend bool operator==(const GraphMark&, const GraphMark&) = default;
};

// A stretch of one day on the local clock, from `from` up to `to`
// (0..1440 minutes).
struct ClockSpan {
    std::chrono::minutes from{0};
    std::chrono::minutes to{0};
    friend bool operator==(const ClockSpan&, const ClockSpan&) = default;
};

// The limits between the bands, darkest first: above the first the sky is in
// astronomical twilight, above the last it is day (sunrise to sunset).
enum class BandLimit : std::uint8_t { Astronomical = 0, Nautical = 1, Civil = 2, Day = 3 };
inline constexpr std::size_t kBandLimitCount = 4;
// The bands themselves: night below the first limit, then one above each.
inline constexpr std::size_t kBandCount = kBandLimitCount + 1;
using BandNames = std::array<std::string, kBandCount>;
// The bands' names in the legend, darkest first, when no label names them.
inline const BandNames kEnglishBandNames = {"Night", "Astronomical", "Nautical", "Civil", "Day"};

// The spans of one day in which the sun stands above each limit, earliest
// first: none on a day it stays below, 00:00-24:00 on a day it stays above,
// two when it is above at midnight and dips below in between. The spans of
// a limit lie inside those of every darker one, so drawing them darkest
// first, each over the last, paints the five bands; what none covers is night.
struct GraphBandDay {
    DayNumber day;
    std::array<std::vector<ClockSpan>, kBandLimitCount> above;
    const std::vector<ClockSpan>& operator[](BandLimit l) const {
        return above[static_cast<std::size_t>(l)];
    }
    friend bool operator==(const GraphBandDay&, const GraphBandDay&) = default;
};

// The blue and golden hours of one day on the local clock (core/light.h):
// the spans of each kind, earliest first. A period whose start fell on the
// day before (or that had not ended by midnight) runs from 00:00 (to 24:00).
struct GraphLightDay {
    DayNumber day;
    std::vector<ClockSpan> blue;
    std::vector<ClockSpan> golden;
    friend bool operator==(const GraphLightDay&, const GraphLightDay&) = default;
};

// The legend's names of the blue hour and the golden hour.
using LightNames = std::array<std::string, 2>;
inline const LightNames kEnglishLightNames = {"Blue hour", "Golden hour"};

// The legend's names of the rise and set lines drawn from a height.
using HeightNames = std::array<std::string, 2>;
inline const HeightNames kEnglishHeightNames = {"Sunrise from height", "Sunset from height"};
// The legend's names of the visible rise and set.
inline const HeightNames kEnglishVisibleNames = {"Visible sunrise", "Visible sunset"};

// A curve beside the rise and set lines: the visible rise or set, or one
// side of a user's event. Both sides of an event have its colour; the
// legend names its rising side (or its only side) alone, `name` being empty
// on the other.
enum class GraphCurveKind : std::uint8_t { VisibleRise, VisibleSet, OwnEvent };
struct GraphCurve {
    GraphCurveKind kind = GraphCurveKind::VisibleRise;
    std::string name;                // plain text, in the legend; empty: not in the legend
    std::size_t ownIndex = 0;        // the how-manieth own event drawn (its colour)
    std::vector<GraphPoint> points;  // oldest first
    friend bool operator==(const GraphCurve&, const GraphCurve&) = default;
};

// The most own events a graph draws, in the order of their file, so that the
// legend stays readable.
inline constexpr std::size_t kMaxGraphOwnEvents = 6;

struct GraphPhaseMark {
    PrincipalPhase phase = PrincipalPhase::NewMoon;
    GraphPoint point;
    // The side of a quarter's disc that is lit, as the main window shows the
    // moon of that date: first quarter lit on the right seen from the north,
    // on the left seen from the south.
    LitSide litSide = LitSide::Right;
    friend bool operator==(const GraphPhaseMark&, const GraphPhaseMark&) = default;
};

struct GraphData {
    Body body = Body::Sun;
    std::vector<std::string> titleLines;
    DayNumber firstDay;            // the first plotted day (the window's start + 1)
    DayNumber lastDay;             // the last plotted day
    std::vector<GraphPoint> rise;  // oldest first
    std::vector<GraphPoint> set;
    std::optional<GraphMark> shownRise;
    std::optional<GraphMark> shownSet;
    // One per plotted day, oldest first; empty unless the inputs ask for the
    // twilight bands of the sun graph.
    std::vector<GraphBandDay> bands;
    // The legend's names of the five bands, darkest first.
    BandNames bandNames = kEnglishBandNames;
    // One per plotted day, oldest first; empty unless the inputs ask for the
    // blue and golden hours of the sun graph.
    std::vector<GraphLightDay> light;
    LightNames lightNames = kEnglishLightNames;  // blue first
    // The rise and set lines' names in the legend when they are drawn from a
    // height; empty for the designed ones.
    std::optional<HeightNames> heightNames;
    // The curves beside the lines, the visible rise and set first; empty
    // unless the inputs ask for them (sun graph only).
    std::vector<GraphCurve> curves;
    // In time order; empty unless the inputs ask for the moon's phases.
    std::vector<GraphPhaseMark> phases;
    // The separators of the axis labels ("hh:mm", "dd/mm/yy").
    std::string timeSeparator = ":";
    std::string dateSeparator = "/";
};

struct GraphInputs {
    SiteSettings settings;
    DayNumber shownDate;
    // The clocks of the shown date: their summer-time window names the two
    // changes in the title's second line.
    ClockRules clocks;
    std::string timeSeparator;
    std::string dateSeparator;  // between the day, month and year of the date axis
    std::string latitudeText;   // "50N47"
    std::string longitudeText;  // "05E28"
    std::string timeZoneText;   // "+01:00"
    std::string placeName;      // the place chosen by name, or empty
    std::string summerTimeLabel;
    std::string winterTimeLabel;
    std::function<std::string(DayNumber)> formatDate;  // the locale's short date format
    bool twilightBands = false;  // the sun graph's shaded bands behind its lines
    BandNames bandNames = kEnglishBandNames;
    bool principalPhases = false;  // the moon graph's marks of its principal phases
    bool lightBands = false;       // the sun graph's blue and golden hours
    LightNames lightNames = kEnglishLightNames;
    // The sun graph's rise and set lines from this height above the land
    // around (metres); none draws the designed ones.
    std::optional<double> linesFromHeight;
    HeightNames heightNames = kEnglishHeightNames;
    // The visible rise and set curves: behind `horizon` when it has a point,
    // else from `sightHeightMetres`.
    bool visibleCurves = false;
    HeightNames visibleNames = kEnglishVisibleNames;
    // What the visible curves and the own events' visible sunrise and sunset
    // are seen with.
    double sightHeightMetres = 0;
    std::vector<HorizonPoint> horizon;
    // The user's events (every one, as the offsets count from them) and the
    // indexes of those drawn, at most kMaxGraphOwnEvents.
    std::vector<UserEvent> ownEvents;
    std::vector<std::size_t> drawnOwnEvents;
};

// The graph's inputs from the program's state: the shown date and its
// summer-time window, the place and zone texts, the summer and winter words,
// the names of the bands and the locale's formats.
GraphInputs GraphInputsFor(const AppState& state);

// The legend's names of the bands in the chosen language: the twilight
// panel's captions without their padding and colon ("Nautical    :" ->
// "Nautical") for the three twilights, and English for night and day, which
// no label names. A caption left empty keeps the English name.
BandNames BandNamesOf(const AppState& state);

// The legend's names of the blue and golden hours in the chosen language; a
// label left empty keeps the English name.
LightNames LightNamesOf(const AppState& state);

// The same for the lines from a height, and for the visible rise and set
// (the light panel's captions).
HeightNames HeightNamesOf(const AppState& state);
HeightNames VisibleNamesOf(const AppState& state);

// The curves the graph window draws with its light: the visible rise and set
// when the settings have an observer's height or a horizon profile, seen
// with them, and the user's first kMaxGraphOwnEvents events.
void AddSeenCurves(const AppState& state, GraphInputs& inputs);

// The separator of a date format's fields ("dd.MM.yyyy" -> "."); "/" when it
// has none.
std::string DateSeparatorOf(std::string_view dateFormat);

// The window's first day: 182 (sun) or 14 (moon) days before the shown date.
DayNumber GraphWindowStart(Body body, DayNumber shownDate);
// 366 or 29 days, one more when the shown date's year is a leap year.
int PlottedDayCount(Body body, DayNumber shownDate);

// The title: line 1 names the body, the dates, the place (its coordinates and,
// when it was chosen by name, its name) and the zone; line 2, only with summer
// time on, the two changes in the order in which they fall.
std::vector<std::string> GraphTitleLines(const GraphInputs& in, Body body);

// The spans of one day above a limit, from the statuses and clock times of
// the dawn (EventKind::Rise) and the dusk (EventKind::Set) at that limit.
std::vector<ClockSpan> SpansAbove(const EventValues& dawn, const EventValues& dusk);

GraphData BuildGraph(const GraphInputs& in, Body body);

}  // namespace dawn
