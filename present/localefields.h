// The fields of the command line's table of locales, in the order the table
// holds them; shared by the table's maker and its reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "present/locale.h"

namespace dawn {

inline constexpr std::size_t kLocaleFieldCount = 4 + 4 * 12 + 3 * 7;

// A name a locale is asked for by: the index of the name among the table's
// texts, and the row of the locale it leads to.
struct LocaleKey {
    std::uint16_t name;
    std::uint16_t row;
};

inline std::vector<std::string> LocaleFields(const LocaleFormats& f) {
    std::vector<std::string> out{f.DateFormat, f.TimeSeparator, f.DecimalPoint, f.ZeroDigit};
    for (const auto* names :
         {&f.MonthNames, &f.ShortMonthNames, &f.StandaloneMonthNames, &f.StandaloneShortMonthNames})
        out.insert(out.end(), names->begin(), names->end());
    for (const auto* names : {&f.DayNames, &f.ShortDayNames, &f.StandaloneDayNames})
        out.insert(out.end(), names->begin(), names->end());
    return out;
}

// `field(i)` is field i of LocaleFields.
template <typename Field>
LocaleFormats LocaleFromFields(Field field) {
    LocaleFormats f;
    std::size_t i = 0;
    for (std::string* s : {&f.DateFormat, &f.TimeSeparator, &f.DecimalPoint, &f.ZeroDigit})
        *s = field(i++);
    for (auto* names :
         {&f.MonthNames, &f.ShortMonthNames, &f.StandaloneMonthNames, &f.StandaloneShortMonthNames})
        for (std::string& s : *names) s = field(i++);
    for (auto* names : {&f.DayNames, &f.ShortDayNames, &f.StandaloneDayNames})
        for (std::string& s : *names) s = field(i++);
    return f;
}

}  // namespace dawn
