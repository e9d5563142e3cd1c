// The words of a reminder: the summary of a calendar event ("Sunrise 07:15
// (82°)") and the title and body of an alarm's notification ("Sunset in 15
// minutes", "Sunset at 21:40, azimuth 305°"). Times and angles arrive as
// numbers and become text here, with the caller's words and time separator.
#pragma once

#include <chrono>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "i18n/labels.h"

namespace dawn {

// An azimuth in whole degrees, 0..359, with the degree sign: "82°". North is
// 0° whichever side it is approached from (359.7° is "0°"). Empty for a
// value that is not a number.
std::string AzimuthText(double degrees);

// The words of an alarm's notification. In the patterns, {event} stands for
// the event's name, {minutes} for the size of the offset, {time} for the
// event's clock time and {azimuth} for its azimuth.
struct NoticeWords {
    std::string before = "{event} in {minutes} minutes";
    std::string beforeOne = "{event} in 1 minute";
    std::string at = "{event}";
    std::string after = "{event} {minutes} minutes ago";
    std::string afterOne = "{event} 1 minute ago";
    std::string body = "{event} at {time}, azimuth {azimuth}";
    std::string bodyNoAzimuth = "{event} at {time}";
    std::string timeSeparator = ":";
};

// The words of the applied language's labels; a label left empty keeps the
// English pattern, so that a notification never loses its title.
NoticeWords NoticeWordsOf(const CurrentLabels& labels, std::string_view timeSeparator);

struct NoticeText {
    std::string title;
    std::string body;
    friend bool operator==(const NoticeText&, const NoticeText&) = default;
};

// The notification of an alarm that rings `offset` from its event (negative:
// before it) at clock time `eventTime` (0..1439 minutes).
NoticeText AlarmNoticeText(std::string_view eventName, std::chrono::minutes offset,
                           std::chrono::minutes eventTime, std::optional<double> azimuthDegrees,
                           const NoticeWords& words = {});

// "{name} {time}" or "{name} {time} ({azimuth})": a calendar event's summary.
std::string EventSummary(std::string_view eventName, std::chrono::minutes eventTime,
                         std::optional<double> azimuthDegrees, std::string_view timeSeparator);

// `pattern` with each {key} of `values` replaced once; the replacements are
// not searched again, and braces around other words stay as they are.
struct PatternValue {
    std::string_view key;
    std::string_view value;
};
std::string FillPattern(std::string_view pattern, std::initializer_list<PatternValue> values);

}  // namespace dawn
