#include "places/zone.h"

#include <date/tz.h>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <new>

#include "core/textfile.h"
#include "places/later_rule/later_rule.h"

namespace dawn {

namespace {

namespace fs = std::filesystem;
using std::chrono::minutes;
using std::chrono::seconds;

// The years a zone is held for: the program's range with a margin.
constexpr std::int64_t kFromSeconds = -5364662400;  // 1800-01-01 00:00 UTC
constexpr std::int64_t kToSeconds = 19962835200;    // 2603-01-01 00:00 UTC

// Summer time counts as "around" a date when its last end and its next start
// are both at most this many days away.
constexpr std::int32_t kAroundDays = 400;

// The first segment begins at no change; its reading lies before any date
// asked about.
constexpr DayNumber kLongAgo = DayNumber::FromYmd(1, 1, 1);

// A stretch of one offset as the database gives it.
struct RawPeriod {
    std::int64_t begin;
    std::int32_t offsetSeconds;
    bool daylight;
};

minutes RoundedMinutes(std::int32_t offsetSeconds) {
    return std::chrono::round<minutes>(seconds{offsetSeconds});
}

ClockReading ReadingAt(std::int64_t utcSeconds, std::int32_t offsetSeconds) {
    const std::int64_t local = utcSeconds + offsetSeconds;
    constexpr std::int64_t kDay = 86400;
    std::int64_t days = local / kDay;
    std::int64_t rest = local % kDay;
    if (rest < 0) {
        rest += kDay;
        --days;
    }
    return {DayNumber(static_cast<std::int32_t>(days) + DayNumber::kUnixEpochOffset),
            minutes{rest / 60}};
}

// Names as the database writes them: parts of letters, digits and "_+-."
// joined by "/", none of them "." or "..". Anything else cannot name a zone
// and must not reach the file system.
bool IsZoneName(std::string_view name) {
    if (name.empty() || name.size() > 128) return false;
    std::size_t partStart = 0;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || name[i] == '/') {
            const std::string_view part = name.substr(partStart, i - partStart);
            if (part.empty() || part == "." || part == "..") return false;
            partStart = i + 1;
            continue;
        }
        const char c = name[i];
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                        (c >= '0' && c <= '9') || c == '_' || c == '+' || c == '-' || c == '.';
        if (!ok) return false;
    }
    return true;
}

// The rule for the years after the last listed change: the last line of a
// zoneinfo file of version 2 or later. Empty when there is none.
std::string LaterRuleOf(const fs::path& file) {
    constexpr std::uintmax_t kMaxSize = 1 << 20;  // real files are a few kilobytes
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec || size < 8 || size > kMaxSize) return {};
    std::ifstream in(file, std::ios::binary);
    const std::string data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (data.size() < 8 || data.compare(0, 4, "TZif") != 0 || data[4] == '\0') return {};
    if (data.back() != '\n') return {};
    const std::size_t open = data.rfind('\n', data.size() - 2);
    if (open == std::string::npos) return {};
    std::string rule = data.substr(open + 1, data.size() - open - 2);
    const bool printable = std::all_of(rule.begin(), rule.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7f;
    });
    return printable && rule.size() <= 256 ? rule : std::string{};
}

std::vector<RawPeriod> ListedPeriods(const date::time_zone& zone) {
    std::vector<RawPeriod> raw;
    date::sys_seconds t{seconds{kFromSeconds}};
    const date::sys_seconds to{seconds{kToSeconds}};
    while (true) {
        const date::sys_info info = zone.get_info(t);
        raw.push_back({std::max<std::int64_t>(info.begin.time_since_epoch().count(), kFromSeconds),
                       static_cast<std::int32_t>(info.offset.count()), info.save.count() != 0});
        if (info.end >= to || info.end <= t) break;
        t = info.end;
    }
    return raw;
}

// Replaces the open-ended last period by what the later rule gives.
void ContinueWithRule(std::vector<RawPeriod>& raw, const std::string& rule) {
    if (rule.empty() || raw.empty()) return;
    const std::int64_t from = raw.back().begin;
    const later_rule::Periods later = later_rule::PeriodsOfRule(rule, from, kToSeconds);
    if (!later.error.empty() || later.periods.empty()) return;
    raw.pop_back();
    for (const later_rule::Period& p : later.periods)
        raw.push_back({std::max(p.begin, from), p.offsetSeconds, p.summer});
}

void MergeEqualNeighbours(std::vector<RawPeriod>& raw) {
    std::vector<RawPeriod> merged;
    for (const RawPeriod& p : raw) {
        if (!merged.empty() && merged.back().offsetSeconds == p.offsetSeconds &&
            merged.back().daylight == p.daylight)
            continue;
        merged.push_back(p);
    }
    raw = std::move(merged);
}

// Standard offset and shift of every period (see the header on what counts
// as summer time). A daylight period is summer time when its offset is above
// the nearest period not marked daylight: the one before it, or the one after
// it when only that one gives a shift a summer time can have (at most three
// hours). So a zone that moved its standard time within a summer keeps a
// summer time of an hour, not of a day (Samoa leapt across the date line in
// December 2011; Moscow went from +3 h to +2 h with the summer of 1991). A
// daylight period below that neighbour is the standard time of a zone that
// marks its winter (Ireland) or Ramadan (Morocco) as daylight, and then an
// unmarked period between two such periods, higher than both, is its summer
// time. Summer time needs a change on both sides: an open-ended offset is
// standard time.
std::vector<Zone::Segment> Classify(const std::vector<RawPeriod>& raw) {
    constexpr minutes kLongestShift{180};
    const std::size_t n = raw.size();
    auto offset = [&](std::size_t k) { return RoundedMinutes(raw[k].offsetSeconds); };
    auto standardBefore = [&](std::size_t k) -> std::optional<std::size_t> {
        for (std::size_t j = k; j-- > 0;)
            if (!raw[j].daylight) return j;
        return std::nullopt;
    };
    auto standardAfter = [&](std::size_t k) -> std::optional<std::size_t> {
        for (std::size_t j = k + 1; j < n; ++j)
            if (!raw[j].daylight) return j;
        return std::nullopt;
    };
    // The standard offset of daylight period k, or its own when it has none.
    auto standardOf = [&](std::size_t k) -> minutes {
        const minutes own = offset(k);
        const auto before = standardBefore(k);
        const auto after = standardAfter(k);
        auto summerOver = [&](std::optional<std::size_t> j) {
            return j && offset(*j) < own && own - offset(*j) <= kLongestShift;
        };
        if (summerOver(before)) return offset(*before);
        if (summerOver(after)) return offset(*after);
        const auto nearest = before ? before : after;
        return nearest && offset(*nearest) < own ? offset(*nearest) : own;
    };
    std::vector<Zone::Segment> segments;
    for (std::size_t k = 0; k < n; ++k) {
        const minutes own = offset(k);
        minutes standard = own;
        const bool inner = k > 0 && k + 1 < n;
        if (raw[k].daylight) {
            if (inner) standard = standardOf(k);
        } else if (inner && raw[k - 1].daylight && raw[k + 1].daylight && offset(k - 1) < own &&
                   offset(k + 1) < own) {
            standard = offset(k - 1);
        }
        const ClockReading change = k == 0 ? ClockReading{kLongAgo, minutes{0}}
                                           : ReadingAt(raw[k].begin, raw[k - 1].offsetSeconds);
        const Zone::Segment segment{change, standard, own - standard};
        if (!segments.empty() && segments.back().standardOffset == segment.standardOffset &&
            segments.back().shift == segment.shift)
            continue;
        segments.push_back(segment);
    }
    return segments;
}

// The day a change falls on, written as the summer-time controls can write
// it: the first, second or third such weekday of the month, or the last one.
std::optional<ChangeDay> AsChangeDay(DayNumber date) {
    const int day = static_cast<int>(date.Day());
    const int month = static_cast<int>(date.Month());
    ChangeDay c{month, date.WeekdayNumber(), Occurrence::First};
    if (day <= 21) {
        c.occurrence = static_cast<Occurrence>((day - 1) / 7);
    } else if (day + 7 > DaysInMonth(month, date.Year())) {
        c.occurrence = Occurrence::Last;
    } else {
        return std::nullopt;
    }
    return c;
}

ZoneOpenResult Failure(ZoneError error, std::string message) {
    return {nullptr, error, std::move(message)};
}

ZoneOpenResult Open(std::string_view name, const std::string& folder) {
    const std::string shownName = "\"" + std::string(Utf8Prefix(name, 64)) + "\"";
    if (!IsZoneName(name)) return Failure(ZoneError::UnknownZone, "unknown time zone " + shownName);
    std::error_code ec;
    const fs::path dir(folder);
    if (!fs::is_directory(dir, ec) || !fs::is_regular_file(dir / "tzdata.zi", ec)) {
        return Failure(ZoneError::DatabaseMissing,
                       "no time-zone database in " + folder + " (the tzdata package provides it)");
    }
    const fs::path file = dir / std::string(name);
    if (!fs::is_regular_file(file, ec))
        return Failure(ZoneError::UnknownZone, "unknown time zone " + shownName);

    const date::time_zone* tz = nullptr;
    try {
        date::get_tzdb();
    } catch (const std::exception& e) {
        return Failure(ZoneError::DatabaseMissing,
                       std::string("the time-zone database cannot be read: ") + e.what());
    }
    try {
        tz = date::locate_zone(name);
    } catch (const std::exception&) {
        return Failure(ZoneError::UnknownZone, "unknown time zone " + shownName);
    }
    std::vector<RawPeriod> raw;
    try {
        raw = ListedPeriods(*tz);
    } catch (const std::exception& e) {
        return Failure(ZoneError::DatabaseMissing,
                       "the time zone " + shownName + " cannot be read: " + e.what());
    }
    ContinueWithRule(raw, LaterRuleOf(file));
    MergeEqualNeighbours(raw);
    return {std::make_shared<const Zone>(std::string(name), Classify(raw)), ZoneError::None, {}};
}

}  // namespace

Zone::Zone(std::string name, std::vector<Segment> segments)
    : name_(std::move(name)), segments_(std::move(segments)) {
    if (segments_.empty()) segments_.push_back({{kLongAgo, minutes{0}}, minutes{0}, minutes{0}});
}

std::size_t Zone::SegmentOf(DayNumber date) const {
    const auto after =
        std::upper_bound(segments_.begin(), segments_.end(), date,
                         [](DayNumber d, const Segment& s) { return d < s.change.date; });
    return after == segments_.begin() ? 0 : static_cast<std::size_t>(after - segments_.begin()) - 1;
}

SummerTimeWindow Zone::WindowAround(std::size_t k) const {
    std::size_t first = k;
    while (first > 0 && segments_[first - 1].shift > minutes{0}) --first;
    std::size_t last = k;
    while (last + 1 < segments_.size() && segments_[last + 1].shift > minutes{0}) ++last;
    // Summer time never runs to the end of the list (see Classify).
    const ClockReading end = last + 1 < segments_.size()
                                 ? segments_[last + 1].change
                                 : ClockReading{DayNumber::FromYmd(9999, 12, 31)};
    return {segments_[first].change, end, segments_[k].shift};
}

ZoneDay Zone::Day(DayNumber date) const {
    const std::size_t k = SegmentOf(date);
    ZoneDay day;
    day.standardOffset = segments_[k].standardOffset;
    if (segments_[k].shift > minutes{0}) {
        const SummerTimeWindow w = WindowAround(k);
        day.summer = w;
        day.summerTimeEnabled = true;
        day.window = {w.start.date, w.end.date};
        day.shift = w.shift;
        return day;
    }
    std::optional<DayNumber> lastEnd;
    for (std::size_t j = k; j > 0 && date - segments_[j].change.date <= kAroundDays; --j) {
        if (segments_[j - 1].shift > minutes{0}) {
            lastEnd = segments_[j].change.date;
            break;
        }
    }
    for (std::size_t j = k + 1; lastEnd && j < segments_.size(); ++j) {
        if (segments_[j].change.date - date > kAroundDays) break;
        if (segments_[j].shift > minutes{0}) {
            day.summerTimeEnabled = true;
            day.window = {segments_[j].change.date, *lastEnd};
            day.shift = segments_[j].shift;
            return day;
        }
    }
    day.window = {DayNumber::FromYmd(date.Year(), 1, 1), DayNumber::FromYmd(date.Year(), 12, 31)};
    return day;
}

ClockRules Zone::RulesOn(DayNumber date) const {
    const ZoneDay day = Day(date);
    return ClockRules{day.standardOffset, day.summerTimeEnabled, day.window, day.shift};
}

YearRule Zone::RuleOfYear(int year) const {
    YearRule rule;
    rule.standardOffset = Day(DayNumber::FromYmd(year, 1, 1)).standardOffset;
    std::vector<std::size_t> starts;
    std::vector<std::size_t> ends;
    for (std::size_t k = 1; k < segments_.size(); ++k) {
        if (segments_[k].change.date.Year() != year) continue;
        const bool summer = segments_[k].shift > minutes{0};
        const bool wasSummer = segments_[k - 1].shift > minutes{0};
        if (summer && !wasSummer) starts.push_back(k);
        if (!summer && wasSummer) ends.push_back(k);
    }
    if (starts.empty() && ends.empty()) return rule;
    rule.kind = YearRule::Kind::Irregular;
    if (starts.size() != 1 || ends.size() != 1) return rule;
    const auto summer = AsChangeDay(segments_[starts[0]].change.date);
    const auto winter = AsChangeDay(segments_[ends[0]].change.date);
    if (!summer || !winter) return rule;
    rule.kind = YearRule::Kind::Rule;
    rule.summer = *summer;
    rule.winter = *winter;
    rule.shift = segments_[starts[0]].shift;
    return rule;
}

ZoneOpenResult OpenZone(std::string_view name, const std::string& folder) {
    try {
        return Open(name, folder);
    } catch (const std::bad_alloc&) {
        return Failure(ZoneError::DatabaseMissing, "out of memory while reading the time zone");
    } catch (const std::exception& e) {
        return Failure(ZoneError::DatabaseMissing,
                       std::string("the time-zone database cannot be read: ") + e.what());
    }
}

std::chrono::sys_time<minutes> Zone::UtOfChange(std::size_t k) const {
    // A change's reading is what the clocks showed just before it, on the
    // segment before.
    const Segment& before = segments_[k - 1];
    const ClockReading& r = segments_[k].change;
    return std::chrono::sys_time<minutes>{std::chrono::sys_days{r.date.ToDate()}} + r.time -
           before.standardOffset - before.shift;
}

minutes Zone::ClockOffsetAt(std::chrono::sys_time<minutes> ut) const {
    if (segments_.empty()) return minutes{0};
    std::size_t lo = 1, hi = segments_.size();  // the first segment whose change is after ut
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        if (UtOfChange(mid) <= ut)
            lo = mid + 1;
        else
            hi = mid;
    }
    const Segment& s = segments_[lo - 1];
    return s.standardOffset + s.shift;
}

std::vector<Zone::SummerTimeChange> Zone::SummerTimeChangesBetween(DayNumber first,
                                                                   DayNumber last) const {
    std::vector<SummerTimeChange> out;
    if (segments_.empty()) return out;
    const auto from =
        std::upper_bound(segments_.begin(), segments_.end(), first,
                         [](DayNumber d, const Segment& s) { return d <= s.change.date; });
    for (auto it = std::max(from, segments_.begin() + 1);
         it != segments_.end() && it->change.date <= last; ++it) {
        const bool wasSummer = (it - 1)->shift > minutes{0};
        const bool isSummer = it->shift > minutes{0};
        if (wasSummer == isSummer) continue;
        out.push_back(
            {it->change, isSummer, UtOfChange(static_cast<std::size_t>(it - segments_.begin()))});
    }
    return out;
}

}  // namespace dawn
