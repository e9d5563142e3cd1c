#include "present/texts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace dawn {
namespace {

constexpr std::int64_t kMinutesPerDay = 24 * 60;

void AppendTwoDigits(std::string& out, std::int64_t v) {
    if (v >= 0 && v < 10) out.push_back('0');
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, v).ptr);
}

// The code point at `i` (advancing `i`); malformed bytes count as one
// character each.
char32_t NextCodePoint(std::string_view s, std::size_t& i) {
    const auto c = static_cast<unsigned char>(s[i]);
    int len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
    if (i + static_cast<std::size_t>(len) > s.size()) len = 1;
    char32_t cp = len == 1 ? c : c & (0xFF >> (len + 1));
    for (int k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    i += static_cast<std::size_t>(len);
    return cp;
}

// The characters the windows take for white space: the ASCII controls \t to
// \r, NEL, and the space, line and paragraph separators of Unicode.
bool IsSpace(char32_t c) {
    return c == ' ' || (c >= 0x09 && c <= 0x0D) || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

// Byte offset after the leading spaces.
std::size_t SpacesAtStart(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        std::size_t next = i;
        if (!IsSpace(NextCodePoint(s, next))) break;
        i = next;
    }
    return i;
}

}  // namespace

void AppendClock(std::string& out, std::chrono::minutes timeOfDay, std::string_view timeSeparator) {
    std::int64_t m = timeOfDay.count() % kMinutesPerDay;
    if (m < 0) m += kMinutesPerDay;
    AppendTwoDigits(out, m / 60);
    out.append(timeSeparator);
    AppendTwoDigits(out, m % 60);
}

std::string FormatClock(std::chrono::minutes timeOfDay, std::string_view timeSeparator) {
    std::string text;
    text.reserve(4 + timeSeparator.size());
    AppendClock(text, timeOfDay, timeSeparator);
    return text;
}

std::string EmptyClockText(std::string_view timeSeparator) {
    std::string text = "--";
    text.append(timeSeparator);
    text += "--";
    return text;
}

std::string FormatAzimuth(double degrees) {
    std::string text;
    AppendAzimuth(text, degrees);
    return text;
}

std::string FormatAzimuth(const std::optional<double>& degrees) {
    std::string text;
    AppendAzimuth(text, degrees);
    return text;
}

int AzimuthArcMinutes(double degrees) {
    // The scan only yields 0..360; anything else is brought into a turn.
    if (!(degrees >= 0.0 && degrees <= 360.0)) {
        degrees = std::isfinite(degrees) ? std::fmod(degrees, 360.0) : 0.0;
        if (degrees < 0.0) degrees += 360.0;
    }
    int whole = static_cast<int>(degrees);
    // The minutes round half up on their own; 59.5' and more carry into the
    // degrees rather than showing as "60", and 360°00' is north, 0°00'.
    int minutes = static_cast<int>(std::round((degrees - whole) * 60.0));
    if (minutes >= 60) {
        minutes -= 60;
        ++whole;
    }
    if (whole >= 360) whole -= 360;
    return whole * 60 + minutes;
}

void AppendAzimuth(std::string& out, const std::optional<double>& azimuth) {
    if (!azimuth) return;
    const int arcMinutes = AzimuthArcMinutes(*azimuth);
    char digits[16];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, arcMinutes / 60).ptr);
    out.append("\xC2\xB0");  // degree sign
    AppendTwoDigits(out, arcMinutes % 60);
    out.push_back('\'');
}

std::string FormatAltitude(double degrees) {
    std::string text;
    AppendAltitude(text, degrees);
    return text;
}

void AppendAltitude(std::string& out, double degrees) {
    if (!std::isfinite(degrees)) degrees = 0.0;
    degrees = std::clamp(degrees, -90.0, 90.0);
    // Whole arc minutes first, so that the sign follows the rounded value.
    const auto arcMinutes = static_cast<int>(std::round(std::abs(degrees) * 60.0));
    if (degrees < 0.0 && arcMinutes > 0) out.push_back('-');
    char digits[16];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, arcMinutes / 60).ptr);
    out.append("\xC2\xB0");  // degree sign
    AppendTwoDigits(out, arcMinutes % 60);
    out.push_back('\'');
}

std::string PlaceAngleText(std::int32_t arcMinutes, std::string_view positiveLetter,
                           std::string_view negativeLetter) {
    const std::int64_t size = std::llabs(static_cast<long long>(arcMinutes));
    std::string text;
    AppendTwoDigits(text, size / 60);
    text += arcMinutes < 0 ? negativeLetter : positiveLetter;
    AppendTwoDigits(text, size % 60);
    return text;
}

std::string LatitudeText(std::int32_t latitudeMinutes, const HemisphereLetters& letters) {
    return PlaceAngleText(latitudeMinutes, letters.north, letters.south);
}

std::string LongitudeText(std::int32_t longitudeMinutes, const HemisphereLetters& letters) {
    return PlaceAngleText(longitudeMinutes, letters.east, letters.west);
}

std::string TimeZoneText(std::int32_t timeZoneMinutes, std::string_view timeSeparator) {
    const std::int64_t size = std::llabs(static_cast<long long>(timeZoneMinutes));
    std::string text = timeZoneMinutes < 0 ? "-" : "+";
    AppendTwoDigits(text, size / 60);
    text += timeSeparator;
    AppendTwoDigits(text, size % 60);
    return text;
}

std::string TimeZoneHint(std::int32_t timeZoneMinutes, std::string_view timeSeparator) {
    const std::string zone = TimeZoneText(timeZoneMinutes, timeSeparator);
    return "TimeZone = " + zone.substr(0, 1) + " " + zone.substr(1);
}

std::string JulianDayText(double julianDay, std::string_view decimalPoint) {
    char text[40];
    std::snprintf(text, sizeof text, "%.15g", julianDay);
    std::string out;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '.') {
            out.append(decimalPoint);
        } else {
            out.push_back(*p);
        }
    }
    return out;
}

std::string_view WithoutLeadingSpaces(std::string_view s) {
    return s.substr(SpacesAtStart(s));
}

std::string_view Trimmed(std::string_view s) {
    s = WithoutLeadingSpaces(s);
    // The end of the last character that is not white space.
    std::size_t end = 0;
    for (std::size_t i = 0; i < s.size();) {
        if (!IsSpace(NextCodePoint(s, i))) end = i;
    }
    return s.substr(0, end);
}

std::string_view CaptionWithoutColon(std::string_view caption) {
    std::string_view text = Trimmed(caption);
    if (!text.empty() && text.back() == ':') text.remove_suffix(1);
    return Trimmed(text);
}

std::string WithoutAccessKey(std::string_view caption) {
    std::string text;
    text.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 == caption.size()) break;
            ++i;
        }
        text.push_back(caption[i]);
    }
    return text;
}

std::string_view FirstCharacter(std::string_view s) {
    if (s.empty()) return s;
    std::size_t end = 0;
    NextCodePoint(s, end);
    return s.substr(0, end);
}

std::size_t Utf16Length(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size();) n += NextCodePoint(s, i) >= 0x10000 ? 2 : 1;
    return n;
}

}  // namespace dawn
