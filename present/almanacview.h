// What the almanac window and the month calendar show of the almanac: one
// row per item with its date and clock time and its words in the applied
// language, the names of the kinds for the window's filter, and the hints of
// a month's dates that hold an item. The windows copy these texts.
#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "core/daynumber.h"
#include "present/almanac.h"
#include "present/appstate.h"

namespace dawn {

struct AlmanacRow {
    AlmanacKind kind;
    DayNumber date;    // the date the place's clocks show the item on
    std::string time;  // the date in the locale's format and the clock time
    std::string text;  // what happens, with its figures
    UtInstant instant{};
    friend bool operator==(const AlmanacRow&, const AlmanacRow&) = default;
};

// The words of one item after its time:
//   March equinox
//   Perigee: 356419 km, Supermoon
//   Lunar eclipse: total, 1.156, 17:12-22:53, 23°12'     (contacts P1-P4, the moon's altitude
//                                                          at the greatest eclipse)
//   Solar eclipse: total, 1.012, 100.0 %, 12:23-15:02, 62°14'  (C1-C4, the sun's altitude at
//                                                               the maximum)
//   Meteor shower: Perseids, ZHR 100, Illuminated 12%
//   Summer time starts
// Numbers take the locale's decimal point, clock times its separator.
std::string AlmanacItemText(const AppState& state, const AlmanacItem& item);

// The rows of the items of `kinds` in a year, for the settings' place.
std::vector<AlmanacRow> AlmanacRowsOf(const AppState& state, int year,
                                      const AlmanacKinds& kinds = kAllAlmanacKinds);

// The line below the almanac's list: the moon's distance from the centre of
// the Earth, the diameter its disc fills seen from there and that diameter in
// percent of the one at the mean distance, at `instant`, with the date and
// clock time it falls on at the place:
//   Moon at 17/10/2024 00:55: 357174 km from the Earth's centre, apparent
//   diameter 33.4' (107.6% of its mean size)
// Numbers take the locale's decimal point, the clock time its separator.
std::string MoonSizeText(const AppState& state, UtInstant instant);
// The same at the start of the date's clock day: 00:00, or where the clocks
// skip midnight, their first reading that day.
std::string MoonSizeTextOfDate(const AppState& state, DayNumber date);

// The filter's names of the kinds, in AlmanacKind order, without access keys.
std::array<std::string, kAlmanacKindCount> AlmanacKindNames(const AppState& state);

// The hints of a month's dates (index day - 1): each item of the date as
// "HH:MM text", one a line; empty for a date without one.
using AlmanacMonthHints = std::array<std::string, 31>;
AlmanacMonthHints AlmanacHintsOfMonth(const AppState& state, std::chrono::year_month month);

// The month calendar's hints, computed once per shown month: again only when
// the month, the settings (place, zone, clock rules), the applied labels or
// the locale's separators changed since the last time.
class AlmanacMonthMarks {
public:
    // The hints of `month` when they have to be put on the calendar again;
    // nullptr when the calendar already shows them.
    const AlmanacMonthHints* Update(const AppState& state, std::chrono::year_month month);
    // Forgets the month shown, so that the next Update computes it again.
    void Clear() { key_.reset(); }

private:
    struct Key {
        std::chrono::year_month month;
        std::vector<std::string> settings;
        CurrentLabels labels;
        std::string timeSeparator;
        std::string decimalPoint;
        std::string dateFormat;
        friend bool operator==(const Key&, const Key&) = default;
    };
    std::optional<Key> key_;
    AlmanacMonthHints hints_;
};

}  // namespace dawn
