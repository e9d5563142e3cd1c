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
// Up to the end of 9999 and a year beyond it, so that the last dates know
// their next change.
constexpr std::int64_t kToSeconds = 253465459200;  // 10002-01-01 00:00 UTC
// The calendar's cycle: 400 Gregorian years are a whole number of weeks.
constexpr std::int32_t kCycleDays = 146097;
constexpr std::int64_t kCycle = std::int64_t{kCycleDays} * 86400;
// How far the repeated cycle keeps from the last listed change and from the
// end of the held changes, so that the changes around a date (a year either
// way) all follow the rule.
constexpr std::int32_t kCycleMarginDays = 800;
// The tz library gives the period after the last change a zoneinfo file
// lists an end far beyond any date (the year 32767): past this it is open.
constexpr std::int64_t kListedUntil = kToSeconds + 400LL * 366 * 86400;

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
    std::uint8_t name = 0;  // its abbreviation in the Names beside, when kept
};

// The abbreviations of a zone's periods, each kept once: a zone has a handful
// and its periods many thousands. Null where they are not needed.
struct Names {
    std::vector<std::string> list{std::string()};

    std::uint8_t Of(const std::string& name) {
        for (std::size_t k = 0; k < list.size(); ++k)
            if (list[k] == name) return static_cast<std::uint8_t>(k);
        if (list.size() > std::numeric_limits<std::uint8_t>::max()) return 0;
        list.push_back(name);
        return static_cast<std::uint8_t>(list.size() - 1);
    }
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

// The periods from `from` up to `to` as the zoneinfo file lists them; `open`
// when the last one is the file's last, which its later rule continues.
struct Listed {
    std::vector<RawPeriod> raw;
    bool open = false;
};

Listed ListedPeriods(const date::time_zone& zone, std::int64_t from, std::int64_t to,
                     Names* names) {
    Listed listed;
    date::sys_seconds t{seconds{from}};
    while (true) {
        const date::sys_info info = zone.get_info(t);
        listed.raw.push_back({std::max<std::int64_t>(info.begin.time_since_epoch().count(), from),
                              static_cast<std::int32_t>(info.offset.count()),
                              info.save.count() != 0,
                              names ? names->Of(info.abbrev) : std::uint8_t{0}});
        const std::int64_t end = info.end.time_since_epoch().count();
        if (end >= kListedUntil) {
            listed.open = true;
            break;
        }
        if (end >= to || info.end <= t) break;
        t = info.end;
    }
    return listed;
}

// Replaces the open-ended last period by what the later rule gives up to `to`.
// A rule names its days by month, weekday and day of the year, and the
// calendar repeats itself, weekdays included, every 400 years: the rule is
// read for one such cycle and its changes repeated after it.
void ContinueWithRule(std::vector<RawPeriod>& raw, const std::string& rule, std::int64_t to,
                      Names* names) {
    if (rule.empty() || raw.empty()) return;
    const std::int64_t from = raw.back().begin;
    if (from >= to) return;
    // A little more than a cycle, so that it holds every change up to its end.
    const std::int64_t cycleEnd = std::min(to, from + kCycle + std::int64_t{400} * 86400);
    const later_rule::Periods later = later_rule::PeriodsOfRule(rule, from, cycleEnd);
    if (!later.error.empty() || later.periods.empty()) return;
    raw.pop_back();
    auto nameOf = [&](const later_rule::Period& p) {
        return names ? names->Of(p.abbreviation) : std::uint8_t{0};
    };
    for (const later_rule::Period& p : later.periods)
        raw.push_back({std::max(p.begin, from), p.offsetSeconds, p.summer, nameOf(p)});
    if (cycleEnd == to) return;
    // The changes of the first cycle, (from, from + kCycle], again and again.
    std::vector<RawPeriod> changes;
    for (const later_rule::Period& p : later.periods)
        if (p.begin > from && p.begin <= from + kCycle)
            changes.push_back({p.begin, p.offsetSeconds, p.summer, nameOf(p)});
    if (changes.empty()) return;
    raw.reserve(raw.size() +
                changes.size() * static_cast<std::size_t>((to - cycleEnd) / kCycle + 1));
    for (std::int64_t shift = kCycle;; shift += kCycle) {
        for (const RawPeriod& c : changes) {
            const std::int64_t begin = c.begin + shift;
            if (begin >= to) return;
            if (begin > raw.back().begin)
                raw.push_back({begin, c.offsetSeconds, c.daylight, c.name});
        }
    }
}

void MergeEqualNeighbours(std::vector<RawPeriod>& raw) {
    const auto same = [](const RawPeriod& a, const RawPeriod& b) {
        return a.offsetSeconds == b.offsetSeconds && a.daylight == b.daylight;
    };
    raw.erase(std::unique(raw.begin(), raw.end(), same), raw.end());
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
std::vector<minutes> StandardOffsets(const std::vector<RawPeriod>& raw) {
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
    std::vector<minutes> standards;
    standards.reserve(n);
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
        standards.push_back(standard);
    }
    return standards;
}

std::vector<Zone::Segment> Classify(const std::vector<RawPeriod>& raw) {
    const std::vector<minutes> standards = StandardOffsets(raw);
    std::vector<Zone::Segment> segments;
    segments.reserve(raw.size());
    for (std::size_t k = 0; k < raw.size(); ++k) {
        const minutes standard = standards[k];
        const ClockReading change = k == 0 ? ClockReading{kLongAgo, minutes{0}}
                                           : ReadingAt(raw[k].begin, raw[k - 1].offsetSeconds);
        const Zone::Segment segment{change, standard,
                                    RoundedMinutes(raw[k].offsetSeconds) - standard};
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

// A zone of the database found by its name, with its zoneinfo file.
struct Located {
    const date::time_zone* zone = nullptr;  // null when `error` is not None
    fs::path file;
    ZoneError error = ZoneError::None;
    std::string message;
};

Located Locate(std::string_view name, const std::string& folder) {
    const std::string shownName = "\"" + std::string(Utf8Prefix(name, 64)) + "\"";
    auto failure = [](ZoneError error, std::string message) {
        return Located{nullptr, {}, error, std::move(message)};
    };
    if (!IsZoneName(name)) return failure(ZoneError::UnknownZone, "unknown time zone " + shownName);
    std::error_code ec;
    const fs::path dir(folder);
    if (!fs::is_directory(dir, ec) || !fs::is_regular_file(dir / "tzdata.zi", ec)) {
        return failure(ZoneError::DatabaseMissing,
                       "no time-zone database in " + folder + " (the tzdata package provides it)");
    }
    const fs::path file = dir / std::string(name);
    if (!fs::is_regular_file(file, ec))
        return failure(ZoneError::UnknownZone, "unknown time zone " + shownName);

    try {
        date::get_tzdb();
    } catch (const std::exception& e) {
        return failure(ZoneError::DatabaseMissing,
                       std::string("the time-zone database cannot be read: ") + e.what());
    }
    try {
        return Located{date::locate_zone(name), file, ZoneError::None, {}};
    } catch (const std::exception&) {
        return failure(ZoneError::UnknownZone, "unknown time zone " + shownName);
    }
}

// The periods of a located zone from `from` up to `to`, the later rule
// continuing the listed ones.
std::vector<RawPeriod> PeriodsOf(const Located& located, std::int64_t from, std::int64_t to,
                                 Names* names = nullptr) {
    Listed listed = ListedPeriods(*located.zone, from, to, names);
    if (listed.open) ContinueWithRule(listed.raw, LaterRuleOf(located.file), to, names);
    MergeEqualNeighbours(listed.raw);
    return std::move(listed.raw);
}

ZoneOpenResult Open(std::string_view name, const std::string& folder) {
    const Located located = Locate(name, folder);
    if (located.error != ZoneError::None) return Failure(located.error, located.message);
    std::vector<RawPeriod> raw;
    std::optional<DayNumber> repeatFrom;
    try {
        // Up to the last listed change, then one cycle of the later rule
        // with its margins (or up to the end, when that is nearer).
        Listed listed = ListedPeriods(*located.zone, kFromSeconds, kToSeconds, nullptr);
        std::int64_t to = kToSeconds;
        if (listed.open) {
            const std::int64_t ruleFrom = listed.raw.back().begin;
            const std::int64_t cycleStart = ruleFrom + std::int64_t{kCycleMarginDays} * 86400;
            const std::int64_t heldTo =
                cycleStart + kCycle + std::int64_t{kCycleMarginDays} * 86400;
            if (heldTo < kToSeconds) {
                to = heldTo;
                repeatFrom = ReadingAt(cycleStart, 0).date;
            }
            ContinueWithRule(listed.raw, LaterRuleOf(located.file), to, nullptr);
        }
        raw = std::move(listed.raw);
        MergeEqualNeighbours(raw);
    } catch (const std::exception& e) {
        return Failure(ZoneError::DatabaseMissing, "the time zone \"" +
                                                       std::string(Utf8Prefix(name, 64)) +
                                                       "\" cannot be read: " + e.what());
    }
    return {std::make_shared<const Zone>(std::string(name), Classify(raw), repeatFrom),
            ZoneError::None,
            {}};
}

// How far beyond a range of periods their neighbours are looked at: what
// counts as summer time depends on the periods around it.
constexpr std::int64_t kContextSeconds = 800LL * 86400;

ZonePeriodsResult Periods(std::string_view name, std::chrono::sys_seconds from,
                          std::chrono::sys_seconds to, const std::string& folder) {
    ZonePeriodsResult result;
    const Located located = Locate(name, folder);
    if (located.error != ZoneError::None) {
        result.error = located.error;
        result.message = located.message;
        return result;
    }
    const std::int64_t first = from.time_since_epoch().count();
    const std::int64_t last = std::max(first, to.time_since_epoch().count());
    Names names;
    const std::vector<RawPeriod> raw =
        PeriodsOf(located, first - kContextSeconds, last + kContextSeconds, &names);
    const std::vector<minutes> standards = StandardOffsets(raw);
    for (std::size_t k = 0; k < raw.size(); ++k) {
        const bool endsBefore = k + 1 < raw.size() && raw[k + 1].begin <= first;
        if (endsBefore) continue;
        if (raw[k].begin > last && !result.periods.empty()) break;
        result.periods.push_back({std::chrono::sys_seconds{seconds{std::max(raw[k].begin, first)}},
                                  seconds{raw[k].offsetSeconds},
                                  RoundedMinutes(raw[k].offsetSeconds) > standards[k],
                                  names.list[raw[k].name]});
    }
    return result;
}

}  // namespace

Zone::Zone(std::string name, std::vector<Segment> segments, std::optional<DayNumber> repeatFrom)
    : name_(std::move(name)), segments_(std::move(segments)), repeatFrom_(repeatFrom) {
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

std::int32_t Zone::CyclesPast(DayNumber date) const {
    if (!repeatFrom_ || date - *repeatFrom_ < kCycleDays) return 0;
    return (date - *repeatFrom_) / kCycleDays;
}

ZoneDay Zone::Day(DayNumber date) const {
    const std::int32_t cycles = CyclesPast(date);
    if (cycles == 0) return HeldDay(date);
    // The same date 400 years (or a multiple) earlier has the same changes
    // on the same dates of its years.
    const std::int32_t back = cycles * kCycleDays;
    ZoneDay day = HeldDay(date - back);
    if (day.summer) {
        day.summer->start.date += back;
        day.summer->end.date += back;
    }
    day.window.SummerStart += back;
    day.window.WinterStart += back;
    return day;
}

ZoneDay Zone::HeldDay(DayNumber date) const {
    const std::size_t k = SegmentOf(date);
    ZoneDay day;
    day.standardOffset = segments_[k].standardOffset;
    if (segments_[k].shift > minutes{0}) {
        const SummerTimeWindow w = WindowAround(k);
        day.summer = w;
        day.summerTimeEnabled = true;
        day.window = {w.start.date, w.end.date};
        day.shift = w.shift;
        if (w.start.date == date) {
            std::size_t first = k;
            while (first > 0 && segments_[first - 1].shift > minutes{0}) --first;
            day.changeAt = ChangeMinute(first);
        }
        return day;
    }
    std::optional<DayNumber> lastEnd;
    for (std::size_t j = k; j > 0 && date - segments_[j].change.date <= kAroundDays; --j) {
        if (segments_[j - 1].shift > minutes{0}) {
            lastEnd = segments_[j].change.date;
            if (*lastEnd == date) day.changeAt = ChangeMinute(j);
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
    return ClockRules{day.standardOffset, day.summerTimeEnabled, day.window, day.shift,
                      day.changeAt};
}

minutes Zone::ChangeMinute(std::size_t k) const {
    if (k == 0) return minutes{0};
    // The reading is the clock of the period before; the same instant in the
    // standard time of the new period.
    const Segment& before = segments_[k - 1];
    const Segment& now = segments_[k];
    const minutes standard =
        now.change.time - (before.standardOffset + before.shift) + now.standardOffset;
    return std::clamp(standard, minutes{0}, minutes{24 * 60});
}

YearRule Zone::RuleOfYear(int year) const {
    if (repeatFrom_ && year > repeatFrom_->Year() + 400) {
        // The year with the same dates and weekdays within the held cycle.
        year -= (year - repeatFrom_->Year() - 1) / 400 * 400;
    }
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

ZonePeriodsResult ZonePeriodsBetween(std::string_view name, std::chrono::sys_seconds from,
                                     std::chrono::sys_seconds to, const std::string& folder) {
    try {
        return Periods(name, from, to, folder);
    } catch (const std::bad_alloc&) {
        return {{}, ZoneError::DatabaseMissing, "out of memory while reading the time zone"};
    } catch (const std::exception& e) {
        return {{},
                ZoneError::DatabaseMissing,
                std::string("the time-zone database cannot be read: ") + e.what()};
    }
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
