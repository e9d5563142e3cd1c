#include "present/graph.h"

#include <string_view>

#include "astro/astro.h"
#include "core/dayephemeris.h"
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
DayPoints SunPointsOf(const BodyDay& day) {
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
    return in;
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

// The bands of the plotted sun days: sunrise and sunset from the day
// records, the twilights from the sky days.
std::vector<GraphBandDay> BandsOf(const SiteSettings& settings, DayNumber first, DayNumber last) {
    std::vector<GraphBandDay> bands;
    ForEachBodyDay(settings, Body::Sun, first, last, [&](const BodyDay& day) {
        GraphBandDay band{day.Date, {}};
        band.above[static_cast<std::size_t>(BandLimit::Day)] =
            SpansAbove(day[EventKind::Rise], day[EventKind::Set]);
        bands.push_back(std::move(band));
        return true;
    });
    std::size_t i = 0;
    ForEachSkyDay(settings, first, last, [&](const SkyDay& sky) {
        GraphBandDay& band = bands.at(i++);
        const std::pair<TwilightKind, BandLimit> limits[] = {
            {TwilightKind::Astronomical, BandLimit::Astronomical},
            {TwilightKind::Nautical, BandLimit::Nautical},
            {TwilightKind::Civil, BandLimit::Civil}};
        for (const auto& [kind, limit] : limits) {
            band.above[static_cast<std::size_t>(limit)] =
                SpansAbove(sky[kind][EventKind::Rise], sky[kind][EventKind::Set]);
        }
        return true;
    });
    return bands;
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
    const int count = PlottedDayCount(body, in.shownDate);
    g.firstDay = GraphWindowStart(body, in.shownDate) + 1;
    g.lastDay = g.firstDay + (count - 1);
    g.rise.reserve(static_cast<std::size_t>(count));
    g.set.reserve(static_cast<std::size_t>(count));

    auto plot = [&](DayNumber day, const DayPoints& p) {
        if (p.rise) g.rise.push_back({day, *p.rise});
        if (p.set) g.set.push_back({day, *p.set});
    };

    ForEachBodyDay(in.settings, body, g.firstDay, g.lastDay, [&](const BodyDay& day) {
        plot(day.Date, PointsOf(body, day));
        return true;
    });
    // The shown date's two marks.
    DayPoints shown;
    ForEachBodyDay(in.settings, body, in.shownDate, in.shownDate, [&](const BodyDay& day) {
        shown = PointsOf(body, day);
        return true;
    });
    g.shownRise = MarkOf(in.shownDate, shown.rise, in.timeSeparator);
    g.shownSet = MarkOf(in.shownDate, shown.set, in.timeSeparator);
    if (in.twilightBands && body == Body::Sun)
        g.bands = BandsOf(in.settings, g.firstDay, g.lastDay);
    if (in.principalPhases && body == Body::Moon)
        g.phases = PhaseMarksOf(in.settings, g.firstDay, g.lastDay);
    return g;
}

}  // namespace dawn
