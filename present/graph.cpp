#include "present/graph.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "astro/astro.h"
#include "core/dayephemeris.h"
#include "core/light.h"
#include "core/seenday.h"
#include "core/skyday.h"
#include "present/texts.h"

namespace dawn {

DayNumber GraphWindowStart(Body body, DayNumber shownDate) {
    return shownDate - (body == Body::Sun ? 182 : 14);
}

int PlottedDayCount(Body body, DayNumber shownDate) {
    const bool leap = std::chrono::year(shownDate.Year()).is_leap();
    return (body == Body::Sun ? 366 : 29) + (leap ? 1 : 0);
}

std::vector<std::string> GraphTitleLines(const GraphInputs& in, Body body) {
    const DayNumber first = GraphWindowStart(body, in.shownDate);
    // The sun title names the 365 days around the shown date; the moon title
    // ends on the last day the graph plots.
    const DayNumber second =
        body == Body::Sun ? first + 364 : first + PlottedDayCount(body, in.shownDate);
    std::vector<std::string> lines;
    lines.push_back((body == Body::Sun ? "Dawnhelm " : "Moonhelm ") + in.formatDate(first) + "-" +
                    in.formatDate(second) + " @ " + in.longitudeText + " " + in.latitudeText +
                    (in.placeName.empty() ? "" : " " + in.placeName) + "  GMT:" + in.timeZoneText);
    if (in.clocks.summerTimeEnabled) {
        const DstWindow& w = in.clocks.window;
        const std::string summer = in.summerTimeLabel + " " + in.formatDate(w.SummerStart);
        const std::string winter = in.winterTimeLabel + " " + in.formatDate(w.WinterStart);
        // Outside summer time the next start of summer time lies after the
        // last start of winter time.
        lines.push_back(w.SummerStart > w.WinterStart ? winter + "-" + summer
                                                      : summer + "-" + winter);
    }
    return lines;
}

namespace {

using std::chrono::minutes;

// The points one day gives each line; a day may give one line a point and
// the other none.
struct DayPoints {
    std::optional<minutes> rise;
    std::optional<minutes> set;
};

// A sun day is plotted only when its set clock time lies after its rise
// clock time; otherwise both lines have a gap there.
template <typename Day>
DayPoints SunPointsOf(const Day& day) {
    const minutes rise = day[EventKind::Rise].Clock;
    const minutes set = day[EventKind::Set].Clock;
    if (set > rise) return {rise, set};
    return {};
}

DayPoints MoonPointsOf(const BodyDay& day) {
    return {day[EventKind::Rise].CrossingClock, day[EventKind::Set].CrossingClock};
}

DayPoints PointsOf(Body body, const BodyDay& day) {
    return body == Body::Sun ? SunPointsOf(day) : MoonPointsOf(day);
}

std::optional<GraphMark> MarkOf(DayNumber day, const std::optional<minutes>& time,
                                std::string_view timeSeparator) {
    if (!time) return std::nullopt;
    return GraphMark{GraphPoint{day, *time}, FormatClock(*time, timeSeparator)};
}

}  // namespace

GraphInputs GraphInputsFor(const AppState& state) {
    GraphInputs in;
    in.settings = state.Settings;
    in.shownDate = state.Shown;
    in.clocks = state.Day.Clocks;
    in.timeSeparator = state.Locale.TimeSeparator;
    in.dateSeparator = DateSeparatorOf(state.Locale.DateFormat);
    in.latitudeText = LatitudeText(state.Settings.LatitudeMinutes, state.Current.hemisphere);
    in.longitudeText = LongitudeText(state.Settings.LongitudeMinutes, state.Current.hemisphere);
    in.timeZoneText = TimeZoneText(ShownStandardOffset(state), in.timeSeparator);
    in.placeName = state.Settings.PlaceName;
    in.summerTimeLabel = state.Label(label::kSummerTime);
    in.winterTimeLabel = state.Label(label::kWinterTime);
    in.formatDate = [locale = state.Locale](DayNumber d) { return locale.DateText(d); };
    in.bandNames = BandNamesOf(state);
    in.lightNames = LightNamesOf(state);
    in.heightNames = HeightNamesOf(state);
    in.visibleNames = VisibleNamesOf(state);
    return in;
}

LightNames LightNamesOf(const AppState& state) {
    LightNames names = kEnglishLightNames;
    const int rows[] = {label::kGraphBlueHour, label::kGraphGoldenHour};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string_view name = Trimmed(state.Label(rows[i]));
        if (!name.empty()) names[i] = name;
    }
    return names;
}

namespace {

HeightNames NamesOf(const AppState& state, const HeightNames& english, int riseRow, int setRow) {
    HeightNames names = english;
    const int rows[] = {riseRow, setRow};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string_view name = Trimmed(state.Label(rows[i]));
        if (!name.empty()) names[i] = name;
    }
    return names;
}

}  // namespace

HeightNames HeightNamesOf(const AppState& state) {
    return NamesOf(state, kEnglishHeightNames, label::kGraphSunriseFromHeight,
                   label::kGraphSunsetFromHeight);
}

HeightNames VisibleNamesOf(const AppState& state) {
    return NamesOf(state, kEnglishVisibleNames, label::kVisibleSunrise, label::kVisibleSunset);
}

void AddSeenCurves(const AppState& state, GraphInputs& inputs) {
    inputs.sightHeightMetres = state.Settings.ObserverHeightMetres;
    inputs.horizon = state.HorizonProfile;
    inputs.visibleCurves = inputs.sightHeightMetres > 0 || !inputs.horizon.empty();
    inputs.ownEvents = state.OwnEvents;
    inputs.drawnOwnEvents.clear();
    for (std::size_t i = 0; i < state.OwnEvents.size() && i < kMaxGraphOwnEvents; ++i)
        inputs.drawnOwnEvents.push_back(i);
}

BandNames BandNamesOf(const AppState& state) {
    BandNames names = kEnglishBandNames;
    const std::pair<BandLimit, int> captions[] = {
        {BandLimit::Astronomical, label::kAstronomicalTwilight},
        {BandLimit::Nautical, label::kNauticalTwilight},
        {BandLimit::Civil, label::kCivilTwilight}};
    for (const auto& [limit, row] : captions) {
        // The band above a limit is at index limit + 1, after the night.
        const std::string_view caption = CaptionWithoutColon(state.Label(row));
        if (!caption.empty()) names[static_cast<std::size_t>(limit) + 1] = caption;
    }
    return names;
}

std::string DateSeparatorOf(std::string_view dateFormat) {
    bool quoted = false;
    bool afterField = false;
    std::string separator;
    for (char c : dateFormat) {
        if (c == '\'') {
            quoted = !quoted;
            continue;
        }
        const bool field = !quoted && (c == 'd' || c == 'M' || c == 'y');
        if (field) {
            if (!separator.empty()) {
                const std::string_view trimmed = Trimmed(separator);
                return trimmed.empty() ? " " : std::string(FirstCharacter(trimmed));
            }
            afterField = true;
        } else if (afterField) {
            separator += c;
        }
    }
    return "/";
}

std::vector<ClockSpan> SpansAbove(const EventValues& dawn, const EventValues& dusk) {
    constexpr minutes kMidnight{0};
    constexpr minutes kEndOfDay{24 * 60};
    std::vector<ClockSpan> spans;
    auto add = [&spans](minutes from, minutes to) {
        if (to > from) spans.push_back({from, to});
    };
    // The crossings that did happen, whatever the day's status says.
    const std::optional<minutes>& up = dawn.CrossingClock;
    const std::optional<minutes>& down = dusk.CrossingClock;
    if (up && down) {
        if (*down > *up) {
            add(*up, *down);
        } else {  // above at both midnights, below in between
            add(kMidnight, *down);
            add(*up, kEndOfDay);
        }
    } else if (up) {
        add(*up, kEndOfDay);
    } else if (down) {
        add(kMidnight, *down);
    } else if (dawn.Status == EventStatus::UpAllDay || dusk.Status == EventStatus::UpAllDay) {
        add(kMidnight, kEndOfDay);
    }
    return spans;
}

namespace {

// The crossings of one limit on one date as the records give them.
struct LimitDay {
    DayNumber day;
    EventValues dawn;
    EventValues dusk;
};

// The spans above a limit on each clock day from `first` on, from the
// records of the days before and after as well. Each record holds the
// crossings of its clock date (the first night of a twilight at 70° N, when
// the sun dips below the limit at 00:31 summer time, is the next date's), so
// the crossings are laid on one line of local clock minutes, and each date's
// column is cut from it: the sun stays above a limit from a dawn to the next
// dusk.
std::vector<std::vector<ClockSpan>> SpansOnTheClock(const std::vector<LimitDay>& days,
                                                    DayNumber first, int count) {
    using std::chrono::minutes;
    constexpr long kDay = 24 * 60;
    struct Change {
        long at;  // local clock minutes from day 0
        bool above;
    };
    std::vector<Change> changes;
    auto add = [&changes](const LimitDay& d, const EventValues& e, bool above) {
        // Each crossing lies on the date its clock shows it on.
        if (!e.CrossingClock) return;
        changes.push_back({d.day.Value() * kDay + e.CrossingClock->count(), above});
    };
    for (const LimitDay& d : days) {
        add(d, d.dawn, true);
        add(d, d.dusk, false);
    }
    std::stable_sort(changes.begin(), changes.end(),
                     [](const Change& a, const Change& b) { return a.at < b.at; });
    // Before the first crossing: above when it is a dusk, or when the first
    // day's sun stays above the limit.
    bool above = false;
    if (!changes.empty()) {
        above = !changes.front().above;
    } else if (!days.empty()) {
        above = days.front().dawn.Status == EventStatus::UpAllDay ||
                days.front().dusk.Status == EventStatus::UpAllDay;
    }
    std::vector<std::vector<ClockSpan>> spans(static_cast<std::size_t>(count));
    std::size_t next = 0;
    for (int i = 0; i < count; ++i) {
        const long start = (first + i).Value() * kDay;
        const long end = start + kDay;
        while (next < changes.size() && changes[next].at <= start) above = changes[next++].above;
        long from = start;
        auto close = [&](long to) {
            if (above && to > from)
                spans[static_cast<std::size_t>(i)].push_back(
                    {minutes(from - start), minutes(to - start)});
        };
        while (next < changes.size() && changes[next].at < end) {
            close(changes[next].at);
            above = changes[next].above;
            from = changes[next].at;
            ++next;
        }
        close(end);
    }
    return spans;
}

// The bands of the plotted sun days: sunrise and sunset from the day
// records, the twilights from the sky days, a day more on each side for the
// crossings that the clock moves across midnight.
std::vector<GraphBandDay> BandsOf(const SiteSettings& settings, DayNumber first, DayNumber last) {
    const int count = last - first + 1;
    std::array<std::vector<LimitDay>, kBandLimitCount> limits;
    ForEachBodyDay(settings, Body::Sun, first - 1, last + 1, [&](const BodyDay& day) {
        limits[static_cast<std::size_t>(BandLimit::Day)].push_back(
            {day.Date, day[EventKind::Rise], day[EventKind::Set]});
        return true;
    });
    ForEachSkyDay(settings, first - 1, last + 1, [&](const SkyDay& sky) {
        const std::pair<TwilightKind, BandLimit> kinds[] = {
            {TwilightKind::Astronomical, BandLimit::Astronomical},
            {TwilightKind::Nautical, BandLimit::Nautical},
            {TwilightKind::Civil, BandLimit::Civil}};
        for (const auto& [kind, limit] : kinds) {
            limits[static_cast<std::size_t>(limit)].push_back(
                {sky.Date, sky[kind][EventKind::Rise], sky[kind][EventKind::Set]});
        }
        return true;
    });
    std::vector<GraphBandDay> bands(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) bands[static_cast<std::size_t>(i)].day = first + i;
    for (std::size_t limit = 0; limit < kBandLimitCount; ++limit) {
        std::vector<std::vector<ClockSpan>> spans = SpansOnTheClock(limits[limit], first, count);
        for (int i = 0; i < count; ++i)
            bands[static_cast<std::size_t>(i)].above[limit] =
                std::move(spans[static_cast<std::size_t>(i)]);
    }
    return bands;
}

// The blue and golden hours of the plotted days as spans of their clocks.
std::vector<GraphLightDay> LightBandsOf(const SiteSettings& settings, DayNumber first,
                                        DayNumber last) {
    using std::chrono::minutes;
    std::vector<GraphLightDay> days;
    ForEachLightDay(settings, first, last, [&](const LightDay& light) {
        GraphLightDay day{light.date, {}, {}};
        for (LightPeriodKind kind : kLightPeriods) {
            const LightPeriod& p = light[kind];
            if (!p.start && !p.end) continue;
            const ClockSpan span{p.start.value_or(minutes(0)), p.end.value_or(minutes(1440))};
            if (span.to <= span.from) continue;
            const bool blue =
                kind == LightPeriodKind::MorningBlue || kind == LightPeriodKind::EveningBlue;
            (blue ? day.blue : day.golden).push_back(span);
        }
        days.push_back(std::move(day));
        return true;
    });
    return days;
}

// The curves beside the lines: each side's crossing on the days it happens.
std::vector<GraphCurve> CurvesOf(const GraphInputs& in, DayNumber first, DayNumber last) {
    std::vector<GraphCurve> curves;
    const EventSight sight{in.sightHeightMetres, in.horizon};
    auto add = [&](GraphCurveKind kind, std::string name, std::size_t index, EventKind side,
                   const auto& walk) {
        GraphCurve curve{kind, std::move(name), index, {}};
        walk([&](const SeenDay& d) {
            if (const std::optional<minutes>& at = d[side].CrossingClock)
                curve.points.push_back({d.date, *at});
            return true;
        });
        curves.push_back(std::move(curve));
    };
    if (in.visibleCurves) {
        SiteSettings high = in.settings;
        high.ObserverHeightMetres = in.sightHeightMetres;
        auto walk = [&](const SeenDayCallback& on) {
            if (in.horizon.empty())
                ForEachDayFromHeight(high, first, last, on);
            else
                ForEachVisibleDay(in.settings, in.horizon, first, last, on);
        };
        add(GraphCurveKind::VisibleRise, in.visibleNames[0], 0, EventKind::Rise, walk);
        add(GraphCurveKind::VisibleSet, in.visibleNames[1], 0, EventKind::Set, walk);
    }
    for (std::size_t n = 0; n < in.drawnOwnEvents.size() && n < kMaxGraphOwnEvents; ++n) {
        const std::size_t index = in.drawnOwnEvents[n];
        if (index >= in.ownEvents.size()) continue;
        const std::string& name = in.ownEvents[index].name;
        const UserEventSide sides = SidesOf(in.ownEvents, name).value_or(UserEventSide::Both);
        // Both sides from one walk.
        std::vector<SeenDay> days;
        ForEachOwnEventDay(
            in.settings, in.ownEvents, index, first, last,
            [&days](const SeenDay& d) {
                days.push_back(d);
                return true;
            },
            sight);
        auto replay = [&days](const SeenDayCallback& on) {
            for (const SeenDay& d : days)
                if (!on(d)) return;
        };
        if (sides != UserEventSide::Setting)
            add(GraphCurveKind::OwnEvent, name, n, EventKind::Rise, replay);
        if (sides != UserEventSide::Rising)
            add(GraphCurveKind::OwnEvent, sides == UserEventSide::Both ? std::string() : name, n,
                EventKind::Set, replay);
    }
    return curves;
}

// The principal phases whose local clock time falls on a plotted day, each
// read with the clocks of its own date.
std::vector<GraphPhaseMark> PhaseMarksOf(const SiteSettings& settings, DayNumber first,
                                         DayNumber last) {
    using namespace std::chrono;
    // Two days either side in UT hold every offset and the summer shift,
    // which may move a phase across midnight.
    const UtInstant from = UtInstant(sys_days{(first - 2).ToDate()});
    const UtInstant to = UtInstant(sys_days{(last + 3).ToDate()});
    std::vector<GraphPhaseMark> marks;
    for (const PhaseEvent& p : PrincipalPhasesBetween(from, to)) {
        const sys_time<minutes> standard = StandardMinuteOf(settings, p.instant);
        const sys_days standardDate = floor<days>(standard);
        const DayNumber standardDay = DayNumber::FromDate(year_month_day{standardDate});
        const ClockMoment clock =
            ClockRulesOf(settings, standardDay).ClockAt(standardDay, standard - standardDate);
        const DayNumber d = clock.date;
        if (d < first || d > last) continue;
        marks.push_back({p.phase, GraphPoint{d, clock.time}, MoonPhaseOfDay(settings, d).litSide});
    }
    return marks;
}

}  // namespace

GraphData BuildGraph(const GraphInputs& in, Body body) {
    GraphData g;
    g.body = body;
    g.titleLines = GraphTitleLines(in, body);
    g.timeSeparator = in.timeSeparator;
    g.dateSeparator = in.dateSeparator;
    g.bandNames = in.bandNames;
    g.lightNames = in.lightNames;
    const int count = PlottedDayCount(body, in.shownDate);
    g.firstDay = GraphWindowStart(body, in.shownDate) + 1;
    g.lastDay = g.firstDay + (count - 1);
    g.rise.reserve(static_cast<std::size_t>(count));
    g.set.reserve(static_cast<std::size_t>(count));

    auto plot = [&](DayNumber day, const DayPoints& p) {
        if (p.rise) g.rise.push_back({day, *p.rise});
        if (p.set) g.set.push_back({day, *p.set});
    };

    DayPoints shown;
    if (in.linesFromHeight && body == Body::Sun) {
        // The same rule as the designed lines, on the days seen from the height.
        SiteSettings high = in.settings;
        high.ObserverHeightMetres = *in.linesFromHeight;
        ForEachDayFromHeight(high, g.firstDay, g.lastDay, [&](const SeenDay& day) {
            plot(day.date, SunPointsOf(day));
            if (day.date == in.shownDate) shown = SunPointsOf(day);
            return true;
        });
        g.heightNames = in.heightNames;
    } else {
        ForEachBodyDay(in.settings, body, g.firstDay, g.lastDay, [&](const BodyDay& day) {
            plot(day.Date, PointsOf(body, day));
            return true;
        });
        // The shown date's two marks.
        ForEachBodyDay(in.settings, body, in.shownDate, in.shownDate, [&](const BodyDay& day) {
            shown = PointsOf(body, day);
            return true;
        });
    }
    g.shownRise = MarkOf(in.shownDate, shown.rise, in.timeSeparator);
    g.shownSet = MarkOf(in.shownDate, shown.set, in.timeSeparator);
    if (in.twilightBands && body == Body::Sun)
        g.bands = BandsOf(in.settings, g.firstDay, g.lastDay);
    if (in.lightBands && body == Body::Sun)
        g.light = LightBandsOf(in.settings, g.firstDay, g.lastDay);
    if (body == Body::Sun) g.curves = CurvesOf(in, g.firstDay, g.lastDay);
    if (in.principalPhases && body == Body::Moon)
        g.phases = PhaseMarksOf(in.settings, g.firstDay, g.lastDay);
    return g;
}

}  // namespace dawn
