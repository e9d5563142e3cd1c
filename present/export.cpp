#include "present/export.h"

#include <charconv>

#include "present/dayview.h"
#include "present/texts.h"

namespace dawn {

std::string_view ExportFileName(Body body) {
    return body == Body::Moon ? "moonhelm_data.txt" : "dawnhelm_data.txt";
}

std::string_view ExportFileName(ExportKind kind, Body body) {
    switch (kind) {
        case ExportKind::Twilight:
            return "dawnhelm_twilight.txt";
        case ExportKind::MoonPhase:
            return "moonhelm_phase.txt";
        case ExportKind::RiseSet:
            break;
    }
    return ExportFileName(body);
}

PhaseNames PhaseNamesOf(const AppState& state) {
    PhaseNames names;
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = Trimmed(state.Label(label::kPhaseNames + static_cast<int>(i)));
    return names;
}

ExportHeader ExportHeaderFor(const AppState& state) {
    ExportHeader h;
    h.versionText = kVersionText;
    h.coordinatesCaption = BuildDayView(state).coordinatesCaption;
    h.latitudeText = LatitudeText(state.Settings.LatitudeMinutes, state.Current.hemisphere);
    h.longitudeText = LongitudeText(state.Settings.LongitudeMinutes, state.Current.hemisphere);
    h.timeZoneLabel = state.Label(label::kTimeZone);
    h.timeZoneMinutes = state.Settings.TimeZoneMinutes;
    return h;
}

std::string CoordinatesLine(const ExportHeader& header) {
    std::string line = header.coordinatesCaption;
    // The captions of most languages already end in a colon; it is not doubled.
    const std::size_t last = line.find_last_not_of(' ');
    line += last != std::string::npos && line[last] == ':' ? " " : ": ";
    line += header.latitudeText;
    line += ' ';
    line += header.longitudeText;
    return line;
}

std::string MailSubject(const AppState& state) {
    const ExportHeader h = ExportHeaderFor(state);
    return "Dawnhelm " + h.versionText + " " + CoordinatesLine(h) + "   " + h.timeZoneLabel + " " +
           std::to_string(h.timeZoneMinutes / 60) + " " + std::to_string(h.timeZoneMinutes % 60) +
           "  [" + state.Locale.DateText(state.Shown) + "]";
}

std::vector<std::string> ExportHeaderLines(const ExportHeader& header, Body body) {
    return ExportHeaderLines(header, ExportKind::RiseSet, body);
}

std::vector<std::string> ExportHeaderLines(const ExportHeader& header, ExportKind kind, Body body) {
    // The configuration dialog shows the offset as two spin edits that both
    // carry its sign; C++ division and remainder truncate the same way.
    const std::int32_t hours = header.timeZoneMinutes / 60;
    const std::int32_t minutes = header.timeZoneMinutes % 60;

    std::string first = "Dawnhelm ";
    first += header.versionText;
    first += ' ';
    first += CoordinatesLine(header);
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
        kind == ExportKind::Twilight
            ? "Date;Civil Dawn;Nautical Dawn;Astronomical Dawn;Civil Dusk;Nautical Dusk;"
              "Astronomical Dusk;Solar Noon"
        : kind == ExportKind::MoonPhase ? "Date;Moon Phase;Illuminated;Age"
        : body == Body::Moon ? "Date;Moon Rise;Moon Set;Azimuth Moon Rise;Azimuth Moon Set"
                             : "Date;Sun Rise;Sun Set;Azimuth Sun Rise;Azimuth Sun Set",
    };
}

namespace {

void AppendOneDecimal(std::string& out, double value, std::string_view decimalPoint) {
    char digits[32];
    const std::string_view text(
        digits,
        static_cast<std::size_t>(
            std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 1).ptr -
            digits));
    const std::size_t point = text.find('.');
    out.append(text.substr(0, point));
    if (point == std::string_view::npos) return;
    out.append(decimalPoint);
    out.append(text.substr(point + 1));
}

// The clock time of a crossing that happened; nothing when none did.
void AppendCrossing(std::string& out, const EventValues& e, std::string_view timeSeparator) {
    if (e.CrossingClock) AppendClock(out, *e.CrossingClock, timeSeparator);
}

void AppendSkyLine(std::string& out, const DateWriter& dates, const SkyDay& day,
                   const ExportJob& job) {
    dates.Append(out, day.Date);
    if (job.kind == ExportKind::Twilight) {
        for (EventKind event : kEventKinds) {
            for (TwilightKind twilight : kTwilightKinds) {
                out += ';';
                AppendCrossing(out, day[twilight][event], job.locale.TimeSeparator);
            }
        }
        out += ';';
        if (day.Noon) AppendClock(out, day.Noon->Clock, job.locale.TimeSeparator);
        return;
    }
    const DatePhase& p = day.Phase;
    out += ';';
    out += job.phaseNames[static_cast<std::size_t>(p.name)];
    out += ';';
    AppendOneDecimal(out, p.atNoon.illuminatedFraction * 100.0, job.locale.DecimalPoint);
    out += ';';
    AppendOneDecimal(out, p.atNoon.ageDays, job.locale.DecimalPoint);
}

}  // namespace

void AppendExportDataLine(std::string& out, const DateWriter& dates, const BodyDay& day,
                          std::string_view timeSeparator) {
    dates.Append(out, day.Date);
    for (EventKind kind : kEventKinds) {
        out += ';';
        if (day[kind].CrossingClock) AppendClock(out, *day[kind].CrossingClock, timeSeparator);
    }
    for (EventKind kind : kEventKinds) {
        out += ';';
        AppendAzimuth(out, day[kind].Azimuth);
    }
}

ExportEnd WriteExport(const ExportJob& job, TextSink& sink, const ExportProgress& progress) {
    constexpr std::string_view kLineEnd = "\r\n";
    // The bytes go out in pieces of about this size.
    constexpr std::size_t kFlushAt = 60 * 1024;
    // Progress is asked for often enough to keep a window responsive (a few
    // milliseconds of work between calls) and seldom enough to cost nothing.
    constexpr std::int64_t kProgressStep = 2048;

    std::string buffer;
    buffer.reserve(kFlushAt + 256);
    for (const std::string& line : ExportHeaderLines(job.header, job.kind, job.body)) {
        buffer += line;
        buffer += kLineEnd;
    }
    const std::int64_t total =
        job.to < job.from ? 0 : static_cast<std::int64_t>(job.to - job.from) + 1;
    const DateWriter dates(job.locale.DateFormat, job.locale);
    std::int64_t done = 0;
    ExportEnd end = ExportEnd::Done;
    auto onLine = [&]() {
        buffer += kLineEnd;
        if (buffer.size() >= kFlushAt) {
            if (!sink.Write(buffer)) {
                end = ExportEnd::SinkFailed;
                return false;
            }
            buffer.clear();
        }
        ++done;
        if (progress && done % kProgressStep == 0 && !progress(done, total)) {
            end = ExportEnd::Cancelled;
            return false;
        }
        return true;
    };
    if (job.kind == ExportKind::RiseSet) {
        ForEachBodyDay(job.settings, job.body, job.from, job.to, [&](const BodyDay& day) {
            AppendExportDataLine(buffer, dates, day, job.locale.TimeSeparator);
            return onLine();
        });
    } else {
        ForEachSkyDay(job.settings, job.from, job.to, [&](const SkyDay& day) {
            AppendSkyLine(buffer, dates, day, job);
            return onLine();
        });
    }
    if (end != ExportEnd::Done) return end;
    if (progress && !progress(total, total)) return ExportEnd::Cancelled;
    if (!sink.Write(buffer)) return ExportEnd::SinkFailed;
    return ExportEnd::Done;
}

}  // namespace dawn
