#include "core/settings.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <system_error>

#include "core/textfile.h"

namespace dawn {
namespace {

constexpr std::int32_t kMaxTimeZoneHours = 23;
constexpr std::size_t kMaxQuotedChars = 60;

std::string BoolLine(bool b) {
    return b ? "1" : "0";
}

// The text of a bad line as it is quoted to the user: control characters
// shown as '?', very long lines cut (never inside a character).
std::string Quote(const std::string& text) {
    const std::string_view kept = Utf8Prefix(text, kMaxQuotedChars);
    std::string shown;
    for (char c : kept) shown += (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? '?' : c;
    if (kept.size() < text.size()) shown += "...";
    return shown;
}

std::size_t IndexOf(AlarmEvent kind) {
    return static_cast<std::size_t>(kind);
}

constexpr std::int32_t kAlarmOff = 3;

std::int32_t WayOf(const AlarmChoice& a) {
    return a.On ? static_cast<std::int32_t>(a.Channel) : kAlarmOff;
}

void SetWay(AlarmChoice& a, std::int32_t way) {
    a.On = way != kAlarmOff;
    if (a.On) a.Channel = static_cast<AlarmChannel>(way);
}

}  // namespace

AlarmChoices DefaultAlarmChoices() {
    AlarmChoices choices{};
    choices[IndexOf(AlarmEvent::CivilDawn)].On = false;
    choices[IndexOf(AlarmEvent::CivilDusk)].On = false;
    return choices;
}

std::vector<AlarmSetup> ActiveAlarms(const AlarmChoices& choices) {
    std::vector<AlarmSetup> active;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const AlarmChoice& c = choices[i];
        if (c.On) active.push_back({static_cast<AlarmEvent>(i), c.Offset, c.Channel});
    }
    return active;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    if (dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

std::string SettingsFilePath(const std::string& appDir) {
    return JoinPath(appDir, kSettingsFileName);
}

std::int32_t PackLine3(std::int32_t hours, bool firstWeekNewYear, bool showClock) {
    const std::int64_t flags = (firstWeekNewYear ? 1 : 0) + (showClock ? 2 : 0);
    const std::int64_t v =
        hours < 0 ? std::int64_t{hours} * 100 - flags : std::int64_t{hours} * 100 + flags;
    // Hours beyond any zone would not fit the line; they are kept at its ends.
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

Line3 UnpackLine3(std::int32_t v) {
    const std::int32_t rest = v % 100 < 0 ? -(v % 100) : v % 100;  // |v| mod 100
    return Line3{v / 100, rest % 2 == 1, rest > 1};
}

bool ParseSettingsInteger(const std::string& text, std::int32_t& out) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    if (b < e && text[b] == '+') {  // from_chars takes '-' only
        ++b;
        if (b < e && text[b] == '-') return false;
    }
    if (b == e) return false;
    std::int32_t v = 0;
    const auto [ptr, ec] = std::from_chars(text.data() + b, text.data() + e, v, 10);
    if (ec != std::errc() || ptr != text.data() + e) return false;
    out = v;
    return true;
}

namespace {

// A decimal integer too big for 32 bits: the nearest of the two limits.
bool ParseOutOfRangeInteger(const std::string& text, std::int32_t& out) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    bool negative = false;
    if (b < e && (text[b] == '+' || text[b] == '-')) negative = text[b++] == '-';
    if (b == e) return false;
    for (std::size_t i = b; i < e; ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    std::int32_t ignored = 0;
    if (ParseSettingsInteger(text, ignored)) return false;  // in range: not this one's
    out = negative ? std::numeric_limits<std::int32_t>::min()
                   : std::numeric_limits<std::int32_t>::max();
    return true;
}

}  // namespace

SiteSettings DefaultSettings(const std::string& appDir, int referenceYear) {
    SiteSettings s;
    // The last Sunday of March and of October: the occurrence index is the
    // number of Sundays in the month minus one.
    s.SummerRule = 199 + CountWeekdayInMonth(3, referenceYear, 1);
    s.WinterRule = 899 + CountWeekdayInMonth(10, referenceYear, 1);
    s.SunRiseSoundFile = JoinPath(appDir, "sunrise.wav");
    s.SunSetSoundFile = JoinPath(appDir, "sunset.wav");
    s.SunRiseImageFile = JoinPath(appDir, "sunrise.jpg");
    s.SunSetImageFile = JoinPath(appDir, "sunset.jpg");
    return s;
}

std::vector<std::string> SettingsToLines(const SiteSettings& s) {
    return {
        std::to_string(s.LanguageIndex),
        std::to_string(s.SummerRule),
        std::to_string(s.WinterRule),
        std::to_string(PackLine3(s.TimeZoneHours, s.FirstWeekNewYear, s.ShowClock)),
        BoolLine(s.AlarmSoundEnabled),
        s.SunRiseSoundFile,
        s.SunSetSoundFile,
        BoolLine(s.AlarmImageEnabled),
        s.SunRiseImageFile,
        BoolLine(s.SunRiseImageStretch),
        s.SunSetImageFile,
        BoolLine(s.SunSetImageStretch),
        std::to_string(s.LongitudeMinutes),
        std::to_string(s.LatitudeMinutes),
        std::to_string(s.TimeZoneMinutes),
        BoolLine(s.SummerTimeEnabled),
        std::to_string(s.SummerWeekday),
        std::to_string(s.WinterWeekday),
        std::to_string(s.WeekStartDay),
    };
}

namespace {

// The height as line 29 holds it: empty for 0, else the shortest decimal.
std::string HeightLine(double metres) {
    if (!(metres != 0.0)) return {};
    std::array<char, 32> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), metres);
    return ec == std::errc() ? std::string(buffer.data(), end) : std::string();
}

}  // namespace

std::vector<std::string> SettingsFileLines(const SiteSettings& s) {
    std::vector<std::string> lines = SettingsToLines(s);
    const bool later = !s.ExtraLines.empty();
    const bool graphLight = later || s.GraphLightShown || s.GraphLightLineRead;
    const bool sight = graphLight || s.ObserverHeightMetres != 0.0 || !s.HorizonProfilePath.empty();
    const bool alarms = sight || s.Alarms != DefaultAlarmChoices();
    if (alarms || !s.ZoneName.empty() || !s.PlaceName.empty()) lines.push_back(s.ZoneName);
    if (alarms || !s.PlaceName.empty()) lines.push_back(s.PlaceName);
    if (!alarms) return lines;
    for (const AlarmChoice& a : s.Alarms) {
        lines.push_back(std::to_string(a.Offset.count()));
        lines.push_back(std::to_string(WayOf(a)));
    }
    if (sight) lines.push_back(HeightLine(s.ObserverHeightMetres));
    if (graphLight || !s.HorizonProfilePath.empty()) lines.push_back(s.HorizonProfilePath);
    if (graphLight) lines.push_back(s.GraphLightShown ? "1" : "");
    lines.insert(lines.end(), s.ExtraLines.begin(), s.ExtraLines.end());
    return lines;
}

SettingsLoadResult SettingsFromLines(const std::vector<std::string>& fileLines,
                                     const std::string& appDir, int todayYear,
                                     const std::string& fileNameForMessages) {
    SettingsLoadResult result;
    const SiteSettings defaults = DefaultSettings(appDir, todayYear);
    const std::vector<std::string> defaultLines = SettingsToLines(defaults);
    SiteSettings& s = result.settings;
    s = defaults;

    // Missing trailing lines take their defaults.
    std::vector<std::string> lines = fileLines;
    for (std::size_t i = lines.size(); i < static_cast<std::size_t>(kSettingsLineCount); ++i) {
        lines.push_back(defaultLines[i]);
    }

    // A line that is not an integer keeps the default and is reported.
    auto integer = [&](int index) {
        std::int32_t v = 0;
        if (ParseSettingsInteger(lines[index], v)) return v;
        result.messages.push_back("\"" + fileNameForMessages + "\", line " +
                                  std::to_string(index + 1) + ": '" + Quote(lines[index]) +
                                  "' is not a valid integer value; the default " +
                                  defaultLines[index] + " is used instead.");
        ParseSettingsInteger(defaultLines[index], v);
        return v;
    };
    // A value brought into range is reported too: the file will not hold it
    // any more once the settings are saved.
    auto replaced = [&](int index, std::int32_t used, const std::string& why) {
        result.messages.push_back("\"" + fileNameForMessages + "\", line " +
                                  std::to_string(index + 1) + ": '" + Quote(lines[index]) + "' " +
                                  why + "; " + std::to_string(used) + " is used instead.");
    };
    auto ranged = [&](int index, std::int32_t lo, std::int32_t hi) {
        const std::int32_t read = integer(index);
        const std::int32_t used = std::clamp(read, lo, hi);
        if (used != read) {
            replaced(index, used, "is outside " + std::to_string(lo) + ".." + std::to_string(hi));
        }
        return used;
    };
    auto rule = [&](int index) {
        const std::int32_t read = integer(index);
        const std::int32_t used = ClampedRule(read);
        if (used != read) replaced(index, used, "is no month and occurrence");
        return used;
    };
    auto flag = [&](int index) { return integer(index) != 0; };

    s.LanguageIndex = static_cast<std::uint8_t>(ranged(0, 0, kMaxLanguageIndex));
    s.SummerRule = rule(1);
    s.WinterRule = rule(2);
    const Line3 l3 = UnpackLine3(integer(3));
    s.TimeZoneHours = std::clamp(l3.hours, -kMaxTimeZoneHours, kMaxTimeZoneHours);
    if (s.TimeZoneHours != l3.hours) {
        replaced(3, PackLine3(s.TimeZoneHours, l3.firstWeekNewYear, l3.showClock),
                 "holds more than " + std::to_string(kMaxTimeZoneHours) + " hours");
    }
    s.FirstWeekNewYear = l3.firstWeekNewYear;
    s.ShowClock = l3.showClock;
    s.AlarmSoundEnabled = flag(4);
    s.SunRiseSoundFile = lines[5];
    s.SunSetSoundFile = lines[6];
    s.AlarmImageEnabled = flag(7);
    s.SunRiseImageFile = lines[8];
    s.SunRiseImageStretch = flag(9);
    s.SunSetImageFile = lines[10];
    s.SunSetImageStretch = flag(11);
    s.LongitudeMinutes = ranged(12, -kMaxLongitudeMinutes, kMaxLongitudeMinutes);
    s.LatitudeMinutes = ranged(13, -kMaxLatitudeMinutes, kMaxLatitudeMinutes);
    s.TimeZoneMinutes = ranged(14, -kMaxTimeZoneMinutes, kMaxTimeZoneMinutes);
    s.SummerTimeEnabled = flag(15);
    s.SummerWeekday = static_cast<std::uint8_t>(ranged(16, 1, 7));
    s.WinterWeekday = static_cast<std::uint8_t>(ranged(17, 1, 7));
    s.WeekStartDay = static_cast<std::uint8_t>(ranged(18, 0, 6));

    // The alarms' lines; an empty or missing one is the default.
    const AlarmChoices defaultAlarms = DefaultAlarmChoices();
    for (std::size_t i = 0; i < kAlarmEventCount; ++i) {
        const std::size_t offsetLine = static_cast<std::size_t>(kAlarmLinesStart) + 2 * i;
        const std::size_t wayLine = offsetLine + 1;
        AlarmChoice& alarm = s.Alarms[i];
        std::int32_t v = 0;
        auto bad = [&](std::size_t index, std::int32_t fallback) {
            result.messages.push_back("\"" + fileNameForMessages + "\", line " +
                                      std::to_string(index + 1) + ": '" + Quote(lines[index]) +
                                      "' is not a valid alarm value; the default " +
                                      std::to_string(fallback) + " is used instead.");
        };
        if (offsetLine < lines.size() && !lines[offsetLine].empty()) {
            // An offset out of range, however far, takes the nearest limit.
            if (ParseSettingsInteger(lines[offsetLine], v) ||
                ParseOutOfRangeInteger(lines[offsetLine], v)) {
                const std::int32_t lo = static_cast<std::int32_t>(kMinAlarmOffset.count());
                const std::int32_t hi = static_cast<std::int32_t>(kMaxAlarmOffset.count());
                const std::int32_t used = std::clamp(v, lo, hi);
                alarm.Offset = std::chrono::minutes{used};
                if (used != v) {
                    replaced(static_cast<int>(offsetLine), used,
                             "is outside " + std::to_string(lo) + ".." + std::to_string(hi));
                }
            } else {
                bad(offsetLine, static_cast<std::int32_t>(defaultAlarms[i].Offset.count()));
            }
        }
        if (wayLine < lines.size() && !lines[wayLine].empty()) {
            if (ParseSettingsInteger(lines[wayLine], v) && v >= 0 && v <= kAlarmOff)
                SetWay(alarm, v);
            else
                bad(wayLine, WayOf(defaultAlarms[i]));
        }
    }
    if (lines.size() > kZoneNameLine) s.ZoneName = lines[kZoneNameLine];
    if (lines.size() > kPlaceNameLine) s.PlaceName = lines[kPlaceNameLine];
    // The observer's height and horizon profile.
    const auto heightLine = static_cast<std::size_t>(kObserverHeightLine);
    if (lines.size() > heightLine && !lines[heightLine].empty()) {
        const std::string& text = lines[heightLine];
        double metres = 0;
        const char* end = text.data() + text.size();
        const auto [ptr, ec] = std::from_chars(text.data(), end, metres);
        if (ec == std::errc() && ptr == end && metres >= 0.0 &&
            metres <= kMaxObserverHeightMetres) {
            s.ObserverHeightMetres = metres;
        } else {
            result.messages.push_back("\"" + fileNameForMessages + "\", line " +
                                      std::to_string(heightLine + 1) + ": '" + Quote(text) +
                                      "' is not a height in metres from 0 to 10000; 0 is used "
                                      "instead.");
        }
    }
    if (lines.size() > static_cast<std::size_t>(kHorizonProfileLine))
        s.HorizonProfilePath = lines[kHorizonProfileLine];
    // The graph's light switch.
    const auto graphLightLine = static_cast<std::size_t>(kGraphLightLine);
    if (lines.size() > graphLightLine) {
        const std::string& text = lines[graphLightLine];
        s.GraphLightShown = text == "1";
        s.GraphLightLineRead = true;
        if (!text.empty() && text != "0" && text != "1")
            result.messages.push_back("\"" + fileNameForMessages + "\", line " +
                                      std::to_string(graphLightLine + 1) + ": '" + Quote(text) +
                                      "' is not 0 or 1; the graph's light is off.");
    }
    // Kept: every line after the graph's light switch.
    const auto laterStart = static_cast<std::size_t>(kGraphLightLine + 1);
    if (lines.size() > laterStart)
        s.ExtraLines.assign(lines.begin() + static_cast<std::ptrdiff_t>(laterStart), lines.end());
    return result;
}

namespace {

constexpr int kPathLines[] = {5, 6, 8, 10, kHorizonProfileLine};

bool IsPathLine(std::size_t index) {
    return std::find(std::begin(kPathLines), std::end(kPathLines), static_cast<int>(index)) !=
           std::end(kPathLines);
}

// A line of the file as text. A path that is not UTF-8 but names an existing
// file is a file name in the system's own encoding and keeps its bytes.
std::string DecodeSettingsLine(std::size_t index, std::string_view raw, bool* converted) {
    if (IsPathLine(index) && !IsValidUtf8(raw)) {
        struct stat st {};
        const std::string name(raw);
        if (name.find('\0') == std::string::npos && ::stat(name.c_str(), &st) == 0) return name;
    }
    return DecodeLine(raw, converted);
}

std::string BackupNote(const std::string& path) {
    return "The file \"" + path + "\" will be kept as \"" + path +
           ".bak\" before the settings are saved.";
}

// The file's settings and what could not be taken over, without the note on
// the copy; `read` tells whether the file could be read at all.
SettingsLoadResult ReadFrom(const std::string& path, const std::string& appDir, int todayYear,
                            UserId user, TextFileResult& read) {
    read = ReadFileBytes(path, kMaxTextFileBytes, user);
    if (!read.ok()) {
        SettingsLoadResult result;
        result.settings = DefaultSettings(appDir, todayYear);
        return result;
    }
    std::vector<std::string> lines = SplitLines(WithoutByteOrderMark(read.bytes));
    read.bytes.clear();
    std::size_t converted = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        bool lineConverted = false;
        lines[i] = DecodeSettingsLine(i, lines[i], &lineConverted);
        if (lineConverted) ++converted;
    }
    SettingsLoadResult result = SettingsFromLines(lines, appDir, todayYear, path);
    if (converted > 0)
        result.messages.push_back("\"" + path + "\": " + ConvertedLinesNote(converted));
    return result;
}

SettingsLoadResult LoadFrom(const std::string& path, const std::string& appDir, int todayYear,
                            UserId user) {
    TextFileResult read;
    SettingsLoadResult result = ReadFrom(path, appDir, todayYear, user, read);
    if (read.ok()) {
        if (!result.messages.empty()) {
            // The program could not take over everything the file holds.
            result.settings.KeepCopyBeforeSave = true;
            result.messages.push_back(BackupNote(path));
        }
        return result;
    }
    if (read.status != TextFileStatus::Missing) {
        // The file is there but unusable: the defaults serve for this run, and
        // the next save keeps a copy of the old file before replacing it.
        result.settings.KeepCopyBeforeSave = true;
        result.messages.push_back(read.error +
                                  " The default settings are used; the file will be kept as \"" +
                                  path + ".bak\" when the settings are saved.");
    }
    return result;
}

}  // namespace

SettingsLoadResult LoadSettingsFile(const std::string& path, int todayYear, UserId user) {
    return LoadFrom(path, std::filesystem::path(path).parent_path().string(), todayYear, user);
}

SettingsLoadResult LoadSettings(const std::string& appDir, int todayYear, UserId user) {
    return LoadFrom(SettingsFilePath(appDir), appDir, todayYear, user);
}

SettingsReadResult ReadSettingsFile(const std::string& path, const std::string& appDir,
                                    int todayYear, UserId user) {
    TextFileResult read;
    SettingsLoadResult loaded = ReadFrom(path, appDir, todayYear, user, read);
    SettingsReadResult result;
    result.settings = std::move(loaded.settings);
    result.messages = std::move(loaded.messages);
    if (!read.ok() && read.status != TextFileStatus::Missing) result.error = read.error;
    return result;
}

bool HasLineBreak(const std::string& path) {
    return path.find_first_of("\r\n") != std::string::npos;
}

SettingsSaveResult SaveSettings(SiteSettings& s, const std::string& appDir, UserId user) {
    const std::string path = SettingsFilePath(appDir);
    const std::vector<std::string> lines = SettingsFileLines(s);
    // A line break inside a value would split its line and shift every line
    // after it: the latitude would be read from the wrong line.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!HasLineBreak(lines[i])) continue;
        return SettingsSaveResult{false, "The settings were not saved to \"" + path + "\": line " +
                                             std::to_string(i + 1) + ", '" + Quote(lines[i]) +
                                             "', holds a line break."};
    }
    if (s.KeepCopyBeforeSave) {
        const TextFileResult kept = KeepBackupCopy(path, user);
        if (!kept.ok()) return SettingsSaveResult{false, kept.error};
    }
    const TextFileResult written = WriteTextFileAtomic(path, lines, "\r\n", user);
    if (!written.ok()) return SettingsSaveResult{false, written.error};
    s.KeepCopyBeforeSave = false;
    return SettingsSaveResult{};
}

}  // namespace dawn
