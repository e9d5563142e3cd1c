#include "reminders/remindertext.h"

#include <cmath>
#include <utility>

#include "present/texts.h"

namespace dawn {

std::string AzimuthText(double degrees) {
    if (!std::isfinite(degrees)) return {};
    long whole = std::lround(std::fmod(degrees, 360.0));
    whole %= 360;
    if (whole < 0) whole += 360;
    return std::to_string(whole) + "\u00B0";
}

std::string FillPattern(std::string_view pattern, std::initializer_list<PatternValue> values) {
    std::string out;
    std::size_t i = 0;
    while (i < pattern.size()) {
        bool replaced = false;
        if (pattern[i] == '{') {
            for (const PatternValue& v : values) {
                const std::size_t n = v.key.size();
                if (pattern.substr(i + 1, n) == v.key && pattern.substr(i + 1 + n, 1) == "}") {
                    out += v.value;
                    i += n + 2;
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) out += pattern[i++];
    }
    return out;
}

NoticeWords NoticeWordsOf(const CurrentLabels& labels, std::string_view timeSeparator) {
    NoticeWords words;
    const std::pair<std::string*, int> patterns[] = {
        {&words.before, label::kNoticeBefore}, {&words.beforeOne, label::kNoticeBeforeOne},
        {&words.after, label::kNoticeAfter},   {&words.afterOne, label::kNoticeAfterOne},
        {&words.body, label::kNoticeBody},     {&words.bodyNoAzimuth, label::kNoticeBodyNoAzimuth}};
    for (auto [pattern, row] : patterns)
        if (!Trimmed(labels[row]).empty()) *pattern = labels[row];
    words.timeSeparator = timeSeparator;
    return words;
}

namespace {

std::optional<std::string> AzimuthOf(std::optional<double> degrees) {
    if (!degrees || !std::isfinite(*degrees)) return std::nullopt;
    return AzimuthText(*degrees);
}

}  // namespace

NoticeText AlarmNoticeText(std::string_view eventName, std::chrono::minutes offset,
                           std::chrono::minutes eventTime, std::optional<double> azimuthDegrees,
                           const NoticeWords& words) {
    const long long size = offset.count() < 0 ? -offset.count() : offset.count();
    const std::string& titlePattern = offset.count() == 0 ? words.at
                                      : offset.count() < 0
                                          ? (size == 1 ? words.beforeOne : words.before)
                                          : (size == 1 ? words.afterOne : words.after);
    const std::string minutes = std::to_string(size);
    const std::string time = FormatClock(eventTime, words.timeSeparator);
    const std::optional<std::string> azimuth = AzimuthOf(azimuthDegrees);
    NoticeText text;
    text.title = FillPattern(titlePattern, {{"event", eventName}, {"minutes", minutes}});
    text.body =
        FillPattern(azimuth ? words.body : words.bodyNoAzimuth,
                    {{"event", eventName}, {"time", time}, {"azimuth", azimuth.value_or("")}});
    return text;
}

std::string EventSummary(std::string_view eventName, std::chrono::minutes eventTime,
                         std::optional<double> azimuthDegrees, std::string_view timeSeparator) {
    std::string summary(eventName);
    summary += ' ';
    summary += FormatClock(eventTime, timeSeparator);
    if (const std::optional<std::string> azimuth = AzimuthOf(azimuthDegrees))
        summary += " (" + *azimuth + ")";
    return summary;
}

}  // namespace dawn
