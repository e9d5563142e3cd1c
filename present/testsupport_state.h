#pragma once
// The program's state as the tests start from it: the default place
// (Velmoren, rules resolved for 2024), the program's own labels in English,
// and day/month/year dates with a colon between hours and minutes.
#include <string>

#include "core/textfile.h"
#include "present/appstate.h"

namespace dawn::test {

inline AppState EnglishState(const std::string& appDir = "/nowhere") {
    AppState state;
    state.AppDir = appDir;
    state.Today = DayNumber::FromYmd(2024, 7, 1);
    state.ReferenceYear = 2024;
    state.Settings = DefaultSettings(appDir, 2024);
    state.Settings.LanguageIndex = 4;
    state.Labels = ParseLabelLines(SplitLines(BuiltInLabelFile())).table;
    state.ApplyLanguage();
    return state;
}

// Another place and zone, with or without summer time.
inline void PlaceAt(SiteSettings& s, std::int32_t latitude, std::int32_t longitude,
                    std::int32_t zone, bool summerTime = true) {
    s.LatitudeMinutes = latitude;
    s.LongitudeMinutes = longitude;
    s.TimeZoneMinutes = zone;
    s.SummerTimeEnabled = summerTime;
}

}  // namespace dawn::test
