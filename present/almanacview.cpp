#include "present/almanacview.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <variant>

#include "astro/precise/ephemeris.h"
#include "present/skyview.h"
#include "present/texts.h"

namespace dawn {

namespace {

using std::chrono::days;
using std::chrono::minutes;
using std::chrono::sys_days;
using std::chrono::sys_time;

std::string Fixed(double value, int decimals, const std::string& decimalPoint) {
    char digits[32];
    std::string text(digits, std::to_chars(digits, digits + sizeof digits, value,
                                           std::chars_format::fixed, decimals)
                                 .ptr);
    const auto point = text.find('.');
    if (point != std::string::npos) text.replace(point, 1, decimalPoint);
    return text;
}

std::string Name(const AppState& state, int labelNumber) {
    return std::string(Trimmed(state.Label(labelNumber)));
}

// The words of each kind of event; the contacts take the place's clock.
class ItemWords {
public:
    explicit ItemWords(const AppState& state) : state_(state) {}

    std::string operator()(const SeasonEvent& e) const {
        return Name(state_, label::kSeasonNames + static_cast<int>(e.season));
    }
    std::string operator()(const ApsisEvent& e) const {
        std::string text =
            Name(state_, e.apsis == Apsis::Perigee ? label::kPerigee : label::kApogee) + ": " +
            Fixed(e.distanceKm, 0, Point()) + " km";
        if (e.supermoon) text += ", " + Name(state_, label::kSupermoon);
        return text;
    }
    std::string operator()(const LunarEclipse& e) const {
        constexpr int kKinds[] = {label::kPenumbral, label::kPartial, label::kTotal};
        return Name(state_, label::kLunarEclipse) + ": " +
               Name(state_, kKinds[static_cast<int>(e.kind)]) + ", " +
               Fixed(e.magnitude, 3, Point()) + ", " + Span(e.p1, e.p4) + ", " +
               FormatAltitude(e.moonAltitudeAtGreatest);
    }
    std::string operator()(const LocalSolarEclipse& e) const {
        constexpr int kKinds[] = {label::kPartial, label::kAnnular, label::kTotal};
        return Name(state_, label::kSolarEclipse) + ": " +
               Name(state_, kKinds[static_cast<int>(e.kind)]) + ", " +
               Fixed(e.magnitude, 3, Point()) + ", " + Fixed(e.obscuration * 100.0, 1, Point()) +
               " %, " + Span(e.c1, e.c4) + ", " + FormatAltitude(e.sunAltitudeAtMaximum);
    }
    std::string operator()(const MeteorShowerPeak& e) const {
        const double percent = std::clamp(e.moonLitFraction * 100.0, 0.0, 100.0);
        return Name(state_, label::kMeteorShower) + ": " + std::string(e.shower->name) + ", ZHR " +
               std::to_string(e.shower->rate) + ", " + Name(state_, label::kIlluminated) + " " +
               std::to_string(static_cast<int>(std::lround(percent))) + "%";
    }
    std::string operator()(const SummerTimeChange& e) const {
        return Name(state_, e.starts ? label::kSummerTimeStarts : label::kSummerTimeEnds);
    }

private:
    const std::string& Point() const { return state_.Locale.DecimalPoint; }
    std::string Clock(UtInstant t) const {
        const sys_time<minutes> clock = AlmanacClockOf(state_.Settings, t);
        return state_.Locale.ClockText(clock - std::chrono::floor<days>(clock));
    }
    std::string Span(UtInstant first, UtInstant last) const {
        return Clock(first) + "-" + Clock(last);
    }
    const AppState& state_;
};

std::string Replaced(std::string pattern, std::string_view key, const std::string& value) {
    const std::size_t at = pattern.find(key);
    if (at != std::string::npos) pattern.replace(at, key.size(), value);
    return pattern;
}

DayNumber DateOf(sys_time<minutes> clock) {
    return DayNumber::FromSysDays(std::chrono::floor<days>(clock));
}

minutes TimeOfDay(sys_time<minutes> clock) {
    return clock - std::chrono::floor<days>(clock);
}

}  // namespace

std::string AlmanacItemText(const AppState& state, const AlmanacItem& item) {
    return std::visit(ItemWords{state}, item.event);
}

std::vector<AlmanacRow> AlmanacRowsOf(const AppState& state, int year, const AlmanacKinds& kinds) {
    const std::chrono::year y{year};
    const std::vector<AlmanacItem> items =
        AlmanacOf(state.Settings, sys_days{y / 1 / 1}, sys_days{y / 12 / 31}, kinds);
    std::vector<AlmanacRow> rows;
    rows.reserve(items.size());
    const DateWriter dates(state.Locale.DateFormat, state.Locale);
    for (const AlmanacItem& item : items) {
        const DayNumber date = DateOf(item.clock);
        rows.push_back({item.kind, date,
                        dates.Text(date) + " " + state.Locale.ClockText(TimeOfDay(item.clock)),
                        AlmanacItemText(state, item), item.instant});
    }
    return rows;
}

std::string MoonSizeText(const AppState& state, UtInstant instant) {
    const MoonDistanceAndSize moon = MoonDistanceAndSizeAt(instant);
    const sys_time<minutes> clock = AlmanacClockOf(state.Settings, instant);
    const std::string& point = state.Locale.DecimalPoint;
    std::string text = state.Label(label::kMoonSizeLine);
    text = Replaced(text, "{time}",
                    DateWriter(state.Locale.DateFormat, state.Locale).Text(DateOf(clock)) + " " +
                        state.Locale.ClockText(TimeOfDay(clock)));
    text = Replaced(text, "{distance}", Fixed(moon.distanceKm, 0, point));
    text = Replaced(text, "{diameter}", Fixed(moon.apparentDiameterDegrees * 60.0, 1, point));
    return Replaced(text, "{percent}", Fixed(PercentOfMeanDiameter(moon), 1, point));
}

std::string MoonSizeTextOfDate(const AppState& state, DayNumber date) {
    return MoonSizeText(state, ClockDayStart(state.Settings, date));
}

std::array<std::string, kAlmanacKindCount> AlmanacKindNames(const AppState& state) {
    return {Name(state, label::kEquinoxesAndSolstices),
            Name(state, label::kPerigee) + " / " + Name(state, label::kApogee),
            Name(state, label::kLunarEclipse),
            Name(state, label::kSolarEclipse),
            Name(state, label::kMeteorShower),
            std::string(CaptionWithoutColon(state.Label(label::kSummerTime)))};
}

AlmanacMonthHints AlmanacHintsOfMonth(const AppState& state, std::chrono::year_month month) {
    AlmanacMonthHints hints;
    if (!month.ok()) return hints;
    const sys_days first{month / 1};
    const sys_days last{month / std::chrono::last};
    for (const AlmanacItem& item : AlmanacOf(state.Settings, first, last)) {
        const auto day = static_cast<unsigned>(
            std::chrono::year_month_day{std::chrono::floor<days>(item.clock)}.day());
        std::string& hint = hints[day - 1];
        if (!hint.empty()) hint += '\n';
        hint += state.Locale.ClockText(TimeOfDay(item.clock)) + " " + AlmanacItemText(state, item);
    }
    return hints;
}

const AlmanacMonthHints* AlmanacMonthMarks::Update(const AppState& state,
                                                   std::chrono::year_month month) {
    Key key{month,
            SettingsFileLines(state.Settings),
            state.Current,
            state.Locale.TimeSeparator,
            state.Locale.DecimalPoint,
            state.Locale.DateFormat};
    if (key_ && *key_ == key) return nullptr;
    hints_ = AlmanacHintsOfMonth(state, month);
    key_ = std::move(key);
    return &hints_;
}

}  // namespace dawn
