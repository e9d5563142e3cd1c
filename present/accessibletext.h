#pragma once
// What a screen reader says of the main window's panel rows: the row's
// caption and time as one name ("Sunrise 08:30"), and its change since the
// day before in words ("00:01 earlier than the day before"), from the same
// labels the window shows, in the applied language.
#include <string>

#include "i18n/labels.h"
#include "present/dayview.h"

namespace dawn {

struct AccessibleText {
    std::string name;
    std::string description;
    friend bool operator==(const AccessibleText&, const AccessibleText&) = default;
};

// `row` is the row `which` of a panel. The sign "+" is more light than the
// day before: an earlier rise, a later set, a longer day (or moonlight). A
// row without a change (a missing event, an empty change) has no
// description; a status message in the length row's caption is its name.
AccessibleText AccessibleRowText(const RowView& row, Row which, const CurrentLabels& labels,
                                 const std::string& emptyClock);

}  // namespace dawn
