// The light photographers plan by: the blue hour, when the sun's centre
// stands between 6° and 4° below the horizon, and the golden hour, from 4°
// below to 6° above it, each in the morning (the sun rising through them) and
// in the evening (setting through them). The bounds are geometric altitudes
// of the centre, without refraction, as the twilights'.
//
// Each period is read on the user's clock day (core/clockday.h): its start
// and its end are the clock times of the crossings of its bounds on that
// date, and a bound the sun did not cross that day leaves its time empty (far
// north in June the evening golden hour starts and never ends).
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>

#include "core/daynumber.h"
#include "core/site.h"

namespace dawn {

inline constexpr double kBlueHourLowest = -6.0;
inline constexpr double kGoldenHourLowest = -4.0;  // the top of the blue hour
inline constexpr double kGoldenHourHighest = 6.0;

enum class LightPeriodKind : std::uint8_t {
    MorningBlue,
    MorningGolden,
    EveningGolden,
    EveningBlue,
};
inline constexpr std::size_t kLightPeriodCount = 4;
inline constexpr std::array<LightPeriodKind, kLightPeriodCount> kLightPeriods = {
    LightPeriodKind::MorningBlue, LightPeriodKind::MorningGolden, LightPeriodKind::EveningGolden,
    LightPeriodKind::EveningBlue};

// One period of a date: the clock minutes of its start and its end.
struct LightPeriod {
    std::optional<std::chrono::minutes> start;
    std::optional<std::chrono::minutes> end;
    friend bool operator==(const LightPeriod&, const LightPeriod&) = default;
};

struct LightDay {
    DayNumber date;
    std::array<LightPeriod, kLightPeriodCount> periods;  // by LightPeriodKind

    const LightPeriod& operator[](LightPeriodKind k) const {
        return periods[static_cast<std::size_t>(k)];
    }
    friend bool operator==(const LightDay&, const LightDay&) = default;
};

// The light of every date from `from` to `to`, oldest first, on the clocks
// of the settings (the manual rules or the zone); `onDay` returns false to
// stop. One scan of the sun per date.
void ForEachLightDay(const Site& site, DayNumber from, DayNumber to,
                     const std::function<bool(const LightDay&)>& onDay);

}  // namespace dawn
