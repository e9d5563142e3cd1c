#include "present/alarmpanel.h"

#include <algorithm>

#include "present/texts.h"

namespace dawn {

namespace {

AlarmRowView RowOf(const AlarmChoice& a, std::string name) {
    AlarmRowView row;
    row.name = std::move(name);
    row.offsetMinutes =
        static_cast<int>(std::clamp(a.Offset, kMinAlarmOffset, kMaxAlarmOffset).count());
    row.way = a.On ? static_cast<int>(a.Channel) : kNoAlarmWay;
    row.offsetEnabled = a.On;
    return row;
}

}  // namespace

std::string AlarmEventName(AlarmEvent kind, const CurrentLabels& labels) {
    switch (kind) {
        case AlarmEvent::SunRise:
            return std::string(CaptionWithoutColon(labels[label::kSunrise]));
        case AlarmEvent::SunSet:
            return std::string(CaptionWithoutColon(labels[label::kSunset]));
        case AlarmEvent::CivilDawn:
            return std::string(CaptionWithoutColon(labels[label::kCivilDawn]));
        case AlarmEvent::CivilDusk:
        case AlarmEvent::Count:
            break;
    }
    return std::string(CaptionWithoutColon(labels[label::kCivilDusk]));
}

AlarmPanelView AlarmPanelOf(const AlarmChoices& alarms, const CurrentLabels& labels) {
    AlarmPanelView view;
    view.title = labels[label::kAlarms];
    view.offset = labels[label::kAlarmOffset];
    view.offsetHint = labels[label::kAlarmOffsetHint];
    view.minutes = labels[label::kMinutes];
    for (int way = 0; way < kAlarmWayCount; ++way)
        view.ways[static_cast<std::size_t>(way)] = labels[label::kAlarmWays + way];
    for (std::size_t i = 0; i < kAlarmEventCount; ++i)
        view.rows[i] = RowOf(alarms[i], AlarmEventName(static_cast<AlarmEvent>(i), labels));
    return view;
}

AlarmRowView EclipseAlarmRowOf(const AlarmChoice& alarm, const CurrentLabels& labels) {
    return RowOf(alarm, std::string(Trimmed(labels[label::kSolarEclipse])) + " / " +
                            std::string(Trimmed(labels[label::kLunarEclipse])));
}

AlarmChoice WithAlarmOffset(AlarmChoice alarm, int minutes) {
    alarm.Offset = std::clamp(std::chrono::minutes{minutes}, kMinAlarmOffset, kMaxAlarmOffset);
    return alarm;
}

AlarmChoice WithAlarmWay(AlarmChoice alarm, int way) {
    if (way < 0 || way >= kAlarmWayCount) return alarm;
    alarm.On = way != kNoAlarmWay;
    if (alarm.On) alarm.Channel = static_cast<AlarmChannel>(way);
    return alarm;
}

}  // namespace dawn
