#include "core/exportlines.h"

#include <string>

namespace dawn {

std::string_view ExportFileName(ExportBody body) {
    return body == ExportBody::Moon ? "moonhelm_data.txt" : "dawnhelm_data.txt";
}

std::vector<std::string> ExportHeaderLines(const ExportHeader& header, ExportBody body) {
    // The configuration dialog shows the offset as two spin edits that both
    // carry its sign; C++ division and remainder truncate the same way.
    const std::int32_t hours = header.timeZoneMinutes / 60;
    const std::int32_t minutes = header.timeZoneMinutes % 60;

    std::string first = "Dawnhelm ";
    first += header.versionText;
    first += ' ';
    first += header.coordinatesCaption;
    // The captions of most languages already end in a colon; it is not doubled.
    const std::size_t last = header.coordinatesCaption.find_last_not_of(' ');
    first += last != std::string::npos && header.coordinatesCaption[last] == ':' ? " " : ": ";
    first += header.latitudeText;
    first += ' ';
    first += header.longitudeText;
    first += "   ";
    first += header.timeZoneLabel;
    first += ' ';
    first += std::to_string(hours);
    first += ' ';
    first += std::to_string(minutes);

    return {
        std::move(first),
        std::string(kExportMakerLine),
        std::string(kExportRuleLength, '-'),
        body == ExportBody::Moon ? "Date;Moon Rise;Moon Set;Azimuth Moon Rise;Azimuth Moon Set"
                                 : "Date;Sun Rise;Sun Set;Azimuth Sun Rise;Azimuth Sun Set",
    };
}

namespace {

void AppendDataLine(std::string& line, std::string_view dateText, const DayEphemeris& day,
                    ExportBody body) {
    const bool moon = body == ExportBody::Moon;
    const std::string& rise = moon ? day.MoonRiseClock : day.SunRiseClock;
    const std::string& set = moon ? day.MoonSetClock : day.SunSetClock;
    const std::string& riseAzimuth = moon ? day.MoonRiseAzimuth : day.SunRiseAzimuth;
    const std::string& setAzimuth = moon ? day.MoonSetAzimuth : day.SunSetAzimuth;
    line.reserve(dateText.size() + rise.size() + set.size() + riseAzimuth.size() +
                 setAzimuth.size() + 4);
    line += dateText;
    line += ';';
    line += rise;
    line += ';';
    line += set;
    line += ';';
    line += riseAzimuth;
    line += ';';
    line += setAzimuth;
}

}  // namespace

std::string ExportDataLine(std::string_view dateText, const DayEphemeris& day, ExportBody body) {
    std::string line;
    AppendDataLine(line, dateText, day, body);
    return line;
}

std::optional<std::vector<std::string>> BuildExportLines(
    const ExportHeader& header, ExportBody body, const SiteSettings& settings, DayNumber from,
    DayNumber to, std::string_view timeSeparator, const ExportDateFormatter& formatDate,
    const ExportProgress& progress) {
    std::vector<std::string> lines = ExportHeaderLines(header, body);
    const std::int64_t total = to < from ? 0 : static_cast<std::int64_t>(to - from) + 1;
    lines.reserve(lines.size() + static_cast<std::size_t>(total));

    // Progress is asked for often enough to keep a window responsive (a few
    // milliseconds of work between calls) and seldom enough to cost nothing.
    constexpr std::int64_t kProgressStep = 2048;
    std::int64_t done = 0;
    bool cancelled = false;
    ForEachDay(settings, from, to, timeSeparator, [&](const DayEphemeris& day) {
        std::string line;
        AppendDataLine(line, formatDate(day.Date), day, body);
        lines.push_back(std::move(line));
        ++done;
        if (progress && done % kProgressStep == 0 && !progress(done, total)) {
            cancelled = true;
            return false;
        }
        return true;
    });
    if (cancelled) return std::nullopt;
    if (progress && !progress(total, total)) return std::nullopt;
    return lines;
}

}  // namespace dawn
