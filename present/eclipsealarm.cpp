#include "present/eclipsealarm.h"

#include <algorithm>
#include <variant>

#include "core/textfile.h"

namespace dawn {

namespace {

using std::chrono::days;
using std::chrono::minutes;
using std::chrono::sys_days;
using std::chrono::sys_seconds;

constexpr std::int32_t kNoAlarm = 3;
// The eclipses the clock looks ahead for: any ring of the coming weeks.
constexpr days kLookAhead{40};

std::int32_t WayOf(const AlarmChoice& c) {
    return c.On ? static_cast<std::int32_t>(c.Channel) : kNoAlarm;
}

}  // namespace

AlarmChoice DefaultEclipseAlarm() {
    AlarmChoice c;
    c.On = false;
    c.Offset = kDefaultEclipseAlarmOffset;
    return c;
}

std::string EclipseAlarmFilePath(const std::string& appDir) {
    return JoinPath(appDir, kEclipseAlarmFileName);
}

EclipseAlarmLoad ParseEclipseAlarmLines(const std::vector<std::string>& lines) {
    EclipseAlarmLoad load;
    std::vector<std::string> bad;
    std::int32_t v = 0;
    if (lines.size() > 0 && !lines[0].empty()) {
        if (ParseSettingsInteger(lines[0], v))
            load.choice.Offset = minutes{
                std::clamp<std::int32_t>(v, static_cast<std::int32_t>(kMinAlarmOffset.count()),
                                         static_cast<std::int32_t>(kMaxAlarmOffset.count()))};
        else
            bad.push_back("line 1");
    }
    if (lines.size() > 1 && !lines[1].empty()) {
        if (ParseSettingsInteger(lines[1], v) && v >= 0 && v <= kNoAlarm) {
            load.choice.On = v != kNoAlarm;
            if (load.choice.On) load.choice.Channel = static_cast<AlarmChannel>(v);
        } else {
            bad.push_back("line 2");
        }
    }
    if (!bad.empty()) {
        load.message = std::string(kEclipseAlarmFileName) + ": " + bad.front() +
                       (bad.size() > 1 ? " and " + bad.back() : std::string()) +
                       " not understood; the default is used";
    }
    return load;
}

EclipseAlarmLoad LoadEclipseAlarm(const std::string& appDir, UserId user) {
    const TextFileResult read = ReadTextFile(EclipseAlarmFilePath(appDir), 4096, user);
    if (read.status == TextFileStatus::Missing) return {};
    if (!read.ok()) {
        EclipseAlarmLoad load;
        load.message = read.error;
        return load;
    }
    return ParseEclipseAlarmLines(read.lines);
}

std::optional<std::string> SaveEclipseAlarm(const AlarmChoice& choice, const std::string& appDir,
                                            UserId user) {
    const TextFileResult written = WriteTextFileAtomic(
        EclipseAlarmFilePath(appDir),
        {std::to_string(choice.Offset.count()), std::to_string(WayOf(choice))}, "\r\n", user);
    if (written.ok()) return std::nullopt;
    return written.error;
}

std::vector<EclipseRing> EclipseRingsBetween(const SiteSettings& settings,
                                             const AlarmChoice& choice, sys_days first,
                                             sys_days last) {
    std::vector<EclipseRing> rings;
    if (!choice.On) return rings;
    AlmanacKinds kinds{};
    kinds[static_cast<std::size_t>(AlmanacKind::LunarEclipse)] = true;
    kinds[static_cast<std::size_t>(AlmanacKind::SolarEclipse)] = true;
    // The items come at their greatest eclipse; a first contact lies hours
    // before it, so a day more on each side.
    for (const AlmanacItem& item : AlmanacOf(settings, first - days{1}, last + days{1}, kinds)) {
        UtInstant contact{};
        if (const auto* lunar = std::get_if<LunarEclipse>(&item.event)) {
            if (!lunar->moonUp) continue;
            contact = lunar->p1;
        } else if (const auto* solar = std::get_if<LocalSolarEclipse>(&item.event)) {
            contact = solar->c1;
        } else {
            continue;
        }
        const auto clock = AlmanacClockOf(settings, contact);
        const sys_days date = std::chrono::floor<days>(clock);
        if (date < first || date > last) continue;
        rings.push_back({contact + choice.Offset, item.kind, contact, DayNumber::FromSysDays(date),
                         clock - date});
    }
    std::sort(rings.begin(), rings.end(),
              [](const EclipseRing& a, const EclipseRing& b) { return a.ring < b.ring; });
    return rings;
}

std::vector<EclipseRing> EclipseAlarmClock::Tick(const SiteSettings& settings,
                                                 const AlarmChoice& choice, sys_seconds now) {
    const std::optional<sys_seconds> previous = lastTick_;
    lastTick_ = now;
    std::vector<EclipseRing> due;
    if (!choice.On) return due;
    // The weeks looked at start on a whole number of look-aheads, so that
    // they are found again only when the weeks move on.
    const sys_days today = std::chrono::floor<days>(now);
    const auto n = today.time_since_epoch().count();
    const auto into = ((n % kLookAhead.count()) + kLookAhead.count()) % kLookAhead.count();
    const sys_days first{days{n - into}};
    Key key{SettingsFileLines(settings), choice, first};
    if (!key_ || !(*key_ == key)) {
        // An offset of up to three hours either way, and the clocks' dates:
        // a day on each side, and the next weeks too.
        rings_ = EclipseRingsBetween(settings, choice, first - days{1},
                                     first + 2 * kLookAhead + days{1});
        key_ = std::move(key);
    }
    const sys_seconds earliest =
        std::max(previous.value_or(now), now - std::chrono::seconds{kAlarmCatchUpSeconds});
    for (const EclipseRing& r : rings_) {
        const bool inTick = previous ? (r.ring > earliest && r.ring <= now)
                                     : (r.ring > now - std::chrono::seconds{1} && r.ring <= now);
        if (!inTick) continue;
        if (std::find(rung_.begin(), rung_.end(), r.firstContact) != rung_.end()) continue;
        rung_.push_back(r.firstContact);
        due.push_back(r);
    }
    return due;
}

}  // namespace dawn
