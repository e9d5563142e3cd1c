// day: every field of the day record of one date, as the main window gets it.
#include <cstdio>
#include <ostream>
#include <string>

#include "cli/command_line.h"
#include "cli/settings_option.h"
#include "cli/values.h"
#include "core/dayephemeris.h"

namespace dawn::cli {

namespace {

constexpr Option kDateOption{"date", "YYYY-MM-DD", true, "the date"};
constexpr Option kOptions[] = {kSettingsOption, kDateOption};

class FieldWriter {
public:
    explicit FieldWriter(std::string& out) : out_(out) {}
    void operator()(std::string_view name, std::string_view value) {
        out_.append(name).append("=").append(value).append("\n");
    }
    void operator()(std::string_view name, EventStatus s) {
        (*this)(name, std::to_string(static_cast<int>(s)));
    }
    void operator()(std::string_view name, std::chrono::minutes m) {
        (*this)(name, FormatClock(m, ":"));
    }
    void operator()(std::string_view name, DayNumber d) { (*this)(name, FormatIsoDate(d)); }

private:
    std::string& out_;
};

std::string DescribeDay(const DayEphemeris& e) {
    std::string out;
    FieldWriter f(out);
    f("Date", e.Date);
    f("PrevDate", e.PrevDate);
    f("SunRiseStatus", e.SunRiseStatus);
    f("SunSetStatus", e.SunSetStatus);
    f("SunRiseText", e.SunRiseText);
    f("SunSetText", e.SunSetText);
    f("SunRiseTime", e.SunRiseTime);
    f("SunSetTime", e.SunSetTime);
    f("SunRiseClock", e.SunRiseClock);
    f("SunSetClock", e.SunSetClock);
    f("SunRiseAzimuth", e.SunRiseAzimuth);
    f("SunSetAzimuth", e.SunSetAzimuth);
    f("DayLength", e.DayLength);
    f("MoonRiseStatus", e.MoonRiseStatus);
    f("MoonSetStatus", e.MoonSetStatus);
    f("MoonRiseText", e.MoonRiseText);
    f("MoonSetText", e.MoonSetText);
    f("MoonRiseTime", e.MoonRiseTime);
    f("MoonSetTime", e.MoonSetTime);
    f("MoonRiseClock", e.MoonRiseClock);
    f("MoonSetClock", e.MoonSetClock);
    f("MoonRiseAzimuth", e.MoonRiseAzimuth);
    f("MoonSetAzimuth", e.MoonSetAzimuth);
    f("MoonLightLength", e.MoonLightLength);
    f("PrevSunRiseStatus", e.PrevSunRiseStatus);
    f("PrevSunSetStatus", e.PrevSunSetStatus);
    f("PrevMoonRiseStatus", e.PrevMoonRiseStatus);
    f("PrevMoonSetStatus", e.PrevMoonSetStatus);
    f("PrevSunRiseText", e.PrevSunRiseText);
    f("PrevSunSetText", e.PrevSunSetText);
    f("PrevMoonRiseText", e.PrevMoonRiseText);
    f("PrevMoonSetText", e.PrevMoonSetText);
    f("PrevSunRiseTime", e.PrevSunRiseTime);
    f("PrevSunSetTime", e.PrevSunSetTime);
    f("PrevMoonRiseTime", e.PrevMoonRiseTime);
    f("PrevMoonSetTime", e.PrevMoonSetTime);
    f("PrevDayLength", e.PrevDayLength);
    f("PrevMoonLightLength", e.PrevMoonLightLength);
    f("SunRiseDelta", e.SunRiseDelta);
    f("SunSetDelta", e.SunSetDelta);
    f("MoonRiseDelta", e.MoonRiseDelta);
    f("MoonSetDelta", e.MoonSetDelta);
    f("DayLengthDelta", e.DayLengthDelta);
    f("MoonLightDelta", e.MoonLightDelta);
    char jd[32];
    std::snprintf(jd, sizeof jd, "%.1f", e.JulianDay);
    f("JulianDay", jd);
    f("SummerStart", e.Window.SummerStart);
    f("WinterStart", e.Window.WinterStart);
    return out;
}

VerbOutcome Run(const Command& command, std::ostream& out) {
    std::chrono::year_month_day date{};
    if (auto e = ReadDate(command, kDateOption.name, date); !e.empty())
        return VerbOutcome::Usage(e);
    SiteSettings settings;
    if (auto e = ReadSettingsOption(command, settings); !e.empty()) return VerbOutcome::Usage(e);
    const std::string text = DescribeDay(ComputeDay(settings, DayNumber::FromDate(date), ":"));
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out) return VerbOutcome::Failure("cannot write the output");
    return {};
}

}  // namespace

const Verb& DayVerb() {
    static const Verb verb{
        "day",
        "every value the program computes for one date (the day record)",
        "Reads the settings file as the program does and prints the record of the date,\n"
        "one Name=value line per field in the record's order. Times of day, lengths and\n"
        "changes are HH:MM (local clock, summer time applied for the ...Time and ...Clock\n"
        "fields; the ...Text fields are the zone's standard time). Statuses: 4 rise and set,\n"
        "0 no rise, 1 no set, 2 below the horizon all day, 3 above it all day; a length or\n"
        "change whose events are not all status 4 is 00:00 and means nothing. SummerStart\n"
        "and WinterStart are the summer-time changes around the date.",
        kOptions,
        &Run,
    };
    return verb;
}

}  // namespace dawn::cli
