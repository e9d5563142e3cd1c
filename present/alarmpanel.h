// The alarms block of the configuration dialog's media panel: for each alarm
// kind (sunrise, sunset, civil dawn, civil dusk) an offset in minutes and the
// way it reaches the user. What the controls show for the settings, and the
// alarm an edit of a control gives; the dialog only copies these values.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/settings.h"
#include "i18n/labels.h"

namespace dawn {

// The ways, in the order of the choice's items and of the settings lines:
// picture, notification, both, no alarm.
inline constexpr int kAlarmWayCount = 4;
inline constexpr int kNoAlarmWay = 3;

struct AlarmRowView {
    std::string name;           // "Sunrise", "Civil dawn" in the applied language
    int offsetMinutes = 0;      // -180..180
    int way = 0;                // 0..3
    bool offsetEnabled = true;  // an alarm that is off has no offset to edit
    friend bool operator==(const AlarmRowView&, const AlarmRowView&) = default;
};

struct AlarmPanelView {
    std::string title;       // the group's caption
    std::string offset;      // the offset column's caption
    std::string offsetHint;  // the offsets' hint: the sign's meaning
    std::string minutes;     // the unit after each offset
    std::array<std::string, kAlarmWayCount> ways;
    std::array<AlarmRowView, kAlarmEventCount> rows;  // indexed by AlarmEvent
};

// An event's name for an alarm: the main window's caption without its
// padding and colon ("Sunrise     :" -> "Sunrise"), or the twilight alarms'
// own labels.
std::string AlarmEventName(AlarmEvent kind, const CurrentLabels& labels);

AlarmPanelView AlarmPanelOf(const AlarmChoices& alarms, const CurrentLabels& labels);

// The eclipse alarm's row below the four (present/eclipsealarm.h), named for
// both eclipses ("Solar eclipse / Lunar eclipse"); the same edits apply.
AlarmRowView EclipseAlarmRowOf(const AlarmChoice& alarm, const CurrentLabels& labels);

// The alarm with the offset a control shows, brought into -180..180.
AlarmChoice WithAlarmOffset(AlarmChoice alarm, int minutes);
// The alarm with the way a choice shows; an index outside 0..3 (no item
// selected) changes nothing. Turning an alarm off keeps its channel and
// offset, so that turning it on again brings them back while the program runs.
AlarmChoice WithAlarmWay(AlarmChoice alarm, int way);

}  // namespace dawn
