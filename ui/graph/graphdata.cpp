#include "ui/graph/graphdata.h"

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
    lines.push_back((body == GraphBody::Sun ? "Dawnhelm " : "Moonhelm ") + in.formatDate(first) + "-" +
                    in.formatDate(second) + " @ " + in.longitudeText + " " + in.latitudeText +
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

GraphMark MarkOf(DayNumber day, std::chrono::minutes time, const std::string& clock) {
    return GraphMark{GraphPoint{day, time}, clock};
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

    const bool sun = body == GraphBody::Sun;
    auto plot = [&](const DayEphemeris& day, std::vector<GraphPoint>& rise, std::vector<GraphPoint>& set) {
        if (sun) {
            if (day.SunSetTime > day.SunRiseTime) {
                rise.push_back({day.Date, day.SunRiseTime});
                set.push_back({day.Date, day.SunSetTime});
            }
            return;
        }
        if (day.MoonRiseStatus == EventStatus::Normal) rise.push_back({day.Date, day.MoonRiseTime});
        if (day.MoonSetStatus == EventStatus::Normal) set.push_back({day.Date, day.MoonSetTime});
    };

    ForEachDay(in.settings, g.firstDay, g.lastDay, in.timeSeparator, [&](const DayEphemeris& day) {
        plot(day, g.rise, g.set);
        return true;
    });

    // The shown date once more, for its two marks.
    const DayEphemeris shown = ComputeDay(in.settings, in.shownDate, in.timeSeparator);
    std::vector<GraphPoint> rise;
    std::vector<GraphPoint> set;
    plot(shown, rise, set);
    if (!rise.empty()) g.shownRise = MarkOf(shown.Date, rise[0].time, sun ? shown.SunRiseClock : shown.MoonRiseClock);
    if (!set.empty()) g.shownSet = MarkOf(shown.Date, set[0].time, sun ? shown.SunSetClock : shown.MoonSetClock);
    return g;
}

}  // namespace dawn
