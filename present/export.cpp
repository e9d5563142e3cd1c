#include "present/export.h"

#include <algorithm>
#include <charconv>

#include "core/horizonprofile.h"
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

LightOptions LightOptionsOf(const SiteSettings& settings, const std::string& eventsPath,
                            std::vector<std::string>& messages) {
    LightOptions options;
    if (settings.ObserverHeightMetres > 0) options.heightMetres = settings.ObserverHeightMetres;
    if (!settings.HorizonProfilePath.empty()) {
        HorizonProfileRead read = ReadHorizonProfile(settings.HorizonProfilePath);
        messages.insert(messages.end(), read.messages.begin(), read.messages.end());
        options.horizon = std::move(read.points);
    }
    if (!eventsPath.empty()) {
        UserEventsRead read = ReadUserEvents(eventsPath);
        messages.insert(messages.end(), read.messages.begin(), read.messages.end());
        options.ownEvents = std::move(read.events);
    }
    return options;
}

namespace {

// One kind of day computed a block of dates at a time.
template <typename Day>
class BlockWalk {
public:
    using Scan = std::function<void(DayNumber, DayNumber, const std::function<bool(const Day&)>&)>;
    BlockWalk(Scan scan, DayNumber last) : scan_(std::move(scan)), last_(last) {}

    const Day& At(DayNumber date) {
        if (days_.empty() || date < first_ || date - first_ >= static_cast<int>(days_.size())) {
            // About a hundred kilobytes for the user's events' longest walk.
            constexpr std::int32_t kBlock = 512;
            days_.clear();
            first_ = date;
            const DayNumber end = date + std::min<std::int32_t>(kBlock - 1, last_ - date);
            scan_(date, std::max(date, end), [this](const Day& d) {
                days_.push_back(d);
                return true;
            });
        }
        return days_[static_cast<std::size_t>(date - first_)];
    }

private:
    Scan scan_;
    DayNumber last_;
    DayNumber first_;
    std::vector<Day> days_;
};

using SeenWalk = BlockWalk<SeenDay>;

// A user's event that stands for a bound of the blue and golden hours.
const std::vector<UserEvent>& BoundEvents() {
    static const std::vector<UserEvent> events = {
        {"blue", UserEventKind::Elevation, kBlueHourLowest, UserEventSide::Both, false, {}},
        {"golden low", UserEventKind::Elevation, kGoldenHourLowest, UserEventSide::Both, false, {}},
        {"golden high",
         UserEventKind::Elevation,
         kGoldenHourHighest,
         UserEventSide::Both,
         false,
         {}},
    };
    return events;
}

}  // namespace

struct LightWalk::Walks {
    const SiteSettings& settings;
    const LightOptions& options;
    DayNumber last;
    SiteSettings fromHeight;
    std::optional<BlockWalk<LightDay>> light;
    std::optional<SeenWalk> height;
    std::optional<SeenWalk> visible;
    std::vector<std::optional<SeenWalk>> own;
    std::array<std::optional<SeenWalk>, 3> bounds;
    EventSight sight;  // the visible sunrise and sunset of the user's events
};

LightWalk::LightWalk(const SiteSettings& settings, const LightOptions& options, DayNumber last)
    : walks_(new Walks{settings, options, last, settings, {}, {}, {}, {}, {}, {}}) {
    walks_->fromHeight.ObserverHeightMetres = options.heightMetres.value_or(0.0);
    walks_->own.resize(options.ownEvents.size());
    walks_->sight.heightMetres = options.heightMetres.value_or(0.0);
    if (options.horizon) walks_->sight.profile = *options.horizon;
}

LightWalk::~LightWalk() = default;

const LightDay& LightWalk::Light(DayNumber date) {
    Walks& w = *walks_;
    if (!w.light) {
        w.light.emplace(
            [&w](DayNumber a, DayNumber b, const std::function<bool(const LightDay&)>& on) {
                ForEachLightDay(w.settings, a, b, on);
            },
            w.last);
    }
    return w.light->At(date);
}

const SeenDay* LightWalk::FromHeight(DayNumber date) {
    Walks& w = *walks_;
    if (!w.options.heightMetres) return nullptr;
    if (!w.height) {
        w.height.emplace(
            [&w](DayNumber a, DayNumber b, const SeenDayCallback& on) {
                ForEachDayFromHeight(w.fromHeight, a, b, on);
            },
            w.last);
    }
    return &w.height->At(date);
}

const SeenDay* LightWalk::Visible(DayNumber date) {
    Walks& w = *walks_;
    if (!w.options.horizon) return nullptr;
    if (!w.visible) {
        w.visible.emplace(
            [&w](DayNumber a, DayNumber b, const SeenDayCallback& on) {
                ForEachVisibleDay(w.settings, *w.options.horizon, a, b, on);
            },
            w.last);
    }
    return &w.visible->At(date);
}

const SeenDay& LightWalk::Own(std::size_t index, DayNumber date) {
    Walks& w = *walks_;
    std::optional<SeenWalk>& walk = w.own.at(index);
    if (!walk) {
        walk.emplace(
            [&w, index](DayNumber a, DayNumber b, const SeenDayCallback& on) {
                ForEachOwnEventDay(w.settings, w.options.ownEvents, index, a, b, on, w.sight);
            },
            w.last);
    }
    return walk->At(date);
}

const SeenDay& LightWalk::Bound(std::size_t bound, DayNumber date) {
    Walks& w = *walks_;
    std::optional<SeenWalk>& walk = w.bounds.at(bound);
    if (!walk) {
        walk.emplace(
            [&w, bound](DayNumber a, DayNumber b, const SeenDayCallback& on) {
                ForEachOwnEventDay(w.settings, BoundEvents(), bound, a, b, on);
            },
            w.last);
    }
    return walk->At(date);
}

UserEventSide ShownSides(const std::vector<UserEvent>& events, std::size_t index) {
    return SidesOf(events, events.at(index).name).value_or(UserEventSide::Both);
}

std::string LightColumnNames(const LightOptions& options) {
    std::string names =
        ";Morning Blue Hour Start;Morning Blue Hour End;Morning Golden Hour Start;"
        "Morning Golden Hour End;Evening Golden Hour Start;Evening Golden Hour End;"
        "Evening Blue Hour Start;Evening Blue Hour End";
    if (options.heightMetres) names += ";Sun Rise From Height;Sun Set From Height";
    if (options.horizon) names += ";Visible Sun Rise;Visible Sun Set";
    for (std::size_t i = 0; i < options.ownEvents.size(); ++i) {
        const UserEventSide sides = ShownSides(options.ownEvents, i);
        const std::string& name = options.ownEvents[i].name;
        if (sides != UserEventSide::Setting) names += ";" + name + " Rising";
        if (sides != UserEventSide::Rising) names += ";" + name + " Setting";
    }
    return names;
}

namespace {

void AppendLightFields(std::string& out, LightWalk& walk, const LightOptions& options,
                       DayNumber date, std::string_view timeSeparator) {
    auto field = [&](const std::optional<std::chrono::minutes>& clock) {
        out += ';';
        if (clock) AppendClock(out, *clock, timeSeparator);
    };
    const LightDay& light = walk.Light(date);
    for (const LightPeriod& p : light.periods) {
        field(p.start);
        field(p.end);
    }
    for (const SeenDay* seen : {walk.FromHeight(date), walk.Visible(date)}) {
        if (seen == nullptr) continue;
        field((*seen)[EventKind::Rise].CrossingClock);
        field((*seen)[EventKind::Set].CrossingClock);
    }
    for (std::size_t i = 0; i < options.ownEvents.size(); ++i) {
        const UserEventSide sides = ShownSides(options.ownEvents, i);
        const SeenDay& own = walk.Own(i, date);
        if (sides != UserEventSide::Setting) field(own[EventKind::Rise].CrossingClock);
        if (sides != UserEventSide::Rising) field(own[EventKind::Set].CrossingClock);
    }
}

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
    std::vector<std::string> head = ExportHeaderLines(job.header, job.kind, job.body);
    if (job.light) head.back() += LightColumnNames(*job.light);
    for (const std::string& line : head) {
        buffer += line;
        buffer += kLineEnd;
    }
    const std::int64_t total =
        job.to < job.from ? 0 : static_cast<std::int64_t>(job.to - job.from) + 1;
    const DateWriter dates(job.locale.DateFormat, job.locale);
    std::int64_t done = 0;
    ExportEnd end = ExportEnd::Done;
    std::optional<LightWalk> light;
    if (job.light) light.emplace(job.settings, *job.light, job.to);
    auto onLine = [&](DayNumber date) {
        if (light) AppendLightFields(buffer, *light, *job.light, date, job.locale.TimeSeparator);
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
            return onLine(day.Date);
        });
    } else {
        ForEachSkyDay(job.settings, job.from, job.to, [&](const SkyDay& day) {
            AppendSkyLine(buffer, dates, day, job);
            return onLine(day.Date);
        });
    }
    if (end != ExportEnd::Done) return end;
    if (progress && !progress(total, total)) return ExportEnd::Cancelled;
    if (!sink.Write(buffer)) return ExportEnd::SinkFailed;
    return ExportEnd::Done;
}

}  // namespace dawn
