#include "ui/graph/graphdata.h"

#include <string_view>

#include "astro/astro.h"
#include "core/dayephemeris.h"

namespace dawn {

DayNumber GraphWindowStart(GraphBody body, DayNumber shownDate) {
    return shownDate - (body == GraphBody::Sun ? 182 : 14);
}

int PlottedDayCount(GraphBody body, DayNumber shownDate) {
    const bool leap = std::chrono::year(shownDate.Year()).is_leap();
    return (body == GraphBody::Sun ? 366 : 29) + (leap ? 1 : 0);
}

std::vector<std::string> GraphTitleLines(const GraphInputs& in, GraphBody body) {
    const DayNumber first = GraphWindowStart(body, in.shownDate);
    // The sun title names the 365 days around the shown date; the moon title
    // ends on the last day the graph plots.
    const DayNumber second =
        body == GraphBody::Sun ? first + 364 : first + PlottedDayCount(body, in.shownDate);
    std::vector<std::string> lines;
    lines.push_back((body == GraphBody::Sun ? "Dawnhelm " : "Moonhelm ") + in.formatDate(first) +
                    "-" + in.formatDate(second) + " @ " + in.longitudeText + " " + in.latitudeText +
                    "  GMT:" + in.timeZoneText);
    if (in.settings.SummerTimeEnabled) {
        const std::string summer = in.summerTimeLabel + " " + in.formatDate(in.window.SummerStart);
        const std::string winter = in.winterTimeLabel + " " + in.formatDate(in.window.WinterStart);
        // Outside summer time the next start of summer time lies after the
        // last start of winter time.
        lines.push_back(in.window.SummerStart > in.window.WinterStart ? winter + "-" + summer
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
DayPoints SunPointsOf(const DayEphemeris& day) {
    if (day.SunSetTime > day.SunRiseTime) return {day.SunRiseTime, day.SunSetTime};
    return {};
}

// The local clock time of a moon crossing of one kind on `day`, shifted by
// the summer-time hour as the day record shifts its own times; nothing when
// the moon made no crossing of that kind that day.
std::optional<minutes> MoonCrossingTime(const RiseSetResult& r, const DstWindow& window,
                                        bool summerTime, DayNumber day) {
    minutes t{0};
    if (r.crossingText.empty() || !ParseClock(r.crossingText, t)) return std::nullopt;
    return ApplySummerTime(window, summerTime, day, t);
}

// Moonrise and moonset are independent: on a day without a moonrise the
// moonset that did happen is plotted at its real time, though the day's
// status gives both events placeholder times.
DayPoints MoonPointsOf(const SiteSettings& settings, DayNumber day,
                       std::string_view timeSeparator) {
    const Place place{settings.LatitudeMinutes, settings.LongitudeMinutes,
                      settings.TimeZoneMinutes};
    const DayEvents events = ComputeMoonDay(day.ToDate(), place, timeSeparator);
    const DstWindow window = ComputeDstWindow(settings, day);
    return {MoonCrossingTime(events.rise, window, settings.SummerTimeEnabled, day),
            MoonCrossingTime(events.set, window, settings.SummerTimeEnabled, day)};
}

std::optional<GraphMark> MarkOf(DayNumber day, const std::optional<minutes>& time,
                                std::string_view timeSeparator) {
    if (!time) return std::nullopt;
    return GraphMark{GraphPoint{day, *time}, FormatClock(*time, timeSeparator)};
}

}  // namespace

GraphData BuildGraph(const GraphInputs& in, GraphBody body) {
    GraphData g;
    g.body = body;
    g.titleLines = GraphTitleLines(in, body);
    g.timeSeparator = in.timeSeparator;
    g.dateSeparator = in.dateSeparator;
    const int count = PlottedDayCount(body, in.shownDate);
    g.firstDay = GraphWindowStart(body, in.shownDate) + 1;
    g.lastDay = g.firstDay + (count - 1);
    g.rise.reserve(static_cast<std::size_t>(count));
    g.set.reserve(static_cast<std::size_t>(count));

    auto plot = [&](DayNumber day, const DayPoints& p) {
        if (p.rise) g.rise.push_back({day, *p.rise});
        if (p.set) g.set.push_back({day, *p.set});
    };

    // The shown date is computed once more at the end, for its two marks.
    DayPoints shown;
    if (body == GraphBody::Sun) {
        ForEachDay(in.settings, g.firstDay, g.lastDay, in.timeSeparator,
                   [&](const DayEphemeris& day) {
                       plot(day.Date, SunPointsOf(day));
                       return true;
                   });
        shown = SunPointsOf(ComputeDay(in.settings, in.shownDate, in.timeSeparator));
    } else {
        for (DayNumber d = g.firstDay; d <= g.lastDay; ++d) {
            plot(d, MoonPointsOf(in.settings, d, in.timeSeparator));
        }
        shown = MoonPointsOf(in.settings, in.shownDate, in.timeSeparator);
    }
    g.shownRise = MarkOf(in.shownDate, shown.rise, in.timeSeparator);
    g.shownSet = MarkOf(in.shownDate, shown.set, in.timeSeparator);
    return g;
}

}  // namespace dawn
